// BitBlt SRCCOPY: every pair of depths, GDI's monochrome rules, clipping to both bitmaps,
// negative extents and overlapping copies within one bitmap.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace gditest;

namespace {

constexpr int kW = 7, kH = 5;

// Distinct colours for a 7x5 source: channels differ per pixel and per channel.
COLORREF SourceColour(int x, int y) {
    return RGB((x * 37 + y * 11) & 255, (x * 5 + y * 53 + 40) & 255, (255 - x * 29 - y * 7) & 255);
}

class DepthPairs : public ::testing::TestWithParam<std::tuple<int, int>> {};

// True colour into an 8-bit table is matched from the centre of the colour's 5-bit cell.
COLORREF CellCentre(COLORREF c) {
    return RGB((GetRValue(c) & ~7) + 4, (GetGValue(c) & ~7) + 4, (GetBValue(c) & ~7) + 4);
}

// Whatever the formats, a blitted pixel must hold what SetPixel would store for the colour
// the source pixel holds: the same nearest-colour or truncation rule on both paths.
TEST_P(DepthPairs, EachPixelConvertsLikeSetPixel) {
    const auto [srcBpp, dstBpp] = GetParam();
    MemoryDc src(MakeRampInfo(kW, kH, srcBpp));
    MemoryDc dst(MakeRampInfo(kW + 2, -(kH + 1), dstBpp));
    MemoryDc scratch(MakeRampInfo(1, 1, dstBpp));
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) SetPixel(src.dc(), x, y, SourceColour(x, y));
    const COLORREF untouched = GetPixel(dst.dc(), 0, 0);
    ASSERT_TRUE(BitBlt(dst.dc(), 2, 1, kW, kH, src.dc(), 0, 0, SRCCOPY));
    for (int y = 0; y < kH + 1; ++y)
        for (int x = 0; x < kW + 2; ++x) {
            const bool copied = x >= 2 && y >= 1;
            COLORREF colour = copied ? GetPixel(src.dc(), x - 2, y - 1) : 0;
            if (dstBpp == 8 && srcBpp > 8) colour = CellCentre(colour);
            const COLORREF expected = copied ? SetPixel(scratch.dc(), 0, 0, colour) : untouched;
            EXPECT_EQ(GetPixel(dst.dc(), x, y), expected) << srcBpp << "->" << dstBpp << " at " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(AllPairs, DepthPairs,
                         ::testing::Combine(::testing::Values(1, 4, 8, 16, 24, 32),
                                            ::testing::Values(1, 4, 8, 16, 24, 32)),
                         [](const auto &info) {
                             return std::to_string(std::get<0>(info.param)) + "to" +
                                    std::to_string(std::get<1>(info.param));
                         });

TEST(BitBltEightBit, TrueColourMatchesFromTheCentreOfItsFiveBitCell) {
    MemoryDc src(MakeInfo(1, 1, 32));
    SetPixel(src.dc(), 0, 0, RGB(2, 2, 2));  // 12 from black, 48 from (6,6,6); its cell centre (4,4,4) is the other way round
    for (int bpp : {4, 8}) {
        MemoryDc dst(MakeInfo(1, 1, bpp, {Quad(0, 0, 0), Quad(6, 6, 6)}, 2));
        SetPixel(dst.dc(), 0, 0, RGB(255, 255, 255));
        BitBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, SRCCOPY);
        EXPECT_EQ(GetPixel(dst.dc(), 0, 0), bpp == 8 ? RGB(6, 6, 6) : RGB(0, 0, 0)) << bpp;
        EXPECT_EQ(SetPixel(dst.dc(), 0, 0, RGB(2, 2, 2)), RGB(0, 0, 0));  // SetPixel matches exactly
    }
}

TEST(BitBltMonochrome, DeviceBitmapSourcePaintsDestinationTextAndBackground) {
    HDC mono = CreateCompatibleDC(nullptr);  // its stock 1x1 monochrome bitmap
    MemoryDc dst(MakeInfo(3, 1, 32));
    SetTextColor(dst.dc(), RGB(1, 2, 3));
    SetBkColor(dst.dc(), RGB(4, 5, 6));
    SetTextColor(mono, RGB(90, 90, 90));  // the source DC's colours play no part
    SetPixel(mono, 0, 0, RGB(255, 255, 255));
    BitBlt(dst.dc(), 0, 0, 1, 1, mono, 0, 0, SRCCOPY);
    SetPixel(mono, 0, 0, RGB(0, 0, 0));
    BitBlt(dst.dc(), 1, 0, 1, 1, mono, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(4, 5, 6));
    EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(dst.dc(), 2, 0), RGB(0, 0, 0));
    DeleteDC(mono);
}

