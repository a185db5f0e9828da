#include "source_error.h"

#include <cstdio>

namespace figcli {
namespace {

// The length of the well-formed UTF-8 character at `at` and its code point; 0 when none.
size_t Utf8CharacterAt(const std::string &text, size_t at, char32_t *code) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    *code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return 0;
        *code = *code << 6 | (next & 0x3F);
    }
    static const char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};  // shorter spellings are not UTF-8
    if (*code < kLeast[length] || *code > 0x10FFFF || (*code >= 0xD800 && *code <= 0xDFFF)) return 0;
    return length;
}

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

}  // namespace

std::string ReadableText(const std::string &text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const size_t length = Utf8CharacterAt(text, i, &code);
        if (length == 0 || code < 0x20 || code == 0x7F) {
            const unsigned char byte = static_cast<unsigned char>(text[i]);
            out += byte == '\n' ? "\\n" : byte == '\t' ? "\\t" : "\\x" + Hex(byte, 2);
            ++i;
            continue;
        }
        out.append(text, i, length);
        i += length;
    }
    return out;
}

std::string QuoteCharacterAt(const std::string &text, size_t at) {
    char32_t code = 0;
    const size_t length = Utf8CharacterAt(text, at, &code);
    if (length == 0) return "byte 0x" + Hex(static_cast<unsigned char>(text[at]), 2) + " (not UTF-8)";
    const std::string shown = code < 0x20 || code == 0x7F ? ReadableText(text.substr(at, length)) : text.substr(at, length);
    return "'" + shown + "' (U+" + Hex(static_cast<unsigned>(code), 4) + ")";
}

std::string FormatError(const SourceError &error) {
    if (error.at.line <= 0) return error.file + ": " + error.message;
    return error.file + ":" + std::to_string(error.at.line) + ":" + std::to_string(error.at.column) + ": " + error.message;
}

void ReportError(const SourceError &error) { std::fprintf(stderr, "figplot: %s\n", FormatError(error).c_str()); }

}  // namespace figcli
