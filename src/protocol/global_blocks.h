// Global memory blocks as the library asks for them.
#pragma once

#include <windows.h>

namespace fig {

// A fixed, zero-filled block; null on failure.
inline void *AllocZeroed(SIZE_T size) { return GlobalAlloc(GMEM_ZEROINIT, size); }
inline void FreeBlock(void *block) { GlobalFree(block); }

}  // namespace fig
