// Arc() and Pie() geometry. Expected pictures marked "Wine" were read back from Wine's GDI
// (wine64, drawing into a 32-bpp top-down DIB section, black pen and null brush or null
// pen and solid brush, on white, counter-clockwise arcs); '#' is a lit pixel.
#include "engine/geom/arc_layout.h"
#include "engine/geom/geom.h"
#include "engine/geom/spans.h"
#include "platform/geom_test_util.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace figplat::geom {
namespace {

using namespace figplat::geom::testing;

void ExpectPicture(const SpanList &spans, int first, const std::vector<std::string> &expected) {
    ASSERT_TRUE(spans.empty() || IsNormalized(spans)) << FormatSpans(spans);
    const int width = static_cast<int>(expected[0].size());
    std::vector<std::string> rows(expected.size(), std::string(width, '.'));
    for (const Span &s : spans) {
        const int row = s.y - first;
        ASSERT_TRUE(row >= 0 && row < static_cast<int>(rows.size())) << "stray row " << s.y;
        ASSERT_LE(s.x1, width) << "stray pixels on row " << s.y;
        for (int x = s.x0; x < s.x1; ++x) rows[row][x] = '#';
    }
    EXPECT_EQ(rows, expected);
}

SpanList Arc(RECT box, POINT start, POINT end, int width = 1, RECT clip = kCanvas) {
    SpanList out;
    ArcOutline(box, start, end, PenShape{width}, clip, out);
    return out;
}

SpanList PieEdge(RECT box, POINT start, POINT end, int width = 1, RECT clip = kCanvas) {
    SpanList out;
    PieOutline(box, start, end, PenShape{width}, clip, out);
    return out;
}

SpanList PieFill(RECT box, POINT start, POINT end, RECT clip = kCanvas) {
    SpanList out;
    PieInterior(box, start, end, clip, out);
    return out;
}

TEST(ArcWine, QuarterArcDropsItsLastPoint) {
    // Wine: Arc(2, 2, 15, 12, 20, 7, 8, 0): from the horizontal axis up to the top.
    ExpectPicture(Arc({2, 2, 15, 12}, {20, 7}, {8, 0}), 2,
                  {"..........#.....", "...........##...", ".............#..", "..............#.",
                   "..............#."});
}

TEST(ArcWine, SwappedEndsDrawTheRestOfTheEllipse) {
    // Wine: Arc(2, 2, 15, 12, 8, 0, 20, 7).
    ExpectPicture(Arc({2, 2, 15, 12}, {8, 0}, {20, 7}), 2,
                  {"......###.......", "....##..........", "...#............", "..#.............",
                   "..#.............", "..#.............", "..#...........#.", "...#.........#..",
                   "....##.....##...", "......#####....."});
}

TEST(ArcWine, EqualDirectionsGoAllTheWayRound) {
    // Wine: Arc(2, 2, 13, 10, 30, 6, 30, 6): the whole ellipse but the last point.
    ExpectPicture(Arc({2, 2, 13, 10}, {30, 6}, {30, 6}), 2,
                  {".....#####....", "....#.....#...", "...#.......#..", "..#.........#.",
                   "..#...........", "...#.......#..", "....#.....#...", ".....#####...."});
}

TEST(ArcWine, WidePenHasRoundEnds) {
    // Wine: Arc(1, 1, 12, 10, 12, 5, 6, 10) with a 3-pixel pen.
    ExpectPicture(Arc({1, 1, 12, 10}, {12, 5}, {6, 10}, 3), 0,
                  {"....#######...", "..##########..", ".############.", "######..####..",
                   "#####....####.", "####......###.", "#####......#..", "######........",
                   ".######.......", "..######......", "....###......."});
}

TEST(ArcWine, ThinBoxIsNotARectangle) {
    // Wine: Arc(3, 2, 5, 12, 10, 0, 0, 10): unlike Ellipse(), no Rectangle() fallback.
    ExpectPicture(Arc({3, 2, 5, 12}, {10, 0}, {0, 10}), 6, {"...##."});
}

TEST(PieWine, OutlineAndFill) {
    // Wine: Pie(3, 2, 14, 13, 14, 2, 3, 13): the upper-right half closed through the centre.
    ExpectPicture(PieEdge({3, 2, 14, 13}, {14, 2}, {3, 13}), 2,
                  {"......#####..", ".....#.....#.", "....#.....#..", "...#.....#...", "...#.....#...",
                   "...#....#....", "...#..##.....", "...#.#.......", "....#........"});
    // Wine: the same with the null pen (winding fill of the closed point path).
    ExpectPicture(PieFill({3, 2, 14, 13}, {14, 2}, {3, 13}), 2,
                  {"......####..", ".....######.", "....#######.", "...#######..", "...######...",
                   "...#####....", "...####.....", "...###......"});
}

TEST(PieWine, WidePenOutline) {
    // Wine: Pie(1, 1, 12, 10, 12, 5, 6, 10) with a 2-pixel pen.
    ExpectPicture(PieEdge({1, 1, 12, 10}, {12, 5}, {6, 10}, 2), 0,
                  {"...######....", "..########...", ".####..####..", "####....####.", "###..#######.",
                   "##...#######.", "###..##......", "####.##......", ".######......", "..#####......"});
}

TEST(PieWine, TwoPixelWideBoxCanHaveNoArcAtAll) {
    // Wine: Pie(5, 2, 3, 37, 15, 44, 27, -8) draws nothing: the start lands on the last
    // position of the one-point quadrants and the end on the first, with nothing between.
    EXPECT_TRUE(PieEdge({5, 2, 3, 37}, {15, 44}, {27, -8}).empty());
    EXPECT_TRUE(PieEdge({5, 2, 3, 37}, {15, 44}, {27, -8}, 7).empty());
    EXPECT_TRUE(PieFill({5, 2, 3, 37}, {15, 44}, {27, -8}).empty());
}

SpanList FullEllipse(RECT box, RECT clip = kCanvas) {
    SpanList out;
    EllipseOutline(box, PenShape{1}, clip, out);
    return out;
}

struct ArcCase {
    RECT box;
    POINT start, end;
};

// Boxes of many sizes with ends in every quadrant, on the axes and at the centre.
std::vector<ArcCase> ArcCases() {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> size(3, 28), offset(-30, 30);
    std::vector<ArcCase> cases;
    for (int i = 0; i < 400; ++i) {
        const int w = size(rng), h = size(rng);
        const RECT box{2, 1, 2 + w, 1 + h};
        const POINT centre{2 + w / 2, 1 + h / 2};
        auto direction = [&](int kind) {
            switch (kind % 4) {
            case 0: return POINT{centre.x + offset(rng), centre.y};
            case 1: return POINT{centre.x, centre.y + offset(rng)};
            default: return POINT{centre.x + offset(rng), centre.y + offset(rng)};
            }
        };
        cases.push_back({box, direction(i), direction(i / 4)});
    }
    return cases;
}

TEST(ArcProperties, ArcsAreOnTheEllipseAndTwoHalvesMakeIt) {
    for (const ArcCase &c : ArcCases()) {
        const Pixels ellipse = ToPixels(FullEllipse(c.box));
        const Pixels forward = ToPixels(Arc(c.box, c.start, c.end));
        const Pixels back = ToPixels(Arc(c.box, c.end, c.start));
        for (const auto &p : forward) EXPECT_TRUE(ellipse.count(p));
        // Each arc drops only its own last point, so together they miss at most two.
        size_t covered = 0;
        for (const auto &p : ellipse) covered += forward.count(p) || back.count(p);
        EXPECT_GE(covered + 2, ellipse.size());
    }
}

TEST(PieProperties, FillStaysInsideTheEllipseAndReachesTheCentre) {
    for (const ArcCase &c : ArcCases()) {
        SpanList ellipseFill;
        EllipseInterior(c.box, kCanvas, ellipseFill);
        const Pixels inside = ToPixels(ellipseFill);
        const SpanList fill = PieFill(c.box, c.start, c.end);
        ASSERT_TRUE(fill.empty() || IsNormalized(fill));
        for (const auto &p : ToPixels(fill)) EXPECT_TRUE(inside.count(p));
        // The outline always passes through the centre.
        const Pixels edge = ToPixels(PieEdge(c.box, c.start, c.end));
        const POINT centre{(c.box.left + c.box.right) / 2, (c.box.top + c.box.bottom) / 2};
        EXPECT_TRUE(edge.count({centre.y, centre.x}));
    }
}

TEST(ArcClip, ClippingKeepsThePixelsInside) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> coord(-30, 60);
    const RECT wide{-100, -100, 200, 200};
    for (int i = 0; i < 300; ++i) {
        const RECT box{coord(rng), coord(rng), coord(rng), coord(rng)};
        const POINT start{coord(rng), coord(rng)}, end{coord(rng), coord(rng)};
        const RECT clip{coord(rng) / 2, coord(rng) / 2, 20 + coord(rng) / 2, 15 + coord(rng) / 2};
        // 41: a disc holds clips of up to 35 pixels' diagonal, or just misses a corner.
        for (int width : {1, 3, 41}) {
            SpanList full = Arc(box, start, end, width, wide);
            ClipSpans(full, clip);
            EXPECT_EQ(FormatSpans(Arc(box, start, end, width, clip)), FormatSpans(full));
            full = PieEdge(box, start, end, width, wide);
            ClipSpans(full, clip);
            EXPECT_EQ(FormatSpans(PieEdge(box, start, end, width, clip)), FormatSpans(full));
        }
        SpanList full = PieFill(box, start, end, wide);
        ClipSpans(full, clip);
        EXPECT_EQ(FormatSpans(PieFill(box, start, end, clip)), FormatSpans(full));
    }
}

