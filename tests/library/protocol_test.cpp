// The message protocol of both externals, driven through their exported entry point.
#include <figplatform.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "library_test_util.h"

namespace {

using figsim::External;
using figsim::Host;
using figsim::TextWidth;
using figsim::Value;

class ProtocolTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        external = &libtest::LoadExternal(GetParam());
        host = std::make_unique<Host>(*external);
        host->quirks().fillToMaxLength = true;  // a host that writes every byte it is allowed to
        baseline = PlatformLiveTotal();
    }
    void TearDown() override {
        PlatformClearFaults();
        host.reset();
    }
    bool Wide() const { return external->width() == TextWidth::Wide; }
    // Everything a message made is gone, except the open instance's data.
    void ExpectOnlyInstanceAlive() {
        EXPECT_EQ(PlatformLiveTotal(), baseline + (host->slot() ? 1 : 0));
        EXPECT_EQ(PlatformLiveCount(PlatformMemory) - (host->slot() ? 1 : 0), baselineMemory);
    }

    External *external = nullptr;
    std::unique_ptr<Host> host;
    int baseline = 0;
    int baselineMemory = PlatformLiveCount(PlatformMemory);
};

const std::vector<int> kCountAndNumberThenResult = {HostGetValue, HostGetFunctionNumber, HostSetValue};

TEST_P(ProtocolTest, OpenSendsTheBannerAndFillsThePalette) {
    host->quirks().bannerAnswer = 0x1234;  // only the low 8 bits come back
    EXPECT_EQ(host->Open(), 0x34);
    ASSERT_NE(host->slot(), nullptr);
    const auto &trace = host->trace();
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[0].code, HostSendBanner);
    EXPECT_EQ(trace[0].args, (std::vector<int64_t>{0, 1, 1, 0}));
    EXPECT_NE(figsim::Utf32ToUtf8(host->banner()).find(" by "), std::string::npos);
    EXPECT_EQ(trace[1].code, HostSetValue);
    EXPECT_EQ(trace[1].args, (std::vector<int64_t>{ParamReturnValue, ValueNumber}));
    const auto *bytes = static_cast<const uint8_t *>(host->slot());
    // Entry 13 is red (bytes from offset 4, three per entry, from entry 1).
    EXPECT_EQ(bytes[4 + 12 * 3], 0xFF);
    EXPECT_EQ(bytes[4 + 12 * 3 + 1], 0x00);
    EXPECT_EQ(bytes[4 + 12 * 3 + 2], 0x00);
    EXPECT_EQ(host->returnStores(), 1);
    ExpectOnlyInstanceAlive();
    EXPECT_EQ(host->Close(), 0);
    EXPECT_EQ(host->slot(), nullptr);
    ExpectOnlyInstanceAlive();
}

TEST_P(ProtocolTest, FailedOpenBeepsAnswers3AndLeavesTheSlot) {
    int beeps = PlatformBeepCount();
    PlatformFailNthCall("GlobalAlloc", 1);
    EXPECT_EQ(host->Open(), 3);
    EXPECT_EQ(host->slot(), nullptr);
    EXPECT_EQ(PlatformBeepCount(), beeps + 1);
    EXPECT_EQ(PlatformLastBeepType(), static_cast<UINT>(MB_ICONASTERISK));
    EXPECT_EQ(host->TraceCodes(), std::vector<int>{HostSetValue});  // no banner

    host->ClearTrace();
    std::vector<Value> params{Value::Pict(), Value::Num(1)};
    EXPECT_EQ(host->Call(FnErasePict, params), 0);
    EXPECT_EQ(host->TraceCodes(), std::vector<int>{HostSetValue});  // nothing but the result
    ExpectOnlyInstanceAlive();
}

TEST_P(ProtocolTest, CloseTwiceFreesOnce) {
    host->Open();
    EXPECT_EQ(host->Close(), 0);
    int memory = PlatformLiveCount(PlatformMemory);
    EXPECT_EQ(host->Close(), 0);
    EXPECT_EQ(host->slot(), nullptr);
    EXPECT_EQ(PlatformLiveCount(PlatformMemory), memory);
}

TEST_P(ProtocolTest, UnknownMessagesOnlyStoreTheResult) {
    host->Open();
    host->ClearTrace();
    for (int message : {9, 5, -1, 0x7FFF}) {
        EXPECT_EQ(host->Send(message), 1);  // the entry answers what the host answered the store
        EXPECT_EQ(host->TraceCodes(), std::vector<int>{HostSetValue});
        EXPECT_EQ(host->lastReturnValue(), 0);
        host->ClearTrace();
    }
    ExpectOnlyInstanceAlive();
}

TEST_P(ProtocolTest, MessageNumbersUseOnlyTheirLow16Bits) {
    host->Send(0x20000);  // message 0
    EXPECT_NE(host->slot(), nullptr);
    host->Send(0x30002);  // message 2
    EXPECT_EQ(host->slot(), nullptr);
}

