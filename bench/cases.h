// The benchmark's entries: one per primitive class, each drawn the same way natively and
// under Wine. A run is a fixed handful of GDI calls on a 1920x1080 canvas.
#pragma once

#include "dib_target.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace bench {

constexpr int kCanvasWidth = 1920, kCanvasHeight = 1080;

// What a full-canvas fill or a same-depth copy is measured against.
enum class Memory { None, Set, Copy };

struct Entry {
    std::string name;
    int calls = 1;          // GDI calls in one run
    double pixels = 0;      // pixels one run lights (lines: per-pixel cost), 0 when not telling
    Memory memory = Memory::None;
    bool nativeOnly = false;  // shapes Wine would take minutes over (or refuse)
    // Selects what the entry needs into the scope and returns one run.
    std::function<std::function<void()>(Scope &)> prepare;
};

constexpr COLORREF kPen = RGB(200, 30, 60), kBrush = RGB(40, 160, 90), kInk = RGB(20, 40, 170);

struct Segment {
    int x0, y0, x1, y1;
};

// Sixteen lines of one length around the canvas centre, every octant twice, none on an
// axis or a diagonal.
inline std::vector<Segment> Fan(int length) {
    std::vector<Segment> fan;
    const double pi = 3.14159265358979323846;
    for (int k = 0; k < 16; ++k) {
        const double angle = (k + 0.3) * pi / 8;
        const int dx = static_cast<int>(std::lround(length * std::cos(angle)));
        const int dy = static_cast<int>(std::lround(length * std::sin(angle)));
        const int cx = kCanvasWidth / 2 - dx / 2, cy = kCanvasHeight / 2 - dy / 2;
        fan.push_back({cx, cy, cx + dx, cy + dy});
    }
    return fan;
}

inline double FanPixels(const std::vector<Segment> &fan) {
    double pixels = 0;
    for (const Segment &s : fan) pixels += std::max(std::abs(s.x1 - s.x0), std::abs(s.y1 - s.y0));
    return pixels;
}

inline Entry LineFan(const std::string &name, int length, int width) {
    const std::vector<Segment> fan = Fan(length);
    Entry e{name, static_cast<int>(fan.size()), width <= 1 ? FanPixels(fan) : 0, Memory::None, false, nullptr};
    e.prepare = [fan, width](Scope &scope) -> std::function<void()> {
        scope.Select(CreatePen(PS_SOLID, width, kPen));
        HDC dc = scope.Dc();
        return [dc, fan] {
            for (const Segment &s : fan) {
                MoveToEx(dc, s.x0, s.y0, nullptr);
                LineTo(dc, s.x1, s.y1);
            }
        };
    };
    return e;
}

inline Entry FillRectEntry(const std::string &name, int width, int height, Memory memory) {
    Entry e{name, 1, double(width) * height, memory, false, nullptr};
    e.prepare = [width, height](Scope &scope) -> std::function<void()> {
        HBRUSH brush = CreateSolidBrush(kBrush);
        scope.Select(brush);  // held (and deleted) by the scope; FillRect never needs it selected
        HDC dc = scope.Dc();
        const int left = (kCanvasWidth - width) / 2, top = (kCanvasHeight - height) / 2;
        const RECT r{left, top, left + width, top + height};
        return [dc, r, brush] { FillRect(dc, &r, brush); };
    };
    return e;
}

// A shape call with the given pen width (0: null pen) and brush (false: null brush).
using ShapeCall = std::function<void(HDC)>;
inline Entry ShapeEntry(const std::string &name, int penWidth, bool brush, ShapeCall call) {
    Entry e{name, 1, 0, Memory::None, false, nullptr};
    e.prepare = [penWidth, brush, call](Scope &scope) -> std::function<void()> {
        if (penWidth > 0) scope.Select(CreatePen(PS_SOLID, penWidth, kPen));
        else scope.Select(GetStockObject(NULL_PEN), false);
        if (brush) scope.Select(CreateSolidBrush(kBrush));
        else scope.Select(GetStockObject(NULL_BRUSH), false);
        HDC dc = scope.Dc();
        return [dc, call] { call(dc); };
    };
    return e;
}

// A box of the given size centred on the canvas.
inline RECT Centred(int width, int height) {
    const int left = (kCanvasWidth - width) / 2, top = (kCanvasHeight - height) / 2;
    return RECT{left, top, left + width, top + height};
}

