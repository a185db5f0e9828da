// DIB sections the scenes draw on: which depths, orientations and colour tables, and raw
// access to their bits so both sides can be compared value by value.
#pragma once

#include "win_api.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace scenes {

// Where a 1-8 bpp surface gets its colour table: the screen's system palette (what most
// callers pass), a table of our own with odd colours, exact pen colours and duplicates, or
// a short table (biClrUsed below 2^depth) so that pixel values past its end exist.
enum class TableKind { None, System, Own, Short };

struct SurfaceKind {
    int depth;
    bool topDown;
    TableKind table;

    std::string Label() const {
        std::string label = "d" + std::to_string(depth);
        if (table == TableKind::System) label += "s";
        if (table == TableKind::Own) label += "o";
        if (table == TableKind::Short) label += "h";
        if (topDown) label += "-td";
        return label;
    }
};

// Every depth bottom-up, and top-down for some, own and system tables at 1, 4 and 8 bits.
inline const std::vector<SurfaceKind>& AllSurfaces() {
    static const std::vector<SurfaceKind> all = {
        {1, false, TableKind::System}, {1, true, TableKind::Own},     {4, false, TableKind::System},
        {4, true, TableKind::Own},     {8, false, TableKind::System}, {8, true, TableKind::Own},
        {16, false, TableKind::None},  {24, false, TableKind::None},  {24, true, TableKind::None},
        {32, false, TableKind::None},  {32, true, TableKind::None},
    };
    return all;
}

// Short tables at 4 and 8 bits, for the colour, pixel and blit scenes.
inline const std::vector<SurfaceKind>& ShortTableSurfaces() {
    static const std::vector<SurfaceKind> kinds = {{4, false, TableKind::Short}, {8, true, TableKind::Short}};
    return kinds;
}

inline std::vector<SurfaceKind> WithShortTables(const std::vector<SurfaceKind>& surfaces) {
    std::vector<SurfaceKind> all = surfaces;
    all.insert(all.end(), ShortTableSurfaces().begin(), ShortTableSurfaces().end());
    return all;
}

inline RGBQUAD Quad(int r, int g, int b) {
    RGBQUAD q;
    q.rgbRed = static_cast<BYTE>(r);
    q.rgbGreen = static_cast<BYTE>(g);
    q.rgbBlue = static_cast<BYTE>(b);
    q.rgbReserved = 0;
    return q;
}

// The screen's palette as GetSystemPaletteEntries reports it (static colours at both ends).
inline const std::vector<PALETTEENTRY>& SystemPalette() {
    static const std::vector<PALETTEENTRY> entries = [] {
        std::vector<PALETTEENTRY> result(256);
        std::memset(result.data(), 0, result.size() * sizeof(PALETTEENTRY));
        HDC screen = GetDC(nullptr);
        GetSystemPaletteEntries(screen, 0, 256, result.data());
        ReleaseDC(nullptr, screen);
        return result;
    }();
    return entries;
}

inline RGBQUAD SystemEntry(int index) {
    const PALETTEENTRY& e = SystemPalette()[static_cast<size_t>(index)];
    return Quad(e.peRed, e.peGreen, e.peBlue);
}

// The pen and brush colours most scenes use; the own 4-bit table holds them exactly.
constexpr COLORREF kPenColour = RGB(200, 30, 60);
constexpr COLORREF kBrushColour = RGB(40, 160, 90);
constexpr COLORREF kTextColour = RGB(20, 40, 170);

inline std::vector<RGBQUAD> SystemTable(int depth) {
    std::vector<RGBQUAD> table;
    if (depth == 1) return {SystemEntry(0), SystemEntry(255)};
    if (depth == 4) {
        for (int i = 0; i < 8; ++i) table.push_back(SystemEntry(i));
        for (int i = 248; i < 256; ++i) table.push_back(SystemEntry(i));
        return table;
    }
    for (int i = 0; i < 256; ++i) table.push_back(SystemEntry(i));
    return table;
}

inline std::vector<RGBQUAD> OwnTable(int depth) {
    if (depth == 1) return {Quad(0x20, 0x30, 0x90), Quad(0xF0, 0xE0, 0x40)};
    if (depth == 4) {
        // Entries 7 and 8 are equal so that nearest-colour ties must pick the lower index.
        return {Quad(10, 10, 10),    Quad(250, 250, 250), Quad(200, 30, 60),   Quad(40, 160, 90),
                Quad(0, 0, 255),     Quad(255, 0, 0),     Quad(0, 255, 0),     Quad(128, 128, 128),
                Quad(128, 128, 128), Quad(90, 60, 30),    Quad(30, 60, 90),    Quad(255, 255, 0),
                Quad(0, 255, 255),   Quad(255, 0, 255),   Quad(180, 180, 220), Quad(60, 60, 60)};
    }
    std::vector<RGBQUAD> table;
    for (int i = 0; i < 256; ++i) table.push_back(Quad((i * 53) & 0xFF, (i * 97 + 31) & 0xFF, (i * 29 + 200) & 0xFF));
    table[3] = Quad(200, 30, 60);
    table[4] = Quad(40, 160, 90);
    return table;
}

// 4 bits: the first 6 entries of our own table; 8 bits: the 20 static colours, packed.
inline std::vector<RGBQUAD> ShortTable(int depth) {
    if (depth == 4) {
        std::vector<RGBQUAD> own = OwnTable(4);
        return std::vector<RGBQUAD>(own.begin(), own.begin() + 6);
    }
    std::vector<RGBQUAD> table;
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255})
        table.push_back(SystemEntry(i));
    return table;
}

