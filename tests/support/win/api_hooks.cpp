// The portable platform's test hooks (figplatform.h) on real Windows: live-object counts,
// the release order, call counts, fault injection, recorded beeps, bitmaps described at
// other depths.
//
// Windows has none of them, so the simulator makes them: it rewrites the import address
// table of the test program and of every external it loads, so that their calls to the
// functions below reach a hook here first. A hook counts the call, fails it when a fault
// is armed for it (answering what the real function answers on failure, as the platform's
// fault points do), and otherwise calls the real function and notes the objects made or
// freed. Calls Windows makes inside its own DLLs are not seen (the platform does not count
// its internal calls either). Only the functions the platform gives a fault point and the
// library or the simulator call are hooked; the others count 0 calls.
#include "api_hooks.h"
#include "library_loader.h"

#include <figplatform.h>

#include <atomic>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace figsim {
namespace {

struct Fault {
    int calls = 0;
    int failAt = 0;  // 0: none armed
};

struct LiveObject {
    PlatformObjectKind kind;
    int references;  // GetDC may hand out one DC twice
};

struct HookState {
    SRWLOCK lock = SRWLOCK_INIT;
    std::map<std::string, Fault> faults;
    std::map<HANDLE, LiveObject> live;
    std::map<HANDLE, std::pair<WORD, WORD>> describedAs;  // planes, bits per pixel
    int beeps = 0;
    UINT lastBeep = 0;
    int selectedBitmapReads = 0;
    std::vector<PlatformRelease> releases;  // the first 256 since the last reset
    int releaseCount = 0;
};

HookState &State() {
    static HookState *state = new HookState;  // never destroyed: hooks may run at exit
    return *state;
}

class Locked {
public:
    Locked() { AcquireSRWLockExclusive(&State().lock); }
    ~Locked() { ReleaseSRWLockExclusive(&State().lock); }
    Locked(const Locked &) = delete;
    Locked &operator=(const Locked &) = delete;
};

// Counts the call; true when it is the call an armed fault fails (a fault fires once).
bool Enter(const char *function) {
    Locked locked;
    Fault &fault = State().faults[function];
    if (++fault.calls != fault.failAt) return false;
    fault.failAt = 0;
    return true;
}

template <typename Handle>
Handle Made(Handle handle, PlatformObjectKind kind) {
    if (!handle || handle == INVALID_HANDLE_VALUE) return handle;
    Locked locked;
    auto [entry, added] = State().live.try_emplace(handle, LiveObject{kind, 0});
    ++entry->second.references;
    return handle;
}

void Freed(HANDLE handle) {
    Locked locked;
    auto entry = State().live.find(handle);
    if (entry == State().live.end()) return;
    if (--entry->second.references == 0) {
        if (State().releases.size() < 256) State().releases.push_back({entry->second.kind, handle});
        ++State().releaseCount;
        State().live.erase(entry);
        State().describedAs.erase(handle);
    }
}

template <typename Function>
void Resolve(Function &slot, const char *dll, const char *name) {
    slot = reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA(dll), name)));
}

// The real functions, found by name so that no call here goes through a rewritten table.
struct RealApi {
    decltype(&::GlobalAlloc) GlobalAlloc;
    decltype(&::GlobalLock) GlobalLock;
    decltype(&::GlobalFree) GlobalFree;
    decltype(&::LocalAlloc) LocalAlloc;
    decltype(&::LocalFree) LocalFree;
    decltype(&::CreateFileW) CreateFileW;
    decltype(&::CreateFileA) CreateFileA;
    decltype(&::WriteFile) WriteFile;
    decltype(&::CloseHandle) CloseHandle;
    decltype(&::MoveFileExW) MoveFileExW;
    decltype(&::MoveFileExA) MoveFileExA;
    decltype(&::DeleteFileW) DeleteFileW;
    decltype(&::DeleteFileA) DeleteFileA;
    decltype(&::GetFileAttributesW) GetFileAttributesW;
    decltype(&::GetFileAttributesA) GetFileAttributesA;
    decltype(&::GetFileInformationByHandle) GetFileInformationByHandle;
    decltype(&::GetFinalPathNameByHandleW) GetFinalPathNameByHandleW;
    decltype(&::GetFinalPathNameByHandleA) GetFinalPathNameByHandleA;
    decltype(&::ReplaceFileW) ReplaceFileW;
    decltype(&::ReplaceFileA) ReplaceFileA;
    decltype(&::SetEndOfFile) SetEndOfFile;
    decltype(&::GetDC) GetDC;
    decltype(&::ReleaseDC) ReleaseDC;
    decltype(&::MessageBeep) MessageBeep;
    decltype(&::CreateCompatibleDC) CreateCompatibleDC;
    decltype(&::DeleteDC) DeleteDC;
    decltype(&::CreateDIBSection) CreateDIBSection;
    decltype(&::CreateBitmap) CreateBitmap;
    decltype(&::CreateCompatibleBitmap) CreateCompatibleBitmap;
    decltype(&::CreatePen) CreatePen;
    decltype(&::CreateSolidBrush) CreateSolidBrush;
    decltype(&::CreateFontIndirectW) CreateFontIndirectW;
    decltype(&::CreateFontIndirectA) CreateFontIndirectA;
    decltype(&::DeleteObject) DeleteObject;
    decltype(&::SelectObject) SelectObject;
    decltype(&::BitBlt) BitBlt;
    decltype(&::GetDIBits) GetDIBits;
    decltype(&::GetObjectW) GetObjectW;
    decltype(&::GetObjectA) GetObjectA;
    decltype(&::GlobalMemoryStatusEx) GlobalMemoryStatusEx;

