// How large a canvas the library will make on this machine.
#pragma once

#include <windows.h>

#include <cstdint>

namespace fig {

// Bytes of pixel data of a width x height bitmap at depth, rows padded to 4 bytes; 64-bit.
uint64_t CanvasPixelBytes(int32_t width, int32_t height, int16_t depth);

// Whether such a canvas fits: at most half the physical memory available now. The library
// runs inside the host's process; a section the kernel overcommits is touched whole when it
// is stored or written, and the process would be killed instead of the call refused.
bool CanvasFitsInMemory(int32_t width, int32_t height, int16_t depth);

}  // namespace fig
