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

// The header and colour table, in one block: 44 + 4 * 2^depth bytes up to 8 bits, else 44.
HGLOBAL AllocHeaderBlock(int16_t depth);
// Fills a locked header block for a width x height bitmap, rows bottom-up, with the
// colour table a 1, 4 or 8-bit canvas draws with.
void FillCanvasHeader(HDC referenceDc, BITMAPINFO *header, const RECT &rect, int16_t depth);

// The canvas's bitmap from its filled header, into canvas.canvasBitmap and canvas.pixels;
// null, without trying, when it would not fit in the machine's memory.
HBITMAP CreateCanvasSection(Canvas &canvas, const BITMAPINFO *header);

// A blank canvas (all bits zero) of width x height at CanvasDepth(depth). False when a
// device context, the header block or the bitmap cannot be had; nothing is then left.
bool NewCanvas(HWND window, int32_t width, int32_t height, int32_t depth, Canvas &canvas);

// Releases what the canvas holds, in the fixed order: bitmap, header block, memory DC,
// window DC. A canvas whose building stopped early releases only what it got.
void ReleaseCanvas(Canvas &canvas);

}  // namespace fig