    RealApi() {
        const char *k = "kernel32.dll", *u = "user32.dll", *g = "gdi32.dll";
        Resolve(GlobalAlloc, k, "GlobalAlloc"), Resolve(GlobalLock, k, "GlobalLock"), Resolve(GlobalFree, k, "GlobalFree");
        Resolve(LocalAlloc, k, "LocalAlloc"), Resolve(LocalFree, k, "LocalFree");
        Resolve(CreateFileW, k, "CreateFileW"), Resolve(CreateFileA, k, "CreateFileA"), Resolve(WriteFile, k, "WriteFile");
        Resolve(CloseHandle, k, "CloseHandle"), Resolve(MoveFileExW, k, "MoveFileExW"), Resolve(MoveFileExA, k, "MoveFileExA");
        Resolve(DeleteFileW, k, "DeleteFileW"), Resolve(DeleteFileA, k, "DeleteFileA");
        Resolve(GetFileAttributesW, k, "GetFileAttributesW"), Resolve(GetFileAttributesA, k, "GetFileAttributesA");
        Resolve(GetFileInformationByHandle, k, "GetFileInformationByHandle");
        Resolve(GetFinalPathNameByHandleW, k, "GetFinalPathNameByHandleW");
        Resolve(GetFinalPathNameByHandleA, k, "GetFinalPathNameByHandleA");
        Resolve(ReplaceFileW, k, "ReplaceFileW"), Resolve(ReplaceFileA, k, "ReplaceFileA");
        Resolve(SetEndOfFile, k, "SetEndOfFile");
        Resolve(GetDC, u, "GetDC"), Resolve(ReleaseDC, u, "ReleaseDC"), Resolve(MessageBeep, u, "MessageBeep");
        Resolve(CreateCompatibleDC, g, "CreateCompatibleDC"), Resolve(DeleteDC, g, "DeleteDC");
        Resolve(CreateDIBSection, g, "CreateDIBSection"), Resolve(CreateBitmap, g, "CreateBitmap");
        Resolve(CreateCompatibleBitmap, g, "CreateCompatibleBitmap"), Resolve(CreatePen, g, "CreatePen");
        Resolve(CreateSolidBrush, g, "CreateSolidBrush"), Resolve(CreateFontIndirectW, g, "CreateFontIndirectW");
        Resolve(CreateFontIndirectA, g, "CreateFontIndirectA"), Resolve(DeleteObject, g, "DeleteObject");
        Resolve(SelectObject, g, "SelectObject"), Resolve(BitBlt, g, "BitBlt"), Resolve(GetDIBits, g, "GetDIBits");
        Resolve(GetObjectW, g, "GetObjectW"), Resolve(GetObjectA, g, "GetObjectA");
        Resolve(GlobalMemoryStatusEx, k, "GlobalMemoryStatusEx");
    }
};

const RealApi &Real() {
    static const RealApi *real = new RealApi;
    return *real;
}

// Counts the call; when an armed fault fails it, answers `failure` (with `error` as the last
// error, unless 0) without calling the real function.
template <typename Call>
auto Guarded(const char *function, decltype(std::declval<Call>()()) failure, DWORD error, Call call) {
    if (!Enter(function)) return call();
    if (error) SetLastError(error);
    return failure;
}

