#include "gdi/geom/curve_quadrant.h"

namespace figplat::geom {

QuadrantWalk::QuadrantWalk(int64_t width, int64_t height, int64_t stopX)
    : x_(width - 1), y_(height / 2), stopX_(stopX) {
    const CurveWide a = width - 1, b = height - 1;
    const CurveWide oddB = b % 2;
    a8_ = 8 * a * a;
    b8_ = 8 * b * b;
    dx_ = 4 * b * b * (1 - a);
    dy_ = 4 * a * a * (1 + oddB);
    err_ = dx_ + dy_ + a * a * oddB;
}

void QuadrantWalk::Next() {
    // Both tests look at the error before either step, so a diagonal step is possible.
    const CurveWide twice = 2 * err_;
    if (twice >= dx_) {
        --x_;
        dx_ += b8_;
        err_ += dx_;
    }
    if (twice <= dy_) {
        ++y_;
        dy_ += a8_;
        err_ += dy_;
    }
}

int64_t QuadrantPointCount(int64_t width, int64_t height) {
    int64_t count = 0;
    for (QuadrantWalk walk(width, height); !walk.Done(); walk.Next()) ++count;
    return count;
}

}  // namespace figplat::geom
