// The raster engine's entry points for the drawing calls: colour to pixel as GDI maps
// pens, brushes and text, painting span lists, and copying rectangles between surfaces.
#pragma once

#include "api/gdi/dc.h"
#include "engine/geom/geom.h"
#include "engine/surface.h"

namespace figplat::gdi {

// The pixel a pen, brush or text colour paints on the DC's surface. On 1-bpp surfaces an
// exact table colour keeps its entry; any other colour takes the entry opposite the one the
// DC's background colour maps to (the background COLORREF itself, flag byte and all, takes
// that one).
uint32_t DrawingPixel(const Dc &dc, COLORREF colour);

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
