// The pixel formats of DIB sections, one struct each: how the pixel at column x of a row
// is read and written, how a run of one value is filled, and (true colour) how pixels and
// COLORREFs convert. Indexed formats hold table indices, the leftmost pixel in the high bits
// of a byte; direct ones are 5-5-5 (blue in the low bits), B-G-R and B-G-R-unused.
//
// The pixel routines and the converting blits are templates over these, so every loop is
// compiled once per format and never tests the depth per pixel.
#pragma once

#include "engine/colour.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace figplat::gdi::format {

// Fills runs of bytes with `value`'s low `Period` bytes (2, 3 or 4) over and over, built
// once for a fill of many rows. A run is written in 16-byte stores (48 bytes hold a whole
// number of periods of each); a long one copies its first stretch onwards with memcpy,
// which stores as wide as the machine allows, as memset does.
template <int Period>
class RepeatingFill {
public:
    explicit RepeatingFill(uint32_t value) {
        for (int i = 0; i < 48; i += Period)
            for (int k = 0; k < Period; ++k) pattern_[i + k] = static_cast<uint8_t>(value >> (8 * k));
        std::memcpy(&a_, pattern_, 16);
        std::memcpy(&b_, pattern_ + 16, 16);
        std::memcpy(&c_, pattern_ + 32, 16);
    }

    void operator()(uint8_t *p, size_t bytes) const {
        constexpr size_t kSeed = 48 * 256;  // small enough to stay in the first-level cache
        const size_t seed = bytes < 2 * kSeed ? bytes : kSeed;
        uint8_t *q = p;
        size_t left = seed;
        for (; left >= 48; q += 48, left -= 48) std::memcpy(q, &a_, 16), std::memcpy(q + 16, &b_, 16), std::memcpy(q + 32, &c_, 16);
        Tail(q, left);
        // Copy what is written onwards, doubling the piece up to a size the second-level cache
        // holds: few calls, each as fast as memcpy goes.
        constexpr size_t kLargestPiece = size_t{1} << 17;
        size_t piece = seed;
        for (size_t done = seed; done < bytes; done += piece) {
            piece = std::min({done, kLargestPiece - kLargestPiece % 48, bytes - done});
            std::memcpy(p + done, p, piece);
        }
    }

private:
    // The pattern's first `left` (< 48) bytes, in stores of fixed sizes.
    void Tail(uint8_t *q, size_t left) const {
        size_t at = 0;
        if (left >= 16) std::memcpy(q, &a_, 16), at = 16;
        if (left >= 32) std::memcpy(q + 16, &b_, 16), at = 32;
        const size_t rest = left - at;
        if (rest & 8) std::memcpy(q + at, pattern_ + at, 8), at += 8;
        if (rest & 4) std::memcpy(q + at, pattern_ + at, 4), at += 4;
        if (rest & 2) std::memcpy(q + at, pattern_ + at, 2), at += 2;
        if (rest & 1) q[at] = pattern_[at];
    }

    using Block = uint8_t __attribute__((vector_size(16)));
    uint8_t pattern_[48];
    Block a_, b_, c_;
};

// `bytes` copies of `value`. Glyph runs and thin shapes hand over runs of a few bytes,
// where a call into memset (its size dispatch mispredicting on every length change) costs
// more than the stores: those are written inline, two overlapping stores of a width that
// covers the run.
inline void FillShortOrLong(uint8_t *p, size_t bytes, uint8_t value) {
    if (bytes >= 16) {
        std::memset(p, value, bytes);
        return;
    }
    const uint64_t eight = value * 0x0101010101010101ull;
    if (bytes >= 8) {
        std::memcpy(p, &eight, 8), std::memcpy(p + bytes - 8, &eight, 8);
    } else if (bytes >= 4) {
        std::memcpy(p, &eight, 4), std::memcpy(p + bytes - 4, &eight, 4);
    } else if (bytes > 0) {
        p[0] = value, p[bytes / 2] = value, p[bytes - 1] = value;
    }
}

template <int Bpp>
struct Indexed {
    static constexpr int kBits = Bpp;
    static constexpr bool kIndexed = true;
    static constexpr int kPerByte = 8 / Bpp;
    static constexpr uint32_t kMask = (1u << Bpp) - 1;

    static int Shift(int x) { return 8 - Bpp - (x % kPerByte) * Bpp; }

    static uint32_t Load(const uint8_t *row, int x) {
        if constexpr (Bpp == 8) return row[x];
        else return (row[x / kPerByte] >> Shift(x)) & kMask;
    }
    static void Store(uint8_t *row, int x, uint32_t pixel) {
        if constexpr (Bpp == 8) {
            row[x] = static_cast<uint8_t>(pixel);
        } else {
            uint8_t &byte = row[x / kPerByte];
            const int shift = Shift(x);
            byte = static_cast<uint8_t>((byte & ~(kMask << shift)) | ((pixel & kMask) << shift));
        }
    }
    // One byte holding `pixel` in every position.
    static uint8_t Pattern(uint32_t pixel) {
        uint8_t pattern = 0;
        for (int i = 0; i < kPerByte; ++i) pattern = static_cast<uint8_t>((pattern << Bpp) | (pixel & kMask));
        return pattern;
    }
    static void Fill(uint8_t *row, int x0, int x1, uint32_t pixel) {
        if constexpr (Bpp == 8) {
            FillShortOrLong(row + x0, static_cast<size_t>(x1 - x0), static_cast<uint8_t>(pixel));
        } else {
            for (; x0 < x1 && x0 % kPerByte; ++x0) Store(row, x0, pixel);
            const int wholeEnd = x1 - x1 % kPerByte;
            if (x0 < wholeEnd) {
                std::memset(row + x0 / kPerByte, Pattern(pixel), static_cast<size_t>((wholeEnd - x0) / kPerByte));
                x0 = wholeEnd;
            }
            for (; x0 < x1; ++x0) Store(row, x0, pixel);
        }
    }
    // Whole bytes of rows (no partial pixels at the ends) filled at once.
    static void FillBytes(uint8_t *p, size_t bytes, uint32_t pixel) {
        std::memset(p, Pattern(pixel), bytes);
    }
};