TEST_P(ProtocolTest, TooFewParametersFailBeforeAnythingIsRead) {
    host->Open();
    host->ClearTrace();
    std::vector<Value> params(6, Value::Num(1));
    params[0] = Value::Pict(figsim::MakePackedDib(5, 3, 24));
    EXPECT_EQ(host->Call(FnDrawLine, params), 2);
    EXPECT_EQ(host->TraceCodes(), kCountAndNumberThenResult);
    EXPECT_EQ(host->lastReturnValue(), 2.0);
    ExpectOnlyInstanceAlive();
}

TEST_P(ProtocolTest, MinimumCountsAndPictureTestsOfEveryFunction) {
    host->Open();
    struct Case {
        int function, minimum;
        bool picture;
    };
    std::vector<Case> cases = {{1, 5, false}, {2, 5, true}, {3, 8, true},  {4, 6, true},
                               {5, 7, true},  {6, 6, true}, {7, 7, true},  {8, 7, true},
                               {9, 2, true},  {10, 3, true}, {11, 3, true}, {12, 2, true}};
    for (const Case &c : cases) {
        std::vector<Value> few(c.minimum - 1, Value::Num(0));
        if (!few.empty()) few[0] = Value::Pict();
        EXPECT_EQ(host->Call(c.function, few), 2) << "function " << c.function;

        std::vector<Value> textFirst(c.minimum, Value::Num(0));
        textFirst[0] = Value::Str("not a picture");
        host->ClearTrace();
        int16_t result = host->Call(c.function, textFirst);
        std::vector<int> codes = host->TraceCodes();
        bool askedFieldInfo = std::find(codes.begin(), codes.end(), HostGetFieldInfo) != codes.end();
        EXPECT_EQ(askedFieldInfo, c.picture) << "function " << c.function;
        if (c.picture) {
            EXPECT_EQ(result, 2) << "function " << c.function;
            EXPECT_EQ(codes, (std::vector<int>{HostGetValue, HostGetFunctionNumber, HostGetFieldInfo, HostSetValue}));
        }
    }
    ExpectOnlyInstanceAlive();
}

TEST_P(ProtocolTest, ParameterCountIsTruncated) {
    host->Open();
    std::vector<Value> params{Value::Pict(), Value::Num(0), Value::Num(0)};
    host->SetCountOverride(2.9);
    host->ClearTrace();
    host->Call(FnErasePict, params);  // 2 parameters: enough, so the picture is tested
    std::vector<int> codes = host->TraceCodes();
    EXPECT_NE(std::find(codes.begin(), codes.end(), HostGetFieldInfo), codes.end());
    EXPECT_EQ(host->Call(FnGetPictBounds, params), 2);  // needs 3
    host->SetCountOverride(65536 + 3);  // only the low 16 bits count: 3, enough to reach the empty picture
    EXPECT_EQ(host->Call(FnGetPictBounds, params), ResultEmptyPicture);
    host->SetCountOverride(65536 + 1);  // 1: too few even for ErasePict
    EXPECT_EQ(host->Call(FnErasePict, params), 2);
}

TEST_P(ProtocolTest, FunctionNumbersOutsideTheTableDoNothing) {
    host->Open();
    std::vector<Value> params(8, Value::Num(0));
    std::vector<int> numbers = {0, -1, 14, 99};
    if (Wide()) numbers.push_back(FnGetPixelColor);
    for (int n : numbers) {
        host->ClearTrace();
        EXPECT_EQ(host->Call(n, params), 0) << n;
        EXPECT_EQ(host->TraceCodes(), kCountAndNumberThenResult) << n;
    }
    ExpectOnlyInstanceAlive();
}

TEST_P(ProtocolTest, CallWithoutAnInstanceDoesNothing) {
    std::vector<Value> params(8, Value::Num(0));
    EXPECT_EQ(host->Call(FnDrawLine, params), 0);
    EXPECT_EQ(host->TraceCodes(), std::vector<int>{HostSetValue});
}

TEST_P(ProtocolTest, DescribeParametersFromTheFunctionTable) {
    int count = 0;
    int16_t result = -1;
    EXPECT_EQ(host->Describe(12, FIG_REQUEST_KIND_PARAMETERS, &count, &result), "Parms: (pictureField,sizeField)");
    EXPECT_EQ(count, 31);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(host->Describe(9, FIG_REQUEST_KIND_PARAMETERS, &count), "Parms: (pictureField,color)");
    EXPECT_EQ(count, 27);
    EXPECT_EQ(host->Describe(5, FIG_REQUEST_KIND_PARAMETERS),
              "Parms: (pictureField,lineSize,color,top,left,bottom,right [,noOutline? [,startAngle, spanDegrees]])");
    EXPECT_EQ(host->Describe(1, FIG_REQUEST_KIND_PARAMETERS),
              "Parms: (outputPath,width,height,depth,drawCmdsListname)");
    EXPECT_EQ(host->Describe(3, FIG_REQUEST_KIND_RETURN, &count), "Return Code :");
    EXPECT_EQ(count, 13);
    EXPECT_EQ(host->Describe(3, 7, &count, &result), "");
    EXPECT_EQ(count, -1) << "kind 7 leaves the record untouched";
    EXPECT_EQ(result, 0);
}

