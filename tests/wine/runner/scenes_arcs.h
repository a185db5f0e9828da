// Arc and Pie: start and end radials in every quadrant and on the axes, equal ends, small
// boxes, null pen and null brush.
#pragma once

#include "scene.h"

namespace scenes {

using ArcFn = BOOL (*)(HDC, int, int, int, int, int, int, int, int);

inline BOOL CallArc(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    return Arc(dc, l, t, r, b, xs, ys, xe, ye);
}
inline BOOL CallPie(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    return Pie(dc, l, t, r, b, xs, ys, xe, ye);
}

struct Direction {
    int dx;
    int dy;
};

// The four axes, one slope per quadrant (steep and shallow ones) and an exact diagonal.
inline const std::vector<Direction>& RadialDirections() {
    static const std::vector<Direction> dirs = {{1, 0}, {0, -1}, {-1, 0}, {0, 1}, {3, -1}, {-2, -3}, {-3, 2}, {1, 1}};
    return dirs;
}

// One arc of the given box per (start, end) pair; pairs [first, first + 12) on a 4x3 grid.
inline void DrawArcGrid(SceneTarget& c, ArcFn fn, int boxWidth, int boxHeight, int first) {
    const auto& dirs = RadialDirections();
    int pairs = static_cast<int>(dirs.size() * dirs.size());
    for (int k = first; k < first + 12 && k < pairs; ++k) {
        const Direction& s = dirs[static_cast<size_t>(k) / dirs.size()];
        const Direction& e = dirs[static_cast<size_t>(k) % dirs.size()];
        int slot = k - first;
        int left = 1 + (slot % 4) * 24;
        int top = 1 + (slot / 4) * 23;
        int cx = left + boxWidth / 2;
        int cy = top + boxHeight / 2;
        c.extras.push_back(fn(c.dc, left, top, left + boxWidth, top + boxHeight, cx + s.dx * 30, cy + s.dy * 30,
                              cx + e.dx * 30, cy + e.dy * 30));
    }
}

// Boxes 0-4 wide and high with one short and one long sweep.
inline void DrawSmallArcs(SceneTarget& c, ArcFn fn, bool longSweep) {
    for (int h = 0; h <= 4; ++h) {
        for (int w = 0; w <= 4; ++w) {
            int x = 3 + w * 8, y = 3 + h * 8;
            int cx = x + w / 2, cy = y + h / 2;
            if (longSweep)
                c.extras.push_back(fn(c.dc, x, y, x + w, y + h, cx, cy - 20, cx + 20, cy));
            else
                c.extras.push_back(fn(c.dc, x, y, x + w, y + h, cx + 20, cy, cx, cy - 20));
        }
    }
}

// Radial points on the centre itself, inside the box, and far away.
inline void DrawOddRadials(SceneTarget& c, ArcFn fn) {
    c.extras.push_back(fn(c.dc, 2, 2, 30, 22, 16, 12, 16, 12));
    c.extras.push_back(fn(c.dc, 33, 2, 58, 21, 45, 11, 40, 3));
    c.extras.push_back(fn(c.dc, 2, 25, 27, 45, 1000, -1, -1000, 1));
    c.extras.push_back(fn(c.dc, 30, 24, 59, 45, 44, 34, 70, 34));
}

inline void AddArcFamily(SceneList& list, const std::string& prefix, const std::string& cls, ArcFn fn) {
    static const int boxes[][2] = {{21, 17}, {20, 16}};
    for (const auto& box : boxes) {
        std::string size = std::to_string(box[0]) + "x" + std::to_string(box[1]);
        for (int first = 0; first < 64; first += 12) {
            int bw = box[0], bh = box[1];
            AddCanvasScenes(list, prefix + "_" + size + "_pairs" + std::to_string(first), cls, 97, 71,
                            [fn, bw, bh, first](SceneTarget& c) {
                                Selected pen(c.dc, Pen(1, kPenColour));
                                Selected brush(c.dc, Brush(kBrushColour));
                                DrawArcGrid(c, fn, bw, bh, first);
                            });
        }
    }
    for (bool longSweep : {false, true}) {
        AddCanvasScenes(list, prefix + (longSweep ? "_small_long" : "_small_short"), cls, 41, 43,
                        [fn, longSweep](SceneTarget& c) {
                            Selected pen(c.dc, Pen(1, kPenColour));
                            Selected brush(c.dc, Brush(kBrushColour));
                            DrawSmallArcs(c, fn, longSweep);
                        });
    }
    AddCanvasScenes(list, prefix + "_odd_radials", cls, 61, 47, [fn](SceneTarget& c) {
        Selected pen(c.dc, Pen(1, kPenColour));
        Selected brush(c.dc, Brush(kBrushColour));
        DrawOddRadials(c, fn);
    });
    AddCanvasScenes(list, prefix + "_huge", cls, 251, 183, [fn](SceneTarget& c) {
        Selected pen(c.dc, Pen(1, kPenColour));
        Selected brush(c.dc, Brush(kBrushColour));
        c.extras.push_back(fn(c.dc, 2, 2, 249, 181, 250, 60, 100, 0));
        c.extras.push_back(fn(c.dc, 20, 30, 230, 170, 0, 100, 250, 120));
        c.extras.push_back(fn(c.dc, 40, 60, 211, 150, 125, 183, 126, 183));
        c.extras.push_back(fn(c.dc, 5, 80, 246, 87, 0, 0, 250, 183));
    });
    AddCanvasScenes(list, prefix + "_reversed_box", cls, 61, 47, [fn](SceneTarget& c) {
        Selected pen(c.dc, Pen(1, kPenColour));
        Selected brush(c.dc, Brush(kBrushColour));
        c.extras.push_back(fn(c.dc, 27, 2, 2, 21, 50, 5, -20, 30));
        c.extras.push_back(fn(c.dc, 33, 44, 58, 24, 45, 0, 60, 34));
        c.extras.push_back(fn(c.dc, 28, 45, 5, 26, 0, 30, 16, 60));
    });
    AddCanvasScenes(list, prefix + "_nullpen", cls, 97, 71, [fn](SceneTarget& c) {
        Selected pen(c.dc, GetStockObject(NULL_PEN), false);
        Selected brush(c.dc, Brush(kBrushColour));
        DrawArcGrid(c, fn, 21, 17, 24);
    });
    AddCanvasScenes(list, prefix + "_nullbrush", cls, 97, 71, [fn](SceneTarget& c) {
        Selected pen(c.dc, Pen(1, kPenColour));
        Selected brush(c.dc, GetStockObject(NULL_BRUSH), false);
        DrawArcGrid(c, fn, 20, 16, 36);
    });
}

inline void AddArcScenes(SceneList& list) {
    AddArcFamily(list, "arc", "arcs", CallArc);
    AddArcFamily(list, "pie", "pies", CallPie);
}

}  // namespace scenes