// Shared by the direct formats: runs are filled a pixel at a time when short, with
// repeated 16-byte stores when long.
template <typename Format>
struct Direct {
    static constexpr bool kIndexed = false;
    static constexpr int kBytes = Format::kBits / 8;

    static uint32_t Load(const uint8_t *row, int x) { return Format::LoadAt(row + x * kBytes); }
    static void Store(uint8_t *row, int x, uint32_t pixel) { Format::StoreAt(row + x * kBytes, pixel); }
    static void Fill(uint8_t *row, int x0, int x1, uint32_t pixel) {
        FillBytes(row + x0 * kBytes, static_cast<size_t>(x1 - x0) * kBytes, pixel);
    }
    static void FillBytes(uint8_t *p, size_t bytes, uint32_t pixel) { FillRows(p, 0, 1, bytes, pixel); }
    // `rows` runs of `bytes` bytes, `step` bytes apart; the way to fill is chosen once.
    static void FillRows(uint8_t *p, ptrdiff_t step, int rows, size_t bytes, uint32_t pixel) {
        if (bytes < 64 && kBytes == 3) {
            for (int r = 0; r < rows; ++r, p += step)
                for (uint8_t *q = p, *end = p + bytes; q < end; q += kBytes) Format::StoreAt(q, pixel);
        } else if (bytes < 64) {  // 2 or 4 bytes a pixel: eight bytes a store
            uint8_t pattern[8];
            for (int i = 0; i < 8; i += kBytes) Format::StoreAt(pattern + i, pixel);
            uint64_t eight;
            std::memcpy(&eight, pattern, 8);
            for (int r = 0; r < rows; ++r, p += step) {
                uint8_t *q = p;
                for (size_t left = bytes; left >= 8; left -= 8, q += 8) std::memcpy(q, &eight, 8);
                if (bytes & 4) std::memcpy(q, &eight, 4), q += 4;
                if (bytes & 2) std::memcpy(q, &eight, 2);
            }
        } else if (Format::IsUniform(pixel)) {
            for (int r = 0; r < rows; ++r, p += step) std::memset(p, static_cast<int>(pixel & 0xFF), bytes);
        } else {
            const RepeatingFill<kBytes> fill(pixel);
            for (int r = 0; r < rows; ++r, p += step) fill(p, bytes);
        }
    }
};

struct Rgb555 : Direct<Rgb555> {
    static constexpr int kBits = 16;
    static constexpr bool kRawIsRgb = false;
    static bool IsUniform(uint32_t v) { return (v & 0xFF) == (v >> 8); }
    static uint32_t LoadAt(const uint8_t *p) { return p[0] | (static_cast<uint32_t>(p[1]) << 8); }
    static void StoreAt(uint8_t *p, uint32_t v) {
        p[0] = static_cast<uint8_t>(v);
        p[1] = static_cast<uint8_t>(v >> 8);
    }
    static uint32_t FromColour(COLORREF c) {
        return (static_cast<uint32_t>(Red(c) >> 3) << 10) | (static_cast<uint32_t>(Green(c) >> 3) << 5) |
               (Blue(c) >> 3);
    }
    // Reading back repeats each 5-bit channel's high bits into the low ones, as GDI does.
    static uint8_t Expand5(uint32_t v) { return static_cast<uint8_t>((v << 3) | (v >> 2)); }
    static COLORREF ToColour(uint32_t v) {
        return MakeColour(Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
    }
    static uint32_t Rgb(uint32_t v) {
        return (uint32_t{Expand5((v >> 10) & 31)} << 16) | (uint32_t{Expand5((v >> 5) & 31)} << 8) | Expand5(v & 31);
    }
};

struct Rgb888 : Direct<Rgb888> {
    static constexpr int kBits = 24;
    static constexpr bool kRawIsRgb = true;  // the value read is 0xRRGGBB
    static bool IsUniform(uint32_t v) { return (v & 0xFF) == ((v >> 8) & 0xFF) && (v & 0xFF) == (v >> 16); }
    static uint32_t LoadAt(const uint8_t *p) {
        return p[0] | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16);
    }
    static void StoreAt(uint8_t *p, uint32_t v) {
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
    static uint32_t Rgb(uint32_t v) { return v & 0xFFFFFF; }
};

struct Xrgb8888 : Direct<Xrgb8888> {
    static constexpr int kBits = 32;
    static constexpr bool kRawIsRgb = true;
    // The unused byte is written as zero: only black is four equal bytes.
    static bool IsUniform(uint32_t v) { return v == (v & 0xFF) * 0x01010101u; }
    static uint32_t LoadAt(const uint8_t *p) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    static void StoreAt(uint8_t *p, uint32_t v) { std::memcpy(p, &v, 4); }
    static uint32_t FromColour(COLORREF c) { return Rgb888::FromColour(c); }
    static COLORREF ToColour(uint32_t v) { return Rgb888::ToColour(v); }
    static uint32_t Rgb(uint32_t v) { return v & 0xFFFFFF; }
};

}  // namespace figplat::gdi::format
