// gdi32's object calls: stock objects, creating pens and brushes, DeleteObject, GetObject
// and GetObjectType.
#include "api/gdi/dc.h"
#include "api/gdi/gdi_objects.h"
#include "core/faults.h"
#include "core/text_encoding.h"

#include <climits>
#include <cstdlib>
#include <cstring>

using namespace figplat;
using namespace figplat::gdi;

namespace {

// Windows' GetObject answers: the size needed with no buffer, else the bytes written.
int CopyRecord(const void *record, int recordSize, int bytes, void *buffer, bool partialAllowed) {
    if (!buffer) return recordSize;
    if (bytes < recordSize && !partialAllowed) return 0;
    const int copied = bytes < recordSize ? bytes : recordSize;
    if (copied <= 0) return 0;
    std::memcpy(buffer, record, static_cast<size_t>(copied));
    return copied;
}

// The DIBSECTION record GetObject fills when the buffer is big enough for it.
struct DibSectionRecord {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    DWORD dsBitfields[3];
    HANDLE dshSection;
    DWORD dsOffset;
};

BITMAP BitmapRecord(const BitmapObject &bitmap) {
    const Surface &s = *bitmap.surface;
    BITMAP record{};
    record.bmWidth = s.width;
    record.bmHeight = s.height;
    record.bmWidthBytes = s.stride;
    record.bmPlanes = bitmap.describedPlanes ? bitmap.describedPlanes : 1;
    record.bmBitsPixel = bitmap.describedBitsPixel ? bitmap.describedBitsPixel : static_cast<WORD>(s.bitsPerPixel);
    record.bmBits = s.isDib && !bitmap.deviceBitmap ? s.bits : nullptr;
    return record;
}

// As Windows fills it: a positive height whatever the orientation, the full table size,
// and 16-bit sections described by their masks.
DibSectionRecord DibRecord(const BitmapObject &bitmap) {
    const Surface &s = *bitmap.surface;
    DibSectionRecord record{};
    record.dsBm = BitmapRecord(bitmap);
    BITMAPINFOHEADER &h = record.dsBmih;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = s.width;
    h.biHeight = s.height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(s.bitsPerPixel);
    h.biSizeImage = static_cast<DWORD>(s.stride) * static_cast<DWORD>(s.height);
    h.biClrUsed = s.bitsPerPixel <= 8 ? 1u << s.bitsPerPixel : 0;
    if (s.bitsPerPixel == 16) {
        h.biCompression = BI_BITFIELDS;
        record.dsBitfields[0] = 0x7C00;
        record.dsBitfields[1] = 0x03E0;
        record.dsBitfields[2] = 0x001F;
    }
    return record;
}

int GetBitmapObject(const BitmapObject &bitmap, int bytes, void *buffer) {
    const bool section = bitmap.surface->isDib && !bitmap.deviceBitmap;
    if (section && buffer && bytes >= static_cast<int>(sizeof(DibSectionRecord))) {
        DibSectionRecord record = DibRecord(bitmap);
        return CopyRecord(&record, sizeof record, bytes, buffer, false);
    }
    BITMAP record = BitmapRecord(bitmap);
    return CopyRecord(&record, sizeof record, bytes, buffer, false);
}

LOGFONTA NarrowLogFont(const LOGFONTW &wide) {
    LOGFONTA narrow{};
    std::memcpy(&narrow, &wide, offsetof(LOGFONTW, lfFaceName));
    for (int i = 0; i < LF_FACESIZE - 1 && wide.lfFaceName[i]; ++i)
        narrow.lfFaceName[i] = static_cast<CHAR>(UnicodeToCp1252(wide.lfFaceName[i]));
    return narrow;
}

int GetObjectCommon(HGDIOBJ handle, int bytes, void *buffer, bool wide) {
    if (bytes < 0) return 0;
    GdiObject *object = LookupGdiObject(handle);
    if (!object) return 0;
    switch (object->type) {
    case OBJ_PEN: return CopyRecord(&static_cast<PenObject *>(object)->log, sizeof(LOGPEN), bytes, buffer, false);
    case OBJ_BRUSH:
        return CopyRecord(&static_cast<BrushObject *>(object)->log, sizeof(LOGBRUSH), bytes, buffer, true);
    case OBJ_FONT: {
        const LOGFONTW &log = static_cast<FontObject *>(object)->log;
        if (wide) return CopyRecord(&log, sizeof log, bytes, buffer, true);
        LOGFONTA narrow = NarrowLogFont(log);
        return CopyRecord(&narrow, sizeof narrow, bytes, buffer, true);
    }
    case OBJ_BITMAP: return GetBitmapObject(*static_cast<BitmapObject *>(object), bytes, buffer);
    case OBJ_PAL: return CopyRecord(&static_cast<PaletteObject *>(object)->entries, sizeof(WORD), bytes, buffer, false);
    default: return 0;
    }
}

}  // namespace