// GDI's stroke along a curve: the pen's disc at every outline point and the body of every
// step, each quadrant in path order, plus the steps between quadrants and the closing one.
SpanList PointByPointStroke(RECT r, POINT start, POINT end, bool whole, int width, RECT clip) {
    const CurveBox box = CurveBox::Ordered(r);
    const ArcLayout layout(box);
    ArcPosition first = layout.TurnStart(), last = layout.TurnEnd();
    if (!whole) layout.ArcRange(start, end, first, last);
    SpanList out;
    auto stroke = [&](const std::vector<POINT> &points) {
        CollectNormalized(out, [&](SpanSink &s) { WidePolyline(points.data(), static_cast<int>(points.size()), width, false, clip, s); });
    };
    auto at = [&](const ArcPosition &p) {
        const CurvePoint c = layout.PointAt(p);
        return POINT{static_cast<LONG>(c.x), static_cast<LONG>(c.y)};
    };
    const PathWindow everywhere{INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX};
    for (const ArcPiece &piece : layout.Pieces(first, last)) {
        std::vector<POINT> points;
        layout.Path().ForEachIn(piece.first, piece.last, everywhere, [&](const PathPoint &p) {
            const CurvePoint c = layout.Frame().Place(piece.quadrant, p);
            points.push_back({static_cast<LONG>(c.x), static_cast<LONG>(c.y)});
        });
        if (points.size() == 1) points.push_back(points[0]);
        stroke(points);
    }
    for (int block = first.block + 1; layout.Less({block, layout.FirstOfBlock(block)}, last); ++block)
        stroke({at({block - 1, layout.LastOfBlock(block - 1)}), at({block, layout.FirstOfBlock(block)})});
    if (whole) stroke({at(layout.Before(last)), at(first)});
    NormalizeSpans(out);
    return out;
}

