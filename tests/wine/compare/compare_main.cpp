// Compares the platform's scenes with Wine's, scene by scene.
//
//   figplot_wine_compare <our dir> <wine dir> <report dir>   tables, PNGs, summary.md;
//                                                           exit 1 if an enforced class fails
//   figplot_wine_compare --dump <scenes.bin> <dir> [substring]   PNGs of one side's scenes
#include "diff_images.h"
#include "png_writer.h"
#include "report.h"
#include "scene_file.h"
#include "targets.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

namespace {

using namespace wine_compare;

constexpr int kMaxImageScenes = 50;
constexpr int kMaxImageScenesPerClass = 8;  // so that one broken class leaves room for the others
constexpr size_t kMaxExtrasNotes = 60;

// Names of the values the text scenes record, in the runner's order: the wide layout
// (metrics, extent, TextOutW) and the 8-bit character tables (metrics, then per line the
// extent call, cx, cy and TextOutA).
std::string ExtraName(const SceneImage& scene, size_t index) {
    static const char* const wide[] = {"GetTextMetrics",
                                       "tmHeight",
                                       "tmAscent",
                                       "tmDescent",
                                       "tmInternalLeading",
                                       "tmExternalLeading",
                                       "tmAveCharWidth",
                                       "tmMaxCharWidth",
                                       "tmWeight",
                                       "tmOverhang",
                                       "tmDigitizedAspectX",
                                       "tmDigitizedAspectY",
                                       "tmFirstChar",
                                       "tmLastChar",
                                       "tmDefaultChar",
                                       "tmBreakChar",
                                       "tmItalic",
                                       "tmUnderlined",
                                       "tmStruckOut",
                                       "tmPitchAndFamily",
                                       "tmCharSet",
                                       "GetTextExtentPoint32",
                                       "extent.cx",
                                       "extent.cy",
                                       "TextOutW"};
    static const char* const narrow[] = {"GetTextMetricsA", "tmHeight",       "tmAscent",    "tmDescent",
                                         "tmAveCharWidth",  "tmMaxCharWidth", "tmWeight",    "tmFirstChar",
                                         "tmLastChar",      "tmDefaultChar",  "tmBreakChar", "tmPitchAndFamily",
                                         "tmCharSet"};
    static const char* const perLine[] = {"GetTextExtentPoint32A", "cx", "cy", "TextOutA"};
    if (scene.cls == "text" && scene.extras.size() == std::size(wide)) return wide[index];
    if (scene.name.rfind("text_ansi_", 0) == 0) {
        if (index < std::size(narrow)) return narrow[index];
        size_t line = (index - std::size(narrow)) / 4;
        return "line " + std::to_string(line) + " " + perLine[(index - std::size(narrow)) % 4];
    }
    return "value[" + std::to_string(index) + "]";
}

// Every differing value of a scene's recorded return values, up to a few.
std::string DescribeExtras(const SceneImage& ours, const SceneImage& wine) {
    std::string note = "`" + wine.name + "`:";
    int shown = 0;
    for (size_t i = 0; i < wine.extras.size() && shown < 6; ++i) {
        int32_t a = i < ours.extras.size() ? ours.extras[i] : 0;
        if (a == wine.extras[i] && i < ours.extras.size()) continue;
        note +=
            " " + ExtraName(wine, i) + " ours " + std::to_string(a) + " wine " + std::to_string(wine.extras[i]) + ";";
        ++shown;
    }
    if (ours.extras.size() != wine.extras.size())
        note += " (" + std::to_string(ours.extras.size()) + " values vs " + std::to_string(wine.extras.size()) + ")";
    return note;
}

// One line per differing scene: how many pixels, the first one, and what else differs.
std::string DescribeDifference(const SceneImage* ours, const SceneImage& wine, const SceneDiff& diff) {
    if (!diff.present) return wine.name + ": missing or of another size on our side";
    std::string line = wine.name + ":";
    if (diff.differing > 0) {
        long x = diff.firstDiffering % wine.width, y = diff.firstDiffering / wine.width;
        char text[160];
        std::snprintf(text, sizeof text, " %ld px differ, first at (%ld,%ld) ours %06X wine %06X;", diff.differing, x,
                      y, static_cast<unsigned>(ours->pixels[static_cast<size_t>(diff.firstDiffering)]),
                      static_cast<unsigned>(wine.pixels[static_cast<size_t>(diff.firstDiffering)]));
        line += text;
    }
    if (!diff.tableEqual) line += " colour table differs;";
    if (!diff.extrasEqual) line += " return values differ;";
    return line;
}

ComparisonResult CompareSets(const SceneSet& ours, const SceneSet& wine, const std::string& imageDir,
                             std::vector<std::string>& details) {
    ComparisonResult result;
    result.oursCount = static_cast<int>(ours.size());
    result.wineCount = static_cast<int>(wine.size());
    for (const auto& [name, scene] : ours)
        if (!wine.count(name)) ++result.extraInOurs;
    int imagesWritten = 0;
    std::map<std::string, int> imagesPerClass;
    for (const auto& [name, theirs] : wine) {
        auto found = ours.find(name);
        const SceneImage* mine = found == ours.end() ? nullptr : &found->second;
        SceneDiff diff = CompareScenes(mine, theirs, !WinePixelsUnreliable(name));
        result.totals[{theirs.cls, theirs.depth}].Add(diff);
        if (diff.Identical()) continue;
        details.push_back(DescribeDifference(mine, theirs, diff));
        result.differingScenes[theirs.cls].push_back(details.back());
        if (mine && diff.present && !diff.extrasEqual && result.extrasNotes.size() < kMaxExtrasNotes)
            result.extrasNotes.push_back(DescribeExtras(*mine, theirs));
        int& classImages = imagesPerClass[theirs.cls];
        if (mine && diff.present && diff.differing > 0 && imagesWritten < kMaxImageScenes &&
            classImages < kMaxImageScenesPerClass && WriteDiffImages(imageDir, *mine, theirs))
            ++imagesWritten, ++classImages;
    }
    return result;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file) return;
    for (const std::string& line : lines) std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
}

