// The bitmaps the benchmark draws on, and GDI objects held for the length of one entry.
// Portable: built natively against the platform and with mingw-w64 against Windows.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace bench {

// A DIB section selected into its own memory DC, bottom-up like most callers' bitmaps.
// 8-bit canvases get the table Windows gives 8-bit bitmaps without one: the 20 static
// colours around a colour cube.
class Canvas {
public:
    Canvas(int width, int height, int depth) : width_(width), height_(height), depth_(depth) {
        std::vector<unsigned char> header(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
        auto *info = reinterpret_cast<BITMAPINFO *>(header.data());
        info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info->bmiHeader.biWidth = width;
        info->bmiHeader.biHeight = height;
        info->bmiHeader.biPlanes = 1;
        info->bmiHeader.biBitCount = static_cast<WORD>(depth);
        info->bmiHeader.biCompression = BI_RGB;
        if (depth <= 8) FillTable(info->bmiColors, 1 << depth);
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (bitmap_) initial_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        if (initial_) SelectObject(dc_, initial_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    bool Ok() const { return dc_ && bitmap_ && bits_; }
    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Depth() const { return depth_; }
    void *Bits() const { return bits_; }
    size_t Bytes() const { return static_cast<size_t>(((width_ * depth_ + 31) / 32) * 4) * static_cast<size_t>(height_); }

private:
    static void FillTable(RGBQUAD *table, int count) {
        static const uint32_t kStatic[20] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
                                             0xC0C0C0, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000,
                                             0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
        for (int i = 0; i < count; ++i) {
            uint32_t rgb;
            if (count == 256 && (i < 10 || i >= 246)) rgb = kStatic[i < 10 ? i : i - 236];
            else rgb = static_cast<uint32_t>((i % 8) * 0x20 << 16 | (i / 8 % 8) * 0x20 << 8 | (i / 64) * 0x40);
            table[i].rgbRed = static_cast<BYTE>(rgb >> 16);
            table[i].rgbGreen = static_cast<BYTE>(rgb >> 8);
            table[i].rgbBlue = static_cast<BYTE>(rgb);
            table[i].rgbReserved = 0;
        }
    }

    int width_, height_, depth_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ initial_ = nullptr;
    void *bits_ = nullptr;
};

// What one entry holds while it is measured: objects selected into the canvas (restored
// and deleted afterwards) and any second canvas it copies from.
class Scope {
public:
    explicit Scope(Canvas &canvas) : canvas_(canvas) {}
    ~Scope() {
        for (auto it = selections_.rbegin(); it != selections_.rend(); ++it) {
            SelectObject(canvas_.Dc(), it->previous);
            if (it->owned) DeleteObject(it->object);
        }
    }
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;

    Canvas &Target() { return canvas_; }
    // Where a copying entry reads from, for the memcpy it is measured against.
    const Canvas *copySource = nullptr;
    HDC Dc() { return canvas_.Dc(); }
    // Selects a new object (deleted at the end) or a stock one (owned = false).
    void Select(HGDIOBJ object, bool owned = true) {
        selections_.push_back({object, SelectObject(canvas_.Dc(), object), owned});
    }
    Canvas &Extra(int width, int height, int depth) {
        extras_.push_back(std::make_unique<Canvas>(width, height, depth));
        return *extras_.back();
    }

private:
    struct Held {
        HGDIOBJ object, previous;
        bool owned;
    };
    Canvas &canvas_;
    std::vector<Held> selections_;
    std::vector<std::unique_ptr<Canvas>> extras_;
};

}  // namespace bench
