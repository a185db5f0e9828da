// What Windows tells about a file and how it replaces one: GetFileAttributes,
// GetFileInformationByHandle, GetFinalPathNameByHandle and ReplaceFile over POSIX calls.
// A symbolic link is followed, as Windows follows one when it opens a file. A file with
// no write permission for anyone stands for Windows' read-only attribute; POSIX has no
// hidden or system files.
#include <figplatform.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

#include "core/faults.h"
#include "core/text_encoding.h"
#include "file_common.h"

namespace {

using figplat::ErrorFromErrno;

DWORD AttributesOf(const struct stat &st) {
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if ((st.st_mode & 0222) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

DWORD PathAttributes(const std::string &path) {
    struct stat st;
    if (path.empty() || stat(path.c_str(), &st) != 0) {
        SetLastError(path.empty() || errno == ENOENT ? ERROR_FILE_NOT_FOUND : ErrorFromErrno(errno));
        return INVALID_FILE_ATTRIBUTES;
    }
    return AttributesOf(st);
}

// The path the handle's file has now, links resolved; empty with the error set on failure.
std::string FinalPath(HANDLE handle) {
    const int fd = figplat::FileDescriptor(handle);
    if (fd < 0) return {};
    char path[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = readlink(link.c_str(), path, sizeof path);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof path) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return {};
    }
    return std::string(path, static_cast<size_t>(length));
}

// Copies the text with its terminator when it fits: the units written, else the size needed.
template <typename Char, typename Text>
DWORD CopyOut(const Text &text, Char *out, DWORD size) {
    if (text.size() + 1 > size) return static_cast<DWORD>(text.size() + 1);
    for (size_t i = 0; i < text.size(); ++i) out[i] = static_cast<Char>(text[i]);
    out[text.size()] = 0;
    return static_cast<DWORD>(text.size());
}

// The replacement takes the replaced file's name and its permissions, and its owner and
// group where the caller may give them; then it is renamed over the replaced file.
BOOL ReplacePath(const std::string &replaced, const std::string &replacement, bool hasBackup) {
    if (replaced.empty() || replacement.empty() || hasBackup) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    struct stat st;
    if (stat(replaced.c_str(), &st) != 0) {
        SetLastError(errno == ENOENT ? ERROR_FILE_NOT_FOUND : ErrorFromErrno(errno));
        return FALSE;
    }
    if (chmod(replacement.c_str(), st.st_mode & 07777) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    if (chown(replacement.c_str(), st.st_uid, st.st_gid) != 0 && chown(replacement.c_str(), static_cast<uid_t>(-1), st.st_gid) != 0) {
        // Not permitted: the replacement keeps the caller as its owner, as Windows does.
    }
    if (rename(replacement.c_str(), replaced.c_str()) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

}  // namespace

DWORD WINAPI GetFileAttributesW(LPCWSTR name) {
    if (FIG_FAULT_POINT("GetFileAttributesW")) return SetLastError(ERROR_ACCESS_DENIED), INVALID_FILE_ATTRIBUTES;
    if (!name) return SetLastError(ERROR_INVALID_PARAMETER), INVALID_FILE_ATTRIBUTES;
    return PathAttributes(figplat::PathFromWide(name));
}

DWORD WINAPI GetFileAttributesA(LPCSTR name) {
    if (FIG_FAULT_POINT("GetFileAttributesA")) return SetLastError(ERROR_ACCESS_DENIED), INVALID_FILE_ATTRIBUTES;
    if (!name) return SetLastError(ERROR_INVALID_PARAMETER), INVALID_FILE_ATTRIBUTES;
    return PathAttributes(figplat::PathFromNarrow(name));
}

BOOL WINAPI GetFileInformationByHandle(HANDLE handle, LPBY_HANDLE_FILE_INFORMATION information) {
    if (FIG_FAULT_POINT("GetFileInformationByHandle")) return SetLastError(ERROR_ACCESS_DENIED), FALSE;
    const int fd = figplat::FileDescriptor(handle);
    if (fd < 0) return FALSE;
    struct stat st;
    if (!information || fstat(fd, &st) != 0) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
    *information = BY_HANDLE_FILE_INFORMATION{};
    information->dwFileAttributes = AttributesOf(st);
    information->dwVolumeSerialNumber = static_cast<DWORD>(st.st_dev);
    information->nFileSizeHigh = static_cast<DWORD>(static_cast<unsigned long long>(st.st_size) >> 32);
    information->nFileSizeLow = static_cast<DWORD>(st.st_size);
    information->nNumberOfLinks = static_cast<DWORD>(st.st_nlink);
    information->nFileIndexHigh = static_cast<DWORD>(static_cast<unsigned long long>(st.st_ino) >> 32);
    information->nFileIndexLow = static_cast<DWORD>(st.st_ino);
    return TRUE;
}

DWORD WINAPI GetFinalPathNameByHandleW(HANDLE handle, LPWSTR path, DWORD size, DWORD) {
    if (FIG_FAULT_POINT("GetFinalPathNameByHandleW")) return SetLastError(ERROR_ACCESS_DENIED), 0;
    const std::string final = FinalPath(handle);
    if (final.empty()) return 0;
    return CopyOut(figplat::Utf8ToUtf16(final), path, size);
}

DWORD WINAPI GetFinalPathNameByHandleA(HANDLE handle, LPSTR path, DWORD size, DWORD) {
    if (FIG_FAULT_POINT("GetFinalPathNameByHandleA")) return SetLastError(ERROR_ACCESS_DENIED), 0;
    const std::string final = FinalPath(handle);
    if (final.empty()) return 0;
    return CopyOut(figplat::Utf16ToCp1252(figplat::Utf8ToUtf16(final)), path, size);
}

BOOL WINAPI ReplaceFileW(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD, LPVOID, LPVOID) {
    if (FIG_FAULT_POINT("ReplaceFileW")) return SetLastError(ERROR_UNABLE_TO_REMOVE_REPLACED), FALSE;
    if (!replaced || !replacement) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
    return ReplacePath(figplat::PathFromWide(replaced), figplat::PathFromWide(replacement), backup != nullptr);
}

BOOL WINAPI ReplaceFileA(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD, LPVOID, LPVOID) {
    if (FIG_FAULT_POINT("ReplaceFileA")) return SetLastError(ERROR_UNABLE_TO_REMOVE_REPLACED), FALSE;
    if (!replaced || !replacement) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
    return ReplacePath(figplat::PathFromNarrow(replaced), figplat::PathFromNarrow(replacement), backup != nullptr);
}
