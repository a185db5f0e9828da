#include "engine/raster.h"

#include "engine/colour.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace figplat::gdi {

uint32_t ColourPixel(const Surface &s, COLORREF colour) { return s.ops->colourToPixel(s, ResolveColour(colour)); }

uint32_t DrawingPixel(const Surface &s, COLORREF colour, COLORREF background) {
    const COLORREF rgb = ResolveColour(colour);
    if (s.bitsPerPixel != 1) return s.ops->colourToPixel(s, rgb);
    for (int entry = 0; entry < s.tableSize; ++entry)
        if (QuadToColour(s.table[entry]) == rgb) return static_cast<uint32_t>(entry);
    const uint32_t backgroundPixel = ColourPixel(s, background);
    // The COLORREFs themselves are compared, flags and all: PALETTEINDEX(249) and
    // PALETTEINDEX(300) both resolve to black yet are different colours here.
    return colour == background ? backgroundPixel : 1 - backgroundPixel;
}

void FillBox(Surface &s, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t pixel) {
    x0 = std::max<int64_t>(x0, 0);
    y0 = std::max<int64_t>(y0, 0);
    x1 = std::min<int64_t>(x1, s.width);
    y1 = std::min<int64_t>(y1, s.height);
    if (x0 >= x1 || y0 >= y1) return;
    s.ops->fillRect(s, RECT{static_cast<LONG>(x0), static_cast<LONG>(y0), static_cast<LONG>(x1), static_cast<LONG>(y1)},
                    pixel);
}

namespace {

bool InSurface(const Surface &s, int x, int y) { return x >= 0 && y >= 0 && x < s.width && y < s.height; }

}  // namespace

COLORREF PaintPixel(Surface &s, int x, int y, COLORREF colour) {
    const uint32_t pixel = ColourPixel(s, colour);
    if (InSurface(s, x, y)) s.ops->setPixel(s, x, y, pixel);
    return s.ops->pixelToColour(s, pixel);
}

COLORREF PixelColour(const Surface &s, int x, int y) {
    if (!InSurface(s, x, y)) return CLR_INVALID;
    return s.ops->pixelToColour(s, s.ops->getPixel(s, x, y));
}

namespace {

#ifdef NDEBUG
constexpr bool kCheckSpans = false;
#else
constexpr bool kCheckSpans = true;
#endif

void CheckBox(const Surface &s, int64_t left, int64_t top, int64_t right, int64_t bottom, const char *what) {
    if (left >= 0 && top >= 0 && left < right && top < bottom && right <= s.width && bottom <= s.height) return;
    std::fprintf(stderr, "figplatform: %s [%lld, %lld) x [%lld, %lld) outside the %d x %d surface\n", what,
                 static_cast<long long>(left), static_cast<long long>(right), static_cast<long long>(top),
                 static_cast<long long>(bottom), s.width, s.height);
    std::abort();
}

}  // namespace

void SurfacePainter::Span(int32_t y, int32_t x0, int32_t x1) {
    if (kCheckSpans) CheckBox(surface_, x0, y, x1, int64_t{y} + 1, "span");
    surface_.ops->fillSpan(surface_, y, x0, x1, pixel_);
}

void SurfacePainter::Box(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (kCheckSpans) CheckBox(surface_, left, top, right, bottom, "box");
    surface_.ops->fillRect(surface_, RECT{left, top, right, bottom}, pixel_);
}

void SurfacePainter::Spans(const geom::Span *spans, size_t count) {
    if (kCheckSpans)
        for (size_t i = 0; i < count; ++i) CheckBox(surface_, spans[i].x0, spans[i].y, spans[i].x1, int64_t{spans[i].y} + 1, "span");
    surface_.ops->fillSpans(surface_, spans, count, 0, 0, pixel_);
}

// Both ends inside means every pixel is: the line's pixels move monotonically on each axis.
void SurfacePainter::Line(const geom::LineSteps &line) {
    if (kCheckSpans) {
        CheckBox(surface_, line.x, line.y, int64_t{line.x} + 1, int64_t{line.y} + 1, "line start");
        CheckBox(surface_, line.endX, line.endY, int64_t{line.endX} + 1, int64_t{line.endY} + 1, "line end");
    }
    if (line.count > 0) surface_.ops->line(surface_, line, pixel_);
}

}  // namespace figplat::gdi
