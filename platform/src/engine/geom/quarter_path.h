// The quarter ellipse every GDI curve is built from, and the one walk that traces it.
//
// GDI steps an integer ellipse (Alois Zingl's error-accumulating walk, a = width - 1,
// b = height - 1) through one quadrant only and mirrors it. The walk starts on the
// horizontal axis at x = a, y = height / 2 and moves 8-connected towards the vertical axis,
// stopping once x drops below a stop column. Here a point of the walk is (i, j): i columns in
// from x = a and j rows out from y = height / 2, so the walk starts at (0, 0) and both only
// grow along it: one point comes before another on the path when its row is lower, or its
// row is the same and its column lower.
//
// The walk's error terms are a closed form in (i, j), so it can be resumed at any of its
// points, and the points it visits on any row can be worked out without walking there
// (RowAt). That is what lets a curve a billion pixels across cost only what is visible:
// every question below is answered in time that follows the answer, not the ellipse.
// The error terms need more than 64 bits for boxes near the 32-bit coordinate limit.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace figplat::geom {

__extension__ typedef __int128 CurveWide;

struct PathPoint {
    int64_t i, j;
    bool operator==(const PathPoint &) const = default;
};

// Path order (both points on the path).
inline bool ComesBefore(const PathPoint &p, const PathPoint &q) { return p.j < q.j || (p.j == q.j && p.i < q.i); }

// A window of the (i, j) plane, bounds included.
struct PathWindow {
    int64_t i0, i1, j0, j1;
};

// The first c in [from, to] where `holds` (false, then true from some c on) holds, or to + 1.
// The search gallops out from `guess`, so with a good guess it takes a few tests whatever
// the size of the range.
template <class Holds>
int64_t FirstHolding(int64_t from, int64_t to, int64_t guess, Holds holds);

// How much curve work the calling thread has done: points walked plus closed-form
// evaluations of the walk's error, counted as each quarter path is done with. Tests read it
// to check that a curve's cost follows what is visible.
int64_t CurveWorkDone();

class QuarterPath {
public:
    // The walk of a width x height box (both at least 2), until x drops below `stopColumn`:
    // width / 2 for outlines; filled regions go on to a - width / 2, one column further for
    // even widths.
    QuarterPath(int64_t width, int64_t height, int64_t stopColumn);
    ~QuarterPath();
    QuarterPath(const QuarterPath &) = delete;
    QuarterPath &operator=(const QuarterPath &) = delete;

    // The last column the walk visits (i of its last point).
    int64_t LastColumn() const { return lastColumn_; }
    PathPoint LastPoint() const;

    // The walk itself, resumed at a point of the path.
    class Walker {
    public:
        PathPoint Point() const { return {i_, j_}; }
        bool Done() const { return i_ > lastColumn_; }
        // Both tests look at the error before either step, so a diagonal step is possible.
        void Next() {
            ++*work_;
            const CurveWide twice = 2 * err_;
            if (twice >= dx_) ++i_, dx_ += b8_, err_ += dx_;
            if (twice <= dy_) ++j_, dy_ += a8_, err_ += dy_;
        }

    private:
        friend class QuarterPath;
        int64_t i_, j_, lastColumn_;
        int64_t *work_;
        CurveWide a8_, b8_, dx_, dy_, err_;
    };
    Walker WalkFrom(PathPoint p) const;

    // The path's points on row j are (first .. last, j).
    struct Row {
        int64_t j, first, last;
    };
    // Row j, or nothing past the end of the walk.
    std::optional<Row> RowAt(int64_t j) const;

    // Where the walk enters row j (its first column there): a value past LastColumn() means
    // the walk ended before row j, except that LastColumn() + 1 marks a row the walk's final,
    // diagonal step lands on (a filled region still counts it). Exact for every row.
    int64_t EntryOf(int64_t j) const;
    // The entry of row j + 1 given the entry `entry` (at most LastColumn()) of row j.
    int64_t NextEntry(int64_t entry, int64_t j) const;
    static constexpr int64_t kEnded = INT64_MAX / 4;
    // Stretches of the path shorter than this (in rows plus columns) are walked rather than
    // searched: a step costs a few additions, a search step a few closed-form evaluations.
    static constexpr int64_t kShortStretch = 512;

