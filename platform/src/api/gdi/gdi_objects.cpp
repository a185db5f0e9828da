// The table of GDI objects behind their handles: registering, looking up, selection counts
// and the delete a last release completes.
#include "api/gdi/gdi_objects.h"

#include "engine/raster.h"

#include <atomic>
#include <cstdint>

namespace figplat::gdi {

HGDIOBJ RegisterGdiObject(std::unique_ptr<GdiObject> object) {
    HANDLE handle = RegisterObject(object->kind, object.get());
    if (!handle) return nullptr;
    object->handle = handle;
    object.release();
    return handle;
}

namespace {

GdiObject *LookupInRegistry(HGDIOBJ handle) {
    PlatformObjectKind kind;
    if (!KindOfHandle(handle, &kind)) return nullptr;
    switch (kind) {
    case PlatformPen:
    case PlatformBrush:
    case PlatformFont:
    case PlatformBitmap: return static_cast<GdiObject *>(LookupObject(handle, kind));
    default: return nullptr;
    }
}

// Bumped whenever an object goes away; a thread's remembered lookups hold only while the
// count they saw still stands (handles are never reused).
std::atomic<uint64_t> objectGeneration{0};

struct RememberedObjects {
    static constexpr int kSize = 2;
    HGDIOBJ handle[kSize] = {};
    GdiObject *object[kSize] = {};
    uint64_t generation = 0;
    int next = 0;
};

}  // namespace

// The same few brushes and pens are looked up call after call (FillRect takes its brush by
// handle): each thread remembers its last two answers, sparing the registry's lock.
GdiObject *LookupGdiObject(HGDIOBJ handle) {
    thread_local RememberedObjects last;
    const uint64_t generation = objectGeneration.load(std::memory_order_acquire);
    if (generation != last.generation) last = RememberedObjects{{}, {}, generation, 0};
    for (int i = 0; i < RememberedObjects::kSize; ++i)
        if (handle && last.handle[i] == handle) return last.object[i];
    GdiObject *object = LookupInRegistry(handle);
    if (object) {
        last.handle[last.next] = handle, last.object[last.next] = object;
        last.next = (last.next + 1) % RememberedObjects::kSize;
    }
    return object;
}

void DestroyGdiObject(GdiObject *object) {
    if (object->stock) return;
    objectGeneration.fetch_add(1, std::memory_order_acq_rel);
    UnregisterObject(object->handle, object->kind);
    delete object;
}

void AcquireSelection(GdiObject *object) { ++object->selections; }

void ReleaseSelection(GdiObject *object) {
    if (--object->selections == 0 && object->deletePending) DestroyGdiObject(object);
}

FontObject::~FontObject() {
    if (face) font::Release(face);
}

font::Face *FontObject::Realized() {
    if (!face) face = font::Realize(log);
    return face;
}

}  // namespace figplat::gdi
