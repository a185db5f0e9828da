#include "engine/geom/spans.h"

#include <algorithm>
#include <cstdlib>

namespace figplat::geom {

namespace {

bool SpanLess(const Span &a, const Span &b) {
    return a.y != b.y ? a.y < b.y : a.x0 < b.x0;
}

// Floor division for a positive divisor, exact for any sign of the dividend.
__int128 FloorDiv(__int128 num, __int128 den) {
    __int128 q = num / den;
    if ((num % den) != 0 && num < 0) --q;
    return q;
}

__int128 CeilDiv(__int128 num, __int128 den) {
    return -FloorDiv(-num, den);
}

}  // namespace

void NormalizeSpans(SpanList &spans) {
    std::erase_if(spans, [](const Span &s) { return s.x1 <= s.x0; });
    std::sort(spans.begin(), spans.end(), SpanLess);
    size_t kept = 0;
    for (size_t i = 0; i < spans.size(); ++i) {
        if (kept > 0 && spans[kept - 1].y == spans[i].y && spans[i].x0 <= spans[kept - 1].x1) {
            spans[kept - 1].x1 = std::max(spans[kept - 1].x1, spans[i].x1);
        } else {
            spans[kept++] = spans[i];
        }
    }
    spans.resize(kept);
}


bool ClipIsEmpty(const RECT &clip) {
    return clip.right <= clip.left || clip.bottom <= clip.top;
}

void SpanSink::Box(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    for (int32_t y = top; y < bottom; ++y) Span(y, left, right);
}

// Row by row: an x-major line's pixels of one row form one run.
void SpanSink::Line(const LineSteps &line) {
    int32_t x = line.x, y = line.y, runStart = x;
    int64_t error = line.error;
    for (int64_t n = 0; n < line.count; ++n) {
        const bool minorStep = error > 0;
        if (minorStep) error -= line.errorDown;
        error += line.errorUp;
        if (!line.xMajor) {
            Span(y, x, x + 1);
            y += line.yStep;
            if (minorStep) x += line.xStep;
            continue;
        }
        if (n + 1 == line.count || minorStep) {
            Span(y, std::min(runStart, x), std::max(runStart, x) + 1);
            runStart = x + line.xStep;
            if (minorStep) y += line.yStep;
        }
        x += line.xStep;
    }
}

void EmitClippedSpan(SpanSink &out, int64_t y, int64_t x0, int64_t x1, const RECT &clip) {
    if (y < clip.top || y >= clip.bottom) return;
    x0 = std::max<int64_t>(x0, clip.left);
    x1 = std::min<int64_t>(x1, clip.right);
    if (x0 < x1) out.Span(static_cast<int32_t>(y), static_cast<int32_t>(x0), static_cast<int32_t>(x1));
}

void EmitClippedBox(SpanSink &out, int64_t left, int64_t top, int64_t right, int64_t bottom, const RECT &clip) {
    left = std::max<int64_t>(left, clip.left);
    right = std::min<int64_t>(right, clip.right);
    top = std::max<int64_t>(top, clip.top);
    bottom = std::min<int64_t>(bottom, clip.bottom);
    if (left < right && top < bottom)
        out.Box(static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
                static_cast<int32_t>(bottom));
}

void SpanSink::Spans(const geom::Span *spans, size_t count) {
    for (size_t i = 0; i < count; ++i) Span(spans[i].y, spans[i].x0, spans[i].x1);
}

void Emit(const SpanList &spans, SpanSink &out) {
    if (!spans.empty()) out.Spans(spans.data(), spans.size());
}

void AppendClippedSpan(SpanList &out, int64_t y, int64_t x0, int64_t x1, const RECT &clip) {
    if (y < clip.top || y >= clip.bottom) return;
    x0 = std::max<int64_t>(x0, clip.left);
    x1 = std::min<int64_t>(x1, clip.right);
    if (x0 >= x1) return;
    out.push_back({static_cast<int32_t>(y), static_cast<int32_t>(x0), static_cast<int32_t>(x1)});
}

void AppendClippedRect(SpanList &out, int64_t left, int64_t top, int64_t right, int64_t bottom,
                       const RECT &clip) {
    left = std::max<int64_t>(left, clip.left);
    right = std::min<int64_t>(right, clip.right);
    top = std::max<int64_t>(top, clip.top);
    bottom = std::min<int64_t>(bottom, clip.bottom);
    if (left >= right || top >= bottom) return;
    for (int64_t y = top; y < bottom; ++y)
        out.push_back({static_cast<int32_t>(y), static_cast<int32_t>(left), static_cast<int32_t>(right)});
}

void AppendOffsetSpans(SpanList &out, const SpanList &shape, int64_t dx, int64_t dy,
                       const RECT &clip) {
    // Shapes are sorted by row: skip straight to the rows that land inside the clip.
    const int64_t firstRow = int64_t{clip.top} - dy;
    auto it = std::lower_bound(shape.begin(), shape.end(), firstRow,
                               [](const Span &s, int64_t row) { return s.y < row; });
    for (; it != shape.end() && it->y + dy < clip.bottom; ++it)
        AppendClippedSpan(out, it->y + dy, it->x0 + dx, it->x1 + dx, clip);
}

SpanList UnionSpans(const SpanList &a, const SpanList &b) {
    SpanList all;
    all.reserve(a.size() + b.size());
    all.insert(all.end(), a.begin(), a.end());
    all.insert(all.end(), b.begin(), b.end());
    NormalizeSpans(all);
    return all;
}

SpanList SubtractSpans(const SpanList &from, const SpanList &remove) {
    SpanList out;
    size_t r = 0;
    for (const Span &s : from) {
        while (r < remove.size() && remove[r].y < s.y) ++r;
        int32_t start = s.x0;
        for (size_t k = r; k < remove.size() && remove[k].y == s.y && remove[k].x0 < s.x1; ++k) {
            if (remove[k].x1 <= start) continue;
            if (remove[k].x0 > start) out.push_back({s.y, start, remove[k].x0});
            start = std::max(start, remove[k].x1);
            if (start >= s.x1) break;
        }
        if (start < s.x1) out.push_back({s.y, start, s.x1});
    }
    return out;
}

// ---- polygons ----------------------------------------------------------------------

namespace {

struct PolygonEdge {
    int64_t topY, bottomY;  // active on rows [topY, bottomY)
    int64_t topX, dx, dy;   // dy > 0
    int direction;          // +1 when the path runs downwards here
};

struct Crossing {
    int64_t x;
    int direction;
};

std::vector<PolygonEdge> CollectEdges(const Point64 *points, int count) {
    std::vector<PolygonEdge> edges;
    for (int i = 0; i < count; ++i) {
        const Point64 &a = points[i == 0 ? count - 1 : i - 1];
        const Point64 &b = points[i];
        if (a.y == b.y) continue;
        const bool down = a.y < b.y;
        const Point64 &top = down ? a : b;
        const Point64 &bottom = down ? b : a;
        edges.push_back({top.y, bottom.y, top.x, bottom.x - top.x, bottom.y - top.y, down ? 1 : -1});
    }
    return edges;
}

// An edge crossing the rows one after another. Where it crosses a row is rounded up: GDI's
// region scan takes the first pixel whose left edge is at or right of the exact crossing,
// for left and right edges alike. With the exact crossing at x - behind/dy (0 <= behind <
// dy), the next row's is `whole` or `whole + 1` further on.
struct ActiveEdge {
    int64_t bottomY, x, behind, dy, whole, fraction;
    int direction;

