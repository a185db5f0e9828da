// Whole files in and out, with messages that name the file and the reason.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace figsim {

bool ReadFileBytes(const std::string &path, std::vector<uint8_t> *bytes, std::string *error);
bool WriteFileBytes(const std::string &path, const std::vector<uint8_t> &bytes, std::string *error);

}  // namespace figsim
