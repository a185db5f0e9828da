// LineTo() with a cosmetic pen.
//
// The pixels come from GDI's Bresenham walk, but are computed in closed form per row, so
// a line is cut to the clip without walking the part outside it and the cut never moves a
// pixel: the minor-axis offset of the k-th pixel is a function of k alone.
#include "gdi/geom/geom.h"
#include "gdi/geom/span_list.h"

#include <algorithm>
#include <cstdlib>

namespace figplat::geom {

namespace {

using Wide = __int128;

// GDI's octants run clockwise from +x in y-down space; an exact diagonal belongs to the
// y-major octant on its side.
int OctantOf(int64_t dx, int64_t dy) {
    if (dy > 0) {
        if (dx > 0) return dx > dy ? 1 : 2;
        return -dx > dy ? 4 : 3;
    }
    if (dx < 0) return -dx > -dy ? 5 : 6;
    return dx > -dy ? 8 : 7;
}

// Ties (error exactly zero) step the minor axis in octants 3, 5, 6 and 8 only, so a line
// and its reverse need not light the same pixels.
int BiasOf(int octant) {
    return (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
}

// Wine's GDI scales an end point down by 8 when either coordinate reaches 2^28, to keep
// its error terms in range; the reference draws such lines that way, so we do too.
POINT CropHugePoint(POINT p) {
    constexpr LONG kLimit = 0x10000000;
    if (p.x >= kLimit || p.x <= -kLimit || p.y >= kLimit || p.y <= -kLimit) {
        p.x /= 8;
        p.y /= 8;
    }
    return p;
}

struct BresenhamLine {
    int64_t startMajor, startMinor;  // start point, in (major, minor) axes
    int64_t majorStep, minorStep;    // +1 or -1
    int64_t major, minor;            // absolute deltas, major >= minor, major > 0
    int bias;
    bool xMajor;

    // Minor-axis offset of pixel k (0 <= k < major): how many times the walk stepped
    // sideways before reaching it. The walk steps at pixel j when
    // 2*minor*(j+1) - major - 2*major*steps + bias > 0.
    int64_t StepsBefore(int64_t k) const {
        Wide num = Wide{2} * k * minor + bias + major - 1;
        return static_cast<int64_t>(num / (Wide{2} * major));
    }

    // First pixel index whose minor offset reaches n (n >= 0).
    int64_t FirstIndexWithSteps(int64_t n) const {
        if (n <= 0) return 0;
        if (minor == 0) return major;
        Wide num = Wide{2} * major * n - bias - major + 1;
        Wide den = Wide{2} * minor;
        Wide q = num / den;
        if (num % den != 0 && num > 0) ++q;
        return static_cast<int64_t>(std::max<Wide>(q, 0));
    }
};

BresenhamLine MakeLine(POINT from, POINT to) {
    const int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
    const int octant = OctantOf(dx, dy);
    BresenhamLine line{};
    line.xMajor = octant == 1 || octant == 4 || octant == 5 || octant == 8;
    line.bias = BiasOf(octant);
    if (line.xMajor) {
        line.startMajor = from.x, line.startMinor = from.y;
        line.major = std::llabs(dx), line.minor = std::llabs(dy);
        line.majorStep = dx > 0 ? 1 : -1, line.minorStep = dy > 0 ? 1 : -1;
    } else {
        line.startMajor = from.y, line.startMinor = from.x;
        line.major = std::llabs(dy), line.minor = std::llabs(dx);
        line.majorStep = dy > 0 ? 1 : -1, line.minorStep = dx > 0 ? 1 : -1;
    }
    return line;
}

// Clamps pixel indices [k0, k1) to those whose major coordinate lies in [lo, hi).
void LimitToMajorRange(const BresenhamLine &line, int64_t lo, int64_t hi, int64_t &k0, int64_t &k1) {
    int64_t first, last;  // index range, inclusive, of major coordinates lo..hi-1
    if (line.majorStep > 0) {
        first = lo - line.startMajor;
        last = hi - 1 - line.startMajor;
    } else {
        first = line.startMajor - (hi - 1);
        last = line.startMajor - lo;
    }
    k0 = std::max(k0, first);
    k1 = std::min(k1, last + 1);
}

// A y-major line lights one pixel per row: walk only the rows inside the clip.
void YMajorSpans(const BresenhamLine &line, const RECT &clip, SpanList &out) {
    int64_t k0 = 0, k1 = line.major;
    LimitToMajorRange(line, clip.top, clip.bottom, k0, k1);
    for (int64_t k = k0; k < k1; ++k) {
        const int64_t y = line.startMajor + line.majorStep * k;
        const int64_t x = line.startMinor + line.minorStep * line.StepsBefore(k);
        AppendClippedSpan(out, y, x, x + 1, clip);
    }
}

// An x-major line lights one run per row; each run is found from the row's offset.
void XMajorSpans(const BresenhamLine &line, const RECT &clip, SpanList &out) {
    const int64_t lastSteps = line.StepsBefore(line.major - 1);
    // Offsets n whose row lies in the clip.
    int64_t n0, n1;
    if (line.minorStep > 0) {
        n0 = clip.top - line.startMinor;
        n1 = clip.bottom - line.startMinor;
    } else {
        n0 = line.startMinor - (clip.bottom - 1);
        n1 = line.startMinor - clip.top + 1;
    }
    n0 = std::max<int64_t>(n0, 0);
    n1 = std::min(n1, lastSteps + 1);
    for (int64_t n = n0; n < n1; ++n) {
        int64_t k0 = line.FirstIndexWithSteps(n);
        int64_t k1 = std::min(line.FirstIndexWithSteps(n + 1), line.major);
        LimitToMajorRange(line, clip.left, clip.right, k0, k1);
        if (k0 >= k1) continue;
        const int64_t y = line.startMinor + line.minorStep * n;
        const int64_t xa = line.startMajor + line.majorStep * k0;
        const int64_t xb = line.startMajor + line.majorStep * (k1 - 1);
        AppendClippedSpan(out, y, std::min(xa, xb), std::max(xa, xb) + 1, clip);
    }
}

void AxisLine(POINT from, POINT to, const RECT &clip, SpanList &out) {
    // A span [start, end); drawn backwards it is [end + 1, start + 1).
    auto order = [](int64_t s, int64_t e, int64_t &lo, int64_t &hi) {
        if (s <= e) lo = s, hi = e;
        else lo = e + 1, hi = s + 1;
    };
    int64_t lo, hi;
    if (from.y == to.y) {
        order(from.x, to.x, lo, hi);
        AppendClippedSpan(out, from.y, lo, hi, clip);
    } else {
        order(from.y, to.y, lo, hi);
        AppendClippedRect(out, from.x, lo, int64_t{from.x} + 1, hi, clip);
    }
}

}  // namespace

void CosmeticLine(POINT from, POINT to, RECT clip, SpanList &out) {
    if (ClipIsEmpty(clip)) return;
    if (from.x == to.x && from.y == to.y) return;
    if (from.x == to.x || from.y == to.y) {
        AxisLine(from, to, clip, out);
        return;
    }
    from = CropHugePoint(from);
    to = CropHugePoint(to);
    if (from.x == to.x && from.y == to.y) return;
    const BresenhamLine line = MakeLine(from, to);
    const size_t first = out.size();
    if (line.xMajor) XMajorSpans(line, clip, out);
    else YMajorSpans(line, clip, out);
    // Both walks run from the start point; an upward line comes out bottom row first.
    const int64_t rowStep = line.xMajor ? line.minorStep : line.majorStep;
    if (rowStep < 0) std::reverse(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
}

}  // namespace figplat::geom
