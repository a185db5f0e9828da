// Command-line arguments: positional ones, options with a value (--width 320 or
// --width=320) and --help.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace figcli {

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;  // by option, e.g. "--width" or "-o"
    bool help = false;

    std::string Value(const std::string &option, const std::string &otherwise = "") const;
};

// `options` lists the options that take a value. False with `error` set for an option not
// listed or one whose value is missing.
bool ParseArguments(const std::vector<std::string> &args, const std::vector<std::string> &options, Arguments *out,
                    std::string *error);

}  // namespace figcli
