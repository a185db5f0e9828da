#include "report.h"

#include "targets.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace wine_compare {
namespace {

std::string Percent(double share) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f%%", share * 100.0);
    return text;
}

std::vector<std::string> ClassOrder(const ComparisonResult& result) {
    std::vector<std::string> order;
    std::set<std::string> seen;
    for (const Target& t : kTargets) order.push_back(t.cls), seen.insert(t.cls);
    for (const auto& [key, totals] : result.totals)
        if (seen.insert(key.first).second) order.push_back(key.first);
    return order;
}

bool ClassMeetsTarget(const ComparisonResult& result, const std::string& cls, bool& any) {
    const Target* target = FindTarget(cls);
    bool met = true;
    any = false;
    for (const auto& [key, totals] : result.totals) {
        if (key.first != cls) continue;
        any = true;
        if (!target || !MeetsTarget(*target, totals)) met = false;
    }
    return met;
}

using Grid = std::vector<std::vector<std::string>>;

// Markdown, or plain text with every column as wide as its widest cell.
std::string Render(const Grid& grid, bool markdown, const std::string& alignRow) {
    std::vector<size_t> widths;
    for (const auto& row : grid)
        for (size_t i = 0; i < row.size(); ++i) {
            if (widths.size() <= i) widths.push_back(0);
            widths[i] = std::max(widths[i], row[i].size());
        }
    std::string text;
    for (size_t r = 0; r < grid.size(); ++r) {
        for (size_t i = 0; i < grid[r].size(); ++i) {
            const std::string& cell = grid[r][i];
            if (markdown)
                text += "| " + cell + " ";
            else
                text += (i == 0 ? cell + std::string(widths[i] - cell.size(), ' ')
                                : std::string(widths[i] - cell.size() + 2, ' ') + cell);
        }
        text += markdown ? "|\n" : "\n";
        if (markdown && r == 0) text += alignRow + "\n";
    }
    return text;
}

std::string DepthRows(const ComparisonResult& result, bool markdown) {
    Grid grid = {{"class", "depth", "scenes", "identical", "pixels differ", "glyph px differ", "return/metric",
                  "px not compared", "meets target"}};
    for (const std::string& cls : ClassOrder(result)) {
        const Target* target = FindTarget(cls);
        for (const auto& [key, t] : result.totals) {
            if (key.first != cls) continue;
            bool met = target && MeetsTarget(*target, t);
            grid.push_back({cls, std::to_string(key.second), std::to_string(t.scenes), Percent(t.IdenticalShare()),
                            Percent(1.0 - t.PixelEqualShare()), Percent(1.0 - t.InkEqualShare()),
                            std::to_string(t.extrasMismatches + t.missing), std::to_string(t.pixelsNotCompared),
                            met ? "yes" : "no"});
        }
    }
    return Render(grid, markdown, "|---|---:|---:|---:|---:|---:|---:|---:|---|");
}

std::string ClassRows(const ComparisonResult& result, bool markdown) {
    Grid grid = {{"class", "target", "meets target", "enforced"}};
    for (const std::string& cls : ClassOrder(result)) {
        bool any = false;
        bool met = ClassMeetsTarget(result, cls, any);
        if (!any) continue;
        const Target* target = FindTarget(cls);
        grid.push_back(
            {cls, target ? DescribeTarget(*target) : "(none)", met ? "yes" : "NO", IsEnforced(cls) ? "yes" : "no"});
    }
    return Render(grid, markdown, "|---|---|---|---|");
}

}  // namespace

std::string FormatTable(const ComparisonResult& result, bool markdown) {
    return DepthRows(result, markdown) + "\n" + ClassRows(result, markdown);
}

std::vector<std::string> FailingEnforcedClasses(const ComparisonResult& result, ComparisonRun run) {
    std::vector<std::string> failing;
    auto check = [&](const char* cls) {
        bool any = false;
        if (!ClassMeetsTarget(result, cls, any) || !any) failing.push_back(cls);
    };
    if (run == ComparisonRun::Smooth)
        for (const char* cls : kEnforcedSmooth) check(cls);
    else
        for (const char* cls : kEnforced) check(cls);
    return failing;
}

bool WriteMarkdownSummary(const std::string& path, const ComparisonResult& result) {
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file) return false;
    std::fprintf(file, "# Platform GDI against Wine: summary\n\n");
    std::fprintf(file, "Scenes drawn by Wine: %d; by the platform: %d (only ours: %d).\n\n", result.wineCount,
                 result.oursCount, result.extraInOurs);
    std::fprintf(file, "%s\n", FormatTable(result, true).c_str());
    std::fprintf(file, "## Differing scenes (first 15 per class)\n\n");
    for (const auto& [cls, lines] : result.differingScenes) {
        std::fprintf(file, "- **%s** (%zu scenes)\n", cls.c_str(), lines.size());
        for (size_t i = 0; i < lines.size() && i < 15; ++i) std::fprintf(file, "  - %s\n", lines[i].c_str());
    }
    if (!result.extrasNotes.empty()) {
        std::fprintf(file, "\n## Return values and metrics that differ (first %zu)\n\n", result.extrasNotes.size());
        for (const std::string& note : result.extrasNotes) std::fprintf(file, "- %s\n", note.c_str());
    }
    std::fclose(file);
    return true;
}

}  // namespace wine_compare
