// BitBlt SRCCOPY between every pair of surface kinds and with a memory DC's stock 1x1
// monochrome bitmap on either side; GetDIBits from every kind into every depth.
#pragma once

#include "prng.h"
#include "scene.h"

namespace scenes {

// Seeded raw values over the whole surface (every table index, every 5-5-5 or 8-8-8 colour).
inline void FillRandom(Surface& surface, uint64_t seed) {
    Prng prng(seed);
    PixelView view = surface.Pixels();
    int depth = surface.Kind().depth;
    int top = depth <= 8 ? (1 << depth) - 1 : depth == 16 ? 0x7FFF : 0xFFFFFF;
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) view.Write(x, y, static_cast<uint32_t>(prng.Range(0, top)));
}

inline uint64_t SeedOf(const SurfaceKind& kind) {
    return static_cast<uint64_t>(kind.depth * 4 + (kind.topDown ? 2 : 0) + (kind.table == TableKind::Own ? 1 : 0) +
                                 (kind.table == TableKind::Short ? 200 : 0));
}

inline void AddPairBlits(SceneList& list) {
    for (const SurfaceKind& from : WithShortTables(AllSurfaces())) {
        AddCanvasScenes(
            list, "blt_" + from.Label(), "bitblt", 61, 47,
            [from](SceneTarget& c) {
                Surface source(from, 29, 23);
                FillRandom(source, SeedOf(from));
                c.extras.push_back(BitBlt(c.dc, 3, 4, 29, 23, source.Dc(), 0, 0, SRCCOPY));
                c.extras.push_back(BitBlt(c.dc, 40, 30, 29, 23, source.Dc(), 5, 3, SRCCOPY));
                c.extras.push_back(BitBlt(c.dc, -4, 33, 12, 9, source.Dc(), 2, 1, SRCCOPY));
            },
            WithShortTables(AllSurfaces()));
    }
    for (const SurfaceKind& from : {AllSurfaces()[4], AllSurfaces()[9]}) {
        AddCanvasScenes(list, "blt_src_outside_" + from.Label(), "bitblt", 61, 47, [from](SceneTarget& c) {
            Surface source(from, 29, 23);
            FillRandom(source, SeedOf(from) + 100);
            c.extras.push_back(BitBlt(c.dc, 34, 2, 10, 10, source.Dc(), 24, -3, SRCCOPY));
            c.extras.push_back(BitBlt(c.dc, 2, 20, 12, 12, source.Dc(), -5, 15, SRCCOPY));
        });
    }
}

// A 32-bit source whose fourth byte is not zero, as pictures with alpha have: what reaches
// each destination (and whether that byte survives a 32 to 32 copy).
inline void AddAlphaSourceBlits(SceneList& list) {
    AddCanvasScenes(list, "blt_alpha_src", "bitblt", 61, 47, [](SceneTarget& c) {
        Surface source(AllSurfaces()[9], 29, 23);
        Prng prng(4242);
        PixelView view = source.Pixels();
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 29; ++x) view.Write(x, y, static_cast<uint32_t>(prng.Next()));
        c.extras.push_back(BitBlt(c.dc, 3, 4, 29, 23, source.Dc(), 0, 0, SRCCOPY));
        c.extras.push_back(static_cast<int32_t>(GetPixel(source.Dc(), 1, 1)));
    });
}

// A fresh memory DC holds a 1x1 monochrome bitmap: its 0 bit takes the destination's text
// colour, its 1 bit the destination's background colour.
inline void AddStockMonoSourceBlits(SceneList& list) {
    AddCanvasScenes(list, "blt_stockmono_src", "bitblt", 61, 47, [](SceneTarget& c) {
        HDC mono = CreateCompatibleDC(nullptr);
        c.extras.push_back(static_cast<int32_t>(GetPixel(mono, 0, 0)));
        c.extras.push_back(BitBlt(c.dc, 5, 5, 1, 1, mono, 0, 0, SRCCOPY));
        SetTextColor(c.dc, kTextColour);
        SetBkColor(c.dc, RGB(250, 240, 10));
        c.extras.push_back(BitBlt(c.dc, 8, 5, 1, 1, mono, 0, 0, SRCCOPY));
        c.extras.push_back(static_cast<int32_t>(SetPixel(mono, 0, 0, RGB(255, 255, 255))));
        c.extras.push_back(static_cast<int32_t>(GetPixel(mono, 0, 0)));
        c.extras.push_back(BitBlt(c.dc, 11, 5, 1, 1, mono, 0, 0, SRCCOPY));
        c.extras.push_back(BitBlt(c.dc, 14, 10, 6, 4, mono, 0, 0, SRCCOPY));
        SetTextColor(c.dc, RGB(255, 255, 255));
        SetBkColor(c.dc, kPenColour);
        c.extras.push_back(BitBlt(c.dc, 20, 20, 1, 1, mono, 0, 0, SRCCOPY));
        c.extras.push_back(static_cast<int32_t>(SetPixel(mono, 0, 0, RGB(100, 100, 100))));
        c.extras.push_back(BitBlt(c.dc, 22, 20, 1, 1, mono, 0, 0, SRCCOPY));
        DeleteDC(mono);
    });
}

