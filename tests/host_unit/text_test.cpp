#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <type_traits>

#include "protocol/host_text.h"
#include "protocol/number.h"

namespace fig {
namespace {

int Count(const CountedText &counted) { return static_cast<std::make_unsigned_t<HostChar>>(counted[0]); }

std::basic_string<HostChar> Text(const char *ascii) {
    std::basic_string<HostChar> s;
    for (; *ascii; ++ascii) s += static_cast<HostChar>(*ascii);
    return s;
}

TEST(NumberToInt, TruncatesTowardZeroAndFlagsOutOfRange) {
    EXPECT_EQ(NumberToInt(2.9), 2);
    EXPECT_EQ(NumberToInt(-2.9), -2);
    EXPECT_EQ(NumberToInt(1e10), INT32_MIN);
    EXPECT_EQ(NumberToInt(-1e10), INT32_MIN);
    EXPECT_EQ(NumberToInt(2147483647.9), 2147483647);
    EXPECT_EQ(NumberToInt(2147483648.0), INT32_MIN);
    EXPECT_EQ(NumberToInt(-2147483648.9), INT32_MIN);  // truncates to the lowest value, not past it
    EXPECT_EQ(NumberToInt(-2147483649.0), INT32_MIN);
    EXPECT_EQ(NumberToInt(std::numeric_limits<double>::quiet_NaN()), INT32_MIN);
    EXPECT_EQ(NumberToInt(std::numeric_limits<double>::infinity()), INT32_MIN);
    EXPECT_EQ(Low16(70000), 4464);
    EXPECT_EQ(Low16(32768), -32768);
    EXPECT_EQ(Low16(NumberToInt(-1.9)), -1);
}

TEST(CountedText, CutsAt254AndTerminates) {
    std::basic_string<HostChar> longName(300, static_cast<HostChar>('n'));
    CountedText counted;
    MakeCountedText(longName.c_str(), counted);
    EXPECT_EQ(Count(counted), 254);

    std::basic_string<HostChar> exact(254, static_cast<HostChar>('e'));
    MakeCountedText(exact.c_str(), counted);
    EXPECT_EQ(Count(counted), 254);
    EXPECT_EQ(counted[255], 0);

    MakeCountedText(Text("#LN").c_str(), counted);
    EXPECT_EQ(Count(counted), 3);
    EXPECT_EQ(counted[1], static_cast<HostChar>('#'));
    EXPECT_EQ(counted[4], 0);

    MakeCountedText(nullptr, counted);
    EXPECT_EQ(Count(counted), 0);
}

TEST(HostTextHelpers, LengthCopyAppend) {
    HostChar buffer[32];
    AsciiToHostText("Parms: ", buffer, true);
    EXPECT_EQ(HostTextLength(buffer), 7u);
    HostTextAppend(buffer, Text("(a,b)").c_str());
    EXPECT_EQ(std::basic_string<HostChar>(buffer), Text("Parms: (a,b)"));
    HostTextAppend(buffer, nullptr);  // nothing happens with a missing text
    HostTextAppend(nullptr, buffer);
    EXPECT_EQ(HostTextLength(buffer), 12u);
    EXPECT_EQ(HostTextLength(nullptr), 0u);
    HostChar copy[32];
    HostTextCopy(copy, buffer);
    EXPECT_EQ(std::basic_string<HostChar>(copy), std::basic_string<HostChar>(buffer));
}

TEST(Utf32ToUtf16, PairsAndPlaceholders) {
    const char32_t text[] = {U'A', 0x1F600, 0x110000, 0xFFFF, 0};
    WCHAR out[16];
    int n = Utf32ToUtf16(text, out);
    ASSERT_EQ(n, 5);
    EXPECT_EQ(out[0], u'A');
    EXPECT_EQ(out[1], 0xD83D);
    EXPECT_EQ(out[2], 0xDE00);
    EXPECT_EQ(out[3], 0x0001);
    EXPECT_EQ(out[4], 0xFFFF);
    EXPECT_EQ(out[5], 0);
}

TEST(Utf16ToUtf32, PairsAndBrokenSurrogates) {
    char32_t out[16];
    const WCHAR pair[] = {0xD83D, 0xDE00, u'x', 0};
    ASSERT_EQ(Utf16ToUtf32(pair, out), 2);
    EXPECT_EQ(out[0], 0x1F600u);
    EXPECT_EQ(out[1], U'x');

    const WCHAR loneAtEnd[] = {u'a', 0xD83D, 0};
    ASSERT_EQ(Utf16ToUtf32(loneAtEnd, out), 2);
    EXPECT_EQ(out[1], 1u);

    // A lead followed by an ordinary character: both are consumed, one unit 2 written.
    const WCHAR leadThenChar[] = {0xD83D, u'b', u'c', 0};
    ASSERT_EQ(Utf16ToUtf32(leadThenChar, out), 2);
    EXPECT_EQ(out[0], 2u);
    EXPECT_EQ(out[1], U'c');

    const WCHAR trailFirst[] = {0xDC00, 0xD800, 0};
    ASSERT_EQ(Utf16ToUtf32(trailFirst, out), 1);
    EXPECT_EQ(out[0], 2u);
    EXPECT_EQ(out[1], 0u);
}

}  // namespace
}  // namespace fig
