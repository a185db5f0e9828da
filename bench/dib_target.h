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

#include "default_colour_tables.h"

namespace bench {

// A DIB section selected into its own memory DC, bottom-up like most callers' bitmaps.
// 1, 4 and 8-bit canvases get the table Windows gives bitmaps without one.
class DibTarget {
public:
    DibTarget(int width, int height, int depth) : width_(width), height_(height), depth_(depth) {
        std::vector<unsigned char> header(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
        auto *info = reinterpret_cast<BITMAPINFO *>(header.data());
        info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info->bmiHeader.biWidth = width;
        info->bmiHeader.biHeight = height;
        info->bmiHeader.biPlanes = 1;
        info->bmiHeader.biBitCount = static_cast<WORD>(depth);
        info->bmiHeader.biCompression = BI_RGB;
        if (depth == 1 || depth == 4 || depth == 8) wincolour::FillDefaultColourTable(depth, info->bmiColors);
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (bitmap_) initial_ = SelectObject(dc_, bitmap_);
    }
    ~DibTarget() {
        if (initial_) SelectObject(dc_, initial_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    DibTarget(const DibTarget &) = delete;
    DibTarget &operator=(const DibTarget &) = delete;

    bool Ok() const { return dc_ && bitmap_ && bits_; }
    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Depth() const { return depth_; }
    void *Bits() const { return bits_; }
    size_t Bytes() const { return static_cast<size_t>(((width_ * depth_ + 31) / 32) * 4) * static_cast<size_t>(height_); }

private:
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
    explicit Scope(DibTarget &canvas) : canvas_(canvas) {}
    ~Scope() {
        for (auto it = selections_.rbegin(); it != selections_.rend(); ++it) {
            SelectObject(canvas_.Dc(), it->previous);
            if (it->owned) DeleteObject(it->object);
        }
    }
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;

    DibTarget &Target() { return canvas_; }
    // Where a copying entry reads from, for the memcpy it is measured against.
    const DibTarget *copySource = nullptr;
    HDC Dc() { return canvas_.Dc(); }
    // Selects a new object (deleted at the end) or a stock one (owned = false).
    void Select(HGDIOBJ object, bool owned = true) {
        selections_.push_back({object, SelectObject(canvas_.Dc(), object), owned});
    }
    DibTarget &Extra(int width, int height, int depth) {
        extras_.push_back(std::make_unique<DibTarget>(width, height, depth));
        return *extras_.back();
    }

private:
    struct Held {
        HGDIOBJ object, previous;
        bool owned;
    };
    DibTarget &canvas_;
    std::vector<Held> selections_;
    std::vector<std::unique_ptr<DibTarget>> extras_;
};

}  // namespace bench
