// Whole files in and out, with messages that name the file and the reason.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace figsim {

bool ReadFileBytes(const std::string &path, std::vector<uint8_t> *bytes, std::string *error);
// The rest of an open stream (standard input); `name` is what a message calls it.
bool ReadStreamBytes(FILE *stream, const std::string &name, std::vector<uint8_t> *bytes, std::string *error);
bool WriteFileBytes(const std::string &path, const std::vector<uint8_t> &bytes, std::string *error);

}  // namespace figsim
