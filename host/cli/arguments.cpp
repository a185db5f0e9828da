#include "arguments.h"

#include <algorithm>
#include <charconv>

namespace figcli {

std::string Arguments::Value(const std::string &option, const std::string &otherwise) const {
    const auto found = values.find(option);
    return found == values.end() ? otherwise : found->second;
}

namespace {

bool Listed(const std::vector<std::string> &names, const std::string &name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// "1, 4, 8 or 16"
std::string Alternatives(const std::vector<std::string> &choices) {
    std::string text;
    for (size_t i = 0; i < choices.size(); ++i)
        text += (i == 0 ? "" : i + 1 == choices.size() ? " or " : ", ") + choices[i];
    return text;
}

}  // namespace

bool ParseArguments(const std::vector<std::string> &args, const std::vector<std::string> &options, Arguments *out,
                    std::string *error, const std::vector<std::string> &switches) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg == "--help" || arg == "-h") {
            out->help = true;
            continue;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            out->positional.push_back(arg);
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string option = arg.substr(0, equals);
        if (Listed(switches, option)) {
            if (equals != std::string::npos) {
                *error = "option " + option + " takes no value";
                return false;
            }
            out->switches.insert(option);
            continue;
        }
        if (!Listed(options, option)) {
            *error = "unknown option " + option;
            return false;
        }
        if (equals != std::string::npos) {
            out->values[option] = arg.substr(equals + 1);
        } else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
            out->values[option] = args[++i];
        } else {
            *error = "option " + option + " needs a value";
            return false;
        }
    }
    return true;
}

bool WholeNumberOption(const Arguments &args, const std::string &option, int low, int high, int *value,
                       std::string *error) {
    if (!args.Has(option)) return true;
    const std::string text = args.Value(option);
    long long n = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (!text.empty() && status == std::errc() && end == text.data() + text.size() && n >= low && n <= high) {
        *value = static_cast<int>(n);
        return true;
    }
    *error = option + " takes a whole number from " + std::to_string(low) + " to " + std::to_string(high) + ", not '" +
             text + "'";
    return false;
}

bool ChoiceOption(const Arguments &args, const std::string &option, const std::vector<std::string> &choices,
                  std::string *value, std::string *error) {
    if (!args.Has(option)) return true;
    const std::string text = args.Value(option);
    if (Listed(choices, text)) {
        *value = text;
        return true;
    }
    *error = option + " takes " + Alternatives(choices) + ", not '" + text + "'";
    return false;
}

}  // namespace figcli
