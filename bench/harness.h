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
    double budgetSeconds = 1.0;   // a first run longer than this is reported alone
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
    // A run that outlasts the budget (Wine's region at every point of the widest pens takes
    // seconds) is timed once: that run is what is reported.
    const double first = BatchNanos(work, finish, 1);
    if (first > timing.budgetSeconds * 1e9) return first;
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

// The memory limit beside a fill or a copy: memset or memcpy of the same bytes the entry
// writes (and reads), the canvas's own bits, so that both sides of the share touch the
// very same memory. Every store is kept.
class MemoryReference {
public:
    MemoryReference(void *to, const void *from, size_t bytes)
        : to_(static_cast<unsigned char *>(to)), from_(static_cast<const unsigned char *>(from)), bytes_(bytes) {}
    void operator()() {
        if (from_) std::memcpy(to_, from_, bytes_);
        else std::memset(to_, ++value_, bytes_);
        asm volatile("" : : "r"(to_) : "memory");
    }

private:
    unsigned char *to_;
    const unsigned char *from_;
    size_t bytes_;
    unsigned char value_ = 0;
};

}  // namespace bench
