// gdi32's shape calls: lines, rectangles, ellipses, arcs, pies and single pixels. The
// geometry module decides the spans; this file picks colours and paints them.
#include "api/gdi/shape_calls.h"

#include "core/faults.h"
#include "engine/raster.h"

#include <optional>
#include <utility>

using namespace figplat;
using namespace figplat::gdi;

namespace {

bool HasPen(const Dc &dc) { return !dc.pen->IsNull(); }
bool HasBrush(const Dc &dc) { return !dc.brush->IsNull(); }
geom::PenShape Pen(const Dc &dc) { return geom::PenShape{dc.pen->log.lopnWidth.x}; }

// Hands a painter in the colour to `draw` (a shape function's tail: clip and sink).
template <typename Draw>
void Paint(Dc &dc, COLORREF colour, Draw draw) {
    SurfacePainter painter(*dc.surface, DrawingPixel(*dc.surface, colour, dc.bkColour));
    draw(dc.surface->Bounds(), painter);
}

// Rectangle, Ellipse and Pie: the brush fills first, then the pen draws over it.
template <typename Fill, typename Outline>
BOOL FilledShape(HDC handle, Fill fill, Outline outline) {
    Dc *dc = LookupDc(handle);
    if (!dc) return FALSE;
    if (HasBrush(*dc)) Paint(*dc, dc->brush->log.lbColor, [&](RECT clip, geom::SpanSink &out) { fill(*dc, clip, out); });
    if (HasPen(*dc)) Paint(*dc, dc->pen->log.lopnColor, [&](RECT clip, geom::SpanSink &out) { outline(*dc, clip, out); });
    return TRUE;
}

void DrawLine(Dc &dc, POINT from, POINT to) {
    const int width = Pen(dc).width;
    Paint(dc, dc.pen->log.lopnColor, [&](RECT clip, geom::SpanSink &out) {
        const POINT points[2] = {from, to};
        if (width > 1) geom::WidePolyline(points, 2, width, false, clip, out);
        else geom::CosmeticLine(from, to, clip, out);
    });
}

}  // namespace

BOOL WINAPI MoveToEx(HDC handle, int x, int y, LPPOINT previous) {
    if (FIG_FAULT_POINT("MoveToEx")) return FALSE;
    Dc *dc = LookupDc(handle);
    if (!dc) return FALSE;
    if (previous) *previous = dc->position;
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC handle, int x, int y) {
    if (FIG_FAULT_POINT("LineTo")) return FALSE;
    Dc *dc = LookupDc(handle);
    if (!dc) return FALSE;
    const POINT to{x, y};
    if (HasPen(*dc)) DrawLine(*dc, dc->position, to);
    dc->position = to;
    return TRUE;
}

BOOL WINAPI Rectangle(HDC handle, int left, int top, int right, int bottom) {
    if (FIG_FAULT_POINT("Rectangle")) return FALSE;
    const RECT box{left, top, right, bottom};
    return FilledShape(
        handle, [&](const Dc &dc, RECT clip, geom::SpanSink &out) { geom::RectangleInterior(box, HasPen(dc), clip, out); },
        [&](const Dc &dc, RECT clip, geom::SpanSink &out) {
            if (Pen(dc).width > 1) geom::WideRectangleOutline(box, Pen(dc).width, clip, out);
            else geom::RectangleOutline(box, clip, out);
        });
}

BOOL WINAPI Ellipse(HDC handle, int left, int top, int right, int bottom) {
    if (FIG_FAULT_POINT("Ellipse")) return FALSE;
    const RECT box{left, top, right, bottom};
    return FilledShape(
        handle, [&](const Dc &, RECT clip, geom::SpanSink &out) { geom::EllipseInterior(box, clip, out); },
        [&](const Dc &dc, RECT clip, geom::SpanSink &out) { geom::EllipseOutline(box, Pen(dc), clip, out); });
}

BOOL WINAPI Arc(HDC handle, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
    if (FIG_FAULT_POINT("Arc")) return FALSE;
    Dc *dc = LookupDc(handle);
    if (!dc) return FALSE;
    if (!HasPen(*dc)) return TRUE;
    const RECT box{left, top, right, bottom};
    Paint(*dc, dc->pen->log.lopnColor, [&](RECT clip, geom::SpanSink &out) {
        geom::ArcOutline(box, POINT{xStart, yStart}, POINT{xEnd, yEnd}, Pen(*dc), clip, out);
    });
    return TRUE;
}

BOOL WINAPI Pie(HDC handle, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
    if (FIG_FAULT_POINT("Pie")) return FALSE;
    const RECT box{left, top, right, bottom};
    const POINT start{xStart, yStart}, end{xEnd, yEnd};
    std::optional<geom::PieShape> pie;  // set up on first use, shared by the brush and the pen
    auto shape = [&](RECT clip) -> const geom::PieShape & {
        if (!pie) pie.emplace(box, start, end, clip);
        return *pie;
    };
    return FilledShape(
        handle, [&](const Dc &, RECT clip, geom::SpanSink &out) { shape(clip).Interior(out); },
        [&](const Dc &dc, RECT clip, geom::SpanSink &out) { shape(clip).Outline(Pen(dc), out); });
}

// SetPixel maps by nearest colour only (no 1-bpp background rule) and answers the colour
// the pixel gets, even for a point outside the bitmap, where nothing is drawn.
COLORREF WINAPI SetPixel(HDC handle, int x, int y, COLORREF color) {
    if (FIG_FAULT_POINT("SetPixel")) return CLR_INVALID;
    Dc *dc = LookupDc(handle);
    if (!dc) return CLR_INVALID;
    return PaintPixel(*dc->surface, x, y, color);
}

COLORREF WINAPI GetPixel(HDC handle, int x, int y) {
    if (FIG_FAULT_POINT("GetPixel")) return CLR_INVALID;
    Dc *dc = LookupDc(handle);
    if (!dc) return CLR_INVALID;
    return PixelColour(*dc->surface, x, y);
}

namespace figplat::gdi {

void FillRectWithBrush(Dc &dc, const RECT &rect, const BrushObject &brush) {
    if (brush.IsNull()) return;
    Surface &s = *dc.surface;
    // Reversed edges are swapped and shifted by one, unlike Rectangle's plain swap.
    int64_t left = rect.left, right = rect.right, top = rect.top, bottom = rect.bottom;
    if (right < left) {
        std::swap(left, right);
        ++left;
        ++right;
    }
    if (bottom < top) {
        std::swap(top, bottom);
        ++top;
        ++bottom;
    }
    FillBox(s, left, top, right, bottom, DrawingPixel(s, brush.log.lbColor, dc.bkColour));
}

}  // namespace figplat::gdi
