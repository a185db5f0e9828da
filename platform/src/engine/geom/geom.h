// Shape geometry for the GDI drawing calls: which pixels a shape covers.
//
// The raster engine paints; this module decides. Everything here is pure integer geometry
// in device pixels with no knowledge of bitmaps or colours, so it can be tested on its own
// and compared with what Windows GDI lights up.
//
// A shape hands its pixels to a SpanSink as runs, boxes and cosmetic lines, each already
// cut to `clip` (the bitmap's bounds, right and bottom exclusive), in no particular order
// and possibly overlapping (painting a pixel twice in one colour changes nothing). The
// painter fills them straight into the bitmap; tests collect them into a SpanList.
// Cutting never changes which pixels inside `clip` a shape lights, and work is
// proportional to what is inside `clip`, so a shape a million pixels wide costs no more
// than the bitmap it lands on. Rectangles are passed as the caller gave them to GDI (not
// yet ordered); each function applies GDI's own ordering and edge rules.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace figplat::geom {

struct Span {
    int32_t y;
    int32_t x0;  // first pixel
    int32_t x1;  // one past the last pixel
};
using SpanList = std::vector<Span>;

// A cosmetic line's visible pixels as GDI's Bresenham walk lights them, ready to be stepped
// straight into a bitmap: `count` pixels from (x, y), each one step along the major axis
// from the last; after each pixel the minor axis steps too when `error` > 0 (and `error`
// drops by `errorDown`), then `error` grows by `errorUp`. (endX, endY) is the last pixel.
struct LineSteps {
    int32_t x, y;
    int32_t endX, endY;
    int64_t count;
    bool xMajor;
    int32_t xStep, yStep;  // +1 or -1
    int64_t error, errorUp, errorDown;
};

class SpanSink {
public:
    // Pixels [x0, x1) of row y; never empty.
    virtual void Span(int32_t y, int32_t x0, int32_t x1) = 0;
    // [left, right) x [top, bottom); never empty. By default, one span per row.
    virtual void Box(int32_t left, int32_t top, int32_t right, int32_t bottom);
    // A cosmetic line. By default, its runs row by row.
    virtual void Line(const LineSteps &line);
    // Many spans at once (a list a shape built). By default, one by one.
    virtual void Spans(const geom::Span *spans, size_t count);

protected:
    ~SpanSink() = default;
};

// Appends everything to a list, as it comes (see NormalizeSpans for the canonical form).
class SpanCollector final : public SpanSink {
public:
    explicit SpanCollector(SpanList &out) : out_(out) {}
    void Span(int32_t y, int32_t x0, int32_t x1) override { out_.push_back({y, x0, x1}); }

private:
    SpanList &out_;
};

// A pen as the shapes see it: width <= 1 is a cosmetic one-pixel pen.
struct PenShape {
    int width;
};

// LineTo() with a cosmetic pen: start pixel drawn, end pixel not, GDI's Bresenham
// tie rules per octant.
void CosmeticLine(POINT from, POINT to, RECT clip, SpanSink &out);

// Rectangle(): the one-pixel outline, and the interior the brush fills (which differs
// with and without a pen: see RectangleInterior's `hasPen`).
void RectangleOutline(RECT box, RECT clip, SpanSink &out);
void RectangleInterior(RECT box, bool hasPen, RECT clip, SpanSink &out);

// Ellipse(): the outline with the pen, and the interior the brush fills.
void EllipseOutline(RECT box, PenShape pen, RECT clip, SpanSink &out);
void EllipseInterior(RECT box, RECT clip, SpanSink &out);

// Arc(): the outline from the radial through `start` counter-clockwise to the radial
// through `end` (equal directions: the whole ellipse).
void ArcOutline(RECT box, POINT start, POINT end, PenShape pen, RECT clip, SpanSink &out);

// Pie(): the arc closed by two radii to the centre, set up once (the arc's ends found) for
// both the interior and the outline.
class PieShape {
public:
    PieShape(RECT box, POINT start, POINT end, RECT clip);
    ~PieShape();
    PieShape(const PieShape &) = delete;
    PieShape &operator=(const PieShape &) = delete;
    void Interior(SpanSink &out) const;
    void Outline(PenShape pen, SpanSink &out) const;

private:
    struct Arc;
    std::unique_ptr<Arc> arc_;
    RECT clip_;
};

// A geometric (wide, width > 1) solid pen along a polyline: round caps and round joins,
// centred on the path, the whole outline one region (overlaps once). `closed` joins the
// last point to the first (a Rectangle outline).
void WidePolyline(const POINT *points, int count, int width, bool closed, RECT clip, SpanSink &out);

// Rectangle() with a wide pen: the outline region (GDI's rules for the box and corners).
void WideRectangleOutline(RECT box, int width, RECT clip, SpanSink &out);

}  // namespace figplat::geom
