// Pictures compared as a person sees them: size, depth and the colour of every pixel.
#pragma once

#include <vector>

#include "dib_layout.h"
#include "figsim.h"

namespace clitest {

inline int Depth(const std::vector<uint8_t> &picture) {
    figsim::DibLayout layout;
    return figsim::ReadDibLayout(picture, &layout) ? layout.bits : 0;
}

// The colours row by row from the top; empty for a picture that cannot be read.
inline std::vector<COLORREF> Colours(const std::vector<uint8_t> &picture) {
    figsim::DibLayout layout;
    std::vector<COLORREF> colours;
    if (!figsim::ReadDibLayout(picture, &layout)) return colours;
    for (int y = 0; y < layout.height; ++y)
        for (int x = 0; x < layout.width; ++x) colours.push_back(figsim::PackedDibPixel(picture, x, y));
    return colours;
}

}  // namespace clitest
