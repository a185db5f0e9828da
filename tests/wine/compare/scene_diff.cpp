#include "scene_diff.h"

namespace wine_compare {

SceneDiff CompareScenes(const SceneImage* ours, const SceneImage& wine, bool comparePixels) {
    SceneDiff diff;
    diff.pixels = static_cast<long>(wine.pixels.size());
    if (!ours || ours->depth != wine.depth || ours->width != wine.width || ours->height != wine.height ||
        ours->pixels.size() != wine.pixels.size()) {
        diff.present = false;
        diff.differing = diff.pixels;
        diff.ink = diff.inkDiffering = diff.pixels;
        return diff;
    }
    diff.tableEqual = ours->table == wine.table;
    diff.extrasEqual = ours->extras == wine.extras;
    if (!comparePixels) {
        diff.pixelsCompared = false;
        diff.pixels = 0;
        return diff;
    }
    for (size_t i = 0; i < wine.pixels.size(); ++i) {
        uint32_t a = ours->pixels[i], b = wine.pixels[i];
        bool inked = a != ours->background || b != wine.background;
        if (inked) ++diff.ink;
        if (a != b) {
            if (diff.differing == 0) diff.firstDiffering = static_cast<long>(i);
            ++diff.differing;
            if (inked) ++diff.inkDiffering;
        }
    }
    return diff;
}

void ClassTotals::Add(const SceneDiff& diff) {
    ++scenes;
    if (diff.Identical()) ++identical;
    if (!diff.present) ++missing;
    if (!diff.pixelsCompared) ++pixelsNotCompared;
    if (diff.present && !diff.extrasEqual) ++extrasMismatches;
    pixels += diff.pixels;
    differing += diff.differing;
    ink += diff.ink;
    inkDiffering += diff.inkDiffering;
}

}  // namespace wine_compare
