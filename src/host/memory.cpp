#include "memory.h"

namespace fig {

void *AllocZeroed(SIZE_T size) { return GlobalAlloc(GMEM_ZEROINIT, size); }

void FreeBlock(void *block) { GlobalFree(block); }

}  // namespace fig
