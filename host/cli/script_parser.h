// The script language, statement by statement (one a line):
//
//   Number rc                         declarations, with an optional initial value:
//   Text title = "Sales"                a number, a text in quotes, another variable,
//   Picture chart = Blank(320, 200, 24)   Blank(width, height, depth) (a white picture),
//   Picture photo = Load("photo.png")     Load(file) (.bmp or .png),
//   List bars = Csv("bars.csv")           Csv(file) (header row = column names)
//   Do figPlot.DrawLine(chart, 2, 13, 10, 10, 100, 100) Returns rc
//   Save(chart, "chart.png")
//   Print "size:", w, h
//
// Keywords are matched without regard to case; variable names are case-sensitive.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "script_lexer.h"

namespace figcli {

enum class VarType { Number, Text, Picture, List };
const char *VarTypeName(VarType type);  // "number", "text", ...

struct Operand {
    enum class Kind { Number, Text, Variable };
    Kind kind = Kind::Number;
    double number = 0;
    std::string text;  // a text's characters, or the variable's name
    SourcePosition at;
};

// Name(arguments): a function of the external ("figPlot.DrawLine") or Blank, Load, Csv, Save.
struct Call {
    std::string name;
    SourcePosition at;
    std::vector<Operand> args;
};

struct Statement {
    enum class Kind { Declare, Do, Save, Print };
    Kind kind = Kind::Declare;
    SourcePosition at;
    VarType type = VarType::Number;  // Declare
    std::string variable;            // Declare: the new variable; Do: the Returns variable, or empty
    SourcePosition variableAt;
    std::optional<Operand> value;    // Declare: an initial value given as an operand
    std::optional<Call> call;        // Declare: Blank, Load or Csv; Do; Save
    std::vector<Operand> items;      // Print
};

// False with `error` set (message and position) at the first fault.
bool ParseScript(const std::vector<Token> &tokens, std::vector<Statement> *statements, SourceError *error);

}  // namespace figcli
