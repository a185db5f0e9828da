// The depth a bitmap's pixels are counted in for sizes and files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>

namespace fig {

// The low 16 bits of planes x bits per pixel rounded up to 1, 4, 8, 16, 24 or 32.
inline int RoundedDepth(const BITMAP &bitmap) {
    const auto bits = static_cast<uint16_t>(bitmap.bmPlanes * bitmap.bmBitsPixel);
    if (bits == 1) return 1;
    for (int depth : {4, 8, 16, 24})
        if (bits <= depth) return depth;
    return 32;
}

}  // namespace fig
