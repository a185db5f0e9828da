#include "gdi/geom/ellipse_interior.h"

#include "gdi/geom/curve_quadrant.h"
#include "gdi/geom/spans.h"

#include <algorithm>

namespace figplat::geom {

namespace {

// Emits the row `offset` rows into the lower half (counted from the box's top) and its
// mirror in the upper half, when visible.
class RowSink {
public:
    RowSink(const CurveBox &box, const RECT &clip, SpanList &out) : box_(box), clip_(clip), out_(out) {}

    void Row(int64_t offset, int64_t inset) {
        const int64_t h = box_.Height(), last = h - 1;
        if (offset > last) return;
        Emit(box_.top + offset, inset);
        if (last - offset < h / 2) Emit(box_.top + last - offset, inset);
    }

private:
    void Emit(int64_t y, int64_t inset) {
        if (y >= clip_.top && y < clip_.bottom) AppendClippedSpan(out_, y, box_.left + inset, box_.right - inset, clip_);
    }
    const CurveBox &box_;
    const RECT &clip_;
    SpanList &out_;
};

}  // namespace

void AppendEllipseRows(const CurveBox &box, const RECT &clip, SpanList &out) {
    const int64_t w = box.Width(), h = box.Height(), a = w - 1;
    SpanList rows;
    RowSink sink(box, clip, rows);
    sink.Row(h / 2, 0);
    for (QuadrantWalk walk(w, h, a - w / 2); !walk.Done();) {
        const int64_t row = walk.Y();
        walk.Next();
        if (walk.Y() != row) sink.Row(walk.Y(), a - walk.X());
    }
    std::sort(rows.begin(), rows.end(), [](const Span &p, const Span &q) { return p.y < q.y; });
    out.insert(out.end(), rows.begin(), rows.end());
}

}  // namespace figplat::geom
