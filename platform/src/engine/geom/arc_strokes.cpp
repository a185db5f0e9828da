#include "engine/geom/arc_strokes.h"

#include "engine/geom/stroke_rows.h"
#include "engine/geom/wide_pens.h"

#include <optional>

namespace figplat::geom {

namespace {

// The stretch of a quadrant within `m` of the clip.
PathWindow NearWindow(const ArcLayout &layout, const ArcPiece &piece, int64_t m, const RECT &clip) {
    return layout.Frame().Window(piece.quadrant, int64_t{clip.left} - m, int64_t{clip.top} - m,
                                 int64_t{clip.right} + m, int64_t{clip.bottom} + m);
}

// Whether one disc of the stroke holds the whole clip; the quadrants are stroked in pieces, and
// a piece that holds no such disc of its own would still cost a disc for every point.
bool StrokeHoldsClip(const ArcLayout &layout, const ArcPosition &first, const ArcPosition &last, int width,
                     const RECT &clip) {
    if (!DiscCanHoldClip(width, clip)) return false;
    bool holds = false;
    for (const ArcPiece &piece : layout.Pieces(first, last)) {
        const PathWindow near = NearWindow(layout, piece, CurveStroke::MarginFor(width), clip);
        layout.Path().ForEachIn(piece.first, piece.last, near, [&](const PathPoint &p) {
            holds = holds || DiscHoldsClip(layout.Frame().Place(piece.quadrant, p), width, clip);
        });
        if (holds) return true;
    }
    return false;
}

// One quadrant's piece of a stroke point by point, for pens too wide to keep their disc's
// rows: from just before it comes near the clip to just after it
// leaves (points further out cannot reach the clip).
void StrokePiece(const ArcLayout &layout, const ArcPiece &piece, int width, const RECT &clip, SpanSink &out) {
    CurveStroke stroke(width, clip, out);
    const PathWindow near = NearWindow(layout, piece, stroke.Margin(), clip);
    auto place = [&](const PathPoint &p) { return layout.Frame().Place(piece.quadrant, p); };
    std::optional<PathPoint> lastNear;
    layout.Path().ForEachIn(piece.first, piece.last, near, [&](const PathPoint &p) {
        if (!lastNear && p != piece.first) stroke.Add(place(layout.Path().Before(p)));
        lastNear = p;
        stroke.Add(place(p));
    });
    if (!lastNear || *lastNear == piece.last) return;
    QuarterPath::Walker walk = layout.Path().WalkFrom(*lastNear);
    walk.Next();
    stroke.Add(place(walk.Point()));
}

}  // namespace

void StrokeArc(const ArcLayout &layout, const ArcPosition &first, const ArcPosition &last, bool closed, int width,
               const RECT &clip, SpanSink &out) {
    if (!layout.Less(first, last)) return;
    const CurvePoint only = layout.PointAt(first);
    if (layout.Less(layout.After(first), last) && AllPointsAre(layout, first, last, only)) {
        const POINT dot[2] = {{static_cast<LONG>(only.x), static_cast<LONG>(only.y)},
                              {static_cast<LONG>(only.x), static_cast<LONG>(only.y)}};
        WidePolyline(dot, 2, width, false, clip, out);
        return;
    }
    if (StrokeHoldsClip(layout, first, last, width, clip)) return EmitWholeClip(clip, out);
    // Each quadrant is stroked on its own; the steps from one quadrant to the next (and from
    // the end back to the start of a closed curve) are stroked as single pieces.
    const std::vector<ArcPiece> pieces = layout.Pieces(first, last);
    if (width <= kWidestRowStroke) StrokePiecesByRows(layout, pieces, width, clip, out);
    else
        for (const ArcPiece &piece : pieces) StrokePiece(layout, piece, width, clip, out);
    CurveStroke joins(width, clip, out);
    for (int block = first.block + 1; layout.Less({block, layout.FirstOfBlock(block)}, last); ++block)
        joins.AddSegment(layout.PointAt({block - 1, layout.LastOfBlock(block - 1)}),
                         layout.PointAt({block, layout.FirstOfBlock(block)}));
    if (closed) joins.AddSegment(layout.PointAt(layout.Before(last)), layout.PointAt(first));
}

}  // namespace figplat::geom
