#include "engine/font/glyph_run.h"

#include "core/text_encoding.h"

namespace figplat::font {

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Text a raster font's code page cannot express is drawn with the font's default character,
// not with the '?' a code page conversion would give.
uint32_t RasterGlyph(const Face &face, char16_t unit) {
    unsigned char code = UnicodeToCp1252(unit);
    bool unmappable = code == '?' && unit != u'?';
    FT_UInt glyph = unmappable ? 0 : FT_Get_Char_Index(face.ft, code);
    if (glyph == 0) glyph = FT_Get_Char_Index(face.ft, face.rasterDefaultChar);
    return glyph;
}

uint32_t SingleUnitGlyph(const Face &face, char16_t unit) {
    return face.raster ? RasterGlyph(face, unit) : FT_Get_Char_Index(face.ft, unit);
}

}  // namespace

std::vector<uint32_t> GlyphRun(Face &face, const char16_t *text, int count) {
    std::vector<uint32_t> glyphs;
    if (!text || count <= 0) return glyphs;
    glyphs.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        char16_t unit = text[i];
        if (unit < face.smallUnitGlyphs.size()) {
            uint32_t &known = face.smallUnitGlyphs[unit];
            if (known == Face::kUnknownGlyph) known = SingleUnitGlyph(face, unit);
            glyphs.push_back(known);
            continue;
        }
        if (face.raster) {
            glyphs.push_back(RasterGlyph(face, unit));
            continue;
        }
        if (IsHighSurrogate(unit) && i + 1 < count && IsLowSurrogate(text[i + 1])) {
            FT_ULong codePoint = 0x10000 + ((unit - 0xD800u) << 10) + (text[i + 1] - 0xDC00u);
            if (FT_UInt glyph = FT_Get_Char_Index(face.ft, codePoint)) {
                glyphs.push_back(glyph);
                ++i;
                continue;
            }
        }
        glyphs.push_back(FT_Get_Char_Index(face.ft, unit));
    }
    return glyphs;
}

}  // namespace figplat::font
