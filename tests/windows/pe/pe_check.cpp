// Checks one cross-built external as a file: a DLL for the expected machine whose export
// table holds exactly one name, "figPlot", pointing at code; on 32-bit Windows the entry
// behind it is __stdcall with 24 bytes of arguments (the compiler's symbol _figPlot@24,
// exported undecorated); it imports only from Windows' own DLLs, gdi32, user32 and kernel32
// among them. Then prints its resources in the form the portable dump uses, for the
// comparison with what the portable resource table serves.
//
// usage: figplot_pe_check <dll> <i686|x86_64> <resource dump to write>
#include <algorithm>
#include <cstdio>
#include <set>

#include "pe_file.h"

using WCHAR = char16_t;
#include "../resource_dump.h"

namespace {

int failures = 0;

void Check(bool ok, const std::string &what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    failures += !ok;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

void CheckExports(const pe::PeFile &dll, bool x86) {
    const std::vector<pe::Export> exports = dll.Exports();
    std::string names;
    for (const pe::Export &e : exports) names += (names.empty() ? "" : ", ") + e.name;
    Check(exports.size() == 1 && exports[0].name == "figPlot", "exports exactly \"figPlot\" (found: " + names + ")");
    if (exports.size() != 1) return;
    Check(dll.IsExecutable(exports[0].rva), "the export points at code");
    if (!x86) return;
    bool stdcall = false;
    for (const pe::Symbol &s : dll.Symbols()) stdcall |= s.name == "_figPlot@24" && s.rva == exports[0].rva;
    Check(stdcall, "the export is _figPlot@24: __stdcall, 24 bytes of arguments");
}

void CheckImports(const pe::PeFile &dll) {
    const std::set<std::string> allowed = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll"};
    std::set<std::string> imported;
    for (const std::string &name : dll.ImportedDlls()) imported.insert(Lower(name));
    std::string list;
    bool onlySystem = true;
    for (const std::string &name : imported) {
        list += (list.empty() ? "" : ", ") + name;
        onlySystem &= allowed.count(name) > 0;
    }
    Check(onlySystem && imported.count("gdi32.dll") && imported.count("user32.dll") && imported.count("kernel32.dll"),
          "imports gdi32, user32 and kernel32 and no DLL beyond Windows' own (" + list + ")");
}

bool DumpResources(const pe::PeFile &dll, const char *path) {
    FILE *out = std::fopen(path, "wb");
    if (!out) return false;
    std::vector<uint8_t> marker = dll.Resource(10, "Q7INF").value_or(std::vector<uint8_t>{});
    std::vector<uint8_t> version = dll.Resource(16, uint16_t{1}).value_or(std::vector<uint8_t>{});
    DumpResources(
        out,
        [&](unsigned id, WCHAR *units, int max) {
            const std::u16string text = dll.String(id, max);
            std::copy(text.begin(), text.end(), units);
            return static_cast<int>(text.size());
        },
        [&](int which, unsigned long *size) -> const unsigned char * {
            const std::vector<uint8_t> &bytes = which == 0 ? marker : version;
            *size = bytes.size();
            return bytes.data();
        });
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <dll> <i686|x86_64> <resource dump to write>\n", argv[0]);
        return 2;
    }
    std::string error;
    const std::optional<pe::PeFile> dll = pe::PeFile::Read(argv[1], &error);
    if (!dll) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const bool x86 = std::string(argv[2]) == "i686";
    std::printf("%s\n", argv[1]);
    Check(dll->machine() == (x86 ? 0x14C : 0x8664), std::string("machine ") + argv[2]);
    Check(dll->isDll(), "a DLL");
    CheckExports(*dll, x86);
    CheckImports(*dll);
    Check(DumpResources(*dll, argv[3]), std::string("resources written to ") + argv[3]);
    return failures ? 1 : 0;
}
