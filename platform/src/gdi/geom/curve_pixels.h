// Single outline pixels of a curve gathered into spans; only pixels inside the clip are
// kept, so a huge curve costs memory only for what is visible.
#pragma once

#include "gdi/geom/curve_box.h"
#include "gdi/geom/geom.h"

#include <vector>

namespace figplat::geom {

class CurvePixels {
public:
    explicit CurvePixels(const RECT &clip) : clip_(clip) {}

    void Add(const CurvePoint &p) {
        if (InsideClip(p, clip_)) pixels_.push_back({static_cast<int32_t>(p.y), static_cast<int32_t>(p.x)});
    }
    // Appends the pixels as spans sorted by row, then column, merged where they touch.
    void AppendSpans(SpanList &out);

private:
    struct Pixel {
        int32_t y, x;
    };
    RECT clip_;
    std::vector<Pixel> pixels_;
};

}  // namespace figplat::geom
