// What each column of a drawing command list takes, by the code in column 1, checked as a
// list is read: a text where a number belongs is reported rather than read as 0 by the
// external, and a colour word becomes the number the external takes.
#pragma once

#include "sim_files.h"

namespace figcli {

// A row check for figsim::LoadCsvList.
bool CheckCommandRow(std::vector<figsim::CsvCell> *row, figsim::CsvError *error);

}  // namespace figcli
