// Device contexts: creation, selection and the DC's colours, modes and capabilities.
#include "api/gdi/dc.h"

#include "core/faults.h"
#include "engine/raster.h"

#include <atomic>
#include <cstdint>
#include <mutex>

using namespace figplat;
using namespace figplat::gdi;

namespace figplat::gdi {

namespace {

// Bumped whenever a DC goes away; a thread's remembered lookup is good only while the count
// it saw still stands. (Handles are never reused, so nothing else can make it wrong.)
std::atomic<uint64_t> dcGeneration{0};

struct RememberedDc {
    HDC handle = nullptr;
    Dc *dc = nullptr;
    uint64_t generation = 0;
};

}  // namespace

// Drawing calls come in long runs on one DC: each thread remembers its last answer, so the
// registry (a lock and a hash lookup) is asked only when the DC changes.
Dc *LookupDc(HDC handle) {
    thread_local RememberedDc last;
    const uint64_t generation = dcGeneration.load(std::memory_order_acquire);
    if (handle && handle == last.handle && generation == last.generation) return last.dc;
    Dc *dc = static_cast<Dc *>(LookupObject(handle, PlatformDc));
    if (dc) last = RememberedDc{handle, dc, generation};
    return dc;
}

namespace {

template <typename T>
void Select(T *&slot, T *object) {
    AcquireSelection(object);
    T *previous = slot;
    slot = object;
    if (previous) ReleaseSelection(previous);
}

void SelectDefaults(Dc &dc) {
    Select(dc.pen, static_cast<PenObject *>(StockObject(BLACK_PEN)));
    Select(dc.brush, static_cast<BrushObject *>(StockObject(WHITE_BRUSH)));
    Select(dc.font, static_cast<FontObject *>(StockObject(SYSTEM_FONT)));
    if (dc.kind == DcKind::Memory) {
        Select(dc.bitmap, StockBitmap());
        dc.surface = dc.bitmap->surface;
    }
}

template <typename T>
void Drop(T *&slot) {
    if (slot) ReleaseSelection(slot);
    slot = nullptr;
}

}  // namespace

Dc *NewDc(DcKind kind, std::shared_ptr<Surface> surface, HWND window) {
    auto dc = std::make_unique<Dc>();
    dc->kind = kind;
    dc->window = window;
    dc->surface = std::move(surface);
    HANDLE handle = RegisterObject(PlatformDc, dc.get());
    if (!handle) return nullptr;
    dc->handle = static_cast<HDC>(handle);
    SelectDefaults(*dc);
    return dc.release();
}

void DestroyDc(Dc *dc) {
    dcGeneration.fetch_add(1, std::memory_order_acq_rel);
    UnregisterObject(dc->handle, PlatformDc);
    Drop(dc->pen);
    Drop(dc->brush);
    Drop(dc->font);
    Drop(dc->bitmap);
    delete dc;
}

std::shared_ptr<Surface> ScreenSurface() {
    static std::mutex mutex;
    static std::shared_ptr<Surface> screen;
    std::lock_guard<std::mutex> lock(mutex);
    if (!screen) screen = MakeDibSurface(kScreenWidth, kScreenHeight, 32, true, nullptr, 0);
    return screen;
}

}  // namespace figplat::gdi

namespace {

HGDIOBJ SelectBitmap(Dc &dc, BitmapObject *bitmap) {
    if (dc.kind != DcKind::Memory) return nullptr;
    if (bitmap == dc.bitmap) return bitmap->handle;
    // A bitmap lives in one memory DC at a time; only the stock bitmap is shared.
    if (bitmap->selections > 0 && !bitmap->stock) return nullptr;
    HGDIOBJ previous = dc.bitmap->handle;
    Select(dc.bitmap, bitmap);
    dc.surface = bitmap->surface;
    return previous;
}

template <typename T>
HGDIOBJ Swap(T *&slot, T *object) {
    HGDIOBJ previous = slot->handle;
    Select(slot, object);
    return previous;
}

}  // namespace

HDC WINAPI CreateCompatibleDC(HDC dc) {
    if (FIG_FAULT_POINT("CreateCompatibleDC")) return nullptr;
    if (dc && !LookupDc(dc)) return nullptr;
    Dc *created = NewDc(DcKind::Memory, nullptr, nullptr);
    return created ? created->handle : nullptr;
}

