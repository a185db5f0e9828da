// The text calls' side: fonts made lazily from LOGFONTs, the 8-bit calls' code page 1252,
// the opaque background box, glyph pixels in the text colour and the 8-bit metrics record.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace gditest;

namespace {

constexpr COLORREF kPaper = RGB(9, 8, 7);
constexpr COLORREF kText = RGB(20, 40, 250);
constexpr COLORREF kBack = RGB(250, 240, 5);

LOGFONTW ArialW(int height) {
    LOGFONTW log{};
    log.lfHeight = height;
    const char16_t face[] = u"Arial";
    std::memcpy(log.lfFaceName, face, sizeof face);
    return log;
}

class Text : public ::testing::Test {
protected:
    static constexpr int kW = 41, kH = 23;

    Text() : mem(MakeInfo(kW, -kH, 32)) {
        PaintAll(mem.dc(), kW, kH, kPaper);
        const LOGFONTW log = ArialW(-12);
        font = CreateFontIndirectW(&log);
        oldFont = SelectObject(mem.dc(), font);
        SetTextColor(mem.dc(), kText);
        SetBkColor(mem.dc(), kBack);
    }
    ~Text() override {
        SelectObject(mem.dc(), oldFont);
        DeleteObject(font);
    }

    std::vector<COLORREF> Pixels() const {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) pixels.push_back(GetPixel(mem.dc(), x, y));
        return pixels;
    }

    MemoryDc mem;
    HFONT font;
    HGDIOBJ oldFont;
};

TEST_F(Text, OpaqueTextFillsTheCellBoxAndPaintsGlyphsInTheTextColour) {
    SIZE extent{};
    ASSERT_TRUE(GetTextExtentPoint32W(mem.dc(), u"Hq", 2, &extent));
    TEXTMETRICW metrics{};
    ASSERT_TRUE(GetTextMetricsW(mem.dc(), &metrics));
    EXPECT_EQ(extent.cy, metrics.tmHeight);
    ASSERT_TRUE(TextOutW(mem.dc(), 3, 2, u"Hq", 2));
    int textPixels = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const COLORREF c = GetPixel(mem.dc(), x, y);
            const bool inBox = x >= 3 && x < 3 + extent.cx && y >= 2 && y < 2 + metrics.tmHeight;
            if (!inBox) {
                EXPECT_EQ(c, kPaper) << x << "," << y;
                continue;
            }
            EXPECT_TRUE(c == kBack || c == kText) << x << "," << y;
            textPixels += c == kText;
        }
    EXPECT_GT(textPixels, 10);
}

TEST_F(Text, TransparentTextPaintsTheSameGlyphPixelsOnly) {
    TextOutW(mem.dc(), 3, 2, u"Hq", 2);
    const std::vector<COLORREF> opaque = Pixels();
    PaintAll(mem.dc(), kW, kH, kPaper);
    EXPECT_EQ(SetBkMode(mem.dc(), TRANSPARENT), OPAQUE);
    TextOutW(mem.dc(), 3, 2, u"Hq", 2);
    const std::vector<COLORREF> transparent = Pixels();
    for (size_t i = 0; i < opaque.size(); ++i)
        EXPECT_EQ(transparent[i], opaque[i] == kText ? kText : kPaper) << i;
}

TEST_F(Text, TextPartlyOutsideTheBitmapIsCut) {
    ASSERT_TRUE(TextOutW(mem.dc(), -4, -5, u"Hq", 2));
    ASSERT_TRUE(TextOutW(mem.dc(), kW - 3, kH - 2, u"Hq", 2));
    EXPECT_NE(GetPixel(mem.dc(), 0, 0), kPaper);  // inside the first box's visible part
    EXPECT_NE(GetPixel(mem.dc(), kW - 1, kH - 1), kPaper);
    EXPECT_EQ(GetPixel(mem.dc(), kW - 4, kH - 1), kPaper);
}

TEST_F(Text, NarrowCallsReadCodePage1252) {
    ASSERT_TRUE(TextOutW(mem.dc(), 1, 1, u"\u00e9\u20acH", 3));
    const std::vector<COLORREF> wide = Pixels();
    PaintAll(mem.dc(), kW, kH, kPaper);
    ASSERT_TRUE(TextOutA(mem.dc(), 1, 1, "\xe9\x80H", 3));  // e-acute, euro sign, H
    EXPECT_EQ(Pixels(), wide);
    SIZE w{}, a{};
    GetTextExtentPoint32W(mem.dc(), u"\u00e9\u20acH", 3, &w);
    GetTextExtentPoint32A(mem.dc(), "\xe9\x80H", 3, &a);
    EXPECT_EQ(a.cx, w.cx);
    EXPECT_EQ(a.cy, w.cy);
}

TEST_F(Text, EmptyAndNegativeCounts) {
    SIZE size{7, 7};
    EXPECT_TRUE(GetTextExtentPoint32W(mem.dc(), u"ab", 0, &size));
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
    EXPECT_FALSE(GetTextExtentPoint32W(mem.dc(), u"ab", -1, &size));
    EXPECT_TRUE(TextOutW(mem.dc(), 0, 0, u"ab", 0));
    EXPECT_FALSE(TextOutW(mem.dc(), 0, 0, u"ab", -1));
    EXPECT_EQ(Pixels(), std::vector<COLORREF>(kW * kH, kPaper));
}

