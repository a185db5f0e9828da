// The handlers of the host's messages.
#pragma once

#include <windows.h>

#include "call_context.h"

namespace fig {

void OpenInstance(CallContext &call, void **instanceSlot);
void CallFunction(CallContext &call);
void CloseInstance(void **instanceSlot);
void DescribeFunction(HMODULE module, FigHostCallback cb);
void FlagRequestRecord(FigHostCallback cb);

}  // namespace fig
