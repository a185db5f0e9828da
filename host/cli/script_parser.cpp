#include "script_parser.h"

#include <strings.h>

namespace figcli {
namespace {

const char *const kKeywords[] = {"Number", "Text", "Picture", "List", "Do", "Returns",
                                 "Save", "Print", "Blank", "Load", "Csv"};

bool Is(const Token &t, const char *keyword) { return t.kind == Token::Kind::Name && strcasecmp(t.text.c_str(), keyword) == 0; }
bool IsPunct(const Token &t, char c) { return t.kind == Token::Kind::Punct && t.text[0] == c; }

std::string Describe(const Token &t) {
    switch (t.kind) {
        case Token::Kind::LineEnd: return "the end of the line";
        case Token::Kind::Text: return "text \"" + ReadableText(t.text) + "\"";
        default: return "'" + t.text + "'";
    }
}

class Parser {
public:
    Parser(const std::vector<Token> &tokens, SourceError *error) : t_(tokens), error_(error) {}

    bool Run(std::vector<Statement> *statements) {
        while (at_ < t_.size()) {
            if (Peek().kind == Token::Kind::LineEnd) {
                ++at_;
                continue;
            }
            Statement s;
            if (!ParseStatement(&s) || !Expect(Token::Kind::LineEnd, "the end of the statement")) return false;
            statements->push_back(std::move(s));
        }
        return true;
    }

private:
    const Token &Peek() const { return t_[at_]; }
    const Token &Next() { return t_[at_++]; }
    bool Fail(SourcePosition at, std::string message) {
        error_->at = at;
        error_->message = std::move(message);
        return false;
    }
    bool FailHere(const std::string &wanted) { return Fail(Peek().at, "expected " + wanted + ", found " + Describe(Peek())); }
    bool Expect(Token::Kind kind, const std::string &wanted) {
        if (Peek().kind != kind) return FailHere(wanted);
        ++at_;
        return true;
    }
    bool ExpectPunct(char c) {
        if (!IsPunct(Peek(), c)) return FailHere(std::string("'") + c + "'");
        ++at_;
        return true;
    }
    bool VariableName(std::string *name, SourcePosition *at) {
        if (Peek().kind != Token::Kind::Name) return FailHere("a variable name");
        for (const char *k : kKeywords)
            if (Is(Peek(), k)) return Fail(Peek().at, "'" + Peek().text + "' is a keyword, not a variable name");
        *at = Peek().at;
        *name = Next().text;
        return true;
    }

    bool ParseStatement(Statement *s) {
        const Token &first = Peek();
        s->at = first.at;
        static const std::pair<const char *, VarType> kTypes[] = {
            {"Number", VarType::Number}, {"Text", VarType::Text}, {"Picture", VarType::Picture}, {"List", VarType::List}};
        for (const auto &[keyword, type] : kTypes)
            if (Is(first, keyword)) {
                ++at_;
                s->kind = Statement::Kind::Declare;
                s->type = type;
                return ParseDeclaration(s);
            }
        if (Is(first, "Do")) {
            ++at_;
            s->kind = Statement::Kind::Do;
            return ParseDo(s);
        }
        if (Is(first, "Save")) {
            s->kind = Statement::Kind::Save;
            s->call.emplace();
            return ParseCall(&*s->call);
        }
        if (Is(first, "Print")) {
            ++at_;
            s->kind = Statement::Kind::Print;
            return ParseOperands(&s->items, Token::Kind::LineEnd);
        }
        return Fail(first.at, "expected a statement (Number, Text, Picture, List, Do, Save or Print), found " + Describe(first));
    }

    bool ParseDeclaration(Statement *s) {
        if (!VariableName(&s->variable, &s->variableAt)) return false;
        if (!IsPunct(Peek(), '=')) return true;
        ++at_;
        if (Is(Peek(), "Blank") || Is(Peek(), "Load") || Is(Peek(), "Csv")) {
            s->call.emplace();
            return ParseCall(&*s->call);
        }
        s->value.emplace();
        return ParseOperand(&*s->value);
    }

    bool ParseDo(Statement *s) {
        if (Peek().kind != Token::Kind::Name) return FailHere("a function name such as figPlot.DrawLine");
        const SourcePosition at = Peek().at;
        std::string name = Next().text;
        if (!ExpectPunct('.')) return false;
        if (Peek().kind != Token::Kind::Name) return FailHere("a function name after '.'");
        name += "." + Next().text;
        s->call.emplace();
        if (!ParseCallArguments(&*s->call, name, at)) return false;
        if (!Is(Peek(), "Returns")) return true;
        ++at_;
        return VariableName(&s->variable, &s->variableAt);
    }

    // A built-in call: its name token, then the arguments.
    bool ParseCall(Call *call) {
        const Token &name = Next();
        return ParseCallArguments(call, name.text, name.at);
    }

    bool ParseCallArguments(Call *call, std::string name, SourcePosition at) {
        call->name = std::move(name);
        call->at = at;
        return ExpectPunct('(') && ParseOperands(&call->args, Token::Kind::Punct) && ExpectPunct(')');
    }

    // Operands separated by commas, up to a line end or a ')' (`closer`).
    bool ParseOperands(std::vector<Operand> *operands, Token::Kind closer) {
        const auto atCloser = [&] { return closer == Token::Kind::Punct ? IsPunct(Peek(), ')') : Peek().kind == closer; };
        if (atCloser()) return true;
        for (;;) {
            operands->emplace_back();
            if (!ParseOperand(&operands->back())) return false;
            if (atCloser()) return true;
            if (!ExpectPunct(',')) return false;
        }
    }

    bool ParseOperand(Operand *operand) {
        const Token &t = Peek();
        operand->at = t.at;
        switch (t.kind) {
            case Token::Kind::Number:
                operand->kind = Operand::Kind::Number;
                operand->number = Next().number;
                return true;
            case Token::Kind::Text:
                operand->kind = Operand::Kind::Text;
                operand->text = Next().text;
                return true;
            case Token::Kind::Name:
                operand->kind = Operand::Kind::Variable;
                return VariableName(&operand->text, &operand->at);
            default: return FailHere("a number, a text in quotes or a variable");
        }
    }

    const std::vector<Token> &t_;
    SourceError *error_;
    size_t at_ = 0;
};

}  // namespace

const char *VarTypeName(VarType type) {
    switch (type) {
        case VarType::Number: return "number";
        case VarType::Text: return "text";
        case VarType::Picture: return "picture";
        case VarType::List: return "list";
    }
    return "?";
}

bool ParseScript(const std::vector<Token> &tokens, std::vector<Statement> *statements, SourceError *error) {
    statements->clear();
    return Parser(tokens, error).Run(statements);
}

}  // namespace figcli
