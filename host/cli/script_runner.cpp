#include "script_runner.h"

#include <strings.h>

#include <cstdio>
#include <filesystem>

#include "colour_words.h"
#include "command_list_rules.h"
#include "dib_layout.h"
#include "output_paths.h"
#include "result_codes.h"
#include "sim_files.h"

namespace figcli {
namespace {

constexpr int kMaxSide = 32767;

std::string FormatNumber(double n) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", n);
    return text;
}

bool IsDepth(double d) { return d == 1 || d == 4 || d == 8 || d == 16 || d == 24 || d == 32; }

std::string Relative(const std::string &base, const std::string &path) {
    if (base.empty() || std::filesystem::path(path).is_absolute()) return path;
    return (std::filesystem::path(base) / path).string();
}

figsim::Value EmptyValue(VarType type) {
    switch (type) {
        case VarType::Number: return figsim::Value::Num(0);
        case VarType::Text: return figsim::Value::Str(std::u32string());
        case VarType::Picture: return figsim::Value::Pict();
        case VarType::List: break;
    }
    return figsim::Value{};
}

std::string DescribePicture(const std::vector<uint8_t> &picture) {
    figsim::DibLayout layout;
    if (!figsim::ReadDibLayout(picture, &layout)) return "empty picture";
    return "picture " + std::to_string(layout.width) + "x" + std::to_string(layout.height) + ", " +
           std::to_string(layout.bits) + (layout.bits == 1 ? " bit" : " bits");
}

std::string DescribeList(const figsim::List &list) {
    std::string columns;
    for (const std::string &name : list.columnNames) columns += (columns.empty() ? "" : ",") + name;
    return "list of " + std::to_string(list.lines.size()) + " lines (" + columns + ")";
}

}  // namespace

ScriptRunner::ScriptRunner(figsim::External &external, ScriptPlace place)
    : host_(external), table_(ReadFunctionTable(external)), place_(std::move(place)) {
    host_.Open();
}

ScriptRunner::~ScriptRunner() { host_.Close(); }

bool ScriptRunner::Run(const std::vector<Statement> &statements) {
    for (const Statement &s : statements)
        if (!Execute(s)) return false;
    return true;
}

bool ScriptRunner::Execute(const Statement &s) {
    switch (s.kind) {
        case Statement::Kind::Declare: return Declare(s);
        case Statement::Kind::Do: return DoCall(s);
        case Statement::Kind::Save: return Save(*s.call);
        case Statement::Kind::Print: return Print(s);
    }
    return false;
}

bool ScriptRunner::Fail(SourcePosition at, const std::string &message) {
    ReportError(SourceError{place_.scriptPath, at, message});
    return false;
}

std::string ScriptRunner::Beside(const std::string &path) const {
    return Relative(std::filesystem::path(place_.besidePath).parent_path().string(), path);
}

std::string ScriptRunner::InOutput(const std::string &path) const { return Relative(place_.outputDir, path); }

// A bare word that names no variable but a colour ("red", "#ff0000").
bool ScriptRunner::ColourWord(const Operand &operand, double *value) const {
    return operand.kind == Operand::Kind::Variable && variables_.count(operand.text) == 0 &&
           ColourFromWord(operand.text, value);
}

const ScriptRunner::Variable *ScriptRunner::Find(const Operand &operand) {
    const auto found = variables_.find(operand.text);
    if (found != variables_.end()) return &found->second;
    Fail(operand.at, "unknown variable '" + operand.text + "'");
    return nullptr;
}

std::string ScriptRunner::Show(const Operand &operand) {
    switch (operand.kind) {
        case Operand::Kind::Number: return "the number " + FormatNumber(operand.number);
        case Operand::Kind::Text: return "the text \"" + ReadableText(operand.text) + "\"";
        case Operand::Kind::Variable: break;
    }
    const auto found = variables_.find(operand.text);
    const char *type = found == variables_.end() ? "unknown" : VarTypeName(found->second.type);
    return std::string("the ") + type + " variable '" + operand.text + "'";
}

