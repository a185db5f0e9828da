#include "canvas.h"

#include <cstring>

#include "canvas_limits.h"
#include "colour_tables.h"

namespace fig {
namespace {

// Flags the header block has always been allocated with (moveable, discardable, shared);
// the block is not zero-filled.
constexpr UINT kHeaderBlockFlags = GMEM_MOVEABLE | GMEM_DISCARDABLE | GMEM_DDESHARE;
constexpr size_t kHeaderBytes = sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD);  // 44: never less than one entry

// Builds the bitmap on a canvas whose DCs are in place; the header block is kept locked.
bool MakeCanvasBitmap(Canvas &canvas, int32_t width, int32_t height, int16_t depth) {
    canvas.headerBlock = AllocHeaderBlock(depth);
    if (!canvas.headerBlock) return false;
    auto *header = static_cast<BITMAPINFO *>(GlobalLock(canvas.headerBlock));
    if (!header) return false;
    FillCanvasHeader(canvas.windowDc, header, RECT{0, 0, width, height}, depth);
    return CreateCanvasSection(canvas, header);
}

}  // namespace

int16_t CanvasDepth(int32_t depth) {
    const auto low = static_cast<int16_t>(static_cast<uint16_t>(depth));
    switch (low) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32: return low;
        default: return 4;
    }
}

HGLOBAL AllocHeaderBlock(int16_t depth) {
    const size_t table = depth >= 0 && depth <= 8 ? sizeof(RGBQUAD) << depth : 0;
    return GlobalAlloc(kHeaderBlockFlags, kHeaderBytes + table);
}

HBITMAP CreateCanvasSection(Canvas &canvas, const BITMAPINFO *header) {
    const BITMAPINFOHEADER &h = header->bmiHeader;
    if (!CanvasFitsInMemory(h.biWidth, h.biHeight, static_cast<int16_t>(h.biBitCount))) return nullptr;
    canvas.canvasBitmap = CreateDIBSection(canvas.canvasDc, header, DIB_RGB_COLORS, &canvas.pixels, nullptr, 0);
    return canvas.canvasBitmap;
}

void FillCanvasHeader(HDC referenceDc, BITMAPINFO *header, const RECT &rect, int16_t depth) {
    std::memset(header, 0, kHeaderBytes);
    BITMAPINFOHEADER &h = header->bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = rect.right - rect.left;
    h.biHeight = rect.bottom - rect.top;  // positive: rows run bottom-up
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(depth);
    h.biCompression = BI_RGB;
    FillColourTable(referenceDc, header->bmiColors, depth);
}

bool NewCanvas(HWND window, int32_t width, int32_t height, int32_t depth, Canvas &canvas) {
    canvas = Canvas{};
    canvas.window = window;
    canvas.width = width;
    canvas.height = height;
    const int16_t bits = CanvasDepth(depth);
    canvas.windowDc = GetDC(window);
    if (!canvas.windowDc) return false;
    canvas.canvasDc = CreateCompatibleDC(nullptr);
    if (!canvas.canvasDc || !MakeCanvasBitmap(canvas, width, height, bits)) {
        ReleaseCanvas(canvas);
        return false;
    }
    SetTextColor(canvas.canvasDc, RGB(0, 0, 0));
    SetBkColor(canvas.canvasDc, RGB(255, 255, 255));
    canvas.initialBitmap = static_cast<HBITMAP>(SelectObject(canvas.canvasDc, canvas.canvasBitmap));
    return true;
}

void ReleaseCanvas(Canvas &canvas) {
    if (canvas.canvasBitmap) {
        if (canvas.initialBitmap) SelectObject(canvas.canvasDc, canvas.initialBitmap);
        DeleteObject(canvas.canvasBitmap);
    }
    if (canvas.headerBlock) {
        GlobalUnlock(canvas.headerBlock);
        GlobalFree(canvas.headerBlock);
    }
    if (canvas.canvasDc) DeleteDC(canvas.canvasDc);
    if (canvas.windowDc) ReleaseDC(canvas.window, canvas.windowDc);
    canvas = Canvas{};
}

}  // namespace fig
