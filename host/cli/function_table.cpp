#include "function_table.h"

#include <strings.h>

namespace figcli {
namespace {

constexpr unsigned kMaxFunctions = 256;

// "pictureField,lineSize [,noOutline? [,a, b]]" -> the names, and how many of them come
// before the first "[" (the required ones).
void ParseParameters(const std::string &list, FunctionEntry *entry) {
    const size_t firstBracket = list.find('[');
    for (size_t start = 0; start <= list.size();) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        const size_t nameAt = list.find_first_not_of(" []", start);
        if (nameAt < comma) {
            const size_t nameEnd = list.find_last_not_of(" []", comma - 1);
            entry->params.push_back(list.substr(nameAt, nameEnd - nameAt + 1));
            if (nameAt < firstBracket) entry->required = static_cast<int>(entry->params.size());
        }
        start = comma + 1;
    }
}

FunctionEntry ParseEntry(const std::string &text, int number, unsigned id) {
    FunctionEntry entry;
    entry.number = number;
    entry.stringId = id;
    entry.entry = text;
    const size_t open = text.find('(');
    const size_t close = text.rfind(')');
    entry.name = text.substr(0, open != std::string::npos ? open : text.find(':'));
    if (open != std::string::npos && close != std::string::npos && close > open)
        ParseParameters(text.substr(open + 1, close - open - 1), &entry);
    return entry;
}

}  // namespace

const FunctionEntry *FunctionTable::Find(const std::string &name) const {
    for (const FunctionEntry &f : functions)
        if (f.name == name) return &f;
    return nullptr;
}

const FunctionEntry *FunctionTable::FindIgnoringCase(const std::string &name) const {
    for (const FunctionEntry &f : functions)
        if (strcasecmp(f.name.c_str(), name.c_str()) == 0) return &f;
    return nullptr;
}

FunctionTable ReadFunctionTable(const figsim::External &external) {
    FunctionTable table;
    const std::vector<uint8_t> marker = external.Marker();
    if (marker.size() < 6) return table;
    table.firstId = marker[4] | marker[5] << 8;
    for (unsigned n = 1; n <= kMaxFunctions; ++n) {
        const unsigned id = table.firstId + n - 1;
        const std::string text = external.FunctionString(id);
        if (text.empty()) break;
        if (text[0] == '*') {
            table.library = text.substr(1);
            break;
        }
        table.functions.push_back(ParseEntry(text, static_cast<int>(n), id));
    }
    return table;
}

ParamKind KindOfParameter(const std::string &name) {
    static const char *const kNumbers[] = {"width", "height", "depth", "top", "left", "bottom", "right",
                                           "size", "style", "lineSize", "noOutline?",
                                           "startAngle", "spanDegrees", "sizeField"};
    if (name == "pictureField") return ParamKind::Picture;
    if (name == "outputPath") return ParamKind::OutputPath;
    if (name == "text") return ParamKind::Text;
    if (name == "font") return ParamKind::NumberOrText;
    if (name == "color" || name == "fillColor") return ParamKind::Colour;
    if (name == "drawCmdsListname") return ParamKind::ListName;
    for (const char *n : kNumbers)
        if (name == n) return ParamKind::Number;
    return ParamKind::Any;
}

const char *ParamKindName(ParamKind kind) {
    switch (kind) {
        case ParamKind::Picture: return "a picture variable";
        case ParamKind::Number: return "a number";
        case ParamKind::Text:
        case ParamKind::OutputPath: return "a text";
        case ParamKind::NumberOrText: return "a number or a text";
        case ParamKind::Colour: return "a colour (a number, a colour name or #RRGGBB)";
        case ParamKind::ListName: return "a list or the name of one";
        case ParamKind::Any: return "any value";
    }
    return "?";
}

}  // namespace figcli
