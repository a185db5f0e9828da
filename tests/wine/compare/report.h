// The comparison tables: printed for the test log and written as a markdown summary.
#pragma once

#include "scene_diff.h"
#include "targets.h"

#include <string>
#include <vector>

namespace wine_compare {

struct ComparisonResult {
    TotalsTable totals;
    std::map<std::string, std::vector<std::string>> differingScenes;  // per class, one line per scene
    std::vector<std::string> extrasNotes;                             // first return-value mismatches
    int oursCount = 0;
    int wineCount = 0;
    int extraInOurs = 0;  // scenes only our side drew
};

// One line per class and depth, then one per class with its verdict.
std::string FormatTable(const ComparisonResult& result, bool markdown);

// Classes that are enforced and miss their target.
std::vector<std::string> FailingEnforcedClasses(const ComparisonResult& result, ComparisonRun run);

bool WriteMarkdownSummary(const std::string& path, const ComparisonResult& result);

}  // namespace wine_compare
