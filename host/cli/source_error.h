// An error in a script or a list, with where it was found.
#pragma once

#include <string>

namespace figcli {

struct SourcePosition {
    int line = 0;    // 1-based; 0: the file as a whole
    int column = 0;  // 1-based
};

struct SourceError {
    std::string file;
    SourcePosition at;
    std::string message;
};

// `text` as a message shows it: UTF-8 as it is, other bytes and control characters escaped.
std::string ReadableText(const std::string &text);
// The character that starts at `at` in quotes with its code point ("'é' (U+00E9)"), or the
// byte in hexadecimal when no UTF-8 character starts there.
std::string QuoteCharacterAt(const std::string &text, size_t at);

// "file:line:column: message", or "file: message" for the file as a whole.
std::string FormatError(const SourceError &error);
// Prints the error to stderr as "figplot: " + FormatError.
void ReportError(const SourceError &error);

}  // namespace figcli
