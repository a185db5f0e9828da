// What a function's ResultCode means, for the messages of the command-line host.
#pragma once

#include <string>

namespace figcli {

std::string ResultMeaning(int code);

}  // namespace figcli
