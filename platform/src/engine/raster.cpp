#include "engine/raster.h"

#include "engine/colour.h"

#include <cstdio>
#include <cstdlib>

namespace figplat::gdi {

uint32_t DrawingPixel(const Dc &dc, COLORREF colour) {
    const Surface &s = *dc.surface;
    const COLORREF rgb = ResolveColour(colour);
    if (s.bitsPerPixel != 1) return s.ops->colourToPixel(s, rgb);
    for (int entry = 0; entry < s.tableSize; ++entry)
        if (QuadToColour(s.table[entry]) == rgb) return static_cast<uint32_t>(entry);
    const uint32_t backgroundPixel = s.ops->colourToPixel(s, ResolveColour(dc.bkColour));
    // The COLORREFs themselves are compared, flags and all: PALETTEINDEX(249) and
    // PALETTEINDEX(300) both resolve to black yet are different colours here.
    return colour == dc.bkColour ? backgroundPixel : 1 - backgroundPixel;
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
