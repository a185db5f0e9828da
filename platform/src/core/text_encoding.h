// Text conversions the platform needs at its edges: UTF-16 (the wide calls), the
// Windows-1252 code page (the 8-bit calls) and UTF-8 (Linux paths, stored resources).
#pragma once

#include <windows.h>

#include <string>

namespace figplat {

// UTF-8 decoded as Windows' MultiByteToWideChar decodes it: each bad sequence becomes one
// U+FFFD, and `allMapped`, where given, says whether any did.
std::u16string Utf8ToUtf16(const std::string &utf8, bool *allMapped = nullptr);
// Lone surrogates become U+FFFD, as WideCharToMultiByte makes them.
std::string Utf16ToUtf8(const std::u16string &utf16, bool *allMapped = nullptr);
// Code page 1252 as Windows maps it; the five undefined bytes map to U+0081 etc.
char16_t Cp1252ToUnicode(unsigned char byte);
// Unmappable characters become '?', as WideCharToMultiByte's default character.
unsigned char UnicodeToCp1252(char16_t unit);
std::u16string Cp1252ToUtf16(const char *text, size_t length);
std::string Utf16ToCp1252(const std::u16string &utf16);
// Length of a zero-terminated UTF-16 string.
size_t Utf16Length(const WCHAR *text);

}  // namespace figplat
