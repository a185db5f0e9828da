// What one API call costs in the platform build this program links: SetPixel, and a short
// MoveToEx/LineTo pair, on a 32-bit memory DC. Built against the shipped library and the
// test build (fault points and hooks); the difference is the fault points' price per call.
// A report, not a test: run both on a quiet machine.
#include <windows.h>

#include <cstdio>

#include "harness.h"

namespace {

#ifdef FIGPLOT_TEST_HOOKS
constexpr char kBuild[] = "test build";
#else
constexpr char kBuild[] = "shipped";
#endif

HBITMAP MakeCanvas(HDC dc, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(dc, bitmap);
    return bitmap;
}

}  // namespace

int main() {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = MakeCanvas(dc, 63, 41);
    const auto none = [] {};
    const bench::Timing timing;
    int x = 0;
    const double setPixel = bench::MedianNanos(
        [&] {
            x = (x + 1) % 63;
            SetPixel(dc, x, x % 41, RGB(x, 7, 200));
        },
        none, timing);
    const double line = bench::MedianNanos(
        [&] {
            x = (x + 1) % 63;
            MoveToEx(dc, x, 3, nullptr);
            LineTo(dc, x + 2, 5);
        },
        none, timing);
    std::printf("%s: SetPixel %.1f ns per call, MoveToEx+LineTo %.1f ns per pair\n", kBuild, setPixel, line);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return 0;
}
