// The box of an ellipse, arc or pie once GDI has ordered its corners, and where the points
// of its quarter path land in each quadrant.
#pragma once

#include "engine/geom/quarter_path.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace figplat::geom {

struct CurvePoint {
    int64_t x, y;
    bool operator==(const CurvePoint &) const = default;
};

struct CurveBox {
    int64_t left, top, right, bottom;

    // Corners are swapped like Rectangle's; right and bottom stay exclusive.
    static CurveBox Ordered(const RECT &r) {
        return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom)};
    }
    int64_t Width() const { return right - left; }
    int64_t Height() const { return bottom - top; }
    bool Empty() const { return Width() == 0 || Height() == 0; }
    // Too thin for a curve: Ellipse() falls back to Rectangle() here.
    bool Thin() const { return Width() <= 2 || Height() <= 2; }
    // GDI sizes its buffer of outline points as `factor` * (width + height) in 32-bit
    // arithmetic (2 for Ellipse(), 3 for Arc() and Pie()); beyond that it cannot get the
    // buffer and draws nothing at all, brush included.
    bool BeyondPointBuffer(int64_t factor) const { return (Width() + Height()) * factor > INT32_MAX; }
    // The point arcs take their start and end directions from (and pies close on).
    CurvePoint Centre() const { return {left + Width() / 2, top + Height() / 2}; }
};

inline bool InsideClip(const CurvePoint &p, const RECT &clip) {
    return p.x >= clip.left && p.x < clip.right && p.y >= clip.top && p.y < clip.bottom;
}

// Quadrant 0 is the upper right, 1 the upper left, 2 the lower left, 3 the lower right. The
// quarter path's point (i, j) is x = a - i, y = height / 2 + j in the walk's own terms,
// mirrored to the box edge of each quadrant.
class QuadrantFrame {
public:
    explicit QuadrantFrame(const CurveBox &box)
        : left_(box.left), rightmost_(box.left + box.Width() - 1),
          lowerMiddle_(box.bottom - 1 - box.Height() / 2), upperMiddle_(box.top + box.Height() / 2) {}

    CurvePoint Place(int quadrant, const PathPoint &p) const {
        const int64_t x = (quadrant == 1 || quadrant == 2) ? left_ + p.i : rightmost_ - p.i;
        const int64_t y = quadrant < 2 ? lowerMiddle_ - p.j : upperMiddle_ + p.j;
        return {x, y};
    }

    // The path points whose place in `quadrant` lies in [x0, x1) x [y0, y1).
    PathWindow Window(int quadrant, int64_t x0, int64_t y0, int64_t x1, int64_t y1) const {
        PathWindow w;
        if (quadrant == 1 || quadrant == 2) w.i0 = x0 - left_, w.i1 = x1 - 1 - left_;
        else w.i0 = rightmost_ - (x1 - 1), w.i1 = rightmost_ - x0;
        if (quadrant < 2) w.j0 = lowerMiddle_ - (y1 - 1), w.j1 = lowerMiddle_ - y0;
        else w.j0 = y0 - upperMiddle_, w.j1 = y1 - 1 - upperMiddle_;
        return w;
    }
    PathWindow Window(int quadrant, const RECT &clip) const {
        return Window(quadrant, clip.left, clip.top, clip.right, clip.bottom);
    }

private:
    int64_t left_, rightmost_, lowerMiddle_, upperMiddle_;
};

}  // namespace figplat::geom
