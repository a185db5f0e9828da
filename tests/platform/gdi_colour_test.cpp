// Colour to pixel as GDI maps it: nearest table entry (exact first, ties to the lowest
// index, only the entries biClrUsed gives), 5-bit truncation at 16 bpp, the 1-bpp rule for
// pens and brushes, and the default tables GetDIBits hands out.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

using namespace gditest;

namespace {

// Four colours (one repeated) in a 4-bit DIB: no black, no grey.
DibInfo FourColourInfo() {
    return MakeInfo(5, 3, 4,
                    {Quad(255, 255, 255), Quad(0, 0, 200), Quad(200, 0, 0), Quad(0, 200, 0), Quad(0, 0, 200)}, 5);
}

int IndexAt(const MemoryDc &mem, int x) {  // row 0 of the bottom-up 5x3 4-bit DIB: last in memory
    const BYTE *row = mem.bits() + 2 * 4;
    return (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
}

TEST(ColourMapping, ExactColourTakesTheLowestMatchingEntry) {
    MemoryDc mem(FourColourInfo());
    EXPECT_EQ(SetPixel(mem.dc(), 0, 0, RGB(0, 0, 200)), RGB(0, 0, 200));
    EXPECT_EQ(IndexAt(mem, 0), 1);  // entries 1 and 4 are equal
    EXPECT_EQ(SetPixel(mem.dc(), 1, 0, RGB(0, 200, 0)), RGB(0, 200, 0));
    EXPECT_EQ(IndexAt(mem, 1), 3);
}

TEST(ColourMapping, OtherColoursTakeTheNearestBySquaredDistance) {
    MemoryDc mem(FourColourInfo());
    // (190,20,5): 100+400+25 from entry 2, far from the rest.
    EXPECT_EQ(SetPixel(mem.dc(), 0, 0, RGB(190, 20, 5)), RGB(200, 0, 0));
    EXPECT_EQ(IndexAt(mem, 0), 2);
    // (120,0,120) is 14400 + 6400 from both entry 1 and entry 2: the lower index wins.
    EXPECT_EQ(SetPixel(mem.dc(), 1, 0, RGB(120, 0, 120)), RGB(0, 0, 200));
    EXPECT_EQ(IndexAt(mem, 1), 1);
    // (80,0,120) is nearer entry 1 only by the blue channel: 6400 + 6400 against 14400 + 14400.
    EXPECT_EQ(SetPixel(mem.dc(), 2, 0, RGB(80, 0, 120)), RGB(0, 0, 200));
}

TEST(ColourMapping, EntriesPastClrUsedAreNeitherChosenNorColoured) {
    MemoryDc mem(FourColourInfo());
    // Black is nearest to the zeroed entries past the table, which must not be used:
    // among the five, entries 1, 2 and 3 tie at 40000.
    EXPECT_EQ(SetPixel(mem.dc(), 0, 0, RGB(0, 0, 0)), RGB(0, 0, 200));
    EXPECT_EQ(IndexAt(mem, 0), 1);
    // A pixel holding index 9 reads as black.
    BYTE *row = mem.bits() + 2 * 4;
    row[1] = 0x90;
    EXPECT_EQ(GetPixel(mem.dc(), 2, 0), RGB(0, 0, 0));
}

TEST(ColourMapping, SixteenBitKeepsTheTopFiveBitsAndRepeatsThemOnRead) {
    MemoryDc mem(MakeInfo(5, 3, 16));
    EXPECT_EQ(SetPixel(mem.dc(), 0, 0, RGB(0x0F, 0x88, 0xFF)), RGB(0x08, 0x8C, 0xFF));
    HBRUSH brush = CreateSolidBrush(RGB(0x0F, 0x88, 0xFF));
    const RECT all{0, 0, 5, 3};
    FillRect(mem.dc(), &all, brush);
    const auto *words = reinterpret_cast<const uint16_t *>(mem.bits());
    const uint16_t expected = (0x0F >> 3) << 10 | (0x88 >> 3) << 5 | (0xFF >> 3);
    for (int y = 0; y < 3; ++y)  // solid brushes are never dithered
        for (int x = 0; x < 5; ++x) EXPECT_EQ(words[y * 6 + x], expected);
    EXPECT_EQ(GetPixel(mem.dc(), 4, 2), RGB(0x08, 0x8C, 0xFF));
    DeleteObject(brush);
}

class OneBitRule : public ::testing::Test {
protected:
    // Entry 0 is a red, entry 1 a blue; white and green are equally far from both.
    MemoryDc mem{MakeInfo(9, 1, 1, {Quad(200, 0, 0), Quad(0, 0, 200)})};

    int BitAt(int x) const { return (mem.bits()[x / 8] >> (7 - x % 8)) & 1; }

    void Fill(int x, COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        const RECT rect{x, 0, x + 1, 1};
        FillRect(mem.dc(), &rect, brush);
        DeleteObject(brush);
    }
};

TEST_F(OneBitRule, BrushColoursGoOppositeTheBackgroundsEntry) {
    SetBkColor(mem.dc(), RGB(0, 0, 190));  // nearest to entry 1
    Fill(0, RGB(0, 255, 0));               // nearest would tie to 0; the rule gives "not 1" = 0
    Fill(1, RGB(10, 0, 180));              // near entry 1, yet not the background: 0
    Fill(2, RGB(0, 0, 190));               // the background colour itself: its entry, 1
    Fill(3, RGB(0, 0, 200));               // exact entry 1
    Fill(4, RGB(200, 0, 0));               // exact entry 0
    EXPECT_EQ(BitAt(0), 0);
    EXPECT_EQ(BitAt(1), 0);
    EXPECT_EQ(BitAt(2), 1);
    EXPECT_EQ(BitAt(3), 1);
    EXPECT_EQ(BitAt(4), 0);
}

TEST_F(OneBitRule, WhiteBackgroundFlipsTheOutcome) {
    SetBkColor(mem.dc(), RGB(255, 255, 255));  // ties between the entries: goes to 0
    Fill(0, RGB(0, 255, 0));
    Fill(1, RGB(255, 255, 255));
    Fill(2, RGB(190, 0, 10));  // nearest is entry 0, but only exact entries keep theirs
    EXPECT_EQ(BitAt(0), 1);
    EXPECT_EQ(BitAt(1), 0);
    EXPECT_EQ(BitAt(2), 1);
}

TEST_F(OneBitRule, PensFollowTheRuleToo) {
    SetBkColor(mem.dc(), RGB(0, 0, 190));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 180));  // near entry 1, not the background
    HGDIOBJ old = SelectObject(mem.dc(), pen);
    Fill(0, RGB(0, 0, 200));
    Fill(1, RGB(0, 0, 200));
    MoveToEx(mem.dc(), 0, 0, nullptr);
    LineTo(mem.dc(), 2, 0);
    EXPECT_EQ(BitAt(0), 0);
    EXPECT_EQ(BitAt(1), 0);
    SelectObject(mem.dc(), old);
    DeleteObject(pen);
}

