// Smoothed text: the font smoothing parameter, when glyphs come out grey (quality, setting,
// the face's gasp table, the surface's depth), and how a coverage level mixes the text
// colour into the pixel beneath at 16, 24 and 32 bits.
#include "engine/font/glyph_images.h"
#include "engine/glyph_blend.h"
#include "gdi_test_util.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

using namespace gditest;

namespace {

constexpr int kWidth = 61, kHeight = 37;

// Runs of a block of levels as the font module makes them; the runs live as long as the test.
figplat::gdi::GlyphCoverage CoverageOf(const std::vector<uint8_t> &levels, int width, int height) {
    static std::deque<std::vector<figplat::geom::Span>> solids;
    static std::deque<std::vector<figplat::font::MixedPixel>> mixeds;
    const auto &solid = solids.emplace_back(figplat::font::RunsOf(levels, width, height, 16, 16));
    const auto &mixed = mixeds.emplace_back(figplat::font::MixedPixelsOf(levels, width, height));
    return {width, height, solid.data(), solid.size(), mixed.data(), mixed.size()};
}

class FontSmoothingSetting : public ::testing::Test {
protected:
    void TearDown() override { SystemParametersInfoW(SPI_SETFONTSMOOTHING, FALSE, nullptr, 0); }
};

TEST_F(FontSmoothingSetting, RoundTripsThroughSystemParametersInfo) {
    BOOL on = -1;
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETFONTSMOOTHING, 0, nullptr, 0));
    EXPECT_FALSE(SystemParametersInfoW(0x1234, 0, &on, 0));
    for (UINT wanted : {1u, 0u, 7u}) {
        EXPECT_TRUE(SystemParametersInfoW(SPI_SETFONTSMOOTHING, wanted, nullptr, SPIF_UPDATEINIFILE));
        EXPECT_TRUE(SystemParametersInfoA(SPI_GETFONTSMOOTHING, 0, &on, 0));
        EXPECT_EQ(on, wanted ? TRUE : FALSE);
    }
}

// Pixels of "W@" drawn black on white that are neither: the grey edges of smoothed text.
int GreyPixels(const char16_t *face, LONG height, BYTE quality, int bpp) {
    DibInfo info = MakeInfo(kWidth, kHeight, bpp);
    if (bpp == 8)
        for (int i = 0; i < 256; ++i) info.colours[i] = Quad(BYTE(i), BYTE(i), BYTE(i));
    MemoryDc mem(info);
    PaintAll(mem.dc(), kWidth, kHeight, RGB(255, 255, 255));
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfQuality = quality;
    for (int i = 0; face[i]; ++i) lf.lfFaceName[i] = face[i];
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ previous = SelectObject(mem.dc(), font);
    SetBkMode(mem.dc(), TRANSPARENT);
    SetTextColor(mem.dc(), RGB(0, 0, 0));
    EXPECT_TRUE(TextOutW(mem.dc(), 3, 2, reinterpret_cast<LPCWSTR>(u"W@"), 2));
    SelectObject(mem.dc(), previous);
    DeleteObject(font);
    int grey = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const COLORREF c = GetPixel(mem.dc(), x, y);
            grey += c != RGB(0, 0, 0) && c != RGB(255, 255, 255);
        }
    return grey;
}

struct GreyCase {
    const char *what;
    const char16_t *face;
    LONG height;
    BYTE quality;
    bool setting;
    int bpp;
    bool grey;
};

TEST_F(FontSmoothingSetting, QualitySettingFaceAndDepthDecideWhetherTextIsGrey) {
    const GreyCase cases[] = {
        {"default quality, setting off", u"Arial", -24, DEFAULT_QUALITY, false, 32, false},
        {"default quality, setting on", u"Arial", -24, DEFAULT_QUALITY, true, 32, true},
        {"24 bits", u"Arial", -24, DEFAULT_QUALITY, true, 24, true},
        {"16 bits", u"Arial", -24, DEFAULT_QUALITY, true, 16, true},
        {"8 bits never", u"Arial", -24, DEFAULT_QUALITY, true, 8, false},
        {"non-antialiased refuses", u"Arial", -24, NONANTIALIASED_QUALITY, true, 32, false},
        {"antialiased asks, setting off", u"Arial", -24, ANTIALIASED_QUALITY, false, 32, true},
        {"ClearType follows the setting", u"Arial", -24, CLEARTYPE_QUALITY, true, 24, true},
        {"gasp keeps -12 black and white", u"Arial", -12, DEFAULT_QUALITY, true, 32, false},
        {"raster face never", u"System", -24, ANTIALIASED_QUALITY, true, 32, false},
    };
    for (const GreyCase &c : cases) {
        SystemParametersInfoW(SPI_SETFONTSMOOTHING, c.setting, nullptr, 0);
        EXPECT_EQ(GreyPixels(c.face, c.height, c.quality, c.bpp) > 0, c.grey) << c.what;
    }
}

