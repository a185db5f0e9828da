// Turns the benchmark's result files into the Markdown tables of docs/performance.md:
// ratios per entry and depth (ours / Wine, with the earlier run's beside them when given),
// then our time, Wine's time, the cost per pixel of lines and the share of memory bandwidth.
//
// Usage: figplot_bench_report <ours.tsv> <wine.tsv> [<before ours.tsv> <before wine.tsv>]
// Each may be a comma-separated list of runs: every entry keeps its fastest time.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Row {
    double nanos = 0;
    int calls = 1;
    double pixels = 0, memoryNanos = 0;
};

using Key = std::pair<std::string, int>;  // entry, depth

struct Results {
    std::vector<std::string> order;  // entries as the benchmark listed them
    std::map<Key, Row> rows;
};

// Reads one result file into `results`, keeping for every entry and depth the fastest time
// and the fastest memory reference seen so far (several runs of a noisy machine).
void LoadInto(const std::string &path, Results &results) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name, depth, nanos, calls, pixels, memory;
        if (!std::getline(fields, name, '\t') || !std::getline(fields, depth, '\t') ||
            !std::getline(fields, nanos, '\t') || !std::getline(fields, calls, '\t') ||
            !std::getline(fields, pixels, '\t') || !std::getline(fields, memory, '\t'))
            continue;
        const Row row{std::stod(nanos), std::stoi(calls), std::stod(pixels), std::stod(memory)};
        bool known = false;
        for (const std::string &n : results.order) known = known || n == name;
        if (!known) results.order.push_back(name);
        const auto [it, added] = results.rows.try_emplace({name, std::stoi(depth)}, row);
        if (!added) {
            it->second.nanos = std::min(it->second.nanos, row.nanos);
            if (row.memoryNanos > 0) it->second.memoryNanos = std::min(it->second.memoryNanos, row.memoryNanos);
        }
    }
}

// A comma-separated list of result files.
Results Load(const char *paths) {
    Results results;
    std::stringstream list(paths);
    std::string path;
    while (std::getline(list, path, ',')) LoadInto(path, results);
    return results;
}

const Row *Find(const Results &r, const std::string &name, int depth) {
    auto it = r.rows.find({name, depth});
    return it == r.rows.end() ? nullptr : &it->second;
}

std::string Format(const char *pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string Ratio(const Results &ours, const Results &wine, const std::string &name, int depth) {
    const Row *a = Find(ours, name, depth), *b = Find(wine, name, depth);
    if (!a || !b || b->nanos <= 0) return "";
    return Format("%.2f", a->nanos / b->nanos);
}

const int kDepths[] = {8, 24, 32};

void PrintRatios(const Results &ours, const Results &wine, const Results *beforeOurs, const Results *beforeWine) {
    std::printf("| entry | 8 bpp | 24 bpp | 32 bpp |\n|---|---|---|---|\n");
    for (const std::string &name : ours.order) {
        std::printf("| %s |", name.c_str());
        for (int depth : kDepths) {
            const std::string now = Ratio(ours, wine, name, depth);
            const std::string before = beforeOurs && beforeWine ? Ratio(*beforeOurs, *beforeWine, name, depth) : "";
            std::printf(" %s", now.empty() ? "-" : now.c_str());
            if (!before.empty()) std::printf(" (was %s)", before.c_str());
            std::printf(" |");
        }
        std::printf("\n");
    }
}

void PrintTimes(const Results &ours, const Results &wine) {
    std::printf("| entry | bpp | ours, us per call | Wine, us per call | ours / Wine | ours, ns per pixel | "
                "memset/memcpy share |\n|---|---|---|---|---|---|---|\n");
    for (const std::string &name : ours.order) {
        for (int depth : kDepths) {
            const Row *a = Find(ours, name, depth), *b = Find(wine, name, depth);
            if (!a) continue;
            const double perCall = a->nanos / a->calls / 1000;
            const std::string wineCall = b ? Format("%.3f", b->nanos / b->calls / 1000) : "-";
            std::string ratio = Ratio(ours, wine, name, depth);
            const std::string perPixel = a->pixels > 0 ? Format("%.2f", a->nanos / a->pixels) : "";
            const std::string share = a->memoryNanos > 0 ? Format("%.0f%%", 100 * a->memoryNanos / a->nanos) : "";
            std::printf("| %s | %d | %.3f | %s | %s | %s | %s |\n", name.c_str(), depth, perCall, wineCall.c_str(),
                        ratio.empty() ? "-" : ratio.c_str(), perPixel.c_str(), share.c_str());
        }
    }
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: figplot_bench_report <ours.tsv> <wine.tsv> [<before ours.tsv> <before wine.tsv>]\n");
        return 2;
    }
    const Results ours = Load(argv[1]), wine = Load(argv[2]);
    if (ours.order.empty()) {
        std::fprintf(stderr, "figplot_bench_report: no results in %s\n", argv[1]);
        return 1;
    }
    Results beforeOurs, beforeWine;
    if (argc == 5) beforeOurs = Load(argv[3]), beforeWine = Load(argv[4]);
    std::printf("### Ours / Wine per call (below 1: faster than Wine)\n\n");
    PrintRatios(ours, wine, argc == 5 ? &beforeOurs : nullptr, argc == 5 ? &beforeWine : nullptr);
    std::printf("\n### Times\n\n");
    PrintTimes(ours, wine);
    return 0;
}
