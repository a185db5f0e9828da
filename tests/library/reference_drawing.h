// The drawings the library is expected to make, made with the platform's own calls: the
// pen, brush or font of each shape or text set up as the library sets them up.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace libtest {

using Reference = std::function<void(HDC)>;

// Draws `shape` with `created` selected and the stock partner that keeps it unfilled or
// unoutlined, then restores the DC and deletes `created`.
inline Reference WithObject(std::function<HGDIOBJ()> create, int stockPartner, Reference shape) {
    return [=](HDC dc) {
        HGDIOBJ created = create();
        HGDIOBJ a = SelectObject(dc, created), b = SelectObject(dc, GetStockObject(stockPartner));
        shape(dc);
        SelectObject(dc, a);
        SelectObject(dc, b);
        DeleteObject(created);
    };
}
inline Reference WithPen(int width, COLORREF colour, Reference shape) {
    return WithObject([=] { return static_cast<HGDIOBJ>(CreatePen(PS_SOLID, width, colour)); }, NULL_BRUSH, shape);
}
inline Reference WithBrush(COLORREF colour, Reference shape) {
    return WithObject([=] { return static_cast<HGDIOBJ>(CreateSolidBrush(colour)); }, NULL_PEN, shape);
}

inline Reference Line(int x1, int y1, int x2, int y2) {
    return [=](HDC dc) {
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
    };
}
inline Reference Box(int l, int t, int r, int b) { return [=](HDC dc) { Rectangle(dc, l, t, r, b); }; }
inline Reference Oval(int l, int t, int r, int b) { return [=](HDC dc) { Ellipse(dc, l, t, r, b); }; }
inline Reference ArcOf(int l, int t, int r, int b, POINT from, POINT to) {
    return [=](HDC dc) { Arc(dc, l, t, r, b, from.x, from.y, to.x, to.y); };
}
inline Reference PieOf(int l, int t, int r, int b, POINT from, POINT to) {
    return [=](HDC dc) { Pie(dc, l, t, r, b, from.x, from.y, to.x, to.y); };
}
// user32's FillRect with a brush that is never selected.
inline Reference Erase(COLORREF colour, RECT r) {
    return [=](HDC dc) {
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    };
}

// A font as the library describes it; the text's cell ends on the row above `top`.
struct FontRecord {
    LONG height;
    LONG weight;
    BYTE italic, underline, precision;
    std::u16string face;
};
inline Reference TextAt(std::u16string text, int left, int top, FontRecord f, COLORREF colour) {
    return [=](HDC dc) {
        LOGFONTW record{};
        record.lfHeight = f.height;
        record.lfWeight = f.weight;
        record.lfItalic = f.italic;
        record.lfUnderline = f.underline;
        record.lfCharSet = DEFAULT_CHARSET;
        record.lfOutPrecision = f.precision;
        std::copy(f.face.begin(), f.face.end(), record.lfFaceName);
        HFONT font = CreateFontIndirectW(&record);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        // The library's text runs with a black background colour: on 1-bit pictures that
        // decides which index the ink takes.
        const COLORREF oldColour = SetTextColor(dc, colour), oldBackground = SetBkColor(dc, RGB(0, 0, 0));
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, left, top - metrics.tmHeight, reinterpret_cast<LPCWSTR>(text.data()), static_cast<int>(text.size()));
        SetTextColor(dc, oldColour);
        SetBkColor(dc, oldBackground);
        SetBkMode(dc, oldMode);
        SelectObject(dc, old);
        DeleteObject(font);
    };
}

}  // namespace libtest
