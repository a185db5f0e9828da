// Test support for the Windows build of the host simulator: routes a module's calls to the
// hooked gdi32, user32 and kernel32 functions through the hooks of api_hooks.cpp.
#pragma once

#include <windows.h>

namespace figsim {

// Rewrites the module's import address table; the test program's own imports are
// rewritten when the simulator starts.
void InstallApiHooks(HMODULE module);

}  // namespace figsim
