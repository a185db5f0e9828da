// Lines, rectangles, ellipses, arcs and pies.
#include "canvas_ops.h"
#include "drawing_objects.h"
#include "oval_point.h"
#include "protocol/number.h"

namespace fig {
namespace {

int32_t Negated(int32_t value) { return static_cast<int32_t>(0u - static_cast<uint32_t>(value)); }

void Inset(RECT &rect, int32_t lineSize) { InflateRect(&rect, Negated(lineSize), Negated(lineSize)); }

bool WholeOval(int32_t startAngle, int32_t spanDegrees) { return Low16(startAngle) == 0 && Low16(spanDegrees) == 0; }

// The platform draws from the start point's radial counter-clockwise to the end point's;
// angles grow clockwise, so the span's far end is the start point and startAngle the end.
struct ArcEnds {
    OvalPointXY start, end;
};
ArcEnds EndsOf(const RECT &rect, int32_t startAngle, int32_t spanDegrees) {
    const int16_t first = Low16(startAngle);
    const int16_t last = Low16(first + Low16(spanDegrees));
    return ArcEnds{OvalPoint(rect, last), OvalPoint(rect, first)};
}

}  // namespace

void PaintLine(HDC dc, int32_t lineSize, COLORREF colour, int32_t top, int32_t left, int32_t bottom, int32_t right) {
    const ShapeObjects objects = SelectOutlinePen(dc, lineSize, colour);
    MoveToEx(dc, left, top, nullptr);
    LineTo(dc, right, bottom);
    RestoreShapeObjects(dc, objects);
}

void PaintRectOutline(HDC dc, int32_t lineSize, COLORREF colour, RECT rect, bool noOutline) {
    const ShapeObjects objects = SelectOutlinePen(dc, lineSize, colour);
    if (noOutline) Inset(rect, lineSize);
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    RestoreShapeObjects(dc, objects);
}

void PaintRectFill(HDC dc, COLORREF colour, const RECT &rect) {
    const ShapeObjects objects = SelectFillBrush(dc, colour);
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    RestoreShapeObjects(dc, objects);
}

void PaintEraseRect(HDC dc, const RECT &rect, COLORREF colour) {
    // Without its brush, FillRect would paint with whatever brush the DC holds.
    HBRUSH brush = CreateSolidBrush(colour);
    if (!brush) return;
    ::FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void PaintOvalOutline(HDC dc, int32_t lineSize, COLORREF colour, RECT rect, bool noOutline, int32_t startAngle,
                      int32_t spanDegrees) {
    const ShapeObjects objects = SelectOutlinePen(dc, lineSize, colour);
    if (noOutline) Inset(rect, lineSize);
    if (WholeOval(startAngle, spanDegrees)) {
        // Both ends on one point: the platform draws the whole ellipse.
        Arc(dc, rect.left, rect.top, rect.right, rect.bottom, rect.left, rect.top, rect.left, rect.top);
    } else {
        const ArcEnds ends = EndsOf(rect, startAngle, spanDegrees);
        Arc(dc, rect.left, rect.top, rect.right, rect.bottom, ends.start.x, ends.start.y, ends.end.x, ends.end.y);
    }
    RestoreShapeObjects(dc, objects);
}

void PaintOvalFill(HDC dc, COLORREF colour, const RECT &rect, int32_t startAngle, int32_t spanDegrees) {
    const ShapeObjects objects = SelectFillBrush(dc, colour);
    if (WholeOval(startAngle, spanDegrees)) {
        Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
    } else {
        const ArcEnds ends = EndsOf(rect, startAngle, spanDegrees);
        Pie(dc, rect.left, rect.top, rect.right, rect.bottom, ends.start.x, ends.start.y, ends.end.x, ends.end.y);
    }
    RestoreShapeObjects(dc, objects);
}

}  // namespace fig
