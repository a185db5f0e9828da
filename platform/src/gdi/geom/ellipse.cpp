// Ellipse(): the outline and the interior the brush fills.
#include "gdi/geom/arc_layout.h"
#include "gdi/geom/arc_trace.h"
#include "gdi/geom/curve_box.h"
#include "gdi/geom/ellipse_interior.h"
#include "gdi/geom/geom.h"
#include "gdi/geom/spans.h"

namespace figplat::geom {

void EllipseOutline(RECT box, PenShape pen, RECT clip, SpanSink &out) {
    const CurveBox b = CurveBox::Ordered(box);
    if (b.Empty() || ClipIsEmpty(clip)) return;
    if (b.Thin()) {
        if (pen.width > 1)
            WideRectangleOutline(box, pen.width, clip, out);
        else
            RectangleOutline(box, clip, out);
        return;
    }
    if (b.BeyondPointBuffer(2)) return;
    const ArcLayout layout(b);
    const int64_t all = 4 * layout.Count();
    if (pen.width > 1) {
        SpanList region;
        StrokeArc(layout, 0, all, true, pen.width, clip, region);
        Emit(region, out);
        return;
    }
    CurvePixels pixels(clip);
    CollectArcPoints(layout, 0, all, pixels);
    SpanList spans;
    pixels.AppendSpans(spans);
    Emit(spans, out);
}

void EllipseInterior(RECT box, RECT clip, SpanSink &out) {
    const CurveBox b = CurveBox::Ordered(box);
    if (b.Empty() || ClipIsEmpty(clip)) return;
    if (b.Thin()) {
        // Rectangle()'s brush without a pen; with one the pen covers all of this anyway.
        EmitClippedBox(out, b.left, b.top, b.right - 1, b.bottom - 1, clip);
        return;
    }
    if (b.BeyondPointBuffer(2)) return;
    SpanList rows;
    AppendEllipseRows(b, clip, rows);
    Emit(rows, out);
}

}  // namespace figplat::geom
