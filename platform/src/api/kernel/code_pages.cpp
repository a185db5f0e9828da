// MultiByteToWideChar and WideCharToMultiByte for UTF-8, the one code page hosts convert
// through (the 8-bit calls' code page 1252 is converted inside the platform). Sizes, flags
// and errors follow kernel32: a length of -1 counts the terminating zero, an output size of
// 0 asks for the size needed, a buffer too small fails with ERROR_INSUFFICIENT_BUFFER and
// nothing promised about its contents.
#include <windows.h>

#include <cstring>
#include <string>

#include "core/text_encoding.h"

namespace {

int Fail(DWORD error) {
    SetLastError(error);
    return 0;
}

// The text's length in units, the zero counted where `length` is -1; -2 for a bad length.
template <typename Unit>
int UnitsOf(const Unit *text, int length) {
    if (length != -1) return length > 0 ? length : -2;
    int n = 0;
    while (text[n]) ++n;
    return n + 1;
}

// Copies a converted text out, or only says its size when `room` is 0.
template <typename Unit, typename Text>
int CopyOut(const Text &converted, Unit *out, int room) {
    const auto size = converted.size();
    if (size > 0x7FFFFFFF) return Fail(ERROR_INVALID_PARAMETER);
    if (room == 0) return static_cast<int>(size);
    if (size > static_cast<size_t>(room)) return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(out, converted.data(), size * sizeof(Unit));
    return static_cast<int>(size);
}

}  // namespace

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int bytes, LPWSTR wide, int units) {
    if (codePage != CP_UTF8 || !text || units < 0 || (units > 0 && !wide)) return Fail(ERROR_INVALID_PARAMETER);
    // Precomposed and glyph characters mean nothing to UTF-8: accepted and ignored.
    if (flags & ~static_cast<DWORD>(MB_PRECOMPOSED | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS))
        return Fail(ERROR_INVALID_FLAGS);
    const int length = UnitsOf(text, bytes);
    if (length < 0) return Fail(ERROR_INVALID_PARAMETER);
    bool allMapped = true;
    const std::u16string converted = figplat::Utf8ToUtf16(std::string(text, static_cast<size_t>(length)), &allMapped);
    if (!allMapped && (flags & MB_ERR_INVALID_CHARS)) return Fail(ERROR_NO_UNICODE_TRANSLATION);
    return CopyOut(converted, wide, units);
}

int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int units, LPSTR text, int bytes,
                               LPCSTR defaultChar, LPBOOL usedDefaultChar) {
    // UTF-8 has no default character: Windows refuses one.
    if (codePage != CP_UTF8 || !wide || bytes < 0 || (bytes > 0 && !text) || defaultChar || usedDefaultChar)
        return Fail(ERROR_INVALID_PARAMETER);
    if (flags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) return Fail(ERROR_INVALID_FLAGS);
    const int length = UnitsOf(wide, units);
    if (length < 0) return Fail(ERROR_INVALID_PARAMETER);
    bool allMapped = true;
    const std::string converted = figplat::Utf16ToUtf8(std::u16string(wide, static_cast<size_t>(length)), &allMapped);
    if (!allMapped && (flags & WC_ERR_INVALID_CHARS)) return Fail(ERROR_NO_UNICODE_TRANSLATION);
    return CopyOut(converted, text, bytes);
}
