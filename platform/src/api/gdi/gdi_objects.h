// The GDI objects behind pen, brush, font and bitmap handles, and their lifetime rules.
//
// Windows lets a program delete an object that is still selected into a DC: the call
// succeeds, the handle stays usable, and the object goes away when the last DC lets go
// of it. Each object therefore counts its selections and remembers a pending delete.
#pragma once

#include <figplatform.h>

#include "core/registry.h"
#include "engine/raster.h"

#include <memory>

namespace figplat::gdi {

struct GdiObject {
    PlatformObjectKind kind;  // the registry's kind
    DWORD type;               // GetObjectType's answer (OBJ_PEN, ...)
    HGDIOBJ handle = nullptr;
    bool stock = false;
    int selections = 0;          // DCs this object is selected into
    bool deletePending = false;  // DeleteObject while selected: destroy on last release

    GdiObject(PlatformObjectKind k, DWORD t) : kind(k), type(t) {}
    virtual ~GdiObject() = default;
};

struct PenObject : GdiObject {
    static constexpr DWORD kType = OBJ_PEN;
    LOGPEN log{};
    PenObject() : GdiObject(PlatformPen, kType) {}
    bool IsNull() const { return log.lopnStyle == PS_NULL; }
};

struct BrushObject : GdiObject {
    static constexpr DWORD kType = OBJ_BRUSH;
    LOGBRUSH log{};
    BrushObject() : GdiObject(PlatformBrush, kType) {}
    bool IsNull() const { return log.lbStyle == BS_NULL; }
};

struct FontObject : GdiObject {
    static constexpr DWORD kType = OBJ_FONT;
    LOGFONTW log{};
    font::Face *face = nullptr;  // realised on first use
    FontObject() : GdiObject(PlatformFont, kType) {}
    ~FontObject() override;
    // The realised face (realising it now if needed); null only when no font is installed.
    font::Face *Realized();
};

struct BitmapObject : GdiObject {
    static constexpr DWORD kType = OBJ_BITMAP;
    std::shared_ptr<Surface> surface;
    bool deviceBitmap = false;  // CreateBitmap/CreateCompatibleBitmap: no DIBSECTION, no bits pointer
    // What GetObject reports instead of the surface's own format (PlatformDescribeBitmapAs); 0: the surface's.
    WORD describedPlanes = 0;
    WORD describedBitsPixel = 0;
    BitmapObject() : GdiObject(PlatformBitmap, kType) {}
};

// Only the stock DEFAULT_PALETTE exists: DIB sections on a true-colour screen need no other.
// The registry has no palette kind, so it is filed with the brushes and told apart by type.
struct PaletteObject : GdiObject {
    static constexpr DWORD kType = OBJ_PAL;
    WORD entries = 20;
    PaletteObject() : GdiObject(PlatformBrush, kType) {}
};

// Registers a new object and returns its handle (null if registration failed; the
// object is then freed).
HGDIOBJ RegisterGdiObject(std::unique_ptr<GdiObject> object);
// A live object of any GDI kind (pen, brush, font, bitmap), or null.
GdiObject *LookupGdiObject(HGDIOBJ handle);
template <typename T>
T *LookupAs(HGDIOBJ handle) {
    GdiObject *object = LookupGdiObject(handle);
    return object && object->type == T::kType ? static_cast<T *>(object) : nullptr;
}

// Removes the object's handle and frees it (not for stock objects). Every GDI object must
// go this way: it also voids the lookups threads remember (LookupGdiObject).
void DestroyGdiObject(GdiObject *object);
// Selection bookkeeping: a DC takes and drops its hold on an object.
void AcquireSelection(GdiObject *object);
void ReleaseSelection(GdiObject *object);

// Stock objects; index is GetStockObject's. Null for indices we do not provide.
GdiObject *StockObject(int index);
// The 1x1 monochrome bitmap a memory DC starts with.
BitmapObject *StockBitmap();

}  // namespace figplat::gdi
