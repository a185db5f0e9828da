// DIB sections: CreateDIBSection and GetDIBits.
#include "api/gdi/dc.h"
#include "api/gdi/gdi_objects.h"
#include "core/faults.h"
#include "engine/raster.h"

#include <algorithm>
#include <atomic>
#include <cstring>

using namespace figplat;
using namespace figplat::gdi;

namespace {

bool SupportedDepth(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: return true;
    default: return false;
    }
}

// Colour masks follow the header (inside it for V4 and V5 headers, after it for the plain one).
const DWORD *Masks(const BITMAPINFO *info) {
    return reinterpret_cast<const DWORD *>(reinterpret_cast<const BYTE *>(info) + sizeof(BITMAPINFOHEADER));
}

// Only the masks that equal the plain formats' layout are drawn by this engine.
bool StandardMasks(const BITMAPINFO *info) {
    const DWORD *m = Masks(info);
    if (info->bmiHeader.biBitCount == 16) return m[0] == 0x7C00 && m[1] == 0x03E0 && m[2] == 0x001F;
    if (info->bmiHeader.biBitCount == 32) return m[0] == 0xFF0000 && m[1] == 0x00FF00 && m[2] == 0x0000FF;
    return false;
}

bool ValidCompression(const BITMAPINFO *info) {
    if (info->bmiHeader.biCompression == BI_RGB) return true;
    return info->bmiHeader.biCompression == BI_BITFIELDS && StandardMasks(info);
}

const RGBQUAD *ColourTable(const BITMAPINFO *info) {
    return reinterpret_cast<const RGBQUAD *>(reinterpret_cast<const BYTE *>(info) + info->bmiHeader.biSize);
}

int TableEntries(const BITMAPINFOHEADER &header) {
    const DWORD full = 1u << header.biBitCount;
    return static_cast<int>(header.biClrUsed && header.biClrUsed < full ? header.biClrUsed : full);
}

// DIB_PAL_COLORS tables hold 16-bit indices into the DC's palette: the default one here.
void PaletteIndicesToColours(const BITMAPINFO *info, int entries, RGBQUAD *out) {
    const auto *indices = reinterpret_cast<const WORD *>(ColourTable(info));
    for (int i = 0; i < entries; ++i) out[i] = indices[i] < 20 ? StaticColours()[indices[i]] : RGBQUAD{0, 0, 0, 0};
}

bool ValidDibHeader(const BITMAPINFO *info) {
    const BITMAPINFOHEADER &h = info->bmiHeader;
    return h.biSize >= sizeof(BITMAPINFOHEADER) && h.biPlanes == 1 && h.biWidth > 0 && h.biHeight != 0 &&
           SupportedDepth(h.biBitCount) && ValidCompression(info);
}

// The new section's colours (1-8 bpp): as many as biClrUsed gives; 0 for other depths.
int ReadColourTable(const BITMAPINFO *info, UINT usage, RGBQUAD *table) {
    if (info->bmiHeader.biBitCount > 8) return 0;
    const int entries = TableEntries(info->bmiHeader);
    if (usage == DIB_PAL_COLORS) PaletteIndicesToColours(info, entries, table);
    else std::memcpy(table, ColourTable(info), sizeof(RGBQUAD) * static_cast<size_t>(entries));
    return entries;
}

// The caller's image must be addressable with 31-bit sizes, as any DIB section's is.
bool ImageFits(const BITMAPINFOHEADER &h) {
    const int64_t height = h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight;
    return DibStride(h.biWidth, h.biBitCount) <= 0x7FFFFFFF / height;
}

}  // namespace

HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO *info, UINT usage, void **bits, HANDLE section,
                                DWORD offset) {
    (void)offset;
    if (FIG_FAULT_POINT("CreateDIBSection")) return nullptr;
    if (!info) return nullptr;
    if (bits) *bits = nullptr;
    if (!ValidDibHeader(info) || usage > DIB_PAL_COLORS || section) return nullptr;
    if (usage == DIB_PAL_COLORS && dc && !LookupDc(dc)) return nullptr;
    const BITMAPINFOHEADER &h = info->bmiHeader;
    RGBQUAD table[256] = {};
    const int entries = ReadColourTable(info, usage, table);
    const bool topDown = h.biHeight < 0;
    const int height = topDown ? -h.biHeight : h.biHeight;
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->surface = MakeDibSurface(h.biWidth, height, h.biBitCount, topDown, table, entries);
    if (!bitmap->surface) return nullptr;
    void *pixels = bitmap->surface->bits;
    HGDIOBJ handle = RegisterGdiObject(std::move(bitmap));
    if (handle && bits) *bits = pixels;
    return static_cast<HBITMAP>(handle);
}

