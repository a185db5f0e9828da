// Global memory blocks as the library asks for them.
#pragma once

#include <windows.h>

namespace fig {

// A fixed, zero-filled block; null on failure.
void *AllocZeroed(SIZE_T size);
void FreeBlock(void *block);
// Up to 8192 bytes a moveable zero-filled block (GHND); above, moveable and not zeroed.
HGLOBAL AllocMovable(SIZE_T size);

}  // namespace fig
