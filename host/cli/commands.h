// The commands of the figplot program. Each takes the arguments after its name and the
// --external choice, and returns the exit status: 0 success, 1 failure (an error in a
// script, list or file, or a function that answered a ResultCode other than 0), 2 a
// command line that cannot be understood.
#pragma once

#include <string>
#include <vector>

namespace figcli {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int RunCommand(const std::vector<std::string> &args, const std::string &external);
int ComposeCommand(const std::vector<std::string> &args, const std::string &external);
int InfoCommand(const std::vector<std::string> &args, const std::string &external);

extern const char *const kRunHelp;
extern const char *const kComposeHelp;
extern const char *const kInfoHelp;

// "figplot: <message>" and the command's help on stderr; returns kExitUsage.
int UsageError(const std::string &message, const char *help);

}  // namespace figcli
