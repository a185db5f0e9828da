// The host's window on Windows: a real popup window of the asked size, never shown. Wine
// without a display makes no windows: the host then has none (null), as
// PlatformCreateWindow's callers allow.
#include <figplatform.h>

namespace {

const wchar_t kWindowClass[] = L"figsim host window";

bool RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassW(&windowClass) != 0;
    }();
    return registered;
}

}  // namespace

HWND PlatformCreateWindow(int width, int height) {
    if (!RegisterWindowClass()) return nullptr;
    return CreateWindowExW(0, kWindowClass, L"figsim", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

BOOL PlatformDestroyWindow(HWND window) { return DestroyWindow(window); }
