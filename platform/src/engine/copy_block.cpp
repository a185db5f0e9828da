// Copying a block between surfaces (BitBlt, GetDIBits): raw rows when the formats agree,
// otherwise a row converter chosen once per copy for the pair of formats and the way
// colours map:
//   - true colour to true colour: channels moved directly;
//   - from a colour table: a table from source index to destination pixel, each entry
//     matched on first use;
//   - true colour into 8 bits: GDI matches the centre of each colour's 5-bit cell, so the
//     destination surface keeps one answer per cell;
//   - true colour into 1 or 4 bits: nearest colour, remembered per copy;
//   - into a monochrome device bitmap: the source's background value against the rest.
#include "engine/colour.h"
#include "engine/pixel_formats.h"
#include "engine/raster.h"

#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>

namespace figplat::gdi {

bool SamePixelFormat(const Surface &a, const Surface &b) {
    if (a.bitsPerPixel != b.bitsPerPixel) return false;
    if (a.bitsPerPixel > 8) return true;
    return std::memcmp(a.table, b.table, sizeof(RGBQUAD) << a.bitsPerPixel) == 0;
}

namespace {

// Calls f with an instance of the format struct for the depth.
template <typename F>
void WithFormat(int bitsPerPixel, F &&f) {
    switch (bitsPerPixel) {
    case 1: f(format::Indexed<1>{}); break;
    case 4: f(format::Indexed<4>{}); break;
    case 8: f(format::Indexed<8>{}); break;
    case 16: f(format::Rgb555{}); break;
    case 24: f(format::Rgb888{}); break;
    default: f(format::Xrgb8888{}); break;
    }
}

// How source pixels become destination pixels for one copy.
class PixelMap {
public:
    PixelMap(Surface &dst, const Surface &src, const RowTransform &t) : dst_(dst), src_(src), t_(t) {
        if (t.monoDestination) {
            background_ = dst.ops->colourToPixel(dst, RGB(255, 255, 255));
            other_ = dst.ops->colourToPixel(dst, RGB(0, 0, 0));
        }
        if (dst.bitsPerPixel == 8) {
            if (!dst.quantisedToIndex) dst.quantisedToIndex = std::make_unique<uint16_t[]>(1 << 15);
            cells_ = dst.quantisedToIndex.get();
        }
    }

    // A source raw value -> destination pixel, for sources with a colour table (or the
    // monochrome device bitmap, whose bits stand for the DC's text and background colours).
    uint32_t FromIndex(uint32_t index) {
        if (!known_[index]) {
            COLORREF colour = t_.monoSource ? (index ? t_.one : t_.zero) : QuadToColour(src_.table[index]);
            byIndex_[index] = dst_.ops->colourToPixel(dst_, colour);
            known_[index] = true;
        }
        return byIndex_[index];
    }

    // True colour (0xRRGGBB) into an 8-bit table: the index for the colour's 5-bit cell, from
    // `cells` (the destination's table, passed in so that loops keep it in a register).
    uint32_t FromQuantised(uint16_t *cells, uint32_t rgb) {
        const uint32_t cell = ((rgb >> 9) & 0x7C00) | ((rgb >> 6) & 0x3E0) | ((rgb >> 3) & 0x1F);
        const uint16_t entry = cells[cell];
        return entry ? entry - 1u : MatchCell(cells, cell);
    }
    uint16_t *Cells() const { return cells_; }

    // True colour into 1 or 4 bits: the surface's own small cache of nearest answers.
    uint32_t FromColour(COLORREF colour) { return dst_.ops->colourToPixel(dst_, colour); }

