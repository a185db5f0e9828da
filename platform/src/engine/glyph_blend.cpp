#include "engine/glyph_blend.h"

#include "engine/pixel_formats.h"

#include <algorithm>

namespace figplat::gdi {
namespace {

// What a channel of 0xFF reaches over black at each of the 17 levels (a power curve, about
// 77 * level^0.43): the gamma of GDI's greyscale text.
constexpr uint8_t kRamp[17] = {0,    0x4d, 0x68, 0x7c, 0x8c, 0x9a, 0xa7, 0xb2, 0xbd,
                               0xc7, 0xd0, 0xd9, 0xe1, 0xe9, 0xf0, 0xf8, 0xff};

uint64_t Reciprocal(uint32_t divisor) { return divisor ? ((uint64_t{1} << 32) + divisor - 1) / divisor : 0; }

// A channel moves from what lies beneath towards the text by the share its range allows:
// from above the text towards the range's top, from below towards its bottom, rounding down.
[[gnu::always_inline]] inline uint32_t MixChannel(uint32_t under, uint32_t text, uint64_t above, uint64_t below) {
    if (under > text) return text + static_cast<uint32_t>(((under - text) * above) >> 32);
    return text - static_cast<uint32_t>(((text - under) * below) >> 32);
}

// 0xRRGGBB mixed channel by channel.
[[gnu::always_inline]] inline uint32_t MixRgb(uint32_t under, const GlyphBlend &blend, int level) {
    const uint64_t *above = blend.above[level], *below = blend.below[level];
    return MixChannel((under >> 16) & 0xFF, blend.text[0], above[0], below[0]) << 16 |
           MixChannel((under >> 8) & 0xFF, blend.text[1], above[1], below[1]) << 8 |
           MixChannel(under & 0xFF, blend.text[2], above[2], below[2]);
}

// How each direct format reads a pixel as 0xRRGGBB and writes a mixed one back.
struct Blend555 {
    static constexpr int kBytes = 2;
    static uint32_t Rgb(const uint8_t *p) { return format::Rgb555::Rgb(format::Rgb555::LoadAt(p)); }
    static void Store(uint8_t *p, uint32_t rgb) {
        format::Rgb555::StoreAt(p, ((rgb >> 9) & 0x7C00) | ((rgb >> 6) & 0x03E0) | ((rgb >> 3) & 0x001F));
    }
};

struct Blend888 {
    static constexpr int kBytes = 3;
    static uint32_t Rgb(const uint8_t *p) { return format::Rgb888::LoadAt(p); }
    static void Store(uint8_t *p, uint32_t rgb) { format::Rgb888::StoreAt(p, rgb); }
};

// The unused top byte is read past and written as zero.
struct Blend8888 {
    static constexpr int kBytes = 4;
    static uint32_t Rgb(const uint8_t *p) { return format::Xrgb8888::LoadAt(p) & 0xFFFFFF; }
    static void Store(uint8_t *p, uint32_t rgb) { format::Xrgb8888::StoreAt(p, rgb); }
};

// A glyph wholly on the surface (the common case) needs no cutting.
template <typename Format>
void BlendPixels(Surface &s, const GlyphBlend &blend, int64_t x, int64_t y, const GlyphCoverage &coverage) {
    const font::MixedPixel *pixel = coverage.mixed, *end = pixel + coverage.mixedCount;
    if (x >= 0 && y >= 0 && x + coverage.width <= s.width && y + coverage.height <= s.height) {
        uint8_t *const origin = s.Row(static_cast<int>(y)) + x * Format::kBytes;
        for (; pixel < end; ++pixel) {
            uint8_t *p = origin + s.rowStep * pixel->y + static_cast<ptrdiff_t>(pixel->x) * Format::kBytes;
            Format::Store(p, MixRgb(Format::Rgb(p), blend, pixel->level));
        }
        return;
    }
    for (; pixel < end; ++pixel) {
        const int64_t column = x + pixel->x, row = y + pixel->y;
        if (column < 0 || row < 0 || column >= s.width || row >= s.height) continue;
        uint8_t *p = s.Row(static_cast<int>(row)) + column * Format::kBytes;
        Format::Store(p, MixRgb(Format::Rgb(p), blend, pixel->level));
    }
}

using BlendPixelsFn = void (*)(Surface &, const GlyphBlend &, int64_t, int64_t, const GlyphCoverage &);

BlendPixelsFn BlenderFor(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 16: return BlendPixels<Blend555>;
    case 24: return BlendPixels<Blend888>;
    case 32: return BlendPixels<Blend8888>;
    default: return nullptr;
    }
}

}  // namespace

GlyphBlend MakeGlyphBlend(const Surface &s, COLORREF colour) {
    GlyphBlend blend;
    blend.textPixel = s.ops->colourToPixel(s, colour);
    const COLORREF shown = s.ops->pixelToColour(s, blend.textPixel);
    blend.text[0] = GetRValue(shown), blend.text[1] = GetGValue(shown), blend.text[2] = GetBValue(shown);
    for (int channel = 0; channel < 3; ++channel) {
        const uint32_t text = blend.text[channel];
        const uint64_t overAbove = Reciprocal(0xFF - text), overBelow = Reciprocal(text);
        for (int level = 0; level < 17; ++level) {
            // Over black the channel reaches ramp * text; over white the ramp read from the top
            // plus the rest of the way times text.
            const uint32_t low = kRamp[level] * text / 0xFF;
            const uint32_t high = kRamp[16 - level] + (0xFF - kRamp[16 - level]) * text / 0xFF;
            blend.above[level][channel] = (high - text) * overAbove;
            blend.below[level][channel] = (text - low) * overBelow;
        }
    }
    return blend;
}

void BlendGlyph(Surface &s, const GlyphBlend &blend, int64_t x, int64_t y, const GlyphCoverage &coverage) {
    const BlendPixelsFn blendPixels = BlenderFor(s.bitsPerPixel);
    if (!blendPixels) return;
    s.ops->fillSpans(s, coverage.solidRuns, coverage.solidCount, x, y, blend.textPixel);
    blendPixels(s, blend, x, y, coverage);
}

}  // namespace figplat::gdi
