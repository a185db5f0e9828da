// Reads the scenes.bin files the scene runner writes (format described in runner/record.h).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace wine_compare {

struct SceneImage {
    std::string name;
    std::string cls;
    int depth = 0;
    bool topDown = false;
    int width = 0;
    int height = 0;
    uint32_t background = 0;
    std::vector<uint32_t> table;
    std::vector<int32_t> extras;
    std::vector<uint32_t> pixels;
};

using SceneSet = std::map<std::string, SceneImage>;

// Fills `scenes` from `path`; false with a message in `error` when the file is unreadable
// or truncated.
bool ReadSceneFile(const std::string& path, SceneSet& scenes, std::string& error);

// The colour a raw pixel value stands for, as 0xRRGGBB.
uint32_t PixelColour(const SceneImage& scene, uint32_t value);

}  // namespace wine_compare
