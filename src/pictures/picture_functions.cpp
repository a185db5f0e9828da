// SetPictBounds, GetPictBounds and GetPictSize: a picture's size, set or read.
#include "library_functions.h"
#include "picture.h"
#include "protocol/host_callback.h"

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
    if (!OpenCanvasDcs(call.window, canvas)) return;
    ResetCanvasColours(canvas.windowDc);
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

// The size of the pixel data counts whole groups of 8 pixels a row, each group taking one
// byte per bit of depth. It is not a bitmap file's row size: a 10 x 3 picture at 24 bits
// reports 144 bytes, where its file holds 96.
void GetPictSize(CallContext &call) {
    // In 64 bits: a large picture's size passes 2^31, and the host takes a double.
    int64_t size = 0;
    BITMAP picture;
    if (FetchPicture(call, EmptyField::NoPicture, picture))
        size = (static_cast<int64_t>(picture.bmWidth) + 7) / 8 * picture.bmHeight * RoundedDepth(picture);
    const double number = static_cast<double>(size);
    SetParam(ParamFirst + 1, ValueNumber, &number, call.callback);
}

}  // namespace fig
