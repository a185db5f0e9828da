// Builds the binary version resource (the VS_VERSIONINFO tree that the resource compiler
// makes from a VERSIONINFO statement) for the portable resource table.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace figres {

struct VersionInfo {
    uint32_t fileVersionMs, fileVersionLs, productVersionMs, productVersionLs;
    uint32_t flagsMask, flags, os, fileType;
    std::string blockName;                                     // e.g. "040904E4"
    std::vector<std::pair<std::string, std::string>> strings;  // name, value (ASCII)
    uint16_t language, codePage;
};

std::vector<uint8_t> BuildVersionBlock(const VersionInfo &info);

}  // namespace figres
