// Lists from CSV: which cells are numbers and which texts, how columns get their field
// type, and where a fault is reported.
#include <gtest/gtest.h>

#include <cstdio>

#include "sim_files.h"

namespace {

// "name:n|name:t" for the columns (n number, t text), then each line's cells: numbers as
// %g, texts in quotes, empty cells as _.
std::string Dump(const figsim::List &list) {
    std::string out;
    for (size_t c = 0; c < list.columnNames.size(); ++c)
        out += (c ? "|" : "") + list.columnNames[c] + (list.columnTypes[c] == FieldTypeText ? ":t" : ":n");
    for (const auto &line : list.lines) {
        out += "\n";
        for (size_t c = 0; c < line.size(); ++c) {
            const figsim::Value &v = line[c];
            char number[32];
            std::snprintf(number, sizeof number, "%g", v.number);
            out += c ? "," : "";
            if (v.kind == figsim::Value::Kind::Number) out += number;
            else if (v.kind == figsim::Value::Kind::Text) out += "\"" + figsim::Utf32ToUtf8(v.text) + "\"";
            else out += "_";
        }
    }
    return out;
}

TEST(CsvList, CellsAndColumnTypes) {
    struct Case {
        const char *name, *csv, *dump;
    } cases[] = {
        {"numbers, blanks trimmed, CRLF", "code, top\r\n1, -2.5\r\n+3,.5\r\n", "code:n|top:n\n1,-2.5\n3,0.5"},
        {"a text makes a text column, numbers kept as spelled", "font,size\n1,12\nArial,10\n",
         "font:t|size:n\n\"1\",12\n\"Arial\",10"},
        {"quoted numbers are texts", "label\n\"10\"\n", "label:t\n\"10\""},
        {"quotes: commas, doubled quotes, line breaks", "a,b\n\"x, \"\"y\"\"\",\"two\nlines\"\n",
         "a:t|b:t\n\"x, \"y\"\",\"two\nlines\""},
        {"short rows padded, blank rows skipped, BOM skipped", "\xEF\xBB\xBF" "a,b,c\n\n1\n2,x\n",
         "a:n|b:t|c:n\n1,\"\",_\n2,\"x\",_"},
        {"a row holding only an empty quoted cell is a line", "a,b\n\"\"\n1,x\n", "a:t|b:t\n\"\",\"\"\n\"1\",\"x\""},
        {"header only", "a,b", "a:n|b:n"},
        {"a comma ending every row, as spreadsheets write", "a,b,\n1,x,\n2,,\n", "a:n|b:t\n1,\"x\"\n2,\"\""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        figsim::List list;
        figsim::CsvError error;
        ASSERT_TRUE(figsim::ParseCsvList(c.csv, &list, &error)) << error.message;
        EXPECT_EQ(Dump(list), c.dump);
    }
}

TEST(CsvList, FaultsNameLineAndColumn) {
    struct Case {
        const char *name, *csv;
        int line, column;
        const char *message;
    } cases[] = {
        {"bad number", "a,b\n1,2\n3, 4x\n", 3, 4, "bad number '4x'"},
        {"number out of range", "a\n1e999\n", 2, 1, "bad number '1e999'"},
        {"too many cells", "a,b\n1,2,3\n", 2, 5, "more cells than the header names (2)"},
        {"a filled cell past a header's closing comma", "a,b,\n1,2,3\n", 2, 5, "more cells than the header names (2)"},
        {"quote never ends", "a\n\"open\n", 2, 1, "quoted cell never ends"},
        {"text after a quote", "a,b\n\"x\"y,1\n", 2, 4, "expected a comma after the quoted cell"},
        {"fault after a quoted line break", "a,b\n\"1\n2\",3z\n", 3, 4, "bad number '3z'"},
        {"empty column name", "a,,c\n", 1, 3, "empty column name"},
        {"column named twice", "a,b,a\n", 1, 5, "column name 'a' appears twice"},
        {"no header", "\n\n", 1, 1, "no header row naming the columns"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        figsim::List list;
        figsim::CsvError error;
        EXPECT_FALSE(figsim::ParseCsvList(c.csv, &list, &error));
        EXPECT_EQ(error.line, c.line);
        EXPECT_EQ(error.column, c.column);
        EXPECT_EQ(error.message, c.message);
    }
}

}  // namespace
