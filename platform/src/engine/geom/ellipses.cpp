// Ellipse(): the outline and the interior the brush fills; and GDI's elliptic regions, the
// round discs of wide pens. All of them come from the quarter path (quarter_path.h).
#include "engine/geom/arc_layout.h"
#include "engine/geom/arc_strokes.h"
#include "engine/geom/curve.h"
#include "engine/geom/geom.h"
#include "engine/geom/spans.h"

#include <algorithm>

namespace figplat::geom {

void EllipseOutline(RECT box, PenShape pen, RECT clip, SpanSink &out) {
    const CurveBox b = CurveBox::Ordered(box);
    if (b.Empty() || ClipIsEmpty(clip)) return;
    if (b.Thin()) {
        if (pen.width > 1) WideRectangleOutline(box, pen.width, clip, out);
        else RectangleOutline(box, clip, out);
        return;
    }
    if (b.BeyondPointBuffer(2)) return;
    const ArcLayout layout(b);
    const bool boxVisible = b.left >= clip.left && b.top >= clip.top && b.right <= clip.right && b.bottom <= clip.bottom;
    if (pen.width > 1) StrokeArc(layout, layout.TurnStart(), layout.TurnEnd(), true, pen.width, clip, out);
    else if (boxVisible) LightWholeOutline(layout, out);
    else LightArc(layout, layout.TurnStart(), layout.TurnEnd(), clip, out);
}

namespace {

// The rows of a region built from the lower half of a quarter path: row j of the lower half
// is the path's row j, the upper half mirrors it, and each row runs `inset(j)` pixels in
// from both sides of [left, right). Only rows whose lower or mirrored row is visible are
// asked for, so a huge region costs its visible rows.
struct HalvedRows {
    int64_t left, top, right, height;  // height: the rows the region spans

    int64_t LowerRow(int64_t j) const { return top + height / 2 + j; }
    int64_t UpperRow(int64_t j) const { return top + height - 1 - height / 2 - j; }

    // Calls row(j) for every j whose lower or upper row lies in [clipTop, clipBottom).
    template <class Row>
    void ForVisible(const RECT &clip, int64_t lastJ, Row row) const {
        const int64_t lowerFrom = std::max<int64_t>(0, clip.top - LowerRow(0));
        const int64_t lowerTo = std::min<int64_t>(lastJ, clip.bottom - 1 - LowerRow(0));
        const int64_t upperFrom = std::max<int64_t>(0, UpperRow(0) - (clip.bottom - 1));
        const int64_t upperTo = std::min<int64_t>(lastJ, UpperRow(0) - clip.top);
        if (lowerFrom > lowerTo) return row(upperFrom, upperTo);
        if (upperFrom > upperTo) return row(lowerFrom, lowerTo);
        if (std::max(lowerFrom, upperFrom) <= std::min(lowerTo, upperTo) + 1)  // overlapping or adjacent
            return row(std::min(lowerFrom, upperFrom), std::max(lowerTo, upperTo));
        row(lowerFrom, lowerTo);
        row(upperFrom, upperTo);
    }

