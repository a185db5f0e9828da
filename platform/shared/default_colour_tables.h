// Windows' default colour tables: the table a 1, 4 or 8-bit bitmap without one of its own
// is given, and the 20 static colours of the system palette (entries 0-9 and 246-255 of
// the 8-bit table).
//
// One header for the portable platform, the library, the host simulator and the benchmark.
// It lives in a folder of its own under platform/ because the tables are Windows' facts,
// which the platform owns, while the library, the simulator and the benchmark also build
// against the real gdi32, where no platform header may be seen: platform/include would put
// the portable windows.h before the real one. So it needs nothing but the standard library,
// and fills any record shaped like RGBQUAD.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace wincolour {

// Colours as 0x00RRGGBB.
inline constexpr std::array<uint32_t, 20> kStaticColours = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
    0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

inline constexpr std::array<uint32_t, 16> kVgaColours = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// Entry `index` of the default table at `depth` (1, 4 or 8): black and white; the 16 VGA
// colours; and at 8 bits the first ten statics, a colour cube (red steps fastest, blue
// slowest) and the last ten statics.
constexpr uint32_t DefaultTableColour(int depth, int index) {
    if (depth == 1) return index == 0 ? 0x000000 : 0xFFFFFF;
    if (depth == 4) return kVgaColours[static_cast<size_t>(index)];
    if (index < 10) return kStaticColours[static_cast<size_t>(index)];
    if (index >= 246) return kStaticColours[static_cast<size_t>(index - 236)];
    return static_cast<uint32_t>((index % 8) * 0x20 << 16 | (index / 8 % 8) * 0x20 << 8 | (index / 64) * 0x40);
}

template <class Quad>
constexpr Quad ToQuad(uint32_t rgb) {
    Quad quad{};
    quad.rgbBlue = static_cast<uint8_t>(rgb);
    quad.rgbGreen = static_cast<uint8_t>(rgb >> 8);
    quad.rgbRed = static_cast<uint8_t>(rgb >> 16);
    quad.rgbReserved = 0;
    return quad;
}

// The 2^depth entries of the default table at depth 1, 4 or 8.
template <class Quad>
constexpr void FillDefaultColourTable(int depth, Quad *table) {
    for (int i = 0; i < 1 << depth; ++i) table[i] = ToQuad<Quad>(DefaultTableColour(depth, i));
}

template <class Quad, size_t N>
constexpr std::array<Quad, N> DefaultColourTable(int depth) {
    std::array<Quad, N> table{};
    FillDefaultColourTable(depth, table.data());
    return table;
}

template <class Quad>
constexpr std::array<Quad, 20> StaticColourQuads() {
    std::array<Quad, 20> quads{};
    for (size_t i = 0; i < quads.size(); ++i) quads[i] = ToQuad<Quad>(kStaticColours[i]);
    return quads;
}

}  // namespace wincolour
