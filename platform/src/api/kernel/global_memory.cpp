// GlobalAlloc and LocalAlloc blocks.
//
// A fixed block's handle is its address (Windows code uses it as a pointer); a moveable
// block gets a synthetic handle and must be locked to be used. Blocks allocated without
// a zero-fill flag are filled with 0xCD, so code that relies on zeros it never asked for
// shows up in tests instead of passing by luck.
#include <figplatform.h>

#include <cstdlib>
#include <cstring>

#include "core/faults.h"
#include "core/registry.h"

namespace {

struct MemoryBlock {
    unsigned char *data;
    SIZE_T size;
    int locks;
    bool moveable;
};

constexpr unsigned char kUninitialisedFill = 0xCD;

HANDLE AllocateBlock(UINT flags, SIZE_T bytes) {
    const bool moveable = (flags & GMEM_MOVEABLE) != 0;
    const bool zeroed = (flags & GMEM_ZEROINIT) != 0;
    auto *data = static_cast<unsigned char *>(std::malloc(bytes ? bytes : 1));
    if (!data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::memset(data, zeroed ? 0 : kUninitialisedFill, bytes);
    auto *block = new MemoryBlock{data, bytes, 0, moveable};
    if (moveable) return figplat::RegisterObject(PlatformMemory, block);
    if (!figplat::RegisterObjectAt(data, PlatformMemory, block)) {
        delete block;
        std::free(data);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return data;
}

MemoryBlock *FindBlock(HGLOBAL mem) {
    auto *block = static_cast<MemoryBlock *>(figplat::LookupObject(mem, PlatformMemory));
    if (!block) SetLastError(ERROR_INVALID_HANDLE);
    return block;
}

// Windows returns null on success and the handle itself on failure.
HGLOBAL FreeBlock(HGLOBAL mem) {
    auto *block = static_cast<MemoryBlock *>(figplat::UnregisterObject(mem, PlatformMemory));
    if (!block) {
        figplat::NoteFailedRelease(mem);
        SetLastError(ERROR_INVALID_HANDLE);
        return mem;
    }
    std::free(block->data);
    delete block;
    return nullptr;
}

}  // namespace

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
    if (FIG_FAULT_POINT("GlobalAlloc")) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return AllocateBlock(flags, bytes);
}

LPVOID WINAPI GlobalLock(HGLOBAL mem) {
    if (FIG_FAULT_POINT("GlobalLock")) return nullptr;
    MemoryBlock *block = FindBlock(mem);
    if (!block) return nullptr;
    if (block->moveable) ++block->locks;
    return block->data;
}

BOOL WINAPI GlobalUnlock(HGLOBAL mem) {
    MemoryBlock *block = FindBlock(mem);
    if (!block) return FALSE;
    if (!block->moveable || block->locks == 0) {
        SetLastError(ERROR_SUCCESS);  // "not locked": FALSE with no error, as Windows reports it
        return FALSE;
    }
    --block->locks;
    if (block->locks == 0) {
        SetLastError(ERROR_SUCCESS);
        return FALSE;
    }
    return TRUE;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL mem) {
    if (!mem) return nullptr;
    return FreeBlock(mem);
}

SIZE_T WINAPI GlobalSize(HGLOBAL mem) {
    MemoryBlock *block = FindBlock(mem);
    return block ? block->size : 0;
}

HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes) {
    if (FIG_FAULT_POINT("LocalAlloc")) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return AllocateBlock(flags, bytes);
}

HLOCAL WINAPI LocalFree(HLOCAL mem) {
    if (!mem) return nullptr;
    return FreeBlock(mem);
}
