// Wide solid pens: polylines and the Rectangle() outline as one region.
//
// The region is the union of every piece's body and a round disc at every vertex (end
// caps and round joins use the same disc), painted once.
#include "gdi/geom/geom.h"
#include "gdi/geom/spans.h"
#include "gdi/geom/wide_segment.h"

#include <algorithm>
#include <vector>

namespace figplat::geom {

namespace {

bool SamePoint(const POINT &a, const POINT &b) {
    return a.x == b.x && a.y == b.y;
}

// The disc GDI stamps at a vertex: its elliptic region for the box from -w/2 to
// (w+1)/2 + 1, which (with the region's dropped right column and bottom row) is w pixels
// across, the odd pixel of an even width going up and left like the straight pieces.
Box64 PenDiscBox(int width, POINT centre) {
    const int64_t low = -(int64_t{width} / 2), high = (int64_t{width} + 1) / 2 + 1;
    return {centre.x + low, centre.y + low, centre.x + high, centre.y + high};
}

// Pens up to this width build their disc once and stamp it; wider ones (far wider than
// any bitmap) compute each disc's visible rows on their own to keep memory bounded.
constexpr int kLargestStampedDisc = 4096;

void AppendDiscs(const std::vector<POINT> &path, int width, const RECT &clip, SpanList &region) {
    if (width > kLargestStampedDisc) {
        for (const POINT &p : path) AppendEllipticRegion64(PenDiscBox(width, p), clip, region);
        return;
    }
    const Box64 box = PenDiscBox(width, POINT{0, 0});
    const SpanList disc = EllipticRegionShape(RECT{static_cast<LONG>(box.left), static_cast<LONG>(box.top),
                                                   static_cast<LONG>(box.right), static_cast<LONG>(box.bottom)});
    for (const POINT &p : path) AppendOffsetSpans(region, disc, p.x, p.y, clip);
}

// Repeated points at either end of the path are dropped before drawing, as GDI does (for
// closed paths too); the disc at the surviving end point covers them.
std::vector<POINT> TrimRepeatedEnds(const POINT *points, int count) {
    int first = 0, last = count - 1;
    while (last - first + 1 > 2 && SamePoint(points[first], points[first + 1])) ++first;
    while (last - first + 1 > 2 && SamePoint(points[last], points[last - 1])) --last;
    return std::vector<POINT>(points + first, points + last + 1);
}

// A one-pixel pen is cosmetic whatever path it comes from: each line on its own.
void CosmeticPolyline(const POINT *points, int count, bool closed, RECT clip, SpanSink &out) {
    for (int i = 0; i + 1 < count; ++i) CosmeticLine(points[i], points[i + 1], clip, out);
    if (closed) CosmeticLine(points[count - 1], points[0], clip, out);
}

}  // namespace

void WidePolyline(const POINT *points, int count, int width, bool closed, RECT clip, SpanSink &out) {
    if (points == nullptr || count < 2 || ClipIsEmpty(clip)) return;
    if (width <= 1) {
        CosmeticPolyline(points, count, closed, clip, out);
        return;
    }
    const std::vector<POINT> path = TrimRepeatedEnds(points, count);
    const size_t n = path.size();

    SpanList region;
    AppendDiscs(path, width, clip, region);
    const size_t pieces = closed ? n : n - 1;
    for (size_t i = 0; i < pieces; ++i)
        AppendWideSegmentBody(path[i], path[(i + 1) % n], width, clip, region);

    Emit(region, out);
}

void WideRectangleOutline(RECT box, int width, RECT clip, SpanSink &out) {
    const LONG left = std::min(box.left, box.right), right = std::max(box.left, box.right);
    const LONG top = std::min(box.top, box.bottom), bottom = std::max(box.top, box.bottom);
    if (left == right || top == bottom) return;
    // The pen runs through the same pixel centres as the one-pixel outline: columns
    // left..right-1 and rows top..bottom-1, counter-clockwise from the top right.
    const POINT corners[4] = {{right - 1, top}, {left, top}, {left, bottom - 1}, {right - 1, bottom - 1}};
    WidePolyline(corners, 4, width, true, clip, out);
}

}  // namespace figplat::geom
