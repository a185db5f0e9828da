#include "memory.h"

namespace fig {

void *AllocZeroed(SIZE_T size) { return GlobalAlloc(GMEM_ZEROINIT, size); }

void FreeBlock(void *block) { GlobalFree(block); }

HGLOBAL AllocMovable(SIZE_T size) { return GlobalAlloc(size <= 8192 ? GHND : GMEM_MOVEABLE, size); }

}  // namespace fig
