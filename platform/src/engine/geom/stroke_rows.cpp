#include "engine/geom/stroke_rows.h"

#include "engine/geom/spans.h"
#include "engine/geom/wide_pens.h"

#include <algorithm>
#include <cstdint>

namespace figplat::geom {

namespace {

constexpr int64_t kFarLeft = INT64_MIN / 4, kFarRight = INT64_MAX / 4;

// A shape's pixels row by row about its centre: row d (top <= d < top + size) is [lo, hi).
struct RowShape {
    int64_t top = 0;
    std::vector<int32_t> lo, hi;

    int64_t End() const { return top + static_cast<int64_t>(lo.size()); }
    bool Has(int64_t d) const { return d >= top && d < End(); }
    int32_t Lo(int64_t d) const { return lo[static_cast<size_t>(d - top)]; }
    int32_t Hi(int64_t d) const { return hi[static_cast<size_t>(d - top)]; }
};

// The disc is one run a row, holding its centre column, each row within the rows nearer
// the centre row on its side.
RowShape DiscShape(const SpanList &spans) {
    RowShape shape;
    shape.top = spans.front().y;
    for (const Span &s : spans) shape.lo.push_back(s.x0), shape.hi.push_back(s.x1);
    return shape;
}

// What a pen paints about the points of a piece: the disc at every point, and the pixels
// a diagonal step's body adds beyond its two end discs (a pixel or two at its corners,
// sometimes a pixel apart from the discs), for each diagonal direction.
struct PenShapes {
    RowShape disc;
    SpanList corners[4];
    int64_t reachTop = 0, reachEnd = 0;  // rows any of them covers about the centre row

    static size_t Direction(int64_t dx, int64_t dy) { return (dx > 0 ? 1 : 0) + (dy > 0 ? 2 : 0); }

    // The extreme row ends of the disc over rows [dFrom, dTo]: those of the row nearest
    // the centre row on each side.
    void Bound(int64_t dFrom, int64_t dTo, int64_t &lo, int64_t &hi) const {
        lo = kFarRight, hi = kFarLeft;
        dFrom = std::max(dFrom, disc.top), dTo = std::min(dTo, disc.End() - 1);
        if (dFrom > dTo) return;
        for (int64_t d : {std::max<int64_t>(dFrom, 0), std::min<int64_t>(dTo, -1)})
            if (d >= dFrom && d <= dTo) lo = std::min<int64_t>(lo, disc.Lo(d)), hi = std::max<int64_t>(hi, disc.Hi(d));
    }
};

// The disc at (0, 0) and at (dx, dy), one run a row (they overlap on every row both cover:
// each holds its centre column).
SpanList TwoDiscs(const RowShape &disc, int64_t dx, int64_t dy) {
    SpanList both;
    for (int64_t y = std::min(disc.top, disc.top + dy); y < std::max(disc.End(), disc.End() + dy); ++y) {
        int64_t lo = kFarRight, hi = kFarLeft;
        if (disc.Has(y)) lo = disc.Lo(y), hi = disc.Hi(y);
        if (disc.Has(y - dy)) lo = std::min<int64_t>(lo, disc.Lo(y - dy) + dx), hi = std::max<int64_t>(hi, disc.Hi(y - dy) + dx);
        both.push_back({static_cast<int32_t>(y), static_cast<int32_t>(lo), static_cast<int32_t>(hi)});
    }
    return both;
}

// A thread keeps the last width's shapes, as one pen draws many curves in a row.
const PenShapes &ShapesFor(int width) {
    thread_local int lastWidth = 0;
    thread_local PenShapes shapes;
    if (width == lastWidth) return shapes;
    shapes.disc = DiscShape(PenDisc(width));
    shapes.reachTop = shapes.disc.top, shapes.reachEnd = shapes.disc.End();
    const LONG reach = width + 4;
    for (int64_t dx : {-1, 1})
        for (int64_t dy : {-1, 1}) {
            SpanList body;
            body.reserve(static_cast<size_t>(width) + 4);
            AppendWideSegmentBody(POINT{0, 0}, POINT{static_cast<LONG>(dx), static_cast<LONG>(dy)}, width,
                                  RECT{-reach, -reach, reach, reach}, body);
            SpanList &corners = shapes.corners[PenShapes::Direction(dx, dy)];
            corners = SubtractSpans(body, TwoDiscs(shapes.disc, dx, dy));
            for (const Span &c : corners)
                shapes.reachTop = std::min<int64_t>(shapes.reachTop, c.y), shapes.reachEnd = std::max<int64_t>(shapes.reachEnd, c.y + 1);
        }
    lastWidth = width;
    return shapes;
}

// A piece's points on one row of the picture: columns [left, right] (none when left >
// right), and the column of the point where the path leaves the row, when it leaves
// diagonally.
struct RowRun {
    int32_t left, right, exit;  // curve points lie inside the 32-bit box
    bool diagonal;
};

// The rows of one piece that can reach the clip, in picture order from `firstRow`.
struct PieceRows {
    const PenShapes *shapes = nullptr;
    size_t direction = 0;  // of the piece's diagonal steps
    int64_t firstRow = 0;
    std::vector<RowRun> runs;
    bool gaps = false;  // a row without points: no block bounds, every row is looked at
    // Where the best left and right ends lay on the last row asked: a good first guess.
    size_t leftGuess = 0, rightGuess = 0;

