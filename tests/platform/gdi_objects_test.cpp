// GDI object and DC lifetime: defaults of a new memory DC, SelectObject's answers, what
// DeleteObject does to stock and selected objects, stale handles, GetObject records,
// device capabilities and fault injection.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

using namespace gditest;

namespace {

class LiveCounts : public ::testing::Test {
protected:
    void SetUp() override {
        for (int k = 0; k < PlatformObjectKindCount; ++k) start_[k] = PlatformLiveCount(PlatformObjectKind(k));
    }
    void TearDown() override {
        PlatformClearFaults();
        for (int k = 0; k < PlatformObjectKindCount; ++k)
            EXPECT_EQ(PlatformLiveCount(PlatformObjectKind(k)), start_[k]) << "kind " << k;
    }

private:
    int start_[PlatformObjectKindCount] = {};
};

using MemoryDcDefaults = LiveCounts;
using Selection = LiveCounts;
using Deletion = LiveCounts;
using Faults = LiveCounts;
using Windows = LiveCounts;

TEST_F(MemoryDcDefaults, StartsWithStockObjectsAndOpaqueBlackOnWhite) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(SetBkMode(dc, 3), 0);  // not a mode: refused
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    BITMAP bm{};
    ASSERT_EQ(GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidthBytes, 2);  // device bitmaps pad rows to 16 bits
    EXPECT_EQ(bm.bmBits, nullptr);
    EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(MemoryDcDefaults, StockObjectsDescribeThemselves) {
    LOGFONTW font{};
    ASSERT_EQ(GetObjectW(GetStockObject(SYSTEM_FONT), sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_EQ(std::u16string(font.lfFaceName), u"System");
    EXPECT_EQ(font.lfHeight, 16);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    LOGFONTA narrow{};
    EXPECT_EQ(GetObjectA(GetStockObject(SYSTEM_FONT), sizeof narrow, &narrow), static_cast<int>(sizeof narrow));
    EXPECT_STREQ(narrow.lfFaceName, "System");
    HGDIOBJ palette = GetStockObject(DEFAULT_PALETTE);
    EXPECT_EQ(GetObjectType(palette), static_cast<DWORD>(OBJ_PAL));
    WORD entries = 0;
    EXPECT_EQ(GetObjectW(palette, sizeof entries, &entries), static_cast<int>(sizeof entries));
    EXPECT_EQ(entries, 20);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), palette);
    EXPECT_EQ(SelectObject(dc, palette), nullptr);  // palettes are not selected like brushes
    const RECT pixel{0, 0, 1, 1};
    SetPixel(dc, 0, 0, RGB(0, 0, 0));  // the stock bitmap is shared: start it known
    // Nor painted with: FillRect falls back to the DC's own brush, the stock white one.
    EXPECT_EQ(FillRect(dc, &pixel, static_cast<HBRUSH>(palette)), 1);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    SetPixel(dc, 0, 0, RGB(0, 0, 0));
    DeleteDC(dc);
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(9), nullptr);  // no stock object has that index
}

TEST_F(MemoryDcDefaults, EveryDcReportsATrueColourScreenWithoutPalette) {
    MemoryDc eightBit(MakeRampInfo(3, 3, 8));
    HDC screen = GetDC(nullptr);
    for (HDC dc : {eightBit.dc(), screen}) {
        EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);  // even with an 8-bit bitmap selected
        EXPECT_EQ(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE, 0);
        EXPECT_EQ(GetDeviceCaps(dc, NUMCOLORS), -1);
        EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    }
    EXPECT_EQ(GetObjectType(screen), static_cast<DWORD>(OBJ_DC));
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}

TEST_F(MemoryDcDefaults, SystemPaletteAnswersZeroButFillsTheStaticColours) {
    HDC screen = GetDC(nullptr);
    PALETTEENTRY entries[256];
    std::memset(entries, 0x77, sizeof entries);
    EXPECT_EQ(GetSystemPaletteEntries(screen, 0, 256, entries), 0u);
    EXPECT_EQ(entries[1].peRed, 0x80);
    EXPECT_EQ(entries[1].peGreen, 0);
    EXPECT_EQ(entries[1].peFlags, 0);
    EXPECT_EQ(entries[9].peRed, 0xA6);
    EXPECT_EQ(entries[9].peGreen, 0xCA);
    EXPECT_EQ(entries[9].peBlue, 0xF0);
    EXPECT_EQ(entries[10].peRed, 0);
    EXPECT_EQ(entries[245].peBlue, 0);
    EXPECT_EQ(entries[246].peGreen, 0xFB);
    EXPECT_EQ(entries[255].peBlue, 0xFF);
    // A window past the end stops at entry 255 and leaves the rest of the buffer alone.
    std::memset(entries, 0x77, sizeof entries);
    EXPECT_EQ(GetSystemPaletteEntries(screen, 250, 10, entries), 0u);
    EXPECT_EQ(entries[5].peRed, 0xFF);
    EXPECT_EQ(entries[6].peRed, 0x77);
    ReleaseDC(nullptr, screen);
}

