// Arc(): an open piece of the ellipse outline between two radials.
#include "gdi/geom/arc_layout.h"
#include "gdi/geom/arc_trace.h"
#include "gdi/geom/curve_box.h"
#include "gdi/geom/geom.h"
#include "gdi/geom/spans.h"

namespace figplat::geom {

namespace {

// GDI draws the arc as a polyline through its points with a one-pixel pen: each step
// lights its start pixel, never its end, and a step that does not move lights nothing.
// So the last point is dropped, together with any copies of it just before it (where
// mirrored quadrants meet on an axis).
int64_t LitEnd(const ArcLayout &layout, int64_t first, int64_t last) {
    int64_t end = last - 1;
    while (end > first && layout.PointAt(end - 1) == layout.PointAt(end)) --end;
    return end;
}

}  // namespace

void ArcOutline(RECT box, POINT start, POINT end, PenShape pen, RECT clip, SpanSink &out) {
    const CurveBox b = CurveBox::Ordered(box);
    if (b.Empty() || b.BeyondPointBuffer(3) || ClipIsEmpty(clip)) return;
    const ArcLayout layout(b);
    int64_t first = 0, last = 0;
    layout.ArcRange(start, end, first, last);
    if (pen.width > 1) {
        SpanList region;
        StrokeArc(layout, first, last, false, pen.width, clip, region);
        Emit(region, out);
        return;
    }
    CurvePixels pixels(clip);
    CollectArcPoints(layout, first, LitEnd(layout, first, last), pixels);
    SpanList spans;
    pixels.AppendSpans(spans);
    Emit(spans, out);
}

}  // namespace figplat::geom
