// The raster benchmark: every entry of cases.h at 8, 24 and 32 bits per pixel.
//
// Built natively against the platform and with mingw-w64 against Windows (run under Wine),
// from this one source. Each line of the output file is
//   entry <TAB> depth <TAB> ns per run <TAB> GDI calls per run <TAB> pixels per run <TAB> memory ns
// where memory ns is memset (fills) or memcpy (copies) of the canvas's own bytes, or 0.
// scripts/bench.sh runs both sides and writes docs/performance.md from the two files.
//
// Usage: figplot_bench <output file> [--quick] [--runs n] [--filter substring] [--depth bpp]
//   --quick  one run per entry (a smoke test); --runs n: exactly n runs, untimed batches
//   (for callgrind: instructions per run are the profile's total over n).
#include "cases.h"
#include "harness.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>

namespace {

struct Result {
    double nanos = 0, memoryNanos = 0;
};

Result Measure(const bench::Entry &entry, int depth, const bench::Timing &timing) {
    Result result;
    bench::DibTarget canvas(bench::kCanvasWidth, bench::kCanvasHeight, depth);
    if (!canvas.Ok()) return result;  // reported; the other entries still run
    bench::Scope scope(canvas);
    const std::function<void()> run = entry.prepare(scope);
    const auto flush = [] { GdiFlush(); };
    if (entry.memory == bench::Memory::None) {
        result.nanos = bench::MedianNanos(run, flush, timing);
    } else {
        const bool copy = entry.memory == bench::Memory::Copy && scope.copySource;
        bench::MemoryReference reference(canvas.Bits(), copy ? scope.copySource->Bits() : nullptr, canvas.Bytes());
        std::tie(result.nanos, result.memoryNanos) = bench::MedianNanosBeside(run, flush, std::ref(reference), timing);
    }
    return result;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: figplot_bench <output file> [--quick] [--runs n] [--filter substring] [--depth bpp]\n");
        return 2;
    }
    bench::Timing timing;
    const char *filter = nullptr;
    int onlyDepth = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) timing.quick = true;
        else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) timing.fixedRuns = std::atoll(argv[++i]);
        else if (std::strcmp(argv[i], "--filter") == 0 && i + 1 < argc) filter = argv[++i];
        else if (std::strcmp(argv[i], "--depth") == 0 && i + 1 < argc) onlyDepth = std::atoi(argv[++i]);
    }
    FILE *out = std::fopen(argv[1], "w");
    if (!out) {
        std::fprintf(stderr, "figplot_bench: cannot write %s\n", argv[1]);
        return 2;
    }
#ifdef _WIN32
    const bool onWindows = true;
#else
    const bool onWindows = false;
#endif
    int failed = 0;
    for (const bench::Entry &entry : bench::AllEntries()) {
        if (filter && entry.name.find(filter) == std::string::npos) continue;
        if (entry.nativeOnly && onWindows) continue;
        for (int depth : {8, 24, 32}) {
            if (onlyDepth && depth != onlyDepth) continue;
            const Result r = Measure(entry, depth, timing);
            if (r.nanos <= 0) {
                std::fprintf(stderr, "figplot_bench: %s at %d bpp could not run\n", entry.name.c_str(), depth);
                ++failed;
                continue;
            }
            std::fprintf(out, "%s\t%d\t%.1f\t%d\t%.0f\t%.1f\n", entry.name.c_str(), depth, r.nanos, entry.calls,
                         entry.pixels, r.memoryNanos);
            std::printf("%-32s %2d bpp %12.1f ns\n", entry.name.c_str(), depth, r.nanos);
            std::fflush(stdout);
        }
    }
    std::fclose(out);
    return failed ? 1 : 0;
}
