// Colour to pixel: exact and nearest table entries, ties, 16-bit truncation; the 1-bit rule
// that maps pens and brushes through the background colour; SetPixel and GetPixel.
#pragma once

#include "prng.h"
#include "scene.h"
#include "scenes_boxes.h"

#include <iterator>

namespace scenes {

// Table colours exactly, their near neighbours, greys across the 16-bit steps, colours
// half-way between two entries (ties), then seeded random ones.
inline const std::vector<COLORREF>& ProbeColours() {
    static const std::vector<COLORREF> colours = [] {
        std::vector<COLORREF> list;
        for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255}) {
            RGBQUAD q = SystemEntry(i);
            list.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
        }
        for (const RGBQUAD& q : OwnTable(4)) list.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
        for (const RGBQUAD& q : OwnTable(1)) list.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
        for (int delta : {1, -1, 7, -7, 9, -9}) {
            auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
            list.push_back(RGB(clamp(128 + delta), clamp(0 + delta), 0));
            list.push_back(RGB(clamp(192 + delta), clamp(192 + delta), clamp(192 - delta)));
            list.push_back(RGB(200, clamp(30 + delta), 60));
        }
        for (int grey : {1, 7, 8, 31, 32, 63, 64, 96, 127, 129, 160, 191, 193, 224, 247, 254})
            list.push_back(RGB(grey, grey, grey));
        list.push_back(RGB(64, 0, 0));
        list.push_back(RGB(0, 64, 0));
        list.push_back(RGB(96, 96, 96));
        list.push_back(RGB(128, 128, 0));
        list.push_back(RGB(255, 128, 0));
        Prng prng(1234);
        while (list.size() < 165) list.push_back(RGB(prng.Range(0, 255), prng.Range(0, 255), prng.Range(0, 255)));
        return list;
    }();
    return colours;
}

// 15 columns by 11 rows of 4x4 cells.
inline void ForEachProbeCell(const std::function<void(int x, int y, COLORREF colour)>& draw) {
    const auto& colours = ProbeColours();
    for (size_t i = 0; i < colours.size(); ++i)
        draw(1 + static_cast<int>(i % 15) * 4, 1 + static_cast<int>(i / 15) * 4, colours[i]);
}

inline void AddColourScenes(SceneList& list) {
    const std::vector<SurfaceKind> surfaces = WithShortTables(AllSurfaces());
    AddCanvasScenes(
        list, "colour_brushes", "colour", 61, 47,
        [](SceneTarget& c) {
            ForEachProbeCell([&](int x, int y, COLORREF colour) {
                HBRUSH brush = CreateSolidBrush(colour);
                c.extras.push_back(FillWithBrush(c.dc, x, y, x + 3, y + 3, brush));
                DeleteObject(brush);
            });
        },
        surfaces);
    AddCanvasScenes(
        list, "colour_pens", "colour", 61, 47,
        [](SceneTarget& c) {
            ForEachProbeCell([&](int x, int y, COLORREF colour) {
                Selected pen(c.dc, Pen(1, colour));
                Line(c.dc, x, y + 1, x + 3, y + 1);
            });
        },
        surfaces);
    AddCanvasScenes(
        list, "colour_setpixel", "colour", 61, 47,
        [](SceneTarget& c) {
            ForEachProbeCell([&](int x, int y, COLORREF colour) {
                c.extras.push_back(static_cast<int32_t>(SetPixel(c.dc, x + 1, y + 1, colour)));
            });
        },
        surfaces);
}

// COLORREFs with a flag byte: 0x02 (PALETTERGB), 0x01 (PALETTEINDEX) and others, as pens,
// brushes, text colours and SetPixel.
inline void AddColourFlagScenes(SceneList& list) {
    static const COLORREF flagged[] = {0x02000000u | kPenColour,
                                       0x02000000u | RGB(0, 128, 128),
                                       0x01000000u | 5,
                                       0x01000000u | 249,
                                       0x01000000u | 300,
                                       0x10000000u | kBrushColour,
                                       0xFF000000u | RGB(255, 255, 0)};
    AddCanvasScenes(list, "colourflags", "colourflags", 61, 47, [](SceneTarget& c) {
        for (size_t i = 0; i < std::size(flagged); ++i) {
            int x = 2 + static_cast<int>(i) * 8;
            HBRUSH brush = CreateSolidBrush(flagged[i]);
            c.extras.push_back(FillWithBrush(c.dc, x, 2, x + 6, 12, brush));
            DeleteObject(brush);
            {
                Selected pen(c.dc, Pen(1, flagged[i]));
                Line(c.dc, x, 15, x + 6, 15);
            }
            c.extras.push_back(static_cast<int32_t>(SetPixel(c.dc, x + 2, 18, flagged[i])));
            c.extras.push_back(static_cast<int32_t>(SetTextColor(c.dc, flagged[i])));
            c.extras.push_back(static_cast<int32_t>(SetBkColor(c.dc, flagged[i])));
        }
    });
}

