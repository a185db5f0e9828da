// The smallest host: loads an installed external by path and finds its entry point, built
// against the installed public header (through pkg-config or find_package).
#include <dlfcn.h>
#include <figplot/host_api.h>

#include <cstdio>
#include <string>

int main() {
    const std::string path = std::string(FIGPLOT_EXTERNAL_DIR) + "/figPlotU.so";
    void *library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), dlerror());
        return 1;
    }
    const bool found = dlsym(library, "figPlot") != nullptr;
    std::printf("%s: entry point %s, ResultDone %d\n", path.c_str(), found ? "found" : "missing", ResultDone);
    dlclose(library);
    return found ? 0 : 1;
}
