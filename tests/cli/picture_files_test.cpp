// Pictures to and from .bmp and .png files: every depth round trips with its pixels and
// colour table, files written by other programs read as the nearest picture, and files
// that cannot be read say why.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "dib_layout.h"
#include "file_bytes.h"
#include "picture_compare.h"
#include "sim_files.h"

namespace {

using figsim::DibLayout;

std::string TempPath(const std::string &name) {
    return (std::filesystem::temp_directory_path() / ("figplot_files_" + std::to_string(getpid()) + "_" + name)).string();
}

// A picture whose colour table and pixel bytes are noise: every index, every bit counts.
std::vector<uint8_t> NoisePicture(int width, int height, int bits) {
    std::vector<uint8_t> picture = figsim::MakePackedDib(width, height, bits);
    DibLayout layout;
    figsim::ReadDibLayout(picture, &layout);
    std::mt19937 noise(static_cast<unsigned>(bits));
    for (size_t i = layout.tableOffset; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>(noise());
    for (int i = 0; i < layout.tableEntries; ++i) picture[layout.tableOffset + 4u * i + 3] = 0;
    return picture;
}

using clitest::Colours;
using clitest::Depth;

TEST(PictureFiles, EveryDepthRoundTripsThroughBothFormats) {
    struct Case {
        const char *extension;
        int bits, bitsRead;
    } cases[] = {{"bmp", 1, 1},  {"bmp", 4, 4},  {"bmp", 8, 8},  {"bmp", 16, 16}, {"bmp", 24, 24}, {"bmp", 32, 32},
                 {"png", 1, 1},  {"png", 4, 4},  {"png", 8, 8},  {"png", 16, 24}, {"png", 24, 24}, {"png", 32, 32}};
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.extension) + " at " + std::to_string(c.bits) + " bits");
        const std::vector<uint8_t> picture = NoisePicture(13, 7, c.bits);
        const std::string path = TempPath("round." + std::string(c.extension));
        std::string error;
        ASSERT_TRUE(figsim::WritePictureFile(path, picture, &error)) << error;
        std::vector<uint8_t> read;
        ASSERT_TRUE(figsim::ReadPictureFile(path, &read, &error)) << error;
        std::remove(path.c_str());
        EXPECT_EQ(Depth(read), c.bitsRead);
        EXPECT_EQ(Colours(read), Colours(picture));
        if (c.bits <= 8) {  // the colour table itself, not only the colours in use
            const size_t table = 4u << c.bits;
            EXPECT_TRUE(std::equal(read.begin() + 40, read.begin() + 40 + table, picture.begin() + 40));
        }
    }
}

