#include "engine/font/face_catalog.h"

#include "core/text_encoding.h"

#include <fontconfig/fontconfig.h>

#include <array>
#include <cctype>
#include <mutex>
#include <sys/stat.h>

namespace figplat::font {

namespace {

struct NameMapping {
    const char *gdiName;
    const char *family;
};

// GDI's substitutes (Times, Helvetica, Tms Rmn) resolved straight to the look-alike.
constexpr std::array<NameMapping, 8> kLookAlikes{{
    {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"times new roman", "Liberation Serif"},
    {"times", "Liberation Serif"},
    {"tms rmn", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
    {"system", "System"},
    {"courier", "Courier"},
}};

struct RasterFont {
    const char *family;
    const char *file;
};

// Windows' raster System and Courier; Debian's fonts-wine ships look-alikes FreeType reads.
constexpr std::array<RasterFont, 2> kRasterFonts{{{"System", "vgasys.fon"}, {"Courier", "coure.fon"}}};
constexpr std::array<const char *, 2> kRasterDirectories{{"/usr/share/wine/fonts/", "/usr/lib/wine/fonts/"}};

std::string Lowercase(std::string text) {
    for (char &c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool FileExists(const std::string &path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string FaceNameOf(const LOGFONTW &logfont) {
    std::u16string name;
    for (int i = 0; i < LF_FACESIZE && logfont.lfFaceName[i]; ++i) name.push_back(logfont.lfFaceName[i]);
    return Utf16ToUtf8(name);
}

bool FindRasterFont(const std::string &family, FaceChoice *choice) {
    for (const RasterFont &raster : kRasterFonts) {
        if (family != raster.family) continue;
        for (const char *directory : kRasterDirectories) {
            std::string path = std::string(directory) + raster.file;
            if (!FileExists(path)) continue;
            choice->path = path;
            choice->raster = true;
            return true;
        }
    }
    return false;
}

std::mutex &FontConfigLock() {
    static std::mutex lock;
    return lock;
}

// fontconfig keeps parts of its configuration behind encoded offsets that leak checkers
// cannot follow, so the configuration is destroyed at exit rather than left to the OS.
// Realised faces only hold file paths and outlive it safely.
struct FontConfigHolder {
    FcConfig *config = FcInitLoadConfigAndFonts();
    ~FontConfigHolder() {
        std::lock_guard<std::mutex> guard(FontConfigLock());
        if (config) FcConfigDestroy(config);
        config = nullptr;
    }
};

// Call with FontConfigLock held; null once the process is exiting.
FcConfig *FontConfig() {
    static FontConfigHolder holder;
    return holder.config;
}

bool HasFamily(FcPattern *match, const std::string &family) {
    FcChar8 *name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        if (Lowercase(reinterpret_cast<const char *>(name)) == Lowercase(family)) return true;
    return false;
}

// fontconfig always answers with something; only a font that has the family (under any of
// its names, e.g. "DejaVu Serif Condensed") counts here.
bool FindOutlineFont(const std::string &family, bool bold, bool italic, FaceChoice *choice) {
    std::lock_guard<std::mutex> guard(FontConfigLock());
    FcConfig *config = FontConfig();
    if (!config) return false;
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;
    FcChar8 *file = nullptr;
    bool found = HasFamily(match, family) && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
    if (found) {
        int index = 0;
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        choice->path = reinterpret_cast<const char *>(file);
        choice->index = index;
    }
    FcPatternDestroy(match);
    return found;
}

bool FindFamily(const std::string &family, bool bold, bool italic, FaceChoice *choice) {
    choice->bold = bold;
    choice->italic = italic;
    return FindRasterFont(family, choice) || FindOutlineFont(family, bold, italic, choice);
}

}  // namespace

std::string LookAlikeFamily(const std::string &gdiName) {
    std::string key = Lowercase(gdiName);
    for (const NameMapping &mapping : kLookAlikes)
        if (key == mapping.gdiName) return mapping.family;
    return gdiName;
}

std::string FallbackFamily(BYTE pitchAndFamily) {
    BYTE family = pitchAndFamily & 0xF0;
    if ((pitchAndFamily & FIXED_PITCH) || family == FF_MODERN) return "Liberation Mono";
    if (family == FF_ROMAN) return "Liberation Serif";
    return "Liberation Sans";
}

FaceChoice ChooseFace(const LOGFONTW &logfont) {
    bool bold = logfont.lfWeight > kBoldWeightThreshold;
    bool italic = logfont.lfItalic != 0;
    FaceChoice choice;
    std::string name = FaceNameOf(logfont);
    if (!name.empty() && FindFamily(LookAlikeFamily(name), bold, italic, &choice)) return choice;
    choice = FaceChoice{};
    if (FindFamily(FallbackFamily(logfont.lfPitchAndFamily), bold, italic, &choice)) return choice;
    choice = FaceChoice{};
    // No Liberation at all: whatever fontconfig offers as sans rather than nothing.
    FindOutlineFont("DejaVu Sans", bold, italic, &choice);
    return choice;
}

}  // namespace figplat::font
