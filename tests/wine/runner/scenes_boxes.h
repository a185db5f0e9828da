// Rectangle, FillRect and Ellipse: all small sizes, reversed corners, odd and even sizes,
// huge, thin and far boxes, null pen and null brush, stock brushes and boxes clipped by the
// surface edges. Return values are kept with the pixels.
#pragma once

#include "scene.h"

#include <algorithm>
#include <utility>

namespace scenes {

using BoxFn = BOOL (*)(HDC, int, int, int, int);

inline BOOL FillWithBrush(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
    RECT r;
    SetRect(&r, left, top, right, bottom);
    return FillRect(dc, &r, brush);
}

// How a box's corners are handed over: as is, or with x, y or both swapped.
enum class Corners { Normal, SwapX, SwapY, SwapBoth };

inline void CallBox(SceneTarget& c, BoxFn fn, int x, int y, int w, int h, Corners corners) {
    int left = x, right = x + w, top = y, bottom = y + h;
    if (corners == Corners::SwapX || corners == Corners::SwapBoth) std::swap(left, right);
    if (corners == Corners::SwapY || corners == Corners::SwapBoth) std::swap(top, bottom);
    c.extras.push_back(fn(c.dc, left, top, right, bottom));
}

// Boxes of width and height 0-4 in a 5x5 grid.
inline void DrawSmallBoxes(SceneTarget& c, BoxFn fn, Corners corners) {
    for (int h = 0; h <= 4; ++h)
        for (int w = 0; w <= 4; ++w) CallBox(c, fn, 3 + w * 8, 3 + h * 8, w, h, corners);
}

// Odd and even sizes from 5 to 16, square and not.
inline void DrawMediumBoxes(SceneTarget& c, BoxFn fn, Corners corners) {
    static const int sizes[][2] = {{5, 5},   {6, 6},   {7, 7},  {8, 8},  {9, 9},  {10, 10}, {11, 11},
                                   {12, 12}, {5, 8},   {8, 5},  {6, 11}, {11, 6}, {7, 12},  {12, 7},
                                   {13, 9},  {16, 15}, {15, 4}, {4, 15}, {3, 16}, {16, 3}};
    int x = 2, y = 2, rowHeight = 0;
    for (const auto& s : sizes) {
        if (x + s[0] + 2 > c.width) x = 2, y += rowHeight + 3, rowHeight = 0;
        CallBox(c, fn, x, y, s[0], s[1], corners);
        x += s[0] + 3;
        rowHeight = std::max(rowHeight, s[1]);
    }
}

inline void DrawLargeBoxes(SceneTarget& c, BoxFn fn) {
    c.extras.push_back(fn(c.dc, 2, 2, 43, 33));
    c.extras.push_back(fn(c.dc, 46, 3, 94, 35));
    c.extras.push_back(fn(c.dc, 5, 36, 62, 69));
    c.extras.push_back(fn(c.dc, 64, 38, 95, 68));
}

inline void DrawClippedBoxes(SceneTarget& c, BoxFn fn) {
    int w = c.width, h = c.height;
    c.extras.push_back(fn(c.dc, -6, -5, 12, 10));
    c.extras.push_back(fn(c.dc, w - 9, -7, w + 6, 14));
    c.extras.push_back(fn(c.dc, -10, h - 11, 15, h + 9));
    c.extras.push_back(fn(c.dc, w - 14, h - 9, w + 3, h + 1));
    c.extras.push_back(fn(c.dc, 20, -30, 40, 3));
    c.extras.push_back(fn(c.dc, -50, -50, -20, -20));
    c.extras.push_back(fn(c.dc, 22, 20, 22 + 200, 30));
}

inline void DrawFarBoxes(SceneTarget& c, BoxFn fn) {
    c.extras.push_back(fn(c.dc, -100000, 10, 20, 20));
    c.extras.push_back(fn(c.dc, 30, -50000, 45, 50000));
    c.extras.push_back(fn(c.dc, 25, 30, 90000, 44));
}

inline BOOL CallRectangle(HDC dc, int l, int t, int r, int b) { return Rectangle(dc, l, t, r, b); }
inline BOOL CallEllipse(HDC dc, int l, int t, int r, int b) { return Ellipse(dc, l, t, r, b); }
inline BOOL CallFillRect(HDC dc, int l, int t, int r, int b) {
    HBRUSH brush = CreateSolidBrush(kBrushColour);
    BOOL ok = FillWithBrush(dc, l, t, r, b, brush);
    DeleteObject(brush);
    return ok;
}

// Pen and brush, null pen, or null brush around a drawing.
enum class Paint { PenAndBrush, NullPen, NullBrush };

inline const char* PaintName(Paint paint) {
    switch (paint) {
        case Paint::NullPen:
            return "nullpen";
        case Paint::NullBrush:
            return "nullbrush";
        default:
            return "filled";
    }
}

inline const char* CornersName(Corners corners) {
    switch (corners) {
        case Corners::SwapX:
            return "revx";
        case Corners::SwapY:
            return "revy";
        case Corners::SwapBoth:
            return "revxy";
        default:
            return "fwd";
    }
}

// The usual pen and brush, with one of them swapped for the stock null object.
class PaintSelection {
public:
    PaintSelection(HDC dc, Paint paint)
        : pen_(dc, paint == Paint::NullPen ? GetStockObject(NULL_PEN) : Pen(1, kPenColour), paint != Paint::NullPen),
          brush_(dc, paint == Paint::NullBrush ? GetStockObject(NULL_BRUSH) : Brush(kBrushColour),
                 paint != Paint::NullBrush) {}

private:
    Selected pen_;
    Selected brush_;
};

// Rectangle or Ellipse, each size range, paint mode and corner order.
inline void AddShapeScenes(SceneList& list, const std::string& prefix, const std::string& cls, BoxFn fn) {
    for (Paint paint : {Paint::PenAndBrush, Paint::NullPen, Paint::NullBrush}) {
        for (Corners corners : {Corners::Normal, Corners::SwapX, Corners::SwapY, Corners::SwapBoth}) {
            if (paint != Paint::PenAndBrush && corners != Corners::Normal && corners != Corners::SwapBoth) continue;
            std::string name = prefix + "_small_" + PaintName(paint) + "_" + CornersName(corners);
            AddCanvasScenes(list, name, cls, 41, 43, [fn, paint, corners](SceneTarget& c) {
                PaintSelection selection(c.dc, paint);
                DrawSmallBoxes(c, fn, corners);
            });
        }
        AddCanvasScenes(list, prefix + "_medium_" + PaintName(paint), cls, 61, 47, [fn, paint](SceneTarget& c) {
            PaintSelection selection(c.dc, paint);
            DrawMediumBoxes(c, fn, Corners::Normal);
        });
        AddCanvasScenes(list, prefix + "_large_" + PaintName(paint), cls, 97, 71, [fn, paint](SceneTarget& c) {
            PaintSelection selection(c.dc, paint);
            DrawLargeBoxes(c, fn);
        });
    }
    AddCanvasScenes(list, prefix + "_medium_revxy", cls, 61, 47, [fn](SceneTarget& c) {
        Selected pen(c.dc, Pen(1, kPenColour));
        Selected brush(c.dc, Brush(kBrushColour));
        DrawMediumBoxes(c, fn, Corners::SwapBoth);
    });
    AddCanvasScenes(list, prefix + "_clipped", cls, 61, 47, [fn](SceneTarget& c) {
        Selected pen(c.dc, Pen(1, kPenColour));
        Selected brush(c.dc, Brush(kBrushColour));
        DrawClippedBoxes(c, fn);
    });
    AddCanvasScenes(list, prefix + "_huge", cls, 251, 183, [fn](SceneTarget& c) {
        Selected pen(c.dc, Pen(1, kPenColour));
        Selected brush(c.dc, Brush(kBrushColour));
        c.extras.push_back(fn(c.dc, 2, 2, 249, 181));
        c.extras.push_back(fn(c.dc, 10, 20, 210, 24));
        c.extras.push_back(fn(c.dc, 12, 30, 213, 35));
        c.extras.push_back(fn(c.dc, 40, 50, 199, 171));
        c.extras.push_back(fn(c.dc, 60, 60, 181, 161));
    });
    // Very thin and very flat boxes, each on a fresh surface: under wine 8.0 a thin ellipse
    // drawn after a larger one picks up stray fill spans from it.
    static const int thin[][4] = {{20, 3, 25, 138}, {30, 2, 33, 140}, {40, 5, 44, 139}, {50, 4, 56, 141}};
    for (const auto& box : thin) {
        std::string size = std::to_string(box[2] - box[0]) + "x" + std::to_string(box[3] - box[1]);
        AddCanvasScenes(list, prefix + "_thin_" + size, cls, 61, 143, [fn, box](SceneTarget& c) {
            Selected pen(c.dc, Pen(1, kPenColour));
            Selected brush(c.dc, Brush(kBrushColour));
            c.extras.push_back(fn(c.dc, box[0], box[1], box[2], box[3]));
            c.extras.push_back(fn(c.dc, 3, 60 + box[0], 58, 60 + box[2]));  // as flat as the other is thin
        });
    }
    AddCanvasScenes(list, prefix + "_far", cls, 61, 47, [fn](SceneTarget& c) {
        Selected pen(c.dc, Pen(1, kPenColour));
        Selected brush(c.dc, Brush(kBrushColour));
        DrawFarBoxes(c, fn);
    });
    AddCanvasScenes(list, prefix + "_default_objects", cls, 61, 47,
                    [fn](SceneTarget& c) { DrawMediumBoxes(c, fn, Corners::Normal); });
}

inline void AddFillRectScenes(SceneList& list) {
    for (Corners corners : {Corners::Normal, Corners::SwapX, Corners::SwapY, Corners::SwapBoth}) {
        AddCanvasScenes(list, std::string("fill_small_") + CornersName(corners), "fillrect", 41, 43,
                        [corners](SceneTarget& c) { DrawSmallBoxes(c, CallFillRect, corners); });
    }
    AddCanvasScenes(list, "fill_medium", "fillrect", 61, 47,
                    [](SceneTarget& c) { DrawMediumBoxes(c, CallFillRect, Corners::Normal); });
    AddCanvasScenes(list, "fill_clipped", "fillrect", 61, 47, [](SceneTarget& c) { DrawClippedBoxes(c, CallFillRect); });
    AddCanvasScenes(list, "fill_far", "fillrect", 61, 47, [](SceneTarget& c) { DrawFarBoxes(c, CallFillRect); });
    AddCanvasScenes(list, "fill_stock_brushes", "fillrect", 61, 47, [](SceneTarget& c) {
        static const int stock[] = {WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH};
        for (int i = 0; i < 6; ++i) {
            FillWithBrush(c.dc, 2 + i * 9, 3, 9 + i * 9, 20, static_cast<HBRUSH>(GetStockObject(stock[i])));
            FillWithBrush(c.dc, 9 + i * 9, 40, 2 + i * 9, 24, static_cast<HBRUSH>(GetStockObject(stock[i])));
        }
    });
    AddCanvasScenes(list, "fill_selected_brush_untouched", "fillrect", 61, 47, [](SceneTarget& c) {
        // FillRect never selects its brush: the Rectangle after it must still use the DC's own.
        Selected brush(c.dc, Brush(kBrushColour));
        HBRUSH other = CreateSolidBrush(RGB(250, 240, 10));
        FillWithBrush(c.dc, 4, 4, 30, 20, other);
        Rectangle(c.dc, 20, 15, 50, 40);
        DeleteObject(other);
    });
}

inline void AddBoxScenes(SceneList& list) {
    AddShapeScenes(list, "rect", "rectangles", CallRectangle);
    AddFillRectScenes(list);
    AddShapeScenes(list, "ellipse", "ellipses", CallEllipse);
}

}  // namespace scenes
