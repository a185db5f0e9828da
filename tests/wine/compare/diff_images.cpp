#include "diff_images.h"

#include "png_writer.h"

namespace wine_compare {
namespace {

RgbImage ToRgb(const SceneImage& scene) {
    RgbImage image(scene.width, scene.height);
    for (size_t i = 0; i < scene.pixels.size(); ++i) image.pixels[i] = PixelColour(scene, scene.pixels[i]);
    return image;
}

uint32_t Faded(uint32_t rgb) {
    uint32_t r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
    uint32_t grey = (r * 3 + g * 6 + b) / 10;
    uint32_t light = 160 + grey * 95 / 255;
    return light << 16 | light << 8 | light;
}

RgbImage Difference(const SceneImage& ours, const SceneImage& wine) {
    RgbImage image(wine.width, wine.height);
    for (size_t i = 0; i < wine.pixels.size(); ++i) {
        bool differs = ours.pixels[i] != wine.pixels[i];
        image.pixels[i] = differs ? 0xFF0000u : Faded(PixelColour(wine, wine.pixels[i]));
    }
    return image;
}

int ScaleFor(const SceneImage& scene) { return scene.width <= 100 ? 6 : 3; }

}  // namespace

bool WriteDiffImages(const std::string& dir, const SceneImage& ours, const SceneImage& wine) {
    if (ours.pixels.size() != wine.pixels.size() || wine.pixels.empty()) return false;
    std::string base = dir + "/" + wine.name;
    int scale = ScaleFor(wine);
    return WritePng(base + "_ours.png", ToRgb(ours), scale) && WritePng(base + "_wine.png", ToRgb(wine), scale) &&
           WritePng(base + "_diff.png", Difference(ours, wine), scale);
}

}  // namespace wine_compare
