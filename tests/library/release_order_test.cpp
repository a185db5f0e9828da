// The order in which a call releases what it made, for each kind of call: a bitmap leaves
// its memory DC and is deleted before the DC goes, and the DC from GetDC is given back
// last, as GDI asks; a drawing object goes once deselected; the host's picture goes at the
// common ending, after everything made from it.
#include "library_test_util.h"

namespace {

using figsim::List;
using figsim::Value;

constexpr PlatformObjectKind M = PlatformMemory, D = PlatformDc, B = PlatformBitmap, P = PlatformPen,
                             R = PlatformBrush, F = PlatformFont, H = PlatformFile;

std::vector<Value> N(std::initializer_list<double> numbers) {
    std::vector<Value> values;
    for (double n : numbers) values.push_back(Value::Num(n));
    return values;
}

struct OrderCase {
    const char *name;
    int function;
    std::vector<Value> args;  // after parameter 1
    bool pictureFirst;        // parameter 1 is a picture (else a number or a path)
    std::vector<PlatformObjectKind> releases;
};

class ReleaseOrder : public ::testing::TestWithParam<std::string>, protected libtest::OpenHost {
protected:
    void SetUp() override {
        Open(GetParam());
        List list;
        list.name = "one_rect";
        list.columnNames = {"code", "top", "left", "bottom", "right", "color", "size"};
        list.columnTypes.assign(list.columnNames.size(), 5);
        list.lines = {N({3, 2, 3, 20, 30, 13, 1})};
        host->AddList(list);
    }
    void TearDown() override { host.reset(); }
};

TEST_P(ReleaseOrder, EachCallReleasesInItsFixedOrder) {
    const std::string path = libtest::TestFolder("release_order") + "/out.bmp";
    const std::vector<OrderCase> cases = {
        // The DC the picture was copied from goes once the picture is deselected from it;
        // the drawing's object once drawn; the host's copy of the stored picture takes a DC
        // of its own; then the canvas: its bitmap, header block, memory DC and window DC.
        {"fill_rect", FnFillRect, N({13, 2, 3, 20, 30}), true, {D, R, D, B, M, D, D, B}},
        {"draw_line", FnDrawLine, N({1, 13, 2, 3, 20, 30}), true, {D, P, D, B, M, D, D, B}},
        {"draw_text", FnDrawText, {Value::Str("Ab"), Value::Num(5), Value::Num(4), Value::Str("Arial"), Value::Num(12),
                                   Value::Num(0), Value::Num(13)}, true, {D, F, D, B, M, D, D, B}},
        {"get_pict_size", FnGetPictSize, N({0}), true, {B}},
        // The list's text buffer goes before the drawing starts.
        {"compose_pict", FnComposePict, {Value::Num(31), Value::Num(17), Value::Num(24), Value::Str("one_rect")}, false,
         {M, R, D, B, M, D, D}},
        // The file is closed, and the rows read for it freed, before the canvas goes.
        {"compose_file", FnComposeFile, {Value::Num(31), Value::Num(17), Value::Num(24), Value::Str("one_rect")}, false,
         {M, R, H, M, M, B, M, D, D}},
    };
    for (const OrderCase &c : cases) {
        std::vector<Value> params;
        if (c.pictureFirst) params.push_back(Value::Pict(libtest::PatternPicture(37, 23, 24)));
        else if (c.function == FnComposeFile) params.push_back(Value::Str(path));
        else params.push_back(Value::Pict());
        params.insert(params.end(), c.args.begin(), c.args.end());
        host->ClearTrace();
        PlatformResetReleaseOrder();
        EXPECT_EQ(host->Call(c.function, params), 0) << c.name;
        PlatformRelease releases[32];
        const int count = PlatformReleaseOrder(releases, 32);
        std::vector<PlatformObjectKind> kinds;
        for (int i = 0; i < count && i < 32; ++i) kinds.push_back(releases[i].kind);
        EXPECT_EQ(kinds, c.releases) << c.name;
        if (c.pictureFirst && count > 0) {  // the last release is the host's own picture
            ASSERT_EQ(host->deliveredBitmaps().size(), 1u) << c.name;
            EXPECT_EQ(releases[count - 1].handle, host->deliveredBitmaps()[0]) << c.name;
        }
        ExpectCleanEnd(c.name);
    }
}

INSTANTIATE_TEST_SUITE_P(Builds, ReleaseOrder, ::testing::Values("figPlotU", "figPlot"));

}  // namespace
