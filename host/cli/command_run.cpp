// figplot run SCRIPT: runs a script of calls the way application code calls the external.
#include <cstdio>
#include <filesystem>

#include "arguments.h"
#include "commands.h"
#include "external_choice.h"
#include "file_bytes.h"
#include "script_runner.h"

namespace figcli {

const char *const kRunHelp =
    "usage: figplot run SCRIPT [-o DIR] [--external figPlotU|figPlot|PATH]\n"
    "\n"
    "Runs SCRIPT, a list of calls written the way application code calls the external:\n"
    "\n"
    "  Number rc\n"
    "  Picture chart = Blank(320, 200, 24)     # white, width x height at a depth\n"
    "  Picture photo = Load(\"photo.png\")       # .png or .bmp, beside the script\n"
    "  List bars = Csv(\"bars.csv\")             # header row = column names\n"
    "  Text title = \"Sales\"\n"
    "  Do figPlot.DrawLine(chart, 2, 13, 10, 10, 100, 100) Returns rc\n"
    "  Do figPlot.ComposePict(chart, 320, 200, 24, bars) Returns rc\n"
    "  Save(chart, \"chart.png\")                 # .png or .bmp, in the output folder\n"
    "  Print \"result:\", rc, chart\n"
    "\n"
    "Functions are the ones the external's function table lists. A function that answers\n"
    "a ResultCode other than 0 is reported with its meaning and the script goes on; the\n"
    "exit status is then 1. Any error in the script stops it with file, line and column.\n"
    "\n"
    "  -o DIR   folder for Save and for ComposeFile's outputPath (default: the current one;\n"
    "           made when missing)\n"
    "\n"
    "A SCRIPT of - is read from standard input; its files are then found in the current\n"
    "folder.\n";

int RunCommand(const std::vector<std::string> &args, const std::string &external) {
    Arguments parsed;
    std::string error;
    if (!ParseArguments(args, {"-o"}, &parsed, &error)) return UsageError(error, kRunHelp);
    if (parsed.help) {
        std::fputs(kRunHelp, stdout);
        return 0;
    }
    if (parsed.positional.size() != 1) return UsageError("run takes one script", kRunHelp);
    const bool fromStdin = parsed.positional[0] == "-";
    const std::string path = fromStdin ? "<stdin>" : parsed.positional[0];

    std::vector<uint8_t> bytes;
    if (!(fromStdin ? figsim::ReadStreamBytes(stdin, path, &bytes, &error)
                    : figsim::ReadFileBytes(path, &bytes, &error))) {
        std::fprintf(stderr, "figplot: %s\n", error.c_str());
        return kExitFailure;
    }
    std::vector<Token> tokens;
    std::vector<Statement> statements;
    SourceError syntax{path, {}, ""};
    if (!Tokenize(std::string(bytes.begin(), bytes.end()), &tokens, &syntax) || !ParseScript(tokens, &statements, &syntax)) {
        ReportError(syntax);
        return kExitFailure;
    }
    const std::string outputDir = parsed.Value("-o");
    std::error_code made;
    if (!outputDir.empty()) std::filesystem::create_directories(outputDir, made);
    if (made) {
        std::fprintf(stderr, "figplot: cannot make the folder %s: %s\n", outputDir.c_str(), made.message().c_str());
        return kExitFailure;
    }
    auto loaded = LoadExternal(external);
    if (!loaded) return kExitFailure;
    ScriptRunner runner(*loaded, ScriptPlace{path, outputDir, fromStdin ? "" : path});
    if (!runner.Run(statements)) return kExitFailure;
    return runner.failedCalls() ? kExitFailure : 0;
}

}  // namespace figcli
