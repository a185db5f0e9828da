// PNG files through libpng.
//
// Written: 1, 4 and 8 bits as palette images of that bit depth whose palette is the
// picture's colour table; 16 bits widened to 8-bit RGB; 24 bits as RGB; 32 bits as RGBA,
// opaque (the fourth byte of a 32-bit picture is unused, so it never becomes alpha).
// Read: palette images as pictures of 1, 4 (2-bit palettes widen) or 8 bits with the
// image's palette; grey images without transparency the same, with a grey ramp; every
// other image as 24 bits, or as 32 bits when it has an alpha channel or a transparent
// colour, laid over white. A picture written here therefore reads back as it was, but
// for 16 bits, which read back as 24.
#include <png.h>

#include <cstring>

#include "dib_layout.h"
#include "file_bytes.h"
#include "png_library.h"
#include "sim_files.h"

namespace figsim {
namespace {

constexpr uint32_t kMaxSide = 32767;
constexpr uint64_t kMaxPixels = 100'000'000;

// ---- reading ----

// What libpng hands over: rows of one byte per palette index or grey value, or RGBA.
struct PngImage {
    uint32_t width = 0, height = 0;
    bool indexed = false;     // one byte per pixel, an index into `palette`
    int indexBits = 0;        // bits of the picture an indexed image becomes
    bool hasAlpha = false;    // RGBA rows whose alpha matters
    std::vector<RGBQUAD> palette;
    std::vector<uint8_t> pixels;  // top-down rows of `width` bytes (indexed) or 4 * `width` bytes
    std::vector<png_bytep> rows;  // into `pixels`, for libpng
};

struct MemoryReader {
    const std::vector<uint8_t> *bytes;
    size_t at = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto *reader = static_cast<MemoryReader *>(png_get_io_ptr(png));
    if (length > reader->bytes->size() - reader->at) png_error(png, "truncated file");
    std::memcpy(out, reader->bytes->data() + reader->at, length);
    reader->at += length;
}

// libpng's error handler must not return: it jumps back to the setjmp of the decoder or
// encoder, which then fails with the message kept.
void KeepMessage(png_structp png, png_const_charp message) {
    *static_cast<std::string *>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}
void IgnoreWarning(png_structp, png_const_charp) {}

uint8_t OverWhite(int value, int alpha) { return static_cast<uint8_t>((value * alpha + 255 * (255 - alpha) + 127) / 255); }

// Chooses the form and sets libpng's transforms for it, after png_read_info.
void ChooseForm(png_structp png, png_infop info, PngImage *image) {
    const int type = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    const bool transparentColour = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    image->width = png_get_image_width(png, info);
    image->height = png_get_image_height(png, info);
    if (type == PNG_COLOR_TYPE_PALETTE || (type == PNG_COLOR_TYPE_GRAY && !transparentColour)) {
        image->indexed = true;
        const int bits = type == PNG_COLOR_TYPE_GRAY && depth == 16 ? 8 : depth;
        image->indexBits = bits == 2 ? 4 : bits;
        if (depth == 16) png_set_strip_16(png);
        if (depth < 8) png_set_packing(png);
        return;
    }
    image->hasAlpha = (type & PNG_COLOR_MASK_ALPHA) != 0 || transparentColour;
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
}

void ReadPalette(png_structp png, png_infop info, PngImage *image) {
    const int count = 1 << image->indexBits;
    image->palette.assign(count, RGBQUAD{0, 0, 0, 0});
    if (png_get_color_type(png, info) == PNG_COLOR_TYPE_GRAY) {
        const int levels = 1 << (png_get_bit_depth(png, info) == 16 ? 8 : png_get_bit_depth(png, info));
        for (int i = 0; i < levels; ++i) {
            const auto grey = static_cast<BYTE>(i * 255 / (levels - 1));
            image->palette[i] = RGBQUAD{grey, grey, grey, 0};
        }
        return;
    }
    png_colorp colours = nullptr;
    int n = 0;
    png_get_PLTE(png, info, &colours, &n);
    png_bytep alpha = nullptr;
    int alphas = 0;
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_get_tRNS(png, info, &alpha, &alphas, nullptr);
    for (int i = 0; i < n && i < count; ++i) {
        const int a = i < alphas ? alpha[i] : 255;
        image->palette[i] = RGBQUAD{OverWhite(colours[i].blue, a), OverWhite(colours[i].green, a),
                                    OverWhite(colours[i].red, a), 0};
    }
}

// libpng reports errors by longjmp back here: nothing in this frame changes after the
// setjmp but through pointers, and what grows (`image`) lives in the caller.
bool DecodePng(const std::vector<uint8_t> &bytes, PngImage *image, std::string *message) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, message, KeepMessage, IgnoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        *message = "out of memory";
        return false;
    }
    MemoryReader reader{&bytes};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_read_info(png, info);
    ChooseForm(png, info, image);
    if (static_cast<uint64_t>(image->width) * image->height > kMaxPixels) png_error(png, "picture too large");
    if (image->indexed) ReadPalette(png, info, image);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    image->pixels.resize(rowBytes * image->height);
    image->rows.resize(image->height);
    for (uint32_t y = 0; y < image->height; ++y) image->rows[y] = image->pixels.data() + rowBytes * y;
    png_read_image(png, image->rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

void PutIndex(uint8_t *row, uint32_t x, int bits, uint8_t index) {
    if (bits == 8) row[x] = index;
    else if (bits == 4) row[x / 2] |= static_cast<uint8_t>(index << (x % 2 ? 0 : 4));
    else row[x / 8] |= static_cast<uint8_t>((index & 1) << (7 - x % 8));
}

std::vector<uint8_t> PictureFromPng(const PngImage &image) {
    const int bits = image.indexed ? image.indexBits : image.hasAlpha ? 32 : 24;
    std::vector<uint8_t> picture = MakePackedDib(static_cast<int>(image.width), static_cast<int>(image.height), bits);
    DibLayout layout;
    ReadDibLayout(picture, &layout);
    if (image.indexed) std::memcpy(picture.data() + layout.tableOffset, image.palette.data(), 4 * image.palette.size());
    const size_t rowBytes = image.indexed ? image.width : 4u * image.width;
    for (uint32_t y = 0; y < image.height; ++y) {
        const uint8_t *in = image.pixels.data() + rowBytes * y;
        uint8_t *out = picture.data() + layout.RowOffset(static_cast<int>(y));
        for (uint32_t x = 0; x < image.width; ++x) {
            if (image.indexed) {
                PutIndex(out, x, bits, in[x]);
                continue;
            }
            const uint8_t *rgba = in + 4 * x;
            uint8_t *bgr = out + (bits / 8) * x;
            bgr[0] = OverWhite(rgba[2], rgba[3]);
            bgr[1] = OverWhite(rgba[1], rgba[3]);
            bgr[2] = OverWhite(rgba[0], rgba[3]);
        }
    }
    return picture;
}

// ---- writing ----

struct MemoryWriter {
    std::vector<uint8_t> bytes;
};

void WriteToMemory(png_structp png, png_bytep data, png_size_t length) {
    auto *writer = static_cast<MemoryWriter *>(png_get_io_ptr(png));
    writer->bytes.insert(writer->bytes.end(), data, data + length);
}
void NoFlush(png_structp) {}

// Top-down PNG rows for the picture: its own rows at 1, 4 and 8 bits, converted above.
std::vector<uint8_t> PngRows(const std::vector<uint8_t> &picture, const DibLayout &layout, size_t *rowBytes) {
    std::vector<uint8_t> rows;
    if (layout.bits <= 8) {
        *rowBytes = layout.stride;
        for (int y = 0; y < layout.height; ++y) {
            const uint8_t *row = picture.data() + layout.RowOffset(y);
            rows.insert(rows.end(), row, row + layout.stride);
        }
        return rows;
    }
    const int channels = layout.bits == 32 ? 4 : 3;
    *rowBytes = static_cast<size_t>(channels) * layout.width;
    rows.reserve(*rowBytes * layout.height);
    for (int y = 0; y < layout.height; ++y)
        for (int x = 0; x < layout.width; ++x) {
            const COLORREF c = PackedDibPixel(picture, x, y);
            rows.insert(rows.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
            if (channels == 4) rows.push_back(0xFF);
        }
    return rows;
}

bool EncodePng(const std::vector<uint8_t> &picture, const DibLayout &layout, MemoryWriter *writer,
               std::string *message) {
    size_t rowBytes = 0;
    std::vector<uint8_t> pixels = PngRows(picture, layout, &rowBytes);
    std::vector<png_color> palette;
    for (int i = 0; i < layout.tableEntries && i < 256; ++i) {
        const uint8_t *q = picture.data() + layout.tableOffset + 4u * i;
        palette.push_back(png_color{q[2], q[1], q[0]});
    }
    std::vector<png_bytep> rows(layout.height);
    for (int y = 0; y < layout.height; ++y) rows[y] = pixels.data() + rowBytes * y;

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, message, KeepMessage, IgnoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        *message = "out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, writer, WriteToMemory, NoFlush);
    const int type = layout.bits <= 8 ? PNG_COLOR_TYPE_PALETTE : layout.bits == 32 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB;
    png_set_IHDR(png, info, layout.width, layout.height, layout.bits <= 8 ? layout.bits : 8, type, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool ReadPngFile(const std::string &path, std::vector<uint8_t> *picture, std::string *error) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, &bytes, error)) return false;
    std::string message;
    PngImage image;
    if (!OpenPngLibrary(&message)) {
        // message says why
    } else if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
        message = "not a PNG file";
    } else if (DecodePng(bytes, &image, &message)) {
        *picture = PictureFromPng(image);
    }
    if (message.empty()) return true;
    *error = "cannot read " + path + ": " + message;
    return false;
}

bool WritePngFile(const std::string &path, const std::vector<uint8_t> &picture, std::string *error) {
    DibLayout layout;
    if (!ReadDibLayout(picture, &layout)) {
        *error = "cannot write " + path + ": the picture is empty";
        return false;
    }
    MemoryWriter writer;
    std::string message;
    if (!OpenPngLibrary(&message) || !EncodePng(picture, layout, &writer, &message)) {
        *error = "cannot write " + path + ": " + message;
        return false;
    }
    return WriteFileBytes(path, writer.bytes, error);
}

}  // namespace figsim
