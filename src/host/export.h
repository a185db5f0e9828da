// How the entry point leaves the module: exported by name, and on 32-bit Windows
// undecorated (figplot.def), as hosts look it up.
#pragma once

#if defined(_WIN32)
#define FIG_EXPORT __declspec(dllexport)
#else
#define FIG_EXPORT __attribute__((visibility("default")))
#endif
