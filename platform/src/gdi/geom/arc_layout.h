// Where arcs start and end on the ellipse, and which pixels lie between.
//
// GDI numbers the outline points of a box 0 .. 4*count-1 counter-clockwise on screen from
// the right end of the horizontal axis, quadrant by quadrant, each quadrant a mirror of
// the same quarter walk (count points each; mirrored quadrants run the walk backwards).
// An arc covers the positions [start, end), end taken one turn further when it does not
// come after start, so it may wrap past position 0.
#pragma once

#include "gdi/geom/curve_box.h"

#include <vector>

namespace figplat::geom {

// The part of one quadrant an arc covers: quarter-walk steps [first, last), quadrant 0
// upper right, 1 upper left, 2 lower left, 3 lower right.
struct ArcPiece {
    int quadrant;
    int64_t first, last;
};

class ArcLayout {
public:
    explicit ArcLayout(const CurveBox &box);

    int64_t Count() const { return count_; }
    // The first outline position at or past the radial from the centre through `p`
    // (counter-clockwise), as GDI picks it; the centre itself gives position 0.
    int64_t PositionFor(POINT p) const;
    // [start, end) for an arc between two radials; equal ones give the whole ellipse.
    void ArcRange(POINT start, POINT end, int64_t &first, int64_t &last) const;
    CurvePoint PointAt(int64_t position) const;
    // The quadrant pieces of positions [first, last), in arc order.
    std::vector<ArcPiece> Pieces(int64_t first, int64_t last) const;
    // A quarter-walk point placed in a quadrant.
    CurvePoint Place(int quadrant, int64_t x, int64_t y) const;

    // Calls visit(pieceIndex, point) for every point of every piece; within a piece the
    // points come in quarter-walk order, which is arc order only for even quadrants.
    template <class Visit>
    void ForEachPoint(const std::vector<ArcPiece> &pieces, Visit &&visit) const;

private:
    CurveBox box_;
    int64_t count_;
};

}  // namespace figplat::geom

#include "gdi/geom/arc_layout_walk.h"
