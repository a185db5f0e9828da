// Reads the scenes.bin files the scene runner writes (format described in runner/record.h).
#pragma once

#include "scene_record.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace wine_compare {

using SceneImage = scenes::Record;

using SceneSet = std::map<std::string, SceneImage>;

// Fills `scenes` from `path`; false with a message in `error` when the file is unreadable
// or truncated.
bool ReadSceneFile(const std::string& path, SceneSet& scenes, std::string& error);

// The colour a raw pixel value stands for, as 0xRRGGBB.
uint32_t PixelColour(const SceneImage& scene, uint32_t value);

}  // namespace wine_compare
