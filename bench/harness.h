// Timing for the benchmark: an entry runs in batches long enough for the clock to resolve,
// and the median batch gives the time of one run. Portable like the rest of bench/.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace bench {

struct Timing {
    double batchSeconds = 0.004;  // each batch runs at least this long
    int batches = 9;              // the median of these is reported
    bool quick = false;           // one run, one batch: only checks that the entry runs
};

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Nanoseconds of one run of `work`, the median over the batches. `finish` (GdiFlush) ends
// every batch so that batched drawing is counted where it happens.
inline double MedianNanos(const std::function<void()> &work, const std::function<void()> &finish,
                          const Timing &timing) {
    if (timing.quick) {
        const auto start = Clock::now();
        work();
        finish();
        return SecondsSince(start) * 1e9;
    }
    int64_t runs = 1;
    for (;;) {  // grow the batch until it is long enough (this also warms caches)
        const auto start = Clock::now();
        for (int64_t i = 0; i < runs; ++i) work();
        finish();
        if (SecondsSince(start) >= timing.batchSeconds || runs >= (int64_t{1} << 30)) break;
        runs *= 2;
    }
    std::vector<double> perRun;
    for (int b = 0; b < timing.batches; ++b) {
        const auto start = Clock::now();
        for (int64_t i = 0; i < runs; ++i) work();
        finish();
        perRun.push_back(SecondsSince(start) * 1e9 / static_cast<double>(runs));
    }
    std::sort(perRun.begin(), perRun.end());
    return perRun[perRun.size() / 2];
}

// The memory limit beside a fill or a copy: memset or memcpy of the same byte count.
inline double MemsetNanos(size_t bytes, const Timing &timing) {
    std::vector<unsigned char> block(bytes);
    unsigned char value = 0;
    return MedianNanos(
        [&] {
            std::memset(block.data(), ++value, bytes);
            asm volatile("" : : "r"(block.data()) : "memory");  // keep every store
        },
        [] {}, timing);
}

inline double MemcpyNanos(size_t bytes, const Timing &timing) {
    std::vector<unsigned char> from(bytes, 1), to(bytes);
    return MedianNanos(
        [&] {
            std::memcpy(to.data(), from.data(), bytes);
            asm volatile("" : : "r"(to.data()) : "memory");
        },
        [] {}, timing);
}

}  // namespace bench
