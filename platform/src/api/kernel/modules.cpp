// Loaded modules and their resources: what the PE loader and the resource section give a
// Windows DLL. A module registers its resource table when it is loaded; its handle is its
// base address, so any address inside it finds it.
#include <dlfcn.h>
#include <figplatform.h>

#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "core/faults.h"
#include "core/text_encoding.h"

namespace {

struct Module {
    const PlatformResourceTable *resources;
    std::map<UINT, std::u16string> stringCache;  // resource strings as UTF-16, made on first use
};

struct ModuleTable {
    std::mutex mutex;
    std::map<HMODULE, Module> modules;
};

ModuleTable &Modules() {
    static ModuleTable *table = new ModuleTable;
    return *table;
}

HMODULE BaseOf(const void *address) {
    Dl_info info{};
    if (!address || !dladdr(address, &info) || !info.dli_fbase) return nullptr;
    return static_cast<HMODULE>(info.dli_fbase);
}

const PlatformResourceTable *ResourcesOf(HMODULE module) {
    ModuleTable &t = Modules();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.modules.find(module);
    return it == t.modules.end() ? nullptr : it->second.resources;
}

// Language 0 (neutral) matches any; otherwise an exact match is preferred, then any.
const PlatformStringResource *FindString(const PlatformResourceTable *table, UINT id) {
    for (int i = 0; i < table->stringCount; ++i)
        if (table->strings[i].id == id) return &table->strings[i];
    return nullptr;
}

// The UTF-16 form of a string resource, kept for the module's lifetime (LoadStringW
// with a zero-length buffer hands out a pointer to it, as Windows does).
const std::u16string *StringResource(HMODULE module, UINT id) {
    ModuleTable &t = Modules();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.modules.find(module);
    if (it == t.modules.end()) return nullptr;
    auto cached = it->second.stringCache.find(id);
    if (cached != it->second.stringCache.end()) return &cached->second;
    const PlatformStringResource *res = FindString(it->second.resources, id);
    if (!res) return nullptr;
    return &(it->second.stringCache[id] = figplat::Utf8ToUtf16(res->utf8));
}

bool NameMatches(const PlatformRawResource &res, const char *name, bool isId, WORD id) {
    if (isId) return !res.name && res.id == id;
    return res.name && strcasecmp(res.name, name) == 0;
}

HRSRC FindRaw(HMODULE module, WORD type, const char *name, bool isId, WORD id, WORD language) {
    const PlatformResourceTable *table = ResourcesOf(module);
    if (!table) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const PlatformRawResource *fallback = nullptr;
    for (int i = 0; i < table->rawCount; ++i) {
        const PlatformRawResource &res = table->raw[i];
        if (res.type != type || !NameMatches(res, name, isId, id)) continue;
        if (language == 0 || res.language == language)
            return reinterpret_cast<HRSRC>(const_cast<PlatformRawResource *>(&res));
        if (!fallback) fallback = &res;
    }
    if (!fallback) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return reinterpret_cast<HRSRC>(const_cast<PlatformRawResource *>(fallback));
}

const PlatformRawResource *RawOf(HRSRC resource) {
    return reinterpret_cast<const PlatformRawResource *>(resource);
}

}  // namespace

HMODULE PlatformAttachModule(const void *addressInModule, const PlatformResourceTable *resources) {
    HMODULE base = BaseOf(addressInModule);
    if (!base) return nullptr;
    ModuleTable &t = Modules();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.modules[base].resources = resources;
    return base;
}

void PlatformDetachModule(HMODULE module) {
    ModuleTable &t = Modules();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.modules.erase(module);
}

// Only the address form is known here: the modules are the ones registered at load, and
// there is no reference count to change, so every call behaves as UNCHANGED_REFCOUNT.
BOOL WINAPI GetModuleHandleExW(DWORD flags, LPCWSTR moduleName, HMODULE *module) {
    if (!module) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *module = nullptr;
    if (!(flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    HMODULE base = BaseOf(moduleName);
    if (!ResourcesOf(base)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    *module = base;
    return TRUE;
}

int WINAPI LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
    if (FIG_FAULT_POINT("LoadStringW") || !buffer) return 0;
    const std::u16string *text = StringResource(instance, id);
    if (bufferMax == 0) {
        // A zero-length buffer receives a read-only pointer to the resource itself.
        if (!text) return 0;
        *reinterpret_cast<const WCHAR **>(buffer) = text->c_str();
        return static_cast<int>(text->size());
    }
    if (bufferMax < 0) return 0;
    buffer[0] = 0;
    if (!text) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    int n = static_cast<int>(text->size());
    if (n > bufferMax - 1) n = bufferMax - 1;
    std::memcpy(buffer, text->data(), n * sizeof(WCHAR));
    buffer[n] = 0;
    return n;
}

int WINAPI LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
    if (FIG_FAULT_POINT("LoadStringA") || !buffer || bufferMax <= 0) return 0;
    buffer[0] = 0;
    const std::u16string *text = StringResource(instance, id);
    if (!text) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    std::string bytes = figplat::Utf16ToCp1252(*text);
    int n = static_cast<int>(bytes.size());
    if (n > bufferMax - 1) n = bufferMax - 1;
    std::memcpy(buffer, bytes.data(), n);
    buffer[n] = 0;
    return n;
}

HRSRC WINAPI FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language) {
    if (!IS_INTRESOURCE(type)) return nullptr;  // only the numbered types are kept
    bool isId = IS_INTRESOURCE(name);
    return FindRaw(module, static_cast<WORD>(reinterpret_cast<ULONG_PTR>(type)), isId ? nullptr : name, isId,
                   static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)), language);
}

HRSRC WINAPI FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
    if (!IS_INTRESOURCE(type)) return nullptr;
    WORD typeId = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(type));
    if (IS_INTRESOURCE(name))
        return FindRaw(module, typeId, nullptr, true, static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)), language);
    std::string narrow = figplat::Utf16ToUtf8(std::u16string(name, figplat::Utf16Length(name)));
    return FindRaw(module, typeId, narrow.c_str(), false, 0, language);
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
    return resource ? const_cast<BYTE *>(RawOf(resource)->data) : nullptr;
}

LPVOID WINAPI LockResource(HGLOBAL resource) { return resource; }

DWORD WINAPI SizeofResource(HMODULE, HRSRC resource) { return resource ? RawOf(resource)->size : 0; }
