#include "colour_tables.h"

#include <cstdint>
#include <cstring>

namespace fig {
namespace {

RGBQUAD Quad(uint32_t rgb) { return RGBQUAD{BYTE(rgb), BYTE(rgb >> 8), BYTE(rgb >> 16), 0}; }

// The twenty colours Windows reserves: ten at the start of an 8-bit table, ten at the end.
const uint32_t kStaticColours[20] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
                                     0xC0C0C0, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000,
                                     0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

const uint32_t kVgaColours[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
                                  0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// Windows' table for a bitmap of 1, 4 or 8 bits that has none of its own. The 8-bit one
// fills the middle with a colour cube: red steps fastest, blue slowest.
void DefaultTable(int depth, RGBQUAD *table) {
    switch (depth) {
        case 1:
            table[0] = Quad(0x000000);
            table[1] = Quad(0xFFFFFF);
            break;
        case 4:
            for (int i = 0; i < 16; ++i) table[i] = Quad(kVgaColours[i]);
            break;
        case 8:
            for (int i = 10; i < 246; ++i)
                table[i] = Quad(static_cast<uint32_t>((i % 8) * 0x20 << 16 | ((i / 8) % 8) * 0x20 << 8 | (i / 64) * 0x40));
            for (int i = 0; i < 10; ++i) {
                table[i] = Quad(kStaticColours[i]);
                table[246 + i] = Quad(kStaticColours[10 + i]);
            }
            break;
        default:  // not a depth Windows makes bitmaps in: the canvas will be refused anyway
            std::memset(table, 0, sizeof(RGBQUAD) << depth);
            break;
    }
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
