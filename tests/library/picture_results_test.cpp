// What the picture functions answer and write when the parameters, the field or the host
// are not as a drawing needs them; the housekeeping functions' figures; the pixel query.
#include <functional>

#include "library_test_util.h"

namespace {

using figsim::BitmapDelivery;
using figsim::Host;
using figsim::HostQuirks;
using figsim::Value;

constexpr int kWidth = 37, kHeight = 23;

class PictureResults : public ::testing::TestWithParam<std::string>, protected libtest::OpenHost {
protected:
    void SetUp() override { Open(GetParam()); }
    void TearDown() override { host.reset(); }
};

std::vector<Value> Params(Value first, std::initializer_list<double> numbers) {
    std::vector<Value> values{std::move(first)};
    for (double n : numbers) values.push_back(Value::Num(n));
    return values;
}

// The arguments each function needs after its picture, all of them.
std::vector<double> FullArgs(int function) {
    switch (function) {
        case FnDrawText: return {};  // built with a text below
        case FnFillOval: return {13, 2, 2, 20, 30, 0, 90};
        case FnDrawOval: return {1, 13, 2, 2, 20, 30, 0, 0, 90};
        case FnFillRect: return {13, 2, 2, 20, 30};
        case FnDrawRect:
        case FnDrawLine: return {1, 13, 2, 2, 20, 30};
        case FnErasePict: return {13};
        case FnSetPictBounds: return {50, 40};
        case FnGetPictBounds: return {0, 0};
        default: return {0};  // GetPictSize
    }
}

std::vector<Value> CallParams(int function, Value picture) {
    if (function == FnDrawText)
        return {std::move(picture), Value::Str("Ab"), Value::Num(20), Value::Num(2), Value::Num(1), Value::Num(12),
                Value::Num(0), Value::Num(13)};
    std::vector<Value> values{std::move(picture)};
    for (double n : FullArgs(function)) values.push_back(Value::Num(n));
    return values;
}

int MinimumCount(int function) {
    switch (function) {
        case FnDrawText: return 8;
        case FnFillOval:
        case FnFillRect: return 6;
        case FnDrawOval:
        case FnDrawRect:
        case FnDrawLine: return 7;
        case FnSetPictBounds:
        case FnGetPictBounds: return 3;
        default: return 2;
    }
}

const int kPictureFunctions[] = {FnDrawText, FnFillOval, FnDrawOval, FnFillRect, FnDrawRect, FnDrawLine,
                                 FnErasePict, FnSetPictBounds, FnGetPictBounds, FnGetPictSize};

// What each kind of trouble gives, for every picture function: the answer, and whether
// the field must still hold its picture afterwards.
struct Trouble {
    const char *name;
    std::function<void(HostQuirks &, std::vector<Value> &, int function)> arrange;
    int16_t drawingAnswer;  // DrawText .. SetPictBounds, GetPictBounds
    int16_t sizeAnswer;     // GetPictSize
    bool fieldKept;
};

std::vector<Trouble> Troubles() {
    return {
        {"one_parameter_too_few", [](HostQuirks &, std::vector<Value> &p, int f) { p.resize(MinimumCount(f) - 1); }, ResultBadParameters,
         ResultBadParameters, true},
        {"number_not_picture", [](HostQuirks &, std::vector<Value> &p, int) { p[0] = Value::Num(5); }, ResultBadParameters,
         ResultBadParameters, false},
        {"text_not_picture", [](HostQuirks &, std::vector<Value> &p, int) { p[0] = Value::Str("x"); }, ResultBadParameters,
         ResultBadParameters, false},
        {"empty_field", [](HostQuirks &, std::vector<Value> &p, int) { p[0] = Value::Pict(); }, ResultEmptyPicture, 0, true},
        {"bitmap_refused", [](HostQuirks &q, std::vector<Value> &, int) { q.refuseBitmaps = true; }, ResultEmptyPicture, 0, true},
        {"bitmap_undescribable", [](HostQuirks &q, std::vector<Value> &, int) { q.bitmapDelivery = BitmapDelivery::StaleHandle; },
         ResultEmptyPicture, 0, true},
        {"store_refused", [](HostQuirks &q, std::vector<Value> &, int) { q.refusePictureStores = true; }, 0, 0, true},
        {"depth_without_canvas", [](HostQuirks &q, std::vector<Value> &, int) { q.describedBitsPixel = 2; }, 0, 0, true},
    };
}

TEST_P(PictureResults, TroubleGivesItsAnswerAndLeavesTheFieldAlone) {
    const std::vector<uint8_t> original = libtest::PatternPicture(kWidth, kHeight, 24);
    for (const Trouble &t : Troubles())
        for (int function : kPictureFunctions) {
            std::vector<Value> params = CallParams(function, Value::Pict(original));
            host->quirks() = HostQuirks{};
            host->quirks().fillToMaxLength = true;
            t.arrange(host->quirks(), params, function);
            const std::vector<Value> before = params;
            host->ClearTrace();
            const std::string label = std::string(t.name) + " function " + std::to_string(function);
            const int16_t answer = host->Call(function, params);
            EXPECT_EQ(answer, function == FnGetPictSize ? t.sizeAnswer : t.drawingAnswer) << label;
            if (t.fieldKept) {
                EXPECT_EQ(params[0].picture, before[0].picture) << label;
            }
            if (answer == ResultBadParameters) {  // nothing else read or written
                for (size_t i = 1; i < params.size(); ++i) EXPECT_EQ(params[i].number, before[i].number) << label;
            }
            ExpectCleanEnd(label);
        }
}

TEST_P(PictureResults, GetPictSizeCountsGroupsOfEightPixelsInSixtyFourBits) {
    struct Row {
        int width, height, depth;
        uint16_t planes, bitsPixel;  // as GetObject describes the bitmap (0: as made)
        double size;
    };
    const Row rows[] = {
        {100, 50, 8, 0, 0, 5200},      {10, 3, 24, 0, 0, 144},  {9, 1, 1, 0, 0, 2},
        {640, 480, 32, 0, 0, 1228800}, {33, 7, 1, 4, 1, 140},   {33, 7, 4, 0, 2, 140},  // planes multiply; 2 bits count as 4
        {16, 2, 16, 0, 0, 64},         {24000, 23000, 1, 0, 32, 2208000000.0},  // past 2^31: exact
    };
    for (const Row &r : rows) {
        std::vector<Value> params = Params(Value::Pict(figsim::MakePackedDib(r.width, r.height, r.depth)), {-1});
        host->quirks().describedPlanes = r.planes;
        host->quirks().describedBitsPixel = r.bitsPixel;
        host->ClearTrace();
        EXPECT_EQ(host->Call(FnGetPictSize, params), 0);
        EXPECT_EQ(params[1].number, r.size) << r.width << "x" << r.height << "x" << r.depth;
        ExpectCleanEnd("size");
    }
}

TEST_P(PictureResults, GetPictBoundsWritesWidthAndHeightEvenForAnEmptyField) {
    std::vector<Value> params = Params(Value::Pict(libtest::PatternPicture(kWidth, kHeight, 4)), {-1, -1});
    EXPECT_EQ(host->Call(FnGetPictBounds, params), 0);
    EXPECT_EQ(params[1].number, kWidth);
    EXPECT_EQ(params[2].number, kHeight);
    params[0] = Value::Pict();
    EXPECT_EQ(host->Call(FnGetPictBounds, params), ResultEmptyPicture);
    EXPECT_EQ(params[1].number, 0);
    EXPECT_EQ(params[2].number, 0);
}

TEST_P(PictureResults, SetPictBoundsKeepsTheTopLeftAndWhitensTheRest) {
    struct Row {
        int width, height;
        bool zeroByteLength;  // the size fetch does not stop on it
    };
    const Row rows[] = {{50, 30, false}, {20, 11, false}, {kWidth, 9, true}, {1, 1, false}};
    for (int depth : {1, 8, 16, 32}) {
        const std::vector<uint8_t> original = libtest::PatternPicture(kWidth, kHeight, depth);
        for (const Row &r : rows) {
            std::vector<Value> params = Params(Value::Pict(original), {double(r.width), double(r.height)});
            host->quirks().zeroByteLength = r.zeroByteLength;
            host->ClearTrace();
            EXPECT_EQ(host->Call(FnSetPictBounds, params), 0);
            std::vector<uint8_t> expected = figsim::MakePackedDib(r.width, r.height, depth);
            HBITMAP bitmap = figsim::BitmapFromPackedDib(expected);
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ before = SelectObject(dc, bitmap);
            for (int y = 0; y < r.height; ++y)
                for (int x = 0; x < r.width; ++x)
                    SetPixel(dc, x, y, x < kWidth && y < kHeight ? figsim::PackedDibPixel(original, x, y) : RGB(255, 255, 255));
            SelectObject(dc, before);
            DeleteDC(dc);
            expected = figsim::PackedDibFromBitmap(bitmap);
            DeleteObject(bitmap);
            EXPECT_TRUE(libtest::SamePixels(params[0].picture, expected,
                                            GetParam() + "_resize_d" + std::to_string(depth) + "_" + std::to_string(r.width)));
            EXPECT_EQ(params[1].number, r.width);  // not written
            ExpectCleanEnd("resize");
        }
    }
    host->quirks().zeroByteLength = false;
    for (double size : {0.0, -5.0}) {  // no canvas: the picture stays as it was
        std::vector<Value> params = Params(Value::Pict(libtest::PatternPicture(kWidth, kHeight, 8)), {size, 10});
        const std::vector<uint8_t> before = params[0].picture;
        EXPECT_EQ(host->Call(FnSetPictBounds, params), 0);
        EXPECT_EQ(params[0].picture, before);
        std::swap(params[1], params[2]);
        EXPECT_EQ(host->Call(FnSetPictBounds, params), 0);
        EXPECT_EQ(params[0].picture, before);
    }
}

TEST_P(PictureResults, PlanarAndDeviceBitmapsDrawAtTheDepthTheyReport) {
    // A planar picture is drawn at its bits per pixel, not planes x bits; a device bitmap
    // draws like a section of its depth.
    const std::vector<uint8_t> original = libtest::PatternPicture(kWidth, kHeight, 1);
    auto line = [](HDC dc) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, 2, 2, nullptr);
        LineTo(dc, 30, 20);
        SelectObject(dc, old);
        DeleteObject(pen);
    };
    for (BitmapDelivery delivery : {BitmapDelivery::DibSection, BitmapDelivery::DeviceBitmap}) {
        std::vector<Value> params = CallParams(FnDrawLine, Value::Pict(original));
        params[2] = Value::Num(-0);  // black
        host->quirks().bitmapDelivery = delivery;
        host->quirks().describedPlanes = delivery == BitmapDelivery::DibSection ? 4 : 0;
        host->ClearTrace();
        EXPECT_EQ(host->Call(FnDrawLine, params), 0);
        EXPECT_TRUE(libtest::SamePixels(params[0].picture, libtest::DrawnWithPlatform(original, line), GetParam() + "_planar"));
        ExpectCleanEnd("planar");
    }
}

