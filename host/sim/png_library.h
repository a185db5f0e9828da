// libpng is opened at the first PNG file; a program that never reads or writes one never
// loads it.
#pragma once

#include <string>

namespace figsim {

// Opens libpng once; false, with the loader's reason, where it cannot be opened.
bool OpenPngLibrary(std::string *error);

}  // namespace figsim
