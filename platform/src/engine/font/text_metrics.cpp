#include "engine/font/text_metrics.h"

#include "engine/font/pixel_size.h"

#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H
#include FT_WINFONTS_H

#include <algorithm>
#include <cstdlib>

namespace figplat::font {

namespace {

// Panose bytes and their values that decide tmPitchAndFamily.
constexpr int kPanoseFamilyType = 0, kPanoseSerifStyle = 1, kPanoseProportion = 3;
constexpr BYTE kPanoseScript = 3, kPanoseDecorative = 4, kPanoseMonospaced = 9;
constexpr BYTE kFirstCoveSerif = 2, kLastSerif = 10, kFirstSans = 11, kLastSans = 15;
constexpr BYTE kDeviceFontBit = 0x08;  // TMPF_DEVICE: how GDI marks PostScript outlines
constexpr LONG kScreenDpi = 96;
constexpr LONG kMediumWeight = 500;

// The character sets GDI can report for an outline face, with the OS/2 code page range
// bit that says the face covers it. Windows' charset numbers (wingdi.h).
struct CharSetBit {
    BYTE charSet;
    int bit;
};
constexpr CharSetBit kCharSetBits[] = {
    {0, 0},     // ANSI
    {238, 1},   // Eastern Europe
    {204, 2},   // Russian
    {161, 3},   // Greek
    {162, 4},   // Turkish
    {177, 5},   // Hebrew
    {178, 6},   // Arabic
    {186, 7},   // Baltic
    {163, 8},   // Vietnamese
    {222, 16},  // Thai
    {128, 17},  // Shift-JIS
    {134, 18},  // GB2312
    {129, 19},  // Hangeul
    {136, 20},  // Big5
    {130, 21},  // Johab
    {2, 31},    // Symbol
};

// A charset the face covers is reported back; DEFAULT, OEM and uncovered ones become ANSI.
BYTE ReportedCharSet(const TT_OS2 &os2, BYTE requested) {
    FT_ULong ranges = os2.version == 0 ? 1 : os2.ulCodePageRange1;
    for (const CharSetBit &entry : kCharSetBits)
        if (entry.charSet == requested && (ranges >> entry.bit) & 1) return requested;
    return ANSI_CHARSET;
}

struct OutlineTables {
    const TT_OS2 *os2;
    const TT_HoriHeader *hhea;
    const TT_Postscript *post;
};

bool HasSymbolCharmap(FT_Face ft) {
    for (int i = 0; i < ft->num_charmaps; ++i)
        if (ft->charmaps[i]->encoding == FT_ENCODING_MS_SYMBOL) return true;
    return false;
}

bool HasCffOutlines(FT_Face ft) {
    FT_ULong length = 0;
    return FT_Load_Sfnt_Table(ft, TTAG_CFF, 0, nullptr, &length) == 0;
}

LONG OutlineWeight(const Face &face, const TT_OS2 &os2) {
    if (face.syntheticBold) return FW_BOLD;
    bool styledBold = (face.ft->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    // GDI trusts usWeightClass only when it agrees with the style bit.
    if (styledBold && os2.usWeightClass > kMediumWeight) return os2.usWeightClass;
    if (!styledBold && os2.usWeightClass <= kMediumWeight) return os2.usWeightClass;
    return FW_NORMAL;
}

void SetCharacterRange(FT_Face ft, const TT_OS2 &os2, TEXTMETRICW *tm) {
    if (HasSymbolCharmap(ft) || (os2.usFirstCharIndex >= 0xF000 && os2.usFirstCharIndex < 0xF100)) {
        tm->tmFirstChar = 0;
        tm->tmLastChar = 0xF0FF;
        tm->tmBreakChar = 0x20;
        tm->tmDefaultChar = 0x1F;
        return;
    }
    tm->tmFirstChar = os2.usFirstCharIndex;
    tm->tmLastChar = os2.usLastCharIndex;
    if (os2.usFirstCharIndex <= 1) tm->tmBreakChar = static_cast<WCHAR>(os2.usFirstCharIndex + 2);
    else if (os2.usFirstCharIndex > 0xFF) tm->tmBreakChar = 0x20;
    else tm->tmBreakChar = os2.usFirstCharIndex;
    tm->tmDefaultChar = static_cast<WCHAR>(tm->tmBreakChar - 1);
}

BYTE FamilyFromSerifStyle(BYTE serifStyle) {
    if (serifStyle >= kFirstCoveSerif && serifStyle <= kLastSerif) return FF_ROMAN;
    if (serifStyle >= kFirstSans && serifStyle <= kLastSans) return FF_SWISS;
    return FF_DONTCARE;
}

// TMPF_FIXED_PITCH set means variable pitch: the bit's name has it backwards.
BYTE OutlinePitchAndFamily(FT_Face ft, const TT_OS2 &os2) {
    bool monospacedPanose = os2.panose[kPanoseProportion] == kPanoseMonospaced;
    BYTE bits = (!FT_IS_FIXED_WIDTH(ft) && (os2.version == 0xFFFF || !monospacedPanose)) ? TMPF_FIXED_PITCH : 0;
    BYTE familyType = os2.panose[kPanoseFamilyType];
    if (familyType == kPanoseScript) bits |= FF_SCRIPT;
    else if (familyType == kPanoseDecorative) bits |= FF_DECORATIVE;
    else if (bits == 0 || monospacedPanose) bits = FF_MODERN;  // drops the pitch bit, as GDI does
    else bits |= FamilyFromSerifStyle(os2.panose[kPanoseSerifStyle]);
    if (FT_IS_SCALABLE(ft)) bits |= TMPF_VECTOR;
    if (FT_IS_SFNT(ft)) bits |= HasCffOutlines(ft) ? kDeviceFontBit : TMPF_TRUETYPE;
    return bits;
}

// GDI draws the line |size| rows tall (at least one) starting size/2 rows above `position`.
LineBand BandFrom(long position, long size) {
    LONG thickness = static_cast<LONG>(std::labs(size));
    if (thickness == 0) thickness = 1;
    if (size < 0) thickness = -thickness;
    return LineBand{static_cast<int32_t>(position + thickness / 2), thickness};
}

void SetOutlineBands(Face *face, const OutlineTables &tables, long em) {
    auto scaled = [em](long value) { return RoundedMulFix(value, em); };
    long underlinePosition = tables.post ? scaled(tables.post->underlinePosition) : 0;
    long underlineSize = tables.post ? scaled(tables.post->underlineThickness) : 0;
    face->underlineBand = BandFrom(underlinePosition, underlineSize);
    face->strikeOutBand = BandFrom(scaled(tables.os2->yStrikeoutPosition), scaled(tables.os2->yStrikeoutSize));
}

void SetOutlineHeights(const Face &face, const OutlineTables &tables, long em, TEXTMETRICW *tm) {
    auto scaled = [em](long value) { return static_cast<LONG>(RoundedMulFix(value, em)); };
    const TT_OS2 &os2 = *tables.os2;
    const TT_HoriHeader &hhea = *tables.hhea;
    long ascent = os2.usWinAscent;
    long descent = std::abs(static_cast<short>(os2.usWinDescent));  // some fonts store it signed
    if (ascent + descent == 0) {
        ascent = hhea.Ascender;
        descent = -hhea.Descender;
    }
    tm->tmAscent = scaled(ascent);
    tm->tmDescent = scaled(descent);
    tm->tmHeight = tm->tmAscent + tm->tmDescent;
    tm->tmInternalLeading = scaled(ascent + descent - face.ft->units_per_EM);
    long hheaHeight = hhea.Ascender - hhea.Descender;
    tm->tmExternalLeading = std::max<LONG>(0, scaled(hhea.Line_Gap - ((ascent + descent) - hheaHeight)));
}

}  // namespace

long EmScale(long ppem, long unitsPerEm) { return RoundedMulDiv(ppem, 1L << 16, unitsPerEm); }

void ComputeOutlineMetrics(Face *face, BYTE charSet) {
    FT_Face ft = face->ft;
    OutlineTables tables{static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2)),
                         static_cast<const TT_HoriHeader *>(FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA)),
                         static_cast<const TT_Postscript *>(FT_Get_Sfnt_Table(ft, FT_SFNT_POST))};
    TEXTMETRICW &tm = face->metrics;
    tm = TEXTMETRICW{};
    if (!tables.os2 || !tables.hhea) return;
    long em = EmScale(face->ppem, ft->units_per_EM);
    auto scaled = [em](long value) { return static_cast<LONG>(RoundedMulFix(value, em)); };
    SetOutlineHeights(*face, tables, em, &tm);
    // Emboldening widens every glyph by a pixel; unlike raster fonts no overhang is reported.
    const LONG bold = face->syntheticBold ? 1 : 0;
    tm.tmAveCharWidth = std::max<LONG>(1, scaled(tables.os2->xAvgCharWidth)) + bold;
    tm.tmMaxCharWidth = scaled(ft->bbox.xMax - ft->bbox.xMin) + bold;
    tm.tmWeight = OutlineWeight(*face, *tables.os2);
    tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = kScreenDpi;
    SetCharacterRange(ft, *tables.os2, &tm);
    bool italic = face->syntheticItalic || (ft->style_flags & FT_STYLE_FLAG_ITALIC);
    tm.tmItalic = italic ? 255 : 0;
    tm.tmUnderlined = face->underline ? 255 : 0;
    tm.tmStruckOut = face->strikeOut ? 255 : 0;
    tm.tmPitchAndFamily = OutlinePitchAndFamily(ft, *tables.os2);
    tm.tmCharSet = ReportedCharSet(*tables.os2, charSet);
    SetOutlineBands(face, tables, em);
}

