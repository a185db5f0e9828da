// The picture functions through the real entry point of both builds: each drawing
// compared pixel for pixel with the same drawing made by the platform's own calls.
#include <cstring>
#include <functional>

#include "library_test_util.h"
#include "reference_drawing.h"

namespace {

using figsim::Host;
using figsim::Value;
using namespace libtest;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kSilver = RGB(0xC0, 0xC0, 0xC0);
constexpr int kWidth = 123, kHeight = 87;

struct DrawingCase {
    const char *name;
    int function;
    std::vector<Value> args;  // after the picture
    Reference reference;
    bool wideOnly = false;
};

std::vector<Value> N(std::initializer_list<double> numbers) {
    std::vector<Value> values;
    for (double n : numbers) values.push_back(Value::Num(n));
    return values;
}

std::vector<Value> TextArgs(const std::string &text, double top, double left, Value font, double size, double style,
                            double colour) {
    return {Value::Str(text), Value::Num(top), Value::Num(left), font, Value::Num(size), Value::Num(style), Value::Num(colour)};
}

// Arc ends for the box (0, 0, 100, 100): angle 0 points at (50, -20), 10 at (62, -19),
// 90 at (120, 50).
const POINT kUp{50, -20}, kTen{62, -19}, kRight{120, 50};

std::vector<DrawingCase> DrawingCases() {
    return {
        {"line", FnDrawLine, N({2, 13, 10, 5, 70, 100}), WithPen(2, kRed, Line(5, 10, 100, 70))},
        {"line_width0_backwards", FnDrawLine, N({0, -0x00FF00, 80, 110, 3, 7}), WithPen(0, kGreen, Line(110, 80, 7, 3))},
        {"rect", FnDrawRect, N({1, 13, 10, 5, 70, 100}), WithPen(1, kRed, Box(5, 10, 100, 70))},
        {"rect_inset", FnDrawRect, N({3, 13, 10, 5, 70, 100, -1}), WithPen(3, kRed, Box(8, 13, 97, 67))},
        {"rect_inset_low16_zero", FnDrawRect, N({3, 13, 10, 5, 70, 100, 65536}), WithPen(3, kRed, Box(5, 10, 100, 70))},
        {"rect_inset_truncated", FnDrawRect, N({3, 13, 10, 5, 70, 100, 0.9}), WithPen(3, kRed, Box(5, 10, 100, 70))},
        {"rect_inset_negative_grows", FnDrawRect, N({-2, 13, 10, 5, 70, 100, 1}), WithPen(-2, kRed, Box(3, 8, 102, 72))},
        {"fillrect", FnFillRect, N({60, 10, 5, 70, 100}), WithBrush(kSilver, Box(5, 10, 100, 70))},
        {"oval_nine_params_whole", FnDrawOval, N({2, 13, 0, 0, 100, 100, 0, 45}), WithPen(2, kRed, ArcOf(0, 0, 100, 100, {0, 0}, {0, 0}))},
        {"oval_quarter", FnDrawOval, N({1, 13, 0, 0, 100, 100, 0, 0, 90}), WithPen(1, kRed, ArcOf(0, 0, 100, 100, kRight, kUp))},
        {"oval_negative_span", FnDrawOval, N({1, 13, 0, 0, 100, 100, 0, 90, -90}), WithPen(1, kRed, ArcOf(0, 0, 100, 100, kUp, kRight))},
        // Equal ends: a full turn from that direction (where the turn closes is its own).
        {"oval_equal_ends_90_0", FnDrawOval, N({1, 13, 0, 0, 100, 100, 0, 90, 0}), WithPen(1, kRed, ArcOf(0, 0, 100, 100, kRight, kRight))},
        {"oval_equal_ends_10_360", FnDrawOval, N({1, 13, 0, 0, 100, 100, 0, 10, 360}), WithPen(1, kRed, ArcOf(0, 0, 100, 100, kTen, kTen))},
        {"pie_quarter", FnFillOval, N({13, 0, 0, 100, 100, 0, 90}), WithBrush(kRed, PieOf(0, 0, 100, 100, kRight, kUp))},
        {"filloval_seven_params", FnFillOval, N({13, 10, 5, 70, 100, 45}), WithBrush(kRed, Oval(5, 10, 100, 70))},
        {"filloval_angles_low16_zero", FnFillOval, N({13, 10, 5, 70, 100, 0, 65536}), WithBrush(kRed, Oval(5, 10, 100, 70))},
        {"erase_rgb", FnErasePict, N({-255}), WithBrush(kRed, Box(-1, -1, kWidth + 1, kHeight + 1))},
        {"erase_index", FnErasePict, N({60}), WithBrush(kSilver, Box(-1, -1, kWidth + 1, kHeight + 1))},
        {"text_times_bold", FnDrawText, TextArgs("Hello, figPlot", 40, 5, Value::Num(2), 12, 1, 13),
         TextAt(u"Hello, figPlot", 5, 40, {-12, FW_BOLD, 0, 0, OUT_DEFAULT_PRECIS, u"Times"}, kRed)},
        {"text_face_from_text_font", FnDrawText, TextArgs("Courier text", 60, 3, Value::Str("Courier New"), 14, 2, -0x800000),
         TextAt(u"Courier text", 3, 60, {-14, FW_NORMAL, 1, 0, OUT_TT_PRECIS, u"Courier New"}, RGB(0, 0, 0x80))},
        {"text_empty_face_is_system", FnDrawText, TextArgs("Sys", 80, 2, Value::Str(""), 0, 4, 2),
         TextAt(u"Sys", 2, 80, {0, FW_NORMAL, 0, 1, OUT_DEFAULT_PRECIS, u"System"}, RGB(0, 0, 0x80))},
        {"text_code_page_1252", FnDrawText, TextArgs("Grüße € – ok", 30, 40, Value::Num(1), -15, 3, 13),
         TextAt(u"Grüße € – ok", 40, 30, {15, FW_NORMAL, 0, 0, OUT_DEFAULT_PRECIS, u"Arial"}, kRed)},
        {"text_beyond_bmp", FnDrawText, TextArgs("a\U0001D400b", 50, 60, Value::Num(1), 20, 0, 13),
         TextAt(u"a\U0001D400b", 60, 50, {-20, FW_NORMAL, 0, 0, OUT_DEFAULT_PRECIS, u"Arial"}, kRed), true},
        {"text_empty_stores_the_picture", FnDrawText, TextArgs("", 40, 5, Value::Num(1), 12, 0, 13), [](HDC) {}},
    };
}

class PictureFunctions : public ::testing::TestWithParam<std::tuple<std::string, int>>, protected libtest::OpenHost {
protected:
    void SetUp() override { Open(std::get<0>(GetParam())); }
    void TearDown() override { host.reset(); }
    int Depth() const { return std::get<1>(GetParam()); }
    std::string Label(const char *name) const { return std::get<0>(GetParam()) + "_d" + std::to_string(Depth()) + "_" + name; }

};

TEST_P(PictureFunctions, EachDrawingMatchesThePlatformsOwnCalls) {
    const std::vector<uint8_t> original = libtest::PatternPicture(kWidth, kHeight, Depth());
    for (const DrawingCase &c : DrawingCases()) {
        if (c.wideOnly && !Wide()) continue;
        std::vector<Value> params{Value::Pict(original)};
        params.insert(params.end(), c.args.begin(), c.args.end());
        host->ClearTrace();
        EXPECT_EQ(host->Call(c.function, params), 0) << c.name;
        const std::string label = Label(c.name);
        libtest::SavePicturePng(params[0].picture, label);
        EXPECT_TRUE(libtest::SamePixels(params[0].picture, libtest::DrawnWithPlatform(original, c.reference), label));
        ExpectCleanEnd(label);
    }
}

// A 1, 4 or 8-bit picture with its own colour table keeps it: the canvas takes the table,
// every pixel the drawing does not touch keeps its colour, and the drawn colour becomes
// the table's nearest entry, as GDI draws on such a DIB section.
class PalettePictures : public ::testing::TestWithParam<std::string>, protected libtest::OpenHost {
protected:
    void SetUp() override { Open(GetParam()); }
    void TearDown() override { host.reset(); }
};

TEST_P(PalettePictures, KeepTheirOwnColours) {
    struct Row {
        const char *name;
        int depth;
        std::function<RGBQUAD(int)> entry;
    } rows[] = {
        {"navy_and_yellow", 1, [](int i) { return i ? RGBQUAD{0x00, 0xFF, 0xFF, 0} : RGBQUAD{0x80, 0x00, 0x00, 0}; }},
        {"sixteen_of_its_own", 4, [](int i) { return RGBQUAD{BYTE(i * 5), BYTE(255 - i * 16), BYTE(i * 17), 0}; }},
        {"greyscale", 8, [](int i) { return RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0}; }},
    };
    constexpr int kPictureWidth = 37, kPictureHeight = 23;
    for (const Row &r : rows) {
        std::vector<uint8_t> original = libtest::PatternPicture(kPictureWidth, kPictureHeight, r.depth);
        for (int i = 0; i < (1 << r.depth); ++i) {
            const RGBQUAD q = r.entry(i);
            std::memcpy(&original[sizeof(BITMAPINFOHEADER) + 4 * i], &q, sizeof q);
        }
        const COLORREF drawn = RGB(250, 10, 10);
        std::vector<Value> params{Value::Pict(original)};
        const std::vector<Value> args = N({1, -double(drawn), 3, 5, 3, 9});  // x 5 to 8 of row 3
        params.insert(params.end(), args.begin(), args.end());
        ASSERT_EQ(host->Call(FnDrawLine, params), 0) << r.name;
        const std::vector<uint8_t> &after = params[0].picture;
        const size_t tableEnd = sizeof(BITMAPINFOHEADER) + (4u << r.depth);
        ASSERT_GE(after.size(), tableEnd) << r.name;
        EXPECT_TRUE(std::equal(after.begin() + sizeof(BITMAPINFOHEADER), after.begin() + tableEnd,
                               original.begin() + sizeof(BITMAPINFOHEADER)))
            << r.name << ": the colour table changed";
        int changed = 0;
        for (int y = 0; y < kPictureHeight; ++y)
            for (int x = 0; x < kPictureWidth; ++x) {
                const bool onLine = y == 3 && x >= 5 && x < 9;
                const COLORREF now = figsim::PackedDibPixel(after, x, y), before = figsim::PackedDibPixel(original, x, y);
                if (!onLine) {
                    EXPECT_EQ(now, before) << r.name << " at " << x << "," << y;
                }
                changed += now != before;
            }
        EXPECT_LE(changed, 4) << r.name;
        const std::string label = GetParam() + "_palette_" + r.name;
        EXPECT_TRUE(libtest::SamePixels(after, libtest::DrawnWithPlatform(original, WithPen(1, drawn, Line(5, 3, 9, 3))), label));
        ExpectCleanEnd(label);
    }
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, PalettePictures, ::testing::Values("figPlotU", "figPlot"),
                         [](const auto &info) { return info.param; });

INSTANTIATE_TEST_SUITE_P(BuildsAndDepths, PictureFunctions,
                         ::testing::Combine(::testing::Values("figPlotU", "figPlot"), ::testing::Values(1, 4, 8, 16, 24, 32)),
                         [](const auto &info) {
                             return std::get<0>(info.param) + "_" + std::to_string(std::get<1>(info.param));
                         });

}  // namespace
