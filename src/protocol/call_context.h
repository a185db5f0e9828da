// What one message carries through the library: the host's callback and window, the
// open instance, the parameter count, the result and the picture bitmap held for the
// common ending to delete.
#pragma once

#include <figplot/host_api.h>
#include <windows.h>

#include <cstdint>

#include "instance.h"

namespace fig {

struct CallContext {
    FigHostCallback callback;
    HWND window;
    InstanceData *instance;  // null outside an open instance
    int16_t paramCount;
    int16_t result;
    HBITMAP picture;  // a picture fetched from the host: ours to delete at the end
};

}  // namespace fig
