// DrawLine, DrawRect, FillRect, DrawOval, FillOval and ErasePict: read the arguments, then
// draw one shape into the picture.
#include "canvas_ops.h"
#include "library_functions.h"
#include "pictures/picture.h"
#include "protocol/host_callback.h"
#include "protocol/number.h"

namespace fig {
namespace {

// A shape as its function's parameters give it; optional parameters not given are 0.
struct Shape {
    int32_t lineSize = 0;
    COLORREF colour = 0;
    RECT rect{};  // left, top, right, bottom
    bool noOutline = false;
    int32_t startAngle = 0, spanDegrees = 0;
};

// Reads `count` numbers from parameter `first` on, in id order.
void ReadNumbers(const CallContext &call, int first, int count, int32_t *out) {
    for (int i = 0; i < count; ++i) out[i] = GetIntParam(static_cast<int16_t>(ParamFirst + first - 1 + i), call.callback);
}

COLORREF Colour(const CallContext &call, int32_t value) { return ResolveColor(*call.instance, value); }

// top, left, bottom, right as the platform takes them: x before y.
RECT RectFrom(const int32_t *topLeftBottomRight) {
    RECT rect;
    SetRect(&rect, topLeftBottomRight[1], topLeftBottomRight[0], topLeftBottomRight[3], topLeftBottomRight[2]);
    return rect;
}

// The outlined shapes' parameters: lineSize, color, top, left, bottom, right.
Shape ReadOutlined(const CallContext &call) {
    int32_t v[6];
    ReadNumbers(call, 2, 6, v);
    Shape shape;
    shape.lineSize = v[0];
    shape.rect = RectFrom(v + 2);
    shape.colour = Colour(call, v[1]);
    return shape;
}

// The filled shapes' parameters: fillColor, top, left, bottom, right.
Shape ReadFilled(const CallContext &call) {
    int32_t v[5];
    ReadNumbers(call, 2, 5, v);
    Shape shape;
    shape.rect = RectFrom(v + 1);
    shape.colour = Colour(call, v[0]);
    return shape;
}

// Angles come only in pairs: both are read when the count reaches the second.
void ReadAngles(const CallContext &call, int first, Shape &shape) {
    if (call.paramCount < first + 1) return;
    int32_t v[2];
    ReadNumbers(call, first, 2, v);
    shape.startAngle = v[0];
    shape.spanDegrees = v[1];
}

bool ReadNoOutlineFlag(const CallContext &call, int position) {
    return call.paramCount >= position && Low16(GetIntParam(static_cast<int16_t>(ParamFirst + position - 1), call.callback)) != 0;
}

const Shape &ShapeOf(const void *args) { return *static_cast<const Shape *>(args); }

void DrawLineOn(const Canvas &c, const void *args) {
    const Shape &s = ShapeOf(args);
    PaintLine(c.canvasDc, s.lineSize, s.colour, s.rect.top, s.rect.left, s.rect.bottom, s.rect.right);
}
void DrawRectOn(const Canvas &c, const void *args) {
    const Shape &s = ShapeOf(args);
    PaintRectOutline(c.canvasDc, s.lineSize, s.colour, s.rect, s.noOutline);
}
void FillRectOn(const Canvas &c, const void *args) { PaintRectFill(c.canvasDc, ShapeOf(args).colour, ShapeOf(args).rect); }
void DrawOvalOn(const Canvas &c, const void *args) {
    const Shape &s = ShapeOf(args);
    PaintOvalOutline(c.canvasDc, s.lineSize, s.colour, s.rect, s.noOutline, s.startAngle, s.spanDegrees);
}
void FillOvalOn(const Canvas &c, const void *args) {
    const Shape &s = ShapeOf(args);
    PaintOvalFill(c.canvasDc, s.colour, s.rect, s.startAngle, s.spanDegrees);
}
void EraseWholeCanvas(const Canvas &c, const void *args) {
    PaintEraseRect(c.canvasDc, RECT{0, 0, c.width, c.height}, ShapeOf(args).colour);
}

}  // namespace

void DrawLine(CallContext &call) {
    const Shape shape = ReadOutlined(call);
    EditPicture(call, DrawLineOn, &shape);
}

void DrawRect(CallContext &call) {
    Shape shape = ReadOutlined(call);
    shape.noOutline = ReadNoOutlineFlag(call, 8);
    EditPicture(call, DrawRectOn, &shape);
}

void FillRect(CallContext &call) {
    const Shape shape = ReadFilled(call);
    EditPicture(call, FillRectOn, &shape);
}

void DrawOval(CallContext &call) {
    Shape shape = ReadOutlined(call);
    shape.noOutline = ReadNoOutlineFlag(call, 8);
    ReadAngles(call, 9, shape);
    EditPicture(call, DrawOvalOn, &shape);
}

void FillOval(CallContext &call) {
    Shape shape = ReadFilled(call);
    ReadAngles(call, 7, shape);
    EditPicture(call, FillOvalOn, &shape);
}

void ErasePict(CallContext &call) {
    Shape shape;
    shape.colour = Colour(call, GetIntParam(ParamFirst + 1, call.callback));
    EditPicture(call, EraseWholeCanvas, &shape);
}

}  // namespace fig
