// Glyphs drawn the way GDI draws text: FreeType's monochrome hinting and rasteriser without
// antialiasing, its grey hinting and smooth rasteriser in 17 levels (GGO_GRAY4_BITMAP) when
// smoothed; a box grid-fitted to whole pixels and clipped to the cell's ascent and descent,
// integer advances, synthetic bold and italic applied to the outline.
#pragma once

#include "engine/font/face.h"

#include <vector>

namespace figplat::font {

// The top coverage level of a smoothed glyph: fully inked, the text colour. Levels below 2
// paint nothing; those between mix.
inline constexpr uint8_t kGreyLevels = 16;
inline constexpr uint8_t kLeastPaintedLevel = 2;

// The pixels of a width x height image with values in [least, most] (1 and 1 for a 0/1
// mask), as runs along its rows.
std::vector<InkRun> RunsOf(const std::vector<uint8_t> &bits, int32_t width, int32_t height, uint8_t least,
                           uint8_t most);

// The pixels of a width x height block of coverage levels that mix (2-15), row by row.
std::vector<MixedPixel> MixedPixelsOf(const std::vector<uint8_t> &levels, int32_t width, int32_t height);

// The glyph with that index, loaded and cached on first use. Call with the FreeType lock held.
const GlyphImage &GlyphFor(Face *face, uint32_t glyphIndex);

// The glyph smoothed: coverage levels 0-16 in `bits`, the runs of level 16 in `runs` and the
// mixing pixels in `mixed`, cached apart from the plain one.
const GlyphImage &GreyGlyphFor(Face *face, uint32_t glyphIndex);

// A deferred glyph's pixels in columns [x0, x0 + width) and rows [y0, y0 + height) of its
// image, drawn afresh, row by row: 0/1, or coverage levels 0-16 when `grey`. Same lock.
std::vector<uint8_t> GlyphPiece(Face *face, uint32_t glyphIndex, bool grey, int32_t x0, int32_t y0, int32_t width,
                                int32_t height);

// A deferred glyph's pixels in columns [x0, x0 + width) and rows [y0, y0 + height) of its
// image, drawn afresh, as runs relative to that window's top-left. Same lock.
std::vector<InkRun> GlyphPieceRuns(Face *face, uint32_t glyphIndex, int32_t x0, int32_t y0, int32_t width,
                                   int32_t height);

}  // namespace figplat::font
