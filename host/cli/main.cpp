// figplot-host: a command-line host for the figPlot externals.
//
//   figplot-host [--external PATH] describe
//       opens an instance, prints the banner, the version and every function's
//       parameters and return value as the external describes them, and closes it.
#include <cstdio>
#include <cstring>
#include <string>

#include "figsim.h"

namespace {

void PrintVersion(const figsim::External &external) {
    figsim::VersionInfo version;
    if (!figsim::ParseVersionBlock(external.VersionBlock(), &version)) {
        std::printf("version: (unreadable)\n");
        return;
    }
    const std::string *product = version.Find("ProductName");
    const std::string *text = version.Find("FileVersion");
    std::printf("version: %s %s (%u.%u.%u.%u)\n", product ? product->c_str() : "?", text ? text->c_str() : "?",
                version.fileVersionMs >> 16, version.fileVersionMs & 0xFFFF, version.fileVersionLs >> 16,
                version.fileVersionLs & 0xFFFF);
}

int Describe(figsim::External &external) {
    figsim::Host host(external);
    int16_t opened = host.Open();
    std::printf("banner: %s (open answered %d)\n", figsim::Utf32ToUtf8(host.banner()).c_str(), opened);
    PrintVersion(external);
    for (int n = 1; n <= 12; ++n) {
        std::string table = external.FunctionString(FIG_FUNCTION_STRING_BASE + n);
        std::string name = table.substr(0, table.find('('));
        std::string params = host.Describe(n, FIG_REQUEST_KIND_PARAMETERS);
        std::string returns = host.Describe(n, FIG_REQUEST_KIND_RETURN);
        std::printf("%2d %-22s %s  %s\n", n, name.c_str(), params.c_str(), returns.c_str());
    }
    std::vector<figsim::Value> params{figsim::Value::Pict(), figsim::Value::Num(0)};
    int16_t result = host.Call(FnGetPictSize, params);
    std::printf("GetPictSize on an empty picture: result %d\n", result);
    host.Close();
    return 0;
}

void Usage() { std::fprintf(stderr, "usage: figplot-host [--external PATH] describe\n"); }

}  // namespace

int main(int argc, char **argv) {
    std::string path = std::string(FIGPLOT_EXTERNAL_DIR) + "/figPlotU.so";
    int i = 1;
    if (i + 1 < argc && std::strcmp(argv[i], "--external") == 0) {
        path = argv[i + 1];
        i += 2;
    }
    if (i >= argc || std::strcmp(argv[i], "describe") != 0) {
        Usage();
        return 2;
    }
    std::string error;
    auto external = figsim::External::Load(path, &error);
    if (!external) {
        std::fprintf(stderr, "figplot-host: %s\n", error.c_str());
        return 1;
    }
    return Describe(*external);
}
