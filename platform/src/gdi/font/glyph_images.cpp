#include "gdi/font/glyph_images.h"

#include "gdi/font/freetype_context.h"

#include FT_OUTLINE_H

#include <algorithm>

namespace figplat::font {

namespace {

constexpr FT_Pos kPixel = 64;  // one pixel in 26.6

struct PixelBox {
    FT_Pos xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // 26.6, on whole pixels
    int32_t Width() const { return static_cast<int32_t>((xMax - xMin) / kPixel); }
    int32_t Height() const { return static_cast<int32_t>((yMax - yMin) / kPixel); }
};

FT_Pos Floor(FT_Pos v) { return v & -kPixel; }
FT_Pos Ceil(FT_Pos v) { return (v + kPixel - 1) & -kPixel; }

bool LoadHinted(FT_Face ft, uint32_t glyphIndex, FT_Int32 flags) {
    if (FT_Load_Glyph(ft, glyphIndex, flags) == 0) return true;
    // A glyph whose instructions fail still draws unhinted, as GDI falls back.
    return FT_Load_Glyph(ft, glyphIndex, flags | FT_LOAD_NO_HINTING) == 0;
}

// Outline emboldening by ppem/24 pixels; the box then follows the fattened outline.
void EmboldenOutline(const Face &face, FT_GlyphSlot slot, FT_Glyph_Metrics *metrics) {
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) {
        if (metrics->width) metrics->width += kPixel;
        return;
    }
    FT_Outline_Embolden(&slot->outline, FT_MulDiv(face.ppem, kPixel, 24));
    FT_BBox box;
    FT_Outline_Get_CBox(&slot->outline, &box);
    metrics->width = box.xMax - box.xMin;
    metrics->height = box.yMax - box.yMin;
    metrics->horiBearingX = box.xMin;
    metrics->horiBearingY = box.yMax;
}

// Glyphs reaching past the font's ascent or descent are cut to the cell.
void ClipToCell(const TEXTMETRICW &unscaled, FT_Glyph_Metrics *metrics) {
    FT_Pos top = std::min<FT_Pos>(metrics->horiBearingY, unscaled.tmAscent * kPixel);
    FT_Pos bottom = std::max<FT_Pos>(metrics->horiBearingY - metrics->height, -unscaled.tmDescent * kPixel);
    metrics->horiBearingY = top;
    metrics->height = top - bottom;
}

PixelBox BoxOf(const FT_Glyph_Metrics &m, const FT_Matrix *transform) {
    if (!transform)
        return PixelBox{Floor(m.horiBearingX), Floor(m.horiBearingY - m.height), Ceil(m.horiBearingX + m.width),
                        Ceil(m.horiBearingY)};
    FT_Pos xs[4], ys[4];
    for (int corner = 0; corner < 4; ++corner) {
        FT_Vector v{m.horiBearingX + (corner & 1) * m.width, m.horiBearingY - (corner >> 1) * m.height};
        FT_Vector_Transform(&v, transform);
        xs[corner] = v.x;
        ys[corner] = v.y;
    }
    return PixelBox{Floor(*std::min_element(xs, xs + 4)), Floor(*std::min_element(ys, ys + 4)),
                    Ceil(*std::max_element(xs, xs + 4)), Ceil(*std::max_element(ys, ys + 4))};
}

void UnpackMonoRows(const uint8_t *source, int pitch, int bytesPerRow, int rows, bool smearRight,
                    GlyphImage *image) {
    for (int y = 0; y < rows; ++y) {
        const uint8_t *row = source + static_cast<ptrdiff_t>(y) * pitch;
        uint8_t *out = image->bits.data() + static_cast<size_t>(y) * image->width;
        for (int x = 0; x < image->width && x / 8 < bytesPerRow; ++x) {
            bool on = (row[x / 8] >> (7 - x % 8)) & 1;
            if (on) out[x] = 1;
            if (on && smearRight && x + 1 < image->width) out[x + 1] = 1;
        }
    }
}

void RenderOutline(FT_GlyphSlot slot, const PixelBox &box, const FT_Matrix *transform, GlyphImage *image) {
    int pitch = ((image->width + 31) >> 5) << 2;
    std::vector<uint8_t> buffer(static_cast<size_t>(pitch) * image->height, 0);
    FT_Bitmap target{};
    target.width = static_cast<unsigned>(image->width);
    target.rows = static_cast<unsigned>(image->height);
    target.pitch = pitch;
    target.pixel_mode = FT_PIXEL_MODE_MONO;
    target.buffer = buffer.data();
    if (transform) FT_Outline_Transform(&slot->outline, transform);
    FT_Outline_Translate(&slot->outline, -box.xMin, -box.yMin);
    FT_Outline_Get_Bitmap(FreeTypeLibrary(), &slot->outline, &target);
    UnpackMonoRows(buffer.data(), pitch, pitch, image->height, false, image);
}

void CopyBitmap(FT_GlyphSlot slot, bool smearRight, GlyphImage *image) {
    const FT_Bitmap &bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || !bitmap.buffer) return;
    int rows = std::min<int>(image->height, static_cast<int>(bitmap.rows));
    int bytesPerRow = static_cast<int>((bitmap.width + 7) >> 3);
    UnpackMonoRows(bitmap.buffer, bitmap.pitch, bytesPerRow, rows, smearRight, image);
}

