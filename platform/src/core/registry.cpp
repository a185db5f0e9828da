#include "registry.h"

#include <atomic>
#include <mutex>
#include <unordered_map>

namespace figplat {
namespace {

struct Entry {
    PlatformObjectKind kind;
    void *object;
    bool stock;
};

struct Registry {
    std::mutex mutex;
    std::unordered_map<uintptr_t, Entry> entries;
    int live[PlatformObjectKindCount] = {};
    // Synthetic handles start above the 16-bit range (so they never look like
    // MAKEINTRESOURCE values) and step by 4 like Windows handles; never reused.
    uintptr_t nextHandle = 0x10000;
    int staleReleases = 0;
};

Registry &TheRegistry() {
    static Registry *registry = new Registry;  // lives to process exit, never destroyed
    return *registry;
}

uintptr_t Key(const void *handle) { return reinterpret_cast<uintptr_t>(handle); }

HANDLE RegisterUnderNewHandle(PlatformObjectKind kind, void *object, bool stock) {
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    uintptr_t key = r.nextHandle;
    r.nextHandle += 4;
    r.entries.emplace(key, Entry{kind, object, stock});
    if (!stock) ++r.live[kind];
    return reinterpret_cast<HANDLE>(key);
}

}  // namespace

HANDLE RegisterObject(PlatformObjectKind kind, void *object) { return RegisterUnderNewHandle(kind, object, false); }

bool RegisterObjectAt(HANDLE handle, PlatformObjectKind kind, void *object) {
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    if (!r.entries.emplace(Key(handle), Entry{kind, object, false}).second) return false;
    ++r.live[kind];
    return true;
}

HANDLE RegisterStockObject(PlatformObjectKind kind, void *object) { return RegisterUnderNewHandle(kind, object, true); }

void *LookupObject(const void *handle, PlatformObjectKind kind) {
    if (!handle) return nullptr;
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.entries.find(Key(handle));
    if (it == r.entries.end() || it->second.kind != kind) return nullptr;
    return it->second.object;
}

bool KindOfHandle(const void *handle, PlatformObjectKind *kind) {
    if (!handle) return false;
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.entries.find(Key(handle));
    if (it == r.entries.end()) return false;
    *kind = it->second.kind;
    return true;
}

bool IsStockHandle(const void *handle) {
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.entries.find(Key(handle));
    return it != r.entries.end() && it->second.stock;
}

void *UnregisterObject(const void *handle, PlatformObjectKind kind) {
    if (!handle) return nullptr;
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.entries.find(Key(handle));
    if (it == r.entries.end() || it->second.kind != kind || it->second.stock) return nullptr;
    void *object = it->second.object;
    r.entries.erase(it);
    --r.live[kind];
    return object;
}

void NoteFailedRelease(const void *handle) {
    if (!handle) return;
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    if (r.entries.find(Key(handle)) == r.entries.end()) ++r.staleReleases;
}

}  // namespace figplat

using namespace figplat;

int PlatformStaleReleases(void) {
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.staleReleases;
}

int PlatformLiveCount(PlatformObjectKind kind) {
    if (kind < 0 || kind >= PlatformObjectKindCount) return 0;
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.live[kind];
}

int PlatformLiveTotal(void) {
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    int total = 0;
    for (int count : r.live) total += count;
    return total;
}