    ActiveEdge(const PolygonEdge &e, int64_t y) : bottomY(e.bottomY), dy(e.dy), direction(e.direction) {
        constexpr int64_t kSmall = int64_t{1} << 31;  // products of these stay in 64 bits
        const int64_t rows = y - e.topY;
        if (e.topX > -kSmall && e.topX < kSmall && e.dx > -kSmall && e.dx < kSmall && e.dy < kSmall && rows < kSmall) {
            const int64_t exact = e.topX * e.dy + rows * e.dx;
            x = exact / e.dy + (exact % e.dy > 0 ? 1 : 0);
            behind = x * e.dy - exact;
            whole = e.dx / e.dy - (e.dx % e.dy < 0 ? 1 : 0);
        } else {
            const __int128 exact = static_cast<__int128>(e.topX) * e.dy + static_cast<__int128>(rows) * e.dx;
            x = static_cast<int64_t>(CeilDiv(exact, e.dy));
            behind = static_cast<int64_t>(static_cast<__int128>(x) * e.dy - exact);
            whole = static_cast<int64_t>(FloorDiv(e.dx, e.dy));
        }
        fraction = e.dx - whole * e.dy;
    }
    void NextRow() {
        x += whole;
        behind -= fraction;
        if (behind < 0) ++x, behind += dy;
    }
};

// Runs that meet where edges cross at one pixel come out as one span.
void AppendRun(SpanList &out, size_t rowStart, int64_t y, int64_t x0, int64_t x1, const RECT &clip) {
    const size_t before = out.size();
    AppendClippedSpan(out, y, x0, x1, clip);
    if (out.size() == before || before <= rowStart) return;
    Span &previous = out[before - 1];
    if (previous.x1 >= out.back().x0) {
        previous.x1 = std::max(previous.x1, out.back().x1);
        out.pop_back();
    }
}

// `edges` are the row's active edges, sorted by crossing.
void EmitRow(const std::vector<ActiveEdge> &edges, FillRule rule, int64_t y, const RECT &clip, SpanList &out) {
    const size_t rowStart = out.size();
    int winding = 0;
    int64_t runStart = 0;
    for (size_t i = 0; i < edges.size(); ++i) {
        bool wasInside, isInside;
        if (rule == FillRule::Alternate) {
            wasInside = (i % 2) == 1;
            isInside = !wasInside;
        } else {
            wasInside = winding != 0;
            winding += edges[i].direction;
            isInside = winding != 0;
        }
        if (!wasInside && isInside) runStart = edges[i].x;
        if (wasInside && !isInside) AppendRun(out, rowStart, y, runStart, edges[i].x, clip);
    }
}

// Crossings move little from row to row, so the list stays nearly sorted.
void SortByCrossing(std::vector<ActiveEdge> &edges) {
    for (size_t i = 1; i < edges.size(); ++i)
        for (size_t k = i; k > 0 && edges[k].x < edges[k - 1].x; --k) std::swap(edges[k], edges[k - 1]);
}

// Edges crossing rows [top, bottom), in order of the first of those rows they cross: a
// counting sort over the rows.
std::vector<PolygonEdge> EdgesByFirstRow(const std::vector<PolygonEdge> &edges, int64_t top, int64_t bottom) {
    std::vector<size_t> start(static_cast<size_t>(bottom - top) + 1, 0);
    auto firstRow = [top](const PolygonEdge &e) { return static_cast<size_t>(std::max(e.topY, top) - top); };
    for (const PolygonEdge &e : edges)
        if (e.bottomY > top && e.topY < bottom) ++start[firstRow(e) + 1];
    for (size_t r = 1; r < start.size(); ++r) start[r] += start[r - 1];
    std::vector<PolygonEdge> sorted(start.back());
    for (const PolygonEdge &e : edges)
        if (e.bottomY > top && e.topY < bottom) sorted[start[firstRow(e)]++] = e;
    return sorted;
}

}  // namespace

void AppendPolygon(const POINT *points, int count, FillRule rule, const RECT &clip, SpanList &out) {
    if (points == nullptr || count < 3) return;
    std::vector<Point64> wide(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) wide[static_cast<size_t>(i)] = {points[i].x, points[i].y};
    AppendPolygon(wide.data(), count, rule, clip, out);
}

// A scan over the rows inside the clip with the edges that cross each row: edges join the
// active list at their first row and leave after their last.
void AppendPolygon(const Point64 *points, int count, FillRule rule, const RECT &clip, SpanList &out) {
    if (points == nullptr || count < 3 || ClipIsEmpty(clip)) return;
    const std::vector<PolygonEdge> all = CollectEdges(points, count);
    if (all.empty()) return;
    int64_t top = INT64_MAX, bottom = INT64_MIN;
    for (const PolygonEdge &e : all) top = std::min(top, e.topY), bottom = std::max(bottom, e.bottomY);
    top = std::max<int64_t>(top, clip.top);
    bottom = std::min<int64_t>(bottom, clip.bottom);
    if (top >= bottom) return;
    const std::vector<PolygonEdge> edges = EdgesByFirstRow(all, top, bottom);
    std::vector<ActiveEdge> active;
    size_t next = 0;
    int64_t firstEnd = INT64_MAX;  // the first row where an active edge has ended
    for (int64_t y = top; y < bottom; ++y) {
        for (; next < edges.size() && std::max(edges[next].topY, top) <= y; ++next) {
            active.emplace_back(edges[next], y);
            firstEnd = std::min(firstEnd, edges[next].bottomY);
        }
        if (y >= firstEnd) {
            std::erase_if(active, [y](const ActiveEdge &e) { return e.bottomY <= y; });
            firstEnd = INT64_MAX;
            for (const ActiveEdge &e : active) firstEnd = std::min(firstEnd, e.bottomY);
        }
        if (active.size() == 2) {
            // A closed outline crosses a row as often down as up: two crossings bound one run
            // under either rule.
            AppendClippedSpan(out, y, std::min(active[0].x, active[1].x), std::max(active[0].x, active[1].x), clip);
        } else {
            SortByCrossing(active);
            EmitRow(active, rule, y, clip, out);
        }
        for (ActiveEdge &e : active) e.NextRow();
    }
}

}  // namespace figplat::geom