TEST_F(Text, NarrowMetricsKeepTheCharacterRangeInOneByte) {
    TEXTMETRICW w{};
    TEXTMETRICA a{};
    ASSERT_TRUE(GetTextMetricsW(mem.dc(), &w));
    ASSERT_TRUE(GetTextMetricsA(mem.dc(), &a));
    EXPECT_EQ(a.tmHeight, w.tmHeight);
    EXPECT_EQ(a.tmAscent, w.tmAscent);
    EXPECT_EQ(a.tmAveCharWidth, w.tmAveCharWidth);
    EXPECT_EQ(a.tmPitchAndFamily, w.tmPitchAndFamily);
    ASSERT_TRUE(w.tmPitchAndFamily & TMPF_TRUETYPE);
    EXPECT_EQ(a.tmFirstChar, w.tmDefaultChar - 1);  // TrueType faces start just below the default character
    EXPECT_EQ(a.tmLastChar, w.tmLastChar > 0xFF ? 0xFF : w.tmLastChar);
    EXPECT_EQ(a.tmDefaultChar, w.tmDefaultChar);
}

TEST(TextFonts, NarrowFaceNamesComeFromCodePage1252) {
    LOGFONTA narrow{};
    narrow.lfHeight = -11;
    std::strcpy(narrow.lfFaceName, "Caf\xe9 \x80");
    HFONT font = CreateFontIndirectA(&narrow);
    ASSERT_NE(font, nullptr);
    LOGFONTW wide{};
    ASSERT_EQ(GetObjectW(font, sizeof wide, &wide), static_cast<int>(sizeof wide));
    EXPECT_EQ(std::u16string(wide.lfFaceName), u"Caf\u00e9 \u20ac");
    EXPECT_EQ(wide.lfHeight, -11);
    DeleteObject(font);
    EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
    EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
}

TEST(TextOnOneBit, TextColourFollowsTheOneBitRule) {
    MemoryDc mem(MakeInfo(31, 17, 1, {Quad(200, 0, 0), Quad(0, 0, 200)}));
    SetBkColor(mem.dc(), RGB(0, 0, 190));  // nearest entry 1: every other colour paints 0
    SetTextColor(mem.dc(), RGB(10, 0, 180));
    SetBkMode(mem.dc(), TRANSPARENT);
    std::memset(mem.bits(), 0xFF, 4 * 17);
    ASSERT_TRUE(TextOutW(mem.dc(), 2, 1, u"H", 1));
    int cleared = 0;
    for (int i = 0; i < 4 * 17; ++i) cleared += mem.bits()[i] != 0xFF;
    EXPECT_GT(cleared, 0);
}

TEST(TextHuge, GlyphsTooLargeToKeepAreDrawnAlikeThroughAnyWindow) {
    // Thousands of pixels tall: each surface draws only the piece of a glyph it shows. A small
    // surface placed inside a larger one's view must show exactly the larger one's pixels.
    constexpr int dx = 60, dy = 30, kSmallW = 197, kSmallH = 101;
    for (LOGFONTW log : {ArialW(-5000), ArialW(30000)}) {
        bool edgeSeen = false;
        log.lfItalic = TRUE;
        HFONT font = CreateFontIndirectW(&log);
        const int h = std::abs(log.lfHeight);
        for (const POINT origin : {POINT{-h / 10, -h * 3 / 4}, POINT{-h / 5 + dx, -h * 11 / 15 + dy}}) {
            MemoryDc large(MakeInfo(301, -151, 24)), small(MakeInfo(kSmallW, -kSmallH, 24));
            std::vector<COLORREF> seen[2];
            for (MemoryDc *mem : {&large, &small}) {
                const bool isSmall = mem == &small;
                PaintAll(mem->dc(), 301, 151, kPaper);
                HGDIOBJ old = SelectObject(mem->dc(), font);
                SetTextColor(mem->dc(), kText);
                SetBkMode(mem->dc(), TRANSPARENT);
                const int x = isSmall ? origin.x - dx : origin.x, y = isSmall ? origin.y - dy : origin.y;
                ASSERT_TRUE(TextOutW(mem->dc(), x, y, u"W@g", 3));
                SelectObject(mem->dc(), old);
                for (int row = 0; row < kSmallH; ++row)
                    for (int col = 0; col < kSmallW; ++col)
                        seen[isSmall].push_back(GetPixel(mem->dc(), isSmall ? col : col + dx, isSmall ? row : row + dy));
            }
            EXPECT_EQ(seen[0], seen[1]) << log.lfHeight << " at " << origin.x << "," << origin.y;
            const auto inked = std::count(seen[1].begin(), seen[1].end(), kText);
            edgeSeen = edgeSeen || (inked > 0 && inked < static_cast<long>(seen[1].size()));
        }
        DeleteObject(font);
        EXPECT_TRUE(edgeSeen) << "no window showed a glyph's edge, " << log.lfHeight;
    }
}

}  // namespace
