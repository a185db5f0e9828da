// The raster engine as the API layer calls it: surfaces (surface.h), colours (colour.h),
// shapes as span lists (geom/geom.h), fonts and the smoothing setting (font/font.h,
// font/smoothing.h), and the painting done on a surface in a pixel value. The API layer
// includes nothing else of the engine; the engine knows no device context or handle. Each
// surface carries its format's routine table, chosen when it is made, and the functions
// here call through it.
#pragma once

#include "engine/colour.h"
#include "engine/font/font.h"
#include "engine/font/smoothing.h"
#include "engine/geom/geom.h"
#include "engine/surface.h"

namespace figplat::gdi {

// The pixel a colour maps to on the surface, the flag byte resolved first (ResolveColour);
// on indexed surfaces the nearest table entry.
uint32_t ColourPixel(const Surface &s, COLORREF colour);

// The pixel a pen, brush or text colour paints on a surface whose DC has `background` as its
// background colour. On 1-bpp surfaces an exact table colour keeps its entry; any other
// colour takes the entry opposite the one the background maps to (the background COLORREF
// itself, flag byte and all, takes that one).
uint32_t DrawingPixel(const Surface &s, COLORREF colour, COLORREF background);

// Fills [x0, x1) x [y0, y1), cut to the surface first.
void FillBox(Surface &s, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t pixel);

// SetPixel's painting: nearest colour only (no 1-bpp background rule); the colour the pixel
// gets, also for a point outside the surface, where nothing is drawn.
COLORREF PaintPixel(Surface &s, int x, int y, COLORREF colour);
// The colour at (x, y); CLR_INVALID outside the surface.
COLORREF PixelColour(const Surface &s, int x, int y);

// Whether the face's text is drawn grey on the surface: never at 8 bits or fewer.
bool SmoothsText(const Surface &s, const font::Face *face);
// Paints a string's ink with its cell's top-left at (x, y): every glyph's runs in `pixel`,
// or its coverage blended in `colour` (resolved first) over what lies beneath, then the underline and
// strike-out boxes, all cut to the surface.
void PaintTextInk(Surface &s, const font::TextInk &ink, int64_t x, int64_t y, COLORREF colour, uint32_t pixel);

// Paints what a shape hands over (already cut to the surface) in one pixel value, straight
// into the bits. Debug and sanitizer builds check every piece against the surface first, so
// a clipping fault stops with a message instead of writing over memory.
class SurfacePainter final : public geom::SpanSink {
public:
    SurfacePainter(Surface &surface, uint32_t pixel) : surface_(surface), pixel_(pixel) {}
    void Span(int32_t y, int32_t x0, int32_t x1) override;
    void Box(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void Line(const geom::LineSteps &line) override;
    void Spans(const geom::Span *spans, size_t count) override;

private:
    Surface &surface_;
    uint32_t pixel_;
};

// How a row of source colours is rewritten on its way to the destination.
struct RowTransform {
    // 1-bit source without a colour table: 0 bits become `zero`, 1 bits `one`.
    bool monoSource = false;
    COLORREF zero = 0, one = 0;
    // Into a monochrome device bitmap: source pixels whose value is `backgroundPixel` (the
    // source DC's background colour in the source's format) become 1, all others 0. Values,
    // not colours, are compared: a table that repeats a colour tells the entries apart.
    bool monoDestination = false;
    uint32_t backgroundPixel = 0;
};

// Copies a width x height block (already clipped to both surfaces). Same formats with the
// same table copy raw pixels; others convert through colours. Handles overlap within one
// surface.
void CopyBlock(Surface &dst, int dx, int dy, const Surface &src, int sx, int sy, int width, int height,
               const RowTransform &transform);

// True when raw pixels mean the same colours in both surfaces.
bool SamePixelFormat(const Surface &a, const Surface &b);

}  // namespace figplat::gdi
