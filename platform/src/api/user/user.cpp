// user32 calls that need no device context: the beep, rectangle arithmetic and the font
// smoothing parameter.
#include <figplatform.h>

#include "engine/raster.h"

#include <atomic>

#ifdef FIGPLOT_TEST_HOOKS
namespace {
std::atomic<int> beepCount{0};
std::atomic<UINT> lastBeepType{0};
}  // namespace

int PlatformBeepCount(void) { return beepCount; }

UINT PlatformLastBeepType(void) { return lastBeepType; }
#endif

// There is no sound here; the test build records the beep.
BOOL WINAPI MessageBeep([[maybe_unused]] UINT type) {
#ifdef FIGPLOT_TEST_HOOKS
    ++beepCount;
    lastBeepType = type;
#endif
    return TRUE;
}

BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (!rect) return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

namespace {
// Windows' rectangle arithmetic wraps at 32 bits instead of trapping.
LONG WrapAdd(LONG a, int64_t b) { return static_cast<LONG>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }
}  // namespace

BOOL WINAPI InflateRect(LPRECT rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->left = WrapAdd(rect->left, -static_cast<int64_t>(dx));
    rect->top = WrapAdd(rect->top, -static_cast<int64_t>(dy));
    rect->right = WrapAdd(rect->right, dx);
    rect->bottom = WrapAdd(rect->bottom, dy);
    return TRUE;
}

// Font smoothing is the one system parameter the platform keeps. Set takes the new state in
// uiParam, as Windows does; the ini-file flags change nothing here (nothing is persisted).
BOOL WINAPI SystemParametersInfoW(UINT action, UINT uiParam, PVOID pvParam, UINT) {
    switch (action) {
    case SPI_GETFONTSMOOTHING:
        if (!pvParam) return FALSE;
        *static_cast<BOOL *>(pvParam) = figplat::font::FontSmoothingOn() ? TRUE : FALSE;
        return TRUE;
    case SPI_SETFONTSMOOTHING:
        figplat::font::SetFontSmoothing(uiParam != 0);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL WINAPI SystemParametersInfoA(UINT action, UINT uiParam, PVOID pvParam, UINT winIni) {
    return SystemParametersInfoW(action, uiParam, pvParam, winIni);
}