inline int FirstRepeatedEntry(const std::vector<RGBQUAD>& table) {
    for (size_t j = 1; j < table.size(); ++j)
        for (size_t i = 0; i < j; ++i)
            if (PackQuad(table[i]) == PackQuad(table[j])) return static_cast<int>(j);
    return -1;
}

// Into the stock monochrome bitmap: pixels equal to the source DC's background colour
// become white, all others black. Read back through GetPixel.
inline void AddStockMonoDestinationBlits(SceneList& list) {
    AddCanvasScenes(list, "blt_to_stockmono", "bitblt", 29, 23, [](SceneTarget& c) {
        Surface source(c.kind, 29, 23);
        FillRandom(source, SeedOf(c.kind) + 7);
        // The background colour below is read from (4, 4): make it a table entry whose colour
        // an earlier entry repeats, so that matching by colour and by pixel value disagree.
        int duplicate = FirstRepeatedEntry(source.Table());
        if (duplicate >= 0) source.Pixels().Write(4, 4, static_cast<uint32_t>(duplicate));
        BitBlt(c.dc, 0, 0, 29, 23, source.Dc(), 0, 0, SRCCOPY);
        HDC mono = CreateCompatibleDC(nullptr);
        COLORREF background = GetPixel(c.dc, 4, 4);
        Prng prng(SeedOf(c.kind));
        for (COLORREF bk : {background, background ^ 0x000001u, RGB(255, 255, 255)}) {
            SetBkColor(c.dc, bk);
            for (int i = 0; i < 24; ++i) {
                int x = i == 0 ? 4 : prng.Range(0, 28), y = i == 0 ? 4 : prng.Range(0, 22);
                BitBlt(mono, 0, 0, 1, 1, c.dc, x, y, SRCCOPY);
                c.extras.push_back(static_cast<int32_t>(GetPixel(mono, 0, 0)));
            }
        }
        DeleteDC(mono);
    });
}

inline SurfaceKind TargetKind(int depth, bool topDown) { return {depth, topDown, TableKind::None}; }

