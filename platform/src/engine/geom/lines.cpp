// LineTo() with a cosmetic pen.
//
// The pixels come from GDI's Bresenham walk. Where the walk enters the clip is computed in
// closed form (the minor-axis offset of the k-th pixel is a function of k alone), so a line
// is cut without walking the part outside it and the cut never moves a pixel; the visible
// part is handed on as steps for the pixel routines to walk.
//
// End points are at most 2^28 from the origin once huge ones are scaled down (see
// CropHugePoint), so every product below stays under 2^62 and 64 bits suffice.
#include "engine/geom/geom.h"
#include "engine/geom/spans.h"

#include <algorithm>
#include <cstdlib>

namespace figplat::geom {

namespace {

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
    // 2*minor*(j+1) - major - 2*major*steps + bias > 0. (Pixel 0 has none.)
    int64_t StepsBefore(int64_t k) const { return k == 0 ? 0 : (2 * k * minor + bias + major - 1) / (2 * major); }

    // First pixel index whose minor offset reaches n (0 <= n <= minor + 1).
    int64_t FirstIndexWithSteps(int64_t n) const {
        if (n <= 0) return 0;
        if (minor == 0) return major;
        const int64_t num = 2 * major * n - bias - major + 1, den = 2 * minor;
        if (num <= 0) return 0;
        return (num + den - 1) / den;
    }

    // The error GDI's walk has reached at pixel k.
    int64_t ErrorAt(int64_t k) const { return 2 * minor * (k + 1) - major - 2 * major * StepsBefore(k) + bias; }
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

// Pixel indices [k0, k1) are cut to those whose major coordinate lies in [lo, hi) ...
void LimitToMajorRange(const BresenhamLine &line, int64_t lo, int64_t hi, int64_t &k0, int64_t &k1) {
    const int64_t first = line.majorStep > 0 ? lo - line.startMajor : line.startMajor - (hi - 1);
    const int64_t last = line.majorStep > 0 ? hi - 1 - line.startMajor : line.startMajor - lo;
    k0 = std::max(k0, first);
    k1 = std::min(k1, last + 1);
}

// ... and whose minor coordinate lies in [lo, hi): the minor offset grows with the index,
// so they form one range too.
void LimitToMinorRange(const BresenhamLine &line, int64_t lo, int64_t hi, int64_t &k0, int64_t &k1) {
    int64_t n0 = line.minorStep > 0 ? lo - line.startMinor : line.startMinor - (hi - 1);
    int64_t n1 = line.minorStep > 0 ? hi - line.startMinor : line.startMinor - lo + 1;
    n0 = std::max<int64_t>(n0, 0);
    n1 = std::min(n1, line.minor + 1);
    if (n1 <= n0) {
        k1 = k0;
        return;
    }
    k0 = std::max(k0, line.FirstIndexWithSteps(n0));
    k1 = std::min(k1, line.FirstIndexWithSteps(n1));
}

// Where pixel k of the walk lies, as (x, y).
void PixelAt(const BresenhamLine &line, int64_t k, int32_t &x, int32_t &y) {
    const int64_t major = line.startMajor + line.majorStep * k;
    const int64_t minor = line.startMinor + line.minorStep * line.StepsBefore(k);
    x = static_cast<int32_t>(line.xMajor ? major : minor);
    y = static_cast<int32_t>(line.xMajor ? minor : major);
}

// The walk's pixels [k0, k1) in the form the pixel routines step.
LineSteps StepsFrom(const BresenhamLine &line, int64_t k0, int64_t k1) {
    LineSteps steps{};
    PixelAt(line, k0, steps.x, steps.y);
    PixelAt(line, k1 - 1, steps.endX, steps.endY);
    steps.count = k1 - k0;
    steps.xMajor = line.xMajor;
    const int32_t majorStep = static_cast<int32_t>(line.majorStep), minorStep = static_cast<int32_t>(line.minorStep);
    steps.xStep = line.xMajor ? majorStep : minorStep;
    steps.yStep = line.xMajor ? minorStep : majorStep;
    steps.errorUp = 2 * line.minor;
    steps.errorDown = 2 * line.major;
    steps.error = line.ErrorAt(k0);
    return steps;
}

void AxisLine(POINT from, POINT to, const RECT &clip, SpanSink &out) {
    // A span [start, end); drawn backwards it is [end + 1, start + 1).
    auto order = [](int64_t s, int64_t e, int64_t &lo, int64_t &hi) {
        if (s <= e) lo = s, hi = e;
        else lo = e + 1, hi = s + 1;
    };
    int64_t lo, hi;
    if (from.y == to.y) {
        order(from.x, to.x, lo, hi);
        EmitClippedSpan(out, from.y, lo, hi, clip);
    } else {
        order(from.y, to.y, lo, hi);
        EmitClippedBox(out, from.x, lo, int64_t{from.x} + 1, hi, clip);
    }
}

bool Inside(POINT p, const RECT &clip) {
    return p.x >= clip.left && p.x < clip.right && p.y >= clip.top && p.y < clip.bottom;
}

}  // namespace

void CosmeticLine(POINT from, POINT to, RECT clip, SpanSink &out) {
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
    int64_t k0 = 0, k1 = line.major;
    // Both ends inside: every pixel is (the walk never leaves the end points' box).
    if (!Inside(from, clip) || !Inside(to, clip)) {
        const RECT &c = clip;
        if (line.xMajor) {
            LimitToMajorRange(line, c.left, c.right, k0, k1);
            LimitToMinorRange(line, c.top, c.bottom, k0, k1);
        } else {
            LimitToMajorRange(line, c.top, c.bottom, k0, k1);
            LimitToMinorRange(line, c.left, c.right, k0, k1);
        }
    }
    if (k0 < k1) out.Line(StepsFrom(line, k0, k1));
}

}  // namespace figplat::geom
