// Drawing command lists: a host list whose every line draws one thing.
#pragma once

#include "pictures/canvas.h"
#include "protocol/call_context.h"
#include "protocol/list_binding.h"

namespace fig {

// The command codes of column 1.
enum DrawCommandCode : int16_t {
    CmdEraseRect = 0,
    CmdDrawLine = 1,
    CmdDrawRect = 2,
    CmdFillRect = 3,
    CmdDrawOval = 4,
    CmdFillOval = 5,
    CmdDrawText = 6,
};

constexpr int kMinimumCommandColumns = 7;

// A list bound by name, ready to play: false (answer 2) for an empty name, fewer than 7
// columns the host knows, or no lines.
struct DrawCommandList {
    ListColumnMap map;
    int32_t lineCount;  // negative: nothing is drawn
};
bool BindDrawCommandList(const CallContext &call, int16_t nameParam, DrawCommandList &list);

// Draws lines 1 to the line count onto the canvas, each over what the earlier ones drew.
// A line with an unknown code draws nothing; nothing stops the loop.
void PlayDrawCommands(const InstanceData &instance, FigHostCallback cb, const DrawCommandList &list,
                      const Canvas &canvas);

}  // namespace fig
