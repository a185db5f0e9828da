// Fonts for the GDI text calls: realising a LOGFONT into a face and size, its metrics as
// GetTextMetrics reports them, and the glyphs of a string as a one-bit mask or as the runs
// and coverage text is painted from.
//
// Pure font work through FreeType and fontconfig, with no knowledge of device contexts:
// the DC layer positions the mask and paints it in the text colour.
#pragma once

#include <windows.h>

#include "engine/font/ink.h"
#include "engine/geom/geom.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace figplat::font {

struct Face;  // a realised font: face file, pixel size, weight, italic, underline

// Never null while any font is installed: unknown faces fall back as Windows does.
Face *Realize(const LOGFONTW &logfont);
void Release(Face *face);

// GetTextMetricsW's answer for the face.
void Metrics(const Face *face, TEXTMETRICW *metrics);

// GetTextExtentPoint32W's answer: total advance and the cell height.
SIZE Extent(const Face *face, const char16_t *text, int count);

// The text's glyphs drawn with the text cell's top-left corner at (0, 0): `bits` holds
// width * height bytes, row by row, each 0 or 1; (left, top) is where the mask's first
// pixel lies relative to the cell's top-left (may be negative). Underline and strike-out
// are part of the mask. `advance` is the pen advance of the whole string (the width of
// the opaque background box).
struct Mask {
    int32_t left = 0, top = 0, width = 0, height = 0;
    std::vector<uint8_t> bits;
    int32_t advance = 0;
};
void Render(const Face *face, const char16_t *text, int count, Mask *mask);

// The same ink in the form the DC layer paints: each glyph's runs (GlyphImage::runs) with
// the cell position of the glyph mask's top-left, and the underline and strike-out boxes,
// all relative to the text cell's top-left. The runs of glyphs kept whole belong to the
// face and live as long as it does.
struct TextInk {
    struct Glyph {
        int32_t x, y;
        const std::vector<InkRun> *runs;
    };
    // A smoothed glyph, its box's top-left at (x, y): the runs of its fully inked pixels and
    // the pixels that mix.
    struct Coverage {
        int32_t x, y, width, height;
        const std::vector<InkRun> *solidRuns;
        const std::vector<MixedPixel> *mixed;
    };
    struct Box {
        int32_t left, top, right, bottom;
    };
    std::vector<Glyph> glyphs;
    std::vector<Coverage> coverage;  // in drawing order: each is blended over what is beneath
    std::vector<Box> bands;
    int32_t advance = 0;
    std::deque<std::vector<InkRun>> pieces;  // the drawn parts of glyphs too large to keep whole
    std::deque<std::vector<MixedPixel>> mixedPieces;  // beside their level-16 runs in `pieces`
};
// `visible` is the part of the surface, relative to the cell's top-left, that can be drawn
// on: glyphs too large to keep whole are drawn there only. `smooth`: the glyphs as coverage
// (hinted for grey, at their grey advances), else as runs.
void LayOutInk(const Face *face, const char16_t *text, int count, const TextInk::Box &visible, bool smooth,
               TextInk *ink);

// Whether the face's text is smoothed on surfaces that can show grey (16 bits and more): an
// outline face its gasp table lets be grey at its size (a faked bold or italic always may),
// of a quality the font smoothing setting smooths.
bool Smoothed(const Face *face);

}  // namespace figplat::font
