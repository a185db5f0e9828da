#include "scene_file.h"

#include <cstdio>
#include <memory>

namespace wine_compare {
namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

template <typename T>
bool ReadArray(FILE* file, std::vector<T>& values, size_t count) {
    values.resize(count);
    return count == 0 || std::fread(values.data(), sizeof(T), count, file) == count;
}

bool ReadHeader(FILE* file, SceneImage& scene, size_t& tableSize, size_t& extraCount, bool& atEnd) {
    char name[512], cls[128];
    int topDown = 0;
    unsigned background = 0;
    int fields = std::fscanf(file, "scene %511s %127s %d %d %d %d %u %zu %zu", name, cls, &scene.depth, &topDown,
                             &scene.width, &scene.height, &background, &tableSize, &extraCount);
    if (fields == EOF) {
        atEnd = true;
        return true;
    }
    if (fields != 9 || std::fgetc(file) != '\n') return false;
    scene.name = name;
    scene.cls = cls;
    scene.topDown = topDown != 0;
    scene.background = background;
    return scene.width >= 0 && scene.height >= 0 && scene.width <= 100000 && scene.height <= 100000;
}

}  // namespace

bool ReadSceneFile(const std::string& path, SceneSet& scenes, std::string& error) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = "cannot open " + path;
        return false;
    }
    for (;;) {
        SceneImage scene;
        size_t tableSize = 0, extraCount = 0;
        bool atEnd = false;
        if (!ReadHeader(file.get(), scene, tableSize, extraCount, atEnd)) {
            error = path + ": bad record header after " + std::to_string(scenes.size()) + " scenes";
            return false;
        }
        if (atEnd) return true;
        size_t pixels = static_cast<size_t>(scene.width) * static_cast<size_t>(scene.height);
        if (!ReadArray(file.get(), scene.table, tableSize) || !ReadArray(file.get(), scene.extras, extraCount) ||
            !ReadArray(file.get(), scene.pixels, pixels)) {
            error = path + ": truncated record " + scene.name;
            return false;
        }
        std::string key = scene.name;
        scenes[key] = std::move(scene);
    }
}

uint32_t PixelColour(const SceneImage& scene, uint32_t value) {
    if (scene.depth <= 8) return value < scene.table.size() ? scene.table[value] : 0xFF00FFu;
    if (scene.depth == 16) {
        uint32_t r = (value >> 10) & 0x1F, g = (value >> 5) & 0x1F, b = value & 0x1F;
        return (r << 3 | r >> 2) << 16 | (g << 3 | g >> 2) << 8 | (b << 3 | b >> 2);
    }
    return value & 0xFFFFFFu;
}

}  // namespace wine_compare
