// The loader's part for a module built against the portable platform: at load, register
// the module and its resources, then call its DllMain with DLL_PROCESS_ATTACH; at unload,
// DLL_PROCESS_DETACH and unregister.
#include <figplatform.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
// Provided by the module: its resource table (string table, raw data, version).
extern "C" const PlatformResourceTable *FigModuleResources(void);

namespace {

HMODULE loadedModule = nullptr;

__attribute__((constructor)) void AttachModule() {
    loadedModule = PlatformAttachModule(reinterpret_cast<const void *>(&AttachModule), FigModuleResources());
    DllMain(loadedModule, DLL_PROCESS_ATTACH, nullptr);
}

__attribute__((destructor)) void DetachModule() {
    DllMain(loadedModule, DLL_PROCESS_DETACH, nullptr);
    PlatformDetachModule(loadedModule);
    loadedModule = nullptr;
}

}  // namespace
