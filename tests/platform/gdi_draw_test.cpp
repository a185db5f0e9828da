// The drawing calls' side of shapes: which pen or brush paints what, the current position,
// null pens and brushes, user32's FillRect rules and pixel access at the edges. (Which
// pixels a shape covers is the geometry module's and is tested there.)
#include "gdi_test_util.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

using namespace gditest;

namespace {

constexpr COLORREF kPaper = RGB(9, 8, 7);
constexpr COLORREF kInk = RGB(250, 10, 60);
constexpr COLORREF kFill = RGB(30, 200, 90);

class Drawing : public ::testing::Test {
protected:
    static constexpr int kW = 11, kH = 9;

    Drawing() : mem(MakeInfo(kW, -kH, 32)) {
        PaintAll(mem.dc(), kW, kH, kPaper);
        pen = CreatePen(PS_SOLID, 1, kInk);
        brush = CreateSolidBrush(kFill);
        oldPen = SelectObject(mem.dc(), pen);
        oldBrush = SelectObject(mem.dc(), brush);
    }
    ~Drawing() override {
        SelectObject(mem.dc(), oldPen);
        SelectObject(mem.dc(), oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
    }

    COLORREF At(int x, int y) const { return GetPixel(mem.dc(), x, y); }

    std::set<COLORREF> Colours() const {
        std::set<COLORREF> seen;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) seen.insert(At(x, y));
        return seen;
    }

    // The picture as one letter per pixel: '.' paper, 'P' pen, 'B' brush.
    std::string Picture() const {
        std::string text;
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                const COLORREF c = At(x, y);
                text += c == kPaper ? '.' : c == kInk ? 'P' : c == kFill ? 'B' : '?';
            }
            text += '\n';
        }
        return text;
    }

    MemoryDc mem;
    HPEN pen;
    HBRUSH brush;
    HGDIOBJ oldPen, oldBrush;
};

TEST_F(Drawing, LineToDrawsFromTheCurrentPositionAndMovesIt) {
    POINT previous{-1, -1};
    EXPECT_TRUE(MoveToEx(mem.dc(), 1, 2, &previous));
    EXPECT_EQ(previous.x, 0);
    EXPECT_EQ(previous.y, 0);
    EXPECT_TRUE(LineTo(mem.dc(), 6, 2));
    EXPECT_TRUE(LineTo(mem.dc(), 6, 5));  // continues from (6, 2)
    MoveToEx(mem.dc(), 0, 0, &previous);
    EXPECT_EQ(previous.x, 6);
    EXPECT_EQ(previous.y, 5);
    EXPECT_EQ(Picture(),
              "...........\n"
              "...........\n"
              ".PPPPPP....\n"
              "......P....\n"
              "......P....\n"
              "...........\n"
              "...........\n"
              "...........\n"
              "...........\n");
}

TEST_F(Drawing, TheNullPenMovesWithoutDrawing) {
    SelectObject(mem.dc(), GetStockObject(NULL_PEN));
    MoveToEx(mem.dc(), 1, 1, nullptr);
    EXPECT_TRUE(LineTo(mem.dc(), 8, 6));
    POINT previous{};
    MoveToEx(mem.dc(), 0, 0, &previous);
    EXPECT_EQ(previous.x, 8);
    EXPECT_EQ(Colours(), std::set<COLORREF>{kPaper});
}

TEST_F(Drawing, AWidePenDrawsABandCentredOnTheLine) {
    HPEN wide = CreatePen(PS_SOLID, 3, kInk);
    SelectObject(mem.dc(), wide);
    MoveToEx(mem.dc(), 2, 4, nullptr);
    LineTo(mem.dc(), 8, 4);
    for (int y = 0; y < kH; ++y) EXPECT_EQ(At(5, y), (y >= 3 && y <= 5) ? kInk : kPaper) << y;
    SelectObject(mem.dc(), pen);
    DeleteObject(wide);
}

