// Windows bitmap files: a 14-byte file header followed by a DIB.
//
// Read: uncompressed bitmaps of 1, 4, 8, 16, 24 and 32 bits with an information header of
// 40 bytes or a later version of it, rows either way up; bit fields only where their masks
// are the uncompressed layout (5-5-5 at 16 bits, 8-8-8 at 32). Written: a 40-byte header,
// the full colour table, rows bottom-up, as a host's picture field holds them.
#include <cstring>

#include "dib_layout.h"
#include "file_bytes.h"
#include "sim_files.h"

namespace figsim {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr int kMaxSide = 32767;

uint32_t U32(const std::vector<uint8_t> &b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t> &b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

void PutU32(std::vector<uint8_t> &b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Bit fields that say no more than BI_RGB would.
bool PlainMasks(int bits, uint32_t red, uint32_t green, uint32_t blue) {
    if (bits == 16) return red == 0x7C00 && green == 0x03E0 && blue == 0x001F;
    if (bits == 32) return red == 0xFF0000 && green == 0xFF00 && blue == 0xFF;
    return false;
}

// The DIB inside a bitmap file as a packed DIB; a message on failure.
std::string ParseBmp(const std::vector<uint8_t> &file, std::vector<uint8_t> *picture) {
    if (file.size() < kFileHeaderSize + sizeof(BITMAPINFOHEADER) || file[0] != 'B' || file[1] != 'M')
        return "not a BMP file";
    const uint32_t pixelsAt = U32(file, 10);
    const uint32_t headerSize = U32(file, kFileHeaderSize);
    if (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > file.size() - kFileHeaderSize)
        return "unsupported BMP header (" + std::to_string(headerSize) + " bytes)";
    const int32_t width = static_cast<int32_t>(U32(file, kFileHeaderSize + 4));
    const int32_t rawHeight = static_cast<int32_t>(U32(file, kFileHeaderSize + 8));
    const int bits = U16(file, kFileHeaderSize + 14);
    const uint32_t compression = U32(file, kFileHeaderSize + 16);
    const uint32_t colorsUsed = U32(file, kFileHeaderSize + 32);
    if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN || width > kMaxSide || std::abs(rawHeight) > kMaxSide)
        return "unsupported size " + std::to_string(width) + " x " + std::to_string(rawHeight);
    const int height = std::abs(rawHeight);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return "unsupported depth of " + std::to_string(bits) + " bits";

    size_t tableAt = kFileHeaderSize + headerSize;
    if (compression == BI_BITFIELDS) {
        // Version 1 headers keep the three masks after the header, later ones inside it.
        const size_t masksAt = kFileHeaderSize + sizeof(BITMAPINFOHEADER);
        if (masksAt + 12 > file.size()) return "truncated file";
        if (!PlainMasks(bits, U32(file, masksAt), U32(file, masksAt + 4), U32(file, masksAt + 8)))
            return "unsupported colour masks";
        if (headerSize == sizeof(BITMAPINFOHEADER)) tableAt += 12;
    } else if (compression != BI_RGB) {
        return "compressed bitmaps are not supported";
    }
    const uint32_t fullTable = bits <= 8 ? 1u << bits : 0;
    const uint32_t entries = bits <= 8 && colorsUsed ? colorsUsed : fullTable;
    if (entries > fullTable) return "colour table of " + std::to_string(colorsUsed) + " entries";
    const size_t stride = DibStride(width, bits);
    if (tableAt + 4u * entries > file.size() || pixelsAt > file.size() ||
        stride * static_cast<size_t>(height) > file.size() - pixelsAt)
        return "truncated file";

    *picture = MakePackedDib(width, height, bits);
    DibLayout layout;
    ReadDibLayout(*picture, &layout);
    std::memset(picture->data() + layout.tableOffset, 0, 4u * fullTable);  // missing entries: black
    for (uint32_t i = 0; i < entries; ++i) {
        std::memcpy(picture->data() + layout.tableOffset + 4u * i, &file[tableAt + 4u * i], 3);
    }
    const bool fileTopDown = rawHeight < 0;
    for (int y = 0; y < height; ++y) {
        const size_t from = pixelsAt + stride * static_cast<size_t>(fileTopDown ? y : height - 1 - y);
        std::memcpy(picture->data() + layout.RowOffset(y), &file[from], stride);
    }
    return "";
}

}  // namespace

bool ReadBmpFile(const std::string &path, std::vector<uint8_t> *picture, std::string *error) {
    std::vector<uint8_t> file;
    if (!ReadFileBytes(path, &file, error)) return false;
    const std::string problem = ParseBmp(file, picture);
    if (problem.empty()) return true;
    *error = "cannot read " + path + ": " + problem;
    return false;
}

bool WriteBmpFile(const std::string &path, const std::vector<uint8_t> &picture, std::string *error) {
    DibLayout layout;
    if (!ReadDibLayout(picture, &layout)) {
        *error = "cannot write " + path + ": the picture is empty";
        return false;
    }
    const size_t header = sizeof(BITMAPINFOHEADER);
    const size_t table = 4u * static_cast<size_t>(layout.tableEntries);
    const size_t pixels = layout.stride * static_cast<size_t>(layout.height);
    std::vector<uint8_t> file(kFileHeaderSize + header + table + pixels, 0);
    file[0] = 'B', file[1] = 'M';
    PutU32(file, 2, static_cast<uint32_t>(file.size()));
    PutU32(file, 10, static_cast<uint32_t>(kFileHeaderSize + header + table));

    BITMAPINFOHEADER h;
    std::memcpy(&h, picture.data(), header);
    h.biSize = header;
    h.biHeight = layout.height;  // bottom-up
    h.biSizeImage = static_cast<DWORD>(pixels);
    std::memcpy(&file[kFileHeaderSize], &h, header);
    std::memcpy(&file[kFileHeaderSize + header], picture.data() + layout.tableOffset, table);
    uint8_t *rows = &file[kFileHeaderSize + header + table];
    for (int y = 0; y < layout.height; ++y)
        std::memcpy(rows + layout.stride * static_cast<size_t>(layout.height - 1 - y), picture.data() + layout.RowOffset(y),
                    layout.stride);
    return WriteFileBytes(path, file, error);
}

}  // namespace figsim
