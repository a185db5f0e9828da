// Loading an external the way a host does: by path, through its exported entry point,
// and reading its resources through the platform's resource calls.
#include <windows.h>

#include <cstring>

#include "figsim.h"
#include "library_loader.h"

namespace figsim {
namespace {

// Resource types by number: Windows' RT_ names are pointers, the platform's numbers.
constexpr WORD kRcData = 10, kVersion = 16;

std::vector<uint8_t> ResourceBytes(HMODULE module, WORD type, LPCSTR name) {
    HRSRC res = FindResourceExA(module, MAKEINTRESOURCEA(type), name, 0);
    if (!res) return {};
    auto *data = static_cast<const uint8_t *>(LockResource(LoadResource(module, res)));
    return std::vector<uint8_t>(data, data + SizeofResource(module, res));
}

}  // namespace

std::unique_ptr<External> External::Load(const std::string &path, std::string *error) {
    std::unique_ptr<External> ext(new External);
    ext->library_ = OpenLibrary(path, error);
    if (!ext->library_) return nullptr;
    ext->entry_ = reinterpret_cast<FigEntryPoint>(LibrarySymbol(ext->library_, FIGPLOT_ENTRY_NAME));
    if (!ext->entry_) {
        if (error) *error = "no entry point \"" FIGPLOT_ENTRY_NAME "\" in " + path;
        return nullptr;
    }
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(ext->entry_), &ext->module_))
        ext->module_ = nullptr;
    std::vector<uint8_t> marker = ext->Marker();
    if (marker.size() != 14 || (std::memcmp(marker.data(), "UCMD", 4) != 0 && std::memcmp(marker.data(), "7CMD", 4) != 0)) {
        if (error) *error = path + " carries no external marker";
        return nullptr;
    }
    ext->width_ = marker[0] == 'U' ? TextWidth::Wide : TextWidth::Narrow;
    return ext;
}

External::~External() {
    if (library_) CloseLibrary(library_);
}

std::vector<uint8_t> External::Marker() const { return ResourceBytes(module_, kRcData, FIG_MARKER_RESOURCE); }

std::vector<uint8_t> External::VersionBlock() const { return ResourceBytes(module_, kVersion, MAKEINTRESOURCEA(1)); }

std::string External::FunctionString(unsigned id) const {
    WCHAR buffer[512];
    int n = LoadStringW(module_, id, buffer, 512);
    std::u32string text;
    for (int i = 0; i < n; ++i) text += static_cast<char32_t>(buffer[i]);  // function strings are ASCII
    return Utf32ToUtf8(text);
}

}  // namespace figsim
