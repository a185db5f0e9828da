#include "file_writer.h"

#include <cstdio>
#include <cstring>

#include "picture.h"
#include "rounded_depth.h"

namespace fig {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr DWORD kPiece = 4096;  // pixels go out in pieces of this size, then the rest
constexpr int kTemporaryAttempts = 100;

#if FIGPLOT_WIDE
using PathChar = WCHAR;
HANDLE CreateNewFile(const PathChar *path) {
    return CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}
BOOL ReplaceWith(const PathChar *from, const PathChar *to) { return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING); }
void Remove(const PathChar *path) { DeleteFileW(path); }
#else
using PathChar = char;
HANDLE CreateNewFile(const PathChar *path) {
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}
BOOL ReplaceWith(const PathChar *from, const PathChar *to) { return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING); }
void Remove(const PathChar *path) { DeleteFileA(path); }
#endif

// A fetched path has at most 255 characters: two UTF-16 units each, a temporary suffix.
constexpr int kPathUnits = 2 * kTextBufferUnits + 32;

struct FilePaths {
    PathChar target[kPathUnits];
    PathChar temporary[kPathUnits];
    int targetLength;
};

void ToPathText(const HostChar *path, FilePaths &paths) {
#if FIGPLOT_WIDE
    paths.targetLength = Utf32ToUtf16(path, paths.target);
#else
    paths.targetLength = static_cast<int>(HostTextLength(path));
    std::memcpy(paths.target, path, static_cast<size_t>(paths.targetLength) + 1);
#endif
}

// "<path>~figplot<n>.tmp", beside the target so that the final rename stays in one folder.
void NameTemporary(FilePaths &paths, int attempt) {
    char suffix[24];
    const int length = std::snprintf(suffix, sizeof suffix, "~figplot%d.tmp", attempt);
    std::memcpy(paths.temporary, paths.target, sizeof(PathChar) * static_cast<size_t>(paths.targetLength));
    for (int i = 0; i <= length; ++i) paths.temporary[paths.targetLength + i] = static_cast<PathChar>(suffix[i]);
}

// A temporary file of our own: never one that exists, whoever made it.
HANDLE CreateTemporary(FilePaths &paths) {
    for (int attempt = 1; attempt <= kTemporaryAttempts; ++attempt) {
        NameTemporary(paths, attempt);
        HANDLE file = CreateNewFile(paths.temporary);
        if (file != INVALID_HANDLE_VALUE) return file;
        if (GetLastError() != ERROR_FILE_EXISTS) break;
    }
    return INVALID_HANDLE_VALUE;
}

void Put16(uint8_t *at, uint16_t v) { std::memcpy(at, &v, sizeof v); }
void Put32(uint8_t *at, uint32_t v) { std::memcpy(at, &v, sizeof v); }

bool WriteAll(HANDLE file, const void *data, DWORD bytes) {
    DWORD written = 0;
    return WriteFile(file, data, bytes, &written, nullptr) != 0;
}

// The file header, the description with its colour table, then the pixels in pieces.
bool WriteParts(HANDLE file, const BITMAPINFO *info, const uint8_t *pixels) {
    const BITMAPINFOHEADER &h = info->bmiHeader;
    const uint32_t infoBytes = h.biSize + 4 * h.biClrUsed;
    uint8_t header[kFileHeaderSize] = {'B', 'M'};
    Put32(header + 2, kFileHeaderSize + infoBytes + h.biSizeImage);
    Put16(header + 6, 0);
    Put16(header + 8, 0);
    Put32(header + 10, kFileHeaderSize + infoBytes);
    if (!WriteAll(file, header, sizeof header) || !WriteAll(file, info, infoBytes)) return false;
    DWORD remaining = h.biSizeImage;
    for (; remaining > kPiece; remaining -= kPiece, pixels += kPiece)
        if (!WriteAll(file, pixels, kPiece)) return false;
    return WriteAll(file, pixels, remaining);
}

// Writes the file under a temporary name and moves it over the target once it is whole.
int16_t WriteInPlace(FilePaths &paths, const BITMAPINFO *info, const uint8_t *pixels) {
    HANDLE file = CreateTemporary(paths);
    if (file == INVALID_HANDLE_VALUE) return ResultFileFailure;
    const bool written = WriteParts(file, info, pixels);
    const bool closed = CloseHandle(file) != 0;
    if (written && closed && ReplaceWith(paths.temporary, paths.target)) return ResultDone;
    Remove(paths.temporary);
    return ResultFileFailure;
}

// The bitmap's pixels and colour table into `info`'s buffer, then the file.
int16_t WriteBitmapFile(FilePaths &paths, BITMAPINFO *info, HBITMAP bitmap, HDC dc) {
    auto *pixels = static_cast<uint8_t *>(GlobalAlloc(GMEM_FIXED, info->bmiHeader.biSizeImage));
    if (!pixels) return ResultNoMemory;
    const DWORD colourCount = info->bmiHeader.biClrUsed;
    int16_t result = ResultFileFailure;
    if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(info->bmiHeader.biHeight), pixels, info, DIB_RGB_COLORS) != 0) {
        if (info->bmiHeader.biClrUsed == 0) info->bmiHeader.biClrUsed = colourCount;  // the read may clear it
        result = WriteInPlace(paths, info, pixels);
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
    // Room for the table the read fills; as always, one spare entry at 32 bits.
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
    layout.rowSize = (static_cast<uint64_t>(width < 0 ? 0 : width) * static_cast<uint64_t>(depth) + 31) / 32 * 4;
    layout.imageSize = layout.rowSize * static_cast<uint64_t>(height < 0 ? 0 : height);
    layout.pixelOffset = kFileHeaderSize + sizeof(BITMAPINFOHEADER) + 4 * uint64_t{layout.colourCount};
    layout.fileSize = layout.pixelOffset + layout.imageSize;
    return layout;
}

bool FitsInBitmapFile(const BitmapFileLayout &layout) { return layout.fileSize <= UINT32_MAX; }

int16_t SaveCanvasAsFile(const HostChar *path, HBITMAP bitmap, HDC dc) {
    BITMAPINFO *info = FileInfoFromBitmap(bitmap);
    if (!info) return ResultNoMemory;
    FilePaths paths;
    ToPathText(path, paths);
    const int16_t result = WriteBitmapFile(paths, info, bitmap, dc);
    LocalFree(info);
    return result;
}

}  // namespace fig