TEST(BitBltMonochrome, OneBitDibSourceUsesItsOwnTable) {
    MemoryDc src(MakeInfo(2, 1, 1, {Quad(10, 20, 30), Quad(40, 50, 60)}));
    MemoryDc dst(MakeInfo(2, 1, 24));
    src.bits()[0] = 0x40;  // pixel 1 set
    SetTextColor(dst.dc(), RGB(1, 2, 3));
    BitBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(40, 50, 60));
}

TEST(BitBltMonochrome, ColourIntoDeviceBitmapMarksTheSourceBackground) {
    HDC mono = CreateCompatibleDC(nullptr);
    MemoryDc src(MakeInfo(3, 1, 16));
    SetPixel(src.dc(), 0, 0, RGB(0x11, 0x22, 0x33));
    SetPixel(src.dc(), 1, 0, RGB(255, 255, 255));
    // Equal after 5-bit truncation counts as the background.
    SetBkColor(src.dc(), RGB(0x12, 0x23, 0x34));
    BitBlt(mono, 0, 0, 1, 1, src.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(mono, 0, 0), RGB(255, 255, 255));
    BitBlt(mono, 0, 0, 1, 1, src.dc(), 1, 0, SRCCOPY);  // white, but not the background
    EXPECT_EQ(GetPixel(mono, 0, 0), RGB(0, 0, 0));
    DeleteDC(mono);
}

TEST(BitBltMonochrome, DeviceBitmapMatchesPixelValuesNotColours) {
    // Entries 1 and 2 hold the same colour; the background maps to entry 1 only.
    MemoryDc src(MakeInfo(2, 1, 8, {Quad(0, 0, 0), Quad(70, 80, 90), Quad(70, 80, 90)}, 3));
    src.bits()[0] = 1;
    src.bits()[1] = 2;
    SetBkColor(src.dc(), RGB(70, 80, 90));
    HDC mono = CreateCompatibleDC(nullptr);
    BitBlt(mono, 0, 0, 1, 1, src.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(mono, 0, 0), RGB(255, 255, 255));
    BitBlt(mono, 0, 0, 1, 1, src.dc(), 1, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(mono, 0, 0), RGB(0, 0, 0));
    DeleteDC(mono);
}

TEST(BitBltMonochrome, OneBitDibDestinationUsesNearestColour) {
    MemoryDc src(MakeInfo(2, 1, 32));
    MemoryDc dst(MakeInfo(2, 1, 1, {Quad(200, 0, 0), Quad(0, 0, 200)}));
    SetPixel(src.dc(), 0, 0, RGB(10, 0, 150));
    SetPixel(src.dc(), 1, 0, RGB(150, 0, 10));
    SetBkColor(src.dc(), RGB(10, 0, 150));
    BitBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(dst.bits()[0] & 0xC0, 0x80);
}

class BitBltClipping : public ::testing::Test {
protected:
    BitBltClipping() : src(MakeInfo(10, -1, 32)), dst(MakeInfo(10, -1, 32)) {
        for (int x = 0; x < 10; ++x) SetPixel(src.dc(), x, 0, RGB(x * 20 + 1, 0, 0));
    }
    std::vector<int> Row() {
        std::vector<int> reds;
        for (int x = 0; x < 10; ++x) reds.push_back(GetRValue(GetPixel(dst.dc(), x, 0)));
        return reds;
    }
    MemoryDc src, dst;
};

