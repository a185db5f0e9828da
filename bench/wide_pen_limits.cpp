// The cost of single drawing calls a hostile host may make with wide pens: each call runs in
// a child process of its own, on a fresh 32-bit DIB section, and reports its time and the
// process's peak memory beside the bound it must stay within: max(50 ms, 10 ns a surface
// pixel) and the surface's bytes plus 64 MB.
//
// Usage: figplot_wide_pen_limits [--filter substring]   (prints a Markdown table)
#include <windows.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

enum class Shape { Ellipse, Arc, ThreeQuarterArc, Pie, Line, Rectangle };

struct Call {
    Shape shape;
    int width, height;  // the surface
    RECT box;           // the shape's box, or the line's ends
    int pen;
};

const char *ShapeName(Shape s) {
    switch (s) {
        case Shape::Ellipse: return "Ellipse";
        case Shape::Arc: return "Arc, ends together";
        case Shape::ThreeQuarterArc: return "Arc, three quarters";
        case Shape::Pie: return "Pie outline";
        case Shape::Line: return "LineTo";
        case Shape::Rectangle: return "Rectangle";
    }
    return "?";
}

void Draw(HDC dc, const Call &c) {
    const RECT &b = c.box;
    const int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
    switch (c.shape) {
        case Shape::Ellipse: Ellipse(dc, b.left, b.top, b.right, b.bottom); break;
        case Shape::Arc: Arc(dc, b.left, b.top, b.right, b.bottom, b.right, cy, b.right, cy); break;
        case Shape::ThreeQuarterArc: Arc(dc, b.left, b.top, b.right, b.bottom, b.right, cy, cx, b.bottom); break;
        case Shape::Pie: Pie(dc, b.left, b.top, b.right, b.bottom, b.right, cy, cx, b.bottom); break;
        case Shape::Line:
            MoveToEx(dc, b.left, b.top, nullptr);
            LineTo(dc, b.right, b.bottom);
            break;
        case Shape::Rectangle: Rectangle(dc, b.left, b.top, b.right, b.bottom); break;
    }
}

std::vector<Call> Calls() {
    struct Surface {
        int width, height;
    };
    const Surface surfaces[] = {{300, 30000}, {2000, 2000}, {1, 30000}};
    std::vector<Call> calls;
    for (const Surface &s : surfaces) {
        // The surface's own box, one far larger crossing it, and one far away on its left.
        const RECT boxes[] = {{0, 0, s.width, s.height},
                              {-40 * s.width - 30000, -3 * s.height, s.width / 2 + 20000, 4 * s.height},
                              {-2000000, -1000000, s.width / 3 + 33000, 1000000}};
        for (const RECT &box : boxes)
            for (int pen : {16, 200, 2000, 20000, 65535})
                for (Shape shape : {Shape::Arc, Shape::ThreeQuarterArc, Shape::Pie})
                    calls.push_back({shape, s.width, s.height, box, pen});
        for (int pen : {16, 2000, 65535}) {
            calls.push_back({Shape::Line, s.width, s.height, {-70000, -50000, s.width + 90000, s.height + 40000}, pen});
            calls.push_back({Shape::Rectangle, s.width, s.height, {-7, -9, s.width + 11, s.height + 5}, pen});
        }
    }
    return calls;
}

struct Outcome {
    double millis = 0;
    long peakKb = 0;
    bool ok = false;
};

// In the child: draw once, then report the time and the peak resident size.
Outcome RunHere(const Call &c) {
    Outcome o;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = c.width;
    info.bmiHeader.biHeight = -c.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !bitmap) return o;
    SelectObject(dc, bitmap);
    // A host's picture is cleared or drawn on before: its pages are in memory already.
    std::memset(bits, 0xff, static_cast<size_t>(c.width) * 4 * static_cast<size_t>(c.height));
    SelectObject(dc, CreatePen(PS_SOLID, c.pen, RGB(200, 30, 60)));
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    const auto start = std::chrono::steady_clock::now();
    Draw(dc, c);
    GdiFlush();
    o.millis = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    o.peakKb = usage.ru_maxrss;
    o.ok = true;
    return o;
}

Outcome RunApart(const Call &c) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const Outcome o = RunHere(c);
        const ssize_t written = write(pipeEnds[1], &o, sizeof o);
        _exit(written == static_cast<ssize_t>(sizeof o) ? 0 : 1);
    }
    close(pipeEnds[1]);
    Outcome o;
    const bool read = child > 0 && ::read(pipeEnds[0], &o, sizeof o) == static_cast<ssize_t>(sizeof o);
    close(pipeEnds[0]);
    if (child > 0) waitpid(child, nullptr, 0);
    return read ? o : Outcome{};
}

}  // namespace

int main(int argc, char **argv) {
    const char *filter = argc > 2 && std::strcmp(argv[1], "--filter") == 0 ? argv[2] : nullptr;
    // What a process holds before any surface: the baseline the peaks are compared from.
    const long baseKb = RunApart({Shape::Line, 1, 1, {0, 0, 0, 0}, 2}).peakKb;
    std::printf("| call | surface | box | pen | time (ms) | bound (ms) | peak over base (MB) | bound (MB) | within |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    int over = 0;
    for (const Call &c : Calls()) {
        char box[96];
        std::snprintf(box, sizeof box, "%ld,%ld,%ld,%ld", static_cast<long>(c.box.left), static_cast<long>(c.box.top),
                      static_cast<long>(c.box.right), static_cast<long>(c.box.bottom));
        const std::string line = std::string(ShapeName(c.shape)) + " " + std::to_string(c.width) + "x" +
                                 std::to_string(c.height) + " " + box + " pen " + std::to_string(c.pen);
        if (filter && line.find(filter) == std::string::npos) continue;
        const Outcome o = RunApart(c);
        const double pixels = static_cast<double>(c.width) * c.height;
        const double timeBound = std::max(50.0, pixels * 10e-6);
        const double memoryBound = (pixels * 4 + 64.0 * 1024 * 1024) / (1024 * 1024);
        const double peakMb = (o.peakKb - baseKb) / 1024.0;
        const bool within = o.ok && o.millis <= timeBound && peakMb <= memoryBound;
        over += within ? 0 : 1;
        std::printf("| %s | %dx%d | %s | %d | %.1f | %.0f | %.1f | %.0f | %s |\n", ShapeName(c.shape), c.width,
                    c.height, box, c.pen, o.millis, timeBound, peakMb, memoryBound,
                    !o.ok ? "failed" : within ? "yes" : "no");
        std::fflush(stdout);
    }
    std::printf("\n%d call(s) beyond their bounds\n", over);
    return over ? 1 : 0;
}