HGDIOBJ WINAPI GetStockObject(int index) {
    if (FIG_FAULT_POINT("GetStockObject")) return nullptr;
    GdiObject *object = StockObject(index);
    return object ? object->handle : nullptr;
}

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
    if (FIG_FAULT_POINT("CreatePen")) return nullptr;
    if (style == PS_NULL) return static_cast<HPEN>(GetStockObject(NULL_PEN));
    if (style < PS_SOLID || style > 6) return nullptr;  // the cosmetic styles up to PS_INSIDEFRAME
    auto pen = std::make_unique<PenObject>();
    // A negative width counts as its size; INT_MIN has none in an int, so it is the widest.
    const LONG size = width == INT_MIN ? INT_MAX : std::abs(width);
    pen->log = LOGPEN{static_cast<UINT>(style), POINT{size, 0}, color};
    return static_cast<HPEN>(RegisterGdiObject(std::move(pen)));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    if (FIG_FAULT_POINT("CreateSolidBrush")) return nullptr;
    auto brush = std::make_unique<BrushObject>();
    brush->log = LOGBRUSH{BS_SOLID, color, 0};
    return static_cast<HBRUSH>(RegisterGdiObject(std::move(brush)));
}

BOOL WINAPI DeleteObject(HGDIOBJ handle) {
    if (FIG_FAULT_POINT("DeleteObject")) return FALSE;
    PlatformObjectKind kind;
    if (!KindOfHandle(handle, &kind)) {
        NoteFailedRelease(handle);
        return FALSE;
    }
    if (kind == PlatformDc) return DeleteDC(static_cast<HDC>(handle));  // Windows takes DCs here too
    GdiObject *object = LookupGdiObject(handle);
    if (!object) return FALSE;
    if (object->stock) return TRUE;  // stock objects survive, and the call still succeeds
    if (object->selections > 0) {
        object->deletePending = true;
        return TRUE;
    }
    DestroyGdiObject(object);
    return TRUE;
}

DWORD WINAPI GetObjectType(HGDIOBJ handle) {
    if (FIG_FAULT_POINT("GetObjectType")) return 0;
    PlatformObjectKind kind;
    if (!KindOfHandle(handle, &kind)) return 0;
    if (kind == PlatformDc) {
        Dc *dc = LookupDc(static_cast<HDC>(handle));
        return dc && dc->kind == DcKind::Memory ? OBJ_MEMDC : OBJ_DC;
    }
    GdiObject *object = LookupGdiObject(handle);
    return object ? object->type : 0;
}

int WINAPI GetObjectW(HGDIOBJ object, int bytes, LPVOID buffer) {
    if (FIG_FAULT_POINT("GetObjectW")) return 0;
    return GetObjectCommon(object, bytes, buffer, true);
}

int WINAPI GetObjectA(HGDIOBJ object, int bytes, LPVOID buffer) {
    if (FIG_FAULT_POINT("GetObjectA")) return 0;
    return GetObjectCommon(object, bytes, buffer, false);
}

BOOL WINAPI GdiFlush(void) { return TRUE; }
