// The host's picture exchange: a picture field stores a packed DIB (header, colour
// table, bottom-up rows); the library receives and returns bitmap handles made through
// the platform.
#include <cstdlib>
#include <cstring>

#include "default_colour_tables.h"
#include "dib_layout.h"
#include "figsim.h"

namespace figsim {

std::vector<uint8_t> MakePackedDib(int width, int height, int bitsPerPixel) {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bitsPerPixel);
    h.biCompression = BI_RGB;
    const int entries = TableEntries(h);
    std::vector<uint8_t> packed(sizeof h + 4u * entries + DibStride(width, bitsPerPixel) * height, 0);
    std::memcpy(packed.data(), &h, sizeof h);
    if (bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8)
        wincolour::FillDefaultColourTable(bitsPerPixel, reinterpret_cast<RGBQUAD *>(packed.data() + sizeof h));
    return packed;
}

HBITMAP BitmapFromPackedDib(const std::vector<uint8_t> &packed) {
    DibLayout layout;
    if (!ReadDibLayout(packed, &layout)) return nullptr;
    void *bits = nullptr;
    auto *info = reinterpret_cast<const BITMAPINFO *>(packed.data());
    HBITMAP bitmap = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    std::memcpy(bits, packed.data() + layout.pixelOffset, layout.stride * static_cast<size_t>(layout.height));
    GdiFlush();
    return bitmap;
}

HBITMAP DeviceBitmapFromPackedDib(const std::vector<uint8_t> &packed) {
    HBITMAP section = BitmapFromPackedDib(packed);
    BITMAP bm{};
    if (!section || !GetObjectW(section, sizeof bm, &bm)) {
        if (section) DeleteObject(section);
        return nullptr;
    }
    HBITMAP device = CreateBitmap(bm.bmWidth, bm.bmHeight, 1, bm.bmBitsPixel, nullptr);
    HDC from = CreateCompatibleDC(nullptr), to = CreateCompatibleDC(nullptr);
    HGDIOBJ fromBefore = SelectObject(from, section), toBefore = SelectObject(to, device);
    BitBlt(to, 0, 0, bm.bmWidth, bm.bmHeight, from, 0, 0, SRCCOPY);
    SelectObject(from, fromBefore);
    SelectObject(to, toBefore);
    DeleteDC(from);
    DeleteDC(to);
    DeleteObject(section);
    return device;
}

std::vector<uint8_t> PackedDibFromBitmap(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return {};
    const int bits = bm.bmBitsPixel * bm.bmPlanes;
    std::vector<uint8_t> packed = MakePackedDib(bm.bmWidth, bm.bmHeight, bits);
    auto *info = reinterpret_cast<BITMAPINFO *>(packed.data());
    const size_t offset = sizeof(BITMAPINFOHEADER) + 4u * TableEntries(info->bmiHeader);
    HDC screen = GetDC(nullptr);
    int lines = GetDIBits(screen, bitmap, 0, bm.bmHeight, packed.data() + offset, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != bm.bmHeight) return {};
    return packed;
}

COLORREF PackedDibPixel(const std::vector<uint8_t> &packed, int x, int y) {
    DibLayout layout;
    if (!ReadDibLayout(packed, &layout) || x < 0 || y < 0 || x >= layout.width || y >= layout.height) return CLR_INVALID;
    const auto *table = reinterpret_cast<const RGBQUAD *>(packed.data() + layout.tableOffset);
    const uint8_t *row = packed.data() + layout.RowOffset(y);
    auto fromTable = [&](int index) {
        const RGBQUAD &q = table[index];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    };
    switch (layout.bits) {
        case 1: return fromTable((row[x / 8] >> (7 - x % 8)) & 1);
        case 4: return fromTable((row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF);
        case 8: return fromTable(row[x]);
        case 16: {
            const int p = row[2 * x] | (row[2 * x + 1] << 8);
            auto widen = [](int v) { return (v << 3) | (v >> 2); };
            return RGB(widen((p >> 10) & 31), widen((p >> 5) & 31), widen(p & 31));
        }
        case 24: return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        case 32: return RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
        default: return CLR_INVALID;
    }
}

}  // namespace figsim