// Each row of a wide curve is worked out from the discs within reach, not stamped point by
// point: the pixels must be the union all the same (tiny and huge pens, corners of diagonal
// steps that stand a pixel apart, clips cutting the stroke), and a tall clip must get a few
// runs a row rather than a disc a point.
TEST(ArcClip, WideCurvesPaintTheUnionOfEveryPointsDisc) {
    struct Case {
        RECT box;
        POINT start, end;
        bool whole;
    };
    const Case cases[] = {
        {{-3, 2, 33, 27}, {0, 0}, {0, 0}, true},          {{41, -43, 121, 189}, {0, 0}, {0, 0}, true},
        {{-41, -55, 182, 76}, {200, 3}, {-9, -300}, false}, {{5, 1, 12, 90}, {30, 80}, {-30, 80}, false},
        {{-170, -4, 211, 19}, {0, 40}, {211, 19}, false}, {{2, 3, 7, 5}, {0, 0}, {0, 0}, true},
    };
    const RECT clips[] = {{-300, -300, 300, 300}, {-7, 11, 29, 23}, {30, -20, 31, 180}};
    for (const Case &c : cases)
        for (int width : {2, 3, 6, 20, 61, 400})
            for (const RECT &clip : clips) {
                SpanList row;
                size_t pieces = 0;
                CollectNormalized(row, [&](SpanSink &s) {
                    struct Counter final : SpanSink {
                        SpanSink &out;
                        size_t &count;
                        Counter(SpanSink &o, size_t &n) : out(o), count(n) {}
                        void Span(int32_t y, int32_t x0, int32_t x1) override { ++count, out.Span(y, x0, x1); }
                    } counter(s, pieces);
                    if (c.whole) EllipseOutline(c.box, PenShape{width}, clip, counter);
                    else ArcOutline(c.box, c.start, c.end, PenShape{width}, clip, counter);
                });
                SCOPED_TRACE(FormatSpans({{c.box.left, c.box.top, c.box.right}}) + " pen " + std::to_string(width));
                EXPECT_EQ(FormatSpans(row), FormatSpans(PointByPointStroke(c.box, c.start, c.end, c.whole, width, clip)));
                const size_t rows = static_cast<size_t>(clip.bottom - clip.top);
                EXPECT_LE(pieces, 24 * rows);
            }
}

TEST(ArcClip, HugePieCostsOnlyWhatIsVisibleAndAgreesWithALargerClip) {
    // 100000 pixels across, the canvas straddling the start radius near the right end.
    const RECT box{-99980, -50000, 20, 50029};
    const POINT start{20, 0}, end{-99980, 14};
    SpanList fill, edge;
    EXPECT_LT(CurveWork([&] { fill = PieFill(box, start, end); }), kVisibleWorkLimit);
    EXPECT_LT(CurveWork([&] { edge = PieEdge(box, start, end, 3); }), kVisibleWorkLimit);
    EXPECT_LT(CurveWork([&] { Arc(box, start, end); }), kVisibleWorkLimit);
    ASSERT_FALSE(fill.empty());
    SpanList larger = PieFill(box, start, end, RECT{-300, -300, 300, 300});
    ClipSpans(larger, kCanvas);
    EXPECT_EQ(FormatSpans(fill), FormatSpans(larger));
    larger = PieEdge(box, start, end, 3, RECT{-300, -300, 300, 300});
    ClipSpans(larger, kCanvas);
    EXPECT_EQ(FormatSpans(edge), FormatSpans(larger));
}

}  // namespace
}  // namespace figplat::geom
