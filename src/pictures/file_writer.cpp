#include "file_writer.h"

#include <cstring>

#include "file_place.h"
#include "picture.h"

namespace fig {
namespace {

constexpr uint32_t kFileHeaderSize = 14;

void Put16(uint8_t *at, uint16_t v) { std::memcpy(at, &v, sizeof v); }
void Put32(uint8_t *at, uint32_t v) { std::memcpy(at, &v, sizeof v); }

// The file header, the description with its colour table, then the pixels.
int16_t WriteParts(const HostChar *path, const BITMAPINFO *info, const uint8_t *pixels) {
    const BITMAPINFOHEADER &h = info->bmiHeader;
    const uint32_t infoBytes = h.biSize + 4 * h.biClrUsed;
    uint8_t header[kFileHeaderSize] = {'B', 'M'};
    Put32(header + 2, kFileHeaderSize + infoBytes + h.biSizeImage);
    Put16(header + 6, 0);
    Put16(header + 8, 0);
    Put32(header + 10, kFileHeaderSize + infoBytes);
    return PlaceFile(path, FileParts{header, sizeof header, info, infoBytes, pixels, h.biSizeImage});
}

// The bitmap's pixels and colour table into `info`'s buffer, then the file. The read may
// rewrite the description: an image size other than the one the buffer was made for, or
// more colours than its table holds, would write or read past them, and answers 3.
int16_t WriteBitmapFile(const HostChar *path, BITMAPINFO *info, HBITMAP bitmap, HDC dc) {
    const DWORD imageSize = info->bmiHeader.biSizeImage, colourCount = info->bmiHeader.biClrUsed;
    auto *pixels = static_cast<uint8_t *>(GlobalAlloc(GMEM_FIXED, imageSize));
    if (!pixels) return ResultNoMemory;
    int16_t result = ResultFileFailure;
    if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(info->bmiHeader.biHeight), pixels, info, DIB_RGB_COLORS) != 0) {
        if (info->bmiHeader.biClrUsed == 0) info->bmiHeader.biClrUsed = colourCount;  // the read may clear it
        const bool asLaidOut = info->bmiHeader.biSizeImage == imageSize && info->bmiHeader.biClrUsed == colourCount;
        result = asLaidOut ? WriteParts(path, info, pixels) : int16_t{ResultNoMemory};
    }
    GlobalFree(pixels);
    return result;
}

// A zero-filled description of the file's bitmap; null when the bitmap cannot be
// described, its file would be too large, or there is no memory.
BITMAPINFO *FileInfoFromBitmap(HBITMAP bitmap) {
    BITMAP description;
    if (!DescribeBitmap(bitmap, description)) return nullptr;
    const BitmapFileLayout layout = LayoutOf(description.bmWidth, description.bmHeight, RoundedDepth(description));
    if (!FitsInBitmapFile(layout)) return nullptr;
    // Room for the table the read fills: 2^depth entries below 24 bits, none at 24, and at
    // 32 one spare entry, the block size of 40 + 4 << depth with its shift taken modulo 32.
    const size_t tableEntries = layout.depth == 24 ? 0 : layout.depth == 32 ? 1 : layout.colourCount;
    auto *info = static_cast<BITMAPINFO *>(LocalAlloc(LPTR, sizeof(BITMAPINFOHEADER) + 4 * tableEntries));
    if (!info) return nullptr;
    BITMAPINFOHEADER &h = info->bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = description.bmWidth;
    h.biHeight = description.bmHeight;
    h.biPlanes = description.bmPlanes;
    h.biBitCount = description.bmBitsPixel;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(layout.imageSize);
    h.biClrUsed = layout.colourCount;
    return info;
}

}  // namespace

BitmapFileLayout LayoutOf(int32_t width, int32_t height, int depth) {
    BitmapFileLayout layout{};
    layout.depth = depth;
    layout.colourCount = depth < 24 ? 1u << depth : 0;
    layout.rowSize = RowBytes(static_cast<uint64_t>(width < 0 ? 0 : width), static_cast<uint64_t>(depth));
    layout.imageSize = layout.rowSize * static_cast<uint64_t>(height < 0 ? 0 : height);
    layout.pixelOffset = kFileHeaderSize + sizeof(BITMAPINFOHEADER) + 4 * uint64_t{layout.colourCount};
    layout.fileSize = layout.pixelOffset + layout.imageSize;
    return layout;
}

bool FitsInBitmapFile(const BitmapFileLayout &layout) { return layout.fileSize <= UINT32_MAX; }

int16_t SaveCanvasAsFile(const HostChar *path, HBITMAP bitmap, HDC dc) {
    BITMAPINFO *info = FileInfoFromBitmap(bitmap);
    if (!info) return ResultNoMemory;
    const int16_t result = WriteBitmapFile(path, info, bitmap, dc);
    LocalFree(info);
    return result;
}

}  // namespace fig
