// ComposePict and ComposeFile: one procedure with two ends. Both check their arguments
// and bind the list before anything is made, draw the list on a new canvas, and then
// store the canvas into a picture field or write it as a bitmap file.
#include "bitmap/file_writer.h"
#include "bitmap/picture.h"
#include "command_list.h"
#include "compose_functions.h"
#include "host/host_callback.h"

namespace fig {
namespace {

constexpr int16_t kListNameParam = ParamFirst + 4;

struct CanvasRequest {
    int32_t width, height, depth;
};

// Width and height of at least 1, the depth as given (the canvas normalises it), and a
// list that can be played.
bool ReadRequest(CallContext &call, CanvasRequest &request, DrawCommandList &list) {
    request.width = GetIntParam(ParamFirst + 1, call.callback);
    request.height = GetIntParam(ParamFirst + 2, call.callback);
    if (request.width < 1 || request.height < 1) return false;
    request.depth = GetIntParam(ParamFirst + 3, call.callback);
    return BindDrawCommandList(call, kListNameParam, list);
}

}  // namespace

void ComposePict(CallContext &call) {
    CanvasRequest request;
    DrawCommandList list;
    if (!ReadRequest(call, request, list)) {
        call.result = ResultBadParameters;
        return;
    }
    Canvas canvas;
    if (!NewCanvas(call.window, request.width, request.height, request.depth, canvas)) return;
    PlayDrawCommands(*call.instance, call.callback, list, canvas);
    StorePicture(canvas.canvasBitmap, call.callback);
    ReleaseCanvas(canvas);
}

void ComposeFile(CallContext &call) {
    CanvasRequest request;
    DrawCommandList list;
    HostChar path[kTextBufferUnits];
    if (!ReadRequest(call, request, list)) {
        call.result = ResultBadParameters;
        return;
    }
    GetTextParam(ParamFirst, path, call.callback);
    if (path[0] == 0) {
        call.result = ResultBadParameters;
        return;
    }
    // Refused before anything is made: a bitmap file cannot hold more than 4 GiB.
    if (!FitsInBitmapFile(LayoutOf(request.width, request.height, CanvasDepth(request.depth)))) {
        call.result = ResultNoMemory;
        return;
    }
    Canvas canvas;
    if (!NewCanvas(call.window, request.width, request.height, request.depth, canvas)) return;
    PlayDrawCommands(*call.instance, call.callback, list, canvas);
    // The pixels are read from a bitmap selected into no DC, as Windows asks.
    SelectObject(canvas.canvasDc, canvas.initialBitmap);
    call.result = SaveCanvasAsFile(path, canvas.canvasBitmap, canvas.canvasDc);
    ReleaseCanvas(canvas);
}

}  // namespace fig
