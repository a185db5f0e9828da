// PNGs of a differing scene: our side, Wine's side, and where they differ.
#pragma once

#include "scene_file.h"

#include <string>

namespace wine_compare {

// Writes <dir>/<scene>_ours.png, _wine.png and _diff.png (differing pixels red, the rest a
// faded copy of Wine's picture). False if a file could not be written.
bool WriteDiffImages(const std::string& dir, const SceneImage& ours, const SceneImage& wine);

}  // namespace wine_compare
