// What a function's ResultCode means, for the messages of the command-line host, with the
// cause the host can see from the call it made where there is one.
#pragma once

#include <string>
#include <vector>

#include "figsim.h"
#include "function_table.h"

namespace figcli {

std::string ResultMeaning(int code);

// "<meaning>: <cause>" when the parameters passed to `f` show which cause it was, else the
// meaning with every possible cause.
std::string ExplainResult(int code, const FunctionEntry &f, const std::vector<figsim::Value> &params, figsim::Host &host);

}  // namespace figcli
