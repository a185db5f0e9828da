// Windows side: loads a DLL built by the resource compiler and prints its resources.
#include <windows.h>

#include "resource_dump.h"

int main(int argc, char **argv) {
    if (argc < 3) return 2;
    HMODULE module = LoadLibraryA(argv[1]);
    FILE *out = fopen(argv[2], "wb");  // binary: no CRLF, so both dumps compare byte for byte
    if (!module || !out) return 1;
    DumpResources(
        out, [&](unsigned id, WCHAR *units, int max) { return LoadStringW(module, id, units, max); },
        [&](int which, unsigned long *size) -> const unsigned char * {
            HRSRC res = which == 0 ? FindResourceA(module, "Q7INF", MAKEINTRESOURCEA(10))
                                   : FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
            if (!res) return nullptr;
            *size = SizeofResource(module, res);
            return static_cast<const unsigned char *>(LockResource(LoadResource(module, res)));
        });
    fclose(out);
    return 0;
}
