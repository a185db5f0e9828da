// One scene's result and the file format both runners write and the comparator reads.
//
// scenes.bin holds the records back to back. Each starts with one text line
//   scene <name> <class> <depth> <topdown> <width> <height> <background> <tablesize> <extras>
// followed by <tablesize> 32-bit 0x00RRGGBB table entries, <extras> 32-bit signed values
// (return values, text metrics) and width*height 32-bit raw pixel values, row 0 at the top,
// all little-endian.
#pragma once

#include "scene_record.h"
#include "surface.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace scenes {

inline uint32_t PackQuad(const RGBQUAD& q) {
    return static_cast<uint32_t>(q.rgbRed) << 16 | static_cast<uint32_t>(q.rgbGreen) << 8 | q.rgbBlue;
}

inline std::vector<uint32_t> PackTable(const std::vector<RGBQUAD>& table) {
    std::vector<uint32_t> packed;
    for (const RGBQUAD& q : table) packed.push_back(PackQuad(q));
    return packed;
}

inline bool WriteRecord(FILE* file, const Record& r) {
    if (std::fprintf(file, "scene %s %s %d %d %d %d %u %zu %zu\n", r.name.c_str(), r.cls.c_str(), r.depth,
                     r.topDown ? 1 : 0, r.width, r.height, static_cast<unsigned>(r.background), r.table.size(),
                     r.extras.size()) < 0)
        return false;
    if (!r.table.empty() && std::fwrite(r.table.data(), 4, r.table.size(), file) != r.table.size()) return false;
    if (!r.extras.empty() && std::fwrite(r.extras.data(), 4, r.extras.size(), file) != r.extras.size()) return false;
    return r.pixels.empty() || std::fwrite(r.pixels.data(), 4, r.pixels.size(), file) == r.pixels.size();
}

}  // namespace scenes
