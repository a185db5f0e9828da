// Every function of both builds against a host whose answers are drawn to hurt: no crash,
// no sanitizer report, nothing left behind, nothing released twice, no call slower than a
// second. The draws are seeded, so a failure names the call that reproduces it.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "hostile.h"
#include "library_test_util.h"

namespace {

using figsim::Host;
using figsim::Value;
namespace fs = std::filesystem;

constexpr uint32_t kSeed = 20261208;
constexpr int kCallsPerBuild = 1500;
constexpr int kDescribeEvery = 20;  // the other messages, with the request record there or not
bool LeftTemporaryFiles(const fs::path &folder) {
    for (const auto &entry : fs::recursive_directory_iterator(folder))
        if (entry.path().filename().string().find("~figplot") != std::string::npos) return true;
    return false;
}

class HostileHost : public ::testing::TestWithParam<std::string> {};

TEST_P(HostileHost, EveryFunctionSurvivesAdversarialAnswers) {
    figsim::External &external = libtest::LoadExternal(GetParam());
    const int functions = external.width() == figsim::TextWidth::Wide ? FnGetPictSize : FnGetPixelColor;
    // Relative paths the host draws land in a folder of this test's own.
    const fs::path folder = libtest::TestFolder(GetParam());
    const fs::path startedIn = fs::current_path();
    fs::current_path(folder);
    Host host(external);
    host.SetTracing(false);
    host.Open();
    auto hostile = std::make_unique<figsim::Hostile>(host, kSeed);
    int baseline = PlatformLiveTotal();
    double slowest = 0;
    std::string slowestCall;
    for (int i = 0; i < kCallsPerBuild; ++i) {
        const int function = 1 + i % functions;
        std::vector<Value> params = hostile->NextCall(function, folder.string());
        const std::string label = GetParam() + " seed " + std::to_string(kSeed) + " call " + std::to_string(i) +
                                  " (function " + std::to_string(function) + ")";
        const bool staleDelivery = host.quirks().bitmapDelivery == figsim::BitmapDelivery::StaleHandle;
        const int stale = PlatformStaleReleases();
        const auto start = std::chrono::steady_clock::now();
        if (i % kDescribeEvery == kDescribeEvery - 1) host.Describe(i / kDescribeEvery % 15, static_cast<int16_t>(4 + i % 4));
        else if (i % kDescribeEvery == kDescribeEvery - 2) host.FlagRecord();
        else host.Call(function, params);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (seconds > slowest) slowest = seconds, slowestCall = label;
        if (PlatformLiveTotal() != baseline) {
            ADD_FAILURE() << label << ": " << PlatformLiveTotal() - baseline << " objects left behind";
            baseline = PlatformLiveTotal();
        }
        // A stale handle from the host is the one release that may find nothing.
        if (!staleDelivery) {
            EXPECT_EQ(PlatformStaleReleases(), stale) << label << ": something released twice";
        }
    }
    hostile.reset();
    fs::current_path(startedIn);
    // The slowest call is printed for a person to look at; the bound on a call's cost lives in
    // the benchmarks (figplot_wide_pen_limits), and ctest's timeout stops a call gone wild.
    std::printf("[ hostile host ] %s: %d hostile calls, slowest %.3f s: %s\n", GetParam().c_str(), kCallsPerBuild,
                slowest, slowestCall.c_str());
    EXPECT_FALSE(LeftTemporaryFiles(folder)) << "a temporary bitmap file was left in " << folder;
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, HostileHost, ::testing::Values("figPlotU", "figPlot"),
                         [](const auto &info) { return info.param; });

}  // namespace
