// BitBlt with SRCCOPY: clip to both bitmaps, then copy or convert rows, with GDI's
// monochrome rules at either end.
#include "api/gdi/dc.h"
#include "core/faults.h"
#include "engine/raster.h"

#include <algorithm>

using namespace figplat;
using namespace figplat::gdi;

namespace {

struct Block {
    int64_t x, y, sx, sy, width, height;
};

bool IsMonochromeDevice(const Surface &s) { return !s.isDib && s.bitsPerPixel == 1; }

// A negative extent mirrors the span about the given corner: x..x+w+1 becomes the columns
// x+w+1..x, at both ends alike.
void Normalise(Block &b) {
    if (b.width < 0) {
        b.x += b.width + 1;
        b.sx += b.width + 1;
        b.width = -b.width;
    }
    if (b.height < 0) {
        b.y += b.height + 1;
        b.sy += b.height + 1;
        b.height = -b.height;
    }
}

// Cuts the block so both the source and the destination rectangle lie inside their
// bitmaps, keeping the two in step.
bool ClipAxis(int64_t &d, int64_t &s, int64_t &extent, int64_t dLimit, int64_t sLimit) {
    const int64_t skip = std::max<int64_t>({0, -d, -s});
    d += skip;
    s += skip;
    extent -= skip;
    extent = std::min({extent, dLimit - d, sLimit - s});
    return extent > 0;
}

RowTransform MonochromeRules(const Dc &dst, const Dc &src) {
    RowTransform t;
    const Surface &from = *src.surface, &to = *dst.surface;
    if (IsMonochromeDevice(from) && IsMonochromeDevice(to)) return t;
    if (IsMonochromeDevice(from)) {
        t.monoSource = true;
        t.zero = ResolveColour(dst.textColour);
        t.one = ResolveColour(dst.bkColour);
    }
    if (IsMonochromeDevice(to)) {
        t.monoDestination = true;
        t.backgroundPixel = ColourPixel(from, src.bkColour);
    }
    return t;
}

}  // namespace

BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource, DWORD rop) {
    if (FIG_FAULT_POINT("BitBlt")) return FALSE;
    Dc *dst = LookupDc(dest);
    Dc *src = LookupDc(source);
    if (!dst || !src || rop != SRCCOPY) return FALSE;
    Block b{x, y, xSource, ySource, width, height};
    Normalise(b);
    Surface &to = *dst->surface;
    const Surface &from = *src->surface;
    if (!ClipAxis(b.x, b.sx, b.width, to.width, from.width)) return TRUE;
    if (!ClipAxis(b.y, b.sy, b.height, to.height, from.height)) return TRUE;
    CopyBlock(to, static_cast<int>(b.x), static_cast<int>(b.y), from, static_cast<int>(b.sx), static_cast<int>(b.sy),
              static_cast<int>(b.width), static_cast<int>(b.height), MonochromeRules(*dst, *src));
    return TRUE;
}
