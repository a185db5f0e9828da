// Rectangle() geometry with a one-pixel or null pen. Expected pixel sets marked "Wine" were
// read back from Wine's GDI (wine64 8.0, Rectangle into a 32-bpp DIB section).
#include "engine/geom/geom.h"
#include "engine/geom/spans.h"
#include "platform/geom_test_util.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace figplat::geom {
namespace {

constexpr RECT kCanvas{0, 0, 53, 47};

std::string Outline(RECT box, RECT clip = kCanvas) {
    SpanList out;
    RectangleOutline(box, clip, out);
    EXPECT_TRUE(IsNormalized(out));
    return FormatSpans(out);
}

std::string Interior(RECT box, bool hasPen, RECT clip = kCanvas) {
    SpanList out;
    RectangleInterior(box, hasPen, clip, out);
    EXPECT_TRUE(IsNormalized(out));
    return FormatSpans(out);
}

TEST(RectangleGeometry, OutlineAndInteriorMatchWine) {
    const RECT box{42, 40, 50, 45};
    EXPECT_EQ(Outline(box), "40:42-50 41:42-43 41:49-50 42:42-43 42:49-50 43:42-43 43:49-50 44:42-50");
    EXPECT_EQ(Interior(box, true), "41:43-49 42:43-49 43:43-49");
    EXPECT_EQ(Interior(box, false), "40:42-49 41:42-49 42:42-49 43:42-49");
}

TEST(RectangleGeometry, ReversedCornersAreOrderedFirst) {
    // Wine: Rectangle(30, 20, 25, 23).
    EXPECT_EQ(Outline({30, 20, 25, 23}), "20:25-30 21:25-26 21:29-30 22:25-30");
    EXPECT_EQ(Interior({30, 20, 25, 23}, true), "21:26-29");
    EXPECT_EQ(Interior({30, 20, 25, 23}, false), "20:25-29 21:25-29");
    EXPECT_EQ(Outline({30, 23, 25, 20}), Outline({25, 20, 30, 23}));
}

TEST(RectangleGeometry, EmptyAndThinBoxes) {
    EXPECT_EQ(Outline({5, 5, 5, 9}), "");
    EXPECT_EQ(Outline({5, 5, 9, 5}), "");
    EXPECT_EQ(Interior({5, 5, 5, 9}, false), "");
    // Wine: a 1x1 box's four outline lines all have zero length, so nothing is drawn.
    EXPECT_EQ(Outline({5, 5, 6, 6}), "");
    EXPECT_EQ(Interior({5, 5, 6, 6}, false), "");
    // One or two pixels across: all outline, no inside.
    EXPECT_EQ(Outline({5, 5, 6, 8}), "5:5-6 6:5-6 7:5-6");
    EXPECT_EQ(Outline({5, 5, 7, 7}), "5:5-7 6:5-7");
    EXPECT_EQ(Interior({5, 5, 7, 7}, true), "");
    EXPECT_EQ(Interior({5, 5, 7, 7}, false), "5:5-6");
}

TEST(RectangleGeometry, ClippingCutsWithoutChangingPixels) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> coord(-10, 70);
    const RECT everything{-20, -20, 100, 100};
    for (int i = 0; i < 1000; ++i) {
        const RECT box{coord(rng), coord(rng), coord(rng), coord(rng)};
        for (bool hasPen : {false, true}) {
            SpanList full, clipped;
            RectangleInterior(box, hasPen, everything, full);
            RectangleOutline(box, everything, full);
            RectangleInterior(box, hasPen, kCanvas, clipped);
            RectangleOutline(box, kCanvas, clipped);
            ClipSpans(full, kCanvas);
            NormalizeSpans(full);
            NormalizeSpans(clipped);
            ASSERT_EQ(FormatSpans(clipped), FormatSpans(full)) << i;
        }
    }
}

TEST(RectangleGeometry, HugeBoxCostsOnlyTheClip) {
    const RECT huge{INT_MIN, INT_MIN + 1, INT_MAX, INT_MAX - 1};
    SpanList outline, inside;
    RectangleOutline(huge, kCanvas, outline);
    RectangleInterior(huge, true, kCanvas, inside);
    EXPECT_TRUE(outline.empty());
    EXPECT_EQ(inside.size(), 47u);
    EXPECT_EQ(inside.front().x0, 0);
    EXPECT_EQ(inside.front().x1, 53);
}

}  // namespace
}  // namespace figplat::geom