    // Calls visit(j, EntryOf(j)) for the rows from..to, until the walk has ended. Short rows
    // are walked; on a long one the walk jumps to the row's end.
    template <class Visit>
    void ForEachEntry(int64_t from, int64_t to, Visit visit) const;

    // Row j given where the walk enters it; nothing past the end of the walk.
    std::optional<Row> RowFrom(int64_t j, int64_t entry) const;
    // The same, given also where it enters row j + 1: one test of the walk rather than a
    // search along the row.
    std::optional<Row> RowBetween(int64_t j, int64_t entry, int64_t nextEntry) const;

    // The path point before p (p not the first point).
    PathPoint Before(const PathPoint &p) const;

    // The first point of the path at or after `from` for which `test` holds, where `test`
    // is false then true along the path; nothing when it never holds up to `to`.
    // `rowGuess` (if not negative) is where the answer's row probably is.
    template <class Test>
    std::optional<PathPoint> FirstWhere(const PathPoint &from, const PathPoint &to, Test test,
                                        int64_t rowGuess = -1) const;

    // Where the continuous ellipse the walk follows has its row at column i, and meets the
    // direction (run, rise) from the walk's centre: guesses for FirstWhere.
    int64_t RowGuessAtColumn(int64_t i) const;
    int64_t RowGuessTowards(CurveWide run, CurveWide rise) const;

    // Calls visit(p) for the points of the path from `from` to `to` (both included, in path
    // order) that lie in `window`: they follow each other on the path, and finding the first
    // costs no more than the window's rows.
    template <class Visit>
    void ForEachIn(const PathPoint &from, const PathPoint &to, const PathWindow &window, Visit visit) const;

private:
    CurveWide ErrorAt(int64_t i, int64_t j) const;
    // The walk's decisions at (i, j): step a column in (x), a row out (y).
    bool StepsIn(int64_t i, int64_t j) const;
    bool StepsOut(int64_t i, int64_t j) const;
    // The first column c >= from (up to LastColumn()) where the walk at (c, j) steps a row
    // out; kEnded when there is none.
    int64_t FirstStepOut(int64_t from, int64_t j) const;
    // The first column c >= from (up to LastColumn()) where the walk at (c, j) does not
    // step a column in; kEnded when there is none.
    int64_t FirstStayingColumn(int64_t from, int64_t j) const;
    int64_t GuessFirstStepOut(int64_t j) const;
    int64_t GuessFirstStayingColumn(int64_t j) const;
    int64_t SandwichEntry(int64_t j) const;
    bool Short() const;
    const std::vector<int64_t> &ShortPathEntries() const;

    int64_t width_, height_, lastColumn_;
    int64_t monotoneOut_, monotoneIn_;  // the columns up to which the decisions move one way
    CurveWide a8_, b8_, a4_, b4_, dx0_, dy0_, err0_;
    mutable std::optional<PathPoint> lastPoint_;
    mutable std::vector<int64_t> entries_;  // short paths: each row's entry, walked once
    mutable int64_t work_ = 0;
};

template <class Holds>
int64_t FirstHolding(int64_t from, int64_t to, int64_t guess, Holds holds) {
    if (from > to) return to + 1;
    guess = std::clamp(guess, from, to);
    int64_t fails, holdsAt;  // the answer lies in (fails, holdsAt]
    if (holds(guess)) {
        holdsAt = guess;
        for (int64_t step = 1;; step *= 2) {
            if (holdsAt == from) return from;
            const int64_t probe = std::max(from, holdsAt - step);
            if (!holds(probe)) {
                fails = probe;
                break;
            }
            holdsAt = probe;
        }
    } else {
        fails = guess;
        for (int64_t step = 1;; step *= 2) {
            if (fails == to) return to + 1;
            const int64_t probe = std::min(to, fails + step);
            if (holds(probe)) {
                holdsAt = probe;
                break;
            }
            fails = probe;
        }
    }
    while (holdsAt - fails > 1) {
        const int64_t mid = fails + (holdsAt - fails) / 2;
        if (holds(mid)) holdsAt = mid;
        else fails = mid;
    }
    return holdsAt;
}

