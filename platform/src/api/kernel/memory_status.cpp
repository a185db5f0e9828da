// GlobalMemoryStatusEx: the machine's physical memory as the kernel reports it, and less when
// the process runs in a control group with a lower limit (a container sees its own share).
#include <figplatform.h>

#include <atomic>
#include <cstdio>
#include <cstring>

#include "core/faults.h"

namespace {

#ifdef FIGPLOT_TEST_HOOKS
std::atomic<unsigned long long> availableOverride{0};
#endif

// A "Name:  value kB" line of /proc/meminfo, in bytes; 0 when absent.
unsigned long long MeminfoBytes(const char *name) {
    std::FILE *file = std::fopen("/proc/meminfo", "r");
    if (!file) return 0;
    char line[256];
    unsigned long long bytes = 0;
    const size_t length = std::strlen(name);
    while (std::fgets(line, sizeof line, file)) {
        unsigned long long kib = 0;
        if (std::strncmp(line, name, length) == 0 && line[length] == ':' &&
            std::sscanf(line + length + 1, "%llu", &kib) == 1) {
            bytes = kib * 1024;
            break;
        }
    }
    std::fclose(file);
    return bytes;
}

// One number from a cgroup v2 file; 0 for "max", a missing file or no number.
unsigned long long CgroupValue(const char *path) {
    std::FILE *file = std::fopen(path, "r");
    if (!file) return 0;
    unsigned long long value = 0;
    if (std::fscanf(file, "%llu", &value) != 1) value = 0;
    std::fclose(file);
    return value;
}

// What the process may still take under its control group's limit, or 0 when unlimited.
unsigned long long CgroupHeadroom() {
    const unsigned long long limit = CgroupValue("/sys/fs/cgroup/memory.max");
    if (limit == 0) return 0;
    const unsigned long long used = CgroupValue("/sys/fs/cgroup/memory.current");
    return limit > used ? limit - used : 1;
}

}  // namespace

BOOL WINAPI GlobalMemoryStatusEx(LPMEMORYSTATUSEX status) {
    if (FIG_FAULT_POINT("GlobalMemoryStatusEx")) return FALSE;
    if (!status || status->dwLength != sizeof(MEMORYSTATUSEX)) return FALSE;
    const unsigned long long total = MeminfoBytes("MemTotal");
    unsigned long long available = MeminfoBytes("MemAvailable");
    const unsigned long long headroom = CgroupHeadroom();
    if (headroom && headroom < available) available = headroom;
#ifdef FIGPLOT_TEST_HOOKS
    if (const unsigned long long forced = availableOverride.load()) available = forced;
#endif
    if (total == 0 && available == 0) return FALSE;
    std::memset(reinterpret_cast<char *>(status) + sizeof status->dwLength, 0,
                sizeof *status - sizeof status->dwLength);
    status->ullTotalPhys = total;
    status->ullAvailPhys = available;
    status->dwMemoryLoad = total ? static_cast<DWORD>(100 - available * 100 / (total > available ? total : available)) : 0;
    status->ullTotalPageFile = total;
    status->ullAvailPageFile = available;
    status->ullTotalVirtual = status->ullAvailVirtual = 1ull << 47;
    return TRUE;
}

#ifdef FIGPLOT_TEST_HOOKS
void PlatformSetAvailableMemory(unsigned long long bytes) { availableOverride = bytes; }
#endif