// A PNG as another program may write it: any colour type and bit depth, rows given packed.
void WriteForeignPng(const std::string &path, int width, int colourType, int bitDepth, std::vector<uint8_t> row,
                     std::vector<png_color> palette = {}, std::vector<uint8_t> transparency = {}) {
    FILE *file = std::fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, 1, bitDepth, colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    png_color_16 grey{0, 0, 0, 0, 0};
    grey.gray = transparency.empty() ? 0 : transparency[0];
    if (!transparency.empty())
        png_set_tRNS(png, info, transparency.data(), static_cast<int>(transparency.size()), &grey);
    png_write_info(png, info);
    png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

TEST(PictureFiles, PngsFromElsewhereReadAsTheNearestPicture) {
    const std::vector<png_color> three{{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
    struct Case {
        const char *name;
        int width, colourType, bitDepth;
        std::vector<uint8_t> row;
        std::vector<png_color> palette;
        std::vector<uint8_t> transparency;
        int bits;
        std::vector<COLORREF> colours;
    } cases[] = {
        {"grey 8", 2, PNG_COLOR_TYPE_GRAY, 8, {0, 200}, {}, {}, 8, {RGB(0, 0, 0), RGB(200, 200, 200)}},
        {"grey 2 widens to 4 bits", 3, PNG_COLOR_TYPE_GRAY, 2, {0b00011100}, {}, {}, 4,
         {RGB(0, 0, 0), RGB(85, 85, 85), RGB(255, 255, 255)}},
        {"grey 16 keeps the high byte", 1, PNG_COLOR_TYPE_GRAY, 16, {0xAB, 0xCD}, {}, {}, 8, {RGB(0xAB, 0xAB, 0xAB)}},
        {"palette 2", 3, PNG_COLOR_TYPE_PALETTE, 2, {0b10000100}, three, {}, 4,
         {RGB(70, 80, 90), RGB(10, 20, 30), RGB(40, 50, 60)}},
        {"palette with a clear entry", 2, PNG_COLOR_TYPE_PALETTE, 8, {0, 1}, three, {0}, 8,
         {RGB(255, 255, 255), RGB(40, 50, 60)}},
        {"RGB 16", 1, PNG_COLOR_TYPE_RGB, 16, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}, {}, {}, 24, {RGB(0x12, 0x56, 0x9A)}},
        {"RGBA over white", 2, PNG_COLOR_TYPE_RGBA, 8, {255, 0, 0, 255, 0, 0, 0, 128}, {}, {}, 32,
         {RGB(255, 0, 0), RGB(127, 127, 127)}},
        {"grey with a clear level", 2, PNG_COLOR_TYPE_GRAY, 8, {7, 9}, {}, {7}, 32, {RGB(255, 255, 255), RGB(9, 9, 9)}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = TempPath("foreign.png");
        WriteForeignPng(path, c.width, c.colourType, c.bitDepth, c.row, c.palette, c.transparency);
        std::vector<uint8_t> picture;
        std::string error;
        ASSERT_TRUE(figsim::ReadPngFile(path, &picture, &error)) << error;
        std::remove(path.c_str());
        EXPECT_EQ(Depth(picture), c.bits);
        EXPECT_EQ(Colours(picture), c.colours);
    }
}

// A bitmap file around `dib` (header, masks or table, pixels), as other programs write them.
std::vector<uint8_t> BitmapFile(std::vector<uint8_t> dib, uint32_t pixelsAt) {
    std::vector<uint8_t> file{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<uint8_t>(pixelsAt >> (8 * i)));
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

std::vector<uint8_t> InfoHeader(uint32_t size, int32_t width, int32_t height, int bits, uint32_t compression) {
    std::vector<uint8_t> h(size, 0);
    BITMAPINFOHEADER fields{40, width, height, 1, static_cast<WORD>(bits), compression, 0, 0, 0, 0, 0};
    std::memcpy(h.data(), &fields, sizeof fields);
    h[0] = static_cast<uint8_t>(size);
    return h;
}

TEST(PictureFiles, BitmapFilesFromElsewhere) {
    auto topDown24 = InfoHeader(40, 1, -2, 24, BI_RGB);  // first row on top: red, then blue
    topDown24.insert(topDown24.end(), {0, 0, 255, 0, 255, 0, 0, 0});
    auto version5 = InfoHeader(124, 1, 1, 32, BI_BITFIELDS);
    const uint32_t masks[3] = {0xFF0000, 0xFF00, 0xFF};
    std::memcpy(&version5[40], masks, sizeof masks);
    version5.insert(version5.end(), {30, 20, 10, 0});
    auto rgb565 = InfoHeader(40, 1, 1, 16, BI_BITFIELDS);
    rgb565.insert(rgb565.end(), {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0, 0, 0, 0, 0});
    auto rle = InfoHeader(40, 1, 1, 8, 1);  // BI_RLE8
    auto cut = InfoHeader(40, 4, 4, 24, BI_RGB);

    struct Case {
        const char *name;
        std::vector<uint8_t> file;
        std::vector<COLORREF> colours;  // empty: reading fails with `message`
        const char *message;
    } cases[] = {
        {"top-down rows", BitmapFile(topDown24, 54), {RGB(255, 0, 0), RGB(0, 0, 255)}, ""},
        {"version 5 header, plain masks", BitmapFile(version5, 138), {RGB(10, 20, 30)}, ""},
        {"5-6-5 masks", BitmapFile(rgb565, 66), {}, "unsupported colour masks"},
        {"run-length encoded", BitmapFile(rle, 54), {}, "compressed bitmaps are not supported"},
        {"pixels cut short", BitmapFile(cut, 54), {}, "truncated file"},
        {"not a bitmap", {'G', 'I', 'F', '8', '9', 'a'}, {}, "not a BMP file"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = TempPath("foreign.bmp");
        std::string error;
        ASSERT_TRUE(figsim::WriteFileBytes(path, c.file, &error));
        std::vector<uint8_t> picture;
        const bool read = figsim::ReadBmpFile(path, &picture, &error);
        std::remove(path.c_str());
        EXPECT_EQ(read, !c.colours.empty());
        if (read) EXPECT_EQ(Colours(picture), c.colours);
        else EXPECT_EQ(error, "cannot read " + path + ": " + c.message);
    }
}

TEST(PictureFiles, UnreadablePngsSayWhy) {
    std::vector<uint8_t> good;
    std::string error;
    const std::string path = TempPath("cut.png");
    ASSERT_TRUE(figsim::WritePngFile(path, NoisePicture(40, 40, 24), &error));
    ASSERT_TRUE(figsim::ReadFileBytes(path, &good, &error));
    struct Case {
        const char *name;
        std::vector<uint8_t> bytes;
        const char *message;
    } cases[] = {
        {"cut short", std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2), "truncated file"},
        {"not a PNG", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}, "not a PNG file"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(figsim::WriteFileBytes(path, c.bytes, &error));
        std::vector<uint8_t> picture;
        EXPECT_FALSE(figsim::ReadPngFile(path, &picture, &error));
        EXPECT_EQ(error, "cannot read " + path + ": " + c.message);
    }
    std::remove(path.c_str());
    EXPECT_FALSE(figsim::ReadPictureFile(path, &good, &error));
    EXPECT_EQ(error, "cannot read " + path + ": No such file or directory");
}

}  // namespace
