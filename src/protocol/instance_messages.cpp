// Opening and closing instances, and calling their functions.
#include <cstring>

#include "global_blocks.h"
#include "host_callback.h"
#include "messages.h"
#include "number.h"

namespace fig {
namespace {

const char kBanner[] = "figPlot 1.2b5, pictures for the host, by the figPlot developers";

// The count is asked for with a maximum length of 10, as hosts expect; a host may write
// that many bytes, so it lands in a buffer that holds them and the double is taken from it.
int16_t ReadParamCount(FigHostCallback cb) {
    alignas(double) uint8_t answer[16] = {};
    GetParam(ParamCount, ValueNumber, 10, answer, cb);
    double count;
    std::memcpy(&count, answer, sizeof count);
    return Low16(NumberToInt(count));
}

}  // namespace

void OpenInstance(CallContext &call, void **instanceSlot) {
    auto *data = static_cast<InstanceData *>(AllocZeroed(sizeof(InstanceData)));
    if (!data) {
        MessageBeep(MB_ICONASTERISK);
        call.result = ResultNoMemory;
        return;
    }
    FillDefaultPalette(*data);
    if (instanceSlot) *instanceSlot = data;
    else FreeBlock(data);  // nowhere to keep it
    HostChar banner[sizeof kBanner];
    AsciiToHostText(kBanner, banner, true);
    call.result = SendBanner(0, 1, 1, 0, banner, call.callback);
}

void CallFunction(CallContext &call) {
    if (!call.instance) return;
    call.paramCount = ReadParamCount(call.callback);
    const int16_t number = Low16(GetFunctionNumber(call.callback));
    if (number < 1 || number > kLibraryFunctionCount) return;
    const LibraryFunction &function = kLibraryFunctions[number - 1];
    if (call.paramCount < function.minimumCount ||
        (function.needsPictureField && !IsPictureParam(ParamFirst, call.callback))) {
        call.result = ResultBadParameters;
        return;
    }
    function.run(call);
}

void CloseInstance(void **instanceSlot) {
    if (!instanceSlot) return;
    if (*instanceSlot) FreeBlock(*instanceSlot);
    *instanceSlot = nullptr;
}

}  // namespace fig
