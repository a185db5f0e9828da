// Glyphs drawn the way GDI draws non-antialiased text: FreeType's monochrome hinting and
// rasteriser, a box grid-fitted to whole pixels and clipped to the cell's ascent and
// descent, integer advances, synthetic bold and italic applied to the outline.
#pragma once

#include "gdi/font/face.h"

namespace figplat::font {

// The glyph with that index, loaded and cached on first use. Call with the FreeType lock held.
const GlyphImage &GlyphFor(Face *face, uint32_t glyphIndex);

// A deferred glyph's pixels in columns [x0, x0 + width) and rows [y0, y0 + height) of its
// image, drawn afresh, as runs relative to that window's top-left. Same lock.
std::vector<InkRun> GlyphPieceRuns(Face *face, uint32_t glyphIndex, int32_t x0, int32_t y0, int32_t width,
                                   int32_t height);

}  // namespace figplat::font
