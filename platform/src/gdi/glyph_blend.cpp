#include "gdi/glyph_blend.h"

#include "gdi/pixel_formats.h"

#include <algorithm>

namespace figplat::gdi {
namespace {

// What a channel of 0xFF reaches over black at each of the 17 levels (a power curve, about
// 77 * level^0.43): the gamma of GDI's greyscale text.
constexpr uint8_t kRamp[17] = {0,    0x4d, 0x68, 0x7c, 0x8c, 0x9a, 0xa7, 0xb2, 0xbd,
                               0xc7, 0xd0, 0xd9, 0xe1, 0xe9, 0xf0, 0xf8, 0xff};

GlyphBlend::Range RangeOf(int level, uint32_t text) {
    const uint32_t low = kRamp[level] * text / 0xFF;
    const uint32_t high = kRamp[16 - level] + (0xFF - kRamp[16 - level]) * text / 0xFF;
    return {static_cast<uint8_t>(low), static_cast<uint8_t>(high)};
}

// A channel moves from what lies beneath towards the text by the share its range allows:
// from above the text towards the range's top, from below towards its bottom.
uint8_t MixChannel(uint32_t under, uint32_t text, const GlyphBlend::Range &range) {
    if (under == text) return static_cast<uint8_t>(under);
    if (under > text) return static_cast<uint8_t>(text + (under - text) * (range.max - text) / (0xFF - text));
    return static_cast<uint8_t>(text - (text - under) * (text - range.min) / text);
}

// 0xRRGGBB mixed channel by channel.
uint32_t MixRgb(uint32_t under, const GlyphBlend &blend, int level) {
    const GlyphBlend::Range *ranges = blend.ranges[level];
    return uint32_t{MixChannel((under >> 16) & 0xFF, blend.text[0], ranges[0])} << 16 |
           uint32_t{MixChannel((under >> 8) & 0xFF, blend.text[1], ranges[1])} << 8 |
           MixChannel(under & 0xFF, blend.text[2], ranges[2]);
}

// How each direct format reads a pixel as 0xRRGGBB and writes a mixed one back.
struct Blend555 {
    static constexpr int kBytes = 2;
    static uint32_t Rgb(const uint8_t *p) { return format::Rgb555::Rgb(format::Rgb555::LoadAt(p)); }
    static void Store(uint8_t *p, uint32_t rgb) {
        format::Rgb555::StoreAt(p, ((rgb >> 9) & 0x7C00) | ((rgb >> 6) & 0x03E0) | ((rgb >> 3) & 0x001F));
    }
    static void StoreText(uint8_t *p, uint32_t pixel) { format::Rgb555::StoreAt(p, pixel); }
};

struct Blend888 {
    static constexpr int kBytes = 3;
    static uint32_t Rgb(const uint8_t *p) { return format::Rgb888::LoadAt(p); }
    static void Store(uint8_t *p, uint32_t rgb) { format::Rgb888::StoreAt(p, rgb); }
    static void StoreText(uint8_t *p, uint32_t pixel) { format::Rgb888::StoreAt(p, pixel); }
};

// The unused top byte is read past and written as zero.
struct Blend8888 {
    static constexpr int kBytes = 4;
    static uint32_t Rgb(const uint8_t *p) { return format::Xrgb8888::LoadAt(p) & 0xFFFFFF; }
    static void Store(uint8_t *p, uint32_t rgb) { format::Xrgb8888::StoreAt(p, rgb); }
    static void StoreText(uint8_t *p, uint32_t pixel) { format::Xrgb8888::StoreAt(p, pixel); }
};

template <typename Format>
void BlendRows(Surface &s, const GlyphBlend &blend, int x, int y, int width, int height, const uint8_t *levels,
               ptrdiff_t levelStride) {
    for (int row = 0; row < height; ++row, levels += levelStride) {
        uint8_t *p = s.Row(y + row) + static_cast<ptrdiff_t>(x) * Format::kBytes;
        for (int column = 0; column < width; ++column, p += Format::kBytes) {
            const uint8_t level = levels[column];
            if (level <= 1) continue;
            if (level >= 16) Format::StoreText(p, blend.textPixel);
            else Format::Store(p, MixRgb(Format::Rgb(p), blend, level));
        }
    }
}

using BlendRowsFn = void (*)(Surface &, const GlyphBlend &, int, int, int, int, const uint8_t *, ptrdiff_t);

BlendRowsFn BlenderFor(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 16: return BlendRows<Blend555>;
    case 24: return BlendRows<Blend888>;
    case 32: return BlendRows<Blend8888>;
    default: return nullptr;
    }
}

}  // namespace

GlyphBlend MakeGlyphBlend(const Surface &s, COLORREF colour) {
    GlyphBlend blend;
    blend.textPixel = s.ops->colourToPixel(s, colour);
    const COLORREF shown = s.ops->pixelToColour(s, blend.textPixel);
    blend.text[0] = GetRValue(shown), blend.text[1] = GetGValue(shown), blend.text[2] = GetBValue(shown);
    for (int level = 0; level < 17; ++level)
        for (int channel = 0; channel < 3; ++channel) blend.ranges[level][channel] = RangeOf(level, blend.text[channel]);
    return blend;
}

void BlendGlyph(Surface &s, const GlyphBlend &blend, int64_t x, int64_t y, int32_t width, int32_t height,
                const uint8_t *levels) {
    const BlendRowsFn blendRows = BlenderFor(s.bitsPerPixel);
    const int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(x + width, s.width), bottom = std::min<int64_t>(y + height, s.height);
    if (!blendRows || left >= right || top >= bottom) return;
    const uint8_t *first = levels + (top - y) * width + (left - x);
    blendRows(s, blend, static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
              static_cast<int>(bottom - top), first, width);
}

}  // namespace figplat::gdi