// Frees through the real function and forgets the object when that succeeded.
template <typename Result, typename Call>
Result Freeing(HANDLE handle, Result freed, Call call) {
    const Result result = call();
    if (result == freed) Freed(handle);
    return result;
}

// ---- memory ----
HGLOBAL WINAPI HookGlobalAlloc(UINT flags, SIZE_T bytes) {
    return Made(Guarded("GlobalAlloc", HGLOBAL{}, 0, [&] { return Real().GlobalAlloc(flags, bytes); }), PlatformMemory);
}
LPVOID WINAPI HookGlobalLock(HGLOBAL memory) {
    return Guarded("GlobalLock", LPVOID{}, 0, [&] { return Real().GlobalLock(memory); });
}
HGLOBAL WINAPI HookGlobalFree(HGLOBAL memory) {
    return Freeing(memory, HGLOBAL{}, [&] { return Real().GlobalFree(memory); });
}
std::atomic<unsigned long long> availableMemoryOverride{0};
BOOL WINAPI HookGlobalMemoryStatusEx(LPMEMORYSTATUSEX status) {
    const BOOL ok = Guarded("GlobalMemoryStatusEx", FALSE, 0, [&] { return Real().GlobalMemoryStatusEx(status); });
    if (ok && availableMemoryOverride.load()) status->ullAvailPhys = availableMemoryOverride.load();
    return ok;
}
HLOCAL WINAPI HookLocalAlloc(UINT flags, SIZE_T bytes) {
    return Made(Guarded("LocalAlloc", HLOCAL{}, 0, [&] { return Real().LocalAlloc(flags, bytes); }), PlatformMemory);
}
HLOCAL WINAPI HookLocalFree(HLOCAL memory) {
    return Freeing(memory, HLOCAL{}, [&] { return Real().LocalFree(memory); });
}

// ---- files ----
HANDLE WINAPI HookCreateFileW(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD how,
                              DWORD attributes, HANDLE model) {
    return Made(Guarded("CreateFileW", INVALID_HANDLE_VALUE, ERROR_ACCESS_DENIED,
                        [&] { return Real().CreateFileW(path, access, share, security, how, attributes, model); }),
                PlatformFile);
}
HANDLE WINAPI HookCreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD how,
                              DWORD attributes, HANDLE model) {
    return Made(Guarded("CreateFileA", INVALID_HANDLE_VALUE, ERROR_ACCESS_DENIED,
                        [&] { return Real().CreateFileA(path, access, share, security, how, attributes, model); }),
                PlatformFile);
}
BOOL WINAPI HookWriteFile(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
    return Guarded("WriteFile", FALSE, ERROR_WRITE_FAULT,
                   [&] { return Real().WriteFile(file, bytes, count, written, overlapped); });
}
// A failing close still closes, as when the last flush of a file fails.
BOOL WINAPI HookCloseHandle(HANDLE handle) {
    const bool failed = Enter("CloseHandle");
    const BOOL closed = Freeing(handle, TRUE, [&] { return Real().CloseHandle(handle) ? TRUE : FALSE; });
    if (!failed) return closed;
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
}
BOOL WINAPI HookMoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags) {
    return Guarded("MoveFileExW", FALSE, ERROR_ACCESS_DENIED, [&] { return Real().MoveFileExW(from, to, flags); });
}
BOOL WINAPI HookMoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
    return Guarded("MoveFileExA", FALSE, ERROR_ACCESS_DENIED, [&] { return Real().MoveFileExA(from, to, flags); });
}
BOOL WINAPI HookDeleteFileW(LPCWSTR path) {
    return Guarded("DeleteFileW", FALSE, ERROR_ACCESS_DENIED, [&] { return Real().DeleteFileW(path); });
}
BOOL WINAPI HookDeleteFileA(LPCSTR path) {
    return Guarded("DeleteFileA", FALSE, ERROR_ACCESS_DENIED, [&] { return Real().DeleteFileA(path); });
}
DWORD WINAPI HookGetFileAttributesW(LPCWSTR path) {
    return Guarded("GetFileAttributesW", INVALID_FILE_ATTRIBUTES, ERROR_ACCESS_DENIED,
                   [&] { return Real().GetFileAttributesW(path); });
}
DWORD WINAPI HookGetFileAttributesA(LPCSTR path) {
    return Guarded("GetFileAttributesA", INVALID_FILE_ATTRIBUTES, ERROR_ACCESS_DENIED,
                   [&] { return Real().GetFileAttributesA(path); });
}
BOOL WINAPI HookGetFileInformationByHandle(HANDLE file, LPBY_HANDLE_FILE_INFORMATION information) {
    return Guarded("GetFileInformationByHandle", FALSE, ERROR_ACCESS_DENIED,
                   [&] { return Real().GetFileInformationByHandle(file, information); });
}
DWORD WINAPI HookGetFinalPathNameByHandleW(HANDLE file, LPWSTR path, DWORD size, DWORD flags) {
    return Guarded("GetFinalPathNameByHandleW", DWORD{0}, ERROR_ACCESS_DENIED,
                   [&] { return Real().GetFinalPathNameByHandleW(file, path, size, flags); });
}
DWORD WINAPI HookGetFinalPathNameByHandleA(HANDLE file, LPSTR path, DWORD size, DWORD flags) {
    return Guarded("GetFinalPathNameByHandleA", DWORD{0}, ERROR_ACCESS_DENIED,
                   [&] { return Real().GetFinalPathNameByHandleA(file, path, size, flags); });
}
BOOL WINAPI HookReplaceFileW(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID exclude,
                             LPVOID reserved) {
    return Guarded("ReplaceFileW", FALSE, ERROR_UNABLE_TO_REMOVE_REPLACED,
                   [&] { return Real().ReplaceFileW(replaced, replacement, backup, flags, exclude, reserved); });
}
BOOL WINAPI HookReplaceFileA(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags, LPVOID exclude,
                             LPVOID reserved) {
    return Guarded("ReplaceFileA", FALSE, ERROR_UNABLE_TO_REMOVE_REPLACED,
                   [&] { return Real().ReplaceFileA(replaced, replacement, backup, flags, exclude, reserved); });
}
BOOL WINAPI HookSetEndOfFile(HANDLE file) {
    return Guarded("SetEndOfFile", FALSE, ERROR_WRITE_FAULT, [&] { return Real().SetEndOfFile(file); });
}

