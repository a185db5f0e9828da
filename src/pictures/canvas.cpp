#include "canvas.h"

#include <cstring>

#include "colour_tables.h"

namespace fig {
namespace {

// Moveable, discardable and shared (0x2102), and not zero-filled: the header and the
// table are written whole before the bitmap is made from them.
constexpr UINT kHeaderBlockFlags = GMEM_MOVEABLE | GMEM_DISCARDABLE | GMEM_DDESHARE;
constexpr size_t kHeaderBytes = sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD);  // 44: never less than one entry

HGLOBAL AllocHeaderBlock(int16_t depth) {
    const size_t table = depth >= 0 && depth <= 8 ? sizeof(RGBQUAD) << depth : 0;
    return GlobalAlloc(kHeaderBlockFlags, kHeaderBytes + table);
}

// A width x height bitmap, rows bottom-up, with the colour table a 1, 4 or 8-bit canvas
// draws with.
void FillCanvasHeader(HDC referenceDc, BITMAPINFO *header, int32_t width, int32_t height, int16_t depth) {
    std::memset(header, 0, kHeaderBytes);
    BITMAPINFOHEADER &h = header->bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = height;  // positive: rows run bottom-up
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(depth);
    h.biCompression = BI_RGB;
    FillColourTable(referenceDc, header->bmiColors, depth);
}

uint64_t CanvasPixelBytes(int32_t width, int32_t height, int16_t depth) {
    if (width <= 0 || height <= 0 || depth <= 0) return 0;
    return RowBytes(static_cast<uint32_t>(width), static_cast<uint16_t>(depth)) * static_cast<uint32_t>(height);
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

bool CanvasFitsInMemory(int32_t width, int32_t height, int16_t depth) {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    // Without a figure nothing is refused here: CreateDIBSection's own limits decide.
    if (!GlobalMemoryStatusEx(&status)) return true;
    return CanvasPixelBytes(width, height, depth) <= status.ullAvailPhys / 2;
}

bool OpenCanvasDcs(HWND window, Canvas &canvas) {
    canvas = Canvas{};
    canvas.window = window;
    canvas.windowDc = GetDC(window);
    if (!canvas.windowDc) return false;
    canvas.canvasDc = CreateCompatibleDC(nullptr);
    if (canvas.canvasDc) return true;
    ReleaseCanvas(canvas);
    return false;
}

bool MakeCanvasBitmap(Canvas &canvas, HDC referenceDc, int16_t depth, const RGBQUAD *ownTable) {
    canvas.headerBlock = AllocHeaderBlock(depth);
    if (!canvas.headerBlock) return false;
    auto *header = static_cast<BITMAPINFO *>(GlobalLock(canvas.headerBlock));
    if (!header) return false;
    FillCanvasHeader(referenceDc, header, canvas.width, canvas.height, depth);
    if (ownTable) std::memcpy(header->bmiColors, ownTable, sizeof(RGBQUAD) << depth);
    if (!CanvasFitsInMemory(canvas.width, canvas.height, depth)) return false;
    canvas.canvasBitmap = CreateDIBSection(canvas.canvasDc, header, DIB_RGB_COLORS, &canvas.pixels, nullptr, 0);
    return canvas.canvasBitmap != nullptr;
}

void ResetCanvasColours(HDC dc) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
}

bool NewCanvas(HWND window, int32_t width, int32_t height, int32_t depth, Canvas &canvas) {
    if (!OpenCanvasDcs(window, canvas)) return false;
    canvas.width = width;
    canvas.height = height;
    if (!MakeCanvasBitmap(canvas, canvas.windowDc, CanvasDepth(depth), nullptr)) {
        ReleaseCanvas(canvas);
        return false;
    }
    ResetCanvasColours(canvas.canvasDc);
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
