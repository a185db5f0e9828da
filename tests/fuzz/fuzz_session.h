// What the fuzz targets' host sessions share: the callback that reaches the host being
// served, a scratch folder in memory for the files the library writes, and the check that
// no platform object a session made outlives it.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>

namespace figfuzz {

// The library's callback carries no context: the host served is the one whose message runs.
template <class Host>
struct Serving {
    static inline Host *host = nullptr;
    static int32_t Callback(int32_t code, ...) {
        va_list args;
        va_start(args, code);
        const int32_t result = host ? host->Serve(code, args) : 0;
        va_end(args);
        return result;
    }
};

// A folder of its own, made once per process (in /dev/shm: files there cost no disk).
std::string ScratchFolder(const char *name);
void EmptyFolder(const std::string &folder);
// Aborts, naming the kinds, when the platform holds more live objects than `baseline`.
void CheckNothingOutlives(int baseline, const char *session);

}  // namespace figfuzz