// ---- user32 ----
HDC WINAPI HookGetDC(HWND window) {
    return Made(Guarded("GetDC", HDC{}, 0, [&] { return Real().GetDC(window); }), PlatformDc);
}
int WINAPI HookReleaseDC(HWND window, HDC dc) {
    return Guarded("ReleaseDC", 0, 0, [&] { return Freeing(dc, 1, [&] { return Real().ReleaseDC(window, dc); }); });
}
BOOL WINAPI HookMessageBeep(UINT type) {
    {
        Locked locked;
        ++State().beeps;
        State().lastBeep = type;
    }
    return Real().MessageBeep(type);
}

// ---- gdi32 ----
HDC WINAPI HookCreateCompatibleDC(HDC dc) {
    return Made(Guarded("CreateCompatibleDC", HDC{}, 0, [&] { return Real().CreateCompatibleDC(dc); }), PlatformDc);
}
BOOL WINAPI HookDeleteDC(HDC dc) {
    return Guarded("DeleteDC", FALSE, 0, [&] { return Freeing(dc, TRUE, [&] { return Real().DeleteDC(dc) ? TRUE : FALSE; }); });
}
HBITMAP WINAPI HookCreateDIBSection(HDC dc, const BITMAPINFO *info, UINT usage, void **bits, HANDLE section, DWORD offset) {
    return Made(Guarded("CreateDIBSection", HBITMAP{}, 0,
                        [&] { return Real().CreateDIBSection(dc, info, usage, bits, section, offset); }),
                PlatformBitmap);
}
HBITMAP WINAPI HookCreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void *bits) {
    return Made(Guarded("CreateBitmap", HBITMAP{}, 0,
                        [&] { return Real().CreateBitmap(width, height, planes, bitsPixel, bits); }),
                PlatformBitmap);
}
HBITMAP WINAPI HookCreateCompatibleBitmap(HDC dc, int width, int height) {
    return Made(Guarded("CreateCompatibleBitmap", HBITMAP{}, 0,
                        [&] { return Real().CreateCompatibleBitmap(dc, width, height); }),
                PlatformBitmap);
}
HPEN WINAPI HookCreatePen(int style, int width, COLORREF colour) {
    return Made(Guarded("CreatePen", HPEN{}, 0, [&] { return Real().CreatePen(style, width, colour); }), PlatformPen);
}
HBRUSH WINAPI HookCreateSolidBrush(COLORREF colour) {
    return Made(Guarded("CreateSolidBrush", HBRUSH{}, 0, [&] { return Real().CreateSolidBrush(colour); }), PlatformBrush);
}
HFONT WINAPI HookCreateFontIndirectW(const LOGFONTW *font) {
    return Made(Guarded("CreateFontIndirectW", HFONT{}, 0, [&] { return Real().CreateFontIndirectW(font); }), PlatformFont);
}
HFONT WINAPI HookCreateFontIndirectA(const LOGFONTA *font) {
    return Made(Guarded("CreateFontIndirectA", HFONT{}, 0, [&] { return Real().CreateFontIndirectA(font); }), PlatformFont);
}
BOOL WINAPI HookDeleteObject(HGDIOBJ object) {
    return Guarded("DeleteObject", FALSE, 0,
                   [&] { return Freeing(object, TRUE, [&] { return Real().DeleteObject(object) ? TRUE : FALSE; }); });
}
HGDIOBJ WINAPI HookSelectObject(HDC dc, HGDIOBJ object) {
    return Guarded("SelectObject", HGDIOBJ{}, 0, [&] { return Real().SelectObject(dc, object); });
}
BOOL WINAPI HookBitBlt(HDC to, int x, int y, int width, int height, HDC from, int fromX, int fromY, DWORD rop) {
    return Guarded("BitBlt", FALSE, 0, [&] { return Real().BitBlt(to, x, y, width, height, from, fromX, fromY, rop); });
}

