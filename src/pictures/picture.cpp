#include "picture.h"

#include <climits>
#include <cstring>

#include "colour_tables.h"
#include "protocol/host_callback.h"

namespace fig {
namespace {

int32_t SaturatingAdd(int32_t value, int32_t extra) { return value > INT32_MAX - extra ? INT32_MAX : value + extra; }

// The picture's pixels onto the new bitmap, over white. False when the copy could not be
// made: a white canvas stored back would lose the picture.
bool PaintPictureOnCanvas(Canvas &canvas, HDC source, const BITMAP &picture, const RECT &rect) {
    POINT extent{picture.bmWidth, picture.bmHeight};
    DPtoLP(canvas.windowDc, &extent, 1);
    POINT origin{0, 0};
    DPtoLP(canvas.canvasDc, &origin, 1);
    canvas.initialBitmap = static_cast<HBITMAP>(SelectObject(canvas.canvasDc, canvas.canvasBitmap));
    if (!canvas.initialBitmap) return false;
    ResetCanvasColours(canvas.canvasDc);
    ::FillRect(canvas.canvasDc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return BitBlt(canvas.canvasDc, 0, 0, extent.x, extent.y, source, origin.x, origin.y, SRCCOPY) != 0;
}

void DropCanvasBitmap(Canvas &canvas) {
    if (canvas.initialBitmap) SelectObject(canvas.canvasDc, canvas.initialBitmap);
    DeleteObject(canvas.canvasBitmap);
    canvas.canvasBitmap = nullptr;
    canvas.initialBitmap = nullptr;
}

// With the picture selected into `source`: the canvas bitmap, with the picture's own colours
// when it has them (`ownTable`), else the depth's table, and the picture painted on it.
void BuildCanvasBitmap(Canvas &canvas, HDC source, const BITMAP &picture, int16_t depth, const RGBQUAD *ownTable) {
    if (MakeCanvasBitmap(canvas, source, depth, ownTable) &&
        !PaintPictureOnCanvas(canvas, source, picture, RECT{0, 0, canvas.width, canvas.height}))
        DropCanvasBitmap(canvas);
}

}  // namespace

bool DescribeBitmap(HBITMAP bitmap, BITMAP &description) {
    description = BITMAP{};
#if FIGPLOT_WIDE
    return GetObjectW(bitmap, sizeof description, &description) != 0;
#else
    return GetObjectA(bitmap, sizeof description, &description) != 0;
#endif
}

bool FetchPicture(CallContext &call, EmptyField rule, BITMAP &description) {
    int32_t length = 0;
    GetParam(ParamFirst, ValueByteLength, sizeof length, &length, call.callback);
    if (length == 0 && rule == EmptyField::NoPicture) return false;
    const int32_t slack = rule == EmptyField::NoPicture ? 100 : 4;
    call.picture = nullptr;
    GetParam(ParamFirst, ValueBitmap, SaturatingAdd(length, slack), &call.picture, call.callback);
    return call.picture && DescribeBitmap(call.picture, description);
}

void CanvasFromPicture(HBITMAP picture, const BITMAP &description, Canvas &canvas, int32_t width, int32_t height,
                       int16_t depth) {
    canvas.width = width;
    canvas.height = height;
    // Read while the picture is selected nowhere, as Windows asks of GetDIBits.
    RGBQUAD ownTable[256];
    const bool hasOwnTable = PictureColourTable(canvas.windowDc, picture, description, depth, ownTable);
    HDC source = CreateCompatibleDC(canvas.windowDc);
    if (!source) return;
    ResetCanvasColours(source);
    SetBkMode(canvas.canvasDc, TRANSPARENT);
    HGDIOBJ sourceBefore = SelectObject(source, picture);
    if (sourceBefore) {
        BuildCanvasBitmap(canvas, source, description, depth, hasOwnTable ? ownTable : nullptr);
        SelectObject(source, sourceBefore);
    }
    DeleteDC(source);
}

void StorePicture(HBITMAP bitmap, FigHostCallback cb) { SetParam(ParamFirst, ValueBitmap, &bitmap, cb); }

void EditPicture(CallContext &call, CanvasDrawing draw, const void *args) {
    BITMAP picture;
    if (!FetchPicture(call, EmptyField::NoPicture, picture)) {
        call.result = ResultEmptyPicture;
        return;
    }
    Canvas canvas;
    if (!OpenCanvasDcs(call.window, canvas)) return;
    CanvasFromPicture(call.picture, picture, canvas, picture.bmWidth, picture.bmHeight, static_cast<int16_t>(picture.bmBitsPixel));
    if (canvas.canvasBitmap) {
        ResetCanvasColours(canvas.canvasDc);
        SelectObject(canvas.canvasDc, canvas.canvasBitmap);
        draw(canvas, args);
        StorePicture(canvas.canvasBitmap, call.callback);
    }
    ReleaseCanvas(canvas);
}

}  // namespace fig
