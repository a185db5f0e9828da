#include "gdi/geom/curve_pixels.h"

#include <algorithm>

namespace figplat::geom {

void CurvePixels::AppendSpans(SpanList &out) {
    std::sort(pixels_.begin(), pixels_.end(),
              [](const Pixel &a, const Pixel &b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    for (size_t i = 0; i < pixels_.size();) {
        Span span{pixels_[i].y, pixels_[i].x, pixels_[i].x + 1};
        // Mirrored quadrants meet on the axes, so the same pixel can come twice.
        for (++i; i < pixels_.size() && pixels_[i].y == span.y && pixels_[i].x <= span.x1; ++i)
            span.x1 = std::max(span.x1, pixels_[i].x + 1);
        out.push_back(span);
    }
    pixels_.clear();
}

}  // namespace figplat::geom
