// ComposePict and ComposeFile: one procedure with two ends. Both check their arguments
// and bind the list before anything is made, draw the list on a new canvas, and then
// store the canvas into a picture field or write it as a bitmap file.
#include "command_list.h"
#include "library_functions.h"
#include "pictures/file_writer.h"
#include "pictures/picture.h"
#include "protocol/host_callback.h"

namespace fig {
namespace {

constexpr int16_t kListNameParam = ParamFirst + 4;

struct Composition {
    int32_t width, height, depth;
    DrawCommandList list;
    HostChar path[kTextBufferUnits];  // ComposeFile's
};

// An end's own checks, after the common ones: 0 to go on, else the answer.
using EndCheck = int16_t (*)(CallContext &call, Composition &composition);
// Delivers the drawn canvas; returns the answer.
using EndDelivery = int16_t (*)(CallContext &call, Composition &composition, Canvas &canvas);

void Compose(CallContext &call, EndCheck check, EndDelivery deliver) {
    Composition c;
    c.width = GetIntParam(ParamFirst + 1, call.callback);
    c.height = GetIntParam(ParamFirst + 2, call.callback);
    if (c.width < 1 || c.height < 1) {
        call.result = ResultBadParameters;
        return;
    }
    c.depth = GetIntParam(ParamFirst + 3, call.callback);  // the canvas normalises it
    if (!BindDrawCommandList(call, kListNameParam, c.list)) {
        call.result = ResultBadParameters;
        return;
    }
    call.result = check(call, c);
    Canvas canvas;
    if (call.result != 0 || !NewCanvas(call.window, c.width, c.height, c.depth, canvas)) return;
    PlayDrawCommands(*call.instance, call.callback, c.list, canvas);
    call.result = deliver(call, c, canvas);
    ReleaseCanvas(canvas);
}

int16_t NothingMore(CallContext &, Composition &) { return ResultDone; }

int16_t StoreIntoField(CallContext &call, Composition &, Canvas &canvas) {
    StorePicture(canvas.canvasBitmap, call.callback);
    return ResultDone;
}

int16_t ReadPath(CallContext &call, Composition &c) {
    GetTextParam(ParamFirst, c.path, call.callback);
    // A path that fills the whole buffer may have been cut by the host: writing at the cut
    // path could overwrite an unrelated file.
    if (c.path[0] == 0 || HostTextLength(c.path) >= kTextMaxLength) return ResultBadParameters;
    // Refused before anything is made: a bitmap file cannot hold more than 4 GiB.
    if (!FitsInBitmapFile(LayoutOf(c.width, c.height, CanvasDepth(c.depth)))) return ResultNoMemory;
    return ResultDone;
}

int16_t WriteToPath(CallContext &, Composition &c, Canvas &canvas) {
    // The pixels are read from a bitmap selected into no DC, as Windows asks.
    SelectObject(canvas.canvasDc, canvas.initialBitmap);
    return SaveCanvasAsFile(c.path, canvas.canvasBitmap, canvas.canvasDc);
}

}  // namespace

void ComposePict(CallContext &call) { Compose(call, NothingMore, StoreIntoField); }

void ComposeFile(CallContext &call) { Compose(call, ReadPath, WriteToPath); }

}  // namespace fig