TEST_F(Selection, SelectObjectAnswersThePreviousObjectOfThatKind) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_PEN)), pen);
    EXPECT_EQ(SelectObject(dc, dc), nullptr);  // a DC is not selectable
    EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(0x1234)), nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteDC(dc);
}

TEST_F(Selection, ABitmapLivesInOneMemoryDcAtATime) {
    HBITMAP bitmap = MakeDib(MakeInfo(5, 3, 24));
    HDC first = CreateCompatibleDC(nullptr), second = CreateCompatibleDC(nullptr);
    HGDIOBJ stock = SelectObject(first, bitmap);
    EXPECT_EQ(GetObjectType(stock), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    EXPECT_EQ(SelectObject(first, bitmap), bitmap);  // already there: stays
    // The stock bitmap is shared by every DC that has nothing else.
    EXPECT_EQ(GetCurrentObject(second, OBJ_BITMAP), stock);
    EXPECT_EQ(SelectObject(first, stock), bitmap);
    EXPECT_EQ(SelectObject(second, bitmap), stock);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(SelectObject(screen, stock), nullptr);  // only memory DCs take bitmaps
    ReleaseDC(nullptr, screen);
    DeleteDC(first);
    DeleteDC(second);  // releases the bitmap
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(Deletion, StockObjectsSurviveDeleteObject) {
    for (int index : {WHITE_BRUSH, BLACK_BRUSH, NULL_BRUSH, WHITE_PEN, BLACK_PEN, NULL_PEN, SYSTEM_FONT}) {
        HGDIOBJ stock = GetStockObject(index);
        EXPECT_TRUE(DeleteObject(stock)) << index;
        EXPECT_NE(GetObjectType(stock), 0u) << index;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ stockBitmap = GetCurrentObject(dc, OBJ_BITMAP);
    EXPECT_TRUE(DeleteObject(stockBitmap));
    EXPECT_EQ(GetObjectType(stockBitmap), static_cast<DWORD>(OBJ_BITMAP));
    DeleteDC(dc);
}

TEST_F(Deletion, ASelectedPenIsDestroyedWhenItsLastDcLetsGo) {
    HDC first = CreateCompatibleDC(nullptr), second = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(9, 9, 9));
    HGDIOBJ oldFirst = SelectObject(first, pen);
    SelectObject(second, pen);
    EXPECT_TRUE(DeleteObject(pen));  // succeeds, but the DCs still use it
    LOGPEN log{};
    EXPECT_EQ(GetObjectW(pen, sizeof log, &log), static_cast<int>(sizeof log));
    EXPECT_EQ(log.lopnColor, RGB(9, 9, 9));
    SelectObject(first, oldFirst);
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    DeleteDC(second);
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_FALSE(DeleteObject(pen));
    DeleteDC(first);
}

TEST_F(Deletion, ASelectedBitmapGoesWithItsDc) {
    void *bits = nullptr;
    HBITMAP bitmap = MakeDib(MakeInfo(3, 3, 32), &bits);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(SetPixel(dc, 1, 1, RGB(1, 2, 3)), RGB(1, 2, 3));  // still drawable
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(1, 2, 3));
    DeleteDC(dc);
    EXPECT_EQ(GetObjectType(bitmap), 0u);
}

TEST_F(Deletion, StaleHandlesFailEveryCall) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
    HBITMAP bitmap = MakeDib(MakeInfo(3, 3, 8));
    ASSERT_TRUE(DeleteObject(brush));
    ASSERT_TRUE(DeleteObject(bitmap));
    ASSERT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(dc), 0u);
    EXPECT_EQ(GetObjectW(brush, 0, nullptr), 0);
    EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 0);
    EXPECT_FALSE(LineTo(dc, 1, 1));
    EXPECT_FALSE(Ellipse(dc, 0, 0, 2, 2));
    EXPECT_FALSE(BitBlt(dc, 0, 0, 1, 1, dc, 0, 0, SRCCOPY));
    EXPECT_FALSE(TextOutA(dc, 0, 0, "a", 1));
    const RECT rect{0, 0, 1, 1};
    EXPECT_EQ(FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    HDC live = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(live, bitmap), nullptr);
    EXPECT_EQ(SelectObject(live, brush), nullptr);
    BYTE buffer[64];
    DibInfo query = MakeInfo(3, 3, 8);
    EXPECT_EQ(GetDIBits(live, bitmap, 0, 3, buffer, query.Info(), DIB_RGB_COLORS), 0);
    DeleteDC(live);
}