// Coverage levels painted straight onto an odd-sized surface of one colour: black text on
// white reaches GDI's ramp value for the level (read from the top), white on black the ramp
// value itself; levels 0 and 1 leave the pixel, 16 is the text colour. At 16 bits the mix
// is cut to five bits a channel and reads back widened.
TEST(SmoothedTextBlend, EachLevelMixesAsGdiDoesAtEveryDepth) {
    const std::vector<uint8_t> levels = {0, 1, 2, 8, 15, 16, 8};
    const int n = static_cast<int>(levels.size());
    const figplat::gdi::GlyphCoverage coverage = CoverageOf(levels, n, 1);
    struct Case {
        int bpp;
        COLORREF text, under;
        COLORREF expected[7];
    };
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    auto grey = [](int v) { return RGB(v, v, v); };
    const Case cases[] = {
        {32, black, white, {white, white, grey(240), grey(189), grey(77), black, grey(189)}},
        {24, black, white, {white, white, grey(240), grey(189), grey(77), black, grey(189)}},
        {16, black, white, {white, white, grey(247), grey(189), grey(74), black, grey(189)}},
        {32, white, black, {black, black, grey(104), grey(189), grey(248), white, grey(189)}},
        {16, white, black, {black, black, grey(107), grey(189), grey(255), white, grey(189)}},
        // Channels apart: red comes down from above the text, green and blue up from below.
        {24, RGB(20, 140, 230), RGB(200, 90, 30),
         {RGB(200, 90, 30), RGB(200, 90, 30), RGB(189, 111, 111), RGB(153, 127, 178), RGB(73, 139, 224),
          RGB(20, 140, 230), RGB(153, 127, 178)}},
    };
    for (const Case &c : cases) {
        auto surface = figplat::gdi::MakeDibSurface(n + 2, 3, c.bpp, false, nullptr, 0);
        ASSERT_TRUE(surface);
        const uint32_t underPixel = surface->ops->colourToPixel(*surface, c.under);
        surface->ops->fillRect(*surface, RECT{0, 0, n + 2, 3}, underPixel);
        const figplat::gdi::GlyphBlend blend = figplat::gdi::MakeGlyphBlend(*surface, c.text);
        figplat::gdi::BlendGlyph(*surface, blend, 1, 1, coverage);
        for (int i = 0; i < n; ++i) {
            const COLORREF got = surface->ops->pixelToColour(*surface, surface->ops->getPixel(*surface, i + 1, 1));
            EXPECT_EQ(got, c.expected[i]) << c.bpp << " bpp, level " << int(levels[i]);
        }
        for (int x = 0; x < n + 2; ++x) {  // the rows above and below and the ends stay as they were
            EXPECT_EQ(surface->ops->getPixel(*surface, x, 0), underPixel);
            EXPECT_EQ(surface->ops->getPixel(*surface, x, 2), underPixel);
        }
        EXPECT_EQ(surface->ops->getPixel(*surface, 0, 1), underPixel);
        EXPECT_EQ(surface->ops->getPixel(*surface, n + 1, 1), underPixel);
    }
}

// A block reaching past every edge is cut to the surface: only the overlap changes.
TEST(SmoothedTextBlend, BlocksAreCutToTheSurface) {
    auto surface = figplat::gdi::MakeDibSurface(5, 3, 32, true, nullptr, 0);
    ASSERT_TRUE(surface);
    surface->ops->fillRect(*surface, RECT{0, 0, 5, 3}, 0x00FFFFFF);
    const std::vector<uint8_t> full(9 * 7, 16);
    std::vector<uint8_t> levels(9 * 7, 16);
    levels[9 * 3 + 4] = 9;  // one mixing pixel, at (2, 0) of the surface
    const figplat::gdi::GlyphCoverage coverage = CoverageOf(levels, 9, 7);
    figplat::gdi::BlendGlyph(*surface, figplat::gdi::MakeGlyphBlend(*surface, RGB(0, 0, 255)), -2, -3, coverage);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const uint32_t mixed = 0x00B2B2FF;  // level 9 of blue over white: red and green at ramp[7]
            EXPECT_EQ(surface->ops->getPixel(*surface, x, y), x == 2 && y == 0 ? mixed : 0x000000FFu) << x << "," << y;
        }
}

}  // namespace