bool ScriptRunner::ArgumentCount(const Call &call, size_t count) {
    if (call.args.size() == count) return true;
    return Fail(call.at, call.name + " takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s") +
                             ", not " + std::to_string(call.args.size()));
}

// The value of a literal or a variable, which must be of `type`.
bool ScriptRunner::ValueOf(const Operand &operand, VarType type, figsim::Value *out) {
    double colour = 0;
    if (type == VarType::Number && ColourWord(operand, &colour)) {
        *out = figsim::Value::Num(colour);
        return true;
    }
    const bool literal = operand.kind != Operand::Kind::Variable;
    const Variable *v = literal ? nullptr : Find(operand);
    if (!literal && !v) return false;
    const VarType given = !literal ? v->type : operand.kind == Operand::Kind::Number ? VarType::Number : VarType::Text;
    if (given != type) return Fail(operand.at, std::string("expected a ") + VarTypeName(type) + ", not " + Show(operand));
    if (!literal) *out = v->value;
    else if (type == VarType::Number) *out = figsim::Value::Num(operand.number);
    else *out = figsim::Value::Str(operand.text);
    return true;
}

bool ScriptRunner::NumberArgument(const Operand &operand, double *out) {
    figsim::Value value;
    if (!ValueOf(operand, VarType::Number, &value)) return false;
    *out = value.number;
    return true;
}

bool ScriptRunner::TextArgument(const Operand &operand, std::string *out) {
    figsim::Value value;
    if (!ValueOf(operand, VarType::Text, &value)) return false;
    *out = figsim::Utf32ToUtf8(value.text);
    return true;
}

// ---- declarations ----

bool ScriptRunner::Declare(const Statement &s) {
    const auto earlier = variables_.find(s.variable);
    if (earlier != variables_.end())
        return Fail(s.variableAt, "'" + s.variable + "' is already declared on line " +
                                      std::to_string(earlier->second.declaredAt.line));
    Variable v{s.type, EmptyValue(s.type), s.variableAt};
    if (s.type == VarType::List && !s.call && !s.value) host_.AddList(figsim::List{s.variable, {}, {}, {}});
    if (!InitialValue(s, &v)) return false;
    variables_.emplace(s.variable, std::move(v));
    return true;
}

bool ScriptRunner::InitialValue(const Statement &s, Variable *v) {
    if (s.call) return Construct(*s.call, s, v);
    if (!s.value) return true;
    if (!ValueOf(*s.value, s.type, &v->value)) return false;
    if (s.type == VarType::List) {  // a copy of the list under the new name
        figsim::List list = *host_.FindList(s.value->text);
        list.name = s.variable;
        host_.AddList(std::move(list));
    }
    return true;
}

// Blank(...) and Load(...) make pictures, Csv(...) a list.
bool ScriptRunner::Construct(const Call &call, const Statement &s, Variable *v) {
    const bool makesList = strcasecmp(call.name.c_str(), "Csv") == 0;
    if (makesList != (s.type == VarType::List))
        return Fail(call.at, call.name + "(...) makes " + (makesList ? "a list" : "a picture") + ", and '" + s.variable +
                                 "' is a " + VarTypeName(s.type) + " variable");
    if (strcasecmp(call.name.c_str(), "Blank") == 0) return MakeBlank(call, v);
    std::string path;
    if (!ArgumentCount(call, 1) || !TextArgument(call.args[0], &path)) return false;
    path = Beside(path);
    std::string error;
    if (!makesList) {
        if (!figsim::ReadPictureFile(path, &v->value.picture, &error)) return Fail(call.args[0].at, error);
        return true;
    }
    figsim::List list{s.variable, {}, {}, {}};
    figsim::CsvError csv;
    if (!figsim::LoadCsvList(path, &list, &csv, CheckCommandRow)) {
        if (csv.line == 0) return Fail(call.args[0].at, csv.message);
        ReportError(SourceError{path, {csv.line, csv.column}, csv.message});
        return false;
    }
    host_.AddList(std::move(list));
    return true;
}

