#include "png_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "figsim.h"
#include "sim_files.h"

namespace wine_compare {
namespace {

// Each pixel becomes a scale x scale block, every channel kept; what cannot be drawn is refused.
TEST(PngWriter, ScalesEachPixelIntoABlockAndRefusesEmptyImages) {
    const std::string path = (std::filesystem::temp_directory_path() / "wine_compare_png_writer.png").string();
    RgbImage image(3, 2);
    image.pixels = {0x123456, 0xFF0000, 0x00FF01, 0x0000FE, 0xA0B0C0, 0x010203};
    ASSERT_TRUE(WritePng(path, image, 2));
    std::vector<uint8_t> picture;
    std::string error;
    ASSERT_TRUE(figsim::ReadPngFile(path, &picture, &error)) << error;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const uint32_t rgb = image.pixels[static_cast<size_t>(y / 2) * 3 + static_cast<size_t>(x / 2)];
            EXPECT_EQ(figsim::PackedDibPixel(picture, x, y), RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF))
                << x << "," << y;
        }
    EXPECT_EQ(figsim::PackedDibPixel(picture, 6, 0), CLR_INVALID);
    EXPECT_EQ(figsim::PackedDibPixel(picture, 0, 4), CLR_INVALID);
    std::filesystem::remove(path);
    EXPECT_FALSE(WritePng(path, RgbImage(0, 2), 2));
    EXPECT_FALSE(WritePng(path, image, 0));
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace wine_compare
