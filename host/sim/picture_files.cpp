// Picture files by extension, and blank pictures.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "dib_layout.h"
#include "sim_files.h"

namespace figsim {
namespace {

std::string LowerExtension(const std::string &path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

// The byte that repeats one table index across a row at 1, 4 or 8 bits.
uint8_t RepeatedIndex(int index, int bits) {
    if (bits == 1) return index ? 0xFF : 0x00;
    if (bits == 4) return static_cast<uint8_t>(index << 4 | index);
    return static_cast<uint8_t>(index);
}

int WhiteEntry(const std::vector<uint8_t> &picture, const DibLayout &layout) {
    for (int i = 0; i < layout.tableEntries; ++i) {
        const uint8_t *q = &picture[layout.tableOffset + 4u * i];
        if (q[0] == 0xFF && q[1] == 0xFF && q[2] == 0xFF) return i;
    }
    return layout.tableEntries - 1;
}

}  // namespace

bool IsPictureFileName(const std::string &path) {
    const std::string ext = LowerExtension(path);
    return ext == ".bmp" || ext == ".png";
}

bool ReadPictureFile(const std::string &path, std::vector<uint8_t> *picture, std::string *error) {
    const std::string ext = LowerExtension(path);
    if (ext == ".png") return ReadPngFile(path, picture, error);
    if (ext == ".bmp") return ReadBmpFile(path, picture, error);
    *error = "cannot read " + path + ": a picture file name ends in .bmp or .png";
    return false;
}

bool WritePictureFile(const std::string &path, const std::vector<uint8_t> &picture, std::string *error) {
    const std::string ext = LowerExtension(path);
    if (ext == ".png") return WritePngFile(path, picture, error);
    if (ext == ".bmp") return WriteBmpFile(path, picture, error);
    *error = "cannot write " + path + ": a picture file name ends in .bmp or .png";
    return false;
}

std::vector<uint8_t> MakeWhitePicture(int width, int height, int bitsPerPixel) {
    std::vector<uint8_t> picture = MakePackedDib(width, height, bitsPerPixel);
    DibLayout layout;
    if (!ReadDibLayout(picture, &layout)) return {};
    uint8_t *pixels = picture.data() + layout.pixelOffset;
    const size_t size = layout.stride * static_cast<size_t>(layout.height);
    if (layout.bits <= 8) {
        std::memset(pixels, RepeatedIndex(WhiteEntry(picture, layout), layout.bits), size);
    } else if (layout.bits == 16) {
        for (size_t i = 0; i + 1 < size; i += 2) pixels[i] = 0xFF, pixels[i + 1] = 0x7F;  // 5-5-5, top bit unused
    } else {
        std::memset(pixels, 0xFF, size);
    }
    return picture;
}

}  // namespace figsim
