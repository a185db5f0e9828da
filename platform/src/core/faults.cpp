// Compiled into the test build of the platform only.
#include "faults.h"

#ifdef FIGPLOT_TEST_HOOKS

#include <figplatform.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace figplat {
namespace {

// Sites by name, and faults armed for functions whose site has not been reached yet.
struct FaultTable {
    std::mutex mutex;
    std::unordered_map<std::string, FaultSite *> sites;
    std::unordered_map<std::string, int> pending;
};

FaultTable &Table() {
    static FaultTable *table = new FaultTable;
    return *table;
}

}  // namespace

FaultSite::FaultSite(const char *function) : name_(function) {
    FaultTable &t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.sites[function] = this;
    auto it = t.pending.find(function);
    if (it != t.pending.end()) {
        failAt = it->second;
        t.pending.erase(it);
    }
}

bool FaultSite::Enter() {
    int call = ++calls;
    int at = failAt.load(std::memory_order_relaxed);
    if (at == 0 || call != at) return false;
    int expected = at;
    return failAt.compare_exchange_strong(expected, 0);
}

}  // namespace figplat

using namespace figplat;

void PlatformFailNthCall(const char *function, int n) {
    if (!function || n < 1) return;
    FaultTable &t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.sites.find(function);
    if (it == t.sites.end()) {
        t.pending[function] = n;
        return;
    }
    // Counting restarts at the arming so that "the nth call from now" is meant.
    it->second->calls = 0;
    it->second->failAt = n;
}

void PlatformClearFaults(void) {
    FaultTable &t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.pending.clear();
    for (auto &site : t.sites) site.second->failAt = 0;
}

int PlatformCallCount(const char *function) {
    FaultTable &t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.sites.find(function ? function : "");
    return it == t.sites.end() ? 0 : it->second->calls.load();
}

void PlatformResetCallCounts(void) {
    FaultTable &t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    for (auto &site : t.sites) site.second->calls = 0;
}

int PlatformCalledFunctions(const char **names, int capacity) {
    FaultTable &t = Table();
    std::vector<const char *> called;
    {
        std::lock_guard<std::mutex> lock(t.mutex);
        for (auto &site : t.sites)
            if (site.second->calls.load() > 0) called.push_back(site.second->name());
    }
    // Name order, so that a test walks the same paths on every run.
    std::sort(called.begin(), called.end(), [](const char *a, const char *b) { return std::strcmp(a, b) < 0; });
    for (int i = 0; i < capacity && i < static_cast<int>(called.size()); ++i) names[i] = called[i];
    return static_cast<int>(called.size());
}

#endif  // FIGPLOT_TEST_HOOKS