// ANTIALIASED_QUALITY smooths on both sides whatever the system setting (at 16 bits and
// more, at sizes the face's gasp table lets be grey): the smoothed entries use it.
inline Entry TextEntry(const std::string &name, int height, BYTE quality = DEFAULT_QUALITY) {
    Entry e{name, 1, 0, Memory::None, false, nullptr};
    e.prepare = [height, quality](Scope &scope) -> std::function<void()> {
        LOGFONTW lf{};
        lf.lfHeight = -height;
        lf.lfWeight = FW_NORMAL;
        lf.lfQuality = quality;
        const char16_t face[] = u"Arial";
        for (int i = 0; face[i]; ++i) lf.lfFaceName[i] = static_cast<WCHAR>(face[i]);
        scope.Select(CreateFontIndirectW(&lf));
        HDC dc = scope.Dc();
        SetTextColor(dc, kInk);
        static const char16_t text[] = u"Quick brown fox 0123";  // 20 characters
        return [dc] { TextOutW(dc, 200, 300, reinterpret_cast<LPCWSTR>(text), 20); };
    };
    return e;
}

// The depth a converting blit copies from: true colour into 8 and 24 bits, 24 into 32.
inline int OtherDepth(int depth) { return depth == 32 ? 24 : 32; }

inline Entry BlitEntry(const std::string &name, int size, bool sameDepth, Memory memory) {
    const int width = size ? size : kCanvasWidth, height = size ? size : kCanvasHeight;
    Entry e{name, 1, double(width) * height, memory, false, nullptr};
    e.prepare = [width, height, sameDepth](Scope &scope) -> std::function<void()> {
        const int depth = scope.Target().Depth();
        DibTarget &source = scope.Extra(kCanvasWidth, kCanvasHeight, sameDepth ? depth : OtherDepth(depth));
        // A source written all over (as a picture is), with varied colours so that
        // conversions cannot hit one cached colour.
        const RECT all{0, 0, kCanvasWidth, kCanvasHeight}, band{0, 0, kCanvasWidth, 64};
        HBRUSH ground = CreateSolidBrush(RGB(250, 240, 230)), stripe = CreateSolidBrush(RGB(90, 17, 200));
        FillRect(source.Dc(), &all, ground);
        FillRect(source.Dc(), &band, stripe);
        DeleteObject(ground);
        DeleteObject(stripe);
        for (int i = 0; i < 4096; ++i) SetPixel(source.Dc(), (i * 37) % kCanvasWidth, (i * 13) % kCanvasHeight, RGB(i * 7, i * 11, i * 13));
        scope.copySource = &source;
        HDC dc = scope.Dc(), from = source.Dc();
        return [dc, from, width, height] { BitBlt(dc, 0, 0, width, height, from, 0, 0, SRCCOPY); };
    };
    return e;
}

inline Entry PixelEntry(const std::string &name, bool set) {
    constexpr int kCalls = 1000;
    Entry e{name, kCalls, 0, Memory::None, false, nullptr};
    e.prepare = [set](Scope &scope) -> std::function<void()> {
        HDC dc = scope.Dc();
        return [dc, set] {
            for (int i = 0; i < kCalls; ++i) {
                const int x = (i * 97) % kCanvasWidth, y = (i * 61) % kCanvasHeight;
                if (set) SetPixel(dc, x, y, RGB(i, 255 - i, 3 * i));
                else GetPixel(dc, x, y);
            }
        };
    };
    return e;
}

// An ellipse or pie on a 200x200 bitmap whose box is `half` pixels from centre to side,
// placed so that its top edge and (for the pie) both radii cross the bitmap. The huge boxes
// (half-size 3e7) should cost about what the bitmap-sized ones (half-size 100) cost.
inline Entry ClippedCurveEntry(const std::string &name, bool pie, int half) {
    Entry e{name, 1, 0, Memory::None, half > 1000, nullptr};
    e.prepare = [pie, half](Scope &scope) -> std::function<void()> {
        DibTarget &small = scope.Extra(200, 200, scope.Target().Depth());
        HDC dc = small.Dc();
        const RECT box{100 - half, 100, 100 + half, 100 + 2 * half};
        return [dc, box, pie] {
            if (pie) Pie(dc, box.left, box.top, box.right, box.bottom, 0, 0, 200, 0);
            else Ellipse(dc, box.left, box.top, box.right, box.bottom);
        };
    };
    return e;
}

