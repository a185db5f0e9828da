#include "fuzz_session.h"

#include <figplatform.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace figfuzz {

std::string ScratchFolder(const char *name) {
    std::string pattern = std::string(std::filesystem::exists("/dev/shm") ? "/dev/shm/" : "/tmp/") + name + "-XXXXXX";
    const char *folder = mkdtemp(pattern.data());
    return folder ? folder : "/tmp";
}

void EmptyFolder(const std::string &folder) {
    std::error_code ignored;
    for (const auto &entry : std::filesystem::directory_iterator(folder, ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}

void CheckNothingOutlives(int baseline, const char *session) {
    if (PlatformLiveTotal() == baseline) return;
    std::fprintf(stderr, "platform objects outlived the %s: %d before, %d after; by kind:", session, baseline,
                 PlatformLiveTotal());
    for (int kind = 0; kind < PlatformObjectKindCount; ++kind)
        std::fprintf(stderr, " %d", PlatformLiveCount(static_cast<PlatformObjectKind>(kind)));
    std::fprintf(stderr, "\n");
    std::abort();
}

}  // namespace figfuzz