bool Load(const std::string& path, SceneSet& scenes) {
    std::string error;
    if (ReadSceneFile(path, scenes, error)) return true;
    std::fprintf(stderr, "figplot_wine_compare: %s\n", error.c_str());
    return false;
}

int Dump(const std::string& file, const std::string& dir, const char* filter) {
    SceneSet scenes;
    if (!Load(file, scenes)) return 2;
    std::filesystem::create_directories(dir);
    for (const auto& [name, scene] : scenes) {
        if (filter && name.find(filter) == std::string::npos) continue;
        if (scene.pixels.empty()) continue;
        RgbImage image(scene.width, scene.height);
        for (size_t i = 0; i < scene.pixels.size(); ++i) image.pixels[i] = PixelColour(scene, scene.pixels[i]);
        WritePng(dir + "/" + name + ".png", image, scene.width <= 100 ? 6 : 3);
    }
    return 0;
}

int Compare(const std::string& oursDir, const std::string& wineDir, const std::string& reportDir, ComparisonRun run) {
    SceneSet ours, wine;
    if (!Load(oursDir + "/scenes.bin", ours) || !Load(wineDir + "/scenes.bin", wine)) return 2;
    std::string imageDir = reportDir + "/images";
    std::filesystem::remove_all(imageDir);
    std::filesystem::create_directories(imageDir);
    std::vector<std::string> details;
    ComparisonResult result = CompareSets(ours, wine, imageDir, details);
    WriteLines(reportDir + "/differences.txt", details);
    std::printf("%s", FormatTable(result, false).c_str());
    std::string summary = reportDir + "/summary.md";
    if (!WriteMarkdownSummary(summary, result))
        std::fprintf(stderr, "figplot_wine_compare: cannot write %s\n", summary.c_str());
    std::printf(
        "\nsummary: %s\nevery differing scene: %s/differences.txt\nimages of up to %d differing scenes "
        "(%d per class): %s\n",
        summary.c_str(), reportDir.c_str(), kMaxImageScenes, kMaxImageScenesPerClass, imageDir.c_str());
    std::vector<std::string> failing = FailingEnforcedClasses(result, run);
    for (const std::string& cls : failing) std::printf("FAIL: enforced class %s misses its target\n", cls.c_str());
    return failing.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--dump") == 0) return Dump(argv[2], argv[3], argc >= 5 ? argv[4] : nullptr);
    const bool smooth = argc == 5 && std::strcmp(argv[1], "--smooth") == 0;
    if (argc != 4 && !smooth) {
        std::fprintf(stderr,
                     "usage: figplot_wine_compare [--smooth] <our dir> <wine dir> <report dir>\n"
                     "       figplot_wine_compare --dump <scenes.bin> <dir> [name substring]\n");
        return 2;
    }
    if (smooth) return Compare(argv[2], argv[3], argv[4], ComparisonRun::Smooth);
    return Compare(argv[1], argv[2], argv[3], ComparisonRun::Main);
}
