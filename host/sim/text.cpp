#include <windows.h>

#include <vector>

#include "figsim.h"

namespace figsim {

// UTF-8 goes through kernel32's conversions, so the simulator reads and writes text as a host
// on Windows does: a bad byte sequence becomes one U+FFFD, a lone surrogate U+FFFD.
std::u32string Utf8ToUtf32(const std::string &utf8) {
    if (utf8.empty() || utf8.size() > 0x7FFFFFFF) return {};
    const int bytes = static_cast<int>(utf8.size());
    std::vector<WCHAR> wide(utf8.size());  // never more units than bytes
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, wide.data(), bytes);
    std::u32string out;
    out.reserve(static_cast<size_t>(units));
    for (int i = 0; i < units; ++i) {
        const char32_t unit = static_cast<char16_t>(wide[i]);
        // Only whole pairs come out of the conversion.
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            out += 0x10000 + ((unit - 0xD800) << 10) + (static_cast<char16_t>(wide[++i]) - 0xDC00);
            continue;
        }
        out += unit;
    }
    return out;
}

std::string Utf32ToUtf8(const std::u32string &text) {
    std::vector<WCHAR> wide;
    wide.reserve(text.size());
    for (char32_t c : text) {
        if (c > 0x10FFFF) c = 0xFFFD;
        if (c < 0x10000) {
            wide.push_back(static_cast<WCHAR>(c));  // a surrogate on its own stays one, for the conversion to replace
            continue;
        }
        wide.push_back(static_cast<WCHAR>(0xD800 + ((c - 0x10000) >> 10)));
        wide.push_back(static_cast<WCHAR>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
    if (wide.empty() || wide.size() > 0x7FFFFFFF / 3) return {};
    const int units = static_cast<int>(wide.size());
    std::string out(3 * wide.size(), '\0');  // never more than 3 bytes a unit
    out.resize(static_cast<size_t>(
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

namespace {

// Code page 1252 bytes 0x80 to 0x9F; 0 where the code page has no character.
const char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

uint8_t Utf32ToCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<uint8_t>(c);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] != 0 && kCp1252High[i] == c) return static_cast<uint8_t>(0x80 + i);
    return '?';
}

char32_t Cp1252ToUtf32(uint8_t byte) {
    if (byte < 0x80 || byte >= 0xA0) return byte;
    return kCp1252High[byte - 0x80] ? kCp1252High[byte - 0x80] : byte;  // undefined bytes pass as C1 controls
}

}  // namespace figsim