// GetDIBits from a surface of each kind into each depth; the result keeps the table
// GetDIBits filled in.
inline void AddGetDIBitsScenes(SceneList& list) {
    static const SurfaceKind targets[] = {TargetKind(1, false), TargetKind(1, true),   TargetKind(4, false),
                                          TargetKind(8, false), TargetKind(16, false), TargetKind(24, false),
                                          TargetKind(24, true), TargetKind(32, false)};
    for (const SurfaceKind& from : WithShortTables(AllSurfaces())) {
        for (const SurfaceKind& to : targets) {
            std::string name = "getdibits_" + from.Label() + "@" + to.Label();
            list.push_back({name, "getdibits", [from, to](Record& record) {
                                Surface source(from, 29, 23);
                                if (!source.Ok()) return false;
                                FillRandom(source, SeedOf(from) + 3);
                                DibInfo info;
                                FillDibInfo(info, 29, 23, to, {});
                                std::vector<uint8_t> bits(static_cast<size_t>(StrideOf(29, to.depth)) * 23);
                                int lines = GetDIBits(source.Dc(), source.Bitmap(), 0, 23, bits.data(),
                                                      reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
                                record.extras.push_back(lines);
                                record.depth = to.depth;
                                record.topDown = to.topDown;
                                record.width = 29;
                                record.height = 23;
                                if (to.depth <= 8)
                                    record.table =
                                        PackTable(std::vector<RGBQUAD>(info.colors, info.colors + (1 << to.depth)));
                                record.pixels = PixelView(bits.data(), 29, 23, to.depth, to.topDown).ReadAll();
                                return true;
                            }});
        }
    }
}

// Source and destination in the same DC, overlapping both ways: SRCCOPY must read the
// source before it is overwritten.
inline void AddOverlappingBlits(SceneList& list) {
    AddCanvasScenes(list, "blt_self_overlap", "bitblt", 61, 47, [](SceneTarget& c) {
        Selected pen(c.dc, Pen(1, kPenColour));
        Selected brush(c.dc, Brush(kBrushColour));
        Ellipse(c.dc, 2, 2, 27, 21);
        Rectangle(c.dc, 30, 24, 58, 45);
        Line(c.dc, 0, 0, 60, 46);
        c.extras.push_back(BitBlt(c.dc, 5, 4, 22, 18, c.dc, 2, 2, SRCCOPY));
        c.extras.push_back(BitBlt(c.dc, 27, 21, 28, 22, c.dc, 30, 24, SRCCOPY));
        c.extras.push_back(BitBlt(c.dc, 33, 3, 20, 15, c.dc, 35, 1, SRCCOPY));
    });
}

// Zero and negative extents and a source DC that is the destination's own.
inline void AddOddExtentBlits(SceneList& list) {
    AddCanvasScenes(list, "blt_odd_extents", "bitblt", 61, 47, [](SceneTarget& c) {
        Surface source(AllSurfaces()[7], 29, 23);
        FillRandom(source, 999);
        c.extras.push_back(BitBlt(c.dc, 2, 2, 0, 10, source.Dc(), 0, 0, SRCCOPY));
        c.extras.push_back(BitBlt(c.dc, 5, 5, 10, 0, source.Dc(), 0, 0, SRCCOPY));
        c.extras.push_back(BitBlt(c.dc, 30, 10, -8, 6, source.Dc(), 12, 3, SRCCOPY));
        c.extras.push_back(BitBlt(c.dc, 40, 30, 7, -9, source.Dc(), 4, 15, SRCCOPY));
        c.extras.push_back(BitBlt(c.dc, 58, 44, -10, -10, source.Dc(), 20, 20, SRCCOPY));
    });
}

// GetDIBits for a band of scan lines: `start` counts from the bottom row of the bitmap, and the
// band lands at the start of the caller's buffer whatever its orientation.
inline void AddPartialGetDIBitsScenes(SceneList& list) {
    const SurfaceKind sources[] = {AllSurfaces()[4], AllSurfaces()[7], AllSurfaces()[10]};
    const SurfaceKind targets[] = {TargetKind(8, false), TargetKind(24, false), TargetKind(24, true)};
    for (const SurfaceKind& from : sources) {
        for (const SurfaceKind& to : targets) {
            std::string name = "getdibits_band_" + from.Label() + "@" + to.Label();
            list.push_back(
                {name, "getdibits", [from, to](Record& record) {
                     Surface source(from, 29, 23);
                     if (!source.Ok()) return false;
                     FillRandom(source, SeedOf(from) + 11);
                     DibInfo info;
                     FillDibInfo(info, 29, 23, to, {});
                     std::vector<uint8_t> bits(static_cast<size_t>(StrideOf(29, to.depth)) * 23, 0);
                     record.extras.push_back(GetDIBits(source.Dc(), source.Bitmap(), 5, 10, bits.data(),
                                                       reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS));
                     record.extras.push_back(GetDIBits(source.Dc(), source.Bitmap(), 20, 10,
                                                       bits.data() + StrideOf(29, to.depth) * 12,
                                                       reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS));
                     record.depth = to.depth;
                     record.topDown = to.topDown;
                     record.width = 29;
                     record.height = 23;
                     if (to.depth <= 8)
                         record.table = PackTable(std::vector<RGBQUAD>(info.colors, info.colors + (1 << to.depth)));
                     record.pixels = PixelView(bits.data(), 29, 23, to.depth, to.topDown).ReadAll();
                     return true;
                 }});
        }
    }
}

// GetDIBits of a memory DC's stock 1x1 monochrome bitmap, white and black, into each depth.
inline void AddStockMonoGetDIBitsScenes(SceneList& list) {
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        SurfaceKind to = TargetKind(depth, false);
        list.push_back(
            {"getdibits_stockmono@" + to.Label(), "getdibits", [to](Record& record) {
                 HDC mono = CreateCompatibleDC(nullptr);
                 HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(mono, OBJ_BITMAP));
                 record.depth = to.depth;
                 record.width = 2;
                 record.height = 1;
                 std::vector<uint8_t> bits(8, 0xA5);
                 for (int column = 0; column < 2; ++column) {
                     SetPixel(mono, 0, 0, column == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0));
                     DibInfo info;
                     FillDibInfo(info, 1, 1, to, {});
                     record.extras.push_back(GetDIBits(mono, bitmap, 0, 1, bits.data(),
                                                       reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS));
                     uint32_t value = PixelView(bits.data(), 1, 1, to.depth, false).Read(0, 0);
                     record.pixels.push_back(value);
                     if (to.depth <= 8 && column == 0)
                         record.table = PackTable(std::vector<RGBQUAD>(info.colors, info.colors + (1 << to.depth)));
                 }
                 DeleteDC(mono);
                 return true;
             }});
    }
}

inline void AddBlitScenes(SceneList& list) {
    AddStockMonoGetDIBitsScenes(list);
    AddAlphaSourceBlits(list);
    AddPartialGetDIBitsScenes(list);
    AddOddExtentBlits(list);
    AddPairBlits(list);
    AddOverlappingBlits(list);
    AddStockMonoSourceBlits(list);
    AddStockMonoDestinationBlits(list);
    AddGetDIBitsScenes(list);
}

}  // namespace scenes
