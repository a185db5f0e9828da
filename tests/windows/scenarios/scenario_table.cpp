#include "scenario_table.h"

#include <cstring>

namespace scenarios {
namespace {

using figsim::List;
using figsim::Value;

constexpr int kWidth = 97, kHeight = 61;
const int kDepths[] = {1, 4, 8, 16, 24, 32};

// A picture whose pixels differ from their neighbours and from white, so that every pixel a
// function copies, keeps or paints shows.
std::vector<uint8_t> Pattern(int depth) {
    std::vector<uint8_t> packed = figsim::MakePackedDib(kWidth, kHeight, depth);
    const size_t table = depth <= 8 ? 4u << depth : 0;
    const size_t stride = ((static_cast<size_t>(kWidth) * depth + 31) / 32) * 4;
    for (size_t row = 0; row < kHeight; ++row)
        for (size_t i = 0; i < stride; ++i)
            packed[sizeof(BITMAPINFOHEADER) + table + row * stride + i] =
                static_cast<uint8_t>((row * 29 + i * 7) ^ (i / 3 * 5) ^ 0x5A);
    return packed;
}

// A case: the arguments after parameter 1 (numbers, or a Value for texts and faces).
struct Case {
    const char *name;
    std::vector<Value> args;
};

Value N(double n) { return Value::Num(n); }
Value S(const char *utf8) { return Value::Str(std::string(utf8)); }

std::vector<Value> Ns(std::initializer_list<double> numbers) {
    std::vector<Value> values;
    for (double n : numbers) values.push_back(N(n));
    return values;
}

// Colours: 0..255 index the host's palette, negative numbers are -COLORREF.
constexpr double kRed = 13, kNavy = 2, kSilver = 60;
constexpr double kRgbGreen = -0x00FF00, kRgbBlue = -0xFF0000, kRgbOdd = -0x3080C0;

std::vector<std::pair<int, std::vector<Case>>> PictureCases() {
    return {
        {FnDrawLine,
         {{"w0_shallow", Ns({0, kRed, 5, 3, 40, 90})},
          {"w1_steep_backwards", Ns({1, kRgbBlue, 55, 80, 2, 10})},
          {"w2_diagonal", Ns({2, kNavy, 60, 0, 0, 60})},
          {"w5_rgb", Ns({5, kRgbOdd, 10, 90, 50, 8})},
          {"w9_beyond_the_picture", Ns({9, 4, -20, -30, 200, 150})},
          {"w3_point", Ns({3, kRed, 30, 30, 30, 30})}}},
        {FnDrawRect,
         {{"w1", Ns({1, kRed, 5, 5, 50, 90})},
          {"w3_inset", Ns({3, kNavy, 5, 5, 50, 90, -1})},
          {"w4_reversed_corners", Ns({4, kRgbGreen, 50, 90, 5, 5})},
          {"w0_flat", Ns({0, 9, 10, 10, 11, 80})}}},
        {FnFillRect,
         {{"index", Ns({kSilver, 5, 5, 50, 90})},
          {"rgb_reversed_corners", Ns({-0x808000, 50, 90, 5, 5})},
          {"beyond_the_picture", Ns({kRed, -10, -10, 200, 200})}}},
        {FnDrawOval,
         {{"whole_w1", Ns({1, kRed, 3, 3, 58, 94})},
          {"whole_w4", Ns({4, kNavy, 8, 10, 50, 80})},
          {"inset_w3", Ns({3, kRed, 5, 5, 55, 90, -1})},
          {"arc_quarter", Ns({1, kRed, 0, 0, 60, 96, 0, 0, 90})},
          {"arc_w3_long", Ns({3, kRgbBlue, 5, 5, 55, 90, 0, 30, 250})},
          {"arc_backwards", Ns({2, 5, 5, 5, 55, 90, 0, 200, -120})}}},
        {FnFillOval,
         {{"whole", Ns({kRed, 5, 5, 55, 90})},
          {"pie", Ns({kNavy, 0, 0, 60, 96, 45, 90})},
          {"pie_past_north", Ns({-0x00C0C0, 5, 5, 55, 90, 300, 200})},
          {"tiny", Ns({kRed, 10, 10, 12, 13})}}},
        {FnDrawText,
         {{"system_default", {S("Hello"), N(20), N(2), N(0), N(0), N(0), N(kRed)}},
          {"arial_12", {S("Quick brown fox"), N(20), N(2), N(1), N(12), N(0), N(kNavy)}},
          {"times_14_bold", {S("Times 14 bold"), N(38), N(2), N(2), N(14), N(1), N(kRed)}},
          {"courier_raster_italic", {S("Courier"), N(55), N(2), N(4), N(10), N(2), N(-0x008000)}},
          {"arial_by_name_underlined", {S("Underlined"), N(58), N(30), S("Arial"), N(11), N(4), N(9)}},
          {"courier_new_20", {S("Mono 20"), N(40), N(10), S("Courier New"), N(20), N(0), N(kRgbBlue)}},
          {"arial_28_italic", {S("Ag"), N(60), N(50), N(1), N(28), N(2), N(kRed)}},
          {"times_cell_height", {S("cell -15"), N(30), N(40), N(2), N(-15), N(0), N(12)}},
          {"code_page_1252", {S("Grüße € – ©"), N(56), N(4), N(1), N(13), N(0), N(0)}},
          {"unknown_face", {S("Fallback"), N(25), N(5), S("No Such Face"), N(12), N(0), N(kRed)}},
          {"beyond_code_page_1252", {S("a\U0001D400b \u0416"), N(30), N(10), N(1), N(20), N(0), N(kRed)}}}},
        {FnErasePict, {{"index", Ns({kRed})}, {"rgb", Ns({-0x102030})}, {"index_past_palette", Ns({300})}}},
        {FnSetPictBounds, {{"grow", Ns({120, 70})}, {"shrink", Ns({30, 20})}}},
        {FnGetPictBounds, {{"figures", Ns({0, 0})}}},
        {FnGetPictSize, {{"figures", Ns({0})}}},
    };
}

// One list with every drawing code, cells as a host's list holds them.
List EveryCode(const std::string &name) {
    List list;
    list.name = name;
    list.columnNames = {"code", "top", "left", "bottom", "right", "color", "size", "extra", "start", "span"};
    list.columnTypes.assign(list.columnNames.size(), 5);
    list.columnTypes[7] = FieldTypeText;  // "extra" holds the texts of code 6
    const std::vector<std::vector<Value>> lines = {
        {N(0), N(2), N(2), N(58), N(94), N(-0xF0F0F0), N(0), S("0")},
        {N(1), N(5), N(3), N(40), N(90), N(kRed), N(3), S("")},
        {N(2), N(10), N(5), N(50), N(60), N(kNavy), N(2), S("-1")},
        {N(3), N(30), N(62), N(55), N(92), N(kSilver), N(0), S("")},
        {N(4), N(1), N(1), N(60), N(96), N(kRgbBlue), N(1), S("0"), N(30), N(200)},
        {N(5), N(20), N(20), N(58), N(70), N(kRgbGreen), N(60), S("120")},
        {N(6), N(25), N(4), N(1), N(12), N(kRed), N(1), S("Compose")},
        {N(6), N(50), N(40), N(4), N(14), N(-0x800000), N(4), S("list")},
    };
    for (const auto &line : lines) {
        std::vector<Value> cells = line;
        cells.resize(list.columnNames.size(), N(0));
        list.lines.push_back(cells);
    }
    return list;
}

std::string Named(int function, int depth, const std::string &name) {
    return FunctionName(function) + "@d" + std::to_string(depth) + "_" + name;
}

}  // namespace

std::string FunctionName(int function) {
    static const char *const names[] = {"",           "ComposeFile", "ComposePict", "DrawText",      "FillOval",
                                        "DrawOval",   "FillRect",    "DrawRect",    "DrawLine",      "ErasePict",
                                        "SetPictBounds", "GetPictBounds", "GetPictSize", "GetPixelColor"};
    return function > 0 && function <= FnGetPixelColor ? names[function] : "Function" + std::to_string(function);
}

std::vector<Scenario> Scenarios() {
    std::vector<Scenario> table;
    for (int depth : kDepths) {
        const Value picture = Value::Pict(Pattern(depth));
        for (const auto &[function, cases] : PictureCases())
            for (const Case &c : cases) {
                Scenario s{Named(function, depth, c.name), function, {picture}, {}};
                s.params.insert(s.params.end(), c.args.begin(), c.args.end());
                table.push_back(std::move(s));
            }
        const std::string list = "every_code_d" + std::to_string(depth);
        const std::vector<Value> canvas = {N(kWidth), N(kHeight), N(depth), S(list.c_str())};
        Scenario pict{Named(FnComposePict, depth, "every_code"), FnComposePict, {Value::Pict()}, {EveryCode(list)}};
        pict.params.insert(pict.params.end(), canvas.begin(), canvas.end());
        Scenario file{Named(FnComposeFile, depth, "every_code"), FnComposeFile, {S("")}, {EveryCode(list)}};
        file.params.insert(file.params.end(), canvas.begin(), canvas.end());
        table.push_back(std::move(pict));
        table.push_back(std::move(file));
    }
    return table;
}

}  // namespace scenarios
