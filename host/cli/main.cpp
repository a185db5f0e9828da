// figplot: the command-line host for the figPlot externals.
//
//   figplot [--external figPlotU|figPlot|PATH] [--smooth|--no-smooth] COMMAND [ARGS]
//
// run (scripts of calls), compose (command lists to pictures), info (the external's
// marker, version and function table). See each command's --help.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>

#include "commands.h"

namespace {

const char *const kProgramHelp =
    "usage: figplot [--external figPlotU|figPlot|PATH] [--smooth|--no-smooth] COMMAND [ARGS]\n"
    "\n"
    "A host for the figPlot externals: loads one through its entry point, opens an\n"
    "instance and calls its functions as an application would.\n"
    "\n"
    "commands:\n"
    "  run SCRIPT          run a script of calls (Do figPlot.DrawLine(...) Returns rc)\n"
    "  compose LIST.csv... compose drawing command lists into .png or .bmp pictures\n"
    "  info                print the external's marker, version and function table\n"
    "\n"
    "  --external X        figPlotU (the default; text as 32-bit units), figPlot (8-bit\n"
    "                      text), or the path of an external\n"
    "  --smooth            draw text smoothed (greyscale edges at 16, 24 and 32 bits), as\n"
    "                      Windows does with font smoothing on\n"
    "  --no-smooth         draw text unsmoothed (the default, whatever the environment says)\n"
    "  --version           print figplot's version\n"
    "\n"
    "figplot COMMAND --help tells more. Exit status: 0 success, 1 failure, 2 usage.\n";

// Takes --external X (or --external=X) out of the arguments, wherever it stands.
bool TakeExternal(std::vector<std::string> *args, std::string *external) {
    for (size_t i = 0; i < args->size(); ++i) {
        const std::string &arg = (*args)[i];
        if (arg.rfind("--external=", 0) == 0) {
            *external = arg.substr(std::strlen("--external="));
            args->erase(args->begin() + static_cast<long>(i));
            return true;
        }
        if (arg == "--external") {
            if (i + 1 >= args->size()) return false;
            *external = (*args)[i + 1];
            args->erase(args->begin() + static_cast<long>(i), args->begin() + static_cast<long>(i) + 2);
            return true;
        }
    }
    return true;
}

// Takes every --smooth and --no-smooth out of the arguments, wherever they stand; the last
// one counts.
bool TakeSmoothing(std::vector<std::string> *args) {
    bool smooth = false;
    for (size_t i = 0; i < args->size();) {
        const std::string &arg = (*args)[i];
        if (arg != "--smooth" && arg != "--no-smooth") {
            ++i;
            continue;
        }
        smooth = arg == "--smooth";
        args->erase(args->begin() + static_cast<long>(i));
    }
    return smooth;
}

}  // namespace

namespace figcli {

int UsageError(const std::string &message, const char *help) {
    std::fprintf(stderr, "figplot: %s\n\n%s", message.c_str(), help);
    return kExitUsage;
}

}  // namespace figcli

int main(int argc, char **argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string external;
    if (!TakeExternal(&args, &external)) return figcli::UsageError("--external needs a value", kProgramHelp);
    SystemParametersInfoW(SPI_SETFONTSMOOTHING, TakeSmoothing(&args) ? TRUE : FALSE, nullptr, 0);
    if (args.empty()) return figcli::UsageError("no command given", kProgramHelp);
    std::string command = args[0];
    args.erase(args.begin());
    if (command == "help" && !args.empty()) {  // "figplot help run" is "figplot run --help"
        command = args[0];
        args = {"--help"};
    }
    if (command == "--version") {
        std::printf("figplot %s\n", FIGPLOT_VERSION);
        return 0;
    }
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kProgramHelp, stdout);
        return 0;
    }
    if (command == "run") return figcli::RunCommand(args, external);
    if (command == "compose") return figcli::ComposeCommand(args, external);
    if (command == "info") return figcli::InfoCommand(args, external);
    return figcli::UsageError("unknown command '" + command + "'", kProgramHelp);
}
