#include "gdi/raster.h"

#include "gdi/colour.h"

namespace figplat::gdi {

uint32_t DrawingPixel(const Dc &dc, COLORREF colour) {
    const Surface &s = *dc.surface;
    const COLORREF rgb = ResolveColour(colour);
    if (s.bitsPerPixel != 1) return s.ops->colourToPixel(s, rgb);
    for (int entry = 0; entry < s.tableSize; ++entry)
        if (QuadToColour(s.table[entry]) == rgb) return static_cast<uint32_t>(entry);
    const uint32_t backgroundPixel = s.ops->colourToPixel(s, ResolveColour(dc.bkColour));
    // The COLORREFs themselves are compared, flags and all: PALETTEINDEX(249) and
    // PALETTEINDEX(300) both resolve to black yet are different colours here.
    return colour == dc.bkColour ? backgroundPixel : 1 - backgroundPixel;
}

void PaintSpans(Surface &surface, const geom::SpanList &spans, uint32_t pixel) {
    const auto fill = surface.ops->fillSpan;
    for (const geom::Span &span : spans) {
        if (span.x0 < span.x1) fill(surface, span.y, span.x0, span.x1, pixel);
    }
}

}  // namespace figplat::gdi