// With a pen or brush colour that is not exactly a 1-bit table entry, the background colour
// decides: its nearest entry stays the background, every other colour takes the other entry.
inline void AddBackgroundRuleScenes(SceneList& list) {
    static const COLORREF backgrounds[] = {RGB(255, 255, 255),    RGB(0, 0, 0), RGB(0x20, 0x30, 0x90),
                                           RGB(0xF0, 0xE0, 0x40), kPenColour,   RGB(128, 128, 128)};
    static const COLORREF inks[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0x20, 0x30, 0x90), RGB(0xF0, 0xE0, 0x40),
                                    kPenColour,   RGB(128, 128, 128), kBrushColour,          RGB(0x21, 0x30, 0x90)};
    for (size_t b = 0; b < std::size(backgrounds); ++b) {
        COLORREF background = backgrounds[b];
        AddCanvasScenes(list, "bkrule_bk" + std::to_string(b), "bkrule", 61, 47, [background](SceneTarget& c) {
            SetBkColor(c.dc, background);
            for (size_t i = 0; i < std::size(inks); ++i) {
                int x = 2 + static_cast<int>(i) * 7;
                {
                    Selected pen(c.dc, Pen(1, inks[i]));
                    Line(c.dc, x, 2, x + 5, 2);
                    Line(c.dc, x, 4, x + 5, 9);
                }
                HBRUSH brush = CreateSolidBrush(inks[i]);
                FillWithBrush(c.dc, x, 12, x + 5, 20, brush);
                DeleteObject(brush);
                {
                    Selected pen(c.dc, Pen(1, inks[(i + 3) % std::size(inks)]));
                    Selected fill(c.dc, Brush(inks[i]));
                    Rectangle(c.dc, x, 22, x + 6, 30);
                    Ellipse(c.dc, x, 31, x + 6, 38);
                }
                SetPixel(c.dc, x + 2, 41, inks[i]);
                SetPixel(c.dc, x + 3, 43, inks[i]);
            }
        });
    }
}

// Small canvases, so that every pixel can also be read back through GetPixel.
inline void ReadEveryPixel(SceneTarget& c) {
    for (int y = -1; y <= c.height; ++y)
        for (int x = -1; x <= c.width; ++x) c.extras.push_back(static_cast<int32_t>(GetPixel(c.dc, x, y)));
    c.extras.push_back(static_cast<int32_t>(GetPixel(c.dc, -1000, 5)));
    c.extras.push_back(static_cast<int32_t>(GetPixel(c.dc, 5, 100000)));
}

inline void AddPixelScenes(SceneList& list) {
    AddCanvasScenes(
        list, "getpixel_setpixel", "getpixel", 23, 17,
        [](SceneTarget& c) {
            Prng prng(77);
            for (int i = 0; i < 120; ++i) {
                int x = prng.Range(-3, c.width + 2), y = prng.Range(-3, c.height + 2);
                COLORREF colour = RGB(prng.Range(0, 255), prng.Range(0, 255), prng.Range(0, 255));
                c.extras.push_back(static_cast<int32_t>(SetPixel(c.dc, x, y, colour)));
            }
            ReadEveryPixel(c);
        },
        WithShortTables(AllSurfaces()));
    AddCanvasScenes(
        list, "getpixel_probe_colours", "getpixel", 23, 17,
        [](SceneTarget& c) {
            const auto& colours = ProbeColours();
            for (size_t i = 0; i < colours.size() && i < 23 * 7; ++i)
                SetPixel(c.dc, static_cast<int>(i % 23), static_cast<int>(i / 23) * 2, colours[i]);
            ReadEveryPixel(c);
        },
        WithShortTables(AllSurfaces()));
    AddCanvasScenes(
        list, "getpixel_shapes", "getpixel", 23, 17,
        [](SceneTarget& c) {
            Selected pen(c.dc, Pen(1, kPenColour));
            Selected brush(c.dc, Brush(kBrushColour));
            Rectangle(c.dc, 2, 2, 12, 9);
            Ellipse(c.dc, 9, 5, 21, 16);
            ReadEveryPixel(c);
        },
        WithShortTables(AllSurfaces()));
}

}  // namespace scenes
