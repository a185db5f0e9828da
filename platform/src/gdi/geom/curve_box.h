// The bounding box of an ellipse, arc or pie once GDI has ordered its corners.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <climits>

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

}  // namespace figplat::geom
