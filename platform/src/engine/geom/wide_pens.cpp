// Wide solid pens: polylines and the Rectangle() outline as one region, and strokes along
// curves (wide_pens.h).
//
// The region is the union of every piece's body and a round disc at every vertex (end
// caps and round joins use the same disc).
#include "engine/geom/wide_pens.h"

#include "engine/geom/spans.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace figplat::geom {

namespace {

// Rounds half away from zero, then truncates towards zero as an integer store would.
int64_t RoundAway(double v) {
    return static_cast<int64_t>(v > 0 ? v + 0.5 : v - 0.5);
}

// A slanted piece is the quadrilateral between two lines parallel to it. GDI rounds the
// pen's half-width projections separately for the two sides: one side gets round(w/2),
// the other round((w+1)/2) along each axis, so odd and even widths straddle the path the
// same way the axis-aligned rectangles do.
void SlantedBody(POINT from, POINT to, int width, const RECT &clip, SpanList &out) {
    const int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
    const double length = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
    const double spanX = width * static_cast<double>(std::llabs(dy)) / length;
    const double spanY = width * static_cast<double>(std::llabs(dx)) / length;

    Point64 small{RoundAway(spanX / 2), RoundAway(spanY / 2)};
    Point64 large{RoundAway((spanX + 1) / 2), RoundAway((spanY + 1) / 2)};
    if (dx < 0) {
        small.y = -small.y;
        large.y = -large.y;
    }
    if (dy < 0) {
        std::swap(small, large);
        small.x = -small.x;
        large.x = -large.x;
    }
    // Corners in path order: start on the small side, start and end on the large side,
    // end on the small side.
    const Point64 corners[4] = {
        {from.x - small.x, from.y + small.y},
        {from.x + large.x, from.y - large.y},
        {to.x + large.x, to.y - large.y},
        {to.x - small.x, to.y + small.y},
    };
    AppendPolygon(corners, 4, FillRule::Alternate, clip, out);
}

}  // namespace

// Axis-aligned pieces are rectangles, others quadrilaterals.
void AppendWideSegmentBody(POINT from, POINT to, int width, const RECT &clip, SpanList &out) {
    const int64_t half = width / 2;  // an even width's extra row or column goes above / left
    if (from.y == to.y) {
        if (from.x == to.x) return;
        AppendClippedRect(out, std::min(from.x, to.x), from.y - half, std::max(from.x, to.x),
                          from.y - half + width, clip);
    } else if (from.x == to.x) {
        AppendClippedRect(out, from.x - half, std::min(from.y, to.y), from.x - half + width,
                          std::max(from.y, to.y), clip);
    } else {
        SlantedBody(from, to, width, clip, out);
    }
}

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

// The disc of a pen width round (0, 0); a thread keeps the last one it built, as pens are
// used for many calls in a row.
const SpanList &DiscShape(int width) {
    thread_local int lastWidth = 0;
    thread_local SpanList disc;
    if (width != lastWidth) {
        const Box64 box = PenDiscBox(width, POINT{0, 0});
        disc = EllipticRegionShape(RECT{static_cast<LONG>(box.left), static_cast<LONG>(box.top),
                                        static_cast<LONG>(box.right), static_cast<LONG>(box.bottom)});
        lastWidth = width;
    }
    return disc;
}

}  // namespace

