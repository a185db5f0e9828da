// Cosmetic LineTo() geometry. Expected pixel sets marked "Wine" were read back from Wine's
// GDI (wine64 8.0, LineTo into a 32-bpp DIB section, black pen on white).
#include "engine/geom/geom.h"
#include "engine/geom/spans.h"
#include "platform/geom_test_util.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <utility>

namespace figplat::geom {
namespace {

constexpr RECT kCanvas{0, 0, 37, 29};

std::string Line(POINT from, POINT to, RECT clip = kCanvas) {
    SpanList out;
    CosmeticLine(from, to, clip, out);
    EXPECT_TRUE(IsNormalized(out)) << FormatSpans(out);
    return FormatSpans(out);
}

SpanList LineSpans(POINT from, POINT to, RECT clip) {
    SpanList out;
    CosmeticLine(from, to, clip, out);
    return out;
}

bool Lit(const SpanList &spans, int64_t x, int64_t y) {
    for (const Span &s : spans)
        if (s.y == y && x >= s.x0 && x < s.x1) return true;
    return false;
}

int64_t PixelCount(const SpanList &spans) {
    int64_t n = 0;
    for (const Span &s : spans) n += s.x1 - s.x0;
    return n;
}

TEST(CosmeticLine, MatchesWinePixelsPerOctant) {
    struct Case {
        POINT from, to;
        const char *wine;
    };
    const Case cases[] = {
        {{2, 3}, {10, 5}, "3:2-5 4:5-9 5:9-10"},         // octant 1
        {{10, 5}, {2, 3}, "3:3-5 4:5-9 5:9-11"},         // octant 5, its reverse
        {{0, 0}, {4, 2}, "0:0-2 1:2-4"},                 // octant 1 tie: no step
        {{4, 2}, {0, 0}, "0:1-2 1:2-4 2:4-5"},           // octant 5 tie: steps
        {{1, 6}, {3, 14}, "6:1-2 7:1-2 8:1-2 9:2-3 10:2-3 11:2-3 12:2-3 13:3-4"},   // octant 2
        {{3, 14}, {1, 6}, "7:1-2 8:1-2 9:2-3 10:2-3 11:2-3 12:2-3 13:3-4 14:3-4"},  // octant 6
        {{3, 3}, {8, 8}, "3:3-4 4:4-5 5:5-6 6:6-7 7:7-8"},  // exact diagonal
    };
    for (const Case &c : cases)
        EXPECT_EQ(Line(c.from, c.to), c.wine) << c.from.x << "," << c.from.y << " -> " << c.to.x << "," << c.to.y;
}

TEST(CosmeticLine, AxisLinesAreHalfOpenAndBackwardsShiftByOne) {
    EXPECT_EQ(Line({3, 4}, {9, 4}), "4:3-9");
    EXPECT_EQ(Line({9, 4}, {3, 4}), "4:4-10");  // Wine: [end+1, start+1)
    EXPECT_EQ(Line({5, 2}, {5, 5}), "2:5-6 3:5-6 4:5-6");
    EXPECT_EQ(Line({5, 5}, {5, 2}), "3:5-6 4:5-6 5:5-6");
    EXPECT_EQ(Line({5, 5}, {5, 5}), "");
}

TEST(CosmeticLine, StartLitEndNotAndOnePixelPerMajorStep) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-40, 80);
    const RECT everything{-100, -100, 200, 200};
    for (int i = 0; i < 2000; ++i) {
        const POINT a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
        if (a.x == b.x && a.y == b.y) continue;
        const SpanList s = LineSpans(a, b, everything);
        ASSERT_TRUE(Lit(s, a.x, a.y)) << i;
        ASSERT_FALSE(Lit(s, b.x, b.y)) << i;
        ASSERT_EQ(PixelCount(s), std::max(std::abs(b.x - a.x), std::abs(b.y - a.y))) << i;
    }
}

TEST(CosmeticLine, ClippingNeverMovesAPixel) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-300, 300);
    std::uniform_int_distribution<int> edge(-20, 40);
    const RECT everything{-400, -400, 400, 400};
    for (int i = 0; i < 3000; ++i) {
        const POINT a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
        RECT clip{edge(rng), edge(rng), 0, 0};
        clip.right = clip.left + 1 + std::abs(edge(rng));
        clip.bottom = clip.top + 1 + std::abs(edge(rng));
        SpanList cut = LineSpans(a, b, everything);
        ClipSpans(cut, clip);
        ASSERT_EQ(FormatSpans(LineSpans(a, b, clip)), FormatSpans(cut)) << i;
    }
}

// The pixel routines step exactly the pixels a line hands them: only the visible ones.
struct WalkedPixels : SpanSink {
    int64_t walked = 0;
    void Span(int32_t, int32_t, int32_t) override {}
    void Line(const LineSteps &line) override { walked += line.count; }
};

TEST(CosmeticLine, HugeLinesCostOnlyTheClip) {
    // Wine: the exact diagonal through the canvas.
    std::string diagonal;
    for (int i = 0; i < 29; ++i) diagonal += (i ? " " : "") + std::to_string(i) + ":" + std::to_string(i) + "-" + std::to_string(i + 1);
    EXPECT_EQ(Line({-1000000000, -1000000000}, {1000000000, 1000000000}), diagonal);
    SpanList steep;
    CosmeticLine({-7, -2000000000}, {9, 2000000000}, kCanvas, steep);
    EXPECT_EQ(steep.size(), 29u);
    for (auto [from, to] : {std::pair<POINT, POINT>{{-1000000000, -1000000000}, {1000000000, 1000000000}},
                            {{-7, -2000000000}, {9, 2000000000}}}) {
        WalkedPixels walked;
        CosmeticLine(from, to, kCanvas, walked);
        EXPECT_EQ(walked.walked, 29);
    }
}

TEST(CosmeticLine, EndPointsBeyondTwoTo28AreScaledDownByEightLikeWine) {
    // Wine keeps its error terms small by dividing such end points by 8 (truncating), which
    // lands this line near row 1 instead of row 15.
    EXPECT_EQ(Line({-300000000, 10}, {300000000, 20}), "1:0-1 2:1-37");
}

TEST(CosmeticLine, EmptyClipDrawsNothing) {
    EXPECT_EQ(Line({1, 1}, {20, 9}, RECT{5, 5, 5, 20}), "");
    EXPECT_EQ(Line({1, 1}, {20, 1}, RECT{5, 5, 30, 2}), "");
}

}  // namespace
}  // namespace figplat::geom