TEST_P(ProtocolTest, DescribeFunctionsWithoutAStringGivesAnEmptyList) {
    for (int n : {0, 13, 14, 500, -7}) {
        int count = 0;
        EXPECT_EQ(host->Describe(n, FIG_REQUEST_KIND_PARAMETERS, &count), "Parms: ") << n;
        EXPECT_EQ(count, 7) << n;
    }
}

TEST_P(ProtocolTest, RequestRecordFlagAndMissingRecord) {
    EXPECT_EQ(host->FlagRecord(), 1);
    host->quirks().noRequestRecord = true;
    EXPECT_EQ(host->FlagRecord(), 0);
    int16_t result = -1;
    host->Describe(12, FIG_REQUEST_KIND_PARAMETERS, nullptr, &result);
    EXPECT_EQ(result, 0);
}

TEST_P(ProtocolTest, OnlyACallReadsTheInstanceSlot) {
    // A host may pass a slot it no longer owns with messages that need no instance:
    // here an unmapped address, which any read of it faults on.
    host->quirks().slotPointer = reinterpret_cast<void **>(static_cast<uintptr_t>(64));
    EXPECT_EQ(host->Describe(9, FIG_REQUEST_KIND_PARAMETERS), "Parms: (pictureField,color)");
    EXPECT_EQ(host->FlagRecord(), 1);
    host->Send(77);
    EXPECT_EQ(host->lastReturnValue(), 0);
    host->quirks().slotPointer = nullptr;
}

TEST_P(ProtocolTest, HostileFieldInformationStaysInsideTheBlock) {
    host->Open();
    std::vector<Value> params(7, Value::Num(0));
    params[0] = Value::Pict();
    for (int32_t count : {5000, 300, 255, -1}) {
        host->quirks().fieldNameCount = count;
        host->Call(FnDrawLine, params);  // the picture test's block: bounds watched by ASan
    }
    ExpectOnlyInstanceAlive();
}

TEST_P(ProtocolTest, ResourcesOfTheBuild) {
    std::vector<uint8_t> marker = external->Marker();
    ASSERT_EQ(marker.size(), 14u);
    const uint8_t expected[14] = {uint8_t(Wide() ? 'U' : '7'), 'C', 'M', 'D', 0x11, 0x72, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(marker.data(), expected, 14), 0);

    figsim::VersionInfo version;
    ASSERT_TRUE(figsim::ParseVersionBlock(external->VersionBlock(), &version));
    EXPECT_EQ(version.fileVersionMs, 0x00010002u);
    EXPECT_EQ(version.fileVersionLs, 0x00000005u);
    EXPECT_EQ(version.productVersionMs, 0x00010002u);
    EXPECT_EQ(version.productVersionLs, 0x00000005u);
    EXPECT_EQ(version.flagsMask, 0x3Fu);
    EXPECT_EQ(version.flags, 0x2u);
    EXPECT_EQ(version.os, 0x4u);
    EXPECT_EQ(version.fileType, 0x2u);
    EXPECT_EQ(version.blockName, "040904E4");
    EXPECT_EQ(version.translation, 0x04E40409u);
    auto value = [&](const char *name) {
        const std::string *v = version.Find(name);
        return v ? *v : std::string("<missing>");
    };
    EXPECT_EQ(value("FileDescription"),
              Wide() ? "Extension for Omnis Studio Unicode" : "Extension for Omnis 7/Studio");
    EXPECT_EQ(value("FileVersion"), "1.2b5");
    EXPECT_EQ(value("InternalName"), "figPlot");
    EXPECT_EQ(value("OriginalFilename"), Wide() ? "figPlotU.DLL" : "figPlot.DLL");
    EXPECT_EQ(value("ProductName"), Wide() ? "figPlot for Unicode" : "figPlot");
    EXPECT_EQ(value("ProductVersion"), "1.2b5");

    EXPECT_EQ(external->FunctionString(29201),
              "figPlot.ComposeFile(outputPath,width,height,depth,drawCmdsListname):29212");
    EXPECT_EQ(external->FunctionString(29208), "figPlot.DrawLine(pictureField,lineSize,color,top,left,bottom,right):29205");
    EXPECT_EQ(external->FunctionString(29213), "*figPlot");
    EXPECT_EQ(external->FunctionString(29214), "");
}

TEST_P(ProtocolTest, EveryFunctionStringEndsWithItsMirroredNumber) {
    for (int n = 1; n <= 12; ++n) {
        std::string s = external->FunctionString(29200 + n);
        ASSERT_EQ(s.rfind("figPlot.", 0), 0u) << s;
        EXPECT_EQ(s.substr(s.rfind(':') + 1), std::to_string(29213 - n)) << s;
    }
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, ProtocolTest, ::testing::Values("figPlotU", "figPlot"),
                         [](const auto &info) { return info.param; });

}  // namespace
