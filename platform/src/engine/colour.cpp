#include "engine/colour.h"

#include <array>

namespace figplat::gdi {
namespace {

constexpr RGBQUAD Quad(uint32_t rgb) {
    return RGBQUAD{static_cast<BYTE>(rgb), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb >> 16), 0};
}

constexpr std::array<RGBQUAD, 20> kStatic = {
    Quad(0x000000), Quad(0x800000), Quad(0x008000), Quad(0x808000), Quad(0x000080),
    Quad(0x800080), Quad(0x008080), Quad(0xC0C0C0), Quad(0xC0DCC0), Quad(0xA6CAF0),
    Quad(0xFFFBF0), Quad(0xA0A0A4), Quad(0x808080), Quad(0xFF0000), Quad(0x00FF00),
    Quad(0xFFFF00), Quad(0x0000FF), Quad(0xFF00FF), Quad(0x00FFFF), Quad(0xFFFFFF)};

constexpr std::array<RGBQUAD, 2> kMono = {Quad(0x000000), Quad(0xFFFFFF)};

constexpr std::array<RGBQUAD, 16> kSixteen = {
    Quad(0x000000), Quad(0x800000), Quad(0x008000), Quad(0x808000), Quad(0x000080), Quad(0x800080),
    Quad(0x008080), Quad(0x808080), Quad(0xC0C0C0), Quad(0xFF0000), Quad(0x00FF00), Quad(0xFFFF00),
    Quad(0x0000FF), Quad(0xFF00FF), Quad(0x00FFFF), Quad(0xFFFFFF)};

// Entries 10-245 of the default 8-bit table are a colour cube; the ends are the statics.
std::array<RGBQUAD, 256> BuildEightBitTable() {
    std::array<RGBQUAD, 256> table{};
    for (int i = 0; i < 10; ++i) table[i] = kStatic[i];
    for (int i = 10; i < 246; ++i) {
        uint32_t r = (i % 8) * 0x20, g = ((i / 8) % 8) * 0x20, b = (i / 64) * 0x40;
        table[i] = Quad((r << 16) | (g << 8) | b);
    }
    for (int i = 246; i < 256; ++i) table[i] = kStatic[i - 236];
    return table;
}

}  // namespace

COLORREF ResolveColour(COLORREF colour) {
    // GDI reads only bit 24 of the flag byte: set, the low word indexes the default palette
    // (statics 0-9, then 246-255) and an index past it takes entry 0, black; so 0xFF-flagged
    // colours are palette indices too. Every other flag (PALETTERGB, 0x10) is dropped.
    if (colour & 0x01000000) {
        unsigned index = colour & 0xFFFF;
        if (index >= kStatic.size()) index = 0;
        return QuadToColour(kStatic[index]);
    }
    return colour & 0x00FFFFFF;
}

int NearestIndex(const RGBQUAD *table, int count, COLORREF colour) {
    const int r = Red(colour), g = Green(colour), b = Blue(colour);
    int best = 0;
    int bestDistance = 0x7FFFFFFF;
    for (int i = 0; i < count; ++i) {
        const int dr = table[i].rgbRed - r, dg = table[i].rgbGreen - g, db = table[i].rgbBlue - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            if (distance == 0) return i;
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

const RGBQUAD *DefaultColourTable(int bitsPerPixel) {
    static const std::array<RGBQUAD, 256> eight = BuildEightBitTable();
    switch (bitsPerPixel) {
    case 1: return kMono.data();
    case 4: return kSixteen.data();
    case 8: return eight.data();
    default: return nullptr;
    }
}

const RGBQUAD *StaticColours() { return kStatic.data(); }

}  // namespace figplat::gdi