bool ScriptRunner::MakeBlank(const Call &call, Variable *v) {
    double size[3];
    if (!ArgumentCount(call, 3)) return false;
    for (int i = 0; i < 3; ++i)
        if (!NumberArgument(call.args[i], &size[i])) return false;
    for (int i = 0; i < 2; ++i)
        if (size[i] < 1 || size[i] > kMaxSide || size[i] != static_cast<int>(size[i]))
            return Fail(call.args[i].at, std::string(i ? "height" : "width") + " must be a whole number from 1 to " +
                                             std::to_string(kMaxSide) + ", not " + FormatNumber(size[i]));
    if (!IsDepth(size[2]))
        return Fail(call.args[2].at, "depth must be 1, 4, 8, 16, 24 or 32, not " + FormatNumber(size[2]));
    v->value = figsim::Value::Pict(
        figsim::MakeWhitePicture(static_cast<int>(size[0]), static_cast<int>(size[1]), static_cast<int>(size[2])));
    return true;
}

// ---- Do ----

// The value a script passes for parameter `param`, checked against what the parameter takes.
bool ScriptRunner::Argument(const Operand &operand, const std::string &param, std::string *what, figsim::Value *out) {
    const ParamKind kind = KindOfParameter(param);
    double colour = 0;
    if (kind == ParamKind::Colour && ColourWord(operand, &colour)) {
        *out = figsim::Value::Num(colour);
        return true;
    }
    if (kind == ParamKind::Colour && operand.kind == Operand::Kind::Variable && !variables_.count(operand.text))
        return Fail(operand.at, "'" + operand.text + "' is neither a variable nor a colour: a colour is " + kColourForms);
    VarType type = operand.kind == Operand::Kind::Number ? VarType::Number : VarType::Text;
    if (operand.kind == Operand::Kind::Number) *out = figsim::Value::Num(operand.number);
    if (operand.kind == Operand::Kind::Text) *out = figsim::Value::Str(operand.text);
    if (operand.kind == Operand::Kind::Variable) {
        const Variable *v = Find(operand);
        if (!v) return false;
        type = v->type;
        *out = type == VarType::List ? figsim::Value::Str(operand.text) : v->value;  // a list goes by its name
    }
    bool accepted = true;
    switch (kind) {
        case ParamKind::Picture: accepted = type == VarType::Picture; break;
        case ParamKind::Number: accepted = type == VarType::Number; break;
        case ParamKind::Colour: return ColourArgument(type, out, what);
        case ParamKind::Text:
        case ParamKind::OutputPath: accepted = type == VarType::Text; break;
        case ParamKind::NumberOrText: accepted = type == VarType::Number || type == VarType::Text; break;
        case ParamKind::ListName: accepted = type == VarType::Text || type == VarType::List; break;
        case ParamKind::Any: break;
    }
    if (!accepted) {
        *what = std::string("takes ") + ParamKindName(kind) + ", not " + Show(operand);
        return false;
    }
    if (kind != ParamKind::OutputPath) return true;
    const std::string path = InOutput(figsim::Utf32ToUtf8(out->text));
    *out = figsim::Value::Str(path);
    *what = PathTooLong(path);
    return what->empty();
}

// A number as it is; a text that names a colour as the colour's number.
bool ScriptRunner::ColourArgument(VarType type, figsim::Value *value, std::string *what) {
    if (type == VarType::Number) return true;
    const std::string word = type == VarType::Text ? figsim::Utf32ToUtf8(value->text) : "";
    double colour = 0;
    if (type == VarType::Text && ColourFromWord(word, &colour)) {
        *value = figsim::Value::Num(colour);
        return true;
    }
    *what = type == VarType::Text ? "takes a colour, and '" + ReadableText(word) + "' names none: a colour is " + kColourForms
                                  : std::string("takes ") + ParamKindName(ParamKind::Colour) + ", not a " + VarTypeName(type);
    return false;
}

