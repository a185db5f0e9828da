#include "png_writer.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace wine_compare {
namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

std::vector<png_byte> ScaledRow(const RgbImage& image, int y, int scale) {
    std::vector<png_byte> row(static_cast<size_t>(image.width * scale) * 3);
    for (int x = 0; x < image.width * scale; ++x) {
        uint32_t rgb =
            image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x / scale)];
        row[static_cast<size_t>(x) * 3] = static_cast<png_byte>(rgb >> 16);
        row[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>(rgb >> 8);
        row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(rgb);
    }
    return row;
}

}  // namespace

bool WritePng(const std::string& path, const RgbImage& image, int scale) {
    if (image.width <= 0 || image.height <= 0 || scale <= 0) return false;
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    // libpng reports errors by longjmp; nothing here owns resources that the jump would leak
    // except the structs destroyed below.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width * scale),
                 static_cast<png_uint_32>(image.height * scale), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height * scale; ++y) {
        std::vector<png_byte> row = ScaledRow(image, y / scale, scale);
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace wine_compare
