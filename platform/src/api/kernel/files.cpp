// CreateFile, WriteFile, ReadFile and CloseHandle over POSIX descriptors.
#include <fcntl.h>
#include <figplatform.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "core/faults.h"
#include "core/registry.h"
#include "core/text_encoding.h"
#include "file_common.h"

namespace figplat {

DWORD ErrorFromErrno(int err) {
    switch (err) {
        case ENOENT:
        case ENOTDIR: return ERROR_PATH_NOT_FOUND;
        case EEXIST: return ERROR_FILE_EXISTS;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS: return ERROR_ACCESS_DENIED;
        case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
        case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
        default: return ERROR_WRITE_FAULT;
    }
}

std::string PathFromWide(LPCWSTR name) { return Utf16ToUtf8(std::u16string(name, Utf16Length(name))); }

std::string PathFromNarrow(LPCSTR name) {
    return Utf16ToUtf8(Cp1252ToUtf16(name, std::char_traits<char>::length(name)));
}

}  // namespace figplat

namespace {

using figplat::ErrorFromErrno;

#ifdef FIGPLOT_TEST_HOOKS
std::atomic<int> writesBeforeShort{0};  // 0: disarmed; 1: the next WriteFile is cut short

// True for the write an armed PlatformShortenNthWrite cuts short.
bool CutShort() {
    int left = writesBeforeShort.load();
    while (left > 0 && !writesBeforeShort.compare_exchange_weak(left, left - 1)) {
    }
    return left == 1;
}
#else
constexpr bool CutShort() { return false; }
#endif
using figplat::PathFromNarrow;
using figplat::PathFromWide;

struct File {
    int fd;
};

// Access 0 opens for queries only, as on Windows: no read or write permission is needed.
int OpenFlags(DWORD access, DWORD disposition, bool *valid) {
    int flags = O_CLOEXEC;
    const bool read = (access & GENERIC_READ) != 0, write = (access & GENERIC_WRITE) != 0;
    flags |= read && write ? O_RDWR : write ? O_WRONLY : read ? O_RDONLY : O_PATH;
    *valid = true;
    switch (disposition) {
        case CREATE_NEW: return flags | O_CREAT | O_EXCL;
        case CREATE_ALWAYS: return flags | O_CREAT | O_TRUNC;
        case OPEN_EXISTING: return flags;
        case OPEN_ALWAYS: return flags | O_CREAT;
        case TRUNCATE_EXISTING: return flags | O_TRUNC;
        default: *valid = false; return flags;
    }
}

HANDLE OpenPath(const std::string &path, DWORD access, DWORD disposition) {
    bool valid = false;
    int flags = OpenFlags(access, disposition, &valid);
    if (!valid || path.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    int fd = open(path.c_str(), flags, 0644);
    if (fd < 0) {
        SetLastError(ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    return figplat::RegisterObject(PlatformFile, new File{fd});
}

File *FindFile(HANDLE handle) {
    auto *file = static_cast<File *>(figplat::LookupObject(handle, PlatformFile));
    if (!file) SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

// rename() replaces atomically; without the replace flag an existing target is kept.
BOOL MovePath(const std::string &from, const std::string &to, DWORD flags) {
    if (from.empty() || to.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!(flags & MOVEFILE_REPLACE_EXISTING) && access(to.c_str(), F_OK) == 0) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return FALSE;
    }
    if (rename(from.c_str(), to.c_str()) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

BOOL DeletePath(const std::string &path) {
    if (unlink(path.c_str()) != 0) {
        SetLastError(errno == ENOENT ? ERROR_FILE_NOT_FOUND : ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// Both entry points fail the same way before a path is looked at.
HANDLE Refuse(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

int figplat::FileDescriptor(HANDLE handle) {
    File *file = FindFile(handle);
    return file ? file->fd : -1;
}

HANDLE WINAPI CreateFileW(LPCWSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD,
                          HANDLE) {
    if (FIG_FAULT_POINT("CreateFileW")) return Refuse(ERROR_ACCESS_DENIED);
    if (!name) return Refuse(ERROR_INVALID_PARAMETER);
    return OpenPath(PathFromWide(name), access, disposition);
}

HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD,
                          HANDLE) {
    if (FIG_FAULT_POINT("CreateFileA")) return Refuse(ERROR_ACCESS_DENIED);
    if (!name) return Refuse(ERROR_INVALID_PARAMETER);
    return OpenPath(PathFromNarrow(name), access, disposition);
}

BOOL WINAPI WriteFile(HANDLE handle, LPCVOID data, DWORD bytes, LPDWORD written, LPOVERLAPPED) {
    if (written) *written = 0;
    if (FIG_FAULT_POINT("WriteFile")) {
        SetLastError(ERROR_WRITE_FAULT);
        return FALSE;
    }
    File *file = FindFile(handle);
    if (!file) return FALSE;
    if (CutShort()) bytes /= 2;
    const char *p = static_cast<const char *>(data);
    DWORD done = 0;
    while (done < bytes) {
        ssize_t n = write(file->fd, p + done, bytes - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            SetLastError(ErrorFromErrno(errno));
            if (written) *written = done;
            return FALSE;
        }
        done += static_cast<DWORD>(n);
    }
    if (written) *written = done;
    return TRUE;
}

#ifdef FIGPLOT_TEST_HOOKS
void PlatformShortenNthWrite(int n) { writesBeforeShort.store(n > 0 ? n : 0); }
#endif

BOOL WINAPI ReadFile(HANDLE handle, LPVOID data, DWORD bytes, LPDWORD read, LPOVERLAPPED) {
    if (read) *read = 0;
    File *file = FindFile(handle);
    if (!file) return FALSE;
    ssize_t n;
    do n = ::read(file->fd, data, bytes);
    while (n < 0 && errno == EINTR);
    if (n < 0) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    if (read) *read = static_cast<DWORD>(n);
    return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE handle) {
    auto *file = static_cast<File *>(figplat::UnregisterObject(handle, PlatformFile));
    if (!file) {
        figplat::NoteFailedRelease(handle);
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // The handle is gone either way, as on Windows; a failing close still reports failure.
    bool failed = FIG_FAULT_POINT("CloseHandle");
    failed = close(file->fd) != 0 || failed;
    delete file;
    if (failed) SetLastError(ERROR_WRITE_FAULT);
    return failed ? FALSE : TRUE;
}

BOOL WINAPI MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags) {
    if (FIG_FAULT_POINT("MoveFileExW")) return Fail(ERROR_ACCESS_DENIED);
    if (!from || !to) return Fail(ERROR_INVALID_PARAMETER);
    return MovePath(PathFromWide(from), PathFromWide(to), flags);
}

BOOL WINAPI MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
    if (FIG_FAULT_POINT("MoveFileExA")) return Fail(ERROR_ACCESS_DENIED);
    if (!from || !to) return Fail(ERROR_INVALID_PARAMETER);
    return MovePath(PathFromNarrow(from), PathFromNarrow(to), flags);
}

BOOL WINAPI DeleteFileW(LPCWSTR name) {
    if (FIG_FAULT_POINT("DeleteFileW")) return Fail(ERROR_ACCESS_DENIED);
    if (!name) return Fail(ERROR_INVALID_PARAMETER);
    return DeletePath(PathFromWide(name));
}

BOOL WINAPI DeleteFileA(LPCSTR name) {
    if (FIG_FAULT_POINT("DeleteFileA")) return Fail(ERROR_ACCESS_DENIED);
    if (!name) return Fail(ERROR_INVALID_PARAMETER);
    return DeletePath(PathFromNarrow(name));
}

BOOL WINAPI SetEndOfFile(HANDLE handle) {
    if (FIG_FAULT_POINT("SetEndOfFile")) return Fail(ERROR_WRITE_FAULT);
    File *file = FindFile(handle);
    if (!file) return FALSE;
    const off_t at = lseek(file->fd, 0, SEEK_CUR);
    if (at < 0 || ftruncate(file->fd, at) != 0) return Fail(ErrorFromErrno(errno));
    return TRUE;
}
