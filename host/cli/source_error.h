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

// "file:line:column: message", or "file: message" for the file as a whole.
std::string FormatError(const SourceError &error);
// Prints the error to stderr as "figplot: " + FormatError.
void ReportError(const SourceError &error);

}  // namespace figcli