    uint32_t FromRaw(uint32_t raw) const { return raw == t_.backgroundPixel ? background_ : other_; }

private:
    uint32_t MatchCell(uint16_t *cells, uint32_t cell) {
        const COLORREF centre = MakeColour(static_cast<uint8_t>(((cell >> 10) << 3) + 4),
                                           static_cast<uint8_t>((((cell >> 5) & 31) << 3) + 4),
                                           static_cast<uint8_t>(((cell & 31) << 3) + 4));
        const int index = NearestIndex(dst_.table, dst_.tableSize, centre);
        cells[cell] = static_cast<uint16_t>(index + 1);
        return static_cast<uint32_t>(index);
    }

    Surface &dst_;
    const Surface &src_;
    const RowTransform &t_;
    uint16_t *cells_ = nullptr;  // the 8-bit destination's answers per 5-bit cell
    uint32_t byIndex_[256] = {};
    bool known_[256] = {};
    uint32_t background_ = 0, other_ = 0;
};

enum class Mapping { Direct, Index, Quantised, Nearest, Background };

Mapping MappingFor(const Surface &dst, const Surface &src, const RowTransform &t) {
    if (t.monoDestination) return Mapping::Background;
    if (src.bitsPerPixel <= 8) return Mapping::Index;
    if (dst.bitsPerPixel > 8) return Mapping::Direct;
    return dst.bitsPerPixel == 8 ? Mapping::Quantised : Mapping::Nearest;
}

// The row loop, everything it uses passed by value: the destination is written a byte at a
// time, and such stores could alias anything reached through a reference.
template <typename Src, typename Dst, typename PixelFor>
void MapRow(const uint8_t *from, int sx, uint8_t *to, int dx, int count, PixelFor pixelFor) {
    for (int i = 0; i < count; ++i) Dst::Store(to, dx + i, pixelFor(Src::Load(from, sx + i)));
}

// A mapping that answers a run of equal source pixels (common in pictures) from its last
// answer.
template <typename Map>
auto Remembering(Map map) {
    return [map, last = ~uint32_t{0}, answer = uint32_t{0}, known = false](uint32_t v) mutable {
        if (!known || v != last) last = v, answer = map(v), known = true;
        return answer;
    };
}

// True colour between 24 and 32 bits: both hold 0xRRGGBB, so pixels move as they are, four
// bytes at a time where the row allows (the extra byte is overwritten by the next pixel, or
// read from within the row).
void RgbRow32To24(const uint8_t *from, uint8_t *to, int count) {
    for (int i = 0; i + 1 < count; ++i) std::memcpy(to + 3 * i, from + 4 * i, 4);
    if (count > 0) std::memcpy(to + 3 * (count - 1), from + 4 * (count - 1), 3);
}

void RgbRow24To32(const uint8_t *from, uint8_t *to, int count) {
    for (int i = 0; i + 1 < count; ++i) {
        uint32_t v;
        std::memcpy(&v, from + 3 * i, 4);
        v &= 0xFFFFFF;
        std::memcpy(to + 4 * i, &v, 4);
    }
    if (count > 0) format::Xrgb8888::StoreAt(to + 4 * (count - 1), format::Rgb888::LoadAt(from + 3 * (count - 1)));
}

template <typename Src, typename Dst>
void ConvertRow(const uint8_t *from, int sx, uint8_t *to, int dx, int count, Mapping mapping, PixelMap &map) {
    PixelMap *const m = &map;
    switch (mapping) {
    case Mapping::Background: MapRow<Src, Dst>(from, sx, to, dx, count, [m](uint32_t v) { return m->FromRaw(v); }); break;
    case Mapping::Index:
        MapRow<Src, Dst>(from, sx, to, dx, count, [m](uint32_t v) { return m->FromIndex(v & 0xFF); });
        break;
    case Mapping::Direct:
        if constexpr (std::is_same_v<Src, format::Xrgb8888> && std::is_same_v<Dst, format::Rgb888>)
            RgbRow32To24(from + 4 * sx, to + 3 * dx, count);
        else if constexpr (std::is_same_v<Src, format::Rgb888> && std::is_same_v<Dst, format::Xrgb8888>)
            RgbRow24To32(from + 3 * sx, to + 4 * dx, count);
        else if constexpr (!Src::kIndexed && !Dst::kIndexed)
            MapRow<Src, Dst>(from, sx, to, dx, count, [](uint32_t v) { return Dst::FromColour(Src::ToColour(v)); });
        break;
    case Mapping::Quantised:
        if constexpr (!Src::kIndexed) {
            uint16_t *const cells = m->Cells();
            MapRow<Src, Dst>(from, sx, to, dx, count,
                             Remembering([m, cells](uint32_t v) { return m->FromQuantised(cells, Src::Rgb(v)); }));
        }
        break;
    case Mapping::Nearest:
        if constexpr (!Src::kIndexed)
            MapRow<Src, Dst>(from, sx, to, dx, count,
                             Remembering([m](uint32_t v) { return m->FromColour(Src::ToColour(v)); }));
        break;
    }
}

// Raw copy of one row of a format; runs within one surface may overlap.
template <typename Format>
void CopyRow(uint8_t *to, int dx, const uint8_t *from, int sx, int count) {
    if constexpr (Format::kIndexed && Format::kBits < 8) {
        if (to == from && dx > sx) {  // overlapping run: copy from the right
            for (int i = count - 1; i >= 0; --i) Format::Store(to, dx + i, Format::Load(from, sx + i));
        } else {
            for (int i = 0; i < count; ++i) Format::Store(to, dx + i, Format::Load(from, sx + i));
        }
    } else {
        constexpr int kBytes = Format::kBits / 8;
        std::memmove(to + dx * kBytes, from + sx * kBytes, static_cast<size_t>(count) * kBytes);
    }
}

// Rows that are whole, unpadded and laid out alike in both surfaces form one block.
bool OneBlock(const Surface &dst, int dx, const Surface &src, int sx, int width) {
    return dx == 0 && sx == 0 && width == dst.width && dst.width == src.width && dst.stride == src.stride &&
           dst.topDown == src.topDown && int64_t{width} * dst.bitsPerPixel == int64_t{dst.stride} * 8;
}

void CopyRaw(Surface &dst, int dx, int dy, const Surface &src, int sx, int sy, int width, int height) {
    if (OneBlock(dst, dx, src, sx, width)) {
        const int dFirst = dst.topDown ? dy : dy + height - 1, sFirst = src.topDown ? sy : sy + height - 1;
        std::memmove(dst.Row(dFirst), src.Row(sFirst), static_cast<size_t>(dst.stride) * height);
        return;
    }
    // Within one surface, walk rows away from the overlap.
    const bool upward = &dst == &src && dy > sy;
    WithFormat(dst.bitsPerPixel, [&](auto format) {
        using Format = decltype(format);
        for (int i = 0; i < height; ++i) {
            const int r = upward ? height - 1 - i : i;
            CopyRow<Format>(dst.Row(dy + r), dx, src.Row(sy + r), sx, width);
        }
    });
}

}  // namespace

void CopyBlock(Surface &dst, int dx, int dy, const Surface &src, int sx, int sy, int width, int height,
               const RowTransform &transform) {
    if (width <= 0 || height <= 0) return;
    if (SamePixelFormat(dst, src) && !transform.monoSource && !transform.monoDestination) {
        CopyRaw(dst, dx, dy, src, sx, sy, width, height);
        return;
    }
    // Different formats never share a surface, so rows cannot overlap here.
    const Mapping mapping = MappingFor(dst, src, transform);
    auto map = std::make_unique<PixelMap>(dst, src, transform);
    WithFormat(src.bitsPerPixel, [&](auto source) {
        WithFormat(dst.bitsPerPixel, [&](auto target) {
            for (int r = 0; r < height; ++r)
                ConvertRow<decltype(source), decltype(target)>(src.Row(sy + r), sx, dst.Row(dy + r), dx, width,
                                                               mapping, *map);
        });
    });
}

}  // namespace figplat::gdi