// Windows asks for bitmaps selected into no DC; count reads that break the rule.
void NoteSelectedRead(HBITMAP bitmap) {
    Locked locked;
    for (const auto &[handle, object] : State().live)
        if (object.kind == PlatformDc && GetCurrentObject(static_cast<HDC>(handle), OBJ_BITMAP) == bitmap) {
            ++State().selectedBitmapReads;
            return;
        }
}
int WINAPI HookGetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage) {
    return Guarded("GetDIBits", 0, 0, [&] {
        NoteSelectedRead(bitmap);
        return Real().GetDIBits(dc, bitmap, start, lines, bits, info, usage);
    });
}

// A bitmap described at another depth (PlatformDescribeBitmapAs) keeps its pixels.
int DescribeAs(HGDIOBJ object, int written, void *buffer) {
    if (written < static_cast<int>(sizeof(BITMAP)) || !buffer) return written;
    Locked locked;
    auto entry = State().describedAs.find(object);
    if (entry == State().describedAs.end()) return written;
    auto *bitmap = static_cast<BITMAP *>(buffer);
    if (entry->second.first) bitmap->bmPlanes = entry->second.first;
    if (entry->second.second) bitmap->bmBitsPixel = entry->second.second;
    return written;
}
int WINAPI HookGetObjectW(HANDLE object, int size, LPVOID buffer) {
    return Guarded("GetObjectW", 0, 0, [&] { return DescribeAs(object, Real().GetObjectW(object, size, buffer), buffer); });
}
int WINAPI HookGetObjectA(HANDLE object, int size, LPVOID buffer) {
    return Guarded("GetObjectA", 0, 0, [&] { return DescribeAs(object, Real().GetObjectA(object, size, buffer), buffer); });
}

struct Hook {
    const char *name;
    void *function;
};

template <typename Function>
Hook H(const char *name, Function function) {
    return {name, reinterpret_cast<void *>(function)};
}

const Hook *FindHook(const char *name) {
    static const Hook hooks[] = {
        H("GlobalAlloc", HookGlobalAlloc), H("GlobalLock", HookGlobalLock), H("GlobalFree", HookGlobalFree),
        H("LocalAlloc", HookLocalAlloc), H("LocalFree", HookLocalFree), H("CreateFileW", HookCreateFileW),
        H("CreateFileA", HookCreateFileA), H("WriteFile", HookWriteFile), H("CloseHandle", HookCloseHandle),
        H("MoveFileExW", HookMoveFileExW), H("MoveFileExA", HookMoveFileExA), H("DeleteFileW", HookDeleteFileW),
        H("DeleteFileA", HookDeleteFileA), H("GetFileAttributesW", HookGetFileAttributesW),
        H("GetFileAttributesA", HookGetFileAttributesA), H("GetFileInformationByHandle", HookGetFileInformationByHandle),
        H("GetFinalPathNameByHandleW", HookGetFinalPathNameByHandleW),
        H("GetFinalPathNameByHandleA", HookGetFinalPathNameByHandleA), H("ReplaceFileW", HookReplaceFileW),
        H("ReplaceFileA", HookReplaceFileA), H("SetEndOfFile", HookSetEndOfFile), H("GetDC", HookGetDC), H("ReleaseDC", HookReleaseDC),
        H("MessageBeep", HookMessageBeep), H("CreateCompatibleDC", HookCreateCompatibleDC), H("DeleteDC", HookDeleteDC),
        H("CreateDIBSection", HookCreateDIBSection), H("CreateBitmap", HookCreateBitmap),
        H("CreateCompatibleBitmap", HookCreateCompatibleBitmap), H("CreatePen", HookCreatePen),
        H("CreateSolidBrush", HookCreateSolidBrush), H("CreateFontIndirectW", HookCreateFontIndirectW),
        H("CreateFontIndirectA", HookCreateFontIndirectA), H("DeleteObject", HookDeleteObject),
        H("SelectObject", HookSelectObject), H("BitBlt", HookBitBlt), H("GetDIBits", HookGetDIBits),
        H("GetObjectW", HookGetObjectW), H("GetObjectA", HookGetObjectA),
        H("GlobalMemoryStatusEx", HookGlobalMemoryStatusEx),
    };
    for (const Hook &hook : hooks)
        if (std::string(name) == hook.name) return &hook;
    return nullptr;
}

