// What a glyph's ink is made of, as the font module hands it to painting: runs of fully
// inked pixels and, for smoothed glyphs, the pixels that mix with what is beneath.
#pragma once

#include "engine/geom/geom.h"

#include <cstdint>

namespace figplat::font {

// Columns [x0, x1) of row y of a glyph's mask: the span type the pixel routines fill.
using InkRun = geom::Span;
// A pixel of a smoothed glyph that mixes with what is beneath: column, row and level (2-15).
struct MixedPixel {
    int32_t x, y;
    uint8_t level;
};

}  // namespace figplat::font