TEST_F(BitBltClipping, SourceBeforeItsLeftEdgeShiftsTheDestinationToo) {
    EXPECT_TRUE(BitBlt(dst.dc(), 2, 0, 5, 1, src.dc(), -2, 0, SRCCOPY));
    EXPECT_EQ(Row(), (std::vector<int>{0, 0, 0, 0, 1, 21, 41, 0, 0, 0}));
}

TEST_F(BitBltClipping, SourcePastItsRightEdgeIsCut) {
    EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, 6, 1, src.dc(), 7, 0, SRCCOPY));
    EXPECT_EQ(Row(), (std::vector<int>{141, 161, 181, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(BitBltClipping, DestinationOutsideItsBitmapIsCut) {
    EXPECT_TRUE(BitBlt(dst.dc(), -3, 0, 5, 1, src.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dst.dc(), 8, 0, 5, 1, src.dc(), 4, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dst.dc(), 0, 1, 5, 1, src.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(Row(), (std::vector<int>{61, 81, 0, 0, 0, 0, 0, 0, 81, 101}));
}

TEST_F(BitBltClipping, NegativeExtentsCountBackFromTheCorner) {
    // Width -3 at x 6 covers columns 4..6, taking source columns 3..5.
    EXPECT_TRUE(BitBlt(dst.dc(), 6, 0, -3, 1, src.dc(), 5, 0, SRCCOPY));
    EXPECT_EQ(Row(), (std::vector<int>{0, 0, 0, 0, 61, 81, 101, 0, 0, 0}));
}

std::vector<COLORREF> Snapshot(HDC dc, int width, int height) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
    return pixels;
}

// Blits within one bitmap and checks the result against a copy taken before.
void ExpectOverlappingCopy(HDC dc, int dx, int dy, int w, int h, int sx, int sy) {
    const std::vector<COLORREF> before = Snapshot(dc, 9, 6);
    ASSERT_TRUE(BitBlt(dc, dx, dy, w, h, dc, sx, sy, SRCCOPY));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x) {
            const bool inside = x >= dx && x < dx + w && y >= dy && y < dy + h;
            const COLORREF expected = inside ? before[(y - dy + sy) * 9 + (x - dx + sx)] : before[y * 9 + x];
            EXPECT_EQ(GetPixel(dc, x, y), expected) << "at " << x << "," << y;
        }
}

TEST(BitBltOverlap, CopiesWithinOneBitmapAsIfThroughACopy) {
    for (int bpp : {4, 32}) {
        SCOPED_TRACE(bpp);
        MemoryDc mem(MakeRampInfo(9, 6, bpp));
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 9; ++x) SetPixel(mem.dc(), x, y, SourceColour(x, y));
        ExpectOverlappingCopy(mem.dc(), 3, 2, 6, 4, 0, 0);  // down-right: rows and runs overlap
        ExpectOverlappingCopy(mem.dc(), 0, 0, 6, 4, 1, 1);  // up-left
        ExpectOverlappingCopy(mem.dc(), 1, 0, 8, 6, 0, 0);  // right by one inside each row
        ExpectOverlappingCopy(mem.dc(), 0, 1, 9, 5, 0, 0);  // whole rows down by one (one block at 32 bpp)
        ExpectOverlappingCopy(mem.dc(), 0, 0, 9, 5, 0, 1);  // and up
    }
}

TEST(BitBltArguments, OnlySrcCopyWithASourceIsDone) {
    MemoryDc a(MakeInfo(2, 2, 32)), b(MakeInfo(2, 2, 32));
    EXPECT_FALSE(BitBlt(a.dc(), 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(a.dc(), 0, 0, 1, 1, b.dc(), 0, 0, 0x00F00021));  // PATCOPY
    PlatformFailNthCall("BitBlt", 1);
    EXPECT_FALSE(BitBlt(a.dc(), 0, 0, 1, 1, b.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(a.dc(), 0, 0, 1, 1, b.dc(), 0, 0, SRCCOPY));
}

}  // namespace