void PointSlotAt(ULONG_PTR *slot, void *function) {
    DWORD protection;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = reinterpret_cast<ULONG_PTR>(function);
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

// The test program's own calls (the simulator's and the tests') are hooked from the start,
// and every external's from its loading.
const bool programHooked = (InstallApiHooks(GetModuleHandleW(nullptr)), SetLoadHook(InstallApiHooks), true);

}  // namespace

void InstallApiHooks(HMODULE module) {
    Real();  // resolve the real functions before any table points elsewhere
    auto *base = reinterpret_cast<BYTE *>(module);
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return;
    for (auto *dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress); dll->Name; ++dll) {
        const DWORD namesAt = dll->OriginalFirstThunk ? dll->OriginalFirstThunk : dll->FirstThunk;
        auto *names = reinterpret_cast<const IMAGE_THUNK_DATA *>(base + namesAt);
        auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto *byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (const Hook *hook = FindHook(reinterpret_cast<const char *>(byName->Name)))
                PointSlotAt(reinterpret_cast<ULONG_PTR *>(&slots->u1.Function), hook->function);
        }
    }
}

}  // namespace figsim

using figsim::Locked;
using figsim::State;

int PlatformLiveCount(PlatformObjectKind kind) {
    Locked locked;
    int count = 0;
    for (const auto &[handle, object] : State().live) count += object.kind == kind;
    return count;
}

int PlatformLiveTotal(void) {
    Locked locked;
    return static_cast<int>(State().live.size());
}

void PlatformFailNthCall(const char *function, int n) {
    if (!function || n < 1) return;
    Locked locked;
    // Counting restarts at the arming: "the nth call from now".
    State().faults[function] = figsim::Fault{0, n};
}

void PlatformClearFaults(void) {
    Locked locked;
    for (auto &[name, fault] : State().faults) fault.failAt = 0;
}

int PlatformCallCount(const char *function) {
    Locked locked;
    auto fault = State().faults.find(function ? function : "");
    return fault == State().faults.end() ? 0 : fault->second.calls;
}

void PlatformResetCallCounts(void) {
    Locked locked;
    for (auto &[name, fault] : State().faults) fault.calls = 0;
}

void PlatformSetAvailableMemory(unsigned long long bytes) { figsim::availableMemoryOverride = bytes; }

int PlatformBeepCount(void) {
    Locked locked;
    return State().beeps;
}

UINT PlatformLastBeepType(void) {
    Locked locked;
    return State().lastBeep;
}

BOOL PlatformDescribeBitmapAs(HBITMAP bitmap, WORD planes, WORD bitsPixel) {
    if (GetObjectType(bitmap) != OBJ_BITMAP) return FALSE;
    Locked locked;
    State().describedAs[bitmap] = {planes, bitsPixel};
    return TRUE;
}

int PlatformSelectedBitmapReads(void) {
    Locked locked;
    return State().selectedBitmapReads;
}

int PlatformReleaseOrder(PlatformRelease *releases, int capacity) {
    Locked locked;
    for (int i = 0; releases && i < capacity && i < static_cast<int>(State().releases.size()); ++i)
        releases[i] = State().releases[static_cast<size_t>(i)];
    return State().releaseCount;
}

void PlatformResetReleaseOrder(void) {
    Locked locked;
    State().releases.clear();
    State().releaseCount = 0;
}
