// Glyphs drawn the way GDI draws non-antialiased text: FreeType's monochrome hinting and
// rasteriser, a box grid-fitted to whole pixels and clipped to the cell's ascent and
// descent, integer advances, synthetic bold and italic applied to the outline.
#pragma once

#include "gdi/font/face.h"

namespace figplat::font {

// The glyph with that index, loaded and cached on first use. Call with the FreeType lock held.
const GlyphImage &GlyphFor(Face *face, uint32_t glyphIndex);

}  // namespace figplat::font