    void Emit(int64_t y, int64_t inset, const RECT &clip, SpanSink &out) const {
        EmitClippedSpan(out, y, left + inset, right - inset, clip);
    }
};

}  // namespace

// Each row runs between the outermost outline points of that row, both included, as the
// quarter walk first reaches it; the middle row (two rows for an even height) spans the
// whole box. GDI builds the rows from the lower half and mirrors them, so a walk that gives
// up before the last row (very narrow ellipses) leaves the rows beyond it unfilled, like
// the outline. The walk here runs one column further than the outline's for even widths.
void EllipseInterior(RECT box, RECT clip, SpanSink &out) {
    const CurveBox b = CurveBox::Ordered(box);
    if (b.Empty() || ClipIsEmpty(clip)) return;
    if (b.Thin()) {
        // Rectangle()'s brush without a pen; with one the pen covers all of this anyway.
        EmitClippedBox(out, b.left, b.top, b.right - 1, b.bottom - 1, clip);
        return;
    }
    if (b.BeyondPointBuffer(2)) return;
    const int64_t w = b.Width(), h = b.Height();
    const QuarterPath path(w, h, (w - 1) - w / 2);
    const HalvedRows rows{b.left, b.top, b.right, h};
    const int64_t lastJ = h - 1 - h / 2;  // the lower half's last row inside the box
    SpanBatch batch(out);
    rows.ForVisible(clip, lastJ, [&](int64_t from, int64_t to) {
        path.ForEachEntry(from, to, [&](int64_t j, int64_t inset) {
            rows.Emit(rows.LowerRow(j), inset, clip, batch);
            if (j > 0 || h % 2 == 0) rows.Emit(rows.UpperRow(j), inset, clip, batch);
        });
    });
}

namespace {

// CreateEllipticRgn's rows, cut to rows [rowFrom, rowTo) and to `clip`: the corners are
// ordered, the right column and bottom row dropped, and the rows come from the quarter path
// of that smaller box, run as far as the filled ellipse's. Rows its walk never reaches keep
// the full width.
template <class Emit>
void RegionRows(const Box64 &box, int64_t rowFrom, int64_t rowTo, const RECT &clip, Emit emit) {
    const int64_t left = std::min(box.left, box.right), right = std::max(box.left, box.right) - 1;
    const int64_t top = std::min(box.top, box.bottom), bottom = std::max(box.top, box.bottom) - 1;
    const int64_t width = right - left, height = bottom - top;
    if (width < 2 || height < 2) {
        // Too thin for an ellipse: the plain rectangle, corners ordered again, so an empty
        // box (right == left) still yields the column just left of it.
        const int64_t y0 = std::max(std::min(top, bottom), rowFrom), y1 = std::min(std::max(top, bottom), rowTo);
        for (int64_t y = std::max<int64_t>(y0, clip.top); y < std::min<int64_t>(y1, clip.bottom); ++y)
            emit(y, std::min(left, right), std::max(left, right));
        return;
    }
    const QuarterPath path(width, height, (width - 1) - width / 2);
    const HalvedRows rows{left, top, right, height};
    const RECT window{clip.left, static_cast<LONG>(std::max<int64_t>(clip.top, rowFrom)), clip.right,
                      static_cast<LONG>(std::min<int64_t>(clip.bottom, rowTo))};
    if (window.top >= window.bottom) return;
    const int64_t lastJ = height - 1 - height / 2;
    auto both = [&](int64_t j, int64_t inset) {
        auto one = [&](int64_t y) {
            if (y >= window.top && y < window.bottom) emit(y, left + inset, right - inset);
        };
        one(rows.LowerRow(j));
        if (j > 0 || height % 2 == 0) one(rows.UpperRow(j));  // an odd height's middle row is both
    };
    rows.ForVisible(window, lastJ, [&](int64_t from, int64_t to) {
        int64_t next = from;
        path.ForEachEntry(from, to, [&](int64_t j, int64_t inset) {
            both(j, inset);
            next = j + 1;
        });
        for (int64_t j = next; j <= to; ++j) both(j, 0);
    });
}

}  // namespace

SpanList EllipticRegionShape(RECT box) {
    SpanList rows;
    const RECT everywhere{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    RegionRows({box.left, box.top, box.right, box.bottom}, INT32_MIN, INT32_MAX, everywhere,
               [&](int64_t y, int64_t x0, int64_t x1) { AppendClippedSpan(rows, y, x0, x1, everywhere); });
    NormalizeSpans(rows);
    return rows;
}

void AppendEllipticRegion64(const Box64 &box, const RECT &clip, SpanList &out) {
    if (ClipIsEmpty(clip)) return;
    const size_t first = out.size();
    RegionRows(box, clip.top, clip.bottom, clip,
               [&](int64_t y, int64_t x0, int64_t x1) { AppendClippedSpan(out, y, x0, x1, clip); });
    // One span per row, the halves mirrored: into row order.
    std::sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(),
              [](const Span &p, const Span &q) { return p.y < q.y; });
}

}  // namespace figplat::geom