BOOL WINAPI DeleteDC(HDC handle) {
    if (FIG_FAULT_POINT("DeleteDC")) return FALSE;
    Dc *dc = LookupDc(handle);
    if (!dc) {
        NoteFailedRelease(handle);
        return FALSE;
    }
    DestroyDc(dc);
    return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC handle, HGDIOBJ object) {
    if (FIG_FAULT_POINT("SelectObject")) return nullptr;
    Dc *dc = LookupDc(handle);
    GdiObject *selected = LookupGdiObject(object);
    if (!dc || !selected) return nullptr;
    switch (selected->type) {
    case OBJ_PEN: return Swap(dc->pen, static_cast<PenObject *>(selected));
    case OBJ_BRUSH: return Swap(dc->brush, static_cast<BrushObject *>(selected));
    case OBJ_FONT: return Swap(dc->font, static_cast<FontObject *>(selected));
    case OBJ_BITMAP: return SelectBitmap(*dc, static_cast<BitmapObject *>(selected));
    default: return nullptr;  // palettes go through SelectPalette
    }
}

HGDIOBJ WINAPI GetCurrentObject(HDC handle, UINT type) {
    if (FIG_FAULT_POINT("GetCurrentObject")) return nullptr;
    Dc *dc = LookupDc(handle);
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_PEN: return dc->pen->handle;
    case OBJ_BRUSH: return dc->brush->handle;
    case OBJ_FONT: return dc->font->handle;
    case OBJ_BITMAP: return dc->bitmap ? dc->bitmap->handle : StockBitmap()->handle;
    case OBJ_PAL: return StockObject(DEFAULT_PALETTE)->handle;  // no palette is ever selected
    default: return nullptr;
    }
}

COLORREF WINAPI SetTextColor(HDC handle, COLORREF color) {
    if (FIG_FAULT_POINT("SetTextColor")) return CLR_INVALID;
    Dc *dc = LookupDc(handle);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->textColour;
    dc->textColour = color;
    return previous;
}

COLORREF WINAPI GetTextColor(HDC handle) {
    if (FIG_FAULT_POINT("GetTextColor")) return CLR_INVALID;
    Dc *dc = LookupDc(handle);
    return dc ? dc->textColour : CLR_INVALID;
}

COLORREF WINAPI SetBkColor(HDC handle, COLORREF color) {
    if (FIG_FAULT_POINT("SetBkColor")) return CLR_INVALID;
    Dc *dc = LookupDc(handle);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->bkColour;
    dc->bkColour = color;
    return previous;
}

COLORREF WINAPI GetBkColor(HDC handle) {
    if (FIG_FAULT_POINT("GetBkColor")) return CLR_INVALID;
    Dc *dc = LookupDc(handle);
    return dc ? dc->bkColour : CLR_INVALID;
}

int WINAPI SetBkMode(HDC handle, int mode) {
    if (FIG_FAULT_POINT("SetBkMode")) return 0;
    Dc *dc = LookupDc(handle);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int previous = dc->bkMode;
    dc->bkMode = mode;
    return previous;
}

int WINAPI GetBkMode(HDC handle) {
    if (FIG_FAULT_POINT("GetBkMode")) return 0;
    Dc *dc = LookupDc(handle);
    return dc ? dc->bkMode : 0;
}

// MM_TEXT with no window or viewport offsets: device and logical units coincide.
BOOL WINAPI DPtoLP(HDC handle, LPPOINT points, int count) {
    if (FIG_FAULT_POINT("DPtoLP")) return FALSE;
    if (!LookupDc(handle) || count < 0 || (count > 0 && !points)) return FALSE;
    return TRUE;
}

// Every DC reports the true-colour screen, whatever bitmap a memory DC holds.
int WINAPI GetDeviceCaps(HDC handle, int index) {
    if (FIG_FAULT_POINT("GetDeviceCaps")) return 0;
    if (!LookupDc(handle)) return 0;
    switch (index) {
    case HORZRES: return kScreenWidth;
    case VERTRES: return kScreenHeight;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case RASTERCAPS: return 0xBE99;  // BitBlt, DIBs, scaling, ... but not RC_PALETTE
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case SIZEPALETTE: return 0;
    case NUMRESERVED: return 20;
    default: return 0;
    }
}
