// The library's own cost per command line: a 10,000-line list of all seven codes composed
// onto a 1920 x 1080 picture at 24 bits through the real entry point and the simulator,
// with the drawing's share measured apart (the same drawing calls made straight on a
// canvas) so that what is left is the per-line cost of callbacks, conversions and objects.
//
// Run: build/bench/compose_bench [external] [runs]   (medians over the runs)
#include <figplatform.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "figsim.h"

namespace {

using figsim::Value;
constexpr int kWidth = 1920, kHeight = 1080, kLines = 10000;

struct Line {
    int code, top, left, bottom, right, colour, size, extra, start, span;
};

std::vector<Line> MakeLines() {
    std::vector<Line> lines;
    for (int i = 0; i < kLines; ++i) {
        const int code = i % 7, x = (i * 37) % (kWidth - 120), y = 20 + (i * 53) % (kHeight - 140);
        lines.push_back(code == 6 ? Line{6, y + 20, x, 1, 12, 13 + i % 200, 0, 0, 0, 0}
                                  : Line{code, y, x, y + 40 + i % 60, x + 50 + i % 70, 2 + i % 250, 1 + i % 3,
                                         code == 5 ? 90 : 0, (i * 7) % 360, 45 + i % 180});
    }
    return lines;
}

figsim::List AsList(const std::vector<Line> &lines) {
    figsim::List list;
    list.name = "chart";
    list.columnNames = {"code", "top", "left", "bottom", "right", "color", "size", "extra", "start", "span"};
    list.columnTypes.assign(10, 5);
    list.columnTypes[7] = FieldTypeText;  // column 8: the text of code 6, numbers elsewhere
    for (const Line &l : lines) {
        std::vector<Value> cells = {Value::Num(l.code), Value::Num(l.top), Value::Num(l.left), Value::Num(l.bottom),
                                    Value::Num(l.right), Value::Num(l.colour), Value::Num(l.size)};
        cells.push_back(l.code == 6 ? Value::Str("Sales 2026: 12,345") : Value::Num(l.extra));
        cells.push_back(Value::Num(l.start));
        cells.push_back(Value::Num(l.span));
        list.lines.push_back(cells);
    }
    return list;
}

double MedianSeconds(int runs, const std::function<void()> &work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The drawing alone: the platform calls the lines come to, with one pen, brush and font
// made beforehand, on a canvas like the library's made once.
class DirectCanvas {
public:
    DirectCanvas() {
        std::vector<uint8_t> header(sizeof(BITMAPINFOHEADER) + 4, 0);
        auto *info = reinterpret_cast<BITMAPINFO *>(header.data());
        info->bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), kWidth, kHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        dc_ = CreateCompatibleDC(nullptr);
        void *bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, info, DIB_RGB_COLORS, &bits, nullptr, 0);
        initial_ = SelectObject(dc_, bitmap_);
        pen_ = CreatePen(PS_SOLID, 2, RGB(200, 0, 0));
        brush_ = CreateSolidBrush(RGB(0, 0, 200));
        LOGFONTW record{};
        record.lfHeight = -12;
        record.lfCharSet = DEFAULT_CHARSET;
        std::copy_n(u"Arial", 6, record.lfFaceName);
        font_ = CreateFontIndirectW(&record);
        initialFont_ = SelectObject(dc_, font_);
        SetBkMode(dc_, TRANSPARENT);
    }
    ~DirectCanvas() {
        SelectObject(dc_, initial_);
        SelectObject(dc_, initialFont_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
        DeleteObject(pen_);
        DeleteObject(brush_);
        DeleteObject(font_);
    }
    void Draw(const std::vector<Line> &lines) {
        for (const Line &l : lines) {
            const bool filled = l.code == 0 || l.code == 3 || l.code == 5;
            SelectObject(dc_, filled ? GetStockObject(NULL_PEN) : static_cast<HGDIOBJ>(pen_));
            SelectObject(dc_, filled ? static_cast<HGDIOBJ>(brush_) : GetStockObject(NULL_BRUSH));
            const RECT r{l.left, l.top, l.right, l.bottom};
            switch (l.code) {
                case 0: FillRect(dc_, &r, brush_); break;
                case 1: MoveToEx(dc_, l.left, l.top, nullptr), LineTo(dc_, l.right, l.bottom); break;
                case 2:
                case 3: Rectangle(dc_, l.left, l.top, l.right, l.bottom); break;
                case 4: Arc(dc_, l.left, l.top, l.right, l.bottom, l.right, l.top, l.left, l.top); break;
                case 5: Pie(dc_, l.left, l.top, l.right, l.bottom, l.right, l.top, l.left, l.top); break;
                default: TextOutW(dc_, l.left, l.top - 14, reinterpret_cast<LPCWSTR>(u"Sales 2026: 12,345"), 18); break;
            }
        }
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ initial_, initialFont_;
    HPEN pen_;
    HBRUSH brush_;
    HFONT font_;
};

}  // namespace

int main(int argc, char **argv) {
    const std::string path = argc > 1 && argv[1][0] ? argv[1] : std::string(FIGPLOT_EXTERNAL_DIR) + "/figPlotU.so";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::string error;
    auto external = figsim::External::Load(path, &error);
    if (!external) {
        std::fprintf(stderr, "compose_bench: %s\n", error.c_str());
        return 1;
    }
    figsim::Host host(*external);
    host.SetTracing(false);
    host.Open();
    auto compose = [&](const std::string &list) {
        std::vector<Value> params{Value::Pict(), Value::Num(kWidth), Value::Num(kHeight), Value::Num(24), Value::Str(list)};
        if (host.Call(FnComposePict, params) != 0) std::fprintf(stderr, "compose_bench: ComposePict failed\n");
    };
    auto addList = [&](const std::string &name, const std::vector<Line> &lines) {
        figsim::List list = AsList(lines);
        list.name = name;
        host.AddList(list);
    };
    const std::vector<Line> lines = MakeLines();
    addList("chart", lines);
    addList("empty", {Line{7, 0, 0, 0, 0, 0, 0, 0, 0, 0}});  // one line that draws nothing
    const double fixed = MedianSeconds(runs, [&] { compose("empty"); });
    std::printf("ComposePict on %dx%d at 24 bits (%s), medians of %d runs; canvas and store alone %.2f ms\n", kWidth,
                kHeight, path.substr(path.find_last_of('/') + 1).c_str(), runs, fixed * 1e3);
    std::printf("%-10s %7s %12s %12s %14s\n", "lines", "count", "per line us", "drawing us", "beyond us");
    auto report = [&](const char *label, const std::string &list, const std::vector<Line> &subset) {
        const double whole = MedianSeconds(runs, [&] { compose(list); });
        DirectCanvas direct;
        const double drawing = MedianSeconds(runs, [&] { direct.Draw(subset); });
        const double perLine = (whole - fixed) / double(subset.size()) * 1e6, drawPerLine = drawing / double(subset.size()) * 1e6;
        std::printf("%-10s %7zu %12.3f %12.3f %14.3f\n", label, subset.size(), perLine, drawPerLine, perLine - drawPerLine);
    };
    const char *kNames[7] = {"erase", "line", "rect", "fillrect", "oval", "pie", "text"};
    for (int code = 0; code < 7; ++code) {
        std::vector<Line> subset;
        for (const Line &l : lines)
            if (l.code == code) subset.push_back(l);
        addList(kNames[code], subset);
        report(kNames[code], kNames[code], subset);
    }
    report("all seven", "chart", lines);
    std::printf("beyond: callbacks, conversions and per-line objects; target below 1 us a line\n");
    return 0;
}
