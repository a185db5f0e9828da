// Every platform call a picture function makes fails in turn: the answer is still sound,
// the field holds its picture or a correct one, and nothing is left behind.
#include "library_test_util.h"

namespace {

using figsim::Host;
using figsim::Value;

// The calls that can fail, and what a failure of each may do to the field.
enum class Effect {
    FieldKept,     // no canvas, no store: answer 0
    EmptyAnswer,   // the picture never arrived: answer 4, field kept
    DrawnAnyway,   // a pen, brush, font or selection missing: the drawing goes on and is stored
};

struct FailurePoint {
    const char *function;
    Effect effect;      // for its calls after the first
    Effect firstEffect; // for its first call in the message
};

std::vector<FailurePoint> Points(bool wide) {
    // The library describes pictures in its own text width; the host reads the stored one wide.
    const char *libraryDescribe = wide ? "GetObjectW" : "GetObjectA";
    std::vector<FailurePoint> points = {
        {libraryDescribe, Effect::FieldKept, Effect::EmptyAnswer},
        {"GetDC", Effect::FieldKept, Effect::FieldKept},
    {"CreateCompatibleDC", Effect::FieldKept, Effect::FieldKept},
    {"GlobalAlloc", Effect::FieldKept, Effect::FieldKept},
    {"GlobalLock", Effect::FieldKept, Effect::FieldKept},
    // The first section is the host's bitmap of the picture, the second the canvas.
    {"CreateDIBSection", Effect::FieldKept, Effect::EmptyAnswer},
    {"BitBlt", Effect::FieldKept, Effect::FieldKept},
    {"GetDIBits", Effect::FieldKept, Effect::FieldKept},  // the host's copy of a stored picture
    {"SelectObject", Effect::DrawnAnyway, Effect::DrawnAnyway},
    {"CreatePen", Effect::DrawnAnyway, Effect::DrawnAnyway},
    {"CreateSolidBrush", Effect::DrawnAnyway, Effect::DrawnAnyway},
    {"CreateFontIndirectW", Effect::DrawnAnyway, Effect::DrawnAnyway},
    {"CreateFontIndirectA", Effect::DrawnAnyway, Effect::DrawnAnyway},
    };
    if (!wide) points.push_back({"GetObjectW", Effect::FieldKept, Effect::FieldKept});
    return points;
}

std::vector<Value> Calls(int function) {
    auto n = [](std::initializer_list<double> v) {
        std::vector<Value> out;
        for (double d : v) out.push_back(Value::Num(d));
        return out;
    };
    switch (function) {
        case FnDrawText: {
            std::vector<Value> p{Value::Str("Ab"), Value::Num(20), Value::Num(2), Value::Num(1), Value::Num(12),
                                 Value::Num(0), Value::Num(13)};
            return p;
        }
        case FnFillOval: return n({13, 2, 2, 20, 30, 0, 90});
        case FnDrawOval: return n({1, 13, 2, 2, 20, 30, 0, 0, 90});
        case FnFillRect: return n({13, 2, 2, 20, 30});
        case FnDrawRect:
        case FnDrawLine: return n({2, 13, 2, 2, 20, 30});
        case FnErasePict: return n({13});
        case FnSetPictBounds: return n({50, 40});
        case FnGetPictBounds: return n({0, 0});
        default: return n({0});
    }
}

class FailurePaths : public ::testing::TestWithParam<std::string> {};

TEST_P(FailurePaths, EachFailingCallLeavesASoundFieldAndNothingBehind) {
    figsim::External &external = libtest::LoadExternal(GetParam());
    Host host(external);
    host.Open();
    const std::vector<FailurePoint> points = Points(external.width() == figsim::TextWidth::Wide);
    const std::vector<uint8_t> original = libtest::PatternPicture(31, 19, 8);
    const int functions[] = {FnDrawText, FnFillOval, FnDrawOval, FnFillRect, FnDrawRect, FnDrawLine,
                             FnErasePict, FnSetPictBounds, FnGetPictBounds, FnGetPictSize};
    int driven = 0;
    for (int function : functions) {
        std::vector<Value> params{Value::Pict(original)};
        for (Value &v : Calls(function)) params.push_back(v);
        // A run without faults counts the calls and gives the correct picture.
        std::vector<Value> clean = params;
        PlatformResetCallCounts();
        ASSERT_EQ(host.Call(function, clean), 0);
        std::vector<int> counts;
        for (const FailurePoint &point : points) counts.push_back(PlatformCallCount(point.function));
        const int baseline = PlatformLiveTotal();
        for (size_t k = 0; k < points.size(); ++k)
            for (int n = 1; n <= counts[k]; ++n) {
                const FailurePoint &point = points[k];
                const Effect effect = n == 1 ? point.firstEffect : point.effect;
                std::vector<Value> run = params;
                host.ClearTrace();
                PlatformFailNthCall(point.function, n);
                const int16_t answer = host.Call(function, run);
                PlatformClearFaults();
                ++driven;
                const std::string label = GetParam() + " function " + std::to_string(function) + ": " + point.function +
                                          " call " + std::to_string(n);
                const bool reportsEmpty = effect == Effect::EmptyAnswer && function != FnGetPictSize;
                EXPECT_EQ(answer, reportsEmpty ? ResultEmptyPicture : 0) << label;
                if (effect != Effect::DrawnAnyway) {
                    EXPECT_TRUE(run[0].picture == original || run[0].picture == clean[0].picture) << label;
                }
                EXPECT_EQ(PlatformLiveTotal(), baseline) << label;
                for (HBITMAP delivered : host.deliveredBitmaps()) EXPECT_EQ(GetObjectType(delivered), 0u) << label;
            }
    }
    std::printf("[ failure paths ] %s: %d paths driven\n", GetParam().c_str(), driven);
    EXPECT_GT(driven, 100);
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, FailurePaths, ::testing::Values("figPlotU", "figPlot"),
                         [](const auto &info) { return info.param; });

}  // namespace
