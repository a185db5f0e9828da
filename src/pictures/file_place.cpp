#include "file_place.h"

#include <cstdio>
#include <cstring>

namespace fig {
namespace {

constexpr DWORD kPiece = 4096;  // a body goes out in pieces of this size, then the rest
constexpr int kTemporaryAttempts = 100;
// Room for a resolved path (a link's target may be long) and the temporary's suffix.
constexpr DWORD kResolvedUnits = 4096;
constexpr int kPathUnits = kResolvedUnits + 32;
// What CREATE_ALWAYS with FILE_ATTRIBUTE_NORMAL refuses to replace.
constexpr DWORD kRefusedAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

#if FIGPLOT_WIDE
using PathChar = WCHAR;
HANDLE OpenFile(const PathChar *path, DWORD access, DWORD disposition) {
    return CreateFileW(path, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}
DWORD Attributes(const PathChar *path) { return GetFileAttributesW(path); }
DWORD FinalPath(HANDLE file, PathChar *path, DWORD size) { return GetFinalPathNameByHandleW(file, path, size, 0); }
BOOL Replace(const PathChar *target, const PathChar *from) {
    return ReplaceFileW(target, from, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
}
BOOL Move(const PathChar *from, const PathChar *to) { return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING); }
void Remove(const PathChar *path) { DeleteFileW(path); }
#else
using PathChar = char;
HANDLE OpenFile(const PathChar *path, DWORD access, DWORD disposition) {
    return CreateFileA(path, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}
DWORD Attributes(const PathChar *path) { return GetFileAttributesA(path); }
DWORD FinalPath(HANDLE file, PathChar *path, DWORD size) { return GetFinalPathNameByHandleA(file, path, size, 0); }
BOOL Replace(const PathChar *target, const PathChar *from) {
    return ReplaceFileA(target, from, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
}
BOOL Move(const PathChar *from, const PathChar *to) { return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING); }
void Remove(const PathChar *path) { DeleteFileA(path); }
#endif

struct Target {
    PathChar path[kPathUnits];  // the link's target once the file is known to exist
    PathChar temporary[kPathUnits];
    int length;
    bool exists;
    DWORD links;
};

void ToPathText(const HostChar *path, Target &t) {
#if FIGPLOT_WIDE
    t.length = Utf32ToUtf16(path, t.path);
#else
    t.length = static_cast<int>(HostTextLength(path));
    std::memcpy(t.path, path, static_cast<size_t>(t.length) + 1);
#endif
}

// The file's own path, links resolved; false when it can't be had or is too long.
bool Resolve(HANDLE file, Target &t) {
    PathChar resolved[kResolvedUnits];
    const DWORD length = FinalPath(file, resolved, kResolvedUnits);
    if (length == 0 || length >= kResolvedUnits) return false;
    std::memcpy(t.path, resolved, sizeof(PathChar) * (length + 1));
    t.length = static_cast<int>(length);
    return true;
}

// What stands at the path: nothing, or a file we may replace (its own path and its
// number of names found); else the answer 5.
int16_t Examine(Target &t) {
    t.exists = false;
    t.links = 1;
    const DWORD attributes = Attributes(t.path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ResultDone : ResultFileFailure;
    }
    if (attributes & kRefusedAttributes) return ResultFileFailure;
    HANDLE file = OpenFile(t.path, 0, OPEN_EXISTING);  // for queries only
    if (file == INVALID_HANDLE_VALUE) return ResultFileFailure;
    BY_HANDLE_FILE_INFORMATION information;
    const bool known = GetFileInformationByHandle(file, &information) && Resolve(file, t);
    CloseHandle(file);  // a handle that wrote nothing: its close decides nothing
    if (!known) return ResultFileFailure;
    t.exists = true;
    t.links = information.nNumberOfLinks;
    return ResultDone;
}

// "<path>~figplot<n>.tmp", beside the target so that the final rename stays in one folder.
void NameTemporary(Target &t, int attempt) {
    char suffix[24];
    const int length = std::snprintf(suffix, sizeof suffix, "~figplot%d.tmp", attempt);
    std::memcpy(t.temporary, t.path, sizeof(PathChar) * static_cast<size_t>(t.length));
    for (int i = 0; i <= length; ++i) t.temporary[t.length + i] = static_cast<PathChar>(suffix[i]);
}

// A temporary file of our own: never one that exists, whoever made it.
HANDLE CreateTemporary(Target &t) {
    for (int attempt = 1; attempt <= kTemporaryAttempts; ++attempt) {
        NameTemporary(t, attempt);
        HANDLE file = OpenFile(t.temporary, GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
        if (file != INVALID_HANDLE_VALUE) return file;
        if (GetLastError() != ERROR_FILE_EXISTS) break;
    }
    return INVALID_HANDLE_VALUE;
}

// A write that reports fewer bytes than asked has failed, whatever it answers.
bool WriteAll(HANDLE file, const void *data, DWORD bytes) {
    DWORD written = 0;
    return WriteFile(file, data, bytes, &written, nullptr) != 0 && written == bytes;
}

bool WriteParts(HANDLE file, const FileParts &parts) {
    if (!WriteAll(file, parts.header, parts.headerSize) || !WriteAll(file, parts.description, parts.descriptionSize))
        return false;
    const auto *body = static_cast<const uint8_t *>(parts.body);
    DWORD remaining = parts.bodySize;
    for (; remaining > kPiece; remaining -= kPiece, body += kPiece)
        if (!WriteAll(file, body, kPiece)) return false;
    return WriteAll(file, body, remaining);
}

// The target itself, written from the start and cut at the end of what was written. A
// file it creates is removed again on failure.
int16_t WriteThrough(const Target &t, const FileParts &parts) {
    HANDLE file = OpenFile(t.path, GENERIC_WRITE, t.exists ? OPEN_EXISTING : CREATE_NEW);
    if (file == INVALID_HANDLE_VALUE) return ResultFileFailure;
    bool written = WriteParts(file, parts) && SetEndOfFile(file);
    written = CloseHandle(file) != 0 && written;
    if (!written && !t.exists) Remove(t.path);
    return written ? ResultDone : ResultFileFailure;
}

int16_t WriteBeside(Target &t, HANDLE file, const FileParts &parts) {
    const bool written = WriteParts(file, parts);
    const bool closed = CloseHandle(file) != 0;
    if (written && closed && (t.exists ? Replace(t.path, t.temporary) : Move(t.temporary, t.path))) return ResultDone;
    Remove(t.temporary);
    return ResultFileFailure;
}

}  // namespace

int16_t PlaceFile(const HostChar *path, const FileParts &parts) {
    Target t;
    ToPathText(path, t);
    const int16_t refused = Examine(t);
    if (refused != ResultDone) return refused;
    // A rename would leave the file's other names with the old picture.
    if (t.links > 1) return WriteThrough(t, parts);
    HANDLE file = CreateTemporary(t);
    if (file == INVALID_HANDLE_VALUE) return WriteThrough(t, parts);
    return WriteBeside(t, file, parts);
}

}  // namespace fig
