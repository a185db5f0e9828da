// The script language's tokens: names, numbers, texts in quotes, ( ) , . = and line ends.
// A # starts a comment that runs to the end of the line.
#pragma once

#include <string>
#include <vector>

#include "source_error.h"

namespace figcli {

struct Token {
    enum class Kind { Name, Number, Text, Punct, LineEnd };
    Kind kind = Kind::LineEnd;
    std::string text;  // the name, the text's characters (UTF-8), the punctuation mark
    double number = 0;
    SourcePosition at;
};

// Splits a script into tokens, ending every line (the last one too) with a LineEnd token.
// False with `error` set (its message and position; the caller names the file).
bool Tokenize(const std::string &source, std::vector<Token> *tokens, SourceError *error);

}  // namespace figcli
