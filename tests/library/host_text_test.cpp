// The simulator's UTF-8, through kernel32's MultiByteToWideChar and WideCharToMultiByte: the
// same table holds for the platform and for Windows (the Windows run checks it there).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "figsim.h"

namespace {

struct Utf8Case {
    const char *what;
    std::string utf8;
    std::u32string text;
};

// Each bad sequence is one U+FFFD: the lead byte and the continuation bytes read before it
// proves bad; a sequence cut short by the end takes the rest.
TEST(HostText, Utf8DecodesAsWindowsDoes) {
    const Utf8Case cases[] = {
        {"ASCII, two, three and four bytes", "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", U"A\u00E9\u20AC\U0001F600"},
        {"a zero inside", std::string("a\0b", 3), std::u32string(U"a\0b", 3)},
        {"a stray continuation byte", "x\x80y", U"x\uFFFDy"},
        {"C0 and F5 never lead", "\xC0\xAF\xF5\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"an overlong three-byte form", "\xE0\x80\xAF", U"\uFFFD\uFFFD"},
        {"an encoded surrogate", "\xED\xA0\x80", U"\uFFFD\uFFFD"},
        {"an overlong four-byte form", "\xF0\x8F\xBF\xBF", U"\uFFFD\uFFFD\uFFFD"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD"},
        {"a sequence broken by ASCII", "\xE2\x82" "A!", U"\uFFFDA!"},
        {"cut short by the end", "x\xE2\x82", U"x\uFFFD"},
        {"cut short, the rest taken", "x\xE2" "A", U"x\uFFFD"},
        {"empty", "", U""},
    };
    for (const Utf8Case &c : cases) EXPECT_EQ(figsim::Utf8ToUtf32(c.utf8), c.text) << c.what;

    const Utf8Case encoded[] = {
        {"every length", "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", U"A\u00E9\u20AC\U0001F600"},
        {"lone surrogates", "\xEF\xBF\xBD" "a\xEF\xBF\xBD", std::u32string{0xDC00, 'a', 0xD800}},
        {"a surrogate pair as two characters", "\xF0\x9F\x98\x80", std::u32string{0xD83D, 0xDE00}},
        {"past U+10FFFF", "\xEF\xBF\xBD", std::u32string{0x110000}},
        {"a zero inside", std::string("a\0b", 3), std::u32string(U"a\0b", 3)},
    };
    for (const Utf8Case &c : encoded) EXPECT_EQ(figsim::Utf32ToUtf8(c.text), c.utf8) << c.what;
}

// Lengths, sizes and errors of both calls.
TEST(HostText, ConversionCallsAnswerAsKernel32) {
    WCHAR wide[8] = {};
    char bytes[8] = {};
    struct Call {
        int result;
        DWORD error;  // GetLastError after a failure
    };
    auto mb = [&](DWORD flags, const char *text, int length, int room) {
        SetLastError(0);
        return Call{MultiByteToWideChar(CP_UTF8, flags, text, length, room ? wide : nullptr, room), GetLastError()};
    };
    const WCHAR euro[] = {0x20AC, 'x', 0};
    const WCHAR lone[] = {0xD800, 0};
    auto wc = [&](DWORD flags, const WCHAR *text, int length, int room) {
        SetLastError(0);
        return Call{WideCharToMultiByte(CP_UTF8, flags, text, length, room ? bytes : nullptr, room, nullptr, nullptr),
                    GetLastError()};
    };
    const struct {
        const char *what;
        Call call;
        int result;
        DWORD error;
    } cases[] = {
        {"-1 counts the zero", mb(0, "\xC3\xA9z", -1, 8), 3, 0},
        {"size only", mb(0, "\xF0\x9F\x98\x80", 4, 0), 2, 0},
        {"buffer too small", mb(0, "abc", 3, 2), 0, ERROR_INSUFFICIENT_BUFFER},
        {"bad bytes refused on request", mb(MB_ERR_INVALID_CHARS, "a\x80", 2, 8), 0, ERROR_NO_UNICODE_TRANSLATION},
        {"good bytes pass the same request", mb(MB_ERR_INVALID_CHARS, "a\xC3\xA9", 3, 8), 2, 0},
        {"a length of 0", mb(0, "a", 0, 8), 0, ERROR_INVALID_PARAMETER},
        {"precomposed means nothing to UTF-8", mb(MB_PRECOMPOSED, "a", 1, 8), 1, 0},
        {"an unknown flag", mb(0x100, "a", 1, 8), 0, ERROR_INVALID_FLAGS},
        {"wide: -1 counts the zero", wc(0, euro, -1, 8), 5, 0},
        {"wide: size only", wc(0, euro, 2, 0), 4, 0},
        {"wide: buffer too small", wc(0, euro, 2, 3), 0, ERROR_INSUFFICIENT_BUFFER},
        {"wide: a lone surrogate refused on request", wc(WC_ERR_INVALID_CHARS, lone, 1, 8), 0,
         ERROR_NO_UNICODE_TRANSLATION},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.call.result, c.result) << c.what;
        if (c.result == 0) {
            EXPECT_EQ(c.call.error, c.error) << c.what;
        }
    }
    EXPECT_EQ(mb(0, "\xC3\xA9z", -1, 8).result, 3);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t *>(wide), 3), std::u16string(u"\u00E9z\0", 3));
    EXPECT_EQ(wc(0, euro, -1, 8).result, 5);
    EXPECT_EQ(std::string(bytes, 5), std::string("\xE2\x82\xACx\0", 5));
}

}  // namespace