TEST_F(Deletion, GetObjectReportsSizesAndRefusesShortBuffers) {
    void *bits = nullptr;
    HBITMAP bitmap = MakeDib(MakeInfo(13, -7, 8), &bits);
    EXPECT_EQ(GetObjectW(bitmap, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    BITMAP bm{};
    EXPECT_EQ(GetObjectW(bitmap, 4, &bm), 0);
    ASSERT_EQ(GetObjectA(bitmap, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 13);
    EXPECT_EQ(bm.bmHeight, 7);
    EXPECT_EQ(bm.bmWidthBytes, 16);  // DIB rows pad to 32 bits
    EXPECT_EQ(bm.bmBits, bits);
    HPEN pen = CreatePen(PS_SOLID, -3, RGB(1, 2, 3));  // a negative width counts as positive
    LOGPEN log{};
    EXPECT_EQ(GetObjectW(pen, sizeof log, &log), static_cast<int>(sizeof log));
    EXPECT_EQ(log.lopnWidth.x, 3);
    EXPECT_EQ(CreatePen(PS_NULL, 4, RGB(1, 1, 1)), GetStockObject(NULL_PEN));
    DeleteObject(pen);
    DeleteObject(bitmap);
}

TEST_F(Faults, FailedCreationsReturnNullAndLeakNothing) {
    PlatformFailNthCall("CreateDIBSection", 1);
    void *bits = reinterpret_cast<void *>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, MakeInfo(3, 3, 32).Info(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    HBITMAP second = MakeDib(MakeInfo(3, 3, 32));
    EXPECT_NE(second, nullptr);  // a fault fires once
    DeleteObject(second);

    PlatformFailNthCall("CreateCompatibleDC", 2);
    HDC first = CreateCompatibleDC(nullptr);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(CreateCompatibleDC(nullptr), nullptr);
    DeleteDC(first);

    PlatformFailNthCall("GetDC", 1);
    EXPECT_EQ(GetDC(nullptr), nullptr);
    HDC screen = GetDC(nullptr);
    EXPECT_NE(screen, nullptr);
    ReleaseDC(nullptr, screen);
}

TEST_F(Faults, DcCallsFailWithTheirWindowsFailureValues) {
    MemoryDc mem(MakeInfo(3, 3, 32));
    PlatformFailNthCall("SetPixel", 1);
    EXPECT_EQ(SetPixel(mem.dc(), 1, 1, RGB(1, 2, 3)), CLR_INVALID);
    EXPECT_EQ(GetPixel(mem.dc(), 1, 1), RGB(0, 0, 0));  // the failed call drew nothing
    PlatformFailNthCall("SelectObject", 1);
    EXPECT_EQ(SelectObject(mem.dc(), GetStockObject(NULL_PEN)), nullptr);
    EXPECT_EQ(GetCurrentObject(mem.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
    PlatformFailNthCall("ReleaseDC", 1);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);  // the DC survived the failed release
}

TEST_F(Windows, AWindowIsAWhiteTrueColourSurface) {
    HWND window = CreateWindowExW(0, u"STATIC", nullptr, WS_POPUP, 0, 0, 9, 5, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 8, 4), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 9, 4), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, 2, 3, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(ReleaseDC(nullptr, dc), 0);  // not the window it came from
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    HDC again = GetDC(window);  // the pixels belong to the window, not the DC
    EXPECT_EQ(GetPixel(again, 2, 3), RGB(1, 2, 3));
    ReleaseDC(window, again);
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_EQ(GetDC(window), nullptr);
    EXPECT_EQ(GetDC(reinterpret_cast<HWND>(0x5678)), nullptr);
    EXPECT_FALSE(DestroyWindow(window));
}

}  // namespace
