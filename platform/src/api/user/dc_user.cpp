// user32's side of device contexts: windows, GetDC/ReleaseDC and FillRect.
#include <figplatform.h>

#include "api/gdi/dc.h"
#include "api/gdi/shape_calls.h"
#include "core/faults.h"
#include "core/registry.h"
#include "engine/raster.h"

#include <memory>
#include <mutex>

using namespace figplat;
using namespace figplat::gdi;

namespace {

// A window's pixels are made at its first GetDC: most hosts never draw on their window, and
// a white 640 x 480 surface costs a process start more than everything else it does.
struct Window {
    int width = 0, height = 0;
    std::once_flag made;
    std::shared_ptr<Surface> surface;
};

Window *LookupWindow(HWND handle) { return static_cast<Window *>(LookupObject(handle, PlatformWindow)); }

std::shared_ptr<Surface> WindowSurface(Window &window) {
    std::call_once(window.made, [&window] {
        window.surface = MakeDibSurface(window.width, window.height, 32, true, nullptr, 0);
        Surface *s = window.surface.get();
        if (s) FillBox(*s, 0, 0, s->width, s->height, ColourPixel(*s, RGB(255, 255, 255)));
    });
    return window.surface;
}

}  // namespace

// There are no window classes, messages or frames here: any class makes a window whose
// client area is the size asked (a WS_POPUP window's, which has no border).
HWND WINAPI CreateWindowExW(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int width, int height, HWND, HMENU, HINSTANCE,
                            LPVOID) {
    if (width < 1 || height < 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto window = std::make_unique<Window>();
    window->width = width;
    window->height = height;
    HANDLE handle = RegisterObject(PlatformWindow, window.get());
    if (!handle) return nullptr;
    window.release();
    return static_cast<HWND>(handle);
}

// DCs already handed out keep drawing on the window's pixels until released.
BOOL WINAPI DestroyWindow(HWND handle) {
    auto *window = static_cast<Window *>(UnregisterObject(handle, PlatformWindow));
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    delete window;
    return TRUE;
}

HDC WINAPI GetDC(HWND handle) {
    if (FIG_FAULT_POINT("GetDC")) return nullptr;
    if (!handle) {
        auto screen = ScreenSurface();
        if (!screen) return nullptr;
        Dc *dc = NewDc(DcKind::Screen, std::move(screen), nullptr);
        return dc ? dc->handle : nullptr;
    }
    Window *window = LookupWindow(handle);
    std::shared_ptr<Surface> surface = window ? WindowSurface(*window) : nullptr;
    if (!surface) return nullptr;
    Dc *dc = NewDc(DcKind::Window, std::move(surface), handle);
    return dc ? dc->handle : nullptr;
}

int WINAPI ReleaseDC(HWND window, HDC handle) {
    if (FIG_FAULT_POINT("ReleaseDC")) return 0;
    Dc *dc = LookupDc(handle);
    if (!dc) NoteFailedRelease(handle);
    if (!dc || dc->kind == DcKind::Memory || dc->window != window) return 0;
    DestroyDc(dc);
    return 1;
}

int WINAPI FillRect(HDC handle, const RECT *rect, HBRUSH brush) {
    if (FIG_FAULT_POINT("FillRect")) return 0;
    Dc *dc = LookupDc(handle);
    if (!dc || !rect) return 0;
    // user32 selects the brush for the fill and back out afterwards. A handle that cannot be
    // selected as a brush (a pen, a palette, a deleted or made-up one) leaves the DC's own
    // brush in place, so that one paints, and the call still reports success.
    const BrushObject *paint = LookupAs<BrushObject>(brush);
    if (!paint) paint = dc->brush;
    if (paint) FillRectWithBrush(*dc, *rect, *paint);
    return 1;
}