SpanList PenDisc(int width) {
    const Box64 box = PenDiscBox(width, POINT{0, 0});
    SpanList disc;
    disc.reserve(static_cast<size_t>(width) + 2);
    AppendEllipticRegion64(box, RECT{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, disc);
    return disc;
}

namespace {

void AppendDiscs(const std::vector<POINT> &path, int width, const RECT &clip, SpanList &region) {
    if (width > kLargestStampedDisc) {
        for (const POINT &p : path) AppendEllipticRegion64(PenDiscBox(width, p), clip, region);
        return;
    }
    const SpanList &disc = DiscShape(width);
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

// How far from a vertex its disc surely reaches: the radius is w/2, the centre within half a
// pixel of the vertex, and GDI's elliptic region holds every pixel more than a pixel inside.
double HoldingReach(int width) { return width / 2.0 - 3; }

}  // namespace

bool DiscCanHoldClip(int width, const RECT &clip) {
    const double reach = HoldingReach(width);
    const double clipWidth = static_cast<double>(clip.right) - clip.left;
    const double clipHeight = static_cast<double>(clip.bottom) - clip.top;
    return reach > 0 && 4 * reach * reach >= clipWidth * clipWidth + clipHeight * clipHeight;
}

bool DiscHoldsClip(const CurvePoint &centre, int width, const RECT &clip) {
    const double reach = HoldingReach(width);
    const double xs[2] = {static_cast<double>(clip.left), clip.right - 1.0};
    const double ys[2] = {static_cast<double>(clip.top), clip.bottom - 1.0};
    for (double x : xs)
        for (double y : ys) {
            const double dx = x - static_cast<double>(centre.x), dy = y - static_cast<double>(centre.y);
            if (dx * dx + dy * dy > reach * reach) return false;
        }
    return true;
}

void EmitWholeClip(const RECT &clip, SpanSink &out) {
    SpanList whole;
    AppendClippedRect(whole, clip.left, clip.top, clip.right, clip.bottom, clip);
    Emit(whole, out);
}

void WidePolyline(const POINT *points, int count, int width, bool closed, RECT clip, SpanSink &out) {
    if (points == nullptr || count < 2 || ClipIsEmpty(clip)) return;
    if (width <= 1) {
        CosmeticPolyline(points, count, closed, clip, out);
        return;
    }
    const std::vector<POINT> path = TrimRepeatedEnds(points, count);
    const size_t n = path.size();
    if (DiscCanHoldClip(width, clip)) {
        for (const POINT &p : path)
            if (DiscHoldsClip({p.x, p.y}, width, clip)) return EmitWholeClip(clip, out);
    }

    // Room for a row of each piece and of each disc, for a path a few rows tall.
    int64_t top = path[0].y, bottom = path[0].y;
    for (const POINT &p : path) top = std::min<int64_t>(top, p.y), bottom = std::max<int64_t>(bottom, p.y);
    const int64_t rows = std::min<int64_t>(bottom - top, int64_t{clip.bottom} - clip.top) + width + 1;
    SpanList region;
    // In 64 bits: a pen as wide as INT_MAX must not wrap the estimate negative.
    region.reserve(static_cast<size_t>(std::min<int64_t>(rows * 2 + int64_t(n) * (int64_t{width} + 1), 1 << 16)));
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


CurveStroke::CurveStroke(int width, const RECT &clip, SpanSink &out) : width_(width), clip_(clip), out_(out) {}

bool CurveStroke::Near(const CurvePoint &p) const {
    const int64_t margin = Margin();
    return p.x >= clip_.left - margin && p.x < clip_.right + margin && p.y >= clip_.top - margin &&
           p.y < clip_.bottom + margin;
}

void CurveStroke::Add(const CurvePoint &p) {
    if (havePrevious_ && p == previous_) return;
    if (Near(p) || (havePrevious_ && Near(previous_))) {
        if (run_.empty() && havePrevious_)
            run_.push_back({static_cast<LONG>(previous_.x), static_cast<LONG>(previous_.y)});
        run_.push_back({static_cast<LONG>(p.x), static_cast<LONG>(p.y)});
    } else {
        Flush();
    }
    previous_ = p;
    havePrevious_ = true;
}

void CurveStroke::AddSegment(const CurvePoint &from, const CurvePoint &to) {
    Flush();
    havePrevious_ = false;
    if (from == to) return;
    const POINT ends[2] = {{static_cast<LONG>(from.x), static_cast<LONG>(from.y)},
                           {static_cast<LONG>(to.x), static_cast<LONG>(to.y)}};
    WidePolyline(ends, 2, width_, false, clip_, out_);
}

void CurveStroke::Flush() {
    if (run_.size() >= 2) WidePolyline(run_.data(), static_cast<int>(run_.size()), width_, false, clip_, out_);
    run_.clear();
}

}  // namespace figplat::geom
