// What the shape geometry tests share: a small odd-sized canvas and spans as pixel sets.
#pragma once

#include "engine/geom/geom.h"
#include "engine/geom/quarter_path.h"
#include "engine/geom/spans.h"

#include <set>
#include <string>
#include <utility>

namespace figplat::geom {

// "y:x0-x1 y:x0-x1 ...": a shape in a failure message, or two compared at once.
inline std::string FormatSpans(const SpanList &spans) {
    std::string text;
    for (const Span &s : spans) {
        if (!text.empty()) text += ' ';
        text += std::to_string(s.y) + ':' + std::to_string(s.x0) + '-' + std::to_string(s.x1);
    }
    return text;
}

// The canonical form the shapes promise: sorted, no empty span, none overlapping or touching
// another of its row.
inline bool IsNormalized(const SpanList &spans) {
    for (size_t i = 0; i < spans.size(); ++i) {
        if (spans[i].x1 <= spans[i].x0) return false;
        if (i == 0) continue;
        const Span &prev = spans[i - 1];
        if (prev.y > spans[i].y) return false;
        if (prev.y == spans[i].y && prev.x1 >= spans[i].x0) return false;
    }
    return true;
}

// A whole shape cut to `clip` afterwards, in place: what drawing it clipped must give.
inline void ClipSpans(SpanList &spans, const RECT &clip) {
    SpanList kept;
    kept.reserve(spans.size());
    for (const Span &s : spans) AppendClippedSpan(kept, s.y, s.x0, s.x1, clip);
    spans.swap(kept);
}

// CreateEllipticRgn(box) cut to `clip`.
inline void AppendEllipticRegion(RECT box, const RECT &clip, SpanList &out) {
    AppendEllipticRegion64(Box64{box.left, box.top, box.right, box.bottom}, clip, out);
}

// The shapes into a list in canonical form (sorted, merged), as the tests compare them.
template <typename Draw>
void CollectNormalized(SpanList &out, Draw draw) {
    SpanList shape;
    SpanCollector sink(shape);
    draw(sink);
    NormalizeSpans(shape);
    out.insert(out.end(), shape.begin(), shape.end());
}

inline void CosmeticLine(POINT from, POINT to, RECT clip, SpanList &out) {
    CollectNormalized(out, [&](SpanSink &s) { CosmeticLine(from, to, clip, s); });
}
inline void RectangleOutline(RECT box, RECT clip, SpanList &out) {
    CollectNormalized(out, [&](SpanSink &s) { RectangleOutline(box, clip, s); });
}
inline void RectangleInterior(RECT box, bool hasPen, RECT clip, SpanList &out) {
    CollectNormalized(out, [&](SpanSink &s) { RectangleInterior(box, hasPen, clip, s); });
}
inline void EllipseOutline(RECT box, PenShape pen, RECT clip, SpanList &out) {
    CollectNormalized(out, [&](SpanSink &s) { EllipseOutline(box, pen, clip, s); });
}
inline void EllipseInterior(RECT box, RECT clip, SpanList &out) {
    CollectNormalized(out, [&](SpanSink &s) { EllipseInterior(box, clip, s); });
}
inline void ArcOutline(RECT box, POINT start, POINT end, PenShape pen, RECT clip, SpanList &out) {
    CollectNormalized(out, [&](SpanSink &s) { ArcOutline(box, start, end, pen, clip, s); });
}
inline void PieOutline(RECT box, POINT start, POINT end, PenShape pen, RECT clip, SpanList &out) {
    CollectNormalized(out, [&](SpanSink &s) { PieShape(box, start, end, clip).Outline(pen, s); });
}
inline void PieInterior(RECT box, POINT start, POINT end, RECT clip, SpanList &out) {
    CollectNormalized(out, [&](SpanSink &s) { PieShape(box, start, end, clip).Interior(s); });
}
inline void WidePolyline(const POINT *points, int count, int width, bool closed, RECT clip, SpanList &out) {
    CollectNormalized(out, [&](SpanSink &s) { WidePolyline(points, count, width, closed, clip, s); });
}
inline void WideRectangleOutline(RECT box, int width, RECT clip, SpanList &out) {
    CollectNormalized(out, [&](SpanSink &s) { WideRectangleOutline(box, width, clip, s); });
}

}  // namespace figplat::geom

namespace figplat::geom::testing {

// The curve work (walked points and closed-form evaluations) `draw` costs.
template <typename Draw>
int64_t CurveWork(Draw draw) {
    const int64_t before = CurveWorkDone();
    draw();
    return CurveWorkDone() - before;
}

// A curve's cost must follow the clip, not the box: walking a whole quarter of the boxes
// below would take at least 50000 steps, the visible part takes a few hundred.
constexpr int64_t kVisibleWorkLimit = 2000;

constexpr RECT kCanvas{0, 0, 37, 29};
using Pixels = std::set<std::pair<int, int>>;  // (y, x)

inline Pixels ToPixels(const SpanList &spans) {
    Pixels pixels;
    for (const Span &s : spans)
        for (int x = s.x0; x < s.x1; ++x) pixels.insert({s.y, x});
    return pixels;
}

}  // namespace figplat::geom::testing
