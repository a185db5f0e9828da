// Pixel routines for the colour-table formats: 1, 4 and 8 bits per pixel, the leftmost
// pixel in the high bits of a byte. One instantiation per depth, so no loop tests the depth.
#include "gdi/colour.h"
#include "gdi/surface.h"

#include <cstring>

namespace figplat::gdi {
namespace {

template <int Bpp>
struct Indexed {
    static constexpr int kPerByte = 8 / Bpp;
    static constexpr uint32_t kMask = (1u << Bpp) - 1;

    static int Shift(int x) { return 8 - Bpp - (x % kPerByte) * Bpp; }

    static uint32_t Get(const Surface &s, int x, int y) {
        return (s.Row(y)[x / kPerByte] >> Shift(x)) & kMask;
    }

    static void Set(Surface &s, int x, int y, uint32_t pixel) {
        uint8_t &byte = s.Row(y)[x / kPerByte];
        const int shift = Shift(x);
        byte = static_cast<uint8_t>((byte & ~(kMask << shift)) | ((pixel & kMask) << shift));
    }

    static uint8_t Pattern(uint32_t pixel) {
        uint8_t pattern = 0;
        for (int i = 0; i < kPerByte; ++i) pattern = static_cast<uint8_t>((pattern << Bpp) | (pixel & kMask));
        return pattern;
    }

    static void Fill(Surface &s, int y, int x0, int x1, uint32_t pixel) {
        uint8_t *row = s.Row(y);
        if constexpr (Bpp == 8) {
            std::memset(row + x0, static_cast<int>(pixel & 0xFF), static_cast<size_t>(x1 - x0));
        } else {
            for (; x0 < x1 && x0 % kPerByte; ++x0) Set(s, x0, y, pixel);
            const int wholeEnd = x1 - x1 % kPerByte;
            if (x0 < wholeEnd) {
                std::memset(row + x0 / kPerByte, Pattern(pixel), static_cast<size_t>((wholeEnd - x0) / kPerByte));
                x0 = wholeEnd;
            }
            for (; x0 < x1; ++x0) Set(s, x0, y, pixel);
        }
    }

    static void ReadRaw(const Surface &s, int y, int x, int count, uint32_t *out) {
        for (int i = 0; i < count; ++i) out[i] = Get(s, x + i, y);
    }

    static void Read(const Surface &s, int y, int x, int count, COLORREF *out) {
        for (int i = 0; i < count; ++i) out[i] = QuadToColour(s.table[Get(s, x + i, y)]);
    }

    static void Write(Surface &s, int y, int x, int count, const COLORREF *in) {
        COLORREF lastColour = in[0];
        uint32_t lastPixel = ToPixel(s, lastColour);
        for (int i = 0; i < count; ++i) {
            if (in[i] != lastColour) {
                lastColour = in[i];
                lastPixel = ToPixel(s, lastColour);
            }
            Set(s, x + i, y, lastPixel);
        }
    }

    static void Copy(Surface &dst, int dy, int dx, const Surface &src, int sy, int sx, int count) {
        if constexpr (Bpp == 8) {
            std::memmove(dst.Row(dy) + dx, src.Row(sy) + sx, static_cast<size_t>(count));
        } else if (&dst == &src && dy == sy && dx > sx) {  // overlapping run: copy from the right
            for (int i = count - 1; i >= 0; --i) Set(dst, dx + i, dy, Get(src, sx + i, sy));
        } else {
            for (int i = 0; i < count; ++i) Set(dst, dx + i, dy, Get(src, sx + i, sy));
        }
    }

    static uint32_t ToPixel(const Surface &s, COLORREF colour) {
        return static_cast<uint32_t>(NearestIndex(s.table, s.tableSize, colour));
    }

    // Indices past a short table read as black, as the table's unused entries are zero.
    static COLORREF ToColour(const Surface &s, uint32_t pixel) { return QuadToColour(s.table[pixel & 0xFF]); }

    static constexpr PixelRoutines kTable = {Get, Set, Fill, ReadRaw, Read, Write, Copy, ToPixel, ToColour};
};

}  // namespace

extern const PixelRoutines kRoutines1 = Indexed<1>::kTable;
extern const PixelRoutines kRoutines4 = Indexed<4>::kTable;
extern const PixelRoutines kRoutines8 = Indexed<8>::kTable;

}  // namespace figplat::gdi
