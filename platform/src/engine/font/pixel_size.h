// How a LOGFONT height becomes a size: the pixels-per-em of an outline face, the integer
// magnification of a bitmap (raster) face. Pure arithmetic, kept apart so it can be
// checked against the numbers GDI reports.
#pragma once


namespace figplat::font {

// What GDI uses when lfHeight is 0: a 16-pixel cell, not a 16-pixel em.
inline constexpr long kDefaultCellHeight = 16;

struct OutlineFaceHeights {
    long unitsPerEm;
    long winAscent;   // OS/2 usWinAscent
    long winDescent;  // OS/2 usWinDescent, read as signed and made positive
    long hheaAscent, hheaDescent;  // the fallback when both win values are zero
};

// lfHeight < 0 asks for an em of -lfHeight pixels; > 0 for a cell (winAscent + winDescent)
// of lfHeight pixels, never taller than asked.
long OutlinePixelsPerEm(const OutlineFaceHeights &face, long lfHeight);

// Raster fonts only grow by whole multiples of their native cell height; the next
// multiple is taken only when it overshoots by at most a quarter of the native height
// (one pixel less for the first doubling).
long BitmapScale(long cellHeight, long internalLeading, long lfHeight);

// FreeType's rounding helpers, restated so the arithmetic above is testable on its own.
long RoundedMulDiv(long a, long b, long c);
long RoundedMulFix(long a, long fixed16);

}  // namespace figplat::font
