#include "text_encoding.h"

namespace figplat {
namespace {

// Bytes 0x80 to 0x9F of code page 1252; the rest of the page is Latin-1.
const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string &out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string &out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

// One character from the bytes after `lead` (a byte from 0x80 up), as Windows decodes UTF-8:
// the lead byte and each continuation byte read before the sequence proves bad are taken, and
// the whole is U+FFFD; overlong forms, surrogates and values past U+10FFFF are bad; a sequence
// cut short by the end of the text takes the rest of the text.
char32_t DecodeUtf8(unsigned char lead, const unsigned char *&at, const unsigned char *end) {
    constexpr char32_t kBad = 0xFFFFFFFF;
    const int extra = lead >= 0xF5 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : 0;
    if (extra == 0) return kBad;
    if (end - at < extra) {
        at = end;
        return kBad;
    }
    char32_t c = lead & (0x7F >> (extra + 1));
    for (int k = 1; k <= extra; ++k) {
        const unsigned bits = *at ^ 0x80u;
        if (bits >= 0x40) return kBad;  // not a continuation byte: it starts the next character
        c = (c << 6) | bits;
        ++at;
        // After the second byte the value shows an overlong form, a surrogate or a value past
        // U+10FFFF; Windows stops there, the second byte taken.
        if (k == 1 && extra == 3 && (c < 0x10 || c >= 0x110)) return kBad;
        if (k == 1 && extra == 2 && (c < 0x20 || (c >= (0xD800 >> 6) && c <= (0xDFFF >> 6)))) return kBad;
    }
    return c;
}

}  // namespace

std::u16string Utf8ToUtf16(const std::string &utf8, bool *allMapped) {
    std::u16string out;
    if (allMapped) *allMapped = true;
    const auto *at = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto *end = at + utf8.size();
    while (at < end) {
        const unsigned char b = *at++;
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
            continue;
        }
        char32_t c = DecodeUtf8(b, at, end);
        if (c > 0x10FFFF) {
            c = 0xFFFD;
            if (allMapped) *allMapped = false;
        }
        AppendUtf16(out, c);
    }
    return out;
}

std::string Utf16ToUtf8(const std::u16string &utf16, bool *allMapped) {
    std::string out;
    if (allMapped) *allMapped = true;
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
            if (allMapped) *allMapped = false;
        }
        AppendUtf8(out, c);
    }
    return out;
}

char16_t Cp1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kCp1252High[byte - 0x80];
    return byte;
}

unsigned char UnicodeToCp1252(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<unsigned char>(unit);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == unit) return static_cast<unsigned char>(0x80 + i);
    return '?';
}

std::u16string Cp1252ToUtf16(const char *text, size_t length) {
    std::u16string out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) out += Cp1252ToUnicode(static_cast<unsigned char>(text[i]));
    return out;
}

std::string Utf16ToCp1252(const std::u16string &utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (char16_t unit : utf16) out += static_cast<char>(UnicodeToCp1252(unit));
    return out;
}

size_t Utf16Length(const WCHAR *text) {
    size_t n = 0;
    if (text)
        while (text[n]) ++n;
    return n;
}

}  // namespace figplat
