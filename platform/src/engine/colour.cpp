#include "engine/colour.h"

#include <array>

#include "default_colour_tables.h"

namespace figplat::gdi {
namespace {

constexpr std::array<RGBQUAD, 20> kStatic = wincolour::StaticColourQuads<RGBQUAD>();
constexpr std::array<RGBQUAD, 2> kMono = wincolour::DefaultColourTable<RGBQUAD, 2>(1);
constexpr std::array<RGBQUAD, 16> kSixteen = wincolour::DefaultColourTable<RGBQUAD, 16>(4);
constexpr std::array<RGBQUAD, 256> kEight = wincolour::DefaultColourTable<RGBQUAD, 256>(8);

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
    switch (bitsPerPixel) {
    case 1: return kMono.data();
    case 4: return kSixteen.data();
    case 8: return kEight.data();
    default: return nullptr;
    }
}

const RGBQUAD *StaticColours() { return kStatic.data(); }

}  // namespace figplat::gdi
