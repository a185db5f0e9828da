#include "registry.h"

#include <algorithm>
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
#ifdef FIGPLOT_TEST_HOOKS
    int staleReleases = 0;
    // The first releases since the last reset, in order, and how many there were in all.
    static constexpr int kReleaseRecord = 256;
    PlatformRelease releases[kReleaseRecord] = {};
    int releaseCount = 0;
#endif
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

void *UnregisterObject(const void *handle, PlatformObjectKind kind) {
    if (!handle) return nullptr;
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.entries.find(Key(handle));
    if (it == r.entries.end() || it->second.kind != kind || it->second.stock) return nullptr;
    void *object = it->second.object;
    r.entries.erase(it);
    --r.live[kind];
#ifdef FIGPLOT_TEST_HOOKS
    if (r.releaseCount < Registry::kReleaseRecord)
        r.releases[r.releaseCount] = PlatformRelease{kind, const_cast<void *>(handle)};
    ++r.releaseCount;
#endif
    return object;
}

void NoteFailedRelease([[maybe_unused]] const void *handle) {
#ifdef FIGPLOT_TEST_HOOKS
    if (!handle) return;
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    if (r.entries.find(Key(handle)) == r.entries.end()) ++r.staleReleases;
#endif
}

}  // namespace figplat

#ifdef FIGPLOT_TEST_HOOKS
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

int PlatformReleaseOrder(PlatformRelease *releases, int capacity) {
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    const int kept = std::min(r.releaseCount, Registry::kReleaseRecord);
    for (int i = 0; releases && i < capacity && i < kept; ++i) releases[i] = r.releases[i];
    return r.releaseCount;
}

void PlatformResetReleaseOrder(void) {
    Registry &r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.releaseCount = 0;
}
#endif  // FIGPLOT_TEST_HOOKS
