// Seeded random scenes: many shapes of one kind with random boxes, radials and colours,
// partly outside the surface. Same seed, same scene on both sides.
#pragma once

#include "prng.h"
#include "scene.h"
#include "scenes_boxes.h"
#include "scenes_text.h"

namespace scenes {

inline COLORREF RandomColour(Prng& prng) { return RGB(prng.Range(0, 255), prng.Range(0, 255), prng.Range(0, 255)); }

struct RandomBox {
    int left, top, right, bottom;
};

inline RandomBox RandomBoxIn(Prng& prng, const SceneTarget& c) {
    return {prng.Range(-8, c.width + 4), prng.Range(-8, c.height + 4), prng.Range(-8, c.width + 8),
            prng.Range(-8, c.height + 8)};
}

// Draws `count` shapes of one kind, each with its own pen and brush colours.
using RandomShapeFn = void (*)(SceneTarget&, Prng&);

inline void RandomLine(SceneTarget& c, Prng& prng) {
    RandomBox b = RandomBoxIn(prng, c);
    Selected pen(c.dc, Pen(prng.Range(0, 1), RandomColour(prng)));
    Line(c.dc, b.left, b.top, b.right, b.bottom);
}

inline void RandomRectangle(SceneTarget& c, Prng& prng) {
    RandomBox b = RandomBoxIn(prng, c);
    Selected pen(c.dc, Pen(1, RandomColour(prng)));
    Selected brush(c.dc, Brush(RandomColour(prng)));
    Rectangle(c.dc, b.left, b.top, b.right, b.bottom);
}

inline void RandomFillRect(SceneTarget& c, Prng& prng) {
    RandomBox b = RandomBoxIn(prng, c);
    HBRUSH brush = CreateSolidBrush(RandomColour(prng));
    FillWithBrush(c.dc, b.left, b.top, b.right, b.bottom, brush);
    DeleteObject(brush);
}

inline void RandomEllipse(SceneTarget& c, Prng& prng) {
    RandomBox b = RandomBoxIn(prng, c);
    Selected pen(c.dc, Pen(1, RandomColour(prng)));
    Selected brush(c.dc, Brush(RandomColour(prng)));
    Ellipse(c.dc, b.left, b.top, b.right, b.bottom);
}

inline void RandomArcOrPie(SceneTarget& c, Prng& prng, bool pie) {
    RandomBox b = RandomBoxIn(prng, c);
    int xs = prng.Range(-20, c.width + 20), ys = prng.Range(-20, c.height + 20);
    int xe = prng.Range(-20, c.width + 20), ye = prng.Range(-20, c.height + 20);
    Selected pen(c.dc, Pen(1, RandomColour(prng)));
    Selected brush(c.dc, Brush(RandomColour(prng)));
    if (pie)
        Pie(c.dc, b.left, b.top, b.right, b.bottom, xs, ys, xe, ye);
    else
        Arc(c.dc, b.left, b.top, b.right, b.bottom, xs, ys, xe, ye);
}

inline void RandomArc(SceneTarget& c, Prng& prng) { RandomArcOrPie(c, prng, false); }
inline void RandomPie(SceneTarget& c, Prng& prng) { RandomArcOrPie(c, prng, true); }

inline void RandomWideShape(SceneTarget& c, Prng& prng) {
    static const int widths[] = {2, 3, 4, 5, 7, 9};
    RandomBox b = RandomBoxIn(prng, c);
    Selected pen(c.dc, Pen(widths[prng.Range(0, 5)], RandomColour(prng)));
    Selected brush(c.dc, Brush(RandomColour(prng)));
    switch (prng.Range(0, 3)) {
        case 0:
            Line(c.dc, b.left, b.top, b.right, b.bottom);
            break;
        case 1:
            Rectangle(c.dc, b.left, b.top, b.right, b.bottom);
            break;
        case 2:
            Ellipse(c.dc, b.left, b.top, b.right, b.bottom);
            break;
        default:
            Pie(c.dc, b.left, b.top, b.right, b.bottom, b.left, b.top, b.right, b.top);
            break;
    }
}

// Outline faces only: the raster ones at scaled sizes are on Wine's defect list.
inline void RandomText(SceneTarget& c, Prng& prng) {
    static const std::u16string faces[] = {u"Arial", u"Times", u"Courier New", u"Times New Roman",
                                           u"Figplot Unknown Face"};
    static const std::u16string words[] = {u"figPlot", u"Wyvern", u"0.125", u"j\u00E9t", u"ff ii ll", u"AV Ta", u"|_|"};
    int height = prng.Range(-36, 36);
    TextStyle style = {"random", prng.Chance(30) ? FW_BOLD : FW_NORMAL, prng.Chance(25), prng.Chance(20)};
    Selected font(c.dc, MakeFont(faces[prng.Range(0, 4)], height, style));
    SetTextColor(c.dc, RandomColour(prng));
    SetBkColor(c.dc, RandomColour(prng));
    SetBkMode(c.dc, prng.Chance(50) ? OPAQUE : TRANSPARENT);
    const std::u16string& word = words[prng.Range(0, 6)];
    c.extras.push_back(TextOutW(c.dc, prng.Range(-10, c.width - 10), prng.Range(-10, c.height - 5), Wide(word),
                                static_cast<int>(word.size())));
}

// A bit of everything, with the DC's colours and modes changing in between.
inline void RandomAnything(SceneTarget& c, Prng& prng) {
    static const RandomShapeFn shapes[] = {RandomLine, RandomRectangle, RandomFillRect,  RandomEllipse,
                                           RandomArc,  RandomPie,       RandomWideShape, RandomText};
    if (prng.Chance(30)) SetBkColor(c.dc, RandomColour(prng));
    if (prng.Chance(20)) SetBkMode(c.dc, prng.Chance(50) ? OPAQUE : TRANSPARENT);
    if (prng.Chance(15)) {
        c.extras.push_back(static_cast<int32_t>(
            SetPixel(c.dc, prng.Range(-2, c.width + 1), prng.Range(-2, c.height + 1), RandomColour(prng))));
    }
    shapes[prng.Range(0, 7)](c, prng);
}

inline void AddRandomScenes(SceneList& list) {
    struct RandomKind {
        const char* name;
        const char* cls;
        RandomShapeFn draw;
        int count;
    };
    static const RandomKind randomKinds[] = {{"lines", "lines", RandomLine, 24},
                                             {"rects", "rectangles", RandomRectangle, 8},
                                             {"fills", "fillrect", RandomFillRect, 10},
                                             {"ellipses", "ellipses", RandomEllipse, 6},
                                             {"arcs", "arcs", RandomArc, 8},
                                             {"pies", "pies", RandomPie, 5},
                                             {"wide", "widepens", RandomWideShape, 5},
                                             {"text", "text", RandomText, 6},
                                             {"mixed", "mixed", RandomAnything, 14}};
    for (const RandomKind& kind : randomKinds) {
        for (int seed = 1; seed <= 4; ++seed) {
            RandomShapeFn draw = kind.draw;
            int count = kind.count;
            uint64_t fullSeed = static_cast<uint64_t>(seed) * 1000 + static_cast<uint64_t>(kind.name[0]);
            AddCanvasScenes(list, std::string("rnd_") + kind.name + "_s" + std::to_string(seed), kind.cls, 53, 41,
                            [draw, count, fullSeed](SceneTarget& c) {
                                Prng prng(fullSeed);
                                for (int i = 0; i < count; ++i) draw(c, prng);
                            });
        }
    }
}

}  // namespace scenes
