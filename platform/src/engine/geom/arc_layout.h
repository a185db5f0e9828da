// Where arcs start and end on the ellipse outline, and the outline's points between them.
//
// GDI numbers the outline points of a box counter-clockwise on screen from the right end of
// the horizontal axis, quadrant by quadrant, each quadrant a mirror of the same quarter path
// (quarter_path.h): quadrants 0 and 2 run it forwards, 1 and 3 backwards. A position here
// is a quarter block (0-3 for the first turn, 4-7 for the next) and a point of the quarter
// path, ordered as GDI numbers them. An arc covers the positions [first, last), last taken
// one turn further when it does not come after first, so it may wrap past position 0.
//
// The functions at the end turn a run of positions into pixels or a polygon chain, each
// looking only at the points near the clip; arc_strokes.h strokes them with a wide pen.
#pragma once

#include "engine/geom/curve.h"
#include "engine/geom/geom.h"
#include "engine/geom/quarter_path.h"

#include <vector>

namespace figplat::geom {

struct ArcPosition {
    int block;
    PathPoint point;
    bool operator==(const ArcPosition &) const = default;
};

// The points of one quadrant an arc covers, in path order, both ends included.
struct ArcPiece {
    int quadrant;
    PathPoint first, last;
};

class ArcLayout {
public:
    explicit ArcLayout(const CurveBox &box);

    const QuarterPath &Path() const { return path_; }
    const QuadrantFrame &Frame() const { return frame_; }

    // The whole outline, once round.
    ArcPosition TurnStart() const { return {0, {0, 0}}; }
    ArcPosition TurnEnd() const { return {4, {0, 0}}; }
    // The first outline position at or past the radial from the centre through `p`
    // (counter-clockwise), as GDI picks it; the centre itself gives position 0.
    ArcPosition PositionFor(POINT p) const;
    // [first, last) for an arc between two radials; equal ones give the whole ellipse.
    void ArcRange(POINT start, POINT end, ArcPosition &first, ArcPosition &last) const;

    bool Less(const ArcPosition &a, const ArcPosition &b) const;
    ArcPosition After(const ArcPosition &p) const;
    ArcPosition Before(const ArcPosition &p) const;
    CurvePoint PointAt(const ArcPosition &p) const { return frame_.Place(p.block % 4, p.point); }
    // The quadrant pieces of positions [first, last), in arc order.
    std::vector<ArcPiece> Pieces(const ArcPosition &first, const ArcPosition &last) const;

    // Each quarter block's first and last position's point.
    PathPoint FirstOfBlock(int block) const { return block % 2 ? path_.LastPoint() : PathPoint{0, 0}; }
    PathPoint LastOfBlock(int block) const { return block % 2 ? PathPoint{0, 0} : path_.LastPoint(); }

private:
    PathPoint NextOnPath(const PathPoint &p) const;

    CurveBox box_;
    QuarterPath path_;
    QuadrantFrame frame_;
};

// A polygon outline reduced to what matters inside a clip, for filling huge pies cheaply.
//
// The polygon fill (edges active on rows [top, bottom), crossings rounded up) never looks
// at an edge lying wholly above the clip's first row, below its last, right of it, or
// at least a pixel left of it, except through the winding it adds to what lies right of
// it. A chain of edges that stays in one such half-plane adds exactly what its chord
// adds, so its inner vertices can go; so can a vertex on a straight stretch.
class ClippedChain {
public:
    explicit ClippedChain(const RECT &clip) : clip_(clip) {}

    void Add(const CurvePoint &p);
    const std::vector<POINT> &Points() const { return points_; }
    const RECT &Clip() const { return clip_; }
    // Which of those half-planes a point lies in, as bits.
    unsigned Outside(int64_t x, int64_t y) const;

private:
    static bool Continues(const POINT &before, const POINT &middle, const POINT &next);

    RECT clip_;
    std::vector<POINT> points_;
    std::vector<unsigned> codes_;  // Outside() of each point
};

// Every outline point at positions [first, last) that lies inside the clip.
void LightArc(const ArcLayout &layout, const ArcPosition &first, const ArcPosition &last, const RECT &clip,
              SpanSink &out);

// The whole outline, once round, all of it inside the clip: one walk lights all four quadrants.
void LightWholeOutline(const ArcLayout &layout, SpanSink &out);

// GDI draws an open arc as a polyline through its points with a one-pixel pen: each step
// lights its start pixel, never its end. The end (exclusive) of the positions lit.
ArcPosition LitEnd(const ArcLayout &layout, const ArcPosition &first, const ArcPosition &last);

// True when every point at positions [first, last) is `p`.
bool AllPointsAre(const ArcLayout &layout, const ArcPosition &first, const ArcPosition &last, const CurvePoint &p);

// The points at positions [first, last), in arc order, added to `chain`.
void ChainArc(const ArcLayout &layout, const ArcPosition &first, const ArcPosition &last, ClippedChain &chain);

}  // namespace figplat::geom
