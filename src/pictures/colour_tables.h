// Colour tables of 1, 4 and 8-bit canvases.
#pragma once

#include <windows.h>

namespace fig {

// Fills the 2^depth entries a 1 to 8-bit canvas draws with. A palette device gives its
// system palette (converted entry by entry: the device answers red, green, blue, the
// table wants blue, green, red). A true-colour device has none to give, and Windows'
// default table for the depth stands in, so every canvas gets the same table.
void FillColourTable(HDC referenceDc, RGBQUAD *table, int depth);

// The picture's own 2^depth colours, when it is a DIB section of that depth (1, 4 or 8
// bits) and selected into no DC; false for any other picture (a device bitmap has no
// table of its own). A canvas with the picture's table keeps every colour the picture
// has, and GDI maps what is drawn to the nearest of them.
bool PictureColourTable(HDC dc, HBITMAP picture, const BITMAP &description, int depth, RGBQUAD *table);

}  // namespace fig
