// Pie(): an arc closed by two radii through the centre, and the region it encloses.
#include "gdi/geom/arc_layout.h"
#include "gdi/geom/arc_trace.h"
#include "gdi/geom/curve_box.h"
#include "gdi/geom/curve_chain.h"
#include "gdi/geom/curve_wide.h"
#include "gdi/geom/geom.h"
#include "gdi/geom/spans.h"

namespace figplat::geom {

namespace {

POINT AsPoint(const CurvePoint &p) {
    return {static_cast<LONG>(p.x), static_cast<LONG>(p.y)};
}

}  // namespace

void PieOutline(RECT box, POINT start, POINT end, PenShape pen, RECT clip, SpanSink &out) {
    const CurveBox b = CurveBox::Ordered(box);
    if (b.Empty() || b.BeyondPointBuffer(3) || ClipIsEmpty(clip)) return;
    const ArcLayout layout(b);
    int64_t first = 0, last = 0;
    layout.ArcRange(start, end, first, last);
    // A start direction that lands on the very last position of a one-point-per-quadrant
    // walk (boxes two pixels wide) can meet an end at position 0 with no point between:
    // GDI then has only the centre and draws nothing.
    if (last <= first) return;
    const CurvePoint centre = b.Centre();
    const CurvePoint arcStart = layout.PointAt(first), arcEnd = layout.PointAt(last - 1);

    // With every point of the closed path on one pixel no step moves: a one-pixel pen
    // lights nothing, a wide one leaves its dot.
    const bool onePixel = AllPointsAre(layout, first, last, centre);
    SpanList region;
    SpanCollector collect(region);
    if (pen.width > 1 && onePixel) {
        const POINT dot[2] = {AsPoint(centre), AsPoint(centre)};
        WidePolyline(dot, 2, pen.width, false, clip, collect);
    } else if (pen.width > 1) {
        StrokeArc(layout, first, last, false, pen.width, clip, region);
        CurveStroke radii(pen.width, clip);
        radii.AddSegment(arcEnd, centre);
        radii.AddSegment(centre, arcStart);
        radii.AppendSpans(region);
    } else {
        if (onePixel) return;
        // The closed path lights every one of its points; the radii add their insides.
        CurvePixels pixels(clip);
        CollectArcPoints(layout, first, last, pixels);
        pixels.Add(centre);
        pixels.AppendSpans(region);
        CosmeticLine(AsPoint(arcEnd), AsPoint(centre), clip, collect);
        CosmeticLine(AsPoint(centre), AsPoint(arcStart), clip, collect);
    }
    NormalizeSpans(region);
    Emit(region, out);
}

void PieInterior(RECT box, POINT start, POINT end, RECT clip, SpanSink &out) {
    const CurveBox b = CurveBox::Ordered(box);
    if (b.Empty() || b.BeyondPointBuffer(3) || ClipIsEmpty(clip)) return;
    const ArcLayout layout(b);
    int64_t first = 0, last = 0;
    layout.ArcRange(start, end, first, last);
    ClippedChain chain(clip);
    ChainArc(layout, first, last, chain);
    chain.Add(b.Centre());
    const std::vector<POINT> &polygon = chain.Points();
    SpanList region;
    AppendPolygon(polygon.data(), static_cast<int>(polygon.size()), FillRule::Winding, clip, region);
    Emit(region, out);
}

}  // namespace figplat::geom
