// UTF-16 text to the glyph indices GDI would draw. A surrogate pair the face can draw is
// one glyph; one it cannot draws each half as the missing-glyph box, as GDI's plain text
// path does. Raster faces see the text through code page 1252, their encoding.
#pragma once

#include "engine/font/face.h"

#include <vector>

namespace figplat::font {

// Single units below 256 are looked up once per face (the FreeType lock must be held).
std::vector<uint32_t> GlyphRun(Face &face, const char16_t *text, int count);

}  // namespace figplat::font
