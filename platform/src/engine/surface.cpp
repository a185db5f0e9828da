#include "engine/surface.h"

#include "engine/colour.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace figplat::gdi {

// One table per format (pixel_routines.cpp).
extern const PixelRoutines kRoutines1, kRoutines4, kRoutines8, kRoutines16, kRoutines24, kRoutines32;

namespace {

constexpr int64_t kMaxImageBytes = 0x7FFFFFFF;

// Large images get whole pages of their own, as Windows' DIB sections do: their rows then
// start on cache-line boundaries (DIB strides are multiples of 4, those of the usual widths
// of 64), which the wide stores of fills and copies need to run at full speed. The pages
// come zeroed and are only backed by memory once drawn on. Small images share the heap.
constexpr size_t kOwnPagesFrom = size_t{1} << 16;

bool AllocateBits(Surface &surface, size_t bytes) {
    if (bytes < kOwnPagesFrom) {
        surface.bits = static_cast<uint8_t *>(std::calloc(bytes ? bytes : 1, 1));
        return surface.bits != nullptr;
    }
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t mapped = (bytes + page - 1) / page * page;
    void *pages = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED) return false;
    surface.bits = static_cast<uint8_t *>(pages);
    surface.mappedBytes = mapped;
    return true;
}

// The fields every surface shares once its bits are in place; the routine table is chosen
// here, once per surface, never per pixel.
void SetLayout(Surface &surface, int width, int height, int bitsPerPixel, int64_t stride, bool topDown) {
    surface.width = width;
    surface.height = height;
    surface.bitsPerPixel = bitsPerPixel;
    surface.stride = static_cast<int>(stride);
    surface.topDown = topDown;
    surface.ops = RoutinesForDepth(bitsPerPixel);
    surface.topRow = topDown ? surface.bits : surface.bits + (height - 1) * stride;
    surface.rowStep = topDown ? stride : -stride;
}

std::shared_ptr<Surface> Allocate(int width, int height, int bitsPerPixel, int64_t stride, bool topDown) {
    if (height > kMaxImageBytes / stride) return nullptr;  // checked before multiplying: no overflow
    const int64_t bytes = stride * height;
    auto surface = std::make_shared<Surface>();
    if (!AllocateBits(*surface, static_cast<size_t>(bytes))) return nullptr;
    SetLayout(*surface, width, height, bitsPerPixel, stride, topDown);
    return surface;
}

}  // namespace

Surface::~Surface() {
    if (!ownsBits) return;
    if (mappedBytes) munmap(bits, mappedBytes);
    else std::free(bits);
}

int64_t DibStride(int64_t width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

const PixelRoutines *RoutinesForDepth(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1: return &kRoutines1;
    case 4: return &kRoutines4;
    case 8: return &kRoutines8;
    case 16: return &kRoutines16;
    case 24: return &kRoutines24;
    case 32: return &kRoutines32;
    default: return nullptr;
    }
}

std::shared_ptr<Surface> MakeDibSurface(int width, int height, int bitsPerPixel, bool topDown,
                                        const RGBQUAD *table, int tableSize) {
    if (width <= 0 || height <= 0 || !RoutinesForDepth(bitsPerPixel)) return nullptr;
    auto surface = Allocate(width, height, bitsPerPixel, DibStride(width, bitsPerPixel), topDown);
    if (!surface || bitsPerPixel > 8) return surface;
    // A short table (biClrUsed < 2^bpp) still spans every index: GDI treats the missing
    // entries as black and lets colour matching pick them, so they stay zero and count.
    const int full = 1 << bitsPerPixel;
    const int given = (tableSize > 0 && tableSize < full) ? tableSize : full;
    surface->tableSize = full;
    const RGBQUAD *source = table ? table : DefaultColourTable(bitsPerPixel);
    std::memcpy(surface->table, source, sizeof(RGBQUAD) * static_cast<size_t>(given));
    return surface;
}

std::unique_ptr<Surface> MakeDibView(void *bits, int width, int height, int bitsPerPixel, bool topDown,
                                     const RGBQUAD *table) {
    auto view = std::make_unique<Surface>();
    view->bits = static_cast<uint8_t *>(bits);
    view->ownsBits = false;
    SetLayout(*view, width, height, bitsPerPixel, DibStride(width, bitsPerPixel), topDown);
    if (bitsPerPixel <= 8) {
        view->tableSize = 1 << bitsPerPixel;
        std::memcpy(view->table, table, sizeof(RGBQUAD) * view->tableSize);
    }
    return view;
}

std::shared_ptr<Surface> MakeMonochromeDeviceSurface(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    const int64_t stride = ((static_cast<int64_t>(width) + 15) / 16) * 2;  // device bitmaps pad rows to 16 bits
    auto surface = Allocate(width, height, 1, stride, true);
    if (!surface) return nullptr;
    surface->isDib = false;
    surface->tableSize = 2;
    std::memcpy(surface->table, DefaultColourTable(1), 2 * sizeof(RGBQUAD));
    return surface;
}

}  // namespace figplat::gdi
