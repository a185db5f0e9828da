#include "external_choice.h"

#include <cstdio>

namespace figcli {

std::string ExternalPath(const std::string &choice) {
    if (choice.empty()) return std::string(FIGPLOT_EXTERNAL_DIR) + "/figPlotU.so";
    if (choice == "figPlotU" || choice == "figPlot") return std::string(FIGPLOT_EXTERNAL_DIR) + "/" + choice + ".so";
    return choice;
}

std::unique_ptr<figsim::External> LoadExternal(const std::string &choice) {
    const std::string path = ExternalPath(choice);
    std::string error;
    std::unique_ptr<figsim::External> external = figsim::External::Load(path, &error);
    if (!external) std::fprintf(stderr, "figplot: cannot load the external %s: %s\n", path.c_str(), error.c_str());
    return external;
}

}  // namespace figcli