namespace {

// With biBitCount 0 GetDIBits describes the bitmap itself.
int DescribeBitmap(const Surface &s, BITMAPINFOHEADER &h) {
    h.biWidth = s.width;
    h.biHeight = s.height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(s.bitsPerPixel);
    h.biCompression = (s.isDib && (s.bitsPerPixel == 16 || s.bitsPerPixel == 32)) ? BI_BITFIELDS : BI_RGB;
    h.biSizeImage = static_cast<DWORD>(DibStride(s.width, s.bitsPerPixel) * s.height);
    h.biXPelsPerMeter = 0;
    h.biYPelsPerMeter = 0;
    h.biClrUsed = 0;
    h.biClrImportant = 0;
    return s.height;
}

// The table a caller's 1-8 bpp buffer gets: the bitmap's own when depths match, else
// the default table for that depth.
void FillCallerTable(const Surface &s, BITMAPINFO *info, RGBQUAD *table) {
    const int bpp = info->bmiHeader.biBitCount;
    std::memset(table, 0, sizeof(RGBQUAD) << bpp);
    if (s.bitsPerPixel == bpp) std::memcpy(table, s.table, sizeof(RGBQUAD) * static_cast<size_t>(s.tableSize));
    else std::memcpy(table, DefaultColourTable(bpp), sizeof(RGBQUAD) << bpp);
    std::memcpy(const_cast<RGBQUAD *>(ColourTable(info)), table, sizeof(RGBQUAD) << bpp);
}

void FillCallerHeader(const Surface &s, BITMAPINFO *info, RGBQUAD *table) {
    BITMAPINFOHEADER &h = info->bmiHeader;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    h.biSizeImage = static_cast<DWORD>(DibStride(h.biWidth, h.biBitCount) * height);
    h.biClrUsed = 0;
    if (h.biBitCount <= 8) FillCallerTable(s, info, table);
}

// Scan lines count from the bottom of the caller's bitmap, whose top rows line up with the
// source's top rows. Requested lines the source does not reach are zeroed and not counted;
// a request with no lines at all still reports success (1), as Windows does.
int CopyLines(const Surface &src, BITMAPINFO *info, const RGBQUAD *table, UINT start, UINT lines, void *bits) {
    const BITMAPINFOHEADER &h = info->bmiHeader;
    const int64_t height = h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight;
    const int64_t end = std::min<int64_t>(static_cast<int64_t>(start) + lines, height);
    if (start >= end) return 1;
    const int count = static_cast<int>(end - start);
    auto view = MakeDibView(bits, h.biWidth, count, h.biBitCount, h.biHeight < 0, table);
    std::memset(bits, 0, static_cast<size_t>(view->stride) * static_cast<size_t>(count));
    const int64_t sourceTop = height - end;  // source row of the view's top row
    const int available = static_cast<int>(std::clamp<int64_t>(src.height - sourceTop, 0, count));
    const int width = std::min(h.biWidth, static_cast<LONG>(src.width));
    CopyBlock(*view, 0, 0, src, 0, static_cast<int>(sourceTop), width, available, RowTransform{});
    return available;
}

}  // namespace

#ifdef FIGPLOT_TEST_HOOKS
namespace {
std::atomic<int> selectedBitmapReads{0};
std::atomic<LONG> nextImageSizeSkew{0};
}

int PlatformSelectedBitmapReads(void) { return selectedBitmapReads.load(); }
void PlatformSkewNextImageSize(LONG bytes) { nextImageSizeSkew.store(bytes); }
#endif

int WINAPI GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage) {
    if (FIG_FAULT_POINT("GetDIBits")) return 0;
    auto *object = LookupAs<BitmapObject>(bitmap);
    if (!LookupDc(dc) || !object || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return 0;
    if (usage > DIB_PAL_COLORS) return 0;
#ifdef FIGPLOT_TEST_HOOKS
    if (object->selections > 0) ++selectedBitmapReads;  // Windows asks for a bitmap selected nowhere
#endif
    const Surface &src = *object->surface;
    BITMAPINFOHEADER &h = info->bmiHeader;
    if (!bits && h.biBitCount == 0) return DescribeBitmap(src, h);
    if (!SupportedDepth(h.biBitCount)) return 0;
    RGBQUAD table[256] = {};
    if (!bits) {
        FillCallerHeader(src, info, table);
        return 1;
    }
    if (!ValidDibHeader(info) || !ImageFits(h)) return 0;
    FillCallerHeader(src, info, table);
    const int copied = CopyLines(src, info, table, start, lines, bits);
#ifdef FIGPLOT_TEST_HOOKS
    h.biSizeImage += static_cast<DWORD>(nextImageSizeSkew.exchange(0));
#endif
    return copied;
}
