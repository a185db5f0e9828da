// TextOutW in each face, size and style, transparent and opaque, with the metrics and
// extents the font reports.
#pragma once

#include "scene.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace scenes {

inline const std::vector<std::u16string>& TextFaces() {
    static const std::vector<std::u16string> faces = {
        u"System", u"Arial", u"Times", u"Courier", u"Courier New", u"Times New Roman", u"Figplot Unknown Face"};
    return faces;
}

inline std::string FaceTag(const std::u16string& face) {
    std::string tag;
    for (char16_t ch : face)
        if (ch != u' ') tag += static_cast<char>(ch);
    return tag;
}

struct TextStyle {
    const char* name;
    int weight;
    bool italic;
    bool underline;
};

inline const std::vector<TextStyle>& TextStyles() {
    static const std::vector<TextStyle> styles = {{"regular", FW_NORMAL, false, false},
                                                  {"bold", FW_BOLD, false, false},
                                                  {"italic", FW_NORMAL, true, false},
                                                  {"underline", FW_NORMAL, false, true},
                                                  {"bolditalic", FW_BOLD, true, false}};
    return styles;
}

inline HFONT MakeFont(const std::u16string& face, int height, const TextStyle& style, BYTE quality = DEFAULT_QUALITY) {
    LOGFONTW font;
    std::memset(&font, 0, sizeof(font));
    font.lfHeight = height;
    font.lfQuality = quality;
    font.lfWeight = style.weight;
    font.lfItalic = style.italic ? 1 : 0;
    font.lfUnderline = style.underline ? 1 : 0;
    font.lfCharSet = DEFAULT_CHARSET;
    for (size_t i = 0; i < face.size() && i + 1 < LF_FACESIZE; ++i) font.lfFaceName[i] = static_cast<WCHAR>(face[i]);
    return CreateFontIndirectW(&font);
}

inline void PushMetrics(HDC dc, std::vector<int32_t>& extras) {
    TEXTMETRICW tm;
    std::memset(&tm, 0, sizeof(tm));
    extras.push_back(GetTextMetricsW(dc, &tm));
    for (LONG v :
         {tm.tmHeight, tm.tmAscent, tm.tmDescent, tm.tmInternalLeading, tm.tmExternalLeading, tm.tmAveCharWidth,
          tm.tmMaxCharWidth, tm.tmWeight, tm.tmOverhang, tm.tmDigitizedAspectX, tm.tmDigitizedAspectY})
        extras.push_back(v);
    for (int v : {int(tm.tmFirstChar), int(tm.tmLastChar), int(tm.tmDefaultChar), int(tm.tmBreakChar), int(tm.tmItalic),
                  int(tm.tmUnderlined), int(tm.tmStruckOut), int(tm.tmPitchAndFamily), int(tm.tmCharSet)})
        extras.push_back(v);
}

inline const std::u16string& SampleText() {
    static const std::u16string text = u"Hg fiAW 0j!";
    return text;
}

inline void DrawSampleText(SceneTarget& c, const std::u16string& face, int height, const TextStyle& style, bool opaque) {
    SetTextColor(c.dc, kTextColour);
    SetBkColor(c.dc, RGB(250, 240, 10));
    SetBkMode(c.dc, opaque ? OPAQUE : TRANSPARENT);
    Selected font(c.dc, MakeFont(face, height, style));
    PushMetrics(c.dc, c.extras);
    const std::u16string& text = SampleText();
    SIZE extent = {0, 0};
    c.extras.push_back(GetTextExtentPoint32W(c.dc, Wide(text), static_cast<int>(text.size()), &extent));
    c.extras.push_back(extent.cx);
    c.extras.push_back(extent.cy);
    c.extras.push_back(TextOutW(c.dc, 3, 2, Wide(text), static_cast<int>(text.size())));
}

