// Speed of the platform's raster engine on a picture-sized DIB section at each depth.
// Run: build/bench/raster_bench   (figures per call; compare depths and primitives)
#include <benchmark/benchmark.h>
#include <figplatform.h>

#include <vector>

namespace {

struct Surface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ initial = nullptr;

    Surface(int width, int height, int depth) {
        std::vector<unsigned char> header(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
        auto *info = reinterpret_cast<BITMAPINFO *>(header.data());
        info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info->bmiHeader.biWidth = width;
        info->bmiHeader.biHeight = height;
        info->bmiHeader.biPlanes = 1;
        info->bmiHeader.biBitCount = static_cast<WORD>(depth);
        for (int i = 0; i < 256; ++i)
            info->bmiColors[i] = RGBQUAD{BYTE(i), BYTE(255 - i), BYTE(i * 7), 0};
        void *bits = nullptr;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, info, DIB_RGB_COLORS, &bits, nullptr, 0);
        initial = SelectObject(dc, bitmap);
    }
    ~Surface() {
        SelectObject(dc, initial);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

const int kWidth = 1024, kHeight = 768;

void DepthArgs(benchmark::internal::Benchmark *b) {
    for (int depth : {1, 4, 8, 16, 24, 32}) b->Arg(depth);
}

void BM_FillRect(benchmark::State &state) {
    Surface s(kWidth, kHeight, static_cast<int>(state.range(0)));
    HBRUSH brush = CreateSolidBrush(RGB(200, 30, 90));
    RECT r{3, 5, kWidth - 7, kHeight - 2};
    for (auto _ : state) FillRect(s.dc, &r, brush);
    DeleteObject(brush);
    state.SetItemsProcessed(state.iterations() * int64_t(r.right - r.left) * (r.bottom - r.top));
}
BENCHMARK(BM_FillRect)->Apply(DepthArgs);

void BM_Ellipse(benchmark::State &state) {
    Surface s(kWidth, kHeight, static_cast<int>(state.range(0)));
    HBRUSH brush = CreateSolidBrush(RGB(20, 130, 90));
    HGDIOBJ old = SelectObject(s.dc, brush);
    for (auto _ : state) Ellipse(s.dc, 10, 10, kWidth - 10, kHeight - 10);
    SelectObject(s.dc, old);
    DeleteObject(brush);
}
BENCHMARK(BM_Ellipse)->Apply(DepthArgs);

void BM_LinesFan(benchmark::State &state) {
    Surface s(kWidth, kHeight, static_cast<int>(state.range(0)));
    for (auto _ : state)
        for (int x = 0; x < kWidth; x += 16) {
            MoveToEx(s.dc, kWidth / 2, kHeight / 2, nullptr);
            LineTo(s.dc, x, 0);
        }
}
BENCHMARK(BM_LinesFan)->Apply(DepthArgs);

void BM_WideLine(benchmark::State &state) {
    Surface s(kWidth, kHeight, 32);
    HPEN pen = CreatePen(PS_SOLID, static_cast<int>(state.range(0)), RGB(1, 2, 3));
    HGDIOBJ old = SelectObject(s.dc, pen);
    for (auto _ : state) {
        MoveToEx(s.dc, 5, 7, nullptr);
        LineTo(s.dc, kWidth - 9, kHeight - 13);
    }
    SelectObject(s.dc, old);
    DeleteObject(pen);
}
BENCHMARK(BM_WideLine)->Arg(3)->Arg(7)->Arg(25);

void BM_BitBltToDepth(benchmark::State &state) {
    Surface from(kWidth, kHeight, 32);
    Surface to(kWidth, kHeight, static_cast<int>(state.range(0)));
    for (auto _ : state) BitBlt(to.dc, 0, 0, kWidth, kHeight, from.dc, 0, 0, SRCCOPY);
    state.SetItemsProcessed(state.iterations() * int64_t(kWidth) * kHeight);
}
BENCHMARK(BM_BitBltToDepth)->Apply(DepthArgs);

void BM_TextOut(benchmark::State &state) {
    Surface s(kWidth, kHeight, 24);
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(state.range(0));
    const char16_t face[] = u"Arial";
    for (int i = 0; face[i]; ++i) lf.lfFaceName[i] = face[i];
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(s.dc, font);
    SetBkMode(s.dc, TRANSPARENT);
    const char16_t text[] = u"The quick brown fox jumps over the lazy dog 0123456789";
    for (auto _ : state) TextOutW(s.dc, 10, 20, text, sizeof text / 2 - 1);
    SelectObject(s.dc, old);
    DeleteObject(font);
}
BENCHMARK(BM_TextOut)->Arg(12)->Arg(40);

}  // namespace
