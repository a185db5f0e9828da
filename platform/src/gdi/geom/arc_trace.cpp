#include "gdi/geom/arc_trace.h"

#include "gdi/geom/curve_wide.h"
#include "gdi/geom/spans.h"

namespace figplat::geom {

void CollectArcPoints(const ArcLayout &layout, int64_t first, int64_t last, CurvePixels &pixels) {
    if (last <= first) return;
    layout.ForEachPoint(layout.Pieces(first, last), [&](size_t, const CurvePoint &p) { pixels.Add(p); });
}

bool AllPointsAre(const ArcLayout &layout, int64_t first, int64_t last, const CurvePoint &p) {
    // Neighbouring positions of one quadrant are always different pixels, and three
    // positions in a row include two of one quadrant once quadrants have two points.
    if (last - first > 2 && layout.Count() >= 2) return false;
    bool same = true;
    layout.ForEachPoint(layout.Pieces(first, last), [&](size_t, const CurvePoint &q) { same = same && q == p; });
    return same;
}

void StrokeArc(const ArcLayout &layout, int64_t first, int64_t last, bool closed, int width,
               const RECT &clip, SpanList &out) {
    if (last <= first) return;
    const CurvePoint only = layout.PointAt(first);
    if (last - first >= 2 && AllPointsAre(layout, first, last, only)) {
        const POINT dot[2] = {{static_cast<LONG>(only.x), static_cast<LONG>(only.y)},
                              {static_cast<LONG>(only.x), static_cast<LONG>(only.y)}};
        SpanCollector collect(out);
        WidePolyline(dot, 2, width, false, clip, collect);
        return;
    }
    const std::vector<ArcPiece> pieces = layout.Pieces(first, last);
    std::vector<CurveStroke> strokes(pieces.size(), CurveStroke(width, clip));
    layout.ForEachPoint(pieces, [&](size_t piece, const CurvePoint &p) { strokes[piece].Add(p); });

    // Each quadrant is stroked on its own; the steps from one quadrant to the next (and
    // from the end back to the start of a closed curve) are stroked as single pieces.
    CurveStroke joins(width, clip);
    const int64_t count = layout.Count();
    for (int64_t boundary = (first / count + 1) * count; boundary < last; boundary += count)
        joins.AddSegment(layout.PointAt(boundary - 1), layout.PointAt(boundary));
    if (closed) joins.AddSegment(layout.PointAt(last - 1), layout.PointAt(first));

    SpanList region;
    for (CurveStroke &stroke : strokes) stroke.AppendSpans(region);
    joins.AppendSpans(region);
    NormalizeSpans(region);
    out.insert(out.end(), region.begin(), region.end());
}

void ChainArc(const ArcLayout &layout, int64_t first, int64_t last, ClippedChain &chain) {
    if (last <= first) return;
    const std::vector<ArcPiece> pieces = layout.Pieces(first, last);
    std::vector<ClippedChain> parts;
    for (size_t i = 0; i < pieces.size(); ++i) parts.emplace_back(chain.Clip());
    layout.ForEachPoint(pieces, [&](size_t piece, const CurvePoint &p) { parts[piece].Add(p); });
    // Mirrored quadrants were walked backwards.
    for (size_t i = 0; i < pieces.size(); ++i) chain.Add(parts[i], pieces[i].quadrant % 2 != 0);
}

}  // namespace figplat::geom
