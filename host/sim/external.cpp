// Loading an external the way a host does: by path, through its exported entry point,
// and reading its resources through the platform's resource calls.
#include <dlfcn.h>
#include <figplatform.h>

#include <cstring>

#include "figsim.h"

namespace figsim {
namespace {

std::vector<uint8_t> ResourceBytes(HMODULE module, WORD type, LPCSTR name) {
    HRSRC res = FindResourceExA(module, MAKEINTRESOURCEA(type), name, 0);
    if (!res) return {};
    auto *data = static_cast<const uint8_t *>(LockResource(LoadResource(module, res)));
    return std::vector<uint8_t>(data, data + SizeofResource(module, res));
}

}  // namespace

std::unique_ptr<External> External::Load(const std::string &path, std::string *error) {
    std::unique_ptr<External> ext(new External);
    ext->library_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!ext->library_) {
        if (error) *error = dlerror();
        return nullptr;
    }
    ext->entry_ = reinterpret_cast<FigEntryPoint>(dlsym(ext->library_, FIGPLOT_ENTRY_NAME));
    if (!ext->entry_) {
        if (error) *error = "no entry point \"" FIGPLOT_ENTRY_NAME "\" in " + path;
        return nullptr;
    }
    ext->module_ = PlatformModuleFromAddress(reinterpret_cast<const void *>(ext->entry_));
    std::vector<uint8_t> marker = ext->Marker();
    if (marker.size() != 14 || (std::memcmp(marker.data(), "UCMD", 4) != 0 && std::memcmp(marker.data(), "7CMD", 4) != 0)) {
        if (error) *error = path + " carries no external marker";
        return nullptr;
    }
    ext->width_ = marker[0] == 'U' ? TextWidth::Wide : TextWidth::Narrow;
    return ext;
}

External::~External() {
    if (library_) dlclose(library_);
}

std::vector<uint8_t> External::Marker() const { return ResourceBytes(module_, RT_RCDATA, FIG_MARKER_RESOURCE); }

std::vector<uint8_t> External::VersionBlock() const { return ResourceBytes(module_, RT_VERSION, MAKEINTRESOURCEA(1)); }

std::string External::FunctionString(unsigned id) const {
    WCHAR buffer[512];
    int n = LoadStringW(module_, id, buffer, 512);
    std::u32string text;
    for (int i = 0; i < n; ++i) text += static_cast<char32_t>(buffer[i]);  // function strings are ASCII
    return Utf32ToUtf8(text);
}

}  // namespace figsim
