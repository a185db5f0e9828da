// Opening an external's shared library: dlopen on POSIX systems; LoadLibrary on Windows
// (win/library_loader_win.cpp), where the library's calls are also routed through the
// simulator's test hooks.
#pragma once

#include <string>

#ifndef _WIN32
#include <dlfcn.h>
#endif

namespace figsim {

#ifdef _WIN32
void *OpenLibrary(const std::string &path, std::string *error);
void *LibrarySymbol(void *library, const char *name);
void CloseLibrary(void *library);
#else
inline void *OpenLibrary(const std::string &path, std::string *error) {
    void *library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library && error) *error = dlerror();
    return library;
}
inline void *LibrarySymbol(void *library, const char *name) { return dlsym(library, name); }
inline void CloseLibrary(void *library) { dlclose(library); }
#endif

}  // namespace figsim
