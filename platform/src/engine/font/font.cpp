#include "engine/font/font.h"

#include "engine/font/face.h"
#include "engine/font/freetype_context.h"
#include "engine/font/glyph_images.h"
#include "engine/font/glyph_run.h"
#include "engine/font/smoothing.h"

#include <algorithm>
#include <cstdint>
#include <new>

namespace figplat::font {

namespace {

struct Placement {
    const GlyphImage *image;
    int32_t penX;
    uint32_t glyphIndex;
};

struct Bounds {
    int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    void Add(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        left = std::min(left, x0), top = std::min(top, y0);
        right = std::max(right, x1), bottom = std::max(bottom, y1);
    }
    bool Empty() const { return left >= right || top >= bottom; }
};

// `extent` is the measured width (background box, underline); plain glyphs are drawn at
// their own monochrome advances, which may run a little longer or shorter.
std::vector<Placement> PlaceGlyphs(Face *face, const char16_t *text, int count, bool grey, int32_t *extent) {
    std::vector<Placement> placements;
    int32_t pen = 0, measured = 0;
    for (uint32_t glyph : GlyphRun(*face, text, count)) {
        const GlyphImage &image = grey ? GreyGlyphFor(face, glyph) : GlyphFor(face, glyph);
        placements.push_back({&image, pen, glyph});
        pen += image.advance;
        measured += image.measureAdvance;
    }
    *extent = measured;
    return placements;
}

// Underline and strike-out run the whole advance, `above` rows over the baseline.
void AddBand(const LineBand &band, int32_t ascent, int32_t advance, Bounds *bounds) {
    int32_t top = ascent - band.above;
    if (band.thickness > 0 && advance > 0) bounds->Add(0, top, advance, top + band.thickness);
}

void FillBand(const LineBand &band, int32_t ascent, int32_t advance, Mask *mask) {
    int32_t top = ascent - band.above;
    for (int32_t y = top; y < top + band.thickness; ++y)
        for (int32_t x = 0; x < advance; ++x)
            mask->bits[static_cast<size_t>(y - mask->top) * mask->width + (x - mask->left)] = 1;
}

void StampGlyph(const Placement &placement, int32_t ascent, Mask *mask) {
    const GlyphImage &image = *placement.image;
    int32_t x0 = placement.penX + image.left - mask->left, y0 = ascent - image.top - mask->top;
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t *source = image.bits.data() + static_cast<size_t>(y) * image.width;
        uint8_t *target = mask->bits.data() + static_cast<size_t>(y0 + y) * mask->width + x0;
        for (int32_t x = 0; x < image.width; ++x) target[x] |= source[x];
    }
}

// The glyphs placed along the text, and the box their ink and lines cover.
struct Layout {
    std::vector<Placement> placements;
    int32_t advance = 0, ascent = 0;
    Bounds bounds;
    // Beyond this much a mask is not drawn at all (see kMaxMaskPixels).
    bool Drawable() const {
        return !bounds.Empty() && int64_t{bounds.right - bounds.left} * (bounds.bottom - bounds.top) <= kMaxMaskPixels;
    }
};

Layout LayOut(Face *face, const char16_t *text, int count, bool grey) {
    Layout layout;
    layout.placements = PlaceGlyphs(face, text, count, grey, &layout.advance);
    layout.ascent = face->metrics.tmAscent;
    for (const Placement &p : layout.placements)
        if (!p.image->bits.empty())
            layout.bounds.Add(p.penX + p.image->left, layout.ascent - p.image->top,
                              p.penX + p.image->left + p.image->width, layout.ascent - p.image->top + p.image->height);
    if (face->underline) AddBand(face->underlineBand, layout.ascent, layout.advance, &layout.bounds);
    if (face->strikeOut) AddBand(face->strikeOutBand, layout.ascent, layout.advance, &layout.bounds);
    return layout;
}

void DrawMask(Face *face, const char16_t *text, int count, Mask *mask) {
    const Layout layout = LayOut(face, text, count, false);
    mask->advance = layout.advance;
    if (!layout.Drawable()) return;
    const Bounds &bounds = layout.bounds;
    mask->left = bounds.left, mask->top = bounds.top;
    mask->width = bounds.right - bounds.left, mask->height = bounds.bottom - bounds.top;
    mask->bits.assign(static_cast<size_t>(mask->width) * mask->height, 0);
    for (const Placement &p : layout.placements)
        if (!p.image->bits.empty()) StampGlyph(p, layout.ascent, mask);
    if (face->underline) FillBand(face->underlineBand, layout.ascent, layout.advance, mask);
    if (face->strikeOut) FillBand(face->strikeOutBand, layout.ascent, layout.advance, mask);
}

void AddInkBand(const LineBand &band, const Layout &layout, TextInk *ink) {
    const int32_t top = layout.ascent - band.above;
    if (band.thickness > 0 && layout.advance > 0) ink->bands.push_back({0, top, layout.advance, top + band.thickness});
}

// A deferred glyph is drawn only where it meets the visible box; its pixels belong to the ink.
void AddGlyphPiece(Face *face, const Placement &p, int32_t x, int32_t y, bool grey, const TextInk::Box &visible,
                   TextInk *ink) {
    const GlyphImage &image = *p.image;
    const int64_t left = std::max<int64_t>(x, visible.left), top = std::max<int64_t>(y, visible.top);
    const int64_t right = std::min<int64_t>(int64_t{x} + image.width, visible.right);
    const int64_t bottom = std::min<int64_t>(int64_t{y} + image.height, visible.bottom);
    if (left >= right || top >= bottom) return;
    const auto x0 = static_cast<int32_t>(left - x), y0 = static_cast<int32_t>(top - y);
    const auto width = static_cast<int32_t>(right - left), height = static_cast<int32_t>(bottom - top);
    if (grey) {
        const std::vector<uint8_t> levels = GlyphPiece(face, p.glyphIndex, true, x0, y0, width, height);
        const auto &solid = ink->pieces.emplace_back(RunsOf(levels, width, height, kGreyLevels, kGreyLevels));
        const auto &mixed = ink->mixedPieces.emplace_back(MixedPixelsOf(levels, width, height));
        ink->coverage.push_back({static_cast<int32_t>(left), static_cast<int32_t>(top), width, height, &solid, &mixed});
        return;
    }
    ink->pieces.push_back(GlyphPieceRuns(face, p.glyphIndex, x0, y0, width, height));
    ink->glyphs.push_back({static_cast<int32_t>(left), static_cast<int32_t>(top), &ink->pieces.back()});
}

void CollectInk(Face *face, const char16_t *text, int count, const TextInk::Box &visible, bool grey, TextInk *ink) {
    const Layout layout = LayOut(face, text, count, grey);
    ink->advance = layout.advance;
    for (const Placement &p : layout.placements) {
        const int32_t x = p.penX + p.image->left, y = layout.ascent - p.image->top;
        if (p.image->deferred) AddGlyphPiece(face, p, x, y, grey, visible, ink);
        else if (grey && !p.image->bits.empty())
            ink->coverage.push_back(
                {x, y, p.image->width, p.image->height, &p.image->runs, &p.image->mixed});
        else if (!grey && !p.image->runs.empty()) ink->glyphs.push_back({x, y, &p.image->runs});
    }
    if (face->underline) AddInkBand(face->underlineBand, layout, ink);
    if (face->strikeOut) AddInkBand(face->strikeOutBand, layout, ink);
}

}  // namespace

