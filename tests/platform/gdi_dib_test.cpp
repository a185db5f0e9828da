// DIB sections: what CreateDIBSection refuses, what it makes, and GetDIBits' header
// queries, colour tables, scan-line ranges and conversions.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>

using namespace gditest;

namespace {

struct Query {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
    BITMAPINFO *Info() { return reinterpret_cast<BITMAPINFO *>(this); }
};

Query QueryFor(int width, int height, int bpp) {
    Query q{};
    std::memset(&q, 0x55, sizeof q);
    q.header = MakeInfo(width, height, bpp).header;
    return q;
}

TEST(CreateDibSection, RefusesBadShapesAndDepths) {
    void *bits = reinterpret_cast<void *>(1);
    auto refused = [&](DibInfo info) {
        return CreateDIBSection(nullptr, info.Info(), DIB_RGB_COLORS, &bits, nullptr, 0) == nullptr;
    };
    EXPECT_TRUE(refused(MakeInfo(0, 5, 8)));
    EXPECT_TRUE(refused(MakeInfo(-5, 5, 8)));
    EXPECT_TRUE(refused(MakeInfo(5, 0, 8)));
    EXPECT_TRUE(refused(MakeInfo(5, 5, 3)));
    EXPECT_TRUE(refused(MakeInfo(5, 5, 2)));
    DibInfo planes = MakeInfo(5, 5, 32);
    planes.header.biPlanes = 0;
    EXPECT_TRUE(refused(planes));
    DibInfo zeroMasks = MakeInfo(5, 5, 32);
    zeroMasks.header.biCompression = BI_BITFIELDS;
    EXPECT_TRUE(refused(zeroMasks));
    EXPECT_EQ(bits, nullptr);
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}

TEST(CreateDibSection, RefusesImagesOf2GiBAndMoreWithoutTouchingMemory) {
    const int before = PlatformLiveCount(PlatformBitmap);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(MakeDib(MakeInfo(0x10000, 0x8000, 32)), nullptr);   // exactly 2^31 bytes
    EXPECT_EQ(MakeDib(MakeInfo(0x10000, -0x8000, 16)), nullptr);
    EXPECT_EQ(MakeDib(MakeInfo(0x10000, 0x10000, 8)), nullptr);   // 2^32: would wrap to 0
    EXPECT_EQ(MakeDib(MakeInfo(0x7FFFFFFF, 0x7FFFFFFF, 32)), nullptr);
    EXPECT_EQ(MakeDib(MakeInfo(0x7FFFFFFF, 1, 32)), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_EQ(PlatformLiveCount(PlatformBitmap), before);
}

TEST(CreateDibSection, PixelsStartZeroAndTheBitmapDescribesItself) {
    void *bits = nullptr;
    HBITMAP bitmap = MakeDib(MakeInfo(11, -3, 24), &bits);
    ASSERT_NE(bitmap, nullptr);
    const auto *bytes = static_cast<const BYTE *>(bits);
    for (int i = 0; i < 36 * 3; ++i) ASSERT_EQ(bytes[i], 0) << i;
    BITMAP bm{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidthBytes, 36);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bm.bmBitsPixel, 24);
    DeleteObject(bitmap);
}

// Large images get pages of their own (not the heap): they too start zeroed, reach their
// last byte, copy as one block between equal bitmaps and go away with their handle.
TEST(CreateDibSection, LargeImagesBehaveLikeSmallOnes) {
    const int before = PlatformLiveCount(PlatformBitmap);
    for (int bpp : {4, 8, 16, 24, 32}) {
        SCOPED_TRACE(bpp);
        const DibInfo info = MakeRampInfo(301, 300, bpp);
        MemoryDc a(info), b(info);
        ASSERT_NE(a.bits(), nullptr);
        const size_t bytes = static_cast<size_t>((301 * bpp + 31) / 32 * 4) * 300;
        EXPECT_EQ(std::count(a.bits(), a.bits() + bytes, 0), static_cast<std::ptrdiff_t>(bytes));
        const COLORREF colour = SetPixel(a.dc(), 300, 0, RGB(250, 10, 90));  // the last bytes of a bottom-up DIB
        EXPECT_EQ(GetPixel(a.dc(), 300, 0), colour);
        ASSERT_TRUE(BitBlt(b.dc(), 0, 0, 301, 300, a.dc(), 0, 0, SRCCOPY));
        EXPECT_EQ(GetPixel(b.dc(), 300, 0), colour);
        EXPECT_EQ(std::memcmp(a.bits(), b.bits(), bytes), 0);
    }
    EXPECT_EQ(PlatformLiveCount(PlatformBitmap), before);
}

TEST(CreateDibSection, ABigEnoughBufferGetsTheDibSectionRecord) {
    HBITMAP bitmap = MakeDib(MakeInfo(7, -5, 8, {Quad(1, 2, 3)}, 3));
    struct {
        BITMAP bm;
        BITMAPINFOHEADER header;
        DWORD masks[3];
        HANDLE section;
        DWORD offset;
    } record{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof record, &record), static_cast<int>(sizeof record));
    EXPECT_EQ(record.header.biHeight, 5);        // positive for top-down sections too
    EXPECT_EQ(record.header.biClrUsed, 256u);    // the full table, whatever biClrUsed said
    EXPECT_EQ(record.header.biSizeImage, 40u);
    EXPECT_EQ(record.section, nullptr);
    DeleteObject(bitmap);
}