// A pen as wide as INT_MAX, or as INT_MIN (negative widths count by their size), covers
// the whole bitmap; no size estimate may wrap.
TEST_F(Drawing, PensOfTheLargestWidthsCoverEverything) {
    for (int width : {INT_MAX, INT_MIN}) {
        PaintAll(mem.dc(), kW, kH, kPaper);
        HPEN widest = CreatePen(PS_SOLID, width, kInk);
        SelectObject(mem.dc(), widest);
        EXPECT_TRUE(Rectangle(mem.dc(), 2, 2, 5, 5)) << width;
        EXPECT_EQ(Colours(), std::set<COLORREF>{kInk}) << width;
        SelectObject(mem.dc(), pen);
        DeleteObject(widest);
    }
}

TEST_F(Drawing, RectangleOrdersItsCornersAndFillsInsideTheOutline) {
    EXPECT_TRUE(Rectangle(mem.dc(), 7, 5, 1, 1));
    EXPECT_EQ(Picture(),
              "...........\n"
              ".PPPPPP....\n"
              ".PBBBBP....\n"
              ".PBBBBP....\n"
              ".PPPPPP....\n"
              "...........\n"
              "...........\n"
              "...........\n"
              "...........\n");
}

TEST_F(Drawing, RectangleWithoutPenOrBrushSkipsThatPart) {
    SelectObject(mem.dc(), GetStockObject(NULL_BRUSH));
    Rectangle(mem.dc(), 1, 1, 5, 4);
    SelectObject(mem.dc(), GetStockObject(NULL_PEN));
    SelectObject(mem.dc(), brush);
    Rectangle(mem.dc(), 6, 5, 10, 8);  // the fill alone is one narrower and one shorter
    EXPECT_EQ(Picture(),
              "...........\n"
              ".PPPP......\n"
              ".P..P......\n"
              ".PPPP......\n"
              "...........\n"
              "......BBB..\n"
              "......BBB..\n"
              "...........\n"
              "...........\n");
}

TEST_F(Drawing, EllipseAndPiePaintTheBrushInsideThePen) {
    EXPECT_TRUE(Ellipse(mem.dc(), 0, 0, 11, 9));
    EXPECT_EQ(At(5, 4), kFill);
    EXPECT_EQ(At(0, 4), kInk);
    EXPECT_EQ(At(5, 0), kInk);
    EXPECT_EQ(At(0, 0), kPaper);
    EXPECT_EQ(Colours(), (std::set<COLORREF>{kPaper, kInk, kFill}));
    SelectObject(mem.dc(), GetStockObject(NULL_PEN));
    HBRUSH other = CreateSolidBrush(RGB(1, 2, 3));
    SelectObject(mem.dc(), other);
    EXPECT_TRUE(Pie(mem.dc(), 0, 0, 11, 9, 11, 4, 5, 0));  // the quarter up and right of the centre
    EXPECT_EQ(At(7, 2), RGB(1, 2, 3));
    EXPECT_EQ(At(3, 6), kFill);
    SelectObject(mem.dc(), brush);
    DeleteObject(other);
}

TEST_F(Drawing, ArcUsesThePenOnly) {
    EXPECT_TRUE(Arc(mem.dc(), 0, 0, 11, 9, 0, 0, 0, 0));  // equal directions: the whole ellipse
    EXPECT_EQ(At(0, 4), kInk);
    EXPECT_EQ(At(10, 4), kInk);
    EXPECT_EQ(At(5, 4), kPaper);
    EXPECT_EQ(Colours(), (std::set<COLORREF>{kPaper, kInk}));
    SelectObject(mem.dc(), GetStockObject(NULL_PEN));
    EXPECT_TRUE(Arc(mem.dc(), 1, 1, 10, 8, 0, 0, 0, 0));  // no pen: nothing
    EXPECT_TRUE(Ellipse(mem.dc(), 20, 20, 30, 30));      // entirely outside: nothing, but no failure
    EXPECT_EQ(Colours(), (std::set<COLORREF>{kPaper, kInk}));
    EXPECT_EQ(At(1, 4), kPaper);
}

