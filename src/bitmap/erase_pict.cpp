#include "host/host_callback.h"
#include "picture.h"
#include "picture_functions.h"

namespace fig {
namespace {

void EraseWholeCanvas(const Canvas &canvas, const void *args) {
    PaintEraseRect(canvas.canvasDc, RECT{0, 0, canvas.width, canvas.height}, *static_cast<const COLORREF *>(args));
}

}  // namespace

void PaintEraseRect(HDC dc, const RECT &rect, COLORREF colour) {
    // Without its brush, FillRect would paint with whatever brush the DC holds.
    HBRUSH brush = CreateSolidBrush(colour);
    if (!brush) return;
    ::FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void ErasePict(CallContext &call) {
    const COLORREF colour = ResolveColor(*call.instance, GetIntParam(ParamFirst + 1, call.callback));
    EditPicture(call, EraseWholeCanvas, &colour);
}

}  // namespace fig
