// The external's function table, read as a host reads it: from the string resources that
// the external marker points at. The host resolves "figPlot.DrawLine" to a function number
// here and nowhere else.
#pragma once

#include <string>
#include <vector>

#include "figsim.h"

namespace figcli {

struct FunctionEntry {
    int number = 0;                   // what the host passes (HostGetFunctionNumber)
    unsigned stringId = 0;
    std::string entry;                // the whole string, e.g. "figPlot.ErasePict(pictureField,color):29204"
    std::string name;                 // "figPlot.ErasePict"
    std::vector<std::string> params;  // "pictureField", "color"
    int required = 0;                 // the parameters before the first "["
};

struct FunctionTable {
    std::string library;  // from the string that starts with "*"
    unsigned firstId = 0;
    std::vector<FunctionEntry> functions;

    const FunctionEntry *Find(const std::string &name) const;
    // The entry whose name matches but for case, for a hint; null when none does.
    const FunctionEntry *FindIgnoringCase(const std::string &name) const;
};

FunctionTable ReadFunctionTable(const figsim::External &external);

// What a parameter takes, judged by its name in the table.
// OutputPath is a text that names a file the external writes; a Colour is a number, or a
// colour word the host turns into one.
enum class ParamKind { Picture, Number, Text, OutputPath, NumberOrText, Colour, ListName, Any };
ParamKind KindOfParameter(const std::string &name);
const char *ParamKindName(ParamKind kind);  // "a picture", "a number", ...

}  // namespace figcli
