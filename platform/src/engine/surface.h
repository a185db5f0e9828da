// A bitmap's pixels and the routines that read and write them.
//
// Every surface gets one table of pixel and span routines for its format when it is made,
// so drawing code calls through the table and never switches on the depth per pixel.
#pragma once

#include <windows.h>

#include "engine/geom/geom.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace figplat::gdi {

struct Surface;

// Pixel values are the raw bits of one pixel (an index for 1-8 bpp); colours are
// COLORREF values (0x00BBGGRR). Coordinates are already clipped by the caller.
struct PixelRoutines {
    uint32_t (*getPixel)(const Surface &s, int x, int y);
    void (*setPixel)(Surface &s, int x, int y, uint32_t pixel);
    void (*fillSpan)(Surface &s, int y, int x0, int x1, uint32_t pixel);
    // [left, right) x [top, bottom); rows that are whole and unpadded are filled as one block.
    void (*fillRect)(Surface &s, const RECT &box, uint32_t pixel);
    // A cosmetic line stepped straight into the bits.
    void (*line)(Surface &s, const geom::LineSteps &line, uint32_t pixel);
    // Spans moved by (dx, dy), then cut to the surface (a glyph's runs, a shape's list).
    void (*fillSpans)(Surface &s, const geom::Span *spans, size_t count, int64_t dx, int64_t dy, uint32_t pixel);
    uint32_t (*colourToPixel)(const Surface &s, COLORREF colour);
    COLORREF (*pixelToColour)(const Surface &s, uint32_t pixel);
};

// Recent colour -> index answers of an indexed surface, so that the pens, brushes and text
// colours in use skip the nearest-colour search (a scan of the whole table). Sets of four by
// colour: a few colours used in turn (text over its background, a pen beside its brush)
// never push one another out, as they could in a cache of one entry a slot.
struct NearestColourCache {
    static constexpr int kSets = 16, kWays = 4;
    COLORREF colour[kSets][kWays];
    uint8_t index[kSets][kWays] = {};
    uint8_t victim[kSets] = {};  // the way replaced next in each set
    NearestColourCache() {
        for (auto &set : colour)
            for (COLORREF &c : set) c = 0xFFFFFFFF;  // never a resolved colour
    }
    static int Set(COLORREF c) { return static_cast<int>((c ^ (c >> 7) ^ (c >> 14)) % kSets); }
    // The index remembered for the colour, or -1.
    int Find(COLORREF c) const {
        const int set = Set(c);
        for (int way = 0; way < kWays; ++way)
            if (colour[set][way] == c) return index[set][way];
        return -1;
    }
    void Remember(COLORREF c, uint8_t entry) {
        const int set = Set(c), way = victim[set];
        colour[set][way] = c;
        index[set][way] = entry;
        victim[set] = static_cast<uint8_t>((way + 1) % kWays);
    }
};

struct Surface {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int stride = 0;        // bytes per row
    bool topDown = false;  // row 0 first in memory
    bool isDib = true;     // false: a monochrome device bitmap (no colour table of its own)
    int tableSize = 0;     // colour table entries used for mapping (1-8 bpp): always 2^bpp
    RGBQUAD table[256] = {};
    uint8_t *bits = nullptr;     // pixel storage, zeroed when made
    bool ownsBits = true;        // false: a view over a caller's buffer
    size_t mappedBytes = 0;      // pages of its own (large images), else from the heap
    uint8_t *topRow = nullptr;   // address of row y = 0
    ptrdiff_t rowStep = 0;       // from row y to row y + 1
    const PixelRoutines *ops = nullptr;
    // Caches of colour matching into the table (indexed surfaces; the table never changes).
    mutable NearestColourCache nearest;
    mutable std::unique_ptr<uint16_t[]> quantisedToIndex;  // 5-5-5 cell -> index + 1 (0: not yet)

    Surface() = default;
    Surface(const Surface &) = delete;
    Surface &operator=(const Surface &) = delete;
    ~Surface();

    uint8_t *Row(int y) { return topRow + rowStep * y; }
    const uint8_t *Row(int y) const { return topRow + rowStep * y; }
    RECT Bounds() const { return RECT{0, 0, width, height}; }
};

// Bytes per row of a DIB: rows are padded to 32 bits.
int64_t DibStride(int64_t width, int bitsPerPixel);

// A zero-filled surface; null when the depth is unsupported, a dimension is not positive
// or the image does not fit in 31 bits. `table` (1-8 bpp) may be null for the default one;
// `tableSize` entries are copied (0: the full 2^bpp) and the rest of the 2^bpp are black.
std::shared_ptr<Surface> MakeDibSurface(int width, int height, int bitsPerPixel, bool topDown,
                                        const RGBQUAD *table, int tableSize);
// A surface over a caller's DIB buffer (GetDIBits' destination); the table is copied.
std::unique_ptr<Surface> MakeDibView(void *bits, int width, int height, int bitsPerPixel, bool topDown,
                                     const RGBQUAD *table);
// The 1x1 monochrome device bitmap every memory DC starts with.
std::shared_ptr<Surface> MakeMonochromeDeviceSurface(int width, int height);

const PixelRoutines *RoutinesForDepth(int bitsPerPixel);

}  // namespace figplat::gdi
