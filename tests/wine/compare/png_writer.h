// Comparison images as PNG files, through the host simulator's picture writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wine_compare {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, row 0 at the top

    RgbImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), 0) {}
    uint32_t& At(int x, int y) {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

// Each source pixel becomes a scale x scale block, so single-pixel differences stay visible.
bool WritePng(const std::string& path, const RgbImage& image, int scale);

}  // namespace wine_compare
