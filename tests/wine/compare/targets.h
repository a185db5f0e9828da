// What each primitive class must reach against Wine, and which classes the test enforces.
#pragma once

#include "scene_diff.h"

#include <string>

namespace wine_compare {

enum class Rule {
    AllIdentical,  // every scene pixel-for-pixel equal, return values and tables too
    PixelShare,    // at least `share` of all pixels equal
    GlyphShare,    // return values and metrics equal, at least `share` of inked pixels equal
};

struct Target {
    const char* cls;
    Rule rule;
    double share;
};

inline constexpr Target kTargets[] = {
    {"lines", Rule::AllIdentical, 1.0},      {"rectangles", Rule::AllIdentical, 1.0},
    {"fillrect", Rule::AllIdentical, 1.0},   {"colour", Rule::AllIdentical, 1.0},
    {"bkrule", Rule::AllIdentical, 1.0},     {"bitblt", Rule::AllIdentical, 1.0},
    {"getdibits", Rule::AllIdentical, 1.0},  {"getpixel", Rule::AllIdentical, 1.0},
    {"ellipses", Rule::PixelShare, 0.999},   {"arcs", Rule::PixelShare, 0.999},
    {"pies", Rule::PixelShare, 0.999},       {"widepens", Rule::PixelShare, 0.995},
    {"text", Rule::GlyphShare, 0.99},        {"mixed", Rule::PixelShare, 0.999},
    {"objects", Rule::AllIdentical, 1.0},    {"textquality", Rule::GlyphShare, 0.99},
    {"shorttable", Rule::AllIdentical, 1.0}, {"colourflags", Rule::AllIdentical, 1.0},
    {"badhandles", Rule::AllIdentical, 1.0},
    // The text scenes with font smoothing on (scene_runner --smooth, a run of its own).
    {"smoothtext", Rule::AllIdentical, 1.0}, {"smoothtextquality", Rule::AllIdentical, 1.0},
};

// Classes whose target failing makes the test fail. Only classes that meet their target
// today belong here; add a class as soon as the platform reaches it, never remove one.
inline constexpr const char* kEnforced[] = {
    "lines",   "rectangles", "fillrect",    "colour",     "bkrule",     "bitblt",  "getdibits",
    "getpixel", "ellipses",  "arcs",        "pies",       "widepens",   "text",    "mixed",
    "objects", "shorttable", "colourflags", "badhandles", "textquality",
};

// The same for the run of the text scenes with font smoothing on (scene_runner --smooth):
// it draws only these classes.
inline constexpr const char* kEnforcedSmooth[] = {"smoothtext", "smoothtextquality"};

// Which of the two runs a comparison is of.
enum class ComparisonRun { Main, Smooth };

// Scenes whose Wine pixels are known to be wrong, by name before the '@'. Under wine 8.0:
// - the raster "System" and "Courier" faces drawn at an integer scale (large sizes) or with
//   synthesised italic come out as scrambled bitmaps that change from one run to the next;
// - very thin, tall ellipses (3-6 pixels wide, 130+ high) get fill spans far outside their
//   box, and the stray spans differ between surface kinds of the same scene.
// Their metrics and return values are still compared; their pixels are not. A name matches
// an entry it starts with.
inline constexpr const char* kWinePixelDefects[] = {
    "text_System_32",
    "text_System_40",
    "text_System_m28",
    "text_System_m32",
    "text_System_m40",
    "text_System_16_italic",
    "text_System_16_bolditalic",
    "text_System_m13_italic",
    "text_System_m13_bolditalic",
    "text_Courier_24",
    "text_Courier_28",
    "text_Courier_32",
    "text_Courier_40",
    "text_Courier_m24",
    "text_Courier_m28",
    "text_Courier_m32",
    "text_Courier_m40",
    "text_Courier_16_italic",
    "text_Courier_16_bolditalic",
    "text_Courier_m13_italic",
    "text_Courier_m13_bolditalic",
    "ellipse_thin_",
};

bool WinePixelsUnreliable(const std::string& sceneName);
const Target* FindTarget(const std::string& cls);
bool IsEnforced(const std::string& cls);
bool MeetsTarget(const Target& target, const ClassTotals& totals);
std::string DescribeTarget(const Target& target);

}  // namespace wine_compare
