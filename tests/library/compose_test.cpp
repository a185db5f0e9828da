// Drawing command lists through ComposePict and ComposeFile of both builds.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "library_test_util.h"
#include "reference_drawing.h"

namespace {

using figsim::Host;
using figsim::List;
using figsim::Value;
using namespace libtest;
namespace fs = std::filesystem;

constexpr int kWidth = 121, kHeight = 83;
const std::vector<std::string> kColumns = {"code", "top", "left", "bottom", "right", "color", "size", "extra", "start", "span"};

// A cell: a number, or a text (the column then holds text).
struct Cell {
    double number = 0;
    const char *text = nullptr;
    Cell(double n) : number(n) {}
    Cell(int n) : number(n) {}
    Cell(const char *t) : text(t) {}
};

List CommandList(const std::string &name, const std::vector<std::vector<Cell>> &lines, size_t columns = kColumns.size()) {
    List list;
    list.name = name;
    list.columnNames.assign(kColumns.begin(), kColumns.begin() + static_cast<long>(columns));
    list.columnTypes.assign(columns, 5);
    for (const auto &line : lines) {
        std::vector<Value> values;
        for (size_t c = 0; c < line.size() && c < columns; ++c) {
            if (line[c].text) list.columnTypes[c] = FieldTypeText;
            values.push_back(line[c].text ? Value::Str(line[c].text) : Value::Num(line[c].number));
        }
        list.lines.push_back(values);
    }
    return list;
}

// The blank canvas of a depth (all bits zero) with the drawing made by the platform's calls.
std::vector<uint8_t> OnBlank(int depth, const Reference &draw, int width = kWidth, int height = kHeight) {
    return DrawnWithPlatform(figsim::MakePackedDib(width, height, depth), draw);
}

constexpr COLORREF kRed = RGB(255, 0, 0), kSilver = RGB(0xC0, 0xC0, 0xC0), kWhite = RGB(255, 255, 255);
const POINT kUp{50, -20}, kRight{120, 50};

struct CodeCase {
    const char *name;
    std::vector<std::vector<Cell>> lines;
    Reference reference;
};

std::vector<CodeCase> CodeCases() {
    return {
        {"erase", {{0, 10, 5, 60, 90, -255, 7}}, Erase(kRed, {5, 10, 90, 60})},
        {"erase_empty", {{0, 10, 5, 60, 5, -255, 7}}, [](HDC) {}},
        {"line", {{1, 10, 5, 60, 90, 13, 3}}, WithPen(3, kRed, Line(5, 10, 90, 60))},
        // 10.9 -> 10, -10.9 -> -10, 65536 + 60 -> 60, 70000 -> 4464.
        {"line_cells_wrap", {{1, 10.9, -10.9, 65596, 70000, 13, 1}}, WithPen(1, kRed, Line(-10, 10, 4464, 60))},
        {"rect_one_unit_up_left", {{2, 10, 5, 60, 90, 13, 1, 0}}, WithPen(1, kRed, Box(4, 9, 90, 60))},
        {"rect_inset", {{2, 10, 5, 60, 90, 13, 2, -1}}, WithPen(2, kRed, Box(6, 11, 88, 58))},
        {"rect_inset_truncated_off", {{2, 10, 5, 60, 90, 13, 2, 0.9}}, WithPen(2, kRed, Box(4, 9, 90, 60))},
        {"fillrect_colour_cell_fraction", {{3, 10, 5, 60, 90, 1.7, 0}}, WithBrush(kWhite, Box(5, 10, 90, 60))},
        {"fillrect_top_wraps_negative", {{3, 32768, 5, 60, 90, 60, 0}}, WithBrush(kSilver, Box(5, -32768, 90, 60))},
        {"oval_whole", {{4, 1, 1, 100, 100, 13, 1, 0, 0, 0}}, WithPen(1, kRed, ArcOf(0, 0, 100, 100, {0, 0}, {0, 0}))},
        {"oval_quarter", {{4, 1, 1, 100, 100, 13, 1, 0, 0, 90}}, WithPen(1, kRed, ArcOf(0, 0, 100, 100, kRight, kUp))},
        {"oval_inset", {{4, 3, 7, 70, 100, 13, 2, 1, 0, 0}}, WithPen(2, kRed, ArcOf(8, 4, 98, 68, {8, 4}, {8, 4}))},
        {"oval_span_low16_zero", {{4, 1, 1, 100, 100, 13, 1, 0, 0, 65536}}, WithPen(1, kRed, ArcOf(0, 0, 100, 100, {0, 0}, {0, 0}))},
        {"pie_quarter", {{5, 0, 0, 100, 100, 13, 0, 90}},
         WithBrush(kRed, PieOf(0, 0, 100, 100, kRight, kUp))},
        {"filloval_whole", {{5, 10, 5, 60, 90, 13, 0, 0}}, WithBrush(kRed, Oval(5, 10, 90, 60))},
        {"text", {{6, 40, 5, 2, 12, 13, 1, "Hello"}}, TextAt(u"Hello", 5, 40, {-12, FW_BOLD, 0, 0, 0, u"Times"}, kRed)},
        {"text_face_from_column", {{6, 60, 3, "Courier New", 14, -0x800000, 0, "Courier"}},
         TextAt(u"Courier", 3, 60, {-14, FW_NORMAL, 0, 0, OUT_TT_PRECIS, u"Courier New"}, RGB(0, 0, 0x80))},
        {"text_font_zero_number", {{6, 30, 3, 0, 0, 13, 0, "Sys"}}, TextAt(u"Sys", 3, 30, {0, FW_NORMAL, 0, 0, 0, u"System"}, kRed)},
        {"unknown_codes_then_a_line", {{7, 10, 5, 60, 90, 13, 3}, {100, 1, 1, 50, 50, 13, 3}, {-1, 1, 1, 50, 50, 13, 3},
                                       {1, 10, 5, 60, 90, 13, 3}},
         WithPen(3, kRed, Line(5, 10, 90, 60))},
    };
}

class Compose : public ::testing::TestWithParam<std::string>, protected libtest::OpenHost {
protected:
    void SetUp() override {
        Open(GetParam());
        folder = libtest::TestFolder("compose");
    }
    void TearDown() override { host.reset(); }

