#include "gdi/geom/wide_segment.h"

#include "gdi/geom/spans.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace figplat::geom {

namespace {

// Rounds half away from zero, then truncates towards zero as an integer store would.
int64_t RoundAway(double v) {
    return static_cast<int64_t>(v > 0 ? v + 0.5 : v - 0.5);
}

// A slanted piece is the quadrilateral between two lines parallel to it. GDI rounds the
// pen's half-width projections separately for the two sides: one side gets round(w/2),
// the other round((w+1)/2) along each axis, so odd and even widths straddle the path the
// same way the axis-aligned rectangles do.
void SlantedBody(POINT from, POINT to, int width, const RECT &clip, SpanList &out) {
    const int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
    const double length = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
    const double spanX = width * static_cast<double>(std::llabs(dy)) / length;
    const double spanY = width * static_cast<double>(std::llabs(dx)) / length;

    Point64 small{RoundAway(spanX / 2), RoundAway(spanY / 2)};
    Point64 large{RoundAway((spanX + 1) / 2), RoundAway((spanY + 1) / 2)};
    if (dx < 0) {
        small.y = -small.y;
        large.y = -large.y;
    }
    if (dy < 0) {
        std::swap(small, large);
        small.x = -small.x;
        large.x = -large.x;
    }
    // Corners in path order: start on the small side, start and end on the large side,
    // end on the small side.
    const Point64 corners[4] = {
        {from.x - small.x, from.y + small.y},
        {from.x + large.x, from.y - large.y},
        {to.x + large.x, to.y - large.y},
        {to.x - small.x, to.y + small.y},
    };
    AppendPolygon(corners, 4, FillRule::Alternate, clip, out);
}

}  // namespace

void AppendWideSegmentBody(POINT from, POINT to, int width, const RECT &clip, SpanList &out) {
    const int64_t half = width / 2;  // an even width's extra row or column goes above / left
    if (from.y == to.y) {
        if (from.x == to.x) return;
        AppendClippedRect(out, std::min(from.x, to.x), from.y - half, std::max(from.x, to.x),
                          from.y - half + width, clip);
    } else if (from.x == to.x) {
        AppendClippedRect(out, from.x - half, std::min(from.y, to.y), from.x - half + width,
                          std::max(from.y, to.y), clip);
    } else {
        SlantedBody(from, to, width, clip, out);
    }
}

}  // namespace figplat::geom
