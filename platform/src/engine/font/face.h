// A realised font as the rest of the module sees it: the open FreeType face at its size,
// the synthetic styles GDI adds, the finished TEXTMETRIC and the glyphs drawn so far.
#pragma once

#include <windows.h>

#include "engine/font/ink.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace figplat::font {

// One glyph as GDI draws it: without antialiasing a 0/1 mask whose top-left pixel is `left`
// pixels right of the pen and `top` pixels above the baseline, and the same pixels as runs,
// the form text is painted from; smoothed, coverage levels 0-16 in `bits`, the fully inked
// pixels as runs and the pixels that mix with what is beneath (levels 2-15).
struct GlyphImage {
    int32_t left = 0, top = 0, width = 0, height = 0;
    int32_t advance = 0;        // where the next glyph is drawn
    int32_t measureAdvance = 0;  // what GetTextExtentPoint counts for it
    std::vector<uint8_t> bits;
    std::vector<InkRun> runs;
    std::vector<MixedPixel> mixed;  // smoothed glyphs only
    // Too large to keep drawn whole (a glyph thousands of pixels tall): bits and runs stay
    // empty and each text call draws only the piece of it that falls on the surface.
    bool deferred = false;
};

// Glyphs up to this many pixels are drawn whole once and kept; larger ones are deferred.
inline constexpr int64_t kMaxWholeGlyphPixels = int64_t{1} << 22;

// Beyond this many pixels a whole-string mask is not drawn: absurd LOGFONT heights must not
// exhaust memory. (Painted text is not bound by it: it draws only what is visible.)
inline constexpr int64_t kMaxMaskPixels = int64_t{1} << 26;

// A horizontal band relative to the baseline: `above` rows above it starts the band
// (negative: below the baseline), `thickness` rows tall.
struct LineBand {
    int32_t above = 0;
    int32_t thickness = 1;
};

struct Face {
    FT_Face ft = nullptr;
    bool raster = false;
    long ppem = 0;       // outline faces
    long scale = 1;      // raster faces: whole-pixel magnification
    bool syntheticBold = false;
    bool syntheticItalic = false;
    // Outline faces: the lfWidth stretch and the fake italic slant, applied to every outline.
    bool transformed = false;
    FT_Matrix transform{0x10000, 0, 0, 0x10000};
    bool underline = false;
    bool strikeOut = false;
    BYTE quality = 0;         // the LOGFONT's lfQuality
    bool smoothable = false;  // an outline face whose gasp table (or faked style) allows grey
    UINT rasterDefaultChar = 0;  // raster faces: the code drawn for unmappable text
    TEXTMETRICW metrics{};
    LineBand underlineBand, strikeOutBand;
    std::unordered_map<uint32_t, GlyphImage> glyphs;      // by glyph index
    std::unordered_map<uint32_t, GlyphImage> greyGlyphs;  // the same glyphs smoothed
    // The glyph index of each UTF-16 unit below 256 once looked up (kUnknownGlyph: not yet).
    static constexpr uint32_t kUnknownGlyph = 0xFFFFFFFF;
    std::array<uint32_t, 256> smallUnitGlyphs = MakeUnknown();

private:
    static std::array<uint32_t, 256> MakeUnknown() {
        std::array<uint32_t, 256> table;
        table.fill(kUnknownGlyph);
        return table;
    }
};

}  // namespace figplat::font
