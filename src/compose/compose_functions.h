// Host functions that compose a whole picture from a drawing command list.
#pragma once

#include "host/call_context.h"

namespace fig {

void ComposeFile(CallContext &call);  // 1: (outputPath, width, height, depth, drawCmdsListname)
void ComposePict(CallContext &call);  // 2: (pictureField, width, height, depth, drawCmdsListname)

}  // namespace fig
