#include "gdi/geom/curve_chain.h"

namespace figplat::geom {

namespace {
enum : unsigned { kLeft = 1, kRight = 2, kAbove = 4, kBelow = 8 };
}

unsigned ClippedChain::Outside(const POINT &p) const {
    unsigned code = 0;
    if (p.x < clip_.left) code |= kLeft;
    if (p.x >= clip_.right) code |= kRight;
    if (p.y <= clip_.top) code |= kAbove;
    if (p.y >= clip_.bottom) code |= kBelow;
    return code;
}

void ClippedChain::Add(const CurvePoint &p) {
    // Curve points lie inside a 32-bit box, so they fit a POINT.
    const POINT next{static_cast<LONG>(p.x), static_cast<LONG>(p.y)};
    if (!points_.empty() && points_.back().x == next.x && points_.back().y == next.y) return;
    const unsigned nextCode = Outside(next);
    while (points_.size() >= 2) {
        const POINT &middle = points_.back();
        const POINT &before = points_[points_.size() - 2];
        if ((Outside(before) & Outside(middle) & nextCode) == 0) break;
        points_.pop_back();
    }
    points_.push_back(next);
}

void ClippedChain::Add(const ClippedChain &other, bool reversed) {
    const std::vector<POINT> &pts = other.points_;
    for (size_t i = 0; i < pts.size(); ++i) {
        const POINT &p = reversed ? pts[pts.size() - 1 - i] : pts[i];
        Add(CurvePoint{p.x, p.y});
    }
}

}  // namespace figplat::geom
