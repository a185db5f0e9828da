// The module's resources for the portable platform, from the same sources as the
// Windows resource script: the function table, the external marker and the version.
#include <figplatform.h>

#include "build_info.h"
#include "version_block.h"

namespace {

const PlatformStringResource kStrings[] = {
#define FIG_FUNCTION_STRING(id, text) {id, FIG_STRING_LANGUAGE, text},
#include "function_table.inc"
#undef FIG_FUNCTION_STRING
};

// Tag, first function-table id (little-endian), eight zero bytes.
const BYTE kMarker[14] = {FIG_MARKER_TAG[0], FIG_MARKER_TAG[1], FIG_MARKER_TAG[2], FIG_MARKER_TAG[3],
                          FIG_FIRST_FUNCTION_STRING & 0xFF, FIG_FIRST_FUNCTION_STRING >> 8};

figres::VersionInfo Version() {
    const uint32_t ms = (FIG_VERSION_MAJOR << 16) | FIG_VERSION_MINOR;
    const uint32_t ls = (FIG_VERSION_PATCH << 16) | FIG_VERSION_BUILD;
    return {ms, ls, ms, ls, FIG_VERSION_FLAGS_MASK, FIG_VERSION_FLAGS, FIG_VERSION_OS, FIG_VERSION_FILETYPE,
            FIG_VERSION_BLOCK,
            {{"FileDescription", FIG_FILE_DESCRIPTION},
             {"FileVersion", FIG_VERSION_TEXT},
             {"InternalName", FIG_INTERNAL_NAME},
             {"OriginalFilename", FIG_ORIGINAL_FILENAME},
             {"ProductName", FIG_PRODUCT_NAME},
             {"ProductVersion", FIG_VERSION_TEXT}},
            FIG_VERSION_LANGUAGE, FIG_VERSION_CODEPAGE};
}

}  // namespace

extern "C" const PlatformResourceTable *FigModuleResources(void) {
    static const std::vector<uint8_t> versionBlock = figres::BuildVersionBlock(Version());
    static const PlatformRawResource raw[] = {
        {RT_RCDATA, "Q7INF", 0, FIG_STRING_LANGUAGE, kMarker, sizeof kMarker},
        {RT_VERSION, nullptr, 1, FIG_STRING_LANGUAGE, versionBlock.data(), static_cast<DWORD>(versionBlock.size())},
    };
    static const PlatformResourceTable table = {kStrings, sizeof kStrings / sizeof kStrings[0], raw,
                                                sizeof raw / sizeof raw[0]};
    return &table;
}
