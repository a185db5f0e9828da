// Colour to pixel as GDI maps it: nearest table entry (exact first, ties to the lowest
// index, entries past biClrUsed black and choosable), 5-bit truncation at 16 bpp, the 1-bpp rule for
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

TEST(ColourMapping, EntriesPastClrUsedAreBlackAndCanBeChosen) {
    MemoryDc mem(FourColourInfo());
    // The five entries given hold no black; the zeroed entries past them are black and
    // the first of them (5) is the exact match, for SetPixel and brushes alike.
    EXPECT_EQ(SetPixel(mem.dc(), 0, 0, RGB(0, 0, 0)), RGB(0, 0, 0));
    EXPECT_EQ(IndexAt(mem, 0), 5);
    HBRUSH brush = CreateSolidBrush(RGB(10, 0, 0));  // nearer black than any given entry
    RECT box{1, 0, 2, 1};
    FillRect(mem.dc(), &box, brush);
    DeleteObject(brush);
    EXPECT_EQ(IndexAt(mem, 1), 5);
    // A pixel holding index 9 reads as black.
    BYTE *row = mem.bits() + 2 * 4;
    row[1] = 0x90;
    EXPECT_EQ(GetPixel(mem.dc(), 2, 0), RGB(0, 0, 0));
    // GetDIBits hands out all 16 entries, the missing ones black.
    DibInfo out = MakeInfo(5, 3, 4);
    BYTE bits[12] = {};
    ASSERT_EQ(GetDIBits(mem.dc(), mem.bitmap(), 0, 3, bits, out.Info(), DIB_RGB_COLORS), 3);
    EXPECT_EQ(out.colours[4].rgbBlue, 200);
    for (int i = 5; i < 16; ++i) EXPECT_EQ(out.colours[i].rgbRed | out.colours[i].rgbGreen | out.colours[i].rgbBlue, 0) << i;
}

// Only bit 24 of a COLORREF's flag byte counts: set (PALETTEINDEX, 0xFF), the low word picks
// from the default palette, black past its 20 entries; other flags are dropped.
TEST(ColourFlags, BrushesPensAndSetPixelResolveTheFlagByte) {
    MemoryDc mem(MakeInfo(7, -3, 32));
    const COLORREF flagged[] = {0x02000000u | RGB(200, 30, 60), 0x01000000u | 5, 0x01000000u | 300,
                                0x10000000u | RGB(90, 160, 40), 0xFF000000u | RGB(255, 255, 0)};
    const COLORREF expected[] = {RGB(200, 30, 60), RGB(128, 0, 128), RGB(0, 0, 0), RGB(90, 160, 40), RGB(0, 0, 0)};
    for (int i = 0; i < 5; ++i) {
        HBRUSH brush = CreateSolidBrush(flagged[i]);
        const RECT box{i, 0, i + 1, 1};
        FillRect(mem.dc(), &box, brush);
        DeleteObject(brush);
        HPEN pen = CreatePen(PS_SOLID, 1, flagged[i]);
        HGDIOBJ old = SelectObject(mem.dc(), pen);
        MoveToEx(mem.dc(), i, 1, nullptr);
        LineTo(mem.dc(), i + 1, 1);
        SelectObject(mem.dc(), old);
        DeleteObject(pen);
        EXPECT_EQ(SetPixel(mem.dc(), i, 2, flagged[i]), expected[i]) << i;
        for (int y = 0; y < 3; ++y) EXPECT_EQ(GetPixel(mem.dc(), i, y), expected[i]) << i << "," << y;
    }
}

// The 1-bit rule tells the background apart by the COLORREF itself: PALETTEINDEX(249) and
// PALETTEINDEX(300) are both black, yet only the background's own value takes its entry.
TEST(ColourFlags, OneBitBackgroundRuleComparesTheFlaggedValue) {
    MemoryDc mem(MakeInfo(8, -1, 1, {Quad(200, 0, 0), Quad(255, 255, 255)}));
    SetBkColor(mem.dc(), 0x01000000u | 249);  // black: nearest entry 0
    const COLORREF inks[] = {0x01000000u | 249, 0x01000000u | 300, 0xFF000000u | RGB(255, 255, 0)};
    for (int i = 0; i < 3; ++i) {
        HBRUSH brush = CreateSolidBrush(inks[i]);
        const RECT box{i, 0, i + 1, 1};
        FillRect(mem.dc(), &box, brush);
        DeleteObject(brush);
    }
    EXPECT_EQ(mem.bits()[0] >> 5, 0b011);
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
