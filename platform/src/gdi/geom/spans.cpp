#include "gdi/geom/spans.h"

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

std::string FormatSpans(const SpanList &spans) {
    std::string text;
    for (const Span &s : spans) {
        if (!text.empty()) text += ' ';
        text += std::to_string(s.y) + ':' + std::to_string(s.x0) + '-' + std::to_string(s.x1);
    }
    return text;
}

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

bool IsNormalized(const SpanList &spans) {
    for (size_t i = 0; i < spans.size(); ++i) {
        if (spans[i].x1 <= spans[i].x0) return false;
        if (i == 0) continue;
        const Span &prev = spans[i - 1];
        if (prev.y > spans[i].y) return false;
        if (prev.y == spans[i].y && prev.x1 >= spans[i].x0) return false;
    }
    return true;
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

void Emit(const SpanList &spans, SpanSink &out) {
    for (const Span &s : spans) out.Span(s.y, s.x0, s.x1);
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

void ClipSpans(SpanList &spans, const RECT &clip) {
    SpanList kept;
    kept.reserve(spans.size());
    for (const Span &s : spans) AppendClippedSpan(kept, s.y, s.x0, s.x1, clip);
    spans.swap(kept);
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

// Where an edge crosses row y, rounded up: GDI's region scan takes the first pixel whose
// left edge is at or right of the exact crossing, for left and right edges alike.
int64_t CrossingX(const PolygonEdge &e, int64_t y) {
    __int128 num = static_cast<__int128>(e.topX) * e.dy + static_cast<__int128>(y - e.topY) * e.dx;
    return static_cast<int64_t>(CeilDiv(num, e.dy));
}

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

void EmitRow(std::vector<Crossing> &crossings, FillRule rule, int64_t y, const RECT &clip,
             SpanList &out) {
    const size_t rowStart = out.size();
    std::sort(crossings.begin(), crossings.end(),
              [](const Crossing &a, const Crossing &b) { return a.x < b.x; });
    int winding = 0;
    int64_t runStart = 0;
    for (size_t i = 0; i < crossings.size(); ++i) {
        bool wasInside, isInside;
        if (rule == FillRule::Alternate) {
            wasInside = (i % 2) == 1;
            isInside = !wasInside;
        } else {
            wasInside = winding != 0;
            winding += crossings[i].direction;
            isInside = winding != 0;
        }
        if (!wasInside && isInside) runStart = crossings[i].x;
        if (wasInside && !isInside) AppendRun(out, rowStart, y, runStart, crossings[i].x, clip);
    }
}

}  // namespace

void AppendPolygon(const POINT *points, int count, FillRule rule, const RECT &clip, SpanList &out) {
    if (points == nullptr || count < 3) return;
    std::vector<Point64> wide(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) wide[static_cast<size_t>(i)] = {points[i].x, points[i].y};
    AppendPolygon(wide.data(), count, rule, clip, out);
}

void AppendPolygon(const Point64 *points, int count, FillRule rule, const RECT &clip, SpanList &out) {
    if (points == nullptr || count < 3 || ClipIsEmpty(clip)) return;
    std::vector<PolygonEdge> edges = CollectEdges(points, count);
    if (edges.empty()) return;
    int64_t top = INT64_MAX, bottom = INT64_MIN;
    for (const PolygonEdge &e : edges) {
        top = std::min(top, e.topY);
        bottom = std::max(bottom, e.bottomY);
    }
    top = std::max<int64_t>(top, clip.top);
    bottom = std::min<int64_t>(bottom, clip.bottom);
    std::vector<Crossing> crossings;
    crossings.reserve(edges.size());
    for (int64_t y = top; y < bottom; ++y) {
        crossings.clear();
        for (const PolygonEdge &e : edges)
            if (y >= e.topY && y < e.bottomY) crossings.push_back({CrossingX(e, y), e.direction});
        EmitRow(crossings, rule, y, clip, out);
    }
}

}  // namespace figplat::geom