TEST(CreateDibSection, UsesOnlyTheColoursBiClrUsedGives) {
    MemoryDc mem(MakeInfo(3, 1, 8, {Quad(1, 2, 3), Quad(4, 5, 6), Quad(7, 8, 9)}, 2));
    mem.bits()[0] = 2;  // an index past the two-entry table
    mem.bits()[1] = 1;
    EXPECT_EQ(GetPixel(mem.dc(), 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(mem.dc(), 1, 0), RGB(4, 5, 6));
    EXPECT_EQ(SetPixel(mem.dc(), 2, 0, RGB(7, 8, 9)), RGB(4, 5, 6));
}

TEST(CreateDibSection, StandardBitfieldMasksDrawAsThePlainFormat) {
    DibInfo info = MakeInfo(3, 1, 16);
    info.header.biCompression = BI_BITFIELDS;
    const DWORD masks[3] = {0x7C00, 0x03E0, 0x001F};
    std::memcpy(info.colours, masks, sizeof masks);
    MemoryDc mem(info);
    ASSERT_NE(mem.bitmap(), nullptr);
    SetPixel(mem.dc(), 1, 0, RGB(255, 0, 8));
    EXPECT_EQ(reinterpret_cast<const uint16_t *>(mem.bits())[1], 0x7C01);
}

TEST(GetDibits, BitCountZeroDescribesTheBitmap) {
    MemoryDc mem(MakeInfo(13, -7, 4, {Quad(0x30, 0x20, 0x10), Quad(0x60, 0x50, 0x40), Quad(255, 255, 255)}, 3));
    Query q{};
    std::memset(&q, 0x55, sizeof q);
    q.header.biSize = sizeof(BITMAPINFOHEADER);
    q.header.biBitCount = 0;
    EXPECT_EQ(GetDIBits(mem.dc(), mem.bitmap(), 0, 0, nullptr, q.Info(), DIB_RGB_COLORS), 7);
    EXPECT_EQ(q.header.biWidth, 13);
    EXPECT_EQ(q.header.biHeight, 7);  // positive even for a top-down section
    EXPECT_EQ(q.header.biBitCount, 4);
    EXPECT_EQ(q.header.biSizeImage, 56u);
    EXPECT_EQ(q.header.biClrUsed, 0u);
    EXPECT_EQ(q.colours[0].rgbRed, 0x55);  // the table is left alone
}

TEST(GetDibits, NullBitsFillsSizeAndTheTableForTheAskedDepth) {
    MemoryDc mem(MakeInfo(13, -7, 4, {Quad(0x30, 0x20, 0x10), Quad(0x60, 0x50, 0x40), Quad(255, 255, 255)}, 3));
    Query same = QueryFor(13, 7, 4);
    EXPECT_EQ(GetDIBits(mem.dc(), mem.bitmap(), 0, 7, nullptr, same.Info(), DIB_RGB_COLORS), 1);
    EXPECT_EQ(same.header.biSizeImage, 56u);
    EXPECT_EQ(same.colours[0].rgbRed, 0x30);  // the bitmap's own table at its own depth,
    EXPECT_EQ(same.colours[1].rgbBlue, 0x40);
    EXPECT_EQ(same.colours[3].rgbRed, 0);     // zeros past it
    Query other = QueryFor(13, 7, 8);
    EXPECT_EQ(GetDIBits(mem.dc(), mem.bitmap(), 0, 7, nullptr, other.Info(), DIB_RGB_COLORS), 1);
    EXPECT_EQ(other.header.biSizeImage, 112u);
    EXPECT_EQ(other.colours[1].rgbRed, 0x80);  // the default 8-bit table otherwise
    Query wide = QueryFor(13, 7, 24);
    EXPECT_EQ(GetDIBits(mem.dc(), mem.bitmap(), 0, 7, nullptr, wide.Info(), DIB_RGB_COLORS), 1);
    EXPECT_EQ(wide.header.biSizeImage, 280u);
    EXPECT_EQ(wide.colours[0].rgbRed, 0x55);
}

class ScanLines : public ::testing::Test {
protected:
    // A top-down 1x7 column whose row y holds index 10 + y (so every row is recognisable).
    ScanLines() : mem(MakeRampInfo(1, -7, 8)) {
        for (int y = 0; y < 7; ++y) mem.bits()[y * 4] = static_cast<BYTE>(10 + y);
    }

    // Copies lines [start, start + lines) into a caller bitmap of the given height; returns
    // GetDIBits' answer and the first bytes of each buffer row.
    std::pair<int, std::vector<int>> Copy(UINT start, UINT lines, int height) {
        Query q = QueryFor(1, height, 8);
        BYTE buffer[64];
        std::memset(buffer, 0xEE, sizeof buffer);
        const int copied = GetDIBits(mem.dc(), mem.bitmap(), start, lines, buffer, q.Info(), DIB_RGB_COLORS);
        std::vector<int> rows;
        for (int i = 0; i < 8; ++i) rows.push_back(buffer[i * 4]);
        return {copied, rows};
    }

    MemoryDc mem;
};

TEST_F(ScanLines, LinesCountFromTheBottomOfTheCallersBitmap) {
    auto [all, allRows] = Copy(0, 7, 7);
    EXPECT_EQ(all, 7);
    EXPECT_EQ(allRows, (std::vector<int>{16, 15, 14, 13, 12, 11, 10, 0xEE}));
    auto [some, someRows] = Copy(2, 3, 7);
    EXPECT_EQ(some, 3);
    EXPECT_EQ(someRows, (std::vector<int>{14, 13, 12, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}));
    auto [topDown, topDownRows] = Copy(2, 3, -7);  // the same lines, stored top row first
    EXPECT_EQ(topDown, 3);
    EXPECT_EQ(topDownRows, (std::vector<int>{12, 13, 14, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}));
}

TEST_F(ScanLines, RangesAreCutToTheCallersHeight) {
    EXPECT_EQ(Copy(5, 10, -7).first, 2);
    EXPECT_EQ(Copy(5, 10, -7).second[0], 10);
    EXPECT_EQ(Copy(6, 5, 7).first, 1);
    // Nothing left to copy is still a success.
    EXPECT_EQ(Copy(7, 1, 7).first, 1);
    EXPECT_EQ(Copy(100, 1, 7).second[0], 0xEE);
    EXPECT_EQ(Copy(0, 0, 7).first, 1);
}

TEST_F(ScanLines, ShorterAndTallerCallersAlignWithTheTopRow) {
    auto [shorter, shortRows] = Copy(0, 7, 3);
    EXPECT_EQ(shorter, 3);
    EXPECT_EQ(shortRows, (std::vector<int>{12, 11, 10, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}));
    // Lines below the source's bottom are zeroed and not counted.
    auto [taller, tallRows] = Copy(0, 9, 9);
    EXPECT_EQ(taller, 7);
    EXPECT_EQ(tallRows, (std::vector<int>{0, 0, 16, 15, 14, 13, 12, 11}));
    EXPECT_EQ(Copy(0, 2, 9).first, 0);
}

TEST(GetDibits, ConvertsToOtherDepths) {
    MemoryDc mem(MakeInfo(3, 2, 32));
    SetPixel(mem.dc(), 0, 0, RGB(0x12, 0x34, 0x56));
    SetPixel(mem.dc(), 2, 1, RGB(0xFF, 0x80, 0x01));
    Query q24 = QueryFor(3, -2, 24);
    BYTE rgb[24] = {};
    ASSERT_EQ(GetDIBits(mem.dc(), mem.bitmap(), 0, 2, rgb, q24.Info(), DIB_RGB_COLORS), 2);
    EXPECT_EQ(rgb[0], 0x56);  // B, G, R
    EXPECT_EQ(rgb[1], 0x34);
    EXPECT_EQ(rgb[2], 0x12);
    EXPECT_EQ(rgb[12 + 6], 0x01);
    EXPECT_EQ(rgb[12 + 8], 0xFF);
    Query q16 = QueryFor(3, -2, 16);
    uint16_t words[8] = {};
    ASSERT_EQ(GetDIBits(mem.dc(), mem.bitmap(), 0, 2, words, q16.Info(), DIB_RGB_COLORS), 2);
    EXPECT_EQ(words[0], (0x12 >> 3) << 10 | (0x34 >> 3) << 5 | (0x56 >> 3));
    Query q1 = QueryFor(3, 2, 1);
    BYTE mono[8] = {};
    ASSERT_EQ(GetDIBits(mem.dc(), mem.bitmap(), 0, 2, mono, q1.Info(), DIB_RGB_COLORS), 2);
    EXPECT_EQ(mono[0], 0x20);  // bottom row: only (2,1), orange, is nearer white than black
    EXPECT_EQ(mono[4], 0x00);
}

TEST(GetDibits, NeedsADcAndAKnownDepth) {
    MemoryDc mem(MakeInfo(3, 2, 32));
    Query q = QueryFor(3, 2, 24);
    BYTE buffer[32];
    EXPECT_EQ(GetDIBits(nullptr, mem.bitmap(), 0, 2, buffer, q.Info(), DIB_RGB_COLORS), 0);
    q.header.biBitCount = 3;
    EXPECT_EQ(GetDIBits(mem.dc(), mem.bitmap(), 0, 2, buffer, q.Info(), DIB_RGB_COLORS), 0);
    PlatformFailNthCall("GetDIBits", 1);
    q.header.biBitCount = 24;
    EXPECT_EQ(GetDIBits(mem.dc(), mem.bitmap(), 0, 2, buffer, q.Info(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetDIBits(mem.dc(), mem.bitmap(), 0, 2, buffer, q.Info(), DIB_RGB_COLORS), 2);
}

}  // namespace