// Raster fonts are magnified by repeating each pixel in a scale x scale block.
void Magnify(long scale, GlyphImage *image) {
    if (scale <= 1 || image->bits.empty()) return;
    GlyphImage big = *image;
    big.width = static_cast<int32_t>(image->width * scale);
    big.height = static_cast<int32_t>(image->height * scale);
    big.left = static_cast<int32_t>(image->left * scale);
    big.top = static_cast<int32_t>(image->top * scale);
    big.bits.assign(static_cast<size_t>(big.width) * big.height, 0);
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x)
            big.bits[static_cast<size_t>(y) * big.width + x] =
                image->bits[static_cast<size_t>(y / scale) * image->width + x / scale];
    big.advance = image->advance;
    *image = std::move(big);
}

// The metrics the glyph is clipped against are the unmagnified ones.
TEXTMETRICW UnscaledMetrics(const Face &face) {
    TEXTMETRICW tm = face.metrics;
    tm.tmAscent /= face.scale;
    tm.tmDescent /= face.scale;
    return tm;
}

// GDI measures text with the outline hinted for grey rendering, not for monochrome:
// extents and drawn advances can differ by a pixel a glyph.
// The hinted advance, stretched with the outline or magnified with the bitmap, plus the one
// pixel emboldening adds (never magnified), rounded up to whole pixels.
int32_t AdvancePixels(const Face &face, FT_Pos hintedAdvance) {
    const int32_t bold = face.syntheticBold ? 1 : 0;
    if (face.raster) return static_cast<int32_t>(Ceil(hintedAdvance) / kPixel * face.scale) + bold;
    FT_Vector advance{hintedAdvance, 0};
    if (face.transformed) FT_Vector_Transform(&advance, &face.transform);
    return static_cast<int32_t>(Ceil(advance.x + bold * kPixel) / kPixel);
}

int32_t MeasureAdvance(Face *face, uint32_t glyphIndex, int32_t drawnAdvance) {
    if (face->raster) return drawnAdvance;
    FT_Int32 flags = FT_LOAD_IGNORE_GLOBAL_ADVANCE_WIDTH | FT_LOAD_TARGET_NORMAL | FT_LOAD_NO_BITMAP;
    if (!LoadHinted(face->ft, glyphIndex, flags)) return drawnAdvance;
    return AdvancePixels(*face, face->ft->glyph->metrics.horiAdvance);
}

GlyphImage LoadGlyph(Face *face, uint32_t glyphIndex) {
    GlyphImage image;
    const FT_Matrix *transform = face->transformed ? &face->transform : nullptr;
    FT_Int32 flags = FT_LOAD_IGNORE_GLOBAL_ADVANCE_WIDTH | FT_LOAD_TARGET_MONO;
    if (transform) flags |= FT_LOAD_NO_BITMAP;
    if (!LoadHinted(face->ft, glyphIndex, flags)) return image;
    FT_GlyphSlot slot = face->ft->glyph;
    FT_Glyph_Metrics metrics = slot->metrics;
    if (face->syntheticBold) EmboldenOutline(*face, slot, &metrics);
    ClipToCell(UnscaledMetrics(*face), &metrics);
    image.advance = AdvancePixels(*face, slot->metrics.horiAdvance);
    PixelBox box = BoxOf(metrics, transform);
    image.left = static_cast<int32_t>(box.xMin / kPixel);
    image.top = static_cast<int32_t>(box.yMax / kPixel);
    image.width = std::max(0, box.Width());
    image.height = std::max(0, box.Height());
    int64_t magnifiedArea = int64_t{image.width} * image.height * face->scale * face->scale;
    if (image.width == 0 || image.height == 0 || magnifiedArea > kMaxMaskPixels) {
        image.width = image.height = 0;
        return image;
    }
    image.bits.assign(static_cast<size_t>(image.width) * image.height, 0);
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) RenderOutline(slot, box, transform, &image);
    else CopyBitmap(slot, face->syntheticBold, &image);
    Magnify(face->scale, &image);
    return image;
}

// The mask's set pixels as runs along its rows.
std::vector<InkRun> RunsOf(const GlyphImage &image) {
    std::vector<InkRun> runs;
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t *row = image.bits.data() + static_cast<size_t>(y) * image.width;
        for (int32_t x = 0; x < image.width;) {
            if (!row[x]) {
                ++x;
                continue;
            }
            int32_t end = x;
            while (end < image.width && row[end]) ++end;
            runs.push_back({y, x, end});  // row y, columns [x, end)
            x = end;
        }
    }
    return runs;
}

}  // namespace

const GlyphImage &GlyphFor(Face *face, uint32_t glyphIndex) {
    auto found = face->glyphs.find(glyphIndex);
    if (found != face->glyphs.end()) return found->second;
    GlyphImage image = LoadGlyph(face, glyphIndex);
    image.measureAdvance = MeasureAdvance(face, glyphIndex, image.advance);
    image.runs = RunsOf(image);
    return face->glyphs.emplace(glyphIndex, std::move(image)).first->second;
}

}  // namespace figplat::font
