#include "gdi/geom/arc_layout.h"

#include "gdi/geom/curve_quadrant.h"

namespace figplat::geom {

namespace {

// Which quarter-walk step first reaches the radial through (dx, up), up counted upwards
// from the centre. GDI's test is inclusive on the right half and strict on the left, so
// a radial exactly through an outline point starts there on the right but one point
// later (counter-clockwise) on the left.
int64_t FirstStepPast(int64_t width, int64_t height, int64_t dx, int64_t up, bool strict) {
    const CurveWide rise = up < 0 ? -up : up, run = dx < 0 ? -dx : dx;
    int64_t step = 0;
    for (QuadrantWalk walk(width, height); !walk.Done(); walk.Next(), ++step) {
        const CurveWide x = walk.X() - width / 2, y = walk.Y() - height / 2;
        const CurveWide lhs = x * rise, rhs = y * run;
        if (strict ? lhs < rhs : lhs <= rhs) break;
    }
    return step;
}

}  // namespace

ArcLayout::ArcLayout(const CurveBox &box)
    : box_(box), count_(QuadrantPointCount(box.Width(), box.Height())) {}

int64_t ArcLayout::PositionFor(POINT p) const {
    const CurvePoint centre = box_.Centre();
    const int64_t dx = p.x - centre.x, up = centre.y - p.y;
    const int64_t w = box_.Width(), h = box_.Height();
    if (up >= 0) {
        if (dx >= 0) return FirstStepPast(w, h, dx, up, false);
        return 2 * count_ - FirstStepPast(w, h, dx, up, true);
    }
    if (dx >= 0) return 4 * count_ - FirstStepPast(w, h, dx, up, false);
    return 2 * count_ + FirstStepPast(w, h, dx, up, true);
}

void ArcLayout::ArcRange(POINT start, POINT end, int64_t &first, int64_t &last) const {
    first = PositionFor(start);
    last = PositionFor(end);
    if (last <= first) last += 4 * count_;
}

CurvePoint ArcLayout::PointAt(int64_t position) const {
    const int quadrant = static_cast<int>((position / count_) % 4);
    int64_t step = position % count_;
    if (quadrant % 2) step = count_ - 1 - step;
    QuadrantWalk walk(box_.Width(), box_.Height());
    for (int64_t i = 0; i < step; ++i) walk.Next();
    return Place(quadrant, walk.X(), walk.Y());
}

std::vector<ArcPiece> ArcLayout::Pieces(int64_t first, int64_t last) const {
    std::vector<ArcPiece> pieces;
    for (int64_t block = first / count_; block * count_ < last; ++block) {
        const int64_t base = block * count_;
        const int64_t from = std::max(first, base) - base, to = std::min(last, base + count_) - base;
        const int quadrant = static_cast<int>(block % 4);
        if (quadrant % 2)
            pieces.push_back({quadrant, count_ - to, count_ - from});
        else
            pieces.push_back({quadrant, from, to});
    }
    return pieces;
}

CurvePoint ArcLayout::Place(int quadrant, int64_t x, int64_t y) const {
    switch (quadrant) {
    case 0: return {box_.left + x, box_.bottom - 1 - y};
    case 1: return {box_.right - 1 - x, box_.bottom - 1 - y};
    case 2: return {box_.right - 1 - x, box_.top + y};
    default: return {box_.left + x, box_.top + y};
    }
}

}  // namespace figplat::geom
