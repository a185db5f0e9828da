// Where each depth keeps its pixels: raw bit layout of DIB sections, bottom-up and top-down,
// read back through GetPixel, and span fills that start and end inside a byte.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace gditest;

namespace {

constexpr int kWidth = 7, kHeight = 5;


class PixelLayout : public ::testing::TestWithParam<std::tuple<int, bool>> {
protected:
    int bpp() const { return std::get<0>(GetParam()); }
    bool topDown() const { return std::get<1>(GetParam()); }
    int stride() const { return ((kWidth * bpp() + 31) / 32) * 4; }
    int memoryRow(int y) const { return topDown() ? y : kHeight - 1 - y; }

    // The raw value of pixel (x, y), decoded by hand from the documented DIB layout.
    uint32_t RawPixel(const BYTE *bits, int x, int y) const {
        const BYTE *row = bits + memoryRow(y) * stride();
        switch (bpp()) {
        case 1:
        case 4: {
            const int bit = x * bpp();
            const int shift = 8 - bpp() - bit % 8;
            return (row[bit / 8] >> shift) & ((1u << bpp()) - 1);
        }
        case 8: return row[x];
        case 16: return row[2 * x] | (row[2 * x + 1] << 8);
        case 24: return row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16);
        default: return row[4 * x] | (row[4 * x + 1] << 8) | (row[4 * x + 2] << 16) | (uint32_t(row[4 * x + 3]) << 24);
        }
    }

    // A colour for (x, y) that the depth stores exactly, and the raw value it must become.
    std::pair<COLORREF, uint32_t> ColourFor(const DibInfo &info, int x, int y) const {
        if (bpp() <= 8) {
            const int index = (x * 3 + y * 5 + 1) % (1 << bpp());
            const RGBQUAD q = info.colours[index];
            return {RGB(q.rgbRed, q.rgbGreen, q.rgbBlue), static_cast<uint32_t>(index)};
        }
        const int r5 = (x * 4 + 3) & 31, g5 = (y * 6 + 1) & 31, b5 = (x * y + 17) & 31;
        if (bpp() == 16) {
            auto expand = [](int v) { return static_cast<BYTE>((v << 3) | (v >> 2)); };
            return {RGB(expand(r5), expand(g5), expand(b5)), static_cast<uint32_t>((r5 << 10) | (g5 << 5) | b5)};
        }
        const BYTE r = static_cast<BYTE>(r5 * 8 + 1), g = static_cast<BYTE>(g5 * 8 + 2), b = static_cast<BYTE>(b5 * 8 + 3);
        return {RGB(r, g, b), static_cast<uint32_t>((r << 16) | (g << 8) | b)};
    }
};

TEST_P(PixelLayout, SetPixelLandsWhereTheFormatSaysAndReadsBack) {
    DibInfo info = MakeRampInfo(kWidth, topDown() ? -kHeight : kHeight, bpp());
    MemoryDc mem(info);
    ASSERT_NE(mem.bits(), nullptr);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            auto [colour, raw] = ColourFor(info, x, y);
            EXPECT_EQ(SetPixel(mem.dc(), x, y, colour), colour);
        }
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            auto [colour, raw] = ColourFor(info, x, y);
            EXPECT_EQ(RawPixel(mem.bits(), x, y), raw) << "at " << x << "," << y;
            EXPECT_EQ(GetPixel(mem.dc(), x, y), colour) << "at " << x << "," << y;
        }
}

TEST_P(PixelLayout, FillRectCoversExactlyItsColumnsInsideBytes) {
    DibInfo info = MakeRampInfo(kWidth, topDown() ? -kHeight : kHeight, bpp());
    MemoryDc mem(info);
    const auto [colour, raw] = ColourFor(info, 1, 1);  // non-zero raw value at every depth
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT rect{1, 2, 6, 4};
    ASSERT_TRUE(FillRect(mem.dc(), &rect, brush));
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool inside = x >= 1 && x < 6 && y >= 2 && y < 4;
            EXPECT_EQ(RawPixel(mem.bits(), x, y), inside ? raw : 0u) << "at " << x << "," << y;
        }
    DeleteObject(brush);
}

INSTANTIATE_TEST_SUITE_P(AllDepths, PixelLayout,
                         ::testing::Combine(::testing::Values(1, 4, 8, 16, 24, 32), ::testing::Bool()),
                         [](const auto &info) {
                             return std::to_string(std::get<0>(info.param)) + "bpp" +
                                    (std::get<1>(info.param) ? "TopDown" : "BottomUp");
                         });

TEST(PixelLayoutWide, SpansOfEveryLengthFillExactlyAndKeepNeighbours) {
    // 61 pixels: spans crossing many whole bytes with ragged ends at 1 and 4 bpp; at 8 bpp every
    // short length (inline stores) and long ones (memset) at odd offsets; at 16, 24 and 32 bpp a
    // colour whose bytes differ, so that short runs take the eight-byte stores and their 4- and
    // 2-byte tail (7 and 31 pixels at 16 bpp) and long ones the repeating pattern and its tail
    // (43 and 55). The 16-bit colour holds 5-bit channels exactly.
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        const COLORREF colour = bpp <= 8 ? RGB(255, 255, 255) : RGB(206, 82, 156);
        for (int length : {1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 43, 55}) {
            DibInfo info = MakeInfo(61, 3, bpp, {Quad(0, 0, 0), Quad(255, 255, 255)});
            MemoryDc mem(info);
            HBRUSH brush = CreateSolidBrush(colour);
            const int left = 3 + length % 3;
            const RECT rect{left, 1, left + length, 2};
            FillRect(mem.dc(), &rect, brush);
            for (int x = 0; x < 61; ++x) {
                const COLORREF expected = (x >= left && x < left + length) ? colour : RGB(0, 0, 0);
                EXPECT_EQ(GetPixel(mem.dc(), x, 1), expected) << bpp << "bpp length " << length << " x=" << x;
                EXPECT_EQ(GetPixel(mem.dc(), x, 0), RGB(0, 0, 0));
                EXPECT_EQ(GetPixel(mem.dc(), x, 2), RGB(0, 0, 0));
            }
            DeleteObject(brush);
        }
    }
}

}  // namespace
