#include "gdi/raster.h"

#include "gdi/colour.h"

#include <cstring>
#include <vector>

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

bool SamePixelFormat(const Surface &a, const Surface &b) {
    if (a.bitsPerPixel != b.bitsPerPixel) return false;
    if (a.bitsPerPixel > 8) return true;
    return std::memcmp(a.table, b.table, sizeof(RGBQUAD) << a.bitsPerPixel) == 0;
}

namespace {

void MapMonochromeSource(COLORREF *row, int count, const RowTransform &t) {
    for (int i = 0; i < count; ++i) row[i] = row[i] ? t.one : t.zero;
}

void MarkBackground(const uint32_t *pixels, COLORREF *row, int count, uint32_t backgroundPixel) {
    for (int i = 0; i < count; ++i) row[i] = pixels[i] == backgroundPixel ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

// Converting true colour into an 8-bit table, GDI matches the centre of each colour's
// 5-bit cell rather than the colour itself (a lookup-cache artefact Windows keeps).
void QuantiseToFiveBits(COLORREF *row, int count) {
    for (int i = 0; i < count; ++i)
        row[i] = MakeColour(static_cast<uint8_t>((Red(row[i]) & ~7) + 4), static_cast<uint8_t>((Green(row[i]) & ~7) + 4),
                            static_cast<uint8_t>((Blue(row[i]) & ~7) + 4));
}

}  // namespace

namespace {

// Carries rows between formats through colour values, with the monochrome rules and the
// 8-bit cell rule applied on the way.
class RowConverter {
public:
    RowConverter(Surface &dst, const Surface &src, const RowTransform &transform, int width)
        : dst_(dst), src_(src), transform_(transform),
          quantise_(dst.bitsPerPixel == 8 && src.bitsPerPixel > 8 && !transform.monoDestination),
          row_(static_cast<size_t>(width)), pixels_(transform.monoDestination ? static_cast<size_t>(width) : 0) {}

    void Convert(int dy, int dx, int sy, int sx) {
        const int width = static_cast<int>(row_.size());
        if (transform_.monoDestination) {
            src_.ops->readPixels(src_, sy, sx, width, pixels_.data());
            MarkBackground(pixels_.data(), row_.data(), width, transform_.backgroundPixel);
        } else {
            src_.ops->readColours(src_, sy, sx, width, row_.data());
            if (transform_.monoSource) MapMonochromeSource(row_.data(), width, transform_);
            if (quantise_) QuantiseToFiveBits(row_.data(), width);
        }
        dst_.ops->writeColours(dst_, dy, dx, width, row_.data());
    }

private:
    Surface &dst_;
    const Surface &src_;
    const RowTransform &transform_;
    const bool quantise_;
    std::vector<COLORREF> row_;
    std::vector<uint32_t> pixels_;
};

}  // namespace

void CopyBlock(Surface &dst, int dx, int dy, const Surface &src, int sx, int sy, int width, int height,
               const RowTransform &transform) {
    if (width <= 0 || height <= 0) return;
    // Within one surface, walk rows away from the overlap.
    const bool upward = &dst == &src && dy > sy;
    if (SamePixelFormat(dst, src) && !transform.monoSource && !transform.monoDestination) {
        for (int i = 0; i < height; ++i) {
            const int r = upward ? height - 1 - i : i;
            dst.ops->copyPixels(dst, dy + r, dx, src, sy + r, sx, width);
        }
        return;
    }
    RowConverter converter(dst, src, transform, width);
    for (int i = 0; i < height; ++i) {
        const int r = upward ? height - 1 - i : i;
        converter.Convert(dy + r, dx, sy + r, sx);
    }
}

}  // namespace figplat::gdi
