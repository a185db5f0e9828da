// Runs every scenario through both externals' entry point and keeps what each one made:
//   <out>/<build>/<scenario>.dib   the picture stored into parameter 1 (a packed DIB, as the host keeps it)
//   <out>/<build>/<scenario>.bmp   the file ComposeFile wrote
//   <out>/<build>/answers.txt      per scenario: the answer and every number parameter afterwards
// Built for Linux and for Windows from this one source; the comparator reads both folders.
//
// usage: figplot_scenarios <folder of the externals> <output folder>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "scenario_table.h"

namespace {

namespace fs = std::filesystem;
using scenarios::Scenario;

#ifdef _WIN32
constexpr char kExternalSuffix[] = ".dll";
#else
constexpr char kExternalSuffix[] = ".so";
#endif

// Host text is UTF-8 here, whatever the system's narrow code page.
std::string PathText(const fs::path &path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

void WriteBytes(const fs::path &path, const std::vector<uint8_t> &bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

std::string Answers(const Scenario &s, int answer, const std::vector<figsim::Value> &params) {
    std::string line = s.name + " " + std::to_string(answer);
    for (size_t i = 1; i < params.size(); ++i)
        if (params[i].kind == figsim::Value::Kind::Number) {
            char number[32];
            std::snprintf(number, sizeof number, " %.17g", params[i].number);
            line += number;
        }
    return line + "\n";
}

bool RunBuild(const std::string &externals, const std::string &build, const fs::path &out) {
    std::string error;
    auto external = figsim::External::Load(externals + "/" + build + kExternalSuffix, &error);
    if (!external) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    const fs::path folder = out / build;
    fs::remove_all(folder);
    fs::create_directories(folder);
    figsim::Host host(*external);
    host.SetTracing(false);
    host.Open();
    std::string answers;
    for (Scenario &s : scenarios::Scenarios()) {
        for (figsim::List &list : s.lists) host.AddList(std::move(list));
        const fs::path file = folder / (s.name + ".bmp");
        if (s.function == FnComposeFile) s.params[0] = figsim::Value::Str(PathText(file));
        const int answer = host.Call(s.function, s.params);
        answers += Answers(s, answer, s.params);
        if (s.params[0].kind == figsim::Value::Kind::Picture)
            WriteBytes(folder / (s.name + ".dib"), s.params[0].picture);
    }
    host.Close();
    std::ofstream(folder / "answers.txt", std::ios::binary) << answers;
    return true;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <folder of the externals> <output folder>\n", argv[0]);
        return 2;
    }
    bool ok = true;
    for (const char *build : {"figPlotU", "figPlot"}) ok = RunBuild(argv[1], build, argv[2]) && ok;
    return ok ? 0 : 1;
}
