#include "engine/font/glyph_images.h"

#include "engine/font/freetype_context.h"

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

// A part of a glyph's image: columns [x0, x0 + width) and rows [y0, y0 + height), rows
// counted down from the image's top.
struct Window {
    int32_t x0 = 0, y0 = 0, width = 0, height = 0;
    size_t Pixels() const { return static_cast<size_t>(width) * height; }
};

void UnpackMonoRows(const uint8_t *source, int pitch, int bytesPerRow, int rows, bool smearRight, int32_t width,
                    uint8_t *bits) {
    for (int y = 0; y < rows; ++y) {
        const uint8_t *row = source + static_cast<ptrdiff_t>(y) * pitch;
        uint8_t *out = bits + static_cast<size_t>(y) * width;
        for (int x = 0; x < width && x / 8 < bytesPerRow; ++x) {
            bool on = (row[x / 8] >> (7 - x % 8)) & 1;
            if (on) out[x] = 1;
            if (on && smearRight && x + 1 < width) out[x + 1] = 1;
        }
    }
}

// The 256 grey levels of FreeType's smooth rasteriser become GDI's 17 (GGO_GRAY4_BITMAP):
// v * 17 / 256, rounding down.
void QuantiseGreyRows(const uint8_t *source, int pitch, int32_t width, int32_t rows, uint8_t *levels) {
    for (int32_t y = 0; y < rows; ++y) {
        const uint8_t *row = source + static_cast<ptrdiff_t>(y) * pitch;
        uint8_t *out = levels + static_cast<size_t>(y) * width;
        for (int32_t x = 0; x < width; ++x) out[x] = static_cast<uint8_t>(row[x] * (kGreyLevels + 1) / 256);
    }
}

// The outline moved so that the window's bottom-left lies at the origin: the rasteriser then
// draws the window's pixels alone, exactly as they are in the whole glyph.
std::vector<uint8_t> RenderOutline(FT_GlyphSlot slot, const PixelBox &box, const FT_Matrix *transform,
                                   const Window &window, bool grey) {
    int pitch = grey ? (window.width + 3) & ~3 : ((window.width + 31) >> 5) << 2;
    std::vector<uint8_t> buffer(static_cast<size_t>(pitch) * window.height, 0);
    FT_Bitmap target{};
    target.width = static_cast<unsigned>(window.width);
    target.rows = static_cast<unsigned>(window.height);
    target.pitch = pitch;
    target.pixel_mode = grey ? FT_PIXEL_MODE_GRAY : FT_PIXEL_MODE_MONO;
    target.num_grays = 256;
    target.buffer = buffer.data();
    if (transform) FT_Outline_Transform(&slot->outline, transform);
    FT_Outline_Translate(&slot->outline, -box.xMin - FT_Pos{window.x0} * kPixel,
                         -box.yMax + FT_Pos{window.y0 + window.height} * kPixel);
    FT_Outline_Get_Bitmap(FreeTypeLibrary(), &slot->outline, &target);
    std::vector<uint8_t> bits(window.Pixels(), 0);
    if (grey) QuantiseGreyRows(buffer.data(), pitch, window.width, window.height, bits.data());
    else UnpackMonoRows(buffer.data(), pitch, pitch, window.height, false, window.width, bits.data());
    return bits;
}

// Raster fonts are magnified by repeating each pixel in a scale x scale block; only the
// window's blocks are made.
std::vector<uint8_t> CopyBitmap(FT_GlyphSlot slot, bool smearRight, const PixelBox &box, long scale,
                                const Window &window) {
    std::vector<uint8_t> bits(window.Pixels(), 0);
    const FT_Bitmap &bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || !bitmap.buffer) return bits;
    const int32_t width = box.Width(), height = box.Height();
    std::vector<uint8_t> unscaled(static_cast<size_t>(width) * height, 0);
    int rows = std::min<int>(height, static_cast<int>(bitmap.rows));
    int bytesPerRow = static_cast<int>((bitmap.width + 7) >> 3);
    UnpackMonoRows(bitmap.buffer, bitmap.pitch, bytesPerRow, rows, smearRight, width, unscaled.data());
    for (int32_t y = 0; y < window.height; ++y)
        for (int32_t x = 0; x < window.width; ++x)
            bits[static_cast<size_t>(y) * window.width + x] =
                unscaled[static_cast<size_t>((window.y0 + y) / scale) * width + (window.x0 + x) / scale];
    return bits;
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

// Loads the glyph into the face's slot as GDI shapes it (bold faked on the outline, cut to
// the cell) and gives its unmagnified pixel box and its advance. Smoothed glyphs are hinted
// for grey rendering and never taken from embedded bitmaps.
bool LoadShaped(Face *face, uint32_t glyphIndex, bool grey, PixelBox *box, int32_t *advance) {
    const FT_Matrix *transform = face->transformed ? &face->transform : nullptr;
    FT_Int32 flags = FT_LOAD_IGNORE_GLOBAL_ADVANCE_WIDTH;
    flags |= grey ? FT_LOAD_TARGET_NORMAL | FT_LOAD_NO_BITMAP : FT_LOAD_TARGET_MONO;
    if (transform) flags |= FT_LOAD_NO_BITMAP;
    if (!LoadHinted(face->ft, glyphIndex, flags)) return false;
    FT_GlyphSlot slot = face->ft->glyph;
    FT_Glyph_Metrics metrics = slot->metrics;
    if (face->syntheticBold) EmboldenOutline(*face, slot, &metrics);
    ClipToCell(UnscaledMetrics(*face), &metrics);
    *advance = AdvancePixels(*face, slot->metrics.horiAdvance);
    *box = BoxOf(metrics, transform);
    return true;
}

