#include "script_lexer.h"

#include <cctype>
#include <charconv>

namespace figcli {
namespace {

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class Lexer {
public:
    Lexer(const std::string &source, std::vector<Token> *tokens) : s_(source), tokens_(tokens) {
        if (s_.compare(0, 3, "\xEF\xBB\xBF") == 0) at_ = lineStart_ = 3;  // a UTF-8 byte-order mark
    }

    bool Run(SourceError *error) {
        while (at_ < s_.size()) {
            const char c = s_[at_];
            if (c == '\n') {
                Push(Token::Kind::LineEnd, "", 1);
                ++line_;
                lineStart_ = at_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++at_;
            } else if (c == '#' && StartsHexColour()) {
                Push(Token::Kind::Name, s_.substr(at_, 7), 7);
            } else if (c == '#') {
                while (at_ < s_.size() && s_[at_] != '\n') ++at_;
            } else if (IsNameStart(c)) {
                size_t end = at_;
                while (end < s_.size() && IsNameChar(s_[end])) ++end;
                Push(Token::Kind::Name, s_.substr(at_, end - at_), end - at_);
            } else if (StartsNumber()) {
                if (!LexNumber(error)) return false;
            } else if (c == '"' || c == '\'') {
                if (!LexText(error)) return false;
            } else if (c == '(' || c == ')' || c == ',' || c == '.' || c == '=') {
                Push(Token::Kind::Punct, std::string(1, c), 1);
            } else {
                return Fail(error, Here(), "unexpected character " + QuoteCharacterAt(s_, at_));
            }
        }
        tokens_->push_back(Token{Token::Kind::LineEnd, "", 0, Here()});
        return true;
    }

private:
    SourcePosition Here() const { return {line_, static_cast<int>(at_ - lineStart_) + 1}; }
    void Push(Token::Kind kind, std::string text, size_t length) {
        tokens_->push_back(Token{kind, std::move(text), 0, Here()});
        at_ += length;
    }
    bool Fail(SourceError *error, SourcePosition at, std::string message) {
        error->at = at;
        error->message = std::move(message);
        return false;
    }
    // "#RRGGBB" where a value belongs (after '(', ',' or '=') is a colour word; anywhere else
    // '#' starts a comment.
    bool StartsHexColour() const {
        if (tokens_->empty() || tokens_->back().kind != Token::Kind::Punct) return false;
        const char before = tokens_->back().text[0];
        if (before != '(' && before != ',' && before != '=') return false;
        if (at_ + 7 > s_.size() || (at_ + 7 < s_.size() && IsNameChar(s_[at_ + 7]))) return false;
        for (size_t i = at_ + 1; i < at_ + 7; ++i)
            if (!std::isxdigit(static_cast<unsigned char>(s_[i]))) return false;
        return true;
    }
    bool StartsNumber() const {
        size_t i = at_;
        if (s_[i] == '-' || s_[i] == '+') ++i;
        if (i < s_.size() && s_[i] == '.') ++i;
        return i < s_.size() && IsDigit(s_[i]);
    }

    // A number runs on over letters and digits so that "12px" is one bad number, not two tokens.
    bool LexNumber(SourceError *error) {
        size_t end = at_ + 1;
        while (end < s_.size() && (IsNameChar(s_[end]) || s_[end] == '.' ||
                                   ((s_[end] == '-' || s_[end] == '+') && (s_[end - 1] == 'e' || s_[end - 1] == 'E'))))
            ++end;
        const std::string spelling = s_.substr(at_, end - at_);
        const char *first = spelling.data() + (spelling[0] == '+' ? 1 : 0);
        double value = 0;
        const auto [stop, status] = std::from_chars(first, spelling.data() + spelling.size(), value);
        if (status != std::errc() || stop != spelling.data() + spelling.size())
            return Fail(error, Here(), "bad number '" + spelling + "'");
        tokens_->push_back(Token{Token::Kind::Number, spelling, value, Here()});
        at_ = end;
        return true;
    }

    // Text in double or single quotes; a backslash escapes the quote, itself, n and t.
    bool LexText(SourceError *error) {
        const SourcePosition start = Here();
        const char quote = s_[at_];
        std::string text;
        size_t i = at_ + 1;
        for (;; ++i) {
            if (i >= s_.size() || s_[i] == '\n') return Fail(error, start, "text has no closing quote");
            if (s_[i] == quote) break;
            if (s_[i] == '\\' && i + 1 < s_.size() && s_[i + 1] != '\n') {
                const char e = s_[++i];
                text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                continue;
            }
            text += s_[i];
        }
        tokens_->push_back(Token{Token::Kind::Text, text, 0, start});
        at_ = i + 1;
        return true;
    }

    const std::string &s_;
    std::vector<Token> *tokens_;
    size_t at_ = 0;
    size_t lineStart_ = 0;  // index of the line's first character
    int line_ = 1;
};

}  // namespace

bool Tokenize(const std::string &source, std::vector<Token> *tokens, SourceError *error) {
    tokens->clear();
    return Lexer(source, tokens).Run(error);
}

}  // namespace figcli
