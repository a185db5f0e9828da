// The scenarios whose pictures the Linux build and the Windows build (under Wine) must make
// byte for byte alike: every host function, at every depth, through the real entry point.
#pragma once

#include <string>
#include <vector>

#include "figsim.h"

namespace scenarios {

struct Scenario {
    std::string name;                  // "<Function>@d<depth>_<case>": the comparator groups by it
    int function;                      // FigFunction
    std::vector<figsim::Value> params; // parameter 1 first; ComposeFile's path is filled in by the runner
    std::vector<figsim::List> lists;   // command lists the host serves for it
};

// The table, the same for both builds (the 8-bit host hands text outside code page 1252
// over as '?').
std::vector<Scenario> Scenarios();

// The function's name as the comparator reports it.
std::string FunctionName(int function);

}  // namespace scenarios
