// Device-dependent bitmaps: CreateBitmap and CreateCompatibleBitmap.
#include "api/gdi/dc.h"
#include "api/gdi/gdi_objects.h"
#include "core/faults.h"
#include "engine/raster.h"

#include <cstring>

using namespace figplat;
using namespace figplat::gdi;

namespace {

// Windows keeps only the depths its drivers know, rounding the others up.
int RoundedDeviceDepth(UINT bitsPerPixel) {
    const UINT kDepths[] = {1, 4, 8, 16, 24, 32};
    for (UINT depth : kDepths)
        if (bitsPerPixel <= depth) return static_cast<int>(depth);
    return 0;
}

HBITMAP RegisterDeviceBitmap(std::shared_ptr<Surface> surface) {
    if (!surface) return nullptr;
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->surface = std::move(surface);
    bitmap->deviceBitmap = true;
    return static_cast<HBITMAP>(RegisterGdiObject(std::move(bitmap)));
}

// A device bitmap of a colour depth behaves like a DIB of that depth with the default table.
std::shared_ptr<Surface> DeviceSurface(int width, int height, int depth) {
    if (depth == 1) return MakeMonochromeDeviceSurface(width, height);
    return MakeDibSurface(width, height, depth, false, nullptr, 0);
}

// Device rows are padded to 16 bits, DIB rows to 32: initial bits come row by row.
void CopyInitialBits(Surface &s, const void *bits) {
    const int64_t sourceStride = ((static_cast<int64_t>(s.width) * s.bitsPerPixel + 15) / 16) * 2;
    const auto *source = static_cast<const uint8_t *>(bits);
    for (int y = 0; y < s.height; ++y)
        std::memcpy(s.Row(y), source + sourceStride * y, static_cast<size_t>(sourceStride));
}

}  // namespace

HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void *bits) {
    if (FIG_FAULT_POINT("CreateBitmap")) return nullptr;
    if (width < 0 || height < 0 || planes != 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (width == 0 || height == 0) return static_cast<HBITMAP>(StockBitmap()->handle);
    const int depth = RoundedDeviceDepth(bitsPerPixel);
    if (depth == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::shared_ptr<Surface> surface = DeviceSurface(width, height, depth);
    if (!surface) return nullptr;
    if (bits) CopyInitialBits(*surface, bits);
    return RegisterDeviceBitmap(std::move(surface));
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int width, int height) {
    if (FIG_FAULT_POINT("CreateCompatibleBitmap")) return nullptr;
    Dc *context = LookupDc(dc);
    if (!context || width < 0 || height < 0) return nullptr;
    if (width == 0 || height == 0) return static_cast<HBITMAP>(StockBitmap()->handle);
    // A window or the screen makes screen bitmaps; a memory DC, bitmaps like the one it holds.
    const Surface &model = *context->surface;
    if (context->kind != DcKind::Memory || !model.isDib) return RegisterDeviceBitmap(DeviceSurface(width, height, model.bitsPerPixel));
    return RegisterDeviceBitmap(MakeDibSurface(width, height, model.bitsPerPixel, false, model.table, model.tableSize));
}

#ifdef FIGPLOT_TEST_HOOKS
BOOL PlatformDescribeBitmapAs(HBITMAP handle, WORD planes, WORD bitsPixel) {
    auto *bitmap = LookupAs<BitmapObject>(handle);
    if (!bitmap || bitmap->stock) return FALSE;
    bitmap->describedPlanes = planes;
    bitmap->describedBitsPixel = bitsPixel;
    return TRUE;
}
#endif
