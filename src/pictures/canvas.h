// The drawing surface of one call: a DIB section selected into a memory DC, described
// by a BITMAPINFO kept locked in a global block.
#pragma once

#include <windows.h>

#include <cstdint>

namespace fig {

struct Canvas {
    HWND window = nullptr;        // whose DC windowDc is, to release it to
    HDC windowDc = nullptr;       // reference for the memory DC and the colour table
    HDC canvasDc = nullptr;       // all drawing goes here
    HBITMAP canvasBitmap = nullptr;
    HGLOBAL headerBlock = nullptr;  // BITMAPINFO the bitmap was made from; locked while the canvas lives
    void *pixels = nullptr;         // the section's bits; the library never touches them
    HBITMAP initialBitmap = nullptr;  // what canvasDc held before canvasBitmap
    int32_t width = 0, height = 0;    // as asked for
};

// Accepted depths are 1, 4, 8, 16, 24 and 32; every other value (low 16 bits) becomes 4.
int16_t CanvasDepth(int32_t depth);

// Bytes of one row of a width-pixel bitmap at depth: rows are padded to whole 32-bit words.
inline uint64_t RowBytes(uint64_t width, uint64_t depth) { return (width * depth + 31) / 32 * 4; }

// Whether a width x height canvas at depth fits: its pixels take at most half the physical
// memory available now. The library runs inside the host's process; a section the kernel
// overcommits is touched whole when it is stored or written, and the process would be
// killed instead of the call refused.
bool CanvasFitsInMemory(int32_t width, int32_t height, int16_t depth);

// The window's DC and a memory DC for a canvas; false, with nothing held, when either
// cannot be had.
bool OpenCanvasDcs(HWND window, Canvas &canvas);

// With the canvas's DCs open and its size set: the header block (44 + 4 * 2^depth bytes up
// to 8 bits, else 44), kept locked, describing a bitmap with rows bottom-up and the colour
// table `ownTable` (2^depth entries) or, without one, the table of referenceDc's device;
// then the DIB section, into canvas.canvasBitmap and canvas.pixels. False when the block or
// the section cannot be had; the section is not tried when it would not fit in memory.
bool MakeCanvasBitmap(Canvas &canvas, HDC referenceDc, int16_t depth, const RGBQUAD *ownTable);

// A DC's text and background colours as every canvas starts: black on white.
void ResetCanvasColours(HDC dc);

// A blank canvas (all bits zero) of width x height at CanvasDepth(depth). False when a
// device context, the header block or the bitmap cannot be had; nothing is then left.
bool NewCanvas(HWND window, int32_t width, int32_t height, int32_t depth, Canvas &canvas);

// Releases what the canvas holds, in the fixed order: bitmap, header block, memory DC,
// window DC. A canvas whose building stopped early releases only what it got.
void ReleaseCanvas(Canvas &canvas);

}  // namespace fig
