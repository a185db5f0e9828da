// Realising LOGFONTs and reading back GetTextMetrics' and GetTextExtentPoint32's answers.
// Expected numbers were measured under wine64 8.0 (CreateFontIndirectW, GetTextMetricsW,
// GetTextExtentPoint32W) in a prefix whose font replacements map Arial, Times New Roman
// and Courier New to Liberation and whose Fonts folder holds vgasys.fon and coure.fon.
#include "engine/font/font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace figplat::font {
namespace {

struct Request {
    std::u16string face;
    LONG height;
    LONG weight = FW_NORMAL;
    BYTE italic = 0, underline = 0, strikeOut = 0, pitchAndFamily = 0;
};

// Height, ascent, descent, internal and external leading, average and maximum width,
// weight, overhang, first/last/default/break char, italic, underline, strike-out, pitch
// and family: the TEXTMETRIC fields the module computes (aspect is always 96, charset 0).
using Expected = std::array<long, 18>;

LOGFONTW LogFontFor(const Request &request) {
    LOGFONTW lf{};
    lf.lfHeight = request.height;
    lf.lfWeight = request.weight;
    lf.lfItalic = request.italic;
    lf.lfUnderline = request.underline;
    lf.lfStrikeOut = request.strikeOut;
    lf.lfPitchAndFamily = request.pitchAndFamily;
    for (size_t i = 0; i < request.face.size() && i + 1 < LF_FACESIZE; ++i) lf.lfFaceName[i] = request.face[i];
    return lf;
}

Expected Observed(const TEXTMETRICW &tm) {
    return {tm.tmHeight,    tm.tmAscent,       tm.tmDescent,   tm.tmInternalLeading, tm.tmExternalLeading,
            tm.tmAveCharWidth, tm.tmMaxCharWidth, tm.tmWeight, tm.tmOverhang,        tm.tmFirstChar,
            tm.tmLastChar,  tm.tmDefaultChar,  tm.tmBreakChar, tm.tmItalic,          tm.tmUnderlined,
            tm.tmStruckOut, tm.tmPitchAndFamily, tm.tmCharSet};
}

class RealizedFont {
public:
    explicit RealizedFont(const Request &request) : face_(Realize(LogFontFor(request))) {}
    ~RealizedFont() { Release(face_); }
    RealizedFont(const RealizedFont &) = delete;
    RealizedFont &operator=(const RealizedFont &) = delete;

