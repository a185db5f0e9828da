// The Windows API for the scene runner. Natively this is the platform's <windows.h>; under
// mingw-w64 it is the real one. The runner may call only what the platform header declares.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX  // mingw's C++ headers may have defined it already
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

namespace scenes {

// Both sides use 16-bit wide characters; only the C++ type differs (char16_t here, wchar_t
// under mingw), so the runner keeps its text as char16_t and casts at the call.
inline LPCWSTR Wide(const std::u16string& text) { return reinterpret_cast<LPCWSTR>(text.c_str()); }

}  // namespace scenes
