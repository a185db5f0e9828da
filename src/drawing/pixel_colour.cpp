// GetPixelColor (8-bit build): the palette index of one pixel of the window.
#include "library_functions.h"
#include "protocol/host_callback.h"

#if !FIGPLOT_WIDE
namespace fig {

constexpr int16_t kColorField = ParamFirst + 2;

void GetPixelColor(CallContext &call) {
    const int32_t y = GetIntParam(ParamFirst, call.callback);
    const int32_t x = GetIntParam(ParamFirst + 1, call.callback);
    // The window's DC, got for the read alone; without one there is no pixel to match.
    HDC dc = GetDC(call.window);
    if (!dc) {
        SetIntParam(kColorField, 0, call.callback);
        return;
    }
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(call.window, dc);
    SetIntParam(kColorField, PaletteIndexOf(*call.instance, colour), call.callback);
}

}  // namespace fig
#endif