    // ComposePict of the list onto a picture field; the answer, and the picture in `out`.
    int16_t Pict(const std::string &list, double width, double height, double depth, std::vector<uint8_t> *out = nullptr) {
        std::vector<Value> params{Value::Pict(), Value::Num(width), Value::Num(height), Value::Num(depth), Value::Str(list)};
        const int16_t answer = host->Call(FnComposePict, params);
        if (out) *out = params[0].picture;
        EXPECT_EQ(PlatformLiveTotal(), baseline) << list;
        return answer;
    }
    int16_t File(const std::string &list, const fs::path &path, double width, double height, double depth) {
        std::vector<Value> params{Value::Str(libtest::PathText(path)), Value::Num(width), Value::Num(height), Value::Num(depth),
                                  Value::Str(list)};
        const int16_t answer = host->Call(FnComposeFile, params);
        EXPECT_EQ(PlatformLiveTotal(), baseline) << list;
        return answer;
    }

    fs::path folder;
};

// A bitmap file read back as the simulator's picture form: everything after the file header.
std::vector<uint8_t> ReadBitmapFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return bytes.size() > 14 ? std::vector<uint8_t>(bytes.begin() + 14, bytes.end()) : std::vector<uint8_t>{};
}

TEST_P(Compose, EachCodeDrawsAsItsStandAloneFunctionOnABlankCanvas) {
    for (int depth : {1, 4, 8, 16, 24, 32})
        for (const CodeCase &c : CodeCases()) {
            host->AddList(CommandList(c.name, c.lines));
            std::vector<uint8_t> picture;
            EXPECT_EQ(Pict(c.name, kWidth, kHeight, depth, &picture), 0) << c.name;
            const std::string label = GetParam() + "_d" + std::to_string(depth) + "_cmd_" + c.name;
            libtest::SavePicturePng(picture, label);
            EXPECT_TRUE(libtest::SamePixels(picture, OnBlank(depth, c.reference), label));
        }
}

TEST_P(Compose, PictureAndFileHoldTheSamePixelsAtEveryDepth) {
    std::vector<std::vector<Cell>> all;
    for (const CodeCase &c : CodeCases())
        if (std::string(c.name).find("text_face") == std::string::npos) all.insert(all.end(), c.lines.begin(), c.lines.end());
    host->AddList(CommandList("all", all));
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        std::vector<uint8_t> picture;
        ASSERT_EQ(Pict("all", kWidth, kHeight, depth, &picture), 0);
        const fs::path path = folder / ("all_d" + std::to_string(depth) + ".bmp");
        ASSERT_EQ(File("all", path, kWidth, kHeight, depth), 0);
        const std::string label = GetParam() + "_d" + std::to_string(depth) + "_all";
        EXPECT_TRUE(libtest::SamePixels(ReadBitmapFile(path), picture, label + "_file"));
        if (libtest::kHaveImageMagick) {
            EXPECT_TRUE(libtest::SamePixels(libtest::ReadWithImageMagick(path.string()), picture, label + "_imagemagick",
                                            libtest::Depths::MayDiffer));
        }
    }
}

