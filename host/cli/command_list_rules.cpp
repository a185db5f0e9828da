#include "command_list_rules.h"

#include <charconv>

#include "colour_words.h"
#include "source_error.h"

namespace figcli {
namespace {

// What a column takes. Free columns (texts, faces, unused ones) are not checked.
enum class Takes { Free, Number, Colour };

struct CommandColumns {
    const char *names[10];  // columns 1 to 10; null past the last one the code reads
};

// By code 0 to 6, as the guide's table of command lists shows them.
const CommandColumns kCommands[] = {
    {{"code", "top", "left", "bottom", "right", "color"}},
    {{"code", "top", "left", "bottom", "right", "color", "lineSize"}},
    {{"code", "top", "left", "bottom", "right", "color", "lineSize", "noOutline?"}},
    {{"code", "top", "left", "bottom", "right", "fillColor"}},
    {{"code", "top", "left", "bottom", "right", "color", "lineSize", "noOutline?", "startAngle", "spanDegrees"}},
    {{"code", "top", "left", "bottom", "right", "fillColor", "startAngle", "spanDegrees"}},
    {{"code", "top", "left", "font", "size", "color", "style", "text"}},
};

Takes WhatColumnTakes(const char *name) {
    const std::string n = name ? name : "";
    if (n.empty() || n == "font" || n == "text") return Takes::Free;
    if (n == "color" || n == "fillColor") return Takes::Colour;
    return Takes::Number;
}

// A quoted number is text to the list, and the external reads it as that number.
bool ReadsAsNumber(const figsim::CsvCell &cell, double *value) {
    *value = 0;
    if (cell.text.empty()) return true;
    const char *first = cell.text.data() + (cell.text[0] == '+' ? 1 : 0);
    const char *last = cell.text.data() + cell.text.size();
    const auto [end, status] = std::from_chars(first, last, *value);
    return status == std::errc() && end == last;
}

bool Refuse(const figsim::CsvCell &cell, std::string message, figsim::CsvError *error) {
    *error = figsim::CsvError{cell.line, cell.column, std::move(message)};
    return false;
}

bool CheckCell(figsim::CsvCell *cell, const char *name, size_t column, figsim::CsvError *error) {
    const Takes takes = WhatColumnTakes(name);
    double value = 0;
    if (takes == Takes::Free || ReadsAsNumber(*cell, &value)) return true;
    const std::string where = "column " + std::to_string(column) + " (" + name + ")";
    if (takes == Takes::Number) return Refuse(*cell, where + " takes a number, not the text '" + ReadableText(cell->text) + "'", error);
    if (!ColourFromWord(cell->text, &value))
        return Refuse(*cell, "unknown colour '" + ReadableText(cell->text) + "' in " + where + ": a colour is " + kColourForms, error);
    char number[32];
    const auto written = std::to_chars(number, number + sizeof number, static_cast<long long>(value));
    cell->text.assign(number, written.ptr);
    cell->quoted = false;
    return true;
}

}  // namespace

bool CheckCommandRow(std::vector<figsim::CsvCell> *row, figsim::CsvError *error) {
    if (row->empty()) return true;
    double code = 0;
    if (!ReadsAsNumber((*row)[0], &code))
        return Refuse((*row)[0], "column 1 (code) takes a command code from 0 to 6, not the text '" + ReadableText((*row)[0].text) + "'",
                      error);
    if (code <= -1 || code >= 7) return true;  // the external draws nothing for other codes (it truncates)
    const CommandColumns &command = kCommands[static_cast<int>(code)];
    for (size_t c = 1; c < row->size() && c < 10; ++c)
        if (!CheckCell(&(*row)[c], command.names[c], c + 1, error)) return false;
    return true;
}

}  // namespace figcli
