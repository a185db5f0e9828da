// Timing for the benchmark: an entry runs in batches long enough for the clock to resolve,
// and the fastest batch gives the time of one run (on a shared machine, neighbours only ever
// add time). Portable like the rest of bench/.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

namespace bench {

struct Timing {
    double batchSeconds = 0.004;  // each batch runs at least this long
    int batches = 9;              // the fastest of these is reported
    bool quick = false;           // one run, one batch: only checks that the entry runs
    int64_t fixedRuns = 0;        // > 0: exactly this many runs in one batch (for profilers)
};

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs per batch so that one batch of `work` lasts at least the batch time (this also
// warms the caches).
inline int64_t RunsPerBatch(const std::function<void()> &work, const std::function<void()> &finish,
                            const Timing &timing) {
    int64_t runs = 1;
    for (;;) {
        const auto start = Clock::now();
        for (int64_t i = 0; i < runs; ++i) work();
        finish();
        if (SecondsSince(start) >= timing.batchSeconds || runs >= (int64_t{1} << 30)) return runs;
        runs *= 2;
    }
}

inline double BatchNanos(const std::function<void()> &work, const std::function<void()> &finish, int64_t runs) {
    const auto start = Clock::now();
    for (int64_t i = 0; i < runs; ++i) work();
    finish();
    return SecondsSince(start) * 1e9 / static_cast<double>(runs);
}

inline double Fastest(const std::vector<double> &values) { return *std::min_element(values.begin(), values.end()); }

// Nanoseconds of one run of `work`, from the fastest batch. `finish` (GdiFlush) ends every
// batch so that batched drawing is counted where it happens.
inline double MedianNanos(const std::function<void()> &work, const std::function<void()> &finish,
                          const Timing &timing) {
    if (timing.quick || timing.fixedRuns > 0) return BatchNanos(work, finish, timing.quick ? 1 : timing.fixedRuns);
    const int64_t runs = RunsPerBatch(work, finish, timing);
    std::vector<double> perRun;
    for (int b = 0; b < timing.batches; ++b) perRun.push_back(BatchNanos(work, finish, runs));
    return Fastest(perRun);
}

// `work` and a reference measured in alternating batches, so that both see the same
// neighbours on a shared machine: {work ns, reference ns}.
inline std::pair<double, double> MedianNanosBeside(const std::function<void()> &work,
                                                   const std::function<void()> &finish,
                                                   const std::function<void()> &reference, const Timing &timing) {
    const auto none = [] {};
    if (timing.quick || timing.fixedRuns > 0) {
        const int64_t runs = timing.quick ? 1 : timing.fixedRuns;
        return {BatchNanos(work, finish, runs), BatchNanos(reference, none, runs)};
    }
    const int64_t runs = RunsPerBatch(work, finish, timing), referenceRuns = RunsPerBatch(reference, none, timing);
    std::vector<double> ours, theirs;
    // Memory-bound work suffers most from neighbours: more batches, more chances of a quiet one.
    for (int b = 0; b < 3 * timing.batches; ++b) {
        ours.push_back(BatchNanos(work, finish, runs));
        theirs.push_back(BatchNanos(reference, none, referenceRuns));
    }
    return {Fastest(ours), Fastest(theirs)};
}

// The memory limit beside a fill or a copy: memset or memcpy of the same byte count, into
// (and from) blocks of their own that start on a page, as DIB sections do. Every store is kept.
class MemoryReference {
public:
    MemoryReference(size_t bytes, bool copy)
        : bytes_(bytes), copy_(copy), toBlock_(bytes + kPage), fromBlock_(copy ? bytes + kPage : 0, 1) {}
    void operator()() {
        unsigned char *to = PageStart(toBlock_);
        if (copy_) std::memcpy(to, PageStart(fromBlock_), bytes_);
        else std::memset(to, ++value_, bytes_);
        asm volatile("" : : "r"(to) : "memory");
    }

private:
    static constexpr size_t kPage = 4096;
    static unsigned char *PageStart(std::vector<unsigned char> &block) {
        const uintptr_t address = reinterpret_cast<uintptr_t>(block.data());
        return block.data() + (kPage - address % kPage) % kPage;
    }
    size_t bytes_;
    bool copy_;
    std::vector<unsigned char> toBlock_, fromBlock_;
    unsigned char value_ = 0;
};

}  // namespace bench
