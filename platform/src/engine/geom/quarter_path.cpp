#include "engine/geom/quarter_path.h"

#include <algorithm>
#include <cmath>

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
QuarterPath::QuarterPath(int64_t width, int64_t height, int64_t stopColumn) : width_(width), height_(height) {
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

namespace {
thread_local int64_t curveWork = 0;
}

int64_t CurveWorkDone() { return curveWork; }

QuarterPath::~QuarterPath() { curveWork += work_; }

CurveWide QuarterPath::ErrorAt(int64_t i, int64_t j) const {
    ++work_;
    const CurveWide ci = i, cj = j;
    return err0_ + ci * dx0_ + b4_ * ci * (ci + 1) + cj * dy0_ + a4_ * cj * (cj + 1);
}

bool QuarterPath::StepsIn(int64_t i, int64_t j) const { return 2 * ErrorAt(i, j) >= dx0_ + b8_ * i; }
bool QuarterPath::StepsOut(int64_t i, int64_t j) const { return 2 * ErrorAt(i, j) <= dy0_ + a8_ * j; }

QuarterPath::Walker QuarterPath::WalkFrom(PathPoint p) const {
    Walker w;
    w.i_ = p.i, w.j_ = p.j, w.lastColumn_ = lastColumn_;
    w.work_ = &work_;
    w.a8_ = a8_, w.b8_ = b8_;
    w.dx_ = dx0_ + b8_ * p.i;
    w.dy_ = dy0_ + a8_ * p.j;
    w.err_ = ErrorAt(p.i, p.j);
    return w;
}

namespace {

// Where a*c^2 + b*c + k (a > 0) first drops to zero or below, roughly: the smaller root,
// computed in the form that does not cancel, as a starting guess for an exact search.
int64_t SmallerRootGuess(CurveWide a, CurveWide b, CurveWide k) {
    const long double la = static_cast<long double>(a), lb = static_cast<long double>(b),
                      lk = static_cast<long double>(k);
    const long double discriminant = lb * lb - 4 * la * lk;
    if (discriminant < 0) return 0;
    const long double root = lb < 0 ? 2 * lk / (-lb + std::sqrt(discriminant)) : (-lb - std::sqrt(discriminant)) / (2 * la);
    if (!(root > -1e18L && root < 1e18L)) return 0;
    return static_cast<int64_t>(root);
}

}  // namespace

// 2 err(c, j) - dy(j) and 2 err(c, j) - dx(c) as quadratics in c, for the guesses.
int64_t QuarterPath::GuessFirstStepOut(int64_t j) const {
    const CurveWide cj = j;
    const CurveWide rowPart = 2 * (err0_ + cj * dy0_ + a4_ * cj * (cj + 1)) - (dy0_ + a8_ * cj);
    return SmallerRootGuess(2 * b4_, 2 * dx0_ + 2 * b4_, rowPart);
}

int64_t QuarterPath::GuessFirstStayingColumn(int64_t j) const {
    const CurveWide cj = j;
    const CurveWide rowPart = 2 * (err0_ + cj * dy0_ + a4_ * cj * (cj + 1)) - dx0_;
    return SmallerRootGuess(2 * b4_, 2 * dx0_ + 2 * b4_ - b8_, rowPart) + 1;
}

int64_t QuarterPath::FirstStepOut(int64_t from, int64_t j) const {
    const int64_t monotoneEnd = std::min(monotoneOut_, lastColumn_);
    const int64_t guess = from + 2 >= monotoneEnd || StepsOut(from, j) ? from : GuessFirstStepOut(j);
    const int64_t found = FirstHolding(from, monotoneEnd, guess, [&](int64_t c) { return StepsOut(c, j); });
    if (found <= monotoneEnd) return found;
    for (int64_t c = std::max(from, monotoneEnd + 1); c <= lastColumn_; ++c)
        if (StepsOut(c, j)) return c;
    return kEnded;
}

int64_t QuarterPath::FirstStayingColumn(int64_t from, int64_t j) const {
    const int64_t monotoneEnd = std::min(monotoneIn_, lastColumn_);
    const int64_t guess = from + 2 >= monotoneEnd || !StepsIn(from, j) ? from : GuessFirstStayingColumn(j);
    const int64_t found = FirstHolding(from, monotoneEnd, guess, [&](int64_t c) { return !StepsIn(c, j); });
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

// A short path is walked once and its rows' entries kept: cheaper than any search on it.
bool QuarterPath::Short() const { return lastColumn_ + height_ / 2 < kShortStretch; }

const std::vector<int64_t> &QuarterPath::ShortPathEntries() const {
    if (!entries_.empty()) return entries_;
    entries_.push_back(0);
    for (Walker walk = WalkFrom({0, 0}); !walk.Done();) {
        const int64_t row = walk.Point().j;
        walk.Next();
        if (walk.Point().j != row) entries_.push_back(walk.Point().i);  // past the last column on a final diagonal
    }
    return entries_;
}

int64_t QuarterPath::EntryOf(int64_t j) const {
    if (Short()) {
        const std::vector<int64_t> &entries = ShortPathEntries();
        return j >= 0 && j < static_cast<int64_t>(entries.size()) ? entries[static_cast<size_t>(j)] : kEnded;
    }
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

namespace {

// A one-pixel-wide or one-pixel-tall box has a semi-axis of 0, and the guesses divide by it:
// what is not a row (not a number, or beyond any row) is no guess, and the search halves.
int64_t GuessedRow(long double row) { return row > -1 && row < 1e18L ? static_cast<int64_t>(row) : -1; }

}  // namespace

// The walk follows the ellipse with semi-axes (width - 1) / 2 and (height - 1) / 2 centred
// in the box: x = width - 1 - i, y = height / 2 + j in the walk's own terms.
int64_t QuarterPath::RowGuessAtColumn(int64_t i) const {
    const long double semiX = (width_ - 1) / 2.0L, semiY = (height_ - 1) / 2.0L;
    const long double across = ((width_ - 1 - i) - semiX) / semiX;
    const long double y = semiY + semiY * std::sqrt(std::max(0.0L, 1 - across * across));
    return GuessedRow(y - height_ / 2);
}

// The guess for the radial GDI's arcs test against: from (width / 2, height / 2), the
// direction (run, rise), both not negative.
int64_t QuarterPath::RowGuessTowards(CurveWide run, CurveWide rise) const {
    if (rise == 0) return 0;
    const long double semiX = (width_ - 1) / 2.0L, semiY = (height_ - 1) / 2.0L;
    const long double ox = width_ / 2 - semiX, oy = height_ / 2 - semiY;  // the ray's start from the centre
    const long double length = std::sqrt(static_cast<long double>(run) * static_cast<long double>(run) +
                                         static_cast<long double>(rise) * static_cast<long double>(rise));
    const long double ux = static_cast<long double>(run) / length, uy = static_cast<long double>(rise) / length;
    // ((ox + t ux) / semiX)^2 + ((oy + t uy) / semiY)^2 = 1, the positive root.
    const long double a = ux * ux / (semiX * semiX) + uy * uy / (semiY * semiY);
    const long double b = 2 * (ox * ux / (semiX * semiX) + oy * uy / (semiY * semiY));
    const long double c = ox * ox / (semiX * semiX) + oy * oy / (semiY * semiY) - 1;
    const long double t = (-b + std::sqrt(std::max(0.0L, b * b - 4 * a * c))) / (2 * a);
    return GuessedRow(t * uy);
}

// The walk leaves its last row from the last column, so its last point is there.
PathPoint QuarterPath::LastPoint() const {
    if (lastPoint_) return *lastPoint_;
    if (Short()) {
        const std::vector<int64_t> &entries = ShortPathEntries();
        const int64_t rows = static_cast<int64_t>(entries.size()) - (entries.back() > lastColumn_ ? 1 : 0);
        lastPoint_ = PathPoint{lastColumn_, rows - 1};
        return *lastPoint_;
    }
    // The first row the walk does not reach (it stays inside the box); usually just past the
    // box's last row.
    const int64_t beyond = FirstHolding(1, height_, height_ - height_ / 2,
                                        [&](int64_t j) { return EntryOf(j) > lastColumn_; });
    lastPoint_ = PathPoint{lastColumn_, beyond - 1};
    return *lastPoint_;
}

PathPoint QuarterPath::Before(const PathPoint &p) const {
    if (p.j == 0) return {p.i - 1, 0};
    if (p.i > EntryOf(p.j)) return {p.i - 1, p.j};
    return {RowAt(p.j - 1)->last, p.j - 1};
}

// The walk leaves row j from its last point to the next row's entry, straight down or one
// column in: the last point is the next entry or the column before it, and the walk's
// test at that column tells which.
std::optional<QuarterPath::Row> QuarterPath::RowBetween(int64_t j, int64_t entry, int64_t nextEntry) const {
    if (entry > lastColumn_) return std::nullopt;
    if (nextEntry > lastColumn_ + 1) return RowFrom(j, entry);
    if (nextEntry == lastColumn_ + 1) return Row{j, entry, lastColumn_};  // the final, diagonal step
    if (nextEntry <= entry) return Row{j, entry, entry};
    const int64_t before = nextEntry - 1;
    return Row{j, entry, StepsOut(before, j) ? before : nextEntry};
}

}  // namespace figplat::geom
