// Opening an external's shared library: dlopen on POSIX systems; LoadLibrary on Windows
// (win/library_loader_win.cpp), where a load hook may see each library loaded.
#pragma once

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace figsim {

#ifdef _WIN32
void *OpenLibrary(const std::string &path, std::string *error);
void *LibrarySymbol(void *library, const char *name);
void CloseLibrary(void *library);
// Called with every library opened from now on (test support installs its API hooks so).
typedef void (*LoadHook)(HMODULE module);
void SetLoadHook(LoadHook hook);
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
