// gdi32's font and text calls over the font module: fonts are realised on first use, text
// is painted from the runs of the font module's cached glyphs in the DC's text colour, or,
// smoothed, blended from their coverage.
#include "api/gdi/dc.h"
#include "core/faults.h"
#include "core/text_encoding.h"
#include "engine/raster.h"

#include <algorithm>
#include <cstring>

using namespace figplat;
using namespace figplat::gdi;

namespace {

HFONT RegisterFont(const LOGFONTW &log) {
    auto object = std::make_unique<FontObject>();
    object->log = log;
    object->log.lfFaceName[LF_FACESIZE - 1] = 0;
    return static_cast<HFONT>(RegisterGdiObject(std::move(object)));
}

font::Face *DcFace(HDC handle) {
    Dc *dc = LookupDc(handle);
    return dc ? dc->font->Realized() : nullptr;
}

constexpr BYTE kSymbolCharset = 2;

BYTE ClampToByte(WCHAR c) { return static_cast<BYTE>(c > 0xFF ? 0xFF : c); }

// The 8-bit record's character range: the full upper range for symbol fonts, from just
// below the default character for TrueType faces (so the range covers every byte a program
// can pass), and the font's own range cut to one byte for raster fonts.
void NarrowMetrics(const TEXTMETRICW &w, TEXTMETRICA *a) {
    std::memcpy(a, &w, offsetof(TEXTMETRICW, tmFirstChar));
    if (w.tmCharSet == kSymbolCharset) {
        a->tmFirstChar = 0x1E;
        a->tmLastChar = 0xFF;
    } else if (w.tmPitchAndFamily & TMPF_TRUETYPE) {
        a->tmFirstChar = static_cast<BYTE>(ClampToByte(w.tmDefaultChar) - 1);
        a->tmLastChar = ClampToByte(w.tmLastChar);
    } else {
        a->tmFirstChar = ClampToByte(w.tmFirstChar);
        a->tmLastChar = ClampToByte(w.tmLastChar);
    }
    a->tmDefaultChar = ClampToByte(w.tmDefaultChar);
    a->tmBreakChar = ClampToByte(w.tmBreakChar);
    a->tmItalic = w.tmItalic;
    a->tmUnderlined = w.tmUnderlined;
    a->tmStruckOut = w.tmStruckOut;
    a->tmPitchAndFamily = w.tmPitchAndFamily;
    a->tmCharSet = w.tmCharSet;
}

// The surface seen from a text cell whose top-left is at (x, y).
font::TextInk::Box VisibleFrom(const Surface &s, int x, int y) {
    auto cut = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    return {cut(-int64_t{x}), cut(-int64_t{y}), cut(int64_t{s.width} - x), cut(int64_t{s.height} - y)};
}

BOOL PaintText(HDC handle, int x, int y, const char16_t *text, int count) {
    Dc *dc = LookupDc(handle);
    if (!dc || count < 0 || (count > 0 && !text)) return FALSE;
    font::Face *face = dc->font->Realized();
    if (!face) return FALSE;
    if (count == 0) return TRUE;
    Surface &s = *dc->surface;
    font::TextInk ink;
    font::LayOutInk(face, text, count, VisibleFrom(s, x, y), SmoothsText(s, face), &ink);
    if (dc->bkMode == OPAQUE) {
        TEXTMETRICW metrics{};
        font::Metrics(face, &metrics);
        FillBox(s, x, y, static_cast<int64_t>(x) + ink.advance, static_cast<int64_t>(y) + metrics.tmHeight,
                DrawingPixel(s, dc->bkColour, dc->bkColour));
    }
    PaintTextInk(s, ink, x, y, dc->textColour, DrawingPixel(s, dc->textColour, dc->bkColour));
    return TRUE;
}

BOOL MeasureText(HDC handle, const char16_t *text, int count, LPSIZE size) {
    if (!size || count < 0 || (count > 0 && !text)) return FALSE;
    font::Face *face = DcFace(handle);
    if (!face) return FALSE;
    *size = count ? font::Extent(face, text, count) : SIZE{0, 0};  // empty text has no height either
    return TRUE;
}

}  // namespace

HFONT WINAPI CreateFontIndirectW(const LOGFONTW *font) {
    if (FIG_FAULT_POINT("CreateFontIndirectW")) return nullptr;
    if (!font) return nullptr;
    return RegisterFont(*font);
}

HFONT WINAPI CreateFontIndirectA(const LOGFONTA *font) {
    if (FIG_FAULT_POINT("CreateFontIndirectA")) return nullptr;
    if (!font) return nullptr;
    LOGFONTW wide{};
    std::memcpy(&wide, font, offsetof(LOGFONTA, lfFaceName));
    for (int i = 0; i < LF_FACESIZE - 1 && font->lfFaceName[i]; ++i)
        wide.lfFaceName[i] = Cp1252ToUnicode(static_cast<unsigned char>(font->lfFaceName[i]));
    return RegisterFont(wide);
}

BOOL WINAPI GetTextMetricsW(HDC dc, LPTEXTMETRICW metrics) {
    if (FIG_FAULT_POINT("GetTextMetricsW")) return FALSE;
    font::Face *face = metrics ? DcFace(dc) : nullptr;
    if (!face) return FALSE;
    font::Metrics(face, metrics);
    return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics) {
    if (FIG_FAULT_POINT("GetTextMetricsA")) return FALSE;
    font::Face *face = metrics ? DcFace(dc) : nullptr;
    if (!face) return FALSE;
    TEXTMETRICW wide{};
    font::Metrics(face, &wide);
    NarrowMetrics(wide, metrics);
    return TRUE;
}

BOOL WINAPI GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, LPSIZE size) {
    if (FIG_FAULT_POINT("GetTextExtentPoint32W")) return FALSE;
    return MeasureText(dc, text, count, size);
}

BOOL WINAPI GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size) {
    if (FIG_FAULT_POINT("GetTextExtentPoint32A")) return FALSE;
    if (count < 0 || (count > 0 && !text)) return FALSE;
    const std::u16string wide = Cp1252ToUtf16(text, static_cast<size_t>(count));
    return MeasureText(dc, wide.data(), count, size);
}

BOOL WINAPI TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
    if (FIG_FAULT_POINT("TextOutW")) return FALSE;
    return PaintText(dc, x, y, text, count);
}

BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
    if (FIG_FAULT_POINT("TextOutA")) return FALSE;
    if (count < 0 || (count > 0 && !text)) return FALSE;
    const std::u16string wide = Cp1252ToUtf16(text, static_cast<size_t>(count));
    return PaintText(dc, x, y, wide.data(), count);
}
