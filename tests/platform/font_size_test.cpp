// The size rules of the font module: LOGFONT heights to pixels-per-em for outline faces,
// to whole-pixel magnifications for raster faces. Expected values marked "Wine" were
// measured under wine64 8.0 (GetTextMetricsW after CreateFontIndirectW).
#include "engine/font/face_catalog.h"
#include "engine/font/pixel_size.h"

#include <gtest/gtest.h>

namespace figplat::font {
namespace {

// Liberation Sans / Arial: unitsPerEm 2048, usWinAscent 1854, usWinDescent 434.
constexpr OutlineFaceHeights kSans{2048, 1854, 434, 1854, -434};
// A face whose win metrics are zero: the hhea box stands in.
constexpr OutlineFaceHeights kNoWinMetrics{1000, 0, 0, 800, -200};

TEST(FontPixelsPerEm, NegativeHeightIsTheEmItself) {
    EXPECT_EQ(OutlinePixelsPerEm(kSans, -12), 12);
    EXPECT_EQ(OutlinePixelsPerEm(kSans, -1), 1);
    EXPECT_EQ(OutlinePixelsPerEm(kSans, -65535), 65535);
    EXPECT_EQ(OutlinePixelsPerEm(kSans, -65536), 1);  // beyond what GDI accepts
}

TEST(FontPixelsPerEm, PositiveHeightIsTheCellRoundedButNeverTaller) {
    EXPECT_EQ(OutlinePixelsPerEm(kSans, 12), 11);  // Wine: Arial 12 -> cell 12, ascent 10
    EXPECT_EQ(OutlinePixelsPerEm(kSans, 16), 14);
    // 2048 * 14 / 2288 rounds to 13, whose cell would be 13 * 2288 / 2048 = 14.5 -> 15:
    // one pixel too tall, so 12 (Wine: Arial 14 -> tmHeight 14, like Arial -12).
    EXPECT_EQ(OutlinePixelsPerEm(kSans, 14), 12);
    EXPECT_EQ(OutlinePixelsPerEm(kSans, 33), 29);  // Wine: Arial 33 -> tmHeight 32
}

TEST(FontPixelsPerEm, ZeroHeightMeansASixteenPixelCell) {
    EXPECT_EQ(OutlinePixelsPerEm(kSans, 0), OutlinePixelsPerEm(kSans, 16));
}

TEST(FontPixelsPerEm, ZeroWinMetricsFallBackToHhea) {
    EXPECT_EQ(OutlinePixelsPerEm(kNoWinMetrics, 20), 20);
    EXPECT_EQ(OutlinePixelsPerEm(kNoWinMetrics, 10), 10);
}

TEST(FontBitmapScale, SystemDoublesOnlyPastTheDelayedThreshold) {
    // vgasys.fon: 16-pixel cell, 3 pixels of internal leading (Wine: System -25 and 28 stay
    // 16 tall, -26 and 29 become 32).
    EXPECT_EQ(BitmapScale(16, 3, -25), 1);
    EXPECT_EQ(BitmapScale(16, 3, -26), 2);
    EXPECT_EQ(BitmapScale(16, 3, 28), 1);
    EXPECT_EQ(BitmapScale(16, 3, 29), 2);
    EXPECT_EQ(BitmapScale(16, 3, -8), 1);
    EXPECT_EQ(BitmapScale(16, 3, 0), 1);
}

TEST(FontBitmapScale, CourierTriplesWithinAQuarterCell) {
    // coure.fon: 13-pixel cell, no leading (Wine: 23 -> 13, 24 -> 26, 35 -> 26, 36 -> 39).
    EXPECT_EQ(BitmapScale(13, 0, 23), 1);
    EXPECT_EQ(BitmapScale(13, 0, 24), 2);
    EXPECT_EQ(BitmapScale(13, 0, -35), 2);
    EXPECT_EQ(BitmapScale(13, 0, -36), 3);
    EXPECT_EQ(BitmapScale(0, 0, 20), 1);  // a broken header never divides by zero
}

TEST(FontBitmapScale, NoMagnificationBeyondTheLargestSize) {
    EXPECT_EQ(BitmapScale(16, 3, -65532), 4096);
    EXPECT_EQ(BitmapScale(16, 3, -65533), 1);
    EXPECT_EQ(BitmapScale(16, 3, -2147483647L - 1), 1);  // an lfHeight of INT_MIN, negated
    EXPECT_EQ(BitmapScale(8, 0, 2147483647L), 1);
}

TEST(FontRounding, RoundsHalfAwayFromZeroLikeFreeType) {
    EXPECT_EQ(RoundedMulDiv(2048, 12, 2288), 11);
    EXPECT_EQ(RoundedMulDiv(-3, 1, 2), -2);
    EXPECT_EQ(RoundedMulDiv(5, 5, 0), 0);
    // The underline of Arial at 24 ppem: -67 font units -> -0.785 pixels -> -1.
    EXPECT_EQ(RoundedMulFix(-67, 768), -1);
    EXPECT_EQ(RoundedMulFix(150, 768), 2);
    EXPECT_EQ(RoundedMulFix(0x8000, 1), 1);
}

TEST(FontNames, GdiNamesMapToTheirLookAlikes) {
    EXPECT_EQ(LookAlikeFamily("Arial"), "Liberation Sans");
    EXPECT_EQ(LookAlikeFamily("HELVETICA"), "Liberation Sans");
    EXPECT_EQ(LookAlikeFamily("times"), "Liberation Serif");
    EXPECT_EQ(LookAlikeFamily("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(LookAlikeFamily("Courier New"), "Liberation Mono");
    EXPECT_EQ(LookAlikeFamily("Courier"), "Courier");  // the raster font, not Courier New
    EXPECT_EQ(LookAlikeFamily("DejaVu Sans"), "DejaVu Sans");
}

TEST(FontNames, UnknownNamesFallBackByPitchThenFamily) {
    EXPECT_EQ(FallbackFamily(FIXED_PITCH | FF_ROMAN), "Liberation Mono");
    EXPECT_EQ(FallbackFamily(FF_MODERN), "Liberation Mono");
    EXPECT_EQ(FallbackFamily(VARIABLE_PITCH | FF_ROMAN), "Liberation Serif");
    EXPECT_EQ(FallbackFamily(FF_SWISS), "Liberation Sans");
    EXPECT_EQ(FallbackFamily(FF_SCRIPT), "Liberation Sans");
    EXPECT_EQ(FallbackFamily(DEFAULT_PITCH | FF_DONTCARE), "Liberation Sans");
}

}  // namespace
}  // namespace figplat::font
