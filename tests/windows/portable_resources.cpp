// Portable side: loads an external through the host simulator and prints its resources.
#include <figplatform.h>

#include "figsim.h"
#include "resource_dump.h"

int main(int argc, char **argv) {
    if (argc < 3) return 2;
    std::string error;
    auto external = figsim::External::Load(argv[1], &error);
    FILE *out = fopen(argv[2], "w");
    if (!external || !out) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::vector<uint8_t> marker = external->Marker(), version = external->VersionBlock();
    DumpResources(
        out, [&](unsigned id, WCHAR *units, int max) { return LoadStringW(external->module(), id, units, max); },
        [&](int which, unsigned long *size) -> const unsigned char * {
            const std::vector<uint8_t> &bytes = which == 0 ? marker : version;
            *size = bytes.size();
            return bytes.data();
        });
    fclose(out);
    return 0;
}
