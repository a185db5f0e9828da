// Where things are in a packed DIB (header, colour table, rows), for the picture file
// readers and writers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace figsim {

inline size_t DibStride(int width, int bits) { return ((static_cast<size_t>(width) * bits + 31) / 32) * 4; }

// Up to 8 bits a table of biClrUsed entries (0: all 2^bits); above, an optional table of
// biClrUsed entries that no pixel indexes (bitmap files of 16 bits carry one).
inline int TableEntries(const BITMAPINFOHEADER &h) {
    if (h.biBitCount > 8) return static_cast<int>(h.biClrUsed);
    return h.biClrUsed ? static_cast<int>(h.biClrUsed) : 1 << h.biBitCount;
}

struct DibLayout {
    int width = 0;
    int height = 0;  // always positive; `bottomUp` says which way the rows run
    int bits = 0;
    int tableEntries = 0;
    bool bottomUp = true;
    size_t stride = 0;
    size_t tableOffset = 0;
    size_t pixelOffset = 0;

    // Row y counted from the top of the picture.
    size_t RowOffset(int y) const { return pixelOffset + stride * static_cast<size_t>(bottomUp ? height - 1 - y : y); }
};

// Reads the layout of a packed DIB without compression (or BI_BITFIELDS at 16 and 32 bits
// with the standard masks after the header); false when the bytes cannot hold it.
inline bool ReadDibLayout(const std::vector<uint8_t> &packed, DibLayout *layout) {
    BITMAPINFOHEADER h;
    if (packed.size() < sizeof h) return false;
    std::memcpy(&h, packed.data(), sizeof h);
    const int bits = h.biBitCount;
    if (h.biSize < sizeof h || h.biWidth <= 0 || h.biHeight == 0 || h.biCompression != BI_RGB) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    layout->width = h.biWidth;
    layout->height = std::abs(h.biHeight);
    layout->bits = bits;
    layout->bottomUp = h.biHeight > 0;
    layout->tableEntries = TableEntries(h);
    layout->stride = DibStride(layout->width, bits);
    layout->tableOffset = h.biSize;
    layout->pixelOffset = h.biSize + 4u * static_cast<size_t>(layout->tableEntries);
    return packed.size() >= layout->pixelOffset + layout->stride * static_cast<size_t>(layout->height);
}

}  // namespace figsim
