#include "arguments.h"

#include <algorithm>

namespace figcli {

std::string Arguments::Value(const std::string &option, const std::string &otherwise) const {
    const auto found = values.find(option);
    return found == values.end() ? otherwise : found->second;
}

bool ParseArguments(const std::vector<std::string> &args, const std::vector<std::string> &options, Arguments *out,
                    std::string *error) {
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
        if (std::find(options.begin(), options.end(), option) == options.end()) {
            *error = "unknown option " + option;
            return false;
        }
        if (equals != std::string::npos) {
            out->values[option] = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            out->values[option] = args[++i];
        } else {
            *error = "option " + option + " needs a value";
            return false;
        }
    }
    return true;
}

}  // namespace figcli
