#include "engine/font/pixel_size.h"

#include <cstdlib>

namespace figplat::font {

namespace {

constexpr long kMaxPixelsPerEm = (1L << 16) - 1;

long CellUnits(const OutlineFaceHeights &face) {
    long units = face.winAscent + face.winDescent;
    if (units == 0) units = face.hheaAscent - face.hheaDescent;
    return units > 0 ? units : face.unitsPerEm;
}

}  // namespace

long RoundedMulDiv(long a, long b, long c) {
    if (c == 0) return 0;
    long long product = static_cast<long long>(a) * b;
    bool negative = (product < 0) != (c < 0);
    long long magnitude = std::llabs(product), divisor = std::llabs(static_cast<long long>(c));
    long long result = (magnitude + divisor / 2) / divisor;
    return static_cast<long>(negative ? -result : result);
}

long RoundedMulFix(long a, long fixed16) {
    long long product = static_cast<long long>(a) * fixed16;
    long long magnitude = (std::llabs(product) + 0x8000) >> 16;
    return static_cast<long>(product < 0 ? -magnitude : magnitude);
}

long OutlinePixelsPerEm(const OutlineFaceHeights &face, long lfHeight) {
    if (lfHeight == 0) lfHeight = kDefaultCellHeight;
    if (lfHeight < 0) return lfHeight >= -kMaxPixelsPerEm ? -lfHeight : 1;
    long units = CellUnits(face);
    long ppem = RoundedMulDiv(face.unitsPerEm, lfHeight, units);
    // Rounding up could make the cell one pixel taller than the caller asked for.
    if (ppem > 1 && RoundedMulDiv(units, ppem, face.unitsPerEm) > lfHeight) --ppem;
    if (ppem > kMaxPixelsPerEm || ppem < 1) ppem = 1;
    return ppem;
}

long BitmapScale(long cellHeight, long internalLeading, long lfHeight) {
    if (cellHeight <= 0) return 1;
    long wanted = lfHeight < 0 ? -lfHeight + internalLeading : lfHeight;
    // Beyond the largest size an outline face falls back to one pixel per em; a raster face
    // is not magnified either, so its metrics (cell height times scale) stay within 32 bits.
    if (wanted > kMaxPixelsPerEm) return 1;
    long scale = (wanted + cellHeight - 1) / cellHeight;
    if (scale < 1) return 1;
    long overshoot = scale * cellHeight - wanted;
    if (scale > 2 && overshoot > cellHeight / 4) --scale;
    else if (scale == 2 && overshoot > cellHeight / 4 - 1) --scale;
    return scale;
}

}  // namespace figplat::font
