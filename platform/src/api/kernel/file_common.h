// What the file calls share: Windows error codes for errno values, paths of the wide and
// the 8-bit calls as UTF-8, and the descriptor behind a file handle.
#pragma once

#include <windows.h>

#include <string>

namespace figplat {

DWORD ErrorFromErrno(int err);
std::string PathFromWide(LPCWSTR name);
// Paths of the 8-bit calls are in the Windows code page.
std::string PathFromNarrow(LPCSTR name);
// The descriptor of a file handle; -1 with ERROR_INVALID_HANDLE set for any other handle.
int FileDescriptor(HANDLE handle);

}  // namespace figplat