TEST_F(Drawing, FillRectUsesItsBrushWithoutSelectingIt) {
    HBRUSH other = CreateSolidBrush(kInk);
    const RECT rect{2, 1, 5, 3};
    EXPECT_EQ(FillRect(mem.dc(), &rect, other), 1);
    EXPECT_EQ(GetCurrentObject(mem.dc(), OBJ_BRUSH), brush);
    const RECT reversed{9, 7, 6, 5};  // covers columns 7..9 and rows 6..7
    FillRect(mem.dc(), &reversed, other);
    const RECT outside{-4, 8, 2, 30};
    FillRect(mem.dc(), &outside, other);
    EXPECT_EQ(Picture(),
              "...........\n"
              "..PPP......\n"
              "..PPP......\n"
              "...........\n"
              "...........\n"
              "...........\n"
              ".......PPP.\n"
              ".......PPP.\n"
              "PP.........\n");
    DeleteObject(other);
}

TEST_F(Drawing, FillRectWithTheNullBrushPaintsNothing) {
    const RECT all{0, 0, kW, kH};
    EXPECT_EQ(FillRect(mem.dc(), &all, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 1);
    EXPECT_EQ(FillRect(mem.dc(), nullptr, brush), 0);
    EXPECT_EQ(Colours(), std::set<COLORREF>{kPaper});
}

// user32 selects FillRect's brush for the fill; a handle that cannot be selected leaves the
// DC's brush (kFill here) to paint.
TEST_F(Drawing, FillRectWithANonBrushHandlePaintsWithTheSelectedBrush) {
    const RECT penBox{1, 1, 4, 3};
    EXPECT_EQ(FillRect(mem.dc(), &penBox, reinterpret_cast<HBRUSH>(pen)), 1);
    HBRUSH gone = CreateSolidBrush(kInk);
    DeleteObject(gone);
    const RECT goneBox{6, 5, 8, 8};
    EXPECT_EQ(FillRect(mem.dc(), &goneBox, gone), 1);
    EXPECT_EQ(Picture(),
              "...........\n"
              ".BBB.......\n"
              ".BBB.......\n"
              "...........\n"
              "...........\n"
              "......BB...\n"
              "......BB...\n"
              "......BB...\n"
              "...........\n");
    // The fill did not change what is selected.
    EXPECT_EQ(GetCurrentObject(mem.dc(), OBJ_BRUSH), brush);
}

TEST_F(Drawing, PixelAccessOutsideTheBitmap) {
    for (POINT p : {POINT{-1, 0}, POINT{kW, 0}, POINT{0, -1}, POINT{0, kH}, POINT{-100000, 100000}})
        EXPECT_EQ(GetPixel(mem.dc(), p.x, p.y), CLR_INVALID) << p.x << "," << p.y;
    // SetPixel outside draws nothing yet answers the colour it would have set.
    EXPECT_EQ(SetPixel(mem.dc(), kW, 0, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(At(kW - 1, 0), kPaper);
    EXPECT_EQ(SetPixel(mem.dc(), kW - 1, kH - 1, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(At(kW - 1, kH - 1), RGB(1, 2, 3));
}

TEST(ScreenDc, DrawsOnAScreenSizedTrueColourSurface) {
    HDC screen = GetDC(nullptr);
    const int right = GetDeviceCaps(screen, HORZRES) - 1, bottom = GetDeviceCaps(screen, VERTRES) - 1;
    EXPECT_EQ(SetPixel(screen, right, bottom, RGB(3, 4, 5)), RGB(3, 4, 5));
    EXPECT_EQ(GetPixel(screen, right, bottom), RGB(3, 4, 5));
    EXPECT_EQ(GetPixel(screen, right + 1, bottom), CLR_INVALID);
    ReleaseDC(nullptr, screen);
}

}  // namespace