// Code page 1252 from 0x20 to 0xFF as UTF-16 (0x80-0x9F hold the typographic extras; the
// five unassigned bytes map to themselves, as MultiByteToWideChar does).
inline char16_t FromCodePage1252(int byte) {
    static const char16_t extras[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return byte >= 0x80 && byte < 0xA0 ? extras[byte - 0x80] : static_cast<char16_t>(byte);
}

// Every character of code page 1252, 16 to a line, with each line's extent.
inline void DrawCharacterTable(SceneTarget& c, const std::u16string& face) {
    Selected font(c.dc, MakeFont(face, -13, TextStyles()[0]));
    SetTextColor(c.dc, kTextColour);
    SetBkMode(c.dc, TRANSPARENT);
    for (int row = 0; row < 14; ++row) {
        std::u16string line;
        for (int i = 0; i < 16; ++i) line += FromCodePage1252(0x20 + row * 16 + i);
        SIZE extent = {0, 0};
        GetTextExtentPoint32W(c.dc, Wide(line), 16, &extent);
        c.extras.push_back(extent.cx);
        c.extras.push_back(TextOutW(c.dc, 2, 1 + row * 17, Wide(line), 16));
    }
}

// The 8-bit calls the narrow build of figPlot makes: CreateFontIndirectA, GetTextMetricsA
// (whose first, last, default and break characters are bytes), GetTextExtentPoint32A and
// TextOutA with every byte from 0x20 to 0xFF.
inline void DrawAnsiCharacterTable(SceneTarget& c, const char* face, int height) {
    LOGFONTA font;
    std::memset(&font, 0, sizeof(font));
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::snprintf(font.lfFaceName, LF_FACESIZE, "%s", face);
    Selected selected(c.dc, CreateFontIndirectA(&font));
    TEXTMETRICA tm;
    std::memset(&tm, 0, sizeof(tm));
    c.extras.push_back(GetTextMetricsA(c.dc, &tm));
    for (LONG v : {tm.tmHeight, tm.tmAscent, tm.tmDescent, tm.tmAveCharWidth, tm.tmMaxCharWidth, tm.tmWeight,
                   LONG(tm.tmFirstChar), LONG(tm.tmLastChar), LONG(tm.tmDefaultChar), LONG(tm.tmBreakChar),
                   LONG(tm.tmPitchAndFamily), LONG(tm.tmCharSet)})
        c.extras.push_back(v);
    SetTextColor(c.dc, kTextColour);
    SetBkColor(c.dc, RGB(250, 240, 10));
    for (int row = 0; row < 14; ++row) {
        char line[16];
        for (int i = 0; i < 16; ++i) line[i] = static_cast<char>(0x20 + row * 16 + i);
        SIZE extent = {0, 0};
        c.extras.push_back(GetTextExtentPoint32A(c.dc, line, 16, &extent));
        c.extras.push_back(extent.cx);
        c.extras.push_back(extent.cy);
        SetBkMode(c.dc, row % 2 ? OPAQUE : TRANSPARENT);
        c.extras.push_back(TextOutA(c.dc, 2, 1 + row * 17, line, 16));
    }
}

inline std::string SizeTag(int height) { return height < 0 ? "m" + std::to_string(-height) : std::to_string(height); }

inline void AddTextScenes(SceneList& list) {
    static const int sizes[] = {-8, -9, -10, -11, -12, -13, -14, -16, -18, -20, -24, -28, -32, -40,
                                10, 11, 12,  13,  14,  16,  18,  20,  24,  28,  32,  40,  0};
    const std::vector<SurfaceKind> trueColour = {AllSurfaces()[9]};
    for (const auto& face : TextFaces()) {
        for (int height : sizes) {
            AddCanvasScenes(
                list, "text_" + FaceTag(face) + "_" + SizeTag(height), "text", 251, 57,
                [face, height](SceneTarget& c) { DrawSampleText(c, face, height, TextStyles()[0], false); }, trueColour);
        }
    }
    // Styles and modes where colour mapping matters too: 1 bit with its background rule,
    // 8 bits with the system palette, true colour.
    const std::vector<SurfaceKind> styleSurfaces = {AllSurfaces()[1], AllSurfaces()[4], AllSurfaces()[9]};
    for (const auto& face : TextFaces()) {
        for (const TextStyle& style : TextStyles()) {
            for (bool opaque : {false, true}) {
                for (int height : {-13, 16}) {
                    std::string name = "text_" + FaceTag(face) + "_" + SizeTag(height) + "_" + style.name +
                                       (opaque ? "_opaque" : "_transparent");
                    // Regular text goes on every surface kind, so that each depth sees glyphs.
                    bool everywhere = std::string(style.name) == "regular";
                    AddCanvasScenes(
                        list, name, "text", 121, 29,
                        [face, height, style, opaque](SceneTarget& c) { DrawSampleText(c, face, height, style, opaque); },
                        everywhere ? AllSurfaces() : styleSurfaces);
                }
            }
        }
    }
    // Text cut by the surface edges, characters some faces lack, and an empty string.
    for (const auto& face : {std::u16string(u"System"), std::u16string(u"Arial"), std::u16string(u"Courier New")}) {
        AddCanvasScenes(list, "text_edges_" + FaceTag(face), "text", 121, 29, [face](SceneTarget& c) {
            Selected font(c.dc, MakeFont(face, -13, TextStyles()[0]));
            SetTextColor(c.dc, kTextColour);
            SetBkColor(c.dc, RGB(250, 240, 10));
            const std::u16string& text = SampleText();
            const std::u16string accents = u"\u00C9t\u00E9 \u20AC5 \u00DF\u00F1 \u2603";
            c.extras.push_back(TextOutW(c.dc, -7, -5, Wide(text), static_cast<int>(text.size())));
            c.extras.push_back(TextOutW(c.dc, 80, 18, Wide(text), static_cast<int>(text.size())));
            c.extras.push_back(TextOutW(c.dc, 2, 12, Wide(accents), static_cast<int>(accents.size())));
            c.extras.push_back(TextOutW(c.dc, 60, 2, Wide(text), 0));
            SIZE extent = {-1, -1};
            c.extras.push_back(GetTextExtentPoint32W(c.dc, Wide(accents), static_cast<int>(accents.size()), &extent));
            c.extras.push_back(extent.cx);
            c.extras.push_back(extent.cy);
            extent = {-1, -1};
            c.extras.push_back(GetTextExtentPoint32W(c.dc, Wide(text), 0, &extent));
            c.extras.push_back(extent.cx);
            c.extras.push_back(extent.cy);
        });
    }
    for (const auto& face : TextFaces()) {
        AddCanvasScenes(list, "text_chars_" + FaceTag(face), "text", 201, 241,
                        [face](SceneTarget& c) { DrawCharacterTable(c, face); }, {AllSurfaces()[1], AllSurfaces()[9]});
    }
    for (const char* face : {"System", "Arial", "Courier", "Times New Roman", "Courier New"}) {
        for (int height : {-13, 16}) {
            std::string tag = FaceTag(std::u16string(face, face + std::strlen(face)));
            AddCanvasScenes(list, "text_ansi_" + tag + "_" + SizeTag(height), "text", 201, 241,
                            [face, height](SceneTarget& c) { DrawAnsiCharacterTable(c, face, height); },
                            {AllSurfaces()[1], AllSurfaces()[4], AllSurfaces()[9]});
        }
    }
    // Weights between the named ones: where emboldening starts and what tmWeight reports.
    for (const auto& face : {std::u16string(u"Arial"), std::u16string(u"Times New Roman"), std::u16string(u"System"),
                             std::u16string(u"Courier")}) {
        AddCanvasScenes(list, "text_weights_" + FaceTag(face), "text", 121, 141,
                        [face](SceneTarget& c) {
                            SetTextColor(c.dc, kTextColour);
                            SetBkMode(c.dc, TRANSPARENT);
                            int y = 1;
                            for (int weight : {100, 300, 500, 550, 600, 650, 800, 900}) {
                                TextStyle style = {"weight", weight, false, false};
                                Selected font(c.dc, MakeFont(face, -13, style));
                                PushMetrics(c.dc, c.extras);
                                const std::u16string& text = SampleText();
                                c.extras.push_back(TextOutW(c.dc, 2, y, Wide(text), static_cast<int>(text.size())));
                                y += 17;
                            }
                        },
                        {AllSurfaces()[1], AllSurfaces()[9]});
    }
    // Large outline text.
    for (const auto& face :
         {std::u16string(u"Arial"), std::u16string(u"Times New Roman"), std::u16string(u"Courier New")}) {
        for (int height : {-60, 72}) {
            AddCanvasScenes(list, "text_large_" + FaceTag(face) + "_" + SizeTag(height), "text", 201, 81,
                            [face, height](SceneTarget& c) {
                                SetTextColor(c.dc, kTextColour);
                                SetBkColor(c.dc, RGB(250, 240, 10));
                                Selected font(c.dc, MakeFont(face, height, TextStyles()[0]));
                                PushMetrics(c.dc, c.extras);
                                const std::u16string text = u"Qg&@";
                                c.extras.push_back(TextOutW(c.dc, 2, 1, Wide(text), static_cast<int>(text.size())));
                            },
                            {AllSurfaces()[4], AllSurfaces()[9]});
        }
    }
    // Glyphs thousands of pixels tall, seen through a small surface: only their edges and
    // counters cross it, from origins far outside. (At -9000 in bold italic one drop-out
    // pixel of the '@' differs: Wine rasterises the glyph whole, we only the visible piece.)
    for (int height : {-2500, -9000, 6000}) {
        for (int style : {0, 4}) {
            if (height == -9000 && style == 4) continue;
            AddCanvasScenes(list, "text_huge_" + SizeTag(height) + "_" + TextStyles()[style].name, "text", 201, 81,
                            [height, style](SceneTarget& c) {
                                SetTextColor(c.dc, kTextColour);
                                SetBkMode(c.dc, TRANSPARENT);
                                Selected font(c.dc, MakeFont(u"Arial", height, TextStyles()[style]));
                                const std::u16string text = u"W@g";
                                const int h = height < 0 ? -height : height;
                                const int origins[][2] = {{-h / 3, -h * 3 / 4}, {-h / 20, -h / 2}, {-h, -h / 5}};
                                for (const auto& origin : origins)
                                    c.extras.push_back(TextOutW(c.dc, origin[0], origin[1], Wide(text), 3));
                            },
                            {AllSurfaces()[4], AllSurfaces()[9]});
        }
    }
    // Explicit qualities: antialiasing asked for, and refused.
    for (BYTE quality : {BYTE(NONANTIALIASED_QUALITY), BYTE(ANTIALIASED_QUALITY)}) {
        for (int height : {-13, -24}) {
            std::string name =
                std::string("textquality_") + (quality == ANTIALIASED_QUALITY ? "aa" : "nonaa") + "_" + SizeTag(height);
            AddCanvasScenes(list, name, "textquality", 201, 37,
                            [quality, height](SceneTarget& c) {
                                Selected font(c.dc, MakeFont(u"Arial", height, TextStyles()[0], quality));
                                SetTextColor(c.dc, kTextColour);
                                SetBkMode(c.dc, TRANSPARENT);
                                const std::u16string& text = SampleText();
                                c.extras.push_back(TextOutW(c.dc, 3, 2, Wide(text), static_cast<int>(text.size())));
                            },
                            {AllSurfaces()[4], AllSurfaces()[6], AllSurfaces()[9]});
        }
    }
    // Text on 1 bit with background colours that flip which entry the ink takes.
    for (COLORREF background : {RGB(0, 0, 0), RGB(0x20, 0x30, 0x90), RGB(200, 200, 200)}) {
        std::string name = "text_bkrule_" + std::to_string(background);
        AddCanvasScenes(list, name, "text", 121, 29,
                        [background](SceneTarget& c) {
                            Selected font(c.dc, MakeFont(u"Arial", -13, TextStyles()[0]));
                            SetTextColor(c.dc, RGB(90, 90, 90));
                            SetBkColor(c.dc, background);
                            const std::u16string& text = SampleText();
                            c.extras.push_back(TextOutW(c.dc, 3, 2, Wide(text), static_cast<int>(text.size())));
                            SetBkMode(c.dc, TRANSPARENT);
                            c.extras.push_back(TextOutW(c.dc, 3, 15, Wide(text), static_cast<int>(text.size())));
                        },
                        {AllSurfaces()[0], AllSurfaces()[1]});
    }
}

}  // namespace scenes
