// Pens, brushes and fonts made from a function's arguments, for one drawing each.
#pragma once

#include <windows.h>

#include <cstdint>

#include "protocol/host_text.h"

namespace fig {

// What a shape is drawn with, and what the canvas held before, to be put back.
struct ShapeObjects {
    HGDIOBJ created;
    HGDIOBJ previousPen;
    HGDIOBJ previousBrush;
};

// A solid pen of lineSize pixels (0: one pixel) with the null brush, so that closed
// outlines stay unfilled.
ShapeObjects SelectOutlinePen(HDC dc, int32_t lineSize, COLORREF colour);
// A solid brush with the null pen: filled shapes get no outline.
ShapeObjects SelectFillBrush(HDC dc, COLORREF colour);
// Selects back what the canvas held, then deletes the pen or brush made for the shape.
void RestoreShapeObjects(HDC dc, const ShapeObjects &objects);

// A font of `size` pixels (positive: character height; negative: cell height; 0: the
// platform's default). `style` 1 is bold, 2 italic, 4 underlined, anything else plain.
// A face name (first unit not zero) names the face; otherwise the font number chooses
// from the built-in faces.
HFONT CreateTextFont(int32_t fontNumber, int32_t size, int32_t style, const HostChar *faceName);

}  // namespace fig
