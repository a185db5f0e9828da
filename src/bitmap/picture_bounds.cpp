// SetPictBounds and GetPictBounds: the picture's width and height.
#include "host/host_callback.h"
#include "picture.h"
#include "picture_functions.h"

namespace fig {

void SetPictBounds(CallContext &call) {
    const int32_t width = GetIntParam(ParamFirst + 1, call.callback);
    const int32_t height = GetIntParam(ParamFirst + 2, call.callback);
    BITMAP picture;
    if (!FetchPicture(call, EmptyField::AskAnyway, picture)) {
        call.result = ResultEmptyPicture;
        return;
    }
    // No canvas can have no pixels, and a negative height would turn the picture upside down.
    if (width < 1 || height < 1) return;
    Canvas canvas;
    if (!OpenCanvasDcs(call, canvas)) return;
    SetTextColor(canvas.windowDc, RGB(0, 0, 0));
    SetBkColor(canvas.windowDc, RGB(255, 255, 255));
    CanvasFromPicture(call.picture, picture, canvas, width, height, static_cast<int16_t>(picture.bmBitsPixel));
    if (canvas.canvasBitmap) {
        SelectObject(canvas.canvasDc, canvas.canvasBitmap);
        StorePicture(canvas.canvasBitmap, call.callback);
    }
    ReleaseCanvas(canvas);
}

void GetPictBounds(CallContext &call) {
    int32_t width = 0, height = 0;
    BITMAP picture;
    if (FetchPicture(call, EmptyField::NoPicture, picture)) {
        width = picture.bmWidth;
        height = picture.bmHeight;
    } else {
        call.result = ResultEmptyPicture;
    }
    SetIntParam(ParamFirst + 1, width, call.callback);
    SetIntParam(ParamFirst + 2, height, call.callback);
}

}  // namespace fig
