// Global memory blocks as the library asks for them.
#pragma once

#include <windows.h>

namespace fig {

// A fixed, zero-filled block; null on failure.
void *AllocZeroed(SIZE_T size);
void FreeBlock(void *block);

}  // namespace fig
