#include "gdi/glyph_blend.h"

#include "gdi/pixel_formats.h"

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
uint8_t MixChannel(uint32_t under, const GlyphBlend &blend, int level, int channel) {
    const uint32_t text = blend.text[channel];
    if (under > text) return static_cast<uint8_t>(text + (((under - text) * blend.above[level][channel]) >> 32));
    return static_cast<uint8_t>(text - (((text - under) * blend.below[level][channel]) >> 32));
}

// 0xRRGGBB mixed channel by channel.
uint32_t MixRgb(uint32_t under, const GlyphBlend &blend, int level) {
    return uint32_t{MixChannel((under >> 16) & 0xFF, blend, level, 0)} << 16 |
           uint32_t{MixChannel((under >> 8) & 0xFF, blend, level, 1)} << 8 | MixChannel(under & 0xFF, blend, level, 2);
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

// A run of levels 2-15, already cut to the surface.
template <typename Format>
void BlendRun(Surface &s, const GlyphBlend &blend, int y, int x0, int x1, const uint8_t *levels) {
    uint8_t *p = s.Row(y) + static_cast<ptrdiff_t>(x0) * Format::kBytes;
    for (int x = x0; x < x1; ++x, ++levels, p += Format::kBytes) Format::Store(p, MixRgb(Format::Rgb(p), blend, *levels));
}

template <typename Format>
void BlendRuns(Surface &s, const GlyphBlend &blend, int64_t x, int64_t y, const GlyphCoverage &coverage) {
    for (const geom::Span *run = coverage.mixedRuns, *end = run + coverage.mixedCount; run < end; ++run) {
        const int64_t row = y + run->y;
        if (row < 0 || row >= s.height) continue;
        const int64_t x0 = std::max<int64_t>(x + run->x0, 0), x1 = std::min<int64_t>(x + run->x1, s.width);
        if (x0 >= x1) continue;
        const uint8_t *levels = coverage.levels + static_cast<size_t>(run->y) * coverage.width + (x0 - x);
        BlendRun<Format>(s, blend, static_cast<int>(row), static_cast<int>(x0), static_cast<int>(x1), levels);
    }
}

using BlendRunsFn = void (*)(Surface &, const GlyphBlend &, int64_t, int64_t, const GlyphCoverage &);

BlendRunsFn BlenderFor(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 16: return BlendRuns<Blend555>;
    case 24: return BlendRuns<Blend888>;
    case 32: return BlendRuns<Blend8888>;
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
    const BlendRunsFn blendRuns = BlenderFor(s.bitsPerPixel);
    if (!blendRuns) return;
    s.ops->fillSpans(s, coverage.solidRuns, coverage.solidCount, x, y, blend.textPixel);
    blendRuns(s, blend, x, y, coverage);
}

}  // namespace figplat::gdi
