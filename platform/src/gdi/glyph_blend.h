// Smoothed glyphs painted as GDI's DIB engine paints them at 16, 24 and 32 bits: each
// coverage level (0-16) of a glyph mixes the text colour into what lies beneath along a
// fixed intensity ramp, per channel, in integer steps. Levels 0 and 1 leave the pixel, 16
// writes the text pixel. The blend works on 8-bit channels: 5-5-5 pixels are widened first
// (each channel's high bits repeated) and cut back to their top five bits.
#pragma once

#include "gdi/surface.h"

#include <cstdint>

namespace figplat::gdi {

// For one text colour: its pixel, its channels as that pixel reads back, and for each level
// the range a channel may reach (its value over a black and over a white background).
struct GlyphBlend {
    struct Range {
        uint8_t min, max;
    };
    uint32_t textPixel = 0;
    uint8_t text[3] = {};          // red, green, blue
    Range ranges[17][3] = {};      // by level, then red, green, blue
};

// The blend for `colour` on the surface (16, 24 or 32 bits).
GlyphBlend MakeGlyphBlend(const Surface &s, COLORREF colour);

// Paints a width x height block of coverage levels (row by row) whose top-left lands at
// (x, y), cut to the surface first. Surfaces of 8 bits and fewer are never smoothed: nothing
// is painted on them.
void BlendGlyph(Surface &s, const GlyphBlend &blend, int64_t x, int64_t y, int32_t width, int32_t height,
                const uint8_t *levels);

}  // namespace figplat::gdi
