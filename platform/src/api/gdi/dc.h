// Device contexts: what is selected, the colours and modes, and the surface drawn on.
#pragma once

#include <figplatform.h>

#include "api/gdi/gdi_objects.h"
#include "engine/raster.h"

#include <memory>

namespace figplat::gdi {

enum class DcKind { Memory, Window, Screen };

struct Dc {
    HDC handle = nullptr;
    DcKind kind = DcKind::Memory;
    HWND window = nullptr;               // the window a GetDC DC belongs to
    std::shared_ptr<Surface> surface;    // what drawing lands on
    BitmapObject *bitmap = nullptr;      // memory DCs only
    PenObject *pen = nullptr;
    BrushObject *brush = nullptr;
    FontObject *font = nullptr;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF bkColour = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    POINT position{0, 0};
};

Dc *LookupDc(HDC handle);
// A new DC with the default objects selected; null when it cannot be registered.
// Memory DCs start on the stock monochrome bitmap; others draw on `surface`.
Dc *NewDc(DcKind kind, std::shared_ptr<Surface> surface, HWND window);
// Drops the DC's selections and its handle.
void DestroyDc(Dc *dc);

// The screen GetDC(NULL) draws on: 32-bit true colour, HORZRES x VERTRES.
std::shared_ptr<Surface> ScreenSurface();
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

}  // namespace figplat::gdi
