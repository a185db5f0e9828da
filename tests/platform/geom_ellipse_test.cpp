// Ellipse() geometry. Expected pictures marked "Wine" were read back from Wine's GDI
// (wine64, Ellipse into a 32-bpp top-down DIB section, black pen and null brush or null
// pen and solid brush, on white); '#' is a lit pixel, columns start at x = 0.
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

// Rows first..last of the canvas as text, each `width` columns wide.
std::vector<std::string> Picture(const SpanList &spans, int first, int last, int width) {
    std::vector<std::string> rows(last - first + 1, std::string(width, '.'));
    for (const Span &s : spans) {
        if (s.y < first || s.y > last) continue;
        for (int x = s.x0; x < s.x1 && x < width; ++x) rows[s.y - first][x] = '#';
    }
    return rows;
}

// Any lit pixel outside rows first..last fails the picture comparison too.
void ExpectPicture(const SpanList &spans, int first, const std::vector<std::string> &expected) {
    ASSERT_TRUE(spans.empty() || IsNormalized(spans)) << FormatSpans(spans);
    const int last = first + static_cast<int>(expected.size()) - 1;
    EXPECT_EQ(Picture(spans, first, last, static_cast<int>(expected[0].size())), expected);
    for (const Span &s : spans) {
        EXPECT_TRUE(s.y >= first && s.y <= last) << "stray row " << s.y;
        EXPECT_LE(s.x1, static_cast<int>(expected[0].size())) << "stray pixels on row " << s.y;
    }
}

SpanList Outline(RECT box, int width = 1, RECT clip = kCanvas) {
    SpanList out;
    EllipseOutline(box, PenShape{width}, clip, out);
    return out;
}

SpanList Interior(RECT box, RECT clip = kCanvas) {
    SpanList out;
    EllipseInterior(box, clip, out);
    return out;
}

TEST(EllipseWine, EvenWidthOutlineAndInterior) {
    // Wine: Ellipse(2, 3, 13, 11).
    ExpectPicture(Outline({2, 3, 13, 11}), 3,
                  {".....#####....", "....#.....#...", "...#.......#..", "..#.........#.",
                   "..#.........#.", "...#.......#..", "....#.....#...", ".....#####...."});
    // Wine: the same with the null pen; the brush reaches the outline's outermost pixels.
    ExpectPicture(Interior({2, 3, 13, 11}), 3,
                  {".....#####....", "....#######...", "...#########..", "..###########.",
                   "..###########.", "...#########..", "....#######...", ".....#####...."});
}

TEST(EllipseWine, ReversedCornersOddSize) {
    // Wine: Ellipse(8, 6, 1, 1), a 7 x 5 box given bottom-right first.
    ExpectPicture(Outline({8, 6, 1, 1}), 1, {"...###...", ".##...##.", ".#.....#.", ".##...##.", "...###..."});
}

TEST(EllipseWine, WidePenIsCentredOnTheOutline) {
    // Wine: Ellipse(2, 2, 12, 9) with a 3-pixel pen, null brush; GDI's own asymmetry kept.
    ExpectPicture(Outline({2, 2, 12, 9}, 3), 1,
                  {".....######...", "...##########.", ".###########..", ".######..####.", ".####.....###.",
                   ".######..####.", ".###########..", "...##########.", ".....######..."});
}

TEST(EllipseWine, NarrowEllipseStopsShortOfItsBox) {
    // Wine: Ellipse(2, 2, 5, 22). The integer walk gives up before the top and bottom
    // rows of so narrow a box, and the fill stops with it.
    std::vector<std::string> outline{"...#.."};
    std::vector<std::string> fill{"...#.."};
    for (int i = 0; i < 14; ++i) outline.push_back("..#.#."), fill.push_back("..###.");
    outline.push_back("...#..");
    fill.push_back("...#..");
    ExpectPicture(Outline({2, 2, 5, 22}), 4, outline);
    ExpectPicture(Interior({2, 2, 5, 22}), 4, fill);
}

TEST(EllipseThinBox, DrawsAsRectangle) {
    for (RECT box : {RECT{3, 4, 5, 12}, RECT{3, 4, 11, 6}, RECT{7, 2, 8, 9}}) {
        SpanList rect;
        RectangleOutline(box, kCanvas, rect);
        EXPECT_EQ(FormatSpans(Outline(box)), FormatSpans(rect));
        SpanList wide, wideRect;
        WideRectangleOutline(box, 3, kCanvas, wideRect);
        EXPECT_EQ(FormatSpans(Outline(box, 3)), FormatSpans(wideRect));
        // The brush keeps Rectangle()'s pen-less rule: right column and bottom row dropped.
        SpanList fill;
        RectangleInterior(box, false, kCanvas, fill);
        EXPECT_EQ(FormatSpans(Interior(box)), FormatSpans(fill));
    }
}

TEST(EllipseEmpty, ZeroWidthOrHeightOrEmptyClipDrawsNothing) {
    EXPECT_TRUE(Outline({5, 5, 5, 20}).empty());
    EXPECT_TRUE(Outline({5, 5, 20, 5}, 3).empty());
    EXPECT_TRUE(Interior({5, 5, 20, 5}).empty());
    EXPECT_TRUE(Outline({5, 5, 20, 20}, 1, RECT{10, 10, 10, 30}).empty());
    EXPECT_TRUE(Interior({5, 5, 20, 20}, RECT{10, 10, 30, 9}).empty());
}

