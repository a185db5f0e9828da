#include "source_error.h"

#include <cstdio>

namespace figcli {

std::string FormatError(const SourceError &error) {
    if (error.at.line <= 0) return error.file + ": " + error.message;
    return error.file + ":" + std::to_string(error.at.line) + ":" + std::to_string(error.at.column) + ": " + error.message;
}

void ReportError(const SourceError &error) { std::fprintf(stderr, "figplot: %s\n", FormatError(error).c_str()); }

}  // namespace figcli
