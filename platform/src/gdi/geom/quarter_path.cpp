#include "gdi/geom/quarter_path.h"

#include <algorithm>

namespace figplat::geom {

// With dx(i) and dy(j) the step terms after i column and j row steps, the walk's error at
// (i, j) is its start value plus dx(1) + .. + dx(i) plus dy(1) + .. + dy(j):
//   dx(i) = dx0 + 8b^2 i,  dy(j) = dy0 + 8a^2 j,
//   err(i, j) = err0 + i dx0 + 4b^2 i (i + 1) + j dy0 + 4a^2 j (j + 1).
// On a row, "steps a row out" (2 err <= dy(j)) holds from some column on: 2 err - dy(j)
// falls with i while dx(i + 1) <= 0, i.e. up to column (a - 1) / 2. Likewise "steps a
// column in" (2 err >= dx(i)) fails from some column on, up to column a / 2, and both tests
// only ever change one way as j grows. The last column or two of a walk may lie past those
// ranges; they are tested one by one.
QuarterPath::QuarterPath(int64_t width, int64_t height, int64_t stopColumn) : height_(height) {
    const CurveWide a = width - 1, b = height - 1;
    const CurveWide oddB = b % 2;
    lastColumn_ = (width - 1) - stopColumn;
    monotoneOut_ = (width - 2) / 2;
    monotoneIn_ = (width - 1) / 2;
    a8_ = 8 * a * a;
    b8_ = 8 * b * b;
    a4_ = 4 * a * a;
    b4_ = 4 * b * b;
    dx0_ = 4 * b * b * (1 - a);
    dy0_ = 4 * a * a * (1 + oddB);
    err0_ = dx0_ + dy0_ + a * a * oddB;
}

CurveWide QuarterPath::ErrorAt(int64_t i, int64_t j) const {
    const CurveWide ci = i, cj = j;
    return err0_ + ci * dx0_ + b4_ * ci * (ci + 1) + cj * dy0_ + a4_ * cj * (cj + 1);
}

bool QuarterPath::StepsIn(int64_t i, int64_t j) const { return 2 * ErrorAt(i, j) >= dx0_ + b8_ * i; }
bool QuarterPath::StepsOut(int64_t i, int64_t j) const { return 2 * ErrorAt(i, j) <= dy0_ + a8_ * j; }

QuarterPath::Walker QuarterPath::WalkFrom(PathPoint p) const {
    Walker w;
    w.i_ = p.i, w.j_ = p.j, w.lastColumn_ = lastColumn_;
    w.a8_ = a8_, w.b8_ = b8_;
    w.dx_ = dx0_ + b8_ * p.i;
    w.dy_ = dy0_ + a8_ * p.j;
    w.err_ = ErrorAt(p.i, p.j);
    return w;
}

namespace {

// The first c in [from, to] where `holds` (false, then true from some column on) holds, or
// to + 1: galloping from `from`, so the cost follows the distance to the answer.
template <class Holds>
int64_t FirstHolding(int64_t from, int64_t to, Holds holds) {
    if (from > to) return to + 1;
    if (holds(from)) return from;
    int64_t fails = from, step = 1, probe;
    for (;;) {
        probe = std::min(to, fails + step);
        if (holds(probe)) break;
        if (probe == to) return to + 1;
        fails = probe;
        step *= 2;
    }
    while (probe - fails > 1) {  // holds(probe), not holds(fails)
        const int64_t mid = fails + (probe - fails) / 2;
        if (holds(mid)) probe = mid;
        else fails = mid;
    }
    return probe;
}

}  // namespace

int64_t QuarterPath::FirstStepOut(int64_t from, int64_t j) const {
    const int64_t monotoneEnd = std::min(monotoneOut_, lastColumn_);
    const int64_t found = FirstHolding(from, monotoneEnd, [&](int64_t c) { return StepsOut(c, j); });
    if (found <= monotoneEnd) return found;
    for (int64_t c = std::max(from, monotoneEnd + 1); c <= lastColumn_; ++c)
        if (StepsOut(c, j)) return c;
    return kEnded;
}

int64_t QuarterPath::FirstStayingColumn(int64_t from, int64_t j) const {
    const int64_t monotoneEnd = std::min(monotoneIn_, lastColumn_);
    const int64_t found = FirstHolding(from, monotoneEnd, [&](int64_t c) { return !StepsIn(c, j); });
    if (found <= monotoneEnd) return found;
    for (int64_t c = std::max(from, monotoneEnd + 1); c <= lastColumn_; ++c)
        if (!StepsIn(c, j)) return c;
    return kEnded;
}

// The walk stays on row j up to the first column where it steps out; the step there also
// goes a column in when the walk says so.
int64_t QuarterPath::NextEntry(int64_t entry, int64_t j) const {
    if (entry > lastColumn_) return kEnded;
    const int64_t exit = FirstStepOut(entry, j);
    if (exit == kEnded) return kEnded;
    return exit + (StepsIn(exit, j) ? 1 : 0);
}

// Row j's entry lies between two bounds found without walking: no lower than the first
// column where row j - 1 can be left (the walk leaves it there or later), no higher than a
// column whose walk is still climbing at row j - 1 (every column is visited, and that one
// reaches row j). Carrying both bounds through NextEntry, which never reverses their order,
// a few rows on they meet, and the walk's own entry, caught between them, is that value.
// They meet within a row or two on any ellipse tried; should they not, the rows are
// counted from the start, exactly but slowly.
int64_t QuarterPath::SandwichEntry(int64_t j) const {
    for (int64_t back : {2, 8, 32, 128}) {
        const int64_t from = j - back;
        if (from < 1) break;
        int64_t low = FirstStepOut(0, from - 1);
        int64_t high = low == kEnded ? kEnded : FirstStayingColumn(low, from - 1);
        int64_t r = from;
        for (; r < j && low != high; ++r) {
            low = NextEntry(low, r);
            high = NextEntry(high, r);
        }
        if (low == high) {
            for (; r < j && low != kEnded; ++r) low = NextEntry(low, r);
            return low;
        }
    }
    int64_t entry = 0;
    for (int64_t r = 0; r < j && entry != kEnded; ++r) entry = NextEntry(entry, r);
    return entry;
}

int64_t QuarterPath::EntryOf(int64_t j) const {
    constexpr int64_t kCountedRows = 16;
    if (j > kCountedRows) return SandwichEntry(j);
    int64_t entry = 0;
    for (int64_t r = 0; r < j && entry != kEnded; ++r) entry = NextEntry(entry, r);
    return entry;
}

std::optional<QuarterPath::Row> QuarterPath::RowFrom(int64_t j, int64_t entry) const {
    if (entry > lastColumn_) return std::nullopt;
    const int64_t exit = FirstStepOut(entry, j);
    return Row{j, entry, exit == kEnded ? lastColumn_ : exit};
}

std::optional<QuarterPath::Row> QuarterPath::RowAt(int64_t j) const {
    if (j < 0) return std::nullopt;
    return RowFrom(j, EntryOf(j));
}

// The walk leaves its last row from the last column, so its last point is there.
PathPoint QuarterPath::LastPoint() const {
    if (lastPoint_) return *lastPoint_;
    int64_t lo = 0, hi = height_ + 1;  // row lo exists, row hi does not (the walk stays inside the box)
    while (hi - lo > 1) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (EntryOf(mid) <= lastColumn_) lo = mid;
        else hi = mid;
    }
    lastPoint_ = PathPoint{lastColumn_, lo};
    return *lastPoint_;
}

PathPoint QuarterPath::Before(const PathPoint &p) const {
    if (p.j == 0) return {p.i - 1, 0};
    if (p.i > EntryOf(p.j)) return {p.i - 1, p.j};
    return {RowAt(p.j - 1)->last, p.j - 1};
}

}  // namespace figplat::geom
