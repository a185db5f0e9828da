// The pixel routines of every format: one template over the formats of pixel_formats.h,
// instantiated once per depth.
#include "engine/pixel_formats.h"
#include "engine/surface.h"

#include <algorithm>

namespace figplat::gdi {
namespace {

template <typename Format>
struct Routines {
    static uint32_t Get(const Surface &s, int x, int y) { return Format::Load(s.Row(y), x); }
    static void Set(Surface &s, int x, int y, uint32_t pixel) { Format::Store(s.Row(y), x, pixel); }
    static void FillSpan(Surface &s, int y, int x0, int x1, uint32_t pixel) { Format::Fill(s.Row(y), x0, x1, pixel); }

    static void FillRect(Surface &s, const RECT &box, uint32_t pixel) {
        const bool wholeRows = box.left == 0 && box.right == s.width &&
                               int64_t{s.width} * Format::kBits == int64_t{s.stride} * 8;
        if (wholeRows) {  // rows follow each other in memory: one block, whichever way up
            const int firstInMemory = s.topDown ? box.top : box.bottom - 1;
            const size_t bytes = static_cast<size_t>(s.stride) * static_cast<size_t>(box.bottom - box.top);
            Format::FillBytes(s.Row(firstInMemory), bytes, pixel);
            return;
        }
        if constexpr (Format::kIndexed) {
            for (int y = box.top; y < box.bottom; ++y) Format::Fill(s.Row(y), box.left, box.right, pixel);
        } else {
            Format::FillRows(s.Row(box.top) + box.left * Format::kBytes, s.rowStep, box.bottom - box.top,
                             static_cast<size_t>(box.right - box.left) * Format::kBytes, pixel);
        }
    }

    // GDI's Bresenham walk, one pixel per major step. Rows are reached by pointer steps, so
    // a y-major line costs a store and two additions a pixel.
    static void Line(Surface &s, const geom::LineSteps &line, uint32_t pixel) {
        uint8_t *row = s.Row(line.y);
        int x = line.x;
        const ptrdiff_t rowStep = s.rowStep * line.yStep;
        const int xStep = line.xStep;
        int64_t error = line.error;
        const int64_t up = line.errorUp, down = line.errorDown;
        if (line.xMajor) {
            for (int64_t n = line.count; n > 0; --n) {
                Format::Store(row, x, pixel);
                x += xStep;
                if (error > 0) row += rowStep, error -= down;
                error += up;
            }
        } else {
            for (int64_t n = line.count; n > 0; --n) {
                Format::Store(row, x, pixel);
                row += rowStep;
                if (error > 0) x += xStep, error -= down;
                error += up;
            }
        }
    }

    static void FillSpans(Surface &s, const geom::Span *spans, size_t count, int64_t dx, int64_t dy, uint32_t pixel) {
        for (const geom::Span *span = spans, *end = spans + count; span < end; ++span) {
            const int64_t y = span->y + dy;
            if (y < 0 || y >= s.height) continue;
            const int64_t x0 = std::max<int64_t>(span->x0 + dx, 0), x1 = std::min<int64_t>(span->x1 + dx, s.width);
            if (x0 < x1) Format::Fill(s.Row(static_cast<int>(y)), static_cast<int>(x0), static_cast<int>(x1), pixel);
        }
    }

    static uint32_t ToPixel(const Surface &s, COLORREF colour) {
        if constexpr (Format::kIndexed) {
            const int known = s.nearest.Find(colour);
            if (known >= 0) return static_cast<uint32_t>(known);
            const auto index = static_cast<uint8_t>(NearestIndex(s.table, s.tableSize, colour));
            s.nearest.Remember(colour, index);
            return index;
        } else {
            return Format::FromColour(colour);
        }
    }

    // Indices past a short table read as black, as the table's unused entries are zero.
    static COLORREF ToColour(const Surface &s, uint32_t pixel) {
        if constexpr (Format::kIndexed) return QuadToColour(s.table[pixel & 0xFF]);
        else return Format::ToColour(pixel);
    }

    static constexpr PixelRoutines kTable = {Get, Set, FillSpan, FillRect, Line, FillSpans, ToPixel, ToColour};
};

}  // namespace

extern const PixelRoutines kRoutines1 = Routines<format::Indexed<1>>::kTable;
extern const PixelRoutines kRoutines4 = Routines<format::Indexed<4>>::kTable;
extern const PixelRoutines kRoutines8 = Routines<format::Indexed<8>>::kTable;
extern const PixelRoutines kRoutines16 = Routines<format::Rgb555>::kTable;
extern const PixelRoutines kRoutines24 = Routines<format::Rgb888>::kTable;
extern const PixelRoutines kRoutines32 = Routines<format::Xrgb8888>::kTable;

}  // namespace figplat::gdi
