// Compares what the scenarios made on Linux (the externals on the portable platform) with
// what they made on Windows (the DLLs on Wine's gdi32), byte for byte, and reports per
// function and depth. For every differing picture it writes PNGs of both sides and of the
// differing pixels: <report>/images/<build>_<scenario>_ours.png (Linux), _wine.png (Windows
// under Wine), _diff.png. A difference fails unless kKnownDifferences names its cause.
//
// usage: figplot_scenario_compare <linux output> <windows output> <report folder>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "diff_images.h"
#include "png_writer.h"

namespace {

namespace fs = std::filesystem;

// Differences whose cause is known and documented (docs/windows.md): a scenario name
// fragment and the cause.
struct KnownDifference {
    const char *fragment;
    const char *cause;
};
const KnownDifference kKnownDifferences[] = {
    {"_courier_raster_italic",
     "Wine 8.0 draws raster fonts with synthesised italic from memory it never wrote (the glyphs differ from one "
     "run to the next); the GDI comparison leaves these pixels out too"},
};

const char *KnownCause(const std::string &scenario) {
    for (const KnownDifference &known : kKnownDifferences)
        if (scenario.find(known.fragment) != std::string::npos) return known.cause;
    return nullptr;
}

std::vector<uint8_t> ReadAll(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

uint32_t Le(const std::vector<uint8_t> &b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | (at + i < b.size() ? b[at + i] : 0);
    return v;
}

// A packed DIB (or a bitmap file, after its 14-byte header) as a comparator image: raw pixel
// values, row 0 at the top, and the colour table.
bool DecodePicture(const std::vector<uint8_t> &bytes, size_t start, const std::string &name, scenes::Record *image) {
    if (bytes.size() < start + 40) return false;
    const int width = static_cast<int32_t>(Le(bytes, start + 4, 4)), rawHeight = static_cast<int32_t>(Le(bytes, start + 8, 4));
    const int depth = static_cast<int>(Le(bytes, start + 14, 2));
    const uint32_t headerSize = Le(bytes, start, 4), used = Le(bytes, start + 32, 4);
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (width <= 0 || height <= 0 || width > 100000 || height > 100000) return false;
    const size_t entries = depth <= 8 ? (used ? used : 1u << depth) : used;
    const size_t stride = (static_cast<size_t>(width) * depth + 31) / 32 * 4;
    const size_t pixelsAt = start + headerSize + 4 * entries;
    if (bytes.size() < pixelsAt + stride * height) return false;
    image->name = name;
    image->depth = depth;
    image->width = width;
    image->height = height;
    image->table.clear();
    for (size_t i = 0; i < entries; ++i) image->table.push_back(Le(bytes, start + headerSize + 4 * i, 3));
    image->pixels.assign(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        const size_t row = pixelsAt + stride * (rawHeight > 0 ? height - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            uint32_t &p = image->pixels[static_cast<size_t>(y) * width + x];
            if (depth < 8) {
                const size_t bit = static_cast<size_t>(x) * depth;
                p = (bytes[row + bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
            } else {
                p = Le(bytes, row + static_cast<size_t>(x) * (depth / 8), depth / 8);
                if (depth == 32) p &= 0xFFFFFF;
            }
        }
    }
    return true;
}

// "<Function>@d<depth>_<case>"
std::pair<std::string, int> FunctionAndDepth(const std::string &scenario) {
    const size_t at = scenario.find("@d");
    if (at == std::string::npos) return {scenario, 0};
    return {scenario.substr(0, at), std::atoi(scenario.c_str() + at + 2)};
}

std::map<std::string, std::string> ReadAnswers(const fs::path &path) {
    std::map<std::string, std::string> answers;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) answers[line.substr(0, line.find(' '))] = line;
    return answers;
}

struct Tally {
    int scenarios = 0, identical = 0, known = 0;
};

struct Comparison {
    std::map<std::pair<std::string, int>, Tally> byFunctionAndDepth;
    std::vector<std::string> differences;  // one line each
    int unexplained = 0;
    int images = 0;
};

std::string DescribeBytes(const std::vector<uint8_t> &linuxBytes, const std::vector<uint8_t> &windowsBytes) {
    if (linuxBytes.empty() || windowsBytes.empty()) return linuxBytes.empty() ? "missing on Linux" : "missing on Windows";
    size_t first = 0;
    while (first < linuxBytes.size() && first < windowsBytes.size() && linuxBytes[first] == windowsBytes[first]) ++first;
    size_t differing = 0;
    for (size_t i = 0; i < linuxBytes.size() && i < windowsBytes.size(); ++i) differing += linuxBytes[i] != windowsBytes[i];
    std::ostringstream text;
    text << linuxBytes.size() << " and " << windowsBytes.size() << " bytes, " << differing << " differ, the first at " << first;
    return text.str();
}

void WriteImages(const fs::path &images, const std::string &label, const std::vector<uint8_t> &linuxBytes,
                 const std::vector<uint8_t> &windowsBytes, size_t start, Comparison &c) {
    scenes::Record ours, wine;
    const bool oursRead = DecodePicture(linuxBytes, start, label, &ours), wineRead = DecodePicture(windowsBytes, start, label, &wine);
    if (oursRead && wineRead && wine_compare::WriteDiffImages(images.string(), ours, wine)) {
        ++c.images;
        return;
    }
    auto single = [&](const scenes::Record &image, const char *side) {
        wine_compare::RgbImage rgb(image.width, image.height);
        for (size_t i = 0; i < image.pixels.size(); ++i) rgb.pixels[i] = wine_compare::PixelColour(image, image.pixels[i]);
        wine_compare::WritePng((images / (label + side)).string(), rgb, 3);
    };
    if (oursRead) single(ours, "_ours.png");
    if (wineRead) single(wine, "_wine.png");
    ++c.images;
}

void CompareBuild(const fs::path &linuxDir, const fs::path &windowsDir, const std::string &build, const fs::path &images,
                  Comparison &c) {
    const auto linuxAnswers = ReadAnswers(linuxDir / build / "answers.txt");
    const auto windowsAnswers = ReadAnswers(windowsDir / build / "answers.txt");
    std::set<std::string> scenarios;
    for (const auto &answers : {linuxAnswers, windowsAnswers})
        for (const auto &[name, line] : answers) scenarios.insert(name);
    for (const std::string &scenario : scenarios) {
        Tally &t = c.byFunctionAndDepth[FunctionAndDepth(scenario)];
        ++t.scenarios;
        std::vector<std::string> what;
        const auto l = linuxAnswers.find(scenario), w = windowsAnswers.find(scenario);
        if (l == linuxAnswers.end() || w == windowsAnswers.end()) {
            what.push_back("ran on one side only");
        } else if (l->second != w->second) {
            what.push_back("answers \"" + l->second + "\" and \"" + w->second + "\"");
        }
        for (const char *suffix : {".dib", ".bmp"}) {
            const std::string file = scenario + suffix;
            const std::vector<uint8_t> linuxBytes = ReadAll(linuxDir / build / file), windowsBytes = ReadAll(windowsDir / build / file);
            if (linuxBytes == windowsBytes) continue;
            what.push_back(std::string(suffix + 1) + " " + DescribeBytes(linuxBytes, windowsBytes));
            WriteImages(images, build + "_" + scenario, linuxBytes, windowsBytes, suffix[1] == 'b' ? 14 : 0, c);
        }
        if (what.empty()) {
            ++t.identical;
            continue;
        }
        const char *cause = KnownCause(scenario);
        cause ? ++t.known : ++c.unexplained;
        std::string line = "- " + build + " " + scenario + ":";
        for (const std::string &w : what) line += " " + w + ";";
        c.differences.push_back(line + (cause ? " known (see below)" : " unexplained"));
    }
}

std::string Summary(const Comparison &c) {
    std::ostringstream md;
    md << "| function | depth | scenarios | identical | known differences | unexplained |\n|---|---:|---:|---:|---:|---:|\n";
    for (const auto &[key, t] : c.byFunctionAndDepth)
        md << "| " << key.first << " | " << key.second << " | " << t.scenarios << " | " << t.identical << " | " << t.known
           << " | " << t.scenarios - t.identical - t.known << " |\n";
    md << "\n";
    if (c.differences.empty()) md << "Every scenario's answers, stored pictures and written files are identical.\n";
    for (const std::string &line : c.differences) md << line << "\n";
    if (c.differences.size() > static_cast<size_t>(c.unexplained)) {
        md << "\nKnown causes:\n";
        for (const KnownDifference &known : kKnownDifferences) md << "- `" << known.fragment << "`: " << known.cause << "\n";
    }
    return md.str();
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <linux output> <windows output> <report folder>\n", argv[0]);
        return 2;
    }
    const fs::path report = argv[3], images = report / "images";
    fs::remove_all(images);
    fs::create_directories(images);
    Comparison c;
    for (const char *build : {"figPlotU", "figPlot"}) CompareBuild(argv[1], argv[2], build, images, c);
    int scenarios = 0, identical = 0;
    for (const auto &[key, t] : c.byFunctionAndDepth) scenarios += t.scenarios, identical += t.identical;
    const std::string summary = Summary(c);
    std::ofstream(report / "summary.md") << "# Linux build against the Windows build under Wine\n\n" << summary;
    std::printf("%s\nScenarios (both builds): %d, identical: %d, differing with a known cause: %zu, unexplained: %d; "
                "PNGs of %d differing pictures in %s\n",
                summary.c_str(), scenarios, identical, c.differences.size() - c.unexplained, c.unexplained, c.images,
                images.string().c_str());
    return c.unexplained == 0 && scenarios > 0 ? 0 : 1;
}
