// The default palette every instance starts with, and colour resolution against it.
#include <cstring>

#include "instance.h"

namespace fig {
namespace {

struct Rgb {
    uint8_t r, g, b;
};

const Rgb kFirstSixteen[16] = {
    {0xFF, 0xFF, 0xFF}, {0x00, 0x00, 0x80}, {0x00, 0x80, 0x00}, {0x00, 0x80, 0x80},
    {0x80, 0x00, 0x00}, {0x80, 0x00, 0x80}, {0x80, 0x80, 0x00}, {0x80, 0x80, 0x80},
    {0xC0, 0xC0, 0xC0}, {0x00, 0x00, 0xFF}, {0x00, 0xFF, 0x00}, {0x00, 0xFF, 0xFF},
    {0xFF, 0x00, 0x00}, {0xFF, 0x00, 0xFF}, {0xFF, 0xFF, 0x00}, {0xFF, 0xFF, 0xFF},
};

const uint8_t kCubeLevels[6] = {0xFF, 0xCC, 0x99, 0x66, 0x33, 0x00};
const uint8_t kRampLevels[10] = {0xEE, 0xDD, 0xBB, 0xAA, 0x88, 0x77, 0x55, 0x44, 0x22, 0x11};

// Entries where the palette repeats one of the colours of entries 2 to 9 instead of
// what the cube and ramps would give there.
struct Override {
    int entry;
    int copyOf;
};
const Override kOverrides[8] = {{60, 9}, {103, 8}, {106, 7}, {121, 6}, {211, 4}, {236, 5}, {246, 3}, {256, 2}};

void Set(InstanceData &data, int entry, Rgb c) {
    data.palette[entry - 1][0] = c.r;
    data.palette[entry - 1][1] = c.g;
    data.palette[entry - 1][2] = c.b;
}

void FillCube(InstanceData &data) {
    // 17 + 36r + 6g + b, levels descending; the cube's black (5,5,5) is left out.
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                if (r + g + b < 15) Set(data, 17 + 36 * r + 6 * g + b, {kCubeLevels[r], kCubeLevels[g], kCubeLevels[b]});
}

void FillRamps(InstanceData &data) {
    for (int i = 0; i < 10; ++i) {
        const uint8_t v = kRampLevels[i];
        Set(data, 232 + i, {v, 0, 0});
        Set(data, 242 + i, {0, v, 0});
        Set(data, 252 + i, {0, 0, v});
        Set(data, 262 + i, {v, v, v});
    }
    Set(data, 272, {0, 0, 0});
}

}  // namespace

void FillDefaultPalette(InstanceData &data) {
    for (int i = 0; i < 16; ++i) Set(data, i + 1, kFirstSixteen[i]);
    FillCube(data);
    FillRamps(data);
    for (const Override &o : kOverrides) std::memcpy(data.palette[o.entry - 1], data.palette[o.copyOf - 1], 3);
}

COLORREF ResolveColor(const InstanceData &data, ColorValue value) {
    if (value < 0) return (0u - static_cast<uint32_t>(value)) & 0xFFFFFF;
    // Only the low 16 bits select; an index the palette lacks (above 272, or negative
    // as a 16-bit number) is black rather than a read past the palette.
    const int index = static_cast<int16_t>(static_cast<uint16_t>(value));
    if (index < 1 || index > kPaletteEntries) return 0;
    const uint8_t *e = data.palette[index - 1];
    return RGB(e[0], e[1], e[2]);
}

int PaletteIndexOf(const InstanceData &data, COLORREF color) {
    for (int k = 1; k <= kPaletteEntries; ++k) {
        const uint8_t *e = data.palette[k - 1];
        if (e[0] == GetRValue(color) && e[1] == GetGValue(color) && e[2] == GetBValue(color)) return k;
    }
    return 0;
}

}  // namespace fig
