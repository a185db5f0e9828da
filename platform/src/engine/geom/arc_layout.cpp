#include "engine/geom/arc_layout.h"

#include "engine/geom/spans.h"

#include <algorithm>

namespace figplat::geom {

ArcLayout::ArcLayout(const CurveBox &box)
    : box_(box), path_(box.Width(), box.Height(), box.Width() / 2), frame_(box) {}

PathPoint ArcLayout::NextOnPath(const PathPoint &p) const {
    QuarterPath::Walker walk = path_.WalkFrom(p);
    walk.Next();
    return walk.Point();
}

// Within a block, positions follow the path in even blocks and run against it in odd ones.
bool ArcLayout::Less(const ArcPosition &a, const ArcPosition &b) const {
    if (a.block != b.block) return a.block < b.block;
    return a.block % 2 ? ComesBefore(b.point, a.point) : ComesBefore(a.point, b.point);
}

ArcPosition ArcLayout::After(const ArcPosition &p) const {
    if (p.point == LastOfBlock(p.block)) return {p.block + 1, FirstOfBlock(p.block + 1)};
    return {p.block, p.block % 2 ? path_.Before(p.point) : NextOnPath(p.point)};
}

ArcPosition ArcLayout::Before(const ArcPosition &p) const {
    if (p.point == FirstOfBlock(p.block)) return {p.block - 1, LastOfBlock(p.block - 1)};
    return {p.block, p.block % 2 ? NextOnPath(p.point) : path_.Before(p.point)};
}

// GDI's test is inclusive on the right half and strict on the left, so a radial exactly
// through an outline point starts there on the right but one point later (counter-
// clockwise) on the left. In each quadrant the test turns true once along the path and
// stays true, as the path's angle from the centre only grows. A position past a
// quadrant's last point is the next block's first.
ArcPosition ArcLayout::PositionFor(POINT p) const {
    const CurvePoint centre = box_.Centre();
    const int64_t dx = p.x - centre.x, up = centre.y - p.y;
    const int64_t w = box_.Width();
    const CurveWide rise = up < 0 ? -up : up, run = dx < 0 ? -dx : dx;
    const bool strict = dx < 0;  // the left half
    auto past = [&](const PathPoint &q) {
        const CurveWide x = (w - 1 - q.i) - w / 2, y = q.j;
        return strict ? x * rise < y * run : x * rise <= y * run;
    };
    const PathPoint start{0, 0}, last = path_.LastPoint();
    const std::optional<PathPoint> k = path_.FirstWhere(start, last, past, path_.RowGuessTowards(run, rise));
    if (up >= 0 && dx >= 0) return k ? ArcPosition{0, *k} : ArcPosition{1, last};
    if (up < 0 && dx < 0) return k ? ArcPosition{2, *k} : ArcPosition{3, last};
    // Quadrants 1 and 3 count their positions back from the next block: the point before
    // the first one past the radial.
    const int block = up >= 0 ? 1 : 3;
    if (!k) return {block, last};
    if (*k == start) return {block + 1, start};
    return {block, path_.Before(*k)};
}

void ArcLayout::ArcRange(POINT start, POINT end, ArcPosition &first, ArcPosition &last) const {
    first = PositionFor(start);
    last = PositionFor(end);
    if (!Less(first, last)) last.block += 4;
}

std::vector<ArcPiece> ArcLayout::Pieces(const ArcPosition &first, const ArcPosition &last) const {
    std::vector<ArcPiece> pieces;
    if (!Less(first, last)) return pieces;
    for (int block = first.block; block == first.block || Less({block, FirstOfBlock(block)}, last); ++block) {
        const PathPoint from = block == first.block ? first.point : FirstOfBlock(block);
        const bool endsHere = block == last.block;
        if (block % 2 == 0)
            pieces.push_back({block % 4, from, endsHere ? path_.Before(last.point) : path_.LastPoint()});
        else
            pieces.push_back({block % 4, endsHere ? NextOnPath(last.point) : PathPoint{0, 0}, from});
    }
    return pieces;
}

unsigned ClippedChain::Outside(int64_t x, int64_t y) const {
    enum : unsigned { kLeft = 1, kRight = 2, kAbove = 4, kBelow = 8 };
    unsigned code = 0;
    if (x < clip_.left) code |= kLeft;
    if (x >= clip_.right) code |= kRight;
    if (y <= clip_.top) code |= kAbove;
    if (y >= clip_.bottom) code |= kBelow;
    return code;
}

void ClippedChain::Add(const CurvePoint &p) {
    // Curve points lie inside a 32-bit box, so they fit a POINT.
    const POINT next{static_cast<LONG>(p.x), static_cast<LONG>(p.y)};
    if (!points_.empty() && points_.back().x == next.x && points_.back().y == next.y) return;
    const unsigned nextCode = Outside(next.x, next.y);
    while (points_.size() >= 2 && ((codes_[codes_.size() - 2] & codes_.back() & nextCode) != 0 ||
                                   Continues(points_[points_.size() - 2], points_.back(), next))) {
        points_.pop_back();
        codes_.pop_back();
    }
    points_.push_back(next);
    codes_.push_back(nextCode);
}

// A vertex on the straight way from the one before to the next adds nothing: the two edges
// cross every row where the one edge would, at the same exact points.
bool ClippedChain::Continues(const POINT &before, const POINT &middle, const POINT &next) {
    const int64_t ax = int64_t{middle.x} - before.x, ay = int64_t{middle.y} - before.y;
    const int64_t bx = int64_t{next.x} - middle.x, by = int64_t{next.y} - middle.y;
    return ax * by == ay * bx && ax * bx + ay * by > 0;
}

namespace {

// Single pixels of one quadrant gathered into runs along a row.
class RunSink {
public:
    explicit RunSink(SpanBatch &out) : out_(out) {}
    ~RunSink() { Flush(); }
    void Add(const CurvePoint &p) {
        if (open_ && p.y == y_ && (p.x == x1_ || p.x == x0_ - 1)) {
            x0_ = std::min(x0_, p.x), x1_ = std::max(x1_, p.x + 1);
            return;
        }
        Flush();
        open_ = true, y_ = p.y, x0_ = p.x, x1_ = p.x + 1;
    }

private:
    void Flush() {
        if (open_) out_.Span(static_cast<int32_t>(y_), static_cast<int32_t>(x0_), static_cast<int32_t>(x1_));
        open_ = false;
    }
    SpanBatch &out_;
    bool open_ = false;
    int64_t y_ = 0, x0_ = 0, x1_ = 0;
};

}  // namespace

void LightArc(const ArcLayout &layout, const ArcPosition &first, const ArcPosition &last, const RECT &clip,
              SpanSink &out) {
    if (ClipIsEmpty(clip)) return;
    SpanBatch batch(out);
    for (const ArcPiece &piece : layout.Pieces(first, last)) {
        RunSink runs(batch);
        layout.Path().ForEachIn(piece.first, piece.last, layout.Frame().Window(piece.quadrant, clip),
                                [&](const PathPoint &p) { runs.Add(layout.Frame().Place(piece.quadrant, p)); });
    }
}

void LightWholeOutline(const ArcLayout &layout, SpanSink &out) {
    SpanBatch batch(out);
    RunSink runs[4] = {RunSink(batch), RunSink(batch), RunSink(batch), RunSink(batch)};
    for (QuarterPath::Walker walk = layout.Path().WalkFrom({0, 0}); !walk.Done(); walk.Next())
        for (int quadrant = 0; quadrant < 4; ++quadrant) runs[quadrant].Add(layout.Frame().Place(quadrant, walk.Point()));
}

// The last position is dropped, together with any copies of its pixel just before it
// (where mirrored quadrants meet on an axis): a step that does not move lights nothing.
ArcPosition LitEnd(const ArcLayout &layout, const ArcPosition &first, const ArcPosition &last) {
    ArcPosition end = layout.Before(last);
    while (layout.Less(first, end) && layout.PointAt(layout.Before(end)) == layout.PointAt(end))
        end = layout.Before(end);
    return end;
}

// Neighbouring positions of one quadrant are always different pixels, and three positions
// in a row include two of one quadrant once quadrants have two points.
bool AllPointsAre(const ArcLayout &layout, const ArcPosition &first, const ArcPosition &last, const CurvePoint &p) {
    const bool singlePoints = layout.Path().LastPoint() == PathPoint{0, 0};
    int seen = 0;
    for (ArcPosition at = first; layout.Less(at, last); at = layout.After(at)) {
        if (++seen > 2 && !singlePoints) return false;
        if (layout.PointAt(at) != p) return false;
    }
    return true;
}

namespace {

// A piece's points for a polygon chain: the chain drops runs of points that share an
// outside half-plane, so only where each half-plane test changes along the piece matters,
// and the points inside. Each test changes at most once along a quadrant (x follows the
// column, y the row), so a huge piece yields a handful of points plus what is visible.
// The points come in path order.
void ChainPiece(const ArcLayout &layout, const ArcPiece &piece, const ClippedChain &chain,
                std::vector<CurvePoint> &points) {
    const QuarterPath &path = layout.Path();
    auto place = [&](const PathPoint &p) { return layout.Frame().Place(piece.quadrant, p); };
    auto code = [&](const PathPoint &p) {
        const CurvePoint c = place(p);
        return chain.Outside(c.x, c.y);
    };
    const unsigned startCode = code(piece.first);
    std::vector<PathPoint> breaks{piece.first};
    // Where a test of x changes the column is known, where one of y does the row: the clip's
    // edges, seen from this quadrant (x grows with i in quadrants 1 and 2, y with j in 2 and 3).
    const PathWindow inside = layout.Frame().Window(piece.quadrant, chain.Clip());
    const bool xGrows = piece.quadrant == 1 || piece.quadrant == 2, yGrows = piece.quadrant >= 2;
    const int64_t leftColumn = xGrows ? inside.i0 : inside.i1 + 1, rightColumn = xGrows ? inside.i1 + 1 : inside.i0;
    const int64_t rowGuesses[] = {path.RowGuessAtColumn(leftColumn), path.RowGuessAtColumn(rightColumn),
                                  yGrows ? inside.j0 : inside.j1, yGrows ? inside.j1 + 1 : inside.j0};
    for (int k = 0; k < 4; ++k) {  // left, right, above, below
        const unsigned bit = 1u << k;
        const std::optional<PathPoint> change = path.FirstWhere(
            piece.first, piece.last, [&](const PathPoint &p) { return (code(p) & bit) != (startCode & bit); },
            std::max<int64_t>(0, rowGuesses[k]));
        if (change) breaks.push_back(*change);
    }
    std::sort(breaks.begin(), breaks.end(), [](const PathPoint &a, const PathPoint &b) { return ComesBefore(a, b); });
    breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());
    for (size_t k = 0; k < breaks.size(); ++k) {
        const PathPoint from = breaks[k];
        const PathPoint to = k + 1 < breaks.size() ? path.Before(breaks[k + 1]) : piece.last;
        if (code(from) != 0) {  // the whole stretch shares a half-plane: its ends will do
            points.push_back(place(from));
            points.push_back(place(to));
            continue;
        }
        const PathWindow all{from.i, to.i, from.j, to.j};
        path.ForEachIn(from, to, all, [&](const PathPoint &p) { points.push_back(place(p)); });
    }
}

}  // namespace

void ChainArc(const ArcLayout &layout, const ArcPosition &first, const ArcPosition &last, ClippedChain &chain) {
    std::vector<CurvePoint> points;
    for (const ArcPiece &piece : layout.Pieces(first, last)) {
        points.clear();
        ChainPiece(layout, piece, chain, points);
        // Mirrored quadrants run against the path.
        if (piece.quadrant % 2) std::reverse(points.begin(), points.end());
        for (const CurvePoint &p : points) chain.Add(p);
    }
}

}  // namespace figplat::geom