inline std::vector<Entry> AllEntries() {
    auto rect = [](RECT r, auto draw) { return [r, draw](HDC dc) { draw(dc, r); }; };
    auto ellipse = [](HDC dc, RECT r) { Ellipse(dc, r.left, r.top, r.right, r.bottom); };
    const RECT r200x150 = Centred(200, 150), r200 = Centred(200, 200);
    return {
        FillRectEntry("FillRect 8x8", 8, 8, Memory::None),
        FillRectEntry("FillRect 128x128", 128, 128, Memory::None),
        FillRectEntry("FillRect full canvas", kCanvasWidth, kCanvasHeight, Memory::Set),
        LineFan("cosmetic line 1000 px", 1000, 0),
        LineFan("cosmetic line 20 px", 20, 0),
        LineFan("wide (5) line 200 px", 200, 5),
        ShapeEntry("Rectangle 64x48", 1, true,
                   rect(Centred(64, 48), [](HDC dc, RECT r) { Rectangle(dc, r.left, r.top, r.right, r.bottom); })),
        ShapeEntry("Ellipse outline 32x24", 1, false, rect(Centred(32, 24), ellipse)),
        ShapeEntry("Ellipse outline 600x400", 1, false, rect(Centred(600, 400), ellipse)),
        ShapeEntry("Ellipse filled 32x24", 1, true, rect(Centred(32, 24), ellipse)),
        ShapeEntry("Ellipse filled 600x400", 1, true, rect(Centred(600, 400), ellipse)),
        ShapeEntry("wide (5) Ellipse 200x150", 5, true, rect(r200x150, ellipse)),
        ShapeEntry("Arc 200x150", 1, false,
                   [r = r200x150](HDC dc) {
                       Arc(dc, r.left, r.top, r.right, r.bottom, r.right, r.top + 20, r.left + 30, r.bottom);
                   }),
        ShapeEntry("Pie 200x200", 1, true,
                   [r = r200](HDC dc) {
                       Pie(dc, r.left, r.top, r.right, r.bottom, r.right, r.top + 40, r.left + 20, r.bottom);
                   }),
        TextEntry("TextOut 20 chars -12", 12),
        TextEntry("TextOut 20 chars -40", 40),
        TextEntry("TextOut 20 chars -20 smoothed", 20, ANTIALIASED_QUALITY),
        TextEntry("TextOut 20 chars -40 smoothed", 40, ANTIALIASED_QUALITY),
        BlitEntry("BitBlt 512x512 same depth", 512, true, Memory::None),
        BlitEntry("BitBlt 512x512 other depth", 512, false, Memory::None),
        BlitEntry("BitBlt full canvas same depth", 0, true, Memory::Copy),
        PixelEntry("SetPixel", true),
        PixelEntry("GetPixel", false),
        ClippedCurveEntry("Ellipse box 200 on 200x200", false, 100),
        ClippedCurveEntry("Ellipse box 6e7 on 200x200", false, 30000000),
        ClippedCurveEntry("Pie box 200 on 200x200", true, 100),
        ClippedCurveEntry("Pie box 6e7 on 200x200", true, 30000000),
        // Wide pens along curves: Wine stamps a region at every point, so its time grows
        // with the width; ours follows the rows painted.
        ShapeEntry("wide (16) Ellipse 600x400", 16, false, rect(Centred(600, 400), ellipse)),
        ShapeEntry("wide (200) Ellipse 600x400", 200, false, rect(Centred(600, 400), ellipse)),
        ShapeEntry("wide (2000) Ellipse 600x400", 2000, false, rect(Centred(600, 400), ellipse)),
        ShapeEntry("wide (200) Arc 1800x1000", 200, false,
                   [r = Centred(1800, 1000)](HDC dc) {
                       Arc(dc, r.left, r.top, r.right, r.bottom, r.right, r.top + 90, r.left + 300, r.bottom);
                   }),
        ShapeEntry("wide (2000) Arc 1800x1000", 2000, false,
                   [r = Centred(1800, 1000)](HDC dc) {
                       Arc(dc, r.left, r.top, r.right, r.bottom, r.right, r.top + 90, r.left + 300, r.bottom);
                   }),
    };
}

}  // namespace bench