TEST_P(PictureResults, GetPixelColorAnswersThePaletteIndexOfAWindowPixel) {
    if (Wide()) GTEST_SKIP() << "function 13 exists in the 8-bit build only";
    if (!host->window()) GTEST_SKIP() << "the host has no window to read (Wine without a display makes none)";
    struct Row {
        int x, y;
        COLORREF colour;  // set on the window first, unless CLR_INVALID
        double index;
    };
    const Row rows[] = {
        {3, 5, RGB(255, 255, 255), 1}, {4, 5, RGB(0x80, 0x80, 0x80), 8}, {5, 5, RGB(0xC0, 0xC0, 0xC0), 9},
        {6, 5, RGB(0xCC, 0xCC, 0xCC), 0}, {7, 5, RGB(0, 0, 0), 272},      {8, 6, RGB(0xFF, 0xFF, 0xCC), 18},
        {-1, 5, CLR_INVALID, 1},  // outside: the invalid colour's low bytes are white's
    };
    for (const Row &r : rows) {
        if (r.colour != CLR_INVALID) host->SetWindowPixel(r.x, r.y, r.colour);
        std::vector<Value> params = Params(Value::Num(r.y), {double(r.x), -7});
        EXPECT_EQ(host->Call(FnGetPixelColor, params), 0);
        EXPECT_EQ(params[2].number, r.index) << r.x << "," << r.y;
    }
    const int dcs = PlatformLiveCount(PlatformDc);
    HWND window = host->window();
    host->SetWindow(reinterpret_cast<HWND>(0x7777));  // no DC to be had: the answer is 0
    std::vector<Value> params = Params(Value::Num(5), {3, -7});
    EXPECT_EQ(host->Call(FnGetPixelColor, params), 0);
    EXPECT_EQ(params[2].number, 0);
    host->SetWindow(window);
    EXPECT_EQ(PlatformLiveCount(PlatformDc), dcs);
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, PictureResults, ::testing::Values("figPlotU", "figPlot"),
                         [](const auto &info) { return info.param; });

}  // namespace
