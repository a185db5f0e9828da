#include "external_choice.h"

#include <cstdio>
#include <filesystem>

namespace figcli {

namespace {

// An installed figplot finds the externals installed beside it; one in its build folder
// finds the build's.
std::string ExternalDir() {
#ifdef FIGPLOT_INSTALLED_EXTERNAL_DIR
    std::error_code failed;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failed);
    const std::filesystem::path installed = self.parent_path() / FIGPLOT_INSTALLED_EXTERNAL_DIR;
    if (!failed && std::filesystem::exists(installed / "figPlotU.so", failed)) return installed.lexically_normal().string();
#endif
    return FIGPLOT_EXTERNAL_DIR;
}

}  // namespace

std::string ExternalPath(const std::string &choice) {
    const std::string name = choice.empty() ? "figPlotU" : choice;
    if (name == "figPlotU" || name == "figPlot") return ExternalDir() + "/" + name + ".so";
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