// What each fault in the arguments or the list gives, in the order the checks are made.
TEST_P(Compose, AnswersFollowTheOrderOfTheChecks) {
    host->AddList(CommandList("ok", {{3, 1, 1, 5, 5, 13, 0}}));
    host->AddList(CommandList("six_columns", {{3, 1, 1, 5, 5, 13}}, 6));
    host->AddList(CommandList("no_lines", {}));
    struct Row {
        const char *name;
        std::vector<Value> params;  // parameter 1 is filled in per function
        int16_t pict, file;
        bool made;  // a picture stored or a file written
    };
    auto p = [](double w, double h, double d, const char *list) {
        return std::vector<Value>{Value::Num(0), Value::Num(w), Value::Num(h), Value::Num(d), Value::Str(list)};
    };
    std::vector<Row> rows = {
        {"four_parameters", {Value::Num(0), Value::Num(9), Value::Num(9), Value::Num(24)}, 2, 2, false},
        {"width_0", p(0, 9, 24, "ok"), 2, 2, false},
        {"height_negative", p(9, -5, 24, "ok"), 2, 2, false},
        {"empty_list_name", p(9, 9, 24, ""), 2, 2, false},
        {"unknown_list", p(9, 9, 24, "nowhere"), 2, 2, false},
        {"six_columns", p(9, 9, 24, "six_columns"), 2, 2, false},
        {"no_lines", p(9, 9, 24, "no_lines"), 2, 2, false},
        {"platform_refuses_canvas", p(50000, 43000, 8, "ok"), 0, 0, false},
        {"file_past_4_gib", p(100000, 100000, 32, "ok"), 0, 3, false},
        {"fine", p(9, 9, 24, "ok"), 0, 0, true},
    };
    for (const Row &r : rows) {
        // Wine makes a canvas of 2 GiB, then faults drawing into it (docs/windows.md).
        if (libtest::UnderWine() && std::string(r.name) == "platform_refuses_canvas") continue;
        std::vector<Value> pict = r.params, file = r.params;
        pict[0] = Value::Pict();
        const fs::path path = folder / (std::string(r.name) + ".bmp");
        file[0] = Value::Str(libtest::PathText(path));
        host->ClearTrace();
        EXPECT_EQ(host->Call(FnComposePict, pict), r.pict) << r.name;
        EXPECT_EQ(!pict[0].picture.empty(), r.made && r.pict == 0) << r.name;
        EXPECT_EQ(host->Call(FnComposeFile, file), r.file) << r.name;
        EXPECT_EQ(fs::exists(path), r.made) << r.name;
        EXPECT_EQ(PlatformLiveTotal(), baseline) << r.name;
    }
    // ComposePict's first parameter must be a picture field; ComposeFile's must be a path.
    std::vector<Value> notPicture = p(9, 9, 24, "ok");
    EXPECT_EQ(host->Call(FnComposePict, notPicture), 2);
    std::vector<Value> emptyPath = p(9, 9, 24, "ok");
    emptyPath[0] = Value::Str("");
    EXPECT_EQ(host->Call(FnComposeFile, emptyPath), 2);
    std::vector<Value> missingFolder = p(9, 9, 24, "ok");
    missingFolder[0] = Value::Str(libtest::PathText(folder / "missing" / "x.bmp"));
    EXPECT_EQ(host->Call(FnComposeFile, missingFolder), ResultFileFailure);
    EXPECT_FALSE(fs::exists(folder / "missing"));
}

// The line count is a 32-bit number: 40,000 lines, each filling a pixel of its own, leave
// exactly 40,000 pixels red and the rest of the canvas blank (code 0 fills its left and top
// edges only: one pixel each).
TEST_P(Compose, ListsOfMoreThan32767LinesDrawEveryLine) {
    constexpr int kLines = 40000, kSide = 203, kRows = 199;
    List many = CommandList("forty_thousand", {});
    for (int i = 0; i < kLines; ++i) {
        const int x = i % kSide, y = i / kSide;
        many.lines.push_back({Value::Num(0), Value::Num(y), Value::Num(x), Value::Num(y + 1), Value::Num(x + 1),
                              Value::Num(-255), Value::Num(0)});
    }
    host->AddList(std::move(many));
    host->SetTracing(false);
    std::vector<uint8_t> picture;
    ASSERT_EQ(Pict("forty_thousand", kSide, kRows, 24, &picture), 0);
    int red = 0, black = 0;
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kSide; ++x) {
            const COLORREF c = figsim::PackedDibPixel(picture, x, y);
            const bool drawn = y * kSide + x < kLines;
            EXPECT_EQ(c, drawn ? kRed : RGB(0, 0, 0)) << x << "," << y;
            (drawn ? red : black) += c == (drawn ? kRed : RGB(0, 0, 0));
        }
    EXPECT_EQ(red, kLines);
    EXPECT_EQ(black, kSide * kRows - kLines);
}

