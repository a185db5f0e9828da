// Cosmetic lines: every direction at lengths 0-3, fans through all octants, horizontal and
// vertical spans both ways, polylines and lines clipped by the surface edges.
#pragma once

#include "scene.h"

namespace scenes {

// Every end point at Chebyshev distance `length` from the start, one per grid cell.
inline void DrawShortLines(SceneTarget& c, int length) {
    int cell = 2 * length + 4;
    int column = 0;
    int row = 0;
    auto place = [&](int dx, int dy) {
        int x = 2 + length + column * cell;
        int y = 2 + length + row * cell;
        Line(c.dc, x, y, x + dx, y + dy);
        if (++column * cell + cell > c.width) column = 0, ++row;
    };
    if (length == 0) {
        for (int i = 0; i < 12; ++i) place(0, 0);
        return;
    }
    for (int d = -length; d < length; ++d) {
        place(length, d);
        place(-d, length);
        place(-length, -d);
        place(d, -length);
    }
}

// Lines from a centre to points all around a box, or back, covering every octant and tie.
inline void DrawFan(SceneTarget& c, bool inwards) {
    int cx = c.width / 2;
    int cy = c.height / 2;
    auto spoke = [&](int x, int y) { inwards ? Line(c.dc, x, y, cx, cy) : Line(c.dc, cx, cy, x, y); };
    for (int x = 1; x < c.width - 1; x += 4) spoke(x, 1), spoke(c.width - 1 - x, c.height - 2);
    for (int y = 3; y < c.height - 2; y += 4) spoke(1, c.height - 1 - y), spoke(c.width - 2, y);
}

inline void DrawSpans(SceneTarget& c) {
    for (int i = 0; i < 8; ++i) {
        int y = 2 + i * 2;
        Line(c.dc, 3 + i, y, 3 + i + i * 3, y);    // left to right
        Line(c.dc, 58 - i, y, 58 - i - i * 3, y);  // right to left
        int x = 30 + i * 2;
        Line(c.dc, x, 20, x, 20 + i * 3);          // down
        Line(c.dc, x + 1, 45, x + 1, 45 - i * 3);  // up
    }
}

inline void DrawClippedLines(SceneTarget& c) {
    int w = c.width;
    int h = c.height;
    Line(c.dc, -10, -7, w + 9, h + 3);
    Line(c.dc, -5, 20, 30, -9);
    Line(c.dc, w + 14, 3, -20, 40);
    Line(c.dc, 7, -30, 19, h + 30);
    Line(c.dc, w - 3, h + 20, w + 5, -20);
    Line(c.dc, -40, h - 2, w + 40, h - 6);
    Line(c.dc, -1, 10, -1, 30);
    Line(c.dc, w, 10, w, 30);
    Line(c.dc, 10, -1, 50, -1);
    Line(c.dc, 10, h, 50, h);
    Line(c.dc, -3, 5, 12, 5);
    Line(c.dc, 12, h + 2, 12, h - 4);
    Line(c.dc, -100, -90, -60, -20);
}

// Coordinates far beyond the surface, where clipping arithmetic could overflow or round.
inline void DrawFarLines(SceneTarget& c) {
    Line(c.dc, -100000, 5, 100000, 40);
    Line(c.dc, 30, -70000, 31, 70000);
    Line(c.dc, -50000, -50000, 50000, 50000);
    Line(c.dc, 60000, -3000, -60000, 3300);
    Line(c.dc, -1000000, 20, 1000000, 20);
}

inline void DrawPolyline(SceneTarget& c) {
    static const POINT points[] = {{5, 5}, {55, 9}, {12, 40}, {30, 2}, {48, 42}, {5, 20}, {58, 30}, {58, 30}, {20, 44}};
    MoveToEx(c.dc, points[0].x, points[0].y, nullptr);
    for (const POINT& p : points) LineTo(c.dc, p.x, p.y);
}

inline DrawFn WithPen(int width, COLORREF colour, void (*draw)(SceneTarget&)) {
    return [width, colour, draw](SceneTarget& c) {
        Selected pen(c.dc, Pen(width, colour));
        draw(c);
    };
}

inline void AddLineScenes(SceneList& list) {
    for (int length = 0; length <= 3; ++length) {
        AddCanvasScenes(list, "lines_len" + std::to_string(length), "lines", 61, 47, [length](SceneTarget& c) {
            Selected pen(c.dc, Pen(1, kPenColour));
            DrawShortLines(c, length);
        });
    }
    AddCanvasScenes(list, "lines_fan_out", "lines", 61, 47,
                    WithPen(1, kPenColour, [](SceneTarget& c) { DrawFan(c, false); }));
    AddCanvasScenes(list, "lines_fan_in", "lines", 61, 47, WithPen(1, kPenColour, [](SceneTarget& c) { DrawFan(c, true); }));
    AddCanvasScenes(list, "lines_fan_w0", "lines", 61, 47,
                    WithPen(0, kPenColour, [](SceneTarget& c) { DrawFan(c, false); }));
    AddCanvasScenes(list, "lines_default_pen", "lines", 61, 47, [](SceneTarget& c) { DrawShortLines(c, 3); });
    AddCanvasScenes(list, "lines_spans", "lines", 61, 47, WithPen(1, kPenColour, DrawSpans));
    AddCanvasScenes(list, "lines_clipped", "lines", 61, 47, WithPen(1, kPenColour, DrawClippedLines));
    AddCanvasScenes(list, "lines_far", "lines", 61, 47, WithPen(1, kPenColour, DrawFarLines));
    AddCanvasScenes(list, "lines_polyline", "lines", 61, 47, WithPen(1, kPenColour, DrawPolyline));
    AddCanvasScenes(list, "lines_null_pen", "lines", 61, 47, [](SceneTarget& c) {
        Selected pen(c.dc, GetStockObject(NULL_PEN), false);
        DrawFan(c, false);
    });
    AddCanvasScenes(list, "lines_ps_null", "lines", 61, 47, [](SceneTarget& c) {
        Selected pen(c.dc, CreatePen(PS_NULL, 3, kPenColour));
        DrawFan(c, false);
        Rectangle(c.dc, 10, 10, 30, 25);
    });
}

}  // namespace scenes
