// The only ways anything is drawn: one shape or one line of text on a canvas's DC, with
// its own pen, brush or font, leaving the DC's objects and colours as it found them.
// Rectangles are (left, top, right, bottom), handed to the platform unordered and unclipped.
#pragma once

#include <windows.h>

#include <cstdint>

#include "protocol/host_text.h"

namespace fig {

void PaintLine(HDC dc, int32_t lineSize, COLORREF colour, int32_t top, int32_t left, int32_t bottom, int32_t right);
// `noOutline` (the eighth parameter, `noOutline?` to the host's users, and a command list's
// column 8): the rectangle first shrinks by lineSize on every side (grows when lineSize is
// negative). The outline is drawn either way.
void PaintRectOutline(HDC dc, int32_t lineSize, COLORREF colour, RECT rect, bool noOutline);
void PaintRectFill(HDC dc, COLORREF colour, const RECT &rect);
// Fills the rectangle as user32's FillRect does (left and top edges in, right and bottom
// out) with a solid brush made for it and never selected.
void PaintEraseRect(HDC dc, const RECT &rect, COLORREF colour);
// With both angles 0 (low 16 bits) the whole ellipse; otherwise the arc that runs clockwise
// from startAngle through spanDegrees.
void PaintOvalOutline(HDC dc, int32_t lineSize, COLORREF colour, RECT rect, bool noOutline, int32_t startAngle,
                      int32_t spanDegrees);
// The ellipse filled, or the pie slice between the same two ends.
void PaintOvalFill(HDC dc, COLORREF colour, const RECT &rect, int32_t startAngle, int32_t spanDegrees);
// One line of text whose cell ends on the row above `top`: `top` is the first row below it.
void PaintText(HDC dc, const HostChar *text, int32_t top, int32_t left, int32_t fontNumber, int32_t size,
               int32_t style, const HostChar *faceName, COLORREF colour);

}  // namespace fig
