// Wide solid pens and the span utilities under them. Expected pixel sets marked "Wine"
// were read back from Wine's GDI (wine64 8.0: CreatePen(PS_SOLID, w), LineTo, Polyline and
// Rectangle with a null brush, CreatePolygonRgn + FillRgn, into a 32-bpp DIB section).
#include "engine/geom/geom.h"
#include "engine/geom/spans.h"
#include "platform/geom_test_util.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace figplat::geom {
namespace {

constexpr RECT kCanvas{0, 0, 37, 29};

std::string Wide(std::vector<POINT> path, int width, bool closed = false, RECT clip = kCanvas) {
    SpanList out;
    WidePolyline(path.data(), static_cast<int>(path.size()), width, closed, clip, out);
    EXPECT_TRUE(IsNormalized(out));
    return FormatSpans(out);
}

TEST(WidePen, ZeroLengthLineIsTheRoundDisc) {
    // Wine: LineTo to the current point (10, 10). Even widths put the extra row and
    // column above and left of the point.
    EXPECT_EQ(Wide({{10, 10}, {10, 10}}, 2), "9:9-11 10:9-11");
    EXPECT_EQ(Wide({{10, 10}, {10, 10}}, 3), "9:10-11 10:9-12 11:10-11");
    EXPECT_EQ(Wide({{10, 10}, {10, 10}}, 4), "8:9-11 9:8-12 10:8-12 11:9-11");
    EXPECT_EQ(Wide({{10, 10}, {10, 10}}, 7), "7:9-12 8:8-13 9:7-14 10:7-14 11:7-14 12:8-13 13:9-12");
    EXPECT_EQ(Wide({{10, 10}, {10, 10}}, 8), "6:8-12 7:7-13 8:6-14 9:6-14 10:6-14 11:6-14 12:7-13 13:8-12");
}

TEST(WidePen, StraightAndSlantedLinesMatchWine) {
    EXPECT_EQ(Wide({{5, 5}, {20, 5}}, 3), "4:5-21 5:4-22 6:5-21");
    EXPECT_EQ(Wide({{5, 5}, {20, 5}}, 2), "4:4-21 5:4-21");
    EXPECT_EQ(Wide({{4, 4}, {14, 9}}, 4),
              "2:3-5 3:2-7 4:2-9 5:3-11 6:3-13 7:5-15 8:7-16 9:9-16 10:11-15");
}

TEST(WidePen, PolylineJoinsAreRoundAndPaintedOnce) {
    EXPECT_EQ(Wide({{2, 2}, {12, 3}, {6, 12}}, 3),
              "1:2-13 2:1-13 3:2-14 4:10-14 5:9-14 6:9-13 7:8-12 8:7-12 9:7-11 10:6-10 11:5-10 "
              "12:5-9 13:6-7");
}

TEST(WidePen, RectangleOutlineMatchesWine) {
    auto rect = [](RECT box, int width) {
        SpanList out;
        WideRectangleOutline(box, width, kCanvas, out);
        EXPECT_TRUE(IsNormalized(out));
        return FormatSpans(out);
    };
    EXPECT_EQ(rect({10, 10, 20, 16}, 3),
              "9:10-20 10:9-21 11:9-21 12:9-12 12:18-21 13:9-12 13:18-21 14:9-21 15:9-21 16:10-20");
    EXPECT_EQ(rect({20, 5, 8, 17}, 8),
              "1:6-21 2:5-22 3:4-23 4:4-23 5:4-23 6:4-23 7:4-23 8:4-23 9:4-12 9:15-23 10:4-12 "
              "10:15-23 11:4-12 11:15-23 12:4-23 13:4-23 14:4-23 15:4-23 16:4-23 17:4-23 18:5-22 "
              "19:6-21");
    EXPECT_EQ(rect({5, 5, 6, 6}, 3), "4:5-6 5:4-7 6:5-6");  // a 1x1 box: one disc
    EXPECT_EQ(rect({5, 5, 5, 9}, 3), "");
}

TEST(WidePen, BrushInsideAWideRectangleIsTheNullPenBoxMinusTheOutline) {
    // Wine: the brush covers Rectangle(10, 10, 20, 16)'s [10, 19) x [10, 15) less the pen.
    SpanList outline, inside;
    WideRectangleOutline({10, 10, 20, 16}, 3, kCanvas, outline);
    RectangleInterior({10, 10, 20, 16}, false, kCanvas, inside);
    EXPECT_EQ(FormatSpans(SubtractSpans(inside, outline)), "12:12-18 13:12-18");
}

TEST(WidePen, OnePixelWidthIsCosmetic) {
    SpanList lines;
    CosmeticLine({2, 2}, {12, 3}, kCanvas, lines);
    CosmeticLine({12, 3}, {6, 12}, kCanvas, lines);
    CosmeticLine({6, 12}, {2, 2}, kCanvas, lines);
    NormalizeSpans(lines);
    EXPECT_EQ(Wide({{2, 2}, {12, 3}, {6, 12}}, 1, true), FormatSpans(lines));
    EXPECT_EQ(Wide({{2, 2}, {12, 3}, {6, 12}}, 0, true), FormatSpans(lines));
}

TEST(WidePen, ClippingNeverMovesAPixel) {
    std::mt19937 rng(5);
    // Pens of 45 to 120 have discs that just hold the canvas, or just fail to; none holds
    // all of `everything`.
    std::uniform_int_distribution<int> coord(-30, 70), count(2, 5), width(2, 9), wide(45, 120);
    const RECT everything{-100, -100, 200, 200};
    for (int i = 0; i < 1200; ++i) {
        std::vector<POINT> path(static_cast<size_t>(count(rng)));
        for (POINT &p : path) p = {coord(rng), coord(rng)};
        const int w = i % 2 ? width(rng) : wide(rng);
        const bool closed = (i % 3) == 0;
        SpanList full, clipped;
        WidePolyline(path.data(), static_cast<int>(path.size()), w, closed, everything, full);
        WidePolyline(path.data(), static_cast<int>(path.size()), w, closed, kCanvas, clipped);
        ClipSpans(full, kCanvas);
        ASSERT_EQ(FormatSpans(clipped), FormatSpans(full)) << i;
    }
}

TEST(WidePen, HugeSegmentsCostOnlyTheClip) {
    SpanList out;
    const POINT path[] = {{-2000000000, -1000000000}, {2000000000, 1000000005}, {-5, 2000000000}};
    WidePolyline(path, 3, 6, false, kCanvas, out);
    EXPECT_TRUE(IsNormalized(out));
    EXPECT_LE(out.size(), 29u * 2);

    // A pen far wider than the canvas still only produces the canvas rows.
    SpanList fat;
    const POINT dot[] = {{18, 14}, {18, 14}};
    WidePolyline(dot, 2, 400001, false, kCanvas, fat);
    EXPECT_EQ(FormatSpans(fat), FormatSpans([] {
        SpanList all;
        AppendClippedRect(all, 0, 0, 37, 29, kCanvas);
        return all;
    }()));
}

TEST(SpanUtilities, NormalizeSortsAndMergesTouchingSpans) {
    SpanList s{{2, 5, 8}, {1, 0, 3}, {2, 8, 9}, {2, 1, 4}, {2, 3, 5}, {1, 4, 4}};
    NormalizeSpans(s);
    EXPECT_EQ(FormatSpans(s), "1:0-3 2:1-9");
    EXPECT_EQ(FormatSpans(UnionSpans(s, {{1, 3, 5}, {3, 0, 1}})), "1:0-5 2:1-9 3:0-1");
}

TEST(SpanUtilities, SubtractLeavesTheGaps) {
    const SpanList from{{0, 0, 10}, {1, 2, 6}, {3, 0, 4}};
    const SpanList remove{{0, 2, 3}, {0, 5, 7}, {1, 0, 9}, {2, 0, 4}, {3, 3, 8}};
    EXPECT_EQ(FormatSpans(SubtractSpans(from, remove)), "0:0-2 0:3-5 0:7-10 3:0-3");
}

TEST(SpanUtilities, PolygonRulesMatchWineRegions) {
    const POINT star[] = {{18, 1}, {28, 26}, {4, 10}, {32, 10}, {8, 26}};
    SpanList alternate, winding;
    AppendPolygon(star, 5, FillRule::Alternate, kCanvas, alternate);
    AppendPolygon(star, 5, FillRule::Winding, kCanvas, winding);
    NormalizeSpans(alternate);
    NormalizeSpans(winding);
    // Wine: the pentagram's centre is a hole only with ALTERNATE.
    EXPECT_EQ(FormatSpans(alternate),
              "2:18-19 3:18-19 4:17-20 5:17-20 6:16-20 7:16-21 8:16-21 9:15-22 10:4-15 10:22-32 "
              "11:6-14 11:22-31 12:7-14 12:23-29 13:9-14 13:23-28 14:10-13 14:24-26 15:12-13 "
              "15:24-25 16:12-13 16:23-24 17:12-15 17:22-25 18:12-16 18:20-25 19:11-18 19:19-26 "
              "20:11-17 20:19-26 21:10-16 21:21-26 22:10-14 22:22-27 23:10-13 23:24-27 24:9-11 "
              "24:25-28 25:9-10 25:27-28");
    EXPECT_EQ(FormatSpans(winding),
              "2:18-19 3:18-19 4:17-20 5:17-20 6:16-20 7:16-21 8:16-21 9:15-22 10:4-32 11:6-31 "
              "12:7-29 13:9-28 14:10-26 15:12-25 16:12-24 17:12-25 18:12-25 19:11-26 20:11-17 "
              "20:19-26 21:10-16 21:21-26 22:10-14 22:22-27 23:10-13 23:24-27 24:9-11 24:25-28 "
              "25:9-10 25:27-28");
}

TEST(SpanUtilities, EllipticRegionClippedRowsEqualTheWholeShapeCut) {
    std::mt19937 rng(13);
    std::uniform_int_distribution<int> coord(-40, 80), size(-3, 90);
    for (int i = 0; i < 500; ++i) {
        RECT box{coord(rng), coord(rng), 0, 0};
        box.right = box.left + size(rng);
        box.bottom = box.top + size(rng);
        SpanList whole = EllipticRegionShape(box), clipped;
        AppendEllipticRegion(box, kCanvas, clipped);
        ClipSpans(whole, kCanvas);
        ASSERT_EQ(FormatSpans(clipped), FormatSpans(whole)) << i;
    }
}

TEST(SpanUtilities, VeryWidePenDiscsAreComputedPerVisibleRow) {
    // Beyond the stamped-disc size each disc is computed for the canvas rows only; the
    // shape must not change.
    for (int width : {4095, 4096, 4097, 6000, 6001}) {
        const POINT at{18 - 1500, 14 + 1000};
        SpanList pen;
        const POINT dot[] = {at, at};
        WidePolyline(dot, 2, width, false, kCanvas, pen);
        const LONG low = -(width / 2), high = (width + 1) / 2 + 1;
        SpanList disc = EllipticRegionShape({at.x + low, at.y + low, at.x + high, at.y + high});
        ClipSpans(disc, kCanvas);
        EXPECT_FALSE(pen.empty()) << width;
        EXPECT_EQ(FormatSpans(pen), FormatSpans(disc)) << width;
    }
}

TEST(SpanUtilities, EllipticRegionDropsRightColumnAndBottomRow) {
    SpanList out;
    AppendEllipticRegion({0, 0, 5, 5}, kCanvas, out);  // Wine: CreateEllipticRgn(0, 0, 5, 5)
    EXPECT_EQ(FormatSpans(out), "0:1-3 1:0-4 2:0-4 3:1-3");
    out.clear();
    AppendEllipticRegion({34, 4, 52, 4}, kCanvas, out);  // Wine: a flat box keeps the row above
    EXPECT_EQ(FormatSpans(out), "3:34-37");
}

}  // namespace
}  // namespace figplat::geom
