// A string's ink painted on a surface: plain glyphs as runs, smoothed ones blended from
// their coverage, then the underline and strike-out boxes.
#include "engine/glyph_blend.h"
#include "engine/raster.h"

namespace figplat::gdi {

bool SmoothsText(const Surface &s, const font::Face *face) { return s.bitsPerPixel >= 16 && font::Smoothed(face); }

// Overlapping plain glyphs paint some pixels twice, in the same colour; overlapping smoothed
// ones blend again, glyph after glyph, as GDI does.
void PaintTextInk(Surface &s, const font::TextInk &ink, int64_t x, int64_t y, COLORREF colour, uint32_t pixel) {
    for (const font::TextInk::Glyph &glyph : ink.glyphs)
        s.ops->fillSpans(s, glyph.runs->data(), glyph.runs->size(), x + glyph.x, y + glyph.y, pixel);
    if (!ink.coverage.empty()) {
        const GlyphBlend blend = MakeGlyphBlend(s, ResolveColour(colour));
        for (const font::TextInk::Coverage &glyph : ink.coverage)
            BlendGlyph(s, blend, x + glyph.x, y + glyph.y,
                       {glyph.width, glyph.height, glyph.solidRuns->data(), glyph.solidRuns->size(),
                        glyph.mixed->data(), glyph.mixed->size()});
    }
    for (const font::TextInk::Box &band : ink.bands)
        FillBox(s, x + band.left, y + band.top, x + band.right, y + band.bottom, pixel);
}

}  // namespace figplat::gdi