    const Face *get() const { return face_; }
    Expected Metrics() const {
        TEXTMETRICW tm{};
        font::Metrics(face_, &tm);
        EXPECT_EQ(tm.tmDigitizedAspectX, 96);
        EXPECT_EQ(tm.tmDigitizedAspectY, 96);
        return Observed(tm);
    }
    SIZE ExtentOf(const std::u16string &text) const {
        return Extent(face_, text.data(), static_cast<int>(text.size()));
    }

private:
    Face *face_;
};

// The probe string the Wine extents were measured with.
const std::u16string kProbeText = u"AaBbgjQ@|Wy 0123 \u00C4\u00E9\u00FC&%_";

struct Case {
    Request request;
    Expected metrics;
    LONG probeExtent;
};

void CheckCase(const Case &c) {
    RealizedFont font(c.request);
    ASSERT_NE(font.get(), nullptr);
    EXPECT_EQ(font.Metrics(), c.metrics);
    SIZE extent = font.ExtentOf(kProbeText);
    EXPECT_EQ(extent.cx, c.probeExtent);
    EXPECT_EQ(extent.cy, c.metrics[0]);
}

constexpr long kUniFirst = 33, kUniLast = 64258, kUniDefault = 32, kUniBreak = 33;
constexpr long kSwiss = 0x27, kRoman = 0x17, kModern = 0x36;

TEST(FontMetricsOutline, ArialEmAndCellHeights) {
    CheckCase({{u"Arial", -12}, {14, 11, 3, 1, 0, 7, 15, 400, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 0, 0, 0, kSwiss, 0}, 163});
    CheckCase({{u"Arial", 12}, {12, 10, 2, 1, 0, 6, 14, 400, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 0, 0, 0, kSwiss, 0}, 145});
    CheckCase({{u"Arial", 14}, {14, 11, 3, 1, 0, 7, 15, 400, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 0, 0, 0, kSwiss, 0}, 163});
    CheckCase({{u"Arial", 33}, {32, 26, 6, 3, 1, 17, 36, 400, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 0, 0, 0, kSwiss, 0}, 386});
}

TEST(FontMetricsOutline, ZeroHeightIsASixteenPixelCell) {
    CheckCase({{u"Arial", 0}, {16, 13, 3, 2, 0, 8, 18, 400, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 0, 0, 0, kSwiss, 0}, 188});
}

TEST(FontMetricsOutline, StylesComeFromTheStyledFacesAndFlags) {
    CheckCase({{u"Arial", -9, FW_NORMAL, 1}, {10, 8, 2, 1, 0, 5, 12, 400, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 255, 0, 0, kSwiss, 0}, 122});
    CheckCase({{u"Times New Roman", -16, FW_BOLD}, {17, 14, 3, 2, 1, 10, 20, 700, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 0, 0, 0, kRoman, 0}, 213});
    CheckCase({{u"Times New Roman", -24, FW_BOLD, 1, 1, 1}, {26, 21, 5, 3, 1, 14, 32, 700, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 255, 255, 255, kRoman, 0}, 300});
    CheckCase({{u"Courier New", 20, FW_BOLD, 1}, {20, 15, 5, 2, 0, 11, 14, 700, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 255, 0, 0, kModern, 0}, 253});
}

TEST(FontMetricsOutline, FakedStylesWidenByAPixelWithoutOverhang) {
    // DejaVu Math TeX Gyre has no bold or italic file: both are synthesised.
    constexpr long kMathFirst = 32, kMathLast = 65535, kMathDefault = 31, kMathBreak = 32, kMathFamily = 7;
    CheckCase({{u"DejaVu Math TeX Gyre", -11}, {46, 26, 20, 36, 0, 8, 50, 400, 0, kMathFirst, kMathLast, kMathDefault, kMathBreak, 0, 0, 0, kMathFamily, 0}, 161});
    CheckCase({{u"DejaVu Math TeX Gyre", -11, FW_BOLD, 1, 1}, {46, 26, 20, 36, 0, 9, 51, 700, 0, kMathFirst, kMathLast, kMathDefault, kMathBreak, 255, 255, 0, kMathFamily, 0}, 184});
    // A family known only by its second name.
    CheckCase({{u"DejaVu Serif Condensed", -14}, {16, 13, 3, 2, 0, 6, 36, 400, 0, 32, 65535, 31, 32, 0, 0, 0, kRoman, 0}, 186});
}

TEST(FontMetricsOutline, SubstitutedNamesMeasureLikeTheirTargets) {
    CheckCase({{u"Helvetica", -24, FW_BOLD, 1, 1, 1}, {27, 22, 5, 3, 1, 15, 32, 700, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 255, 255, 255, kSwiss, 0}, 331});
    CheckCase({{u"Times", -24, FW_BOLD, 1, 1, 1}, {26, 21, 5, 3, 1, 14, 32, 700, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 255, 255, 255, kRoman, 0}, 300});
    CheckCase({{u"Times New Roman", -16}, {17, 14, 3, 2, 1, 9, 19, 400, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 0, 0, 0, kRoman, 0}, 203});
}

TEST(FontMetricsOutline, UnknownFacesFallBackByPitchAndFamily) {
    CheckCase({{u"NoSuchFace", -12, FW_NORMAL, 0, 0, 0, FIXED_PITCH}, {14, 10, 4, 2, 0, 7, 8, 400, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 0, 0, 0, kModern, 0}, 161});
    CheckCase({{u"NoSuchFace", -12, FW_NORMAL, 0, 0, 0, FF_ROMAN}, {14, 11, 3, 1, 1, 7, 14, 400, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 0, 0, 0, kRoman, 0}, 151});
    CheckCase({{u"NoSuchFace", -12, FW_NORMAL, 0, 0, 0, FF_DECORATIVE}, {14, 11, 3, 1, 0, 7, 15, 400, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 0, 0, 0, kSwiss, 0}, 163});
    CheckCase({{u"", -12}, {14, 11, 3, 1, 0, 7, 15, 400, 0, kUniFirst, kUniLast, kUniDefault, kUniBreak, 0, 0, 0, kSwiss, 0}, 163});
}

constexpr long kRasterFirst = 32, kRasterLast = 255, kRasterDefault = 128, kRasterBreak = 32;

TEST(FontMetricsRaster, SystemKeepsItsCellUntilItDoubles) {
    const Expected native{16, 13, 3, 3, 0, 7, 15, 700, 0, kRasterFirst, kRasterLast, kRasterDefault, kRasterBreak, 0, 0, 0, 0x21, 0};
    CheckCase({{u"System", -12}, native, 188});
    CheckCase({{u"System", 28}, native, 188});
    // Bold is System's own weight: no smearing, no overhang.
    CheckCase({{u"System", -16, FW_BOLD}, native, 188});
    CheckCase({{u"System", -40}, {32, 26, 6, 6, 0, 14, 30, 700, 0, kRasterFirst, kRasterLast, kRasterDefault, kRasterBreak, 0, 0, 0, 0x21, 0}, 376});
}

TEST(FontMetricsRaster, CourierBoldIsSmearedAndReportsAnOverhang) {
    CheckCase({{u"Courier", 0}, {13, 11, 2, 0, 0, 8, 8, 400, 0, kRasterFirst, kRasterLast, kRasterDefault, kRasterBreak, 0, 0, 0, 0x30, 0}, 184});
    CheckCase({{u"Courier", -9, FW_BOLD, 1, 1, 1}, {13, 11, 2, 0, 0, 9, 9, 700, 1, kRasterFirst, kRasterLast, kRasterDefault, kRasterBreak, 0, 255, 255, 0x30, 0}, 207});
    // The extra pixel widens each glyph before magnification, the overhang after.
    CheckCase({{u"Courier", -24, FW_BOLD}, {26, 22, 4, 0, 0, 18, 18, 700, 1, kRasterFirst, kRasterLast, kRasterDefault, kRasterBreak, 0, 0, 0, 0x30, 0}, 391});
}

TEST(FontMetricsOutline, ReportsOnlyCharsetsTheFaceCovers) {
    // Wine, Arial -13: ANSI 0 -> 0, DEFAULT 1 -> 0, EASTEUROPE 238 -> 238, OEM 255 -> 0.
    const std::pair<BYTE, BYTE> cases[] = {{0, 0}, {1, 0}, {238, 238}, {255, 0}, {204, 204}};
    for (auto [requested, reported] : cases) {
        LOGFONTW lf{};
        lf.lfHeight = -13;
        lf.lfCharSet = requested;
        std::u16string name = u"Arial";
        std::copy(name.begin(), name.end(), lf.lfFaceName);
        Face *face = Realize(lf);
        ASSERT_NE(face, nullptr);
        TEXTMETRICW tm{};
        Metrics(face, &tm);
        EXPECT_EQ(tm.tmCharSet, reported) << int{requested};
        EXPECT_EQ(tm.tmHeight, 15);
        Release(face);
    }
}

TEST(FontMetricsOutline, WeightsAboveFiveHundredFiftyAreBold) {
    // Wine, Arial -13: 550 stays regular, 551 takes the bold face.
    RealizedFont regular({u"Arial", -13, 550});
    RealizedFont bold({u"Arial", -13, 551});
    EXPECT_EQ(regular.Metrics()[7], 400);
    EXPECT_EQ(bold.Metrics()[7], 700);
    EXPECT_EQ(regular.ExtentOf(u"Ab").cx, 16);
    EXPECT_EQ(bold.ExtentOf(u"Ab").cx, 17);
}

TEST(FontMetricsOutline, AbsurdHeightsShrinkToOnePixel) {
    // Wine: Arial -100000, 100000 and 0x7fffffff all realise at 1 ppem.
    for (LONG height : {-100000L, 100000L, 2147483647L}) {
        RealizedFont font({u"Arial", height});
        ASSERT_NE(font.get(), nullptr);
        EXPECT_EQ(font.Metrics()[0], 1) << height;
        EXPECT_EQ(font.ExtentOf(u"Ab").cx, 2) << height;
    }
}

TEST(FontMetricsOutline, WidthStretchesToTheAskedAverage) {
    // Wine, -16 with lfWidth w: tmAveCharWidth becomes w, tmMaxCharWidth and the advances
    // stretch by w / natural average (Arial 9, Courier New 10); heights do not change.
    struct WidthCase {
        const char16_t *face;
        LONG width, average, maximum, extent;
    };
    const WidthCase cases[] = {{u"Arial", 3, 3, 7, 23},       {u"Arial", 14, 14, 31, 107},
                               {u"Arial", 20, 20, 44, 151},   {u"Courier New", 5, 5, 5, 30},
                               {u"Courier New", 14, 14, 14, 84}};
    for (const WidthCase &c : cases) {
        LOGFONTW lf{};
        lf.lfHeight = -16;
        lf.lfWidth = c.width;
        std::u16string name = c.face;
        std::copy(name.begin(), name.end(), lf.lfFaceName);
        Face *face = Realize(lf);
        ASSERT_NE(face, nullptr);
        TEXTMETRICW tm{};
        Metrics(face, &tm);
        EXPECT_EQ(tm.tmAveCharWidth, c.average) << c.width;
        EXPECT_EQ(tm.tmMaxCharWidth, c.maximum) << c.width;
        EXPECT_EQ(tm.tmHeight, name == u"Arial" ? 17 : 18);
        EXPECT_EQ(Extent(face, u"AaBbWw", 6).cx, c.extent) << c.width;
        Release(face);
    }
}

TEST(FontExtent, CountsUtf16UnitsAndIsEmptyForNoText) {
    RealizedFont font({u"Arial", -16});
    ASSERT_NE(font.get(), nullptr);
    EXPECT_EQ(font.ExtentOf(u"Ag|").cx, 24);  // Wine
    SIZE empty = font.ExtentOf(u"");
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, 17);
    // Each half of a surrogate pair the font lacks is a missing-glyph box (Wine: 58).
    EXPECT_EQ(font.ExtentOf(u"A\xD835\xDC00" u"B\xD83D\xDE00" u"C").cx, 58);
    EXPECT_EQ(Extent(font.get(), nullptr, 5).cx, 0);
}