// The window's pixels of the glyph just loaded by LoadShaped. Smoothed glyphs are always
// outlines: LoadShaped asks for no embedded bitmap, and raster faces are never smoothed.
std::vector<uint8_t> DrawWindow(Face *face, const PixelBox &box, const Window &window, bool grey) {
    FT_GlyphSlot slot = face->ft->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE)
        return RenderOutline(slot, box, face->transformed ? &face->transform : nullptr, window, grey);
    if (grey) return std::vector<uint8_t>(window.Pixels(), 0);
    return CopyBitmap(slot, face->syntheticBold, box, face->scale, window);
}

GlyphImage LoadGlyph(Face *face, uint32_t glyphIndex, bool grey) {
    GlyphImage image;
    PixelBox box;
    if (!LoadShaped(face, glyphIndex, grey, &box, &image.advance)) return image;
    // Raster boxes are a few dozen pixels, so the magnified sizes stay far inside 32 bits.
    const int64_t width = std::max(0, box.Width()) * int64_t{face->scale};
    const int64_t height = std::max(0, box.Height()) * int64_t{face->scale};
    if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX) return image;
    image.left = static_cast<int32_t>(box.xMin / kPixel * face->scale);
    image.top = static_cast<int32_t>(box.yMax / kPixel * face->scale);
    image.width = static_cast<int32_t>(width);
    image.height = static_cast<int32_t>(height);
    if (width * height > kMaxWholeGlyphPixels) {
        image.deferred = true;
        return image;
    }
    image.bits = DrawWindow(face, box, Window{0, 0, image.width, image.height}, grey);
    return image;
}

}  // namespace

std::vector<InkRun> RunsOf(const std::vector<uint8_t> &bits, int32_t width, int32_t height, uint8_t least,
                           uint8_t most) {
    std::vector<InkRun> runs;
    if (width <= 0 || height <= 0 || bits.size() < static_cast<size_t>(width) * height) return runs;  // not drawn
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t *row = bits.data() + static_cast<size_t>(y) * width;
        for (int32_t x = 0; x < width;) {
            if (row[x] < least || row[x] > most) {
                ++x;
                continue;
            }
            int32_t end = x;
            while (end < width && row[end] >= least && row[end] <= most) ++end;
            runs.push_back({y, x, end});  // row y, columns [x, end)
            x = end;
        }
    }
    return runs;
}

std::vector<MixedPixel> MixedPixelsOf(const std::vector<uint8_t> &levels, int32_t width, int32_t height) {
    std::vector<MixedPixel> pixels;
    if (width <= 0 || height <= 0 || levels.size() < static_cast<size_t>(width) * height) return pixels;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t *row = levels.data() + static_cast<size_t>(y) * width;
        for (int32_t x = 0; x < width; ++x)
            if (row[x] >= kLeastPaintedLevel && row[x] < kGreyLevels) pixels.push_back({x, y, row[x]});
    }
    return pixels;
}

namespace {

}  // namespace

const GlyphImage &GlyphFor(Face *face, uint32_t glyphIndex) {
    auto found = face->glyphs.find(glyphIndex);
    if (found != face->glyphs.end()) return found->second;
    GlyphImage image = LoadGlyph(face, glyphIndex, false);
    image.measureAdvance = MeasureAdvance(face, glyphIndex, image.advance);
    if (!image.deferred) image.runs = RunsOf(image.bits, image.width, image.height, 1, 1);
    return face->glyphs.emplace(glyphIndex, std::move(image)).first->second;
}

// Hinted for grey, the drawn advance is the measured one.
const GlyphImage &GreyGlyphFor(Face *face, uint32_t glyphIndex) {
    auto found = face->greyGlyphs.find(glyphIndex);
    if (found != face->greyGlyphs.end()) return found->second;
    GlyphImage image = LoadGlyph(face, glyphIndex, true);
    image.measureAdvance = image.advance;
    if (!image.deferred) {
        image.runs = RunsOf(image.bits, image.width, image.height, kGreyLevels, kGreyLevels);
        image.mixed = MixedPixelsOf(image.bits, image.width, image.height);
    }
    return face->greyGlyphs.emplace(glyphIndex, std::move(image)).first->second;
}

std::vector<uint8_t> GlyphPiece(Face *face, uint32_t glyphIndex, bool grey, int32_t x0, int32_t y0, int32_t width,
                                int32_t height) {
    PixelBox box;
    int32_t advance;
    if (width <= 0 || height <= 0 || !LoadShaped(face, glyphIndex, grey, &box, &advance)) return {};
    return DrawWindow(face, box, Window{x0, y0, width, height}, grey);
}

std::vector<InkRun> GlyphPieceRuns(Face *face, uint32_t glyphIndex, int32_t x0, int32_t y0, int32_t width,
                                   int32_t height) {
    return RunsOf(GlyphPiece(face, glyphIndex, false, x0, y0, width, height), width, height, 1, 1);
}

}  // namespace figplat::font
