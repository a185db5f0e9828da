// What the entry point dispatches to: the handlers of the host's messages, and the
// function table through which message 2 runs a host function.
#pragma once

#include <windows.h>

#include "call_context.h"

namespace fig {

void OpenInstance(CallContext &call, void **instanceSlot);
void CallFunction(CallContext &call);
void CloseInstance(void **instanceSlot);
void DescribeFunction(HMODULE module, FigHostCallback cb);
void FlagRequestRecord(FigHostCallback cb);

// A host function runs after the dispatcher has checked the parameter count and, where
// required, that parameter 1 is a picture field.
using HostFunction = void (*)(CallContext &call);

struct LibraryFunction {
    int16_t minimumCount;
    bool needsPictureField;
    HostFunction run;
};

#if FIGPLOT_WIDE
constexpr int kLibraryFunctionCount = 12;
#else
constexpr int kLibraryFunctionCount = 13;  // GetPixelColor, not in the function table
#endif

// Entry n - 1 describes function n.
extern const LibraryFunction kLibraryFunctions[kLibraryFunctionCount];

}  // namespace fig
