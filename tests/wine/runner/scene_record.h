// One scene's result as both sides record it and the comparator reads it back; free of
// any Windows header so that the comparator can share it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scenes {

struct Record {
    std::string name;
    std::string cls;
    int depth = 0;
    bool topDown = false;
    int width = 0;
    int height = 0;
    uint32_t background = 0;
    std::vector<uint32_t> table;
    std::vector<int32_t> extras;
    std::vector<uint32_t> pixels;
};

}  // namespace scenes