void Metrics(const Face *face, TEXTMETRICW *metrics) {
    if (face && metrics) *metrics = face->metrics;
}

SIZE Extent(const Face *face, const char16_t *text, int count) {
    SIZE size{0, 0};
    if (!face) return size;
    std::lock_guard<std::mutex> guard(FreeTypeLock());
    auto *mutableFace = const_cast<Face *>(face);  // only the glyph cache changes
    int32_t advance = 0;
    try {
        PlaceGlyphs(mutableFace, text, count, false, &advance);
    } catch (const std::bad_alloc &) {
        return size;
    }
    size.cx = advance;
    size.cy = face->metrics.tmHeight;
    return size;
}

namespace {

// Lays text out under the FreeType lock into `result`, which stays empty when there is no
// face or memory runs out.
template <typename Result, typename Work>
void WithGlyphs(const Face *face, Result *result, Work work) {
    *result = Result{};
    if (!face) return;
    std::lock_guard<std::mutex> guard(FreeTypeLock());
    try {
        work(const_cast<Face *>(face));  // only the glyph cache changes
    } catch (const std::bad_alloc &) {
        *result = Result{};
    }
}

}  // namespace

void LayOutInk(const Face *face, const char16_t *text, int count, const TextInk::Box &visible, bool smooth,
               TextInk *ink) {
    WithGlyphs(face, ink, [&](Face *f) { CollectInk(f, text, count, visible, smooth, ink); });
}

bool Smoothed(const Face *face) { return face && face->smoothable && QualityAsksForSmoothing(face->quality); }

void Render(const Face *face, const char16_t *text, int count, Mask *mask) {
    WithGlyphs(face, mask, [&](Face *f) { DrawMask(f, text, count, mask); });
}

}  // namespace figplat::font
