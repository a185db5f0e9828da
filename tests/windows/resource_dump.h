// Prints an external's resources in one text form for both sides of the comparison: the
// function-table strings as UTF-16 units, the "Q7INF" marker and the version block in hex.
#pragma once

#include <cstdio>

template <typename LoadString, typename Raw>
void DumpResources(FILE *out, LoadString loadString, Raw raw) {
    for (unsigned id = 29200; id <= 29214; ++id) {
        WCHAR units[300];
        int n = loadString(id, units, 300);
        std::fprintf(out, "string %u %d:", id, n);
        for (int i = 0; i < n; ++i) std::fprintf(out, " %04x", static_cast<unsigned>(units[i]));
        std::fprintf(out, "\n");
    }
    const char *names[] = {"marker", "version"};
    for (int which = 0; which < 2; ++which) {
        unsigned long size = 0;
        const unsigned char *bytes = raw(which, &size);
        std::fprintf(out, "%s %lu:", names[which], size);
        for (unsigned long i = 0; i < size; ++i) std::fprintf(out, "%s%02x", i % 32 ? " " : "\n", bytes[i]);
        std::fprintf(out, "\n");
    }
}
