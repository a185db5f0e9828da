#include "colour_tables.h"

#include <cstring>

#include "default_colour_tables.h"

namespace fig {
namespace {

// Windows' table for a bitmap of 1, 4 or 8 bits that has none of its own.
void DefaultTable(int depth, RGBQUAD *table) {
    if (depth == 1 || depth == 4 || depth == 8) wincolour::FillDefaultColourTable(depth, table);
    else std::memset(table, 0, sizeof(RGBQUAD) << depth);  // not a depth Windows makes bitmaps in: refused anyway
}

}  // namespace

void FillColourTable(HDC referenceDc, RGBQUAD *table, int depth) {
    if (depth < 1 || depth > 8) return;
    const UINT count = 1u << depth;
    PALETTEENTRY entries[256];
    if (GetSystemPaletteEntries(referenceDc, 0, count, entries) < count) {
        DefaultTable(depth, table);
        return;
    }
    for (UINT i = 0; i < count; ++i) table[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
}

bool PictureColourTable(HDC dc, HBITMAP picture, const BITMAP &description, int depth, RGBQUAD *table) {
    if (!description.bmBits || description.bmBitsPixel != depth || (depth != 1 && depth != 4 && depth != 8)) return false;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = description.bmWidth;
    info.header.biHeight = description.bmHeight;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(depth);
    info.header.biCompression = BI_RGB;
    // No bits asked for: the read gives only the description and the table.
    if (GetDIBits(dc, picture, 0, static_cast<UINT>(description.bmHeight), nullptr, reinterpret_cast<BITMAPINFO *>(&info),
                  DIB_RGB_COLORS) == 0)
        return false;
    std::memcpy(table, info.colours, sizeof(RGBQUAD) << depth);
    return true;
}

}  // namespace fig
