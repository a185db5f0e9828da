#include "targets.h"

#include <cstdio>

namespace wine_compare {

const Target* FindTarget(const std::string& cls) {
    for (const Target& t : kTargets)
        if (cls == t.cls) return &t;
    return nullptr;
}

bool WinePixelsUnreliable(const std::string& sceneName) {
    std::string base = sceneName.substr(0, sceneName.find('@'));
    for (const char* entry : kWinePixelDefects)
        if (base.rfind(entry, 0) == 0) return true;
    return false;
}

bool IsEnforced(const std::string& cls) {
    for (const char* name : kEnforced)
        if (cls == name) return true;
    for (const char* name : kEnforcedSmooth)
        if (cls == name) return true;
    return false;
}

bool MeetsTarget(const Target& target, const ClassTotals& totals) {
    if (totals.missing > 0) return false;
    switch (target.rule) {
        case Rule::AllIdentical:
            return totals.identical == totals.scenes;
        case Rule::PixelShare:
            return totals.PixelEqualShare() >= target.share;
        case Rule::GlyphShare:
            return totals.extrasMismatches == 0 && totals.InkEqualShare() >= target.share;
    }
    return false;
}

std::string DescribeTarget(const Target& target) {
    char text[64];
    switch (target.rule) {
        case Rule::AllIdentical:
            return "100% identical";
        case Rule::PixelShare:
            std::snprintf(text, sizeof text, ">= %.1f%% pixels", target.share * 100);
            return text;
        case Rule::GlyphShare:
            std::snprintf(text, sizeof text, "metrics equal, >= %.0f%% glyph pixels", target.share * 100);
            return text;
    }
    return "";
}

}  // namespace wine_compare
