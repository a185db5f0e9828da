#include "canvas_limits.h"

namespace fig {

uint64_t CanvasPixelBytes(int32_t width, int32_t height, int16_t depth) {
    if (width <= 0 || height <= 0 || depth <= 0) return 0;
    const uint64_t rowBytes = (uint64_t{static_cast<uint32_t>(width)} * static_cast<uint16_t>(depth) + 31) / 32 * 4;
    return rowBytes * static_cast<uint32_t>(height);
}

bool CanvasFitsInMemory(int32_t width, int32_t height, int16_t depth) {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    // Without a figure the section's own limits decide, as before.
    if (!GlobalMemoryStatusEx(&status)) return true;
    return CanvasPixelBytes(width, height, depth) <= status.ullAvailPhys / 2;
}

}  // namespace fig