    int64_t EndRow() const { return firstRow + static_cast<int64_t>(runs.size()); }
};

// Path rows of a quadrant in picture order: y = origin + sign * j.
struct QuadrantRows {
    int64_t origin, sign;
    int64_t PathRow(int64_t y) const { return (y - origin) * sign; }
};

// Whether the piece's points on path rows [jFrom, jTo] come within the pen's reach of the
// clip's columns: a quadrant's x moves one way along it, so its ends bound the rest.
bool ReachesClipColumns(const ArcLayout &layout, const ArcPiece &piece, int64_t jFrom, int64_t jTo,
                        const PenShapes &shapes, const RECT &clip) {
    const std::optional<QuarterPath::Row> first = layout.Path().RowAt(jFrom), last = layout.Path().RowAt(jTo);
    if (!first || !last) return true;  // not expected on a piece's rows; look at every row then
    const int64_t from = jFrom == piece.first.j ? std::max(first->first, piece.first.i) : first->first;
    const int64_t to = jTo == piece.last.j ? std::min(last->last, piece.last.i) : last->last;
    const int64_t x0 = layout.Frame().Place(piece.quadrant, {from, jFrom}).x;
    const int64_t x1 = layout.Frame().Place(piece.quadrant, {to, jTo}).x;
    const int64_t reach = static_cast<int64_t>(shapes.disc.lo.size()) + 4;  // the disc's height: its width too
    return std::max(x0, x1) + reach >= clip.left && std::min(x0, x1) - reach < clip.right;
}

PieceRows CollectPieceRows(const ArcLayout &layout, const ArcPiece &piece, int width, const RECT &clip) {
    const QuadrantFrame &frame = layout.Frame();
    const QuarterPath &path = layout.Path();
    const int q = piece.quadrant;
    // The path's diagonal step, (i + 1, j + 1), on the picture.
    const CurvePoint at = frame.Place(q, {0, 0}), next = frame.Place(q, {1, 1});
    PieceRows rows;
    rows.shapes = &ShapesFor(width);
    rows.direction = PenShapes::Direction(next.x - at.x, next.y - at.y);
    const QuadrantRows map{at.y, next.y - at.y};
    // Picture rows whose shapes can reach a row of the clip.
    const int64_t needTop = int64_t{clip.top} - (rows.shapes->reachEnd - 1);
    const int64_t needBottom = int64_t{clip.bottom} - 1 - rows.shapes->reachTop;
    int64_t jFrom = std::max(piece.first.j, std::min(map.PathRow(needTop), map.PathRow(needBottom)));
    int64_t jTo = std::min(piece.last.j, std::max(map.PathRow(needTop), map.PathRow(needBottom)));
    if (jFrom > jTo || !ReachesClipColumns(layout, piece, jFrom, jTo, *rows.shapes, clip)) return rows;
    std::vector<int64_t> entries;
    entries.reserve(static_cast<size_t>(jTo - jFrom + 2));
    path.ForEachEntry(jFrom, std::min(jTo + 1, piece.last.j), [&](int64_t, int64_t entry) { entries.push_back(entry); });
    jTo = std::min<int64_t>(jTo, jFrom + static_cast<int64_t>(entries.size()) - 1);
    if (jFrom > jTo) return rows;
    rows.runs.resize(static_cast<size_t>(jTo - jFrom + 1));
    rows.firstRow = std::min(at.y + map.sign * jFrom, at.y + map.sign * jTo);
    for (int64_t j = jFrom; j <= jTo; ++j) {
        const size_t k = static_cast<size_t>(j - jFrom);
        const size_t slot = static_cast<size_t>(at.y + map.sign * j - rows.firstRow);
        const std::optional<QuarterPath::Row> row =
            k + 1 < entries.size() ? path.RowBetween(j, entries[k], entries[k + 1]) : path.RowFrom(j, entries[k]);
        if (!row) {  // past the end of the walk
            rows.runs[slot] = {1, 0, 0, false};
            rows.gaps = true;
            continue;
        }
        const int64_t first = j == piece.first.j ? std::max(row->first, piece.first.i) : row->first;
        const int64_t last = j == piece.last.j ? std::min(row->last, piece.last.i) : row->last;
        const bool diagonal = j < piece.last.j && k + 1 < entries.size() && entries[k + 1] == row->last + 1;
        const int64_t x0 = frame.Place(q, {first, j}).x, x1 = frame.Place(q, {last, j}).x;
        rows.runs[slot] = {static_cast<int32_t>(std::min(x0, x1)), static_cast<int32_t>(std::max(x0, x1)),
                           static_cast<int32_t>(frame.Place(q, {row->last, j}).x), diagonal};
    }
    return rows;
}

// Pixels [left, right) of a picture row; empty when left >= right.
struct Ends {
    int64_t left = kFarRight, right = kFarLeft;
};

// What run k of a piece paints on picture row y.
Ends RunEnds(const PieceRows &rows, size_t k, int64_t y) {
    const RowRun &run = rows.runs[k];
    Ends ends;
    if (run.left > run.right) return ends;
    const int64_t d = y - (rows.firstRow + static_cast<int64_t>(k));
    const RowShape &disc = rows.shapes->disc;
    if (disc.Has(d)) ends = {int64_t{run.left} + disc.Lo(d), int64_t{run.right} + disc.Hi(d)};
    return ends;
}

// Runs shorter than this are looked at one by one rather than bounded.
constexpr size_t kScannedRuns = 8;

// The least value(k) over runs [k0, k1] into `best` (at `bestAt`), given bound(k0, k1) never
// above any value in the block: blocks that cannot beat the best so far are passed over, and
// the search stops once the best is `enough` (the clip's edge: anything further is cut).
template <class Value, class Bound>
void Minimize(size_t k0, size_t k1, const Value &value, const Bound &bound, int64_t enough, int64_t &best,
              size_t &bestAt) {
    if (best <= enough) return;
    if (k1 - k0 < kScannedRuns) {
        for (size_t k = k0; k <= k1 && best > enough; ++k) {
            const int64_t v = value(k);
            if (v < best) best = v, bestAt = k;
        }
        return;
    }
    const size_t mid = k0 + (k1 - k0) / 2;
    const int64_t first = bound(k0, mid), second = bound(mid + 1, k1);
    const bool secondFirst = second < first;
    for (int half = 0; half < 2; ++half) {
        const bool upper = (half == 0) == secondFirst;
        if ((upper ? second : first) < best) {
            if (upper) Minimize(mid + 1, k1, value, bound, enough, best, bestAt);
            else Minimize(k0, mid, value, bound, enough, best, bestAt);
        }
    }
}

// The piece's run on picture row y: false when none of its shapes reach the row. The
// leftmost left end and the rightmost right end are searched for apart, each starting from
// where the last row found it and from the run on the row itself.
bool PieceRowEnds(PieceRows &rows, int64_t y, const RECT &clip, Ends &ends) {
    const PenShapes &s = *rows.shapes;
    const int64_t from = std::max<int64_t>(0, y - (s.disc.End() - 1) - rows.firstRow);
    const int64_t to = std::min<int64_t>(static_cast<int64_t>(rows.runs.size()) - 1, y - s.disc.top - rows.firstRow);
    if (from > to) return false;
    const size_t k0 = static_cast<size_t>(from), k1 = static_cast<size_t>(to);
    const size_t own = static_cast<size_t>(std::clamp<int64_t>(y - rows.firstRow, from, to));
    auto rowsOf = [&](size_t a, size_t b) {
        return std::pair<int64_t, int64_t>{y - rows.firstRow - static_cast<int64_t>(b), y - rows.firstRow - static_cast<int64_t>(a)};
    };
    auto leftValue = [&](size_t k) { return RunEnds(rows, k, y).left; };
    auto leftBound = [&](size_t a, size_t b) {
        if (rows.gaps) return kFarLeft;
        const auto [dFrom, dTo] = rowsOf(a, b);
        int64_t lo, hi;
        s.Bound(dFrom, dTo, lo, hi);
        return lo == kFarRight ? kFarRight : std::min<int64_t>(rows.runs[a].left, rows.runs[b].left) + lo;
    };
    auto rightValue = [&](size_t k) { return -RunEnds(rows, k, y).right; };
    auto rightBound = [&](size_t a, size_t b) {
        if (rows.gaps) return kFarLeft;
        const auto [dFrom, dTo] = rowsOf(a, b);
        int64_t lo, hi;
        s.Bound(dFrom, dTo, lo, hi);
        return hi == kFarLeft ? kFarRight : -(std::max<int64_t>(rows.runs[a].right, rows.runs[b].right) + hi);
    };
    // Nothing of the piece can reach the clip's columns on this row.
    if (leftBound(k0, k1) >= clip.right || rightBound(k0, k1) >= -int64_t{clip.left}) return false;
    int64_t left = kFarRight, right = kFarRight;
    size_t leftAt = own, rightAt = own;
    for (size_t k : {std::clamp(rows.leftGuess, k0, k1), own}) left = std::min(left, leftValue(k));
    for (size_t k : {std::clamp(rows.rightGuess, k0, k1), own}) right = std::min(right, rightValue(k));
    Minimize(k0, k1, leftValue, leftBound, clip.left, left, leftAt);
    Minimize(k0, k1, rightValue, rightBound, -int64_t{clip.right}, right, rightAt);
    rows.leftGuess = leftAt, rows.rightGuess = rightAt;
    ends = {left, -right};
    return ends.left < ends.right;
}

// The corners of diagonal steps on picture row y: each corner pixel lies a fixed number of
// rows from its step, so each comes from one row of the piece at most.
void AddCorners(const PieceRows &rows, int64_t y, std::vector<Ends> &found) {
    for (const Span &c : rows.shapes->corners[rows.direction]) {
        const int64_t k = y - c.y - rows.firstRow;
        if (k < 0 || k >= static_cast<int64_t>(rows.runs.size())) continue;
        const RowRun &run = rows.runs[static_cast<size_t>(k)];
        if (run.diagonal) found.push_back({int64_t{run.exit} + c.x0, int64_t{run.exit} + c.x1});
    }
}

// A row's runs from all pieces, merged where they overlap or touch.
void EmitRow(std::vector<Ends> &found, int64_t y, const RECT &clip, SpanSink &out) {
    std::sort(found.begin(), found.end(), [](const Ends &a, const Ends &b) { return a.left < b.left; });
    for (size_t k = 0; k < found.size();) {
        Ends merged = found[k++];
        while (k < found.size() && found[k].left <= merged.right) merged.right = std::max(merged.right, found[k++].right);
        EmitClippedSpan(out, y, merged.left, merged.right, clip);
    }
}

}  // namespace

void StrokePiecesByRows(const ArcLayout &layout, const std::vector<ArcPiece> &pieces, int width, const RECT &clip,
                        SpanSink &out) {
    if (ClipIsEmpty(clip)) return;
    std::vector<PieceRows> all;
    int64_t top = INT64_MAX, bottom = INT64_MIN;
    for (const ArcPiece &piece : pieces) {
        PieceRows rows = CollectPieceRows(layout, piece, width, clip);
        if (rows.runs.empty()) continue;
        top = std::min(top, rows.firstRow + rows.shapes->reachTop);
        bottom = std::max(bottom, rows.EndRow() - 1 + rows.shapes->reachEnd - 1);
        all.push_back(std::move(rows));
    }
    top = std::max<int64_t>(top, clip.top);
    bottom = std::min<int64_t>(bottom, int64_t{clip.bottom} - 1);
    SpanBatch batch(out);
    std::vector<Ends> found;
    for (int64_t y = top; y <= bottom; ++y) {
        found.clear();
        for (PieceRows &rows : all) {
            Ends ends;
            if (PieceRowEnds(rows, y, clip, ends)) found.push_back(ends);
            AddCorners(rows, y, found);
        }
        EmitRow(found, y, clip, batch);
    }
}

}  // namespace figplat::geom
