// The host functions, by number. Each runs after the dispatcher has checked the
// parameter count and, where required, that parameter 1 is a picture field.
#pragma once

#include "call_context.h"

namespace fig {

using HostFunction = void (*)(CallContext &call);

struct FunctionEntry {
    int16_t minimumCount;
    bool needsPictureField;
    HostFunction run;
};

#if FIGPLOT_WIDE
constexpr int kFunctionCount = 12;
#else
constexpr int kFunctionCount = 13;  // GetPixelColor, not in the function table
#endif

// Entry n - 1 describes function n.
extern const FunctionEntry kFunctions[kFunctionCount];

}  // namespace fig
