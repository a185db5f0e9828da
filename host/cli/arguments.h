// Command-line arguments: positional ones, options with a value (--width 320 or
// --width=320), switches without one, and --help.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace figcli {

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;  // by option, e.g. "--width" or "-o"; an empty value is kept
    std::set<std::string> switches;             // the switches given
    bool help = false;

    bool Has(const std::string &option) const { return values.count(option) != 0; }
    std::string Value(const std::string &option, const std::string &otherwise = "") const;
};

// `options` lists the options that take a value, `switches` those that take none. "-" alone
// is positional (standard input or output). False with `error` set for an option not listed,
// one whose value is missing, or a switch given a value.
bool ParseArguments(const std::vector<std::string> &args, const std::vector<std::string> &options, Arguments *out,
                    std::string *error, const std::vector<std::string> &switches = {});

// An option's value as a whole number from `low` to `high`; an absent option keeps `*value`.
bool WholeNumberOption(const Arguments &args, const std::string &option, int low, int high, int *value,
                       std::string *error);
// An option's value as one of `choices`; an absent option keeps `*value`.
bool ChoiceOption(const Arguments &args, const std::string &option, const std::vector<std::string> &choices,
                  std::string *value, std::string *error);

}  // namespace figcli
