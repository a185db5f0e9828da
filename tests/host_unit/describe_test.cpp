// Message 3 against a module whose function string is longer than a counted text holds.
#include <figplatform.h>
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "protocol/host_text.h"
#include "protocol/messages.h"

namespace fig {
namespace {

constexpr size_t kRecordSize = FIGPLOT_WIDE ? FIG_REQUEST_RECORD_SIZE_U : FIG_REQUEST_RECORD_SIZE_A;
std::vector<uint8_t> *record = nullptr;

int32_t RecordHost(int32_t code, ...) {
    va_list args;
    va_start(args, code);
    if (code == HostGetFunctionNumber) *va_arg(args, int32_t *) = 1;
    if (code == HostGetRequestRecord) *va_arg(args, void **) = record->data();
    va_end(args);
    return 0;
}

TEST(Describe, ALongParameterListIsCutToACountedTextInsideTheRecord) {
    // 300 characters with no ":": the list keeps 298 of them, "Parms: " makes 305.
    const std::string table = "f(" + std::string(297, 'p') + ")";
    static const std::string keep = table;
    const PlatformStringResource strings[] = {{FIG_FUNCTION_STRING_BASE + 1, 0, keep.c_str()}};
    const PlatformResourceTable resources = {strings, 1, nullptr, 0};
    static const int anchor = 0;
    HMODULE module = PlatformAttachModule(&anchor, &resources);
    ASSERT_NE(module, nullptr);

    std::vector<uint8_t> exact(kRecordSize, 0xEE);  // exactly the stated size: ASan sees past it
    const int16_t kind = FIG_REQUEST_KIND_PARAMETERS;
    std::memcpy(&exact[FIG_REQUEST_KIND_OFFSET], &kind, sizeof kind);
    record = &exact;
    DescribeFunction(module, &RecordHost);
    PlatformDetachModule(module);

    const uint8_t *text = &exact[FIG_REQUEST_TEXT_OFFSET];
    HostChar count;
    std::memcpy(&count, text, sizeof count);
    EXPECT_EQ(static_cast<uint32_t>(static_cast<std::make_unsigned_t<HostChar>>(count)), 254u);
    std::basic_string<HostChar> units(254 + 1, 0);
    std::memcpy(units.data(), text + sizeof(HostChar), units.size() * sizeof(HostChar));
    EXPECT_EQ(units[253], 'p');
    EXPECT_EQ(units[254], 0) << "terminated inside the record";
    EXPECT_EQ(units.substr(0, 9), (std::basic_string<HostChar>{'P', 'a', 'r', 'm', 's', ':', ' ', '(', 'p'}));
}

}  // namespace
}  // namespace fig
