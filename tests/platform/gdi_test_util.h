// Helpers for the GDI tests: DIB sections with chosen tables and memory DCs that clean up.
#pragma once

#include <figplatform.h>

#include <cstring>
#include <initializer_list>
#include <vector>

namespace gditest {

inline RGBQUAD Quad(BYTE r, BYTE g, BYTE b) { return RGBQUAD{b, g, r, 0}; }

struct DibInfo {
    BITMAPINFOHEADER header{};
    RGBQUAD colours[256]{};
    const BITMAPINFO *Info() const { return reinterpret_cast<const BITMAPINFO *>(this); }
    BITMAPINFO *Info() { return reinterpret_cast<BITMAPINFO *>(this); }
};

inline DibInfo MakeInfo(int width, int height, int bpp, std::initializer_list<RGBQUAD> table = {},
                        DWORD clrUsed = 0) {
    DibInfo info;
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bpp);
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = clrUsed;
    int i = 0;
    for (const RGBQUAD &q : table) info.colours[i++] = q;
    return info;
}

// A grey ramp table so every index of an 8-bit or smaller DIB has its own colour.
inline DibInfo MakeRampInfo(int width, int height, int bpp) {
    DibInfo info = MakeInfo(width, height, bpp);
    if (bpp <= 8) {
        const int n = 1 << bpp;
        for (int i = 0; i < n; ++i) {
            const BYTE v = static_cast<BYTE>(i * 255 / (n - 1));
            info.colours[i] = Quad(v, static_cast<BYTE>(255 - v), static_cast<BYTE>(i * 7));
        }
    }
    return info;
}

inline HBITMAP MakeDib(const DibInfo &info, void **bits = nullptr) {
    void *local = nullptr;
    return CreateDIBSection(nullptr, info.Info(), DIB_RGB_COLORS, bits ? bits : &local, nullptr, 0);
}

// Paints [0, width) x [0, height) of a DC in one colour with a brush made for the purpose.
inline void PaintAll(HDC dc, int width, int height, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
}

// A memory DC with a bitmap selected; both go when it does.
class MemoryDc {
public:
    explicit MemoryDc(HBITMAP bitmap = nullptr) : dc_(CreateCompatibleDC(nullptr)), bitmap_(bitmap) {
        if (bitmap_) previous_ = SelectObject(dc_, bitmap_);
    }
    explicit MemoryDc(const DibInfo &info) : dc_(CreateCompatibleDC(nullptr)), bitmap_(MakeDib(info, &bits_)) {
        if (bitmap_) previous_ = SelectObject(dc_, bitmap_);
    }
    ~MemoryDc() {
        if (previous_) SelectObject(dc_, previous_);
        DeleteDC(dc_);
        if (bitmap_) DeleteObject(bitmap_);
    }
    MemoryDc(const MemoryDc &) = delete;
    MemoryDc &operator=(const MemoryDc &) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    BYTE *bits() const { return static_cast<BYTE *>(bits_); }

private:
    void *bits_ = nullptr;  // first: the DIB constructor fills it while making bitmap_
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace gditest
