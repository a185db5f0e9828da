// Host lists from CSV text (RFC 4180 quoting, either line ending, a UTF-8 byte-order mark
// allowed). Cells are trimmed of blanks unless quoted. The text is read twice, once to
// check it and learn which columns hold text, once to fill the list, so that no row is
// held beyond its own reading and a large list costs little more than its cells.
#include <charconv>
#include <set>
#include <string_view>

#include "file_bytes.h"
#include "sim_files.h"

namespace figsim {
namespace {

constexpr int16_t kNumberColumn = 5;  // any field type but text or picture, as the simulator answers numbers

using Cell = CsvCell;

class CsvReader {
public:
    explicit CsvReader(std::string_view text) : text_(text) {
        if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0) at_ = lineStart_ = 3;
    }
    bool AtEnd() const { return at_ >= text_.size(); }

    // One record; false with `error` set on a quoting fault.
    bool ReadRecord(std::vector<Cell> *cells, CsvError *error) {
        cells->clear();
        for (;;) {
            Cell cell;
            if (!ReadCell(&cell, error)) return false;
            cells->push_back(std::move(cell));
            if (AtEnd()) return true;
            if (text_[at_] == ',') {
                ++at_;
                continue;
            }
            EndLine();
            return true;
        }
    }

private:
    bool IsBlank(char c) const { return c == ' ' || c == '\t'; }
    bool IsLineEnd(size_t i) const { return i >= text_.size() || text_[i] == '\n' || text_[i] == '\r'; }
    int Column() const { return static_cast<int>(at_ - lineStart_) + 1; }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(text_[at_])) ++at_;
    }
    void EndLine() {
        if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') ++at_;
        ++at_;
        ++line_;
        lineStart_ = at_;
    }
    bool Fail(CsvError *error, int line, int column, std::string message) {
        *error = CsvError{line, column, std::move(message)};
        return false;
    }

    bool ReadCell(Cell *cell, CsvError *error) {
        SkipBlanks();
        cell->line = line_;
        cell->column = Column();
        if (!AtEnd() && text_[at_] == '"') return ReadQuoted(cell, error);
        const size_t start = at_;
        while (!IsLineEnd(at_) && text_[at_] != ',') ++at_;
        size_t end = at_;
        while (end > start && IsBlank(text_[end - 1])) --end;
        cell->text.assign(text_.substr(start, end - start));
        return true;
    }

    bool ReadQuoted(Cell *cell, CsvError *error) {
        cell->quoted = true;
        ++at_;
        for (;;) {
            if (AtEnd()) return Fail(error, cell->line, cell->column, "quoted cell never ends");
            const char c = text_[at_++];
            if (c == '"' && !AtEnd() && text_[at_] == '"') {
                cell->text += '"';
                ++at_;
            } else if (c == '"') {
                break;
            } else {
                cell->text += c;
                if (c == '\n') ++line_, lineStart_ = at_;
            }
        }
        SkipBlanks();
        if (!IsLineEnd(at_) && text_[at_] != ',') return Fail(error, line_, Column(), "expected a comma after the quoted cell");
        return true;
    }

    std::string_view text_;
    size_t at_ = 0;
    size_t lineStart_ = 0;
    int line_ = 1;
};

bool LooksLikeNumber(const std::string &s) {
    size_t i = s[0] == '-' || s[0] == '+' ? 1 : 0;
    if (i < s.size() && s[i] == '.') ++i;
    return i < s.size() && s[i] >= '0' && s[i] <= '9';
}

// A number cell's value; false for a cell that starts like a number but is not one.
bool ParseNumber(const std::string &s, double *value) {
    const char *first = s.data() + (s[0] == '+' ? 1 : 0);
    const char *last = s.data() + s.size();
    const auto [end, status] = std::from_chars(first, last, *value);
    return status == std::errc() && end == last;
}

bool IsTextCell(const Cell &cell) {
    if (cell.quoted) return true;
    return !cell.text.empty() && !LooksLikeNumber(cell.text);
}

bool IsEmptyCell(const Cell &cell) { return cell.text.empty() && !cell.quoted; }

// Empty cells after the last named column, as spreadsheets write them, carry nothing.
void DropTrailingEmptyCells(std::vector<Cell> *cells, size_t keep) {
    while (cells->size() > keep && IsEmptyCell(cells->back())) cells->pop_back();
}