inline std::vector<RGBQUAD> TableFor(const SurfaceKind& kind) {
    if (kind.depth > 8) return {};
    if (kind.table == TableKind::Short) return ShortTable(kind.depth);
    return kind.table == TableKind::Own ? OwnTable(kind.depth) : SystemTable(kind.depth);
}

// Raw pixel value a fresh surface is filled with before a scene draws: chosen to differ from
// what the usual pen and brush colours map to, so that missing ink shows.
inline uint32_t BackgroundValue(const SurfaceKind& kind) {
    switch (kind.depth) {
        case 1:
            return 1;
        case 4:
            return kind.table == TableKind::Own ? 14 : kind.table == TableKind::Short ? 4 : 7;
        case 8:
            return kind.table == TableKind::Own ? 77 : 7;
        case 16:
            return (0xC8u >> 3) << 10 | (0xC0u >> 3) << 5 | (0xB8u >> 3);
        default:
            return 0xC8C4BCu;
    }
}

inline int StrideOf(int width, int depth) { return ((width * depth + 31) / 32) * 4; }

// Raw access to packed DIB rows: index for 1-8 bpp, the 16-bit word, 0xRRGGBB for 24 bpp
// and the whole 32-bit word for 32 bpp.
class PixelView {
public:
    PixelView(void* bits, int width, int height, int depth, bool topDown)
        : bits_(static_cast<uint8_t*>(bits)),
          width_(width),
          height_(height),
          depth_(depth),
          topDown_(topDown),
          stride_(StrideOf(width, depth)) {}

    uint32_t Read(int x, int y) const {
        const uint8_t* row = Row(y);
        switch (depth_) {
            case 1:
                return (row[x / 8] >> (7 - x % 8)) & 1u;
            case 4:
                return (x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0Fu;
            case 8:
                return row[x];
            case 16:
                return static_cast<uint32_t>(row[2 * x] | row[2 * x + 1] << 8);
            case 24:
                return static_cast<uint32_t>(row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16);
            default: {
                uint32_t value;
                std::memcpy(&value, row + 4 * x, 4);
                return value;
            }
        }
    }

    void Write(int x, int y, uint32_t value) {
        uint8_t* row = Row(y);
        switch (depth_) {
            case 1: {
                uint8_t mask = static_cast<uint8_t>(0x80u >> (x % 8));
                row[x / 8] = static_cast<uint8_t>((value & 1u) ? (row[x / 8] | mask) : (row[x / 8] & ~mask));
                break;
            }
            case 4:
                row[x / 2] = (x % 2 == 0) ? static_cast<uint8_t>((row[x / 2] & 0x0F) | (value & 0x0F) << 4)
                                          : static_cast<uint8_t>((row[x / 2] & 0xF0) | (value & 0x0F));
                break;
            case 8:
                row[x] = static_cast<uint8_t>(value);
                break;
            case 16:
                row[2 * x] = static_cast<uint8_t>(value);
                row[2 * x + 1] = static_cast<uint8_t>(value >> 8);
                break;
            case 24:
                row[3 * x] = static_cast<uint8_t>(value);
                row[3 * x + 1] = static_cast<uint8_t>(value >> 8);
                row[3 * x + 2] = static_cast<uint8_t>(value >> 16);
                break;
            default:
                std::memcpy(row + 4 * x, &value, 4);
                break;
        }
    }

    std::vector<uint32_t> ReadAll() const {
        std::vector<uint32_t> values;
        values.reserve(static_cast<size_t>(width_) * static_cast<size_t>(height_));
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) values.push_back(Read(x, y));
        return values;
    }

private:
    uint8_t* Row(int y) const {
        int stored = topDown_ ? y : height_ - 1 - y;
        return bits_ + static_cast<ptrdiff_t>(stored) * stride_;
    }

    uint8_t* bits_;
    int width_;
    int height_;
    int depth_;
    bool topDown_;
    int stride_;
};

struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

inline void FillDibInfo(DibInfo& info, int width, int height, const SurfaceKind& kind,
                        const std::vector<RGBQUAD>& table) {
    std::memset(&info, 0, sizeof(info));
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = kind.topDown ? -height : height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(kind.depth);
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = static_cast<DWORD>(table.size());
    for (size_t i = 0; i < table.size(); ++i) info.colors[i] = table[i];
}

// A DIB section selected into a memory DC of its own.
class Surface {
public:
    Surface(const SurfaceKind& kind, int width, int height) : kind_(kind), width_(width), height_(height) {
        table_ = TableFor(kind);
        DibInfo info;
        FillDibInfo(info, width, height, kind, table_);
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (dc_ && bitmap_) original_ = SelectObject(dc_, bitmap_);
    }

    ~Surface() {
        if (dc_ && original_) SelectObject(dc_, original_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }

    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    bool Ok() const { return dc_ && bitmap_ && bits_ && original_; }
    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    const SurfaceKind& Kind() const { return kind_; }
    const std::vector<RGBQUAD>& Table() const { return table_; }
    PixelView Pixels() const { return PixelView(bits_, width_, height_, kind_.depth, kind_.topDown); }

    void Fill(uint32_t value) {
        PixelView view = Pixels();
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) view.Write(x, y, value);
    }

private:
    SurfaceKind kind_;
    int width_;
    int height_;
    std::vector<RGBQUAD> table_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ original_ = nullptr;
    void* bits_ = nullptr;
};

}  // namespace scenes
