// figplot info: the external's marker, version, banner and function table, each function
// with its parameters and return value as the external describes them (message 3).
#include <cstdio>

#include "arguments.h"
#include "commands.h"
#include "external_choice.h"
#include "function_table.h"

namespace figcli {

const char *const kInfoHelp =
    "usage: figplot info [--external figPlotU|figPlot|PATH]\n"
    "\n"
    "Loads the external, opens an instance and prints its marker, its version resource,\n"
    "its banner and its function table: each function's number, name, and parameters and\n"
    "return value as the external describes them to a host.\n";

namespace {

void PrintMarker(const figsim::External &external, const FunctionTable &table) {
    const std::vector<uint8_t> marker = external.Marker();
    const std::string kind(marker.begin(), marker.begin() + 4);
    std::printf("marker    %s: text as %s, function table from string %u\n", kind.c_str(),
                external.width() == figsim::TextWidth::Wide ? "32-bit units" : "8-bit characters", table.firstId);
}

void PrintVersion(const figsim::External &external) {
    figsim::VersionInfo version;
    if (!figsim::ParseVersionBlock(external.VersionBlock(), &version)) {
        std::printf("version   (unreadable)\n");
        return;
    }
    std::printf("version   %u.%u.%u.%u\n", version.fileVersionMs >> 16, version.fileVersionMs & 0xFFFF,
                version.fileVersionLs >> 16, version.fileVersionLs & 0xFFFF);
    for (const auto &[name, value] : version.strings) std::printf("          %-16s %s\n", name.c_str(), value.c_str());
}

void PrintFunctions(figsim::Host &host, const FunctionTable &table) {
    std::printf("library   %s\n", table.library.c_str());
    for (const FunctionEntry &f : table.functions) {
        const std::string params = host.Describe(f.number, FIG_REQUEST_KIND_PARAMETERS);
        const std::string returns = host.Describe(f.number, FIG_REQUEST_KIND_RETURN);
        std::printf("%4d  %-22s %s  %s\n", f.number, f.name.c_str(), params.c_str(), returns.c_str());
    }
}

}  // namespace

int InfoCommand(const std::vector<std::string> &args, const std::string &external) {
    Arguments parsed;
    std::string error;
    if (!ParseArguments(args, {}, &parsed, &error)) return UsageError(error, kInfoHelp);
    if (parsed.help) {
        std::fputs(kInfoHelp, stdout);
        return 0;
    }
    if (!parsed.positional.empty()) return UsageError("info takes no arguments", kInfoHelp);
    auto loaded = LoadExternal(external);
    if (!loaded) return kExitFailure;
    const FunctionTable table = ReadFunctionTable(*loaded);
    figsim::Host host(*loaded);
    host.Open();
    std::printf("external  %s\n", ExternalPath(external).c_str());
    PrintMarker(*loaded, table);
    PrintVersion(*loaded);
    std::printf("banner    %s\n", figsim::Utf32ToUtf8(host.banner()).c_str());
    PrintFunctions(host, table);
    host.Close();
    return 0;
}

}  // namespace figcli