void ComputeRasterMetrics(Face *face) {
    FT_WinFNT_HeaderRec header{};
    TEXTMETRICW &tm = face->metrics;
    tm = TEXTMETRICW{};
    if (FT_Get_WinFNT_Header(face->ft, &header) != 0) return;
    const LONG scale = face->scale, bold = face->syntheticBold ? 1 : 0;
    tm.tmHeight = header.pixel_height * scale;
    tm.tmAscent = header.ascent * scale;
    tm.tmDescent = tm.tmHeight - tm.tmAscent;
    tm.tmInternalLeading = header.internal_leading * scale;
    tm.tmExternalLeading = header.external_leading * scale;
    // Emboldening smears every glyph one pixel right before the magnification.
    tm.tmAveCharWidth = (header.avg_width + bold) * scale;
    tm.tmMaxCharWidth = (header.max_width + bold) * scale;
    tm.tmWeight = bold ? FW_BOLD : header.weight;
    tm.tmOverhang = bold;
    tm.tmDigitizedAspectX = header.horizontal_resolution;
    tm.tmDigitizedAspectY = header.vertical_resolution;
    tm.tmFirstChar = header.first_char;
    tm.tmLastChar = header.last_char;
    tm.tmDefaultChar = static_cast<WCHAR>(header.default_char + header.first_char);
    tm.tmBreakChar = static_cast<WCHAR>(header.break_char + header.first_char);
    tm.tmItalic = header.italic;  // a slanted raster font still reports upright
    tm.tmUnderlined = face->underline ? 255 : 0;
    tm.tmStruckOut = face->strikeOut ? 255 : 0;
    tm.tmPitchAndFamily = header.pitch_and_family;
    tm.tmCharSet = header.charset;
    face->rasterDefaultChar = tm.tmDefaultChar;
    // Raster fonts carry no line metrics: GDI derives both lines from the ascent.
    LONG thickness = tm.tmAscent / 20 + 1;
    face->underlineBand = LineBand{thickness / 2, thickness};
    face->strikeOutBand = LineBand{tm.tmAscent / 2 + thickness / 2, thickness};
}

}  // namespace figplat::font
