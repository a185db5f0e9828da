// The data of one open instance: its colour palette, and the colour arguments that
// select from it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace fig {

constexpr int kPaletteEntries = 272;

#pragma pack(push, 1)
struct InstanceData {
    uint32_t reserved1;                   // stays 0
    uint8_t palette[kPaletteEntries][3];  // entries 1 to 272: red, green, blue
    uint32_t reserved2;                   // stays 0
};
#pragma pack(pop)

// A colour argument: below 0 a negated 0x00BBGGRR colour, else a palette index
// (0 is black).
using ColorValue = int32_t;

void FillDefaultPalette(InstanceData &data);
COLORREF ResolveColor(const InstanceData &data, ColorValue value);
// The first entry (1 to 272) holding the colour, or 0 when none does.
int PaletteIndexOf(const InstanceData &data, COLORREF color);

}  // namespace fig