bool ReadHeader(std::vector<Cell> cells, List *list, CsvError *error) {
    DropTrailingEmptyCells(&cells, 1);
    std::set<std::string> seen;
    for (const Cell &cell : cells) {
        std::string problem;
        if (cell.text.empty()) problem = "empty column name";
        else if (!seen.insert(cell.text).second) problem = "column name '" + cell.text + "' appears twice";
        if (!problem.empty()) {
            *error = CsvError{cell.line, cell.column, problem};
            return false;
        }
        list->columnNames.push_back(cell.text);
    }
    return true;
}

Value CellValue(const Cell &cell, bool textColumn) {
    if (textColumn) return Value::Str(cell.text);
    if (cell.text.empty()) return Value{};
    double n = 0;
    ParseNumber(cell.text, &n);
    return Value::Num(n);
}

bool IsBlankRow(const std::vector<Cell> &cells) { return cells.size() == 1 && cells[0].text.empty() && !cells[0].quoted; }

// The first pass: the header, every row's faults, which columns hold text, and how many
// lines follow the header.
bool CheckRows(std::string_view text, const CsvRowCheck &check, List *list, std::vector<bool> *textColumn, size_t *lines,
               CsvError *error) {
    CsvReader reader(text);
    std::vector<Cell> cells;
    bool haveHeader = false;
    while (!reader.AtEnd()) {
        if (!reader.ReadRecord(&cells, error)) return false;
        if (IsBlankRow(cells)) continue;
        if (!haveHeader) {
            if (!ReadHeader(cells, list, error)) return false;
            haveHeader = true;
            textColumn->assign(list->columnNames.size(), false);
            continue;
        }
        ++*lines;
        DropTrailingEmptyCells(&cells, list->columnNames.size());
        if (cells.size() > list->columnNames.size()) {
            const Cell &extra = cells[list->columnNames.size()];
            *error = CsvError{extra.line, extra.column,
                              "more cells than the header names (" + std::to_string(list->columnNames.size()) + ")"};
            return false;
        }
        for (size_t c = 0; c < cells.size(); ++c) {
            const Cell &cell = cells[c];
            double n;
            if (!cell.quoted && !cell.text.empty() && LooksLikeNumber(cell.text) && !ParseNumber(cell.text, &n)) {
                *error = CsvError{cell.line, cell.column, "bad number '" + cell.text + "'"};
                return false;
            }
        }
        if (check && !check(&cells, error)) return false;
        for (size_t c = 0; c < cells.size(); ++c)
            if (IsTextCell(cells[c])) (*textColumn)[c] = true;
    }
    if (!haveHeader) {
        *error = CsvError{1, 1, "no header row naming the columns"};
        return false;
    }
    return true;
}

// The second pass: every row after the header becomes a line, missing trailing cells empty.
// The row check runs again: it rewrites cells as it did on the first pass.
void FillLines(std::string_view text, const CsvRowCheck &check, const std::vector<bool> &textColumn, List *list) {
    CsvReader reader(text);
    std::vector<Cell> cells;
    std::vector<Value> line;
    bool header = true;
    CsvError ignored;
    while (!reader.AtEnd() && reader.ReadRecord(&cells, &ignored)) {
        if (IsBlankRow(cells)) continue;
        if (header) {
            header = false;
            continue;
        }
        DropTrailingEmptyCells(&cells, textColumn.size());
        if (check) check(&cells, &ignored);
        cells.resize(textColumn.size());
        line.clear();
        for (size_t c = 0; c < cells.size(); ++c) line.push_back(CellValue(cells[c], textColumn[c]));
        list->lines.push_back(line);
    }
}

}  // namespace

bool ParseCsvList(std::string_view text, List *list, CsvError *error, const CsvRowCheck &check) {
    list->columnNames.clear();
    list->columnTypes.clear();
    list->lines.clear();
    std::vector<bool> textColumn;
    size_t lines = 0;
    if (!CheckRows(text, check, list, &textColumn, &lines, error)) return false;
    list->lines.reserve(lines, lines * textColumn.size());
    for (bool isText : textColumn) list->columnTypes.push_back(isText ? int16_t{FieldTypeText} : kNumberColumn);
    FillLines(text, check, textColumn, list);
    return true;
}

bool LoadCsvList(const std::string &path, List *list, CsvError *error, const CsvRowCheck &check) {
    std::vector<uint8_t> bytes;
    std::string message;
    if (!ReadFileBytes(path, &bytes, &message)) {
        *error = CsvError{0, 0, message};
        return false;
    }
    return ParseCsvList(std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()), list, error, check);
}

}  // namespace figsim