bool ScriptRunner::DoCall(const Statement &s) {
    const Call &call = *s.call;
    const FunctionEntry *f = table_.Find(call.name);
    if (!f) {
        const FunctionEntry *near = table_.FindIgnoringCase(call.name);
        return Fail(call.at, "unknown function '" + call.name + "'" +
                                 (near ? " (did you mean " + near->name + "?)" : ": the external's table does not list it"));
    }
    if (call.args.size() > f->params.size()) {
        const size_t close = f->entry.rfind(')');
        return Fail(call.args[f->params.size()].at, f->name + " takes at most " + std::to_string(f->params.size()) +
                                                       " parameters " + f->entry.substr(f->name.size(), close + 1 - f->name.size()));
    }
    std::vector<figsim::Value> params(call.args.size());
    for (size_t i = 0; i < call.args.size(); ++i) {
        std::string problem;
        if (!Argument(call.args[i], f->params[i], &problem, &params[i])) {
            if (problem.empty()) return false;  // already reported (an unknown variable)
            return Fail(call.args[i].at,
                        "parameter " + std::to_string(i + 1) + " of " + f->name + " (" + f->params[i] + ") " + problem);
        }
    }
    const int16_t result = host_.Call(f->number, params);
    const std::string meaning = result == ResultDone ? "" : ExplainResult(result, *f, params, host_);
    // Variables passed are passed by reference: what the function wrote comes back.
    for (size_t i = 0; i < call.args.size(); ++i) {
        const auto found = variables_.find(call.args[i].text);
        if (call.args[i].kind != Operand::Kind::Variable || found == variables_.end()) continue;  // a colour word
        Variable &v = found->second;
        if (v.type != VarType::List && params[i].kind == v.value.kind) v.value = std::move(params[i]);
    }
    if (result != ResultDone) {
        ++failedCalls_;
        ReportError(SourceError{place_.scriptPath, call.at,
                                call.name + " answered ResultCode " + std::to_string(result) + ": " + meaning});
    }
    return StoreResult(s, result);
}

bool ScriptRunner::StoreResult(const Statement &s, int16_t result) {
    if (s.variable.empty()) return true;
    auto found = variables_.find(s.variable);
    if (found == variables_.end())  // Returns declares its number variable when the script has not
        found = variables_.emplace(s.variable, Variable{VarType::Number, figsim::Value::Num(0), s.variableAt}).first;
    if (found->second.type != VarType::Number)
        return Fail(s.variableAt, "Returns needs a number variable; '" + s.variable + "' is a " +
                                      VarTypeName(found->second.type) + " variable");
    found->second.value = figsim::Value::Num(result);
    return true;
}

// ---- Save and Print ----

bool ScriptRunner::Save(const Call &call) {
    if (!ArgumentCount(call, 2)) return false;
    const Operand &picture = call.args[0];
    const Variable *v = picture.kind == Operand::Kind::Variable ? Find(picture) : nullptr;
    if (picture.kind == Operand::Kind::Variable && !v) return false;
    if (!v || v->type != VarType::Picture) return Fail(picture.at, "Save takes a picture variable, not " + Show(picture));
    std::string path;
    if (!TextArgument(call.args[1], &path)) return false;
    if (v->value.picture.empty()) return Fail(picture.at, "'" + picture.text + "' is an empty picture: nothing to save");
    std::string error;
    if (!WritePictureSafely(InOutput(path), v->value.picture, &error)) return Fail(call.args[1].at, error);
    return true;
}

bool ScriptRunner::Print(const Statement &s) {
    std::string line;
    for (const Operand &item : s.items) {
        std::string shown;
        if (item.kind == Operand::Kind::Number) shown = FormatNumber(item.number);
        if (item.kind == Operand::Kind::Text) shown = item.text;
        if (item.kind == Operand::Kind::Variable) {
            const Variable *v = Find(item);
            if (!v) return false;
            switch (v->type) {
                case VarType::Number: shown = FormatNumber(v->value.number); break;
                case VarType::Text: shown = figsim::Utf32ToUtf8(v->value.text); break;
                case VarType::Picture: shown = DescribePicture(v->value.picture); break;
                case VarType::List: shown = DescribeList(*host_.FindList(item.text)); break;
            }
        }
        line += (line.empty() ? "" : " ") + shown;
    }
    std::printf("%s\n", line.c_str());
    return true;
}

}  // namespace figcli