// A canvas needing more than half the memory free now is refused before any attempt to make
// it: an overcommitted section would be touched whole later and the host process killed.
TEST_P(Compose, CanvasesBeyondHalfTheFreeMemoryAreRefusedUntried) {
    host->AddList(CommandList("ok", {{3, 1, 1, 5, 5, 13, 0}}));
    struct MemoryOverride {
        MemoryOverride() { PlatformSetAvailableMemory(8u << 20); }  // 4 MiB of pixels may be had
        ~MemoryOverride() { PlatformSetAvailableMemory(0); }
    } shortOfMemory;
    const struct {
        double width, height, depth;
        bool fits;
    } rows[] = {{1024, 1024, 32, true}, {1025, 1024, 32, false}, {2000, 2000, 8, true}, {4000, 2000, 8, false}};
    for (const auto &r : rows) {
        const std::string label = std::to_string(int(r.width)) + "x" + std::to_string(int(r.height)) + "@" +
                                  std::to_string(int(r.depth));
        std::vector<uint8_t> picture;
        PlatformResetCallCounts();
        EXPECT_EQ(Pict("ok", r.width, r.height, r.depth, &picture), 0) << label;
        EXPECT_EQ(!picture.empty(), r.fits) << label;
        EXPECT_EQ(File("ok", folder / "limit.bmp", r.width, r.height, r.depth), 0) << label;
        EXPECT_EQ(fs::exists(folder / "limit.bmp"), r.fits) << label;
        fs::remove(folder / "limit.bmp");
        std::vector<Value> bounds{Value::Pict(libtest::PatternPicture(31, 19, static_cast<int>(r.depth))),
                                  Value::Num(r.width), Value::Num(r.height)};
        const std::vector<uint8_t> before = bounds[0].picture;
        EXPECT_EQ(host->Call(FnSetPictBounds, bounds), 0) << label;
        EXPECT_EQ(bounds[0].picture != before, r.fits) << label;
        ExpectCleanEnd(label);
        if (!r.fits) {
            EXPECT_EQ(PlatformCallCount("CreateDIBSection"), 1) << "only the host's copy of the picture, " << label;
        }
    }
}

TEST_P(Compose, DepthsOutsideTheAcceptedSetMakeFourBitCanvases) {
    host->AddList(CommandList("ok", {{3, 1, 1, 5, 5, 13, 0}}));
    const std::pair<double, int> rows[] = {{3, 4}, {0, 4}, {7, 4}, {-1, 4}, {33, 4}, {65537, 1}, {8, 8}, {24, 24}, {16, 16}};
    for (auto [asked, made] : rows) {
        std::vector<uint8_t> picture;
        ASSERT_EQ(Pict("ok", 9, 9, asked, &picture), 0);
        BITMAPINFOHEADER h{};
        std::memcpy(&h, picture.data(), sizeof h);
        EXPECT_EQ(h.biBitCount, made) << asked;
        // Up to 8 bits the canvas draws with Windows' default table for its depth, every time.
        const std::vector<uint8_t> standard = figsim::MakePackedDib(9, 9, made);
        const size_t tableEnd = sizeof h + (made <= 8 ? 4u << made : 0);
        EXPECT_TRUE(std::equal(picture.begin() + sizeof h, picture.begin() + tableEnd, standard.begin() + sizeof h)) << asked;
    }
}

TEST_P(Compose, ColumnsBeyondTheBoundOnesReadAsNothing) {
    // Seven bound columns: the rectangle has no inset flag, the oval no angles, the text no characters.
    host->AddList(CommandList("seven", {{2, 10, 5, 60, 90, 13, 1}, {4, 1, 1, 100, 100, 13, 1}, {6, 40, 5, 1, 12, 13, 0}}, 7));
    std::vector<uint8_t> picture;
    host->ClearTrace();
    ASSERT_EQ(Pict("seven", kWidth, kHeight, 24, &picture), 0);
    Reference both = [](HDC dc) {
        WithPen(1, kRed, [](HDC d) { Rectangle(d, 4, 9, 90, 60); })(dc);
        WithPen(1, kRed, [](HDC d) { Arc(d, 0, 0, 100, 100, 0, 0, 0, 0); })(dc);
    };
    EXPECT_TRUE(libtest::SamePixels(picture, OnBlank(24, both), GetParam() + "_seven_columns"));
    // Every column the library named to the host is one the host handed out for the list's
    // seven columns (the simulator's references 2000 to 2006).
    for (const auto &e : host->trace()) {
        if (e.code != HostGetListNumber && e.code != HostGetListCell) continue;
        const int64_t column = e.code == HostGetListNumber ? e.args[2] : e.args[1];
        if (e.code == HostGetListNumber && e.args[1] == 0) continue;  // the 8-bit host's line count
        EXPECT_TRUE(column >= 2000 && column < 2007) << column;
    }
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, Compose, ::testing::Values("figPlotU", "figPlot"),
                         [](const auto &info) { return info.param; });

}  // namespace
