// How one scene of ours differs from Wine's, and the sums per primitive class and depth.
#pragma once

#include "scene_file.h"

#include <map>
#include <string>
#include <utility>

namespace wine_compare {

struct SceneDiff {
    bool present = true;         // both sides produced the scene with the same size and depth
    bool pixelsCompared = true;  // false for scenes whose Wine pixels are known to be wrong
    bool tableEqual = true;
    bool extrasEqual = true;
    long pixels = 0;
    long differing = 0;
    long ink = 0;  // pixels either side changed from the background
    long inkDiffering = 0;
    long firstDiffering = -1;  // index of the first differing pixel, row by row from the top

    bool Identical() const { return present && tableEqual && extrasEqual && differing == 0; }
};

// A missing or malformed side counts every pixel as differing. Without comparePixels only
// the size, table and recorded values are compared.
SceneDiff CompareScenes(const SceneImage* ours, const SceneImage& wine, bool comparePixels = true);

struct ClassTotals {
    int scenes = 0;
    int identical = 0;
    int extrasMismatches = 0;
    int missing = 0;
    int pixelsNotCompared = 0;
    long pixels = 0;
    long differing = 0;
    long ink = 0;
    long inkDiffering = 0;

    void Add(const SceneDiff& diff);
    double IdenticalShare() const { return scenes ? double(identical) / scenes : 1.0; }
    double PixelEqualShare() const { return pixels ? 1.0 - double(differing) / double(pixels) : 1.0; }
    double InkEqualShare() const { return ink ? 1.0 - double(inkDiffering) / double(ink) : 1.0; }
};

// Keyed by (class, depth).
using TotalsTable = std::map<std::pair<std::string, int>, ClassTotals>;

}  // namespace wine_compare
