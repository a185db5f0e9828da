// Arc() and Pie() geometry. Expected pictures marked "Wine" were read back from Wine's GDI
// (wine64, drawing into a 32-bpp top-down DIB section, black pen and null brush or null
// pen and solid brush, on white, counter-clockwise arcs); '#' is a lit pixel.
#include "gdi/geom/geom.h"
#include "gdi/geom/spans.h"
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
