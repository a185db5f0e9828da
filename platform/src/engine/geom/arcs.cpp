// Arc() and Pie(): an open piece of the ellipse outline between two radials, and that piece
// closed by two radii through the centre, with the region it encloses.
#include "engine/geom/arc_layout.h"
#include "engine/geom/arc_strokes.h"
#include "engine/geom/curve.h"
#include "engine/geom/geom.h"
#include "engine/geom/spans.h"
#include "engine/geom/wide_pens.h"

namespace figplat::geom {

namespace {

POINT AsPoint(const CurvePoint &p) { return {static_cast<LONG>(p.x), static_cast<LONG>(p.y)}; }

// Arc() and Pie() share their set-up: the ordered box, GDI's limits, the layout and the
// positions the radials pick. False when nothing is drawn.
struct ArcSetup {
    CurveBox box;
    std::optional<ArcLayout> layout;
    ArcPosition first{}, last{};

    ArcSetup(const RECT &r, POINT start, POINT end, const RECT &clip) : box(CurveBox::Ordered(r)) {
        if (box.Empty() || box.BeyondPointBuffer(3) || ClipIsEmpty(clip)) return;
        layout.emplace(box);
        layout->ArcRange(start, end, first, last);
    }
    explicit operator bool() const { return layout.has_value(); }
};

}  // namespace

struct PieShape::Arc : ArcSetup {
    using ArcSetup::ArcSetup;
};

void ArcOutline(RECT box, POINT start, POINT end, PenShape pen, RECT clip, SpanSink &out) {
    const ArcSetup arc(box, start, end, clip);
    if (!arc) return;
    if (pen.width > 1) StrokeArc(*arc.layout, arc.first, arc.last, false, pen.width, clip, out);
    else LightArc(*arc.layout, arc.first, LitEnd(*arc.layout, arc.first, arc.last), clip, out);
}

PieShape::PieShape(RECT box, POINT start, POINT end, RECT clip)
    : arc_(std::make_unique<Arc>(box, start, end, clip)), clip_(clip) {}
PieShape::~PieShape() = default;

void PieShape::Outline(PenShape pen, SpanSink &out) const {
    const ArcSetup &arc = *arc_;
    const RECT &clip = clip_;
    // A start direction that lands on the very last position of a one-point-per-quadrant
    // walk (boxes two pixels wide) can meet an end at position 0 with no point between:
    // GDI then has only the centre and draws nothing.
    if (!arc || !arc.layout->Less(arc.first, arc.last)) return;
    const ArcLayout &layout = *arc.layout;
    const CurvePoint centre = arc.box.Centre();
    const CurvePoint arcStart = layout.PointAt(arc.first), arcEnd = layout.PointAt(layout.Before(arc.last));

    // With every point of the closed path on one pixel no step moves: a one-pixel pen
    // lights nothing, a wide one leaves its dot.
    const bool onePixel = AllPointsAre(layout, arc.first, arc.last, centre);
    if (pen.width > 1 && onePixel) {
        const POINT dot[2] = {AsPoint(centre), AsPoint(centre)};
        WidePolyline(dot, 2, pen.width, false, clip, out);
    } else if (pen.width > 1) {
        StrokeArc(layout, arc.first, arc.last, false, pen.width, clip, out);
        CurveStroke radii(pen.width, clip, out);
        radii.AddSegment(arcEnd, centre);
        radii.AddSegment(centre, arcStart);
    } else if (!onePixel) {
        // The closed path lights every one of its points; the radii add their insides.
        LightArc(layout, arc.first, arc.last, clip, out);
        if (InsideClip(centre, clip)) out.Span(static_cast<int32_t>(centre.y), static_cast<int32_t>(centre.x),
                                               static_cast<int32_t>(centre.x + 1));
        CosmeticLine(AsPoint(arcEnd), AsPoint(centre), clip, out);
        CosmeticLine(AsPoint(centre), AsPoint(arcStart), clip, out);
    }
}

void PieShape::Interior(SpanSink &out) const {
    const ArcSetup &arc = *arc_;
    const RECT &clip = clip_;
    if (!arc) return;
    ClippedChain chain(clip);
    ChainArc(*arc.layout, arc.first, arc.last, chain);
    chain.Add(arc.box.Centre());
    const std::vector<POINT> &polygon = chain.Points();
    SpanList region;
    AppendPolygon(polygon.data(), static_cast<int>(polygon.size()), FillRule::Winding, clip, region);
    Emit(region, out);
}

}  // namespace figplat::geom
