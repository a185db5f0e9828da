// Loading an external on Windows: by its UTF-8 path, handed to the load hook (test
// support routes its calls to gdi32, user32 and kernel32 through the test hooks there).
#include "../library_loader.h"

#include <windows.h>

#include <string>

namespace figsim {
namespace {

LoadHook loadHook = nullptr;

}  // namespace

void SetLoadHook(LoadHook hook) { loadHook = hook; }

void *OpenLibrary(const std::string &path, std::string *error) {
    std::wstring wide(path.size() + 1, L'\0');
    const int units = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    HMODULE module = units > 0 ? LoadLibraryW(wide.c_str()) : nullptr;
    if (!module) {
        if (error) *error = "LoadLibrary failed for " + path + " (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    if (loadHook) loadHook(module);
    return module;
}

void *LibrarySymbol(void *library, const char *name) {
    return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(void *library) { FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace figsim
