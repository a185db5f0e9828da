// The system palette as a true-colour Windows screen reports it.
#include "api/gdi/dc.h"
#include "core/faults.h"
#include "engine/raster.h"

using namespace figplat::gdi;

namespace {

PALETTEENTRY SystemPaletteEntry(UINT index) {
    const RGBQUAD *statics = StaticColours();
    if (index < 10) return PALETTEENTRY{statics[index].rgbRed, statics[index].rgbGreen, statics[index].rgbBlue, 0};
    if (index >= 246) {
        const RGBQUAD &q = statics[index - 236];
        return PALETTEENTRY{q.rgbRed, q.rgbGreen, q.rgbBlue, 0};
    }
    return PALETTEENTRY{0, 0, 0, 0};
}

}  // namespace

// A device without a palette answers 0 yet still fills the buffer: the 20 static colours
// at both ends and zeros between.
UINT WINAPI GetSystemPaletteEntries(HDC dc, UINT start, UINT count, LPPALETTEENTRY entries) {
    if (FIG_FAULT_POINT("GetSystemPaletteEntries")) return 0;
    if (!LookupDc(dc) || !entries) return 0;
    for (UINT i = 0; i < count && start + i < 256 && start + i >= start; ++i) entries[i] = SystemPaletteEntry(start + i);
    return 0;
}