// Every box size from 3 to 30 each way, at an odd offset.
template <class Check>
void ForEachBox(Check check) {
    for (int w = 3; w <= 30; ++w)
        for (int h = 3; h <= 26; ++h) check(RECT{3, 1, 3 + w, 1 + h});
}

TEST(EllipseProperties, OutlineStaysInBoxAndIsMirrorSymmetric) {
    ForEachBox([](RECT box) {
        const Pixels pixels = ToPixels(Outline(box));
        ASSERT_FALSE(pixels.empty());
        for (auto [y, x] : pixels) {
            EXPECT_TRUE(x >= box.left && x < box.right && y >= box.top && y < box.bottom);
            EXPECT_TRUE(pixels.count({y, box.left + box.right - 1 - x})) << box.right - box.left;
            EXPECT_TRUE(pixels.count({box.top + box.bottom - 1 - y, x})) << box.bottom - box.top;
        }
    });
}

TEST(EllipseProperties, OutlineIsOneEightConnectedLoop) {
    ForEachBox([](RECT box) {
        const Pixels pixels = ToPixels(Outline(box));
        // Flood the pixels from one of them through the 8 neighbours: all must be reached.
        Pixels seen{*pixels.begin()};
        std::vector<std::pair<int, int>> todo{*pixels.begin()};
        while (!todo.empty()) {
            auto [y, x] = todo.back();
            todo.pop_back();
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (pixels.count({y + dy, x + dx}) && seen.insert({y + dy, x + dx}).second)
                        todo.push_back({y + dy, x + dx});
        }
        EXPECT_EQ(seen.size(), pixels.size()) << box.right - box.left << "x" << box.bottom - box.top;
    });
}

TEST(EllipseProperties, InteriorRowsSpanExactlyTheOutline) {
    ForEachBox([](RECT box) {
        const SpanList fill = Interior(box);
        ASSERT_TRUE(IsNormalized(fill));
        const Pixels outline = ToPixels(Outline(box));
        for (const Span &s : fill) {
            // One run per row, from the leftmost to the rightmost outline pixel.
            EXPECT_TRUE(outline.count({s.y, s.x0}));
            EXPECT_TRUE(outline.count({s.y, s.x1 - 1}));
            for (int x = box.left; x < s.x0; ++x) EXPECT_FALSE(outline.count({s.y, x}));
            for (int x = s.x1; x < box.right; ++x) EXPECT_FALSE(outline.count({s.y, x}));
        }
        // Every outline pixel is under the brush.
        const Pixels filled = ToPixels(fill);
        for (const auto &p : outline) EXPECT_TRUE(filled.count(p));
    });
}

TEST(EllipseClip, ClippingKeepsThePixelsInside) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-40, 70);
    const RECT wide{-100, -100, 200, 200};
    for (int i = 0; i < 300; ++i) {
        const RECT box{coord(rng), coord(rng), coord(rng), coord(rng)};
        const RECT clip{coord(rng) / 2, coord(rng) / 2, 20 + coord(rng) / 2, 15 + coord(rng) / 2};
        for (int width : {1, 3}) {
            SpanList full = Outline(box, width, wide), cut = Outline(box, width, clip);
            ClipSpans(full, clip);
            EXPECT_EQ(FormatSpans(cut), FormatSpans(full)) << box.left << "," << box.top << "," << box.right << "," << box.bottom;
        }
        SpanList full = Interior(box, wide);
        ClipSpans(full, clip);
        EXPECT_EQ(FormatSpans(Interior(box, clip)), FormatSpans(full));
    }
}

TEST(EllipseClip, HugeBoxCostsOnlyWhatIsVisible) {
    // 100000 pixels across with the canvas near its right end: a handful of spans.
    const RECT box{-99980, -50000, 20, 50029};
    SpanList outline, wide, fill;
    EXPECT_LT(CurveWork([&] { outline = Outline(box); }), kVisibleWorkLimit);
    EXPECT_LT(CurveWork([&] { wide = Outline(box, 7); }), kVisibleWorkLimit);
    EXPECT_LT(CurveWork([&] { fill = Interior(box); }), kVisibleWorkLimit);
    EXPECT_TRUE(IsNormalized(outline) && IsNormalized(wide) && IsNormalized(fill));
    EXPECT_EQ(fill.size(), 29u);
    for (const Span &s : fill) EXPECT_EQ(s.x0, 0);  // the fill is cut at the canvas
    // The right end of the ellipse is a near-vertical run at x = 19 on every canvas row.
    for (const Span &s : outline) EXPECT_EQ(s.x1, 20);
    EXPECT_EQ(outline.size(), 29u);
    // As large as GDI draws (the point buffer's limit): the same few hundred steps.
    const RECT largest{-299999980, -150000000, 20, 150000029};
    EXPECT_LT(CurveWork([&] { Outline(largest, 7), Interior(largest); }), kVisibleWorkLimit);
    EXPECT_EQ(Interior(largest).size(), 29u);
}

}  // namespace
}  // namespace figplat::geom
