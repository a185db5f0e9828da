// Colour arithmetic shared by the raster engine: COLORREF <-> RGBQUAD, the colour tables
// Windows assumes for bitmaps without their own, and nearest-entry matching.
#pragma once

#include <windows.h>

#include <cstdint>

namespace figplat::gdi {

inline uint8_t Red(COLORREF c) { return static_cast<uint8_t>(c); }
inline uint8_t Green(COLORREF c) { return static_cast<uint8_t>(c >> 8); }
inline uint8_t Blue(COLORREF c) { return static_cast<uint8_t>(c >> 16); }
inline COLORREF MakeColour(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
inline COLORREF QuadToColour(RGBQUAD q) { return MakeColour(q.rgbRed, q.rgbGreen, q.rgbBlue); }

// A COLORREF as GDI resolves it before drawing: with bit 24 of the flag byte set
// (PALETTEINDEX, 0xFF) the low word picks from the default 20-colour palette (DIB sections
// have no other; out of range gives black); any other flag byte is dropped.
COLORREF ResolveColour(COLORREF colour);

// Index of the table entry nearest to the colour by squared RGB distance; an exact match
// wins and ties go to the lowest index. `count` must be at least 1.
int NearestIndex(const RGBQUAD *table, int count, COLORREF colour);

// The table Windows gives a 1, 4 or 8 bit bitmap that has none of its own (2, 16 or 256
// entries); null for other depths.
const RGBQUAD *DefaultColourTable(int bitsPerPixel);

// The 20 static colours of the system palette: entries 0-9 and 246-255.
const RGBQUAD *StaticColours();

}  // namespace figplat::gdi