TEST(FontExtent, NullFaceAnswersZero) {
    SIZE size = Extent(nullptr, u"abc", 3);
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
    TEXTMETRICW tm{};
    tm.tmHeight = 99;
    Metrics(nullptr, &tm);
    EXPECT_EQ(tm.tmHeight, 99);
    Release(nullptr);
}

}  // namespace
}  // namespace figplat::font

namespace figplat::font {
namespace {

// Faces are shared by requests that are the same and kept a while when idle: sharing must
// never hand one request another's face, and a face must live while any font holds it.
TEST(FaceCache, SameRequestsShareAFaceAndDifferentOnesNever) {
    const LOGFONTW small = LogFontFor({u"Arial", -12}), underlined = LogFontFor({u"Arial", -12, FW_NORMAL, 0, 1});
    Face *first = Realize(small);
    Face *second = Realize(small);
    Face *other = Realize(underlined);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, other);
    Release(first);
    // Many other faces come and go while `second` still holds the shared one.
    for (LONG height = -6; height > -60; --height) Release(Realize(LogFontFor({u"Times New Roman", height})));
    TEXTMETRICW held{}, fresh{};
    Metrics(second, &held);
    Release(second);
    Release(other);
    Face *again = Realize(small);
    Metrics(again, &fresh);
    Release(again);
    EXPECT_EQ(held.tmHeight, 14);
    EXPECT_EQ(fresh.tmHeight, held.tmHeight);
    EXPECT_EQ(fresh.tmAveCharWidth, held.tmAveCharWidth);
}

}  // namespace
}  // namespace figplat::font
