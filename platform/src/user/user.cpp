// user32 calls that need no device context: the beep and rectangle arithmetic.
#include <figplatform.h>

#include <atomic>

namespace {
std::atomic<int> beepCount{0};
std::atomic<UINT> lastBeepType{0};
}  // namespace

BOOL WINAPI MessageBeep(UINT type) {
    ++beepCount;
    lastBeepType = type;
    return TRUE;
}

int PlatformBeepCount(void) { return beepCount; }

UINT PlatformLastBeepType(void) { return lastBeepType; }

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
