// Pixel routines for the true-colour formats: 16 bits (5-5-5, blue in the low bits),
// 24 bits (B, G, R bytes) and 32 bits (B, G, R, unused). One set of functions per depth.
#include "gdi/colour.h"
#include "gdi/surface.h"

#include <algorithm>
#include <cstring>

namespace figplat::gdi {
namespace {

// Expands a 5-bit channel by repeating its high bits, as GDI reads 16-bit pixels back.
inline uint8_t Expand5(uint32_t v) { return static_cast<uint8_t>((v << 3) | (v >> 2)); }

struct Rgb555 {
    static constexpr int kBytes = 2;
    static uint32_t Load(const uint8_t *p) { return p[0] | (static_cast<uint32_t>(p[1]) << 8); }
    static void Store(uint8_t *p, uint32_t v) {
        p[0] = static_cast<uint8_t>(v);
        p[1] = static_cast<uint8_t>(v >> 8);
    }
    static uint32_t FromColour(COLORREF c) {
        return (static_cast<uint32_t>(Red(c) >> 3) << 10) | (static_cast<uint32_t>(Green(c) >> 3) << 5) |
               (Blue(c) >> 3);
    }
    static COLORREF ToColour(uint32_t v) {
        return MakeColour(Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
    }
    static void FillRun(uint8_t *p, int count, uint32_t v) {
        auto *words = reinterpret_cast<uint16_t *>(p);
        std::fill_n(words, count, static_cast<uint16_t>(v));
    }
};

struct Rgb888 {
    static constexpr int kBytes = 3;
    static uint32_t Load(const uint8_t *p) {
        return p[0] | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16);
    }
    static void Store(uint8_t *p, uint32_t v) {
        p[0] = static_cast<uint8_t>(v);
        p[1] = static_cast<uint8_t>(v >> 8);
        p[2] = static_cast<uint8_t>(v >> 16);
    }
    static uint32_t FromColour(COLORREF c) {
        return (static_cast<uint32_t>(Red(c)) << 16) | (static_cast<uint32_t>(Green(c)) << 8) | Blue(c);
    }
    static COLORREF ToColour(uint32_t v) {
        return MakeColour(static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v));
    }
    static void FillRun(uint8_t *p, int count, uint32_t v) {
        for (int i = 0; i < count; ++i, p += 3) Store(p, v);
    }
};

struct Xrgb8888 {
    static constexpr int kBytes = 4;
    static uint32_t Load(const uint8_t *p) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    static void Store(uint8_t *p, uint32_t v) { std::memcpy(p, &v, 4); }
    static uint32_t FromColour(COLORREF c) { return Rgb888::FromColour(c); }
    static COLORREF ToColour(uint32_t v) { return Rgb888::ToColour(v); }
    static void FillRun(uint8_t *p, int count, uint32_t v) {
        auto *words = reinterpret_cast<uint32_t *>(p);
        std::fill_n(words, count, v);
    }
};

template <typename Format>
struct Direct {
    static constexpr int kBytes = Format::kBytes;

    static uint32_t Get(const Surface &s, int x, int y) { return Format::Load(s.Row(y) + x * kBytes); }
    static void Set(Surface &s, int x, int y, uint32_t pixel) { Format::Store(s.Row(y) + x * kBytes, pixel); }
    static void Fill(Surface &s, int y, int x0, int x1, uint32_t pixel) {
        Format::FillRun(s.Row(y) + x0 * kBytes, x1 - x0, pixel);
    }
    static void ReadRaw(const Surface &s, int y, int x, int count, uint32_t *out) {
        const uint8_t *p = s.Row(y) + x * kBytes;
        for (int i = 0; i < count; ++i, p += kBytes) out[i] = Format::Load(p);
    }
    static void Read(const Surface &s, int y, int x, int count, COLORREF *out) {
        const uint8_t *p = s.Row(y) + x * kBytes;
        for (int i = 0; i < count; ++i, p += kBytes) out[i] = Format::ToColour(Format::Load(p));
    }
    static void Write(Surface &s, int y, int x, int count, const COLORREF *in) {
        uint8_t *p = s.Row(y) + x * kBytes;
        for (int i = 0; i < count; ++i, p += kBytes) Format::Store(p, Format::FromColour(in[i]));
    }
    static void Copy(Surface &dst, int dy, int dx, const Surface &src, int sy, int sx, int count) {
        std::memmove(dst.Row(dy) + dx * kBytes, src.Row(sy) + sx * kBytes, static_cast<size_t>(count) * kBytes);
    }
    static uint32_t ToPixel(const Surface &, COLORREF colour) { return Format::FromColour(colour); }
    static COLORREF ToColour(const Surface &, uint32_t pixel) { return Format::ToColour(pixel); }

    static constexpr PixelRoutines kTable = {Get, Set, Fill, ReadRaw, Read, Write, Copy, ToPixel, ToColour};
};

}  // namespace

extern const PixelRoutines kRoutines16 = Direct<Rgb555>::kTable;
extern const PixelRoutines kRoutines24 = Direct<Rgb888>::kTable;
extern const PixelRoutines kRoutines32 = Direct<Xrgb8888>::kTable;

}  // namespace figplat::gdi
