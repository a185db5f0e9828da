// Pens wider than one pixel: round caps and joins, centred outlines, on lines and every shape.
#pragma once

#include "scene.h"
#include "scenes_arcs.h"
#include "scenes_boxes.h"
#include "scenes_lines.h"

namespace scenes {

inline void DrawWideLines(SceneTarget& c) {
    static const int ends[][4] = {{5, 5, 25, 5},    {25, 9, 5, 9},    {30, 3, 30, 20},  {34, 20, 34, 3},
                                  {40, 4, 56, 12},  {56, 16, 40, 24}, {5, 14, 12, 40},  {18, 40, 22, 14},
                                  {28, 28, 40, 40}, {52, 28, 44, 42}, {20, 30, 20, 30}, {3, 44, 57, 43}};
    for (const auto& e : ends) Line(c.dc, e[0], e[1], e[2], e[3]);
}

inline void DrawWideRectangles(SceneTarget& c) {
    Rectangle(c.dc, 4, 4, 24, 19);
    Rectangle(c.dc, 30, 5, 33, 7);
    Rectangle(c.dc, 40, 4, 57, 20);
    Rectangle(c.dc, 6, 26, 7, 42);
    Rectangle(c.dc, 14, 25, 50, 43);
}

inline void DrawWideEllipses(SceneTarget& c) {
    Ellipse(c.dc, 4, 4, 24, 19);
    Ellipse(c.dc, 30, 5, 33, 7);
    Ellipse(c.dc, 40, 4, 57, 21);
    Ellipse(c.dc, 4, 25, 9, 42);
    Ellipse(c.dc, 14, 25, 51, 43);
}

inline void DrawWideMix(SceneTarget& c) {
    Line(c.dc, 10, 10, 110, 30);
    Line(c.dc, 20, 80, 25, 20);
    Rectangle(c.dc, 60, 45, 115, 85);
    Ellipse(c.dc, 125, 8, 185, 60);
    Pie(c.dc, 125, 62, 190, 90, 200, 62, 125, 90);
    Arc(c.dc, 20, 60, 100, 92, 0, 92, 100, 60);
}

// Pens about as wide as the canvas's diagonal, with a vertex at or near its centre: one disc
// may hold the whole canvas, or just miss a corner.
inline void AddVastPenScenes(SceneList& list) {
    for (int width : {29, 35, 37, 41, 300}) {
        const std::string w = "_w" + std::to_string(width);
        AddCanvasScenes(list, "wide_vast_ellipse" + w, "widepens", 23, 17, [width](SceneTarget& c) {
            Selected pen(c.dc, Pen(width, kPenColour));
            Selected brush(c.dc, GetStockObject(NULL_BRUSH), false);
            Ellipse(c.dc, -29, -31, 12, 48);  // its right-hand side runs through (11, 8)
        });
        AddCanvasScenes(list, "wide_vast_line" + w, "widepens", 23, 17, [width](SceneTarget& c) {
            Selected pen(c.dc, Pen(width, kPenColour));
            Line(c.dc, -50, 30, 11, 8);
        });
        // Its discs reach the top-left corner only from 35 pixels up.
        AddCanvasScenes(list, "wide_vast_stub" + w, "widepens", 23, 17, [width](SceneTarget& c) {
            Selected pen(c.dc, Pen(width, kPenColour));
            Line(c.dc, 16, 8, 17, 8);
        });
    }
}

// Wide pens along long curves, whose every row is worked out from the discs within reach:
// whole ellipses, arcs, pies' outlines and arcs whose ends meet, inside the canvas and
// crossing its edges, at one palette and one true-colour depth.
inline void AddWideCurveScenes(SceneList& list) {
    const std::vector<SurfaceKind> surfaces = {AllSurfaces()[4], AllSurfaces()[9]};
    struct Curve {
        const char* name;
        int width, height;
        void (*draw)(HDC);
    };
    static const Curve curves[] = {
        {"ellipse", 600, 400, [](HDC dc) { Ellipse(dc, 13, 17, 583, 389); }},
        {"ellipse_edges", 431, 293, [](HDC dc) { Ellipse(dc, -57, 41, 389, 350); }},
        {"closed_arc", 600, 400, [](HDC dc) { Arc(dc, 31, 9, 570, 377, 600, 200, 600, 200); }},
        {"arc", 317, 211, [](HDC dc) { Arc(dc, 11, 7, 301, 197, 317, 40, 60, 211); }},
        {"arc_tall", 173, 599, [](HDC dc) { Arc(dc, 20, -30, 150, 570, 0, 0, 173, 599); }},
        {"pie", 317, 211, [](HDC dc) { Pie(dc, 19, 13, 296, 203, 300, 0, 0, 150); }},
    };
    for (int width : {20, 61, 150, 400})
        for (const Curve& curve : curves) {
            AddCanvasScenes(list, std::string("wide_curve_") + curve.name + "_w" + std::to_string(width), "widepens",
                            curve.width, curve.height,
                            [width, draw = curve.draw](SceneTarget& c) {
                                Selected pen(c.dc, Pen(width, kPenColour));
                                Selected brush(c.dc, GetStockObject(NULL_BRUSH), false);
                                draw(c.dc);
                            },
                            surfaces);
        }
}

inline void AddWidePenScenes(SceneList& list) {
    AddVastPenScenes(list);
    AddWideCurveScenes(list);
    for (int width : {10, 15, 20}) {
        AddCanvasScenes(list, "wide_big_w" + std::to_string(width), "widepens", 193, 97, [width](SceneTarget& c) {
            Selected pen(c.dc, Pen(width, kPenColour));
            Selected brush(c.dc, Brush(kBrushColour));
            DrawWideMix(c);
        });
    }
    for (int width : {2, 3, 7}) {
        std::string w = "_w" + std::to_string(width);
        auto withWidePen = [width](void (*draw)(SceneTarget&)) {
            return [width, draw](SceneTarget& c) {
                Selected pen(c.dc, Pen(width, kPenColour));
                Selected brush(c.dc, Brush(kBrushColour));
                draw(c);
            };
        };
        AddCanvasScenes(list, "wide_lines" + w, "widepens", 61, 47, withWidePen(DrawWideLines));
        AddCanvasScenes(list, "wide_fan" + w, "widepens", 61, 47, withWidePen([](SceneTarget& c) { DrawFan(c, false); }));
        AddCanvasScenes(list, "wide_polyline" + w, "widepens", 61, 47, withWidePen(DrawPolyline));
        AddCanvasScenes(list, "wide_rect" + w, "widepens", 61, 47, withWidePen(DrawWideRectangles));
        AddCanvasScenes(list, "wide_ellipse" + w, "widepens", 61, 47, withWidePen(DrawWideEllipses));
        AddCanvasScenes(list, "wide_arc" + w, "widepens", 97, 71,
                        withWidePen([](SceneTarget& c) { DrawArcGrid(c, CallArc, 21, 17, 4); }));
        AddCanvasScenes(list, "wide_outlines_nullbrush" + w, "widepens", 61, 47, [width](SceneTarget& c) {
            Selected pen(c.dc, Pen(width, kPenColour));
            Selected brush(c.dc, GetStockObject(NULL_BRUSH), false);
            DrawWideRectangles(c);
            DrawWideEllipses(c);
        });
        AddCanvasScenes(list, "wide_pie" + w, "widepens", 97, 71,
                        withWidePen([](SceneTarget& c) { DrawArcGrid(c, CallPie, 20, 16, 40); }));
    }
}

}  // namespace scenes
