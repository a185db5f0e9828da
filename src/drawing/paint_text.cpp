// One line of text on a canvas.
#include "canvas_ops.h"
#include "drawing_objects.h"

namespace fig {
namespace {

// The DC's font, colours and mode as they were before the text, put back after it.
struct TextState {
    HGDIOBJ font;
    COLORREF textColour;
    COLORREF bkColour;
    int bkMode;
};

int CellHeight(HDC dc) {
    TEXTMETRICW metrics{};
#if FIGPLOT_WIDE
    GetTextMetricsW(dc, &metrics);
#else
    TEXTMETRICA narrow{};
    GetTextMetricsA(dc, &narrow);
    metrics.tmHeight = narrow.tmHeight;
#endif
    return metrics.tmHeight;
}

void OutputText(HDC dc, int32_t x, int32_t y, const HostChar *text) {
#if FIGPLOT_WIDE
    WCHAR converted[2 * kTextBufferUnits + 1];  // a fetched text has at most 255 units
    const int units = Utf32ToUtf16(text, converted);
    TextOutW(dc, x, y, converted, units);
#else
    TextOutA(dc, x, y, text, static_cast<int>(HostTextLength(text)));
#endif
}

}  // namespace

void PaintText(HDC dc, const HostChar *text, int32_t top, int32_t left, int32_t fontNumber, int32_t size,
               int32_t style, const HostChar *faceName, COLORREF colour) {
    HFONT font = CreateTextFont(fontNumber, size, style, faceName);
    TextState saved{};
    saved.font = SelectObject(dc, font);
    const int32_t y = static_cast<int32_t>(static_cast<uint32_t>(top) - static_cast<uint32_t>(CellHeight(dc)));
    saved.textColour = SetTextColor(dc, colour);
    saved.bkColour = SetBkColor(dc, RGB(0, 0, 0));
    saved.bkMode = SetBkMode(dc, TRANSPARENT);
    OutputText(dc, left, y, text);
    if (saved.font) SelectObject(dc, saved.font);
    if (font) DeleteObject(font);
    SetTextColor(dc, saved.textColour);
    SetBkColor(dc, saved.bkColour);
    SetBkMode(dc, saved.bkMode);
}

}  // namespace fig
