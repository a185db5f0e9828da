#include "drawing_objects.h"

#include <cstring>

namespace fig {
namespace {

// The built-in faces by font number; every number outside 0 to 4 (compared unsigned, so
// negative ones too) falls to "System".
const char *FaceForNumber(int32_t fontNumber) {
    static const char *const kFaceTable[] = {"System", "Arial", "Times", "Arial", "Courier"};
    const auto index = static_cast<uint32_t>(fontNumber);
    return index <= 4 ? kFaceTable[index] : "System";
}

constexpr int kFaceNameMax = LF_FACESIZE - 1;  // 31 characters and the terminator

#if FIGPLOT_WIDE
using LogFont = LOGFONTW;

// Cut to what the record holds, never between the two halves of a surrogate pair.
void PutFaceName(LOGFONTW &font, const HostChar *faceName) {
    WCHAR converted[2 * kTextBufferUnits + 1];  // faceName is a fetched text: at most 255 units
    int units = Utf32ToUtf16(faceName, converted);
    if (units > kFaceNameMax) {
        const WCHAR last = converted[kFaceNameMax - 1];
        units = last >= 0xD800 && last < 0xDC00 ? kFaceNameMax - 1 : kFaceNameMax;
    }
    std::memcpy(font.lfFaceName, converted, sizeof(WCHAR) * static_cast<size_t>(units));
    font.lfFaceName[units] = 0;
}

void PutTableFace(LOGFONTW &font, const char *face) { AsciiToUtf16(face, font.lfFaceName, true); }

HFONT CreateFromRecord(const LOGFONTW &font) { return CreateFontIndirectW(&font); }
#else
using LogFont = LOGFONTA;

void PutFaceName(LOGFONTA &font, const HostChar *faceName) {
    std::strncpy(font.lfFaceName, faceName, kFaceNameMax);
    font.lfFaceName[kFaceNameMax] = 0;
}

void PutTableFace(LOGFONTA &font, const char *face) { std::strcpy(font.lfFaceName, face); }

HFONT CreateFromRecord(const LOGFONTA &font) { return CreateFontIndirectA(&font); }
#endif

ShapeObjects SelectWith(HDC dc, HGDIOBJ created, int stockPartner, bool createdIsPen) {
    ShapeObjects objects{created, nullptr, nullptr};
    HGDIOBJ previousCreatedKind = SelectObject(dc, created);
    HGDIOBJ previousPartnerKind = SelectObject(dc, GetStockObject(stockPartner));
    objects.previousPen = createdIsPen ? previousCreatedKind : previousPartnerKind;
    objects.previousBrush = createdIsPen ? previousPartnerKind : previousCreatedKind;
    return objects;
}

}  // namespace

ShapeObjects SelectOutlinePen(HDC dc, int32_t lineSize, COLORREF colour) {
    return SelectWith(dc, CreatePen(PS_SOLID, lineSize, colour), NULL_BRUSH, true);
}

ShapeObjects SelectFillBrush(HDC dc, COLORREF colour) {
    return SelectWith(dc, CreateSolidBrush(colour), NULL_PEN, false);
}

void RestoreShapeObjects(HDC dc, const ShapeObjects &objects) {
    if (objects.previousPen) SelectObject(dc, objects.previousPen);
    if (objects.previousBrush) SelectObject(dc, objects.previousBrush);
    if (objects.created) DeleteObject(objects.created);
}

HFONT CreateTextFont(int32_t fontNumber, int32_t size, int32_t style, const HostChar *faceName) {
    LogFont font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = static_cast<LONG>(0u - static_cast<uint32_t>(size));
    font.lfWeight = style == 1 ? FW_BOLD : FW_NORMAL;
    font.lfItalic = style == 2;
    font.lfUnderline = style == 4;
    font.lfCharSet = DEFAULT_CHARSET;
    const bool hasFace = faceName && faceName[0] != 0;
    font.lfOutPrecision = hasFace ? OUT_TT_PRECIS : OUT_DEFAULT_PRECIS;
    if (hasFace) PutFaceName(font, faceName);
    else PutTableFace(font, FaceForNumber(fontNumber));
    return CreateFromRecord(font);
}

}  // namespace fig
