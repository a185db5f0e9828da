// Smoothed glyphs painted as GDI's DIB engine paints them at 16, 24 and 32 bits: each
// coverage level (0-16) of a glyph mixes the text colour into what lies beneath along a
// fixed intensity ramp, per channel, in integer steps. Levels 0 and 1 leave the pixel, 16
// writes the text pixel. The blend works on 8-bit channels: 5-5-5 pixels are widened first
// (each channel's high bits repeated) and cut back to their top five bits.
#pragma once

#include "engine/font/font.h"
#include "engine/surface.h"

#include <cstdint>

namespace figplat::gdi {

// For one text colour: its pixel, its channels as that pixel reads back, and for each level
// how far a channel moves towards the text: within the range it may reach (its value over a
// black and over a white background).
struct GlyphBlend {
    uint32_t textPixel = 0;
    uint8_t text[3] = {};  // red, green, blue
    // By level, then red, green, blue: the range's share per unit of distance from the text,
    // above it ((max - text) / (255 - text)) and below it ((text - min) / text), as 32-bit
    // fractions rounded up. A distance d (at most 255) times the share, shifted down, is the
    // exact quotient GDI takes: the rounding adds under 2^-16, and a quotient that is not
    // whole lies at least 1/255 below the next whole number.
    uint64_t above[17][3] = {}, below[17][3] = {};
};

// The blend for `colour` on the surface (16, 24 or 32 bits).
GlyphBlend MakeGlyphBlend(const Surface &s, COLORREF colour);

// A smoothed glyph of width x height pixels: the runs of its level-16 pixels and its pixels
// of levels 2-15, the only ones visited.
struct GlyphCoverage {
    int32_t width = 0, height = 0;
    const geom::Span *solidRuns = nullptr;
    size_t solidCount = 0;
    const font::MixedPixel *mixed = nullptr;
    size_t mixedCount = 0;
};

// Paints the glyph with its top-left at (x, y), cut to the surface first: level-16 runs
// filled with the text pixel, as plain text is, the other pixels mixed. Surfaces of 8 bits
// and fewer are never smoothed: nothing is painted on them.
void BlendGlyph(Surface &s, const GlyphBlend &blend, int64_t x, int64_t y, const GlyphCoverage &coverage);

}  // namespace figplat::gdi
