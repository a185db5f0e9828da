// Ellipse(): the outline and the interior the brush fills.
#include "gdi/geom/arc_layout.h"
#include "gdi/geom/arc_trace.h"
#include "gdi/geom/curve_box.h"
#include "gdi/geom/ellipse_interior.h"
#include "gdi/geom/geom.h"
#include "gdi/geom/span_list.h"

namespace figplat::geom {

void EllipseOutline(RECT box, PenShape pen, RECT clip, SpanList &out) {
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
        StrokeArc(layout, 0, all, true, pen.width, clip, out);
        return;
    }
    CurvePixels pixels(clip);
    CollectArcPoints(layout, 0, all, pixels);
    pixels.AppendSpans(out);
}

void EllipseInterior(RECT box, RECT clip, SpanList &out) {
    const CurveBox b = CurveBox::Ordered(box);
    if (b.Empty() || ClipIsEmpty(clip)) return;
    if (b.Thin()) {
        // Rectangle()'s brush without a pen; with one the pen covers all of this anyway.
        AppendClippedRect(out, b.left, b.top, b.right - 1, b.bottom - 1, clip);
        return;
    }
    if (b.BeyondPointBuffer(2)) return;
    AppendEllipseRows(b, clip, out);
}

}  // namespace figplat::geom
