// Writes a canvas as a Windows bitmap file.
#pragma once

#include <windows.h>

#include <cstdint>

#include "protocol/host_text.h"

namespace fig {

// The sizes of the file a bitmap is written as, in 64 bits so that none can wrap.
struct BitmapFileLayout {
    int depth;             // planes x bits per pixel, rounded up
    uint32_t colourCount;  // 2^depth below 24 bits (a 16-bit file carries 65536 zero entries)
    uint64_t rowSize;      // whole 32-bit words
    uint64_t imageSize;
    uint64_t pixelOffset;  // 14-byte file header, 40-byte info header, colour table
    uint64_t fileSize;
};
BitmapFileLayout LayoutOf(int32_t width, int32_t height, int depth);
// A bitmap file's sizes are 32-bit numbers: nothing larger can be written.
bool FitsInBitmapFile(const BitmapFileLayout &layout);

// Writes the bitmap (selected into no DC) to `path`, reading its pixels through `dc`.
// Answers 0, 3 (the bitmap cannot be described, the file would pass 4 GiB, or no memory)
// or 5 (the pixels cannot be read, the file cannot be made, written, closed or put in
// place, or stands at the path and may not be replaced). How the file reaches the path
// without harm to what stands there: file_place.h.
int16_t SaveCanvasAsFile(const HostChar *path, HBITMAP bitmap, HDC dc);

}  // namespace fig