template <class Test>
std::optional<PathPoint> QuarterPath::FirstWhere(const PathPoint &from, const PathPoint &to, Test test,
                                                 int64_t rowGuess) const {
    if (!test(to)) return std::nullopt;
    if (test(from)) return from;
    if ((to.i - from.i) + (to.j - from.j) < kShortStretch) {  // cheaper to walk
        for (Walker walk = WalkFrom(from);; walk.Next())
            if (test(walk.Point())) return walk.Point();
    }
    // Rows first: the first row whose last point passes, then along that row.
    const int64_t guess = rowGuess >= 0 ? rowGuess : from.j + (to.j - from.j) / 2;
    const int64_t lo = FirstHolding(from.j, to.j, guess, [&](int64_t r) {
        const std::optional<Row> row = RowAt(r);
        return row && test(PathPoint{row->last, r});
    });
    const Row row = *RowAt(lo);
    int64_t first = lo == from.j ? from.i : row.first, last = lo == to.j ? to.i : row.last;
    while (first < last) {
        const int64_t mid = first + (last - first) / 2;
        if (test(PathPoint{mid, lo})) last = mid;
        else first = mid + 1;
    }
    return PathPoint{first, lo};
}

template <class Visit>
void QuarterPath::ForEachEntry(int64_t from, int64_t to, Visit visit) const {
    if (Short()) {
        const std::vector<int64_t> &entries = ShortPathEntries();
        for (int64_t j = std::max<int64_t>(from, 0); j <= to && j < static_cast<int64_t>(entries.size()); ++j)
            visit(j, entries[static_cast<size_t>(j)]);
        return;
    }
    constexpr int kWalkedSteps = 8;
    int64_t entry = EntryOf(from);
    if (entry == kEnded) return;
    Walker walk = WalkFrom({entry, from});
    bool jumping = false;  // rows only grow longer along the path: once one is long, the rest are
    for (int64_t j = from; j <= to; ++j) {
        visit(j, entry);
        if (j == to || entry > lastColumn_) return;  // past the last column: the final diagonal step's row
        if (jumping) {
            entry = NextEntry(entry, j);
            if (entry == kEnded) return;
            continue;
        }
        int steps = 0;
        do {
            walk.Next();
        } while (walk.Point().j == j && !walk.Done() && ++steps < kWalkedSteps);
        if (walk.Point().j != j) {
            entry = walk.Point().i;
            continue;
        }
        if (walk.Done()) return;  // the walk left its last column without a row step
        entry = NextEntry(walk.Point().i, j);
        if (entry == kEnded) return;
        jumping = true;
    }
}

template <class Visit>
void QuarterPath::ForEachIn(const PathPoint &from, const PathPoint &to, const PathWindow &window, Visit visit) const {
    const int64_t lastRow = std::min(to.j, window.j1);
    int64_t j = std::max(from.j, window.j0);
    if (j > lastRow || window.i0 > window.i1) return;
    std::optional<Row> row = RowAt(j);
    if (row && row->last < window.i0) {  // the path reaches the window's columns rows later: find where
        const std::optional<PathPoint> reach = FirstWhere(
            {row->first, row->j}, to, [&](const PathPoint &p) { return p.i >= window.i0; }, RowGuessAtColumn(window.i0));
        if (!reach || reach->j > lastRow) return;
        row = RowAt(reach->j);
    }
    // Rows whose points all lie left of the window (or before `from`) are passed over.
    while (row) {
        const int64_t start = std::max({row->first, window.i0, row->j == from.j ? from.i : int64_t{0}});
        if (start <= row->last) {
            for (Walker walk = WalkFrom({start, row->j}); !walk.Done(); walk.Next()) {
                const PathPoint p = walk.Point();
                if (p.j > lastRow || p.i > window.i1 || ComesBefore(to, p)) return;
                visit(p);
            }
            return;
        }
        if (row->j >= lastRow) return;
        const int64_t entry = NextEntry(row->first, row->j);
        row = entry <= lastColumn_ ? RowFrom(row->j + 1, entry) : std::nullopt;
    }
}

}  // namespace figplat::geom