TEST_F(OneBitRule, SetPixelUsesPlainNearestColour) {
    SetBkColor(mem.dc(), RGB(0, 0, 190));
    EXPECT_EQ(SetPixel(mem.dc(), 0, 0, RGB(0, 255, 0)), RGB(200, 0, 0));  // tie: lowest index
    EXPECT_EQ(SetPixel(mem.dc(), 1, 0, RGB(10, 0, 150)), RGB(0, 0, 200));
    EXPECT_EQ(BitAt(0), 0);
    EXPECT_EQ(BitAt(1), 1);
}

TEST(OneBitRuleDeviceBitmap, NearWhiteOnABlackBackgroundPaintsWhite) {
    HDC dc = CreateCompatibleDC(nullptr);  // draws on the stock 1x1 monochrome bitmap
    HBRUSH nearWhite = CreateSolidBrush(RGB(250, 250, 250));
    HBRUSH nearBlack = CreateSolidBrush(RGB(5, 5, 5));
    const RECT pixel{0, 0, 1, 1};
    SetBkColor(dc, RGB(255, 255, 255));
    FillRect(dc, &pixel, nearWhite);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
    SetBkColor(dc, RGB(0, 0, 0));
    FillRect(dc, &pixel, nearBlack);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    DeleteObject(nearWhite);
    DeleteObject(nearBlack);
    DeleteDC(dc);
}

struct QueryInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

TEST(DefaultTables, GetDibitsFromTrueColourFillsTheStandardTables) {
    MemoryDc mem(MakeInfo(3, 2, 32));
    SetPixel(mem.dc(), 0, 0, RGB(0x41, 0x1F, 0x02));
    SetPixel(mem.dc(), 1, 0, RGB(0xC0, 0xC0, 0xC1));
    for (int bpp : {1, 4, 8}) {
        QueryInfo info{};
        info.header = MakeInfo(3, 2, bpp).header;
        BYTE bits[16] = {};
        ASSERT_EQ(GetDIBits(mem.dc(), mem.bitmap(), 0, 2, bits, reinterpret_cast<BITMAPINFO *>(&info), DIB_RGB_COLORS), 2);
        if (bpp == 1) {
            EXPECT_EQ(info.colours[0].rgbRed, 0);
            EXPECT_EQ(info.colours[1].rgbBlue, 255);
        } else if (bpp == 4) {
            EXPECT_EQ(info.colours[7].rgbRed, 0x80);   // 808080
            EXPECT_EQ(info.colours[8].rgbGreen, 0xC0); // C0C0C0
            EXPECT_EQ(info.colours[9].rgbRed, 0xFF);   // FF0000
            EXPECT_EQ(info.colours[9].rgbGreen, 0);
            // Row 0 is the second row of the bottom-up buffer. 41 1F 02 is 4934 from 800000
            // and 5190 from black; C0C0C1 is one step from C0C0C0.
            EXPECT_EQ(bits[4] >> 4, 1);
            EXPECT_EQ(bits[4] & 15, 8);
        } else {
            for (int i = 10; i < 246; ++i) {
                EXPECT_EQ(info.colours[i].rgbRed, (i % 8) * 0x20) << i;
                EXPECT_EQ(info.colours[i].rgbGreen, ((i / 8) % 8) * 0x20) << i;
                EXPECT_EQ(info.colours[i].rgbBlue, (i / 64) * 0x40) << i;
            }
            EXPECT_EQ(info.colours[9].rgbBlue, 0xF0);    // A6CAF0
            EXPECT_EQ(info.colours[246].rgbGreen, 0xFB); // FFFBF0
            EXPECT_EQ(bits[4], 10);  // 41 1F 02 is nearest the cube's 40 20 00
        }
    }
}

}  // namespace
