// gdi32's shape calls: lines, rectangles, ellipses, arcs, pies and single pixels. The
// geometry module decides the spans; this file picks colours and paints them.
#include "core/faults.h"
#include "gdi/colour.h"
#include "gdi/draw.h"
#include "gdi/geom/geom.h"
#include "gdi/raster.h"

#include <algorithm>
#include <utility>

using namespace figplat;
using namespace figplat::gdi;

namespace {

bool HasPen(const Dc &dc) { return !dc.pen->IsNull(); }
bool HasBrush(const Dc &dc) { return !dc.brush->IsNull(); }
int PenWidth(const Dc &dc) { return dc.pen->log.lopnWidth.x; }
bool IsWidePen(const Dc &dc) { return PenWidth(dc) > 1; }

void Paint(Dc &dc, const geom::SpanList &spans, COLORREF colour) {
    if (spans.empty()) return;
    PaintSpans(*dc.surface, spans, DrawingPixel(dc, colour));
}

void PaintWithPen(Dc &dc, const geom::SpanList &spans) { Paint(dc, spans, dc.pen->log.lopnColor); }
void PaintWithBrush(Dc &dc, const geom::SpanList &spans) { Paint(dc, spans, dc.brush->log.lbColor); }

RECT Box(int left, int top, int right, int bottom) { return RECT{left, top, right, bottom}; }

void DrawLine(Dc &dc, POINT from, POINT to) {
    geom::SpanList spans;
    const RECT clip = dc.surface->Bounds();
    if (IsWidePen(dc)) {
        const POINT points[2] = {from, to};
        geom::WidePolyline(points, 2, PenWidth(dc), false, clip, spans);
    } else {
        geom::CosmeticLine(from, to, clip, spans);
    }
    PaintWithPen(dc, spans);
}

bool InSurface(const Surface &s, int x, int y) { return x >= 0 && y >= 0 && x < s.width && y < s.height; }

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
    Dc *dc = LookupDc(handle);
    if (!dc) return FALSE;
    const RECT box = Box(left, top, right, bottom), clip = dc->surface->Bounds();
    geom::SpanList spans;
    if (HasBrush(*dc)) {
        geom::RectangleInterior(box, HasPen(*dc), clip, spans);
        PaintWithBrush(*dc, spans);
    }
    if (HasPen(*dc)) {
        spans.clear();
        if (IsWidePen(*dc)) geom::WideRectangleOutline(box, PenWidth(*dc), clip, spans);
        else geom::RectangleOutline(box, clip, spans);
        PaintWithPen(*dc, spans);
    }
    return TRUE;
}

BOOL WINAPI Ellipse(HDC handle, int left, int top, int right, int bottom) {
    if (FIG_FAULT_POINT("Ellipse")) return FALSE;
    Dc *dc = LookupDc(handle);
    if (!dc) return FALSE;
    const RECT box = Box(left, top, right, bottom), clip = dc->surface->Bounds();
    geom::SpanList spans;
    if (HasBrush(*dc)) {
        geom::EllipseInterior(box, clip, spans);
        PaintWithBrush(*dc, spans);
    }
    if (HasPen(*dc)) {
        spans.clear();
        geom::EllipseOutline(box, geom::PenShape{PenWidth(*dc)}, clip, spans);
        PaintWithPen(*dc, spans);
    }
    return TRUE;
}

BOOL WINAPI Arc(HDC handle, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
    if (FIG_FAULT_POINT("Arc")) return FALSE;
    Dc *dc = LookupDc(handle);
    if (!dc) return FALSE;
    if (!HasPen(*dc)) return TRUE;
    geom::SpanList spans;
    geom::ArcOutline(Box(left, top, right, bottom), POINT{xStart, yStart}, POINT{xEnd, yEnd},
                     geom::PenShape{PenWidth(*dc)}, dc->surface->Bounds(), spans);
    PaintWithPen(*dc, spans);
    return TRUE;
}

BOOL WINAPI Pie(HDC handle, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
    if (FIG_FAULT_POINT("Pie")) return FALSE;
    Dc *dc = LookupDc(handle);
    if (!dc) return FALSE;
    const RECT box = Box(left, top, right, bottom), clip = dc->surface->Bounds();
    const POINT start{xStart, yStart}, end{xEnd, yEnd};
    geom::SpanList spans;
    if (HasBrush(*dc)) {
        geom::PieInterior(box, start, end, clip, spans);
        PaintWithBrush(*dc, spans);
    }
    if (HasPen(*dc)) {
        spans.clear();
        geom::PieOutline(box, start, end, geom::PenShape{PenWidth(*dc)}, clip, spans);
        PaintWithPen(*dc, spans);
    }
    return TRUE;
}

// SetPixel maps by nearest colour only (no 1-bpp background rule) and answers the colour
// the pixel gets, even for a point outside the bitmap, where nothing is drawn.
COLORREF WINAPI SetPixel(HDC handle, int x, int y, COLORREF color) {
    if (FIG_FAULT_POINT("SetPixel")) return CLR_INVALID;
    Dc *dc = LookupDc(handle);
    if (!dc) return CLR_INVALID;
    Surface &s = *dc->surface;
    const uint32_t pixel = s.ops->colourToPixel(s, ResolveColour(color));
    if (InSurface(s, x, y)) s.ops->setPixel(s, x, y, pixel);
    return s.ops->pixelToColour(s, pixel);
}

COLORREF WINAPI GetPixel(HDC handle, int x, int y) {
    if (FIG_FAULT_POINT("GetPixel")) return CLR_INVALID;
    Dc *dc = LookupDc(handle);
    if (!dc) return CLR_INVALID;
    const Surface &s = *dc->surface;
    if (!InSurface(s, x, y)) return CLR_INVALID;
    return s.ops->pixelToColour(s, s.ops->getPixel(s, x, y));
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
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, s.width);
    bottom = std::min<int64_t>(bottom, s.height);
    if (left >= right || top >= bottom) return;
    const RECT visible{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right), static_cast<LONG>(bottom)};
    s.ops->fillRect(s, visible, DrawingPixel(dc, brush.log.lbColor));
}

}  // namespace figplat::gdi
