// The callback wrappers and list binding against a scripted fake host.
#include <figplatform.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "protocol/host_callback.h"
#include "protocol/list_binding.h"

namespace fig {
namespace {

using HText = std::basic_string<HostChar>;

HText Text(const std::string &s) { return HText(s.begin(), s.end()); }

// A host that knows some names and a list's column-name text.
struct FakeHost {
    std::map<HText, int32_t> names;
    HText columnNames;
    bool fillColumnBufferCompletely = false;
    int32_t fieldNameCount = 0;
    std::vector<HText> lookups;
    int columnNameCalls = 0;
    double lineCountCell = 0;
    std::vector<std::vector<int>> numberRequests;
    std::vector<std::vector<int>> cellRequests;  // list, column, type, line, maximum
};
FakeHost *fake = nullptr;

HText FromCounted(const HostChar *counted) {
    return HText(counted + 1, counted + 1 + static_cast<int>(counted[0]));
}

int32_t FakeCallback(int32_t code, ...) {
    va_list args;
    va_start(args, code);
    int32_t result = 0;
    if (code == HostLookupName) {
        HText name = FromCounted(va_arg(args, const HostChar *));
        fake->lookups.push_back(name);
        auto it = fake->names.find(name);
        result = it == fake->names.end() ? 0 : it->second;
    } else if (code == HostGetColumnNames) {
        va_arg(args, int);
        int max = va_arg(args, int);
        auto *buffer = va_arg(args, HostChar *);
        ++fake->columnNameCalls;
        if (fake->fillColumnBufferCompletely) {
            for (int i = 0; i < max; ++i) buffer[i] = i % 5 == 4 ? ',' : 'c';  // no terminator
        } else {
            std::copy(fake->columnNames.begin(), fake->columnNames.end(), buffer);
            buffer[fake->columnNames.size()] = 0;
        }
    } else if (code == HostGetFieldInfo) {
        auto *block = va_arg(args, uint8_t *);
        const HostChar count = static_cast<HostChar>(fake->fieldNameCount);
        std::memcpy(block, &count, sizeof count);
    } else if (code == HostGetListNumber) {
        int list = va_arg(args, int);
        int32_t line = va_arg(args, int32_t);
        int column = va_arg(args, int);
        double *out = va_arg(args, double *);
        fake->numberRequests.push_back({list, line, column});
        *out = fake->lineCountCell;
    } else if (code == HostGetListCell) {
        int list = va_arg(args, int);
        int column = va_arg(args, int);
        int type = va_arg(args, int);
        auto *buffer = va_arg(args, HostChar *);
        const int32_t *lineAndMax = va_arg(args, const int32_t *);
        fake->cellRequests.push_back({list, column, type, lineAndMax[0], lineAndMax[1]});
        for (int i = 0; i < lineAndMax[1]; ++i) buffer[i] = 'c';  // unterminated, to the maximum
    } else if (code == HostGetValue) {
        va_arg(args, int);
        va_arg(args, int);
        int32_t max = va_arg(args, int32_t);
        auto *buffer = va_arg(args, HostChar *);
        for (int i = 0; i < max; ++i) buffer[i] = 't';  // a host that forgets the terminator
    }
    va_end(args);
    return result;
}

class BindTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake = &host;
        host.names[Text("cmds")] = 7;
    }
    void TearDown() override { fake = nullptr; }
    FakeHost host;
};

TEST_F(BindTest, SkipsNamesTheHostDoesNotKnow) {
    host.columnNames = Text("a,b,zz,d");
    host.names[Text("a")] = 11;
    host.names[Text("b")] = 12;
    host.names[Text("d")] = 14;
    ListColumnMap map{};
    BindListColumns(map, Text("cmds").c_str(), FakeCallback);
    EXPECT_EQ(map.listRef, 7);
    ASSERT_EQ(map.columnCount, 3);
    EXPECT_EQ(map.columns[0], 11);
    EXPECT_EQ(map.columns[1], 12);
    EXPECT_EQ(map.columns[2], 14);
}

TEST_F(BindTest, BindsAtMostTwentyFourColumns) {
    HText names;
    for (int i = 0; i < 30; ++i) {
        HText name = Text("c" + std::to_string(i));
        host.names[name] = 100 + i;
        names += (i ? Text(",") : HText()) + name;
    }
    host.columnNames = names;
    ListColumnMap map{};
    BindListColumns(map, Text("cmds").c_str(), FakeCallback);
    EXPECT_EQ(map.columnCount, 24);
    EXPECT_EQ(map.columns[23], 123);
    EXPECT_EQ(host.lookups.size(), 1u + 24u);  // the list, then only the first 24 names
}

TEST_F(BindTest, EmptyNameTextKeepsTheListReference) {
    host.columnNames = HText();
    ListColumnMap map{};
    BindListColumns(map, Text("cmds").c_str(), FakeCallback);
    EXPECT_EQ(map.listRef, 7);
    EXPECT_EQ(map.columnCount, 0);
}

TEST_F(BindTest, BlanksAfterCommasAreLookedUpAsGiven) {
    host.columnNames = Text("a, b");
    host.names[Text("a")] = 11;
    host.names[Text("b")] = 12;
    ListColumnMap map{};
    BindListColumns(map, Text("cmds").c_str(), FakeCallback);
    EXPECT_EQ(map.columnCount, 1);
    EXPECT_EQ(host.lookups.back(), Text(" b"));
}

TEST_F(BindTest, UnknownListBindsNothingAndAsksNoColumns) {
    ListColumnMap map;
    std::memset(&map, 0x5A, sizeof map);  // whatever the caller's stack held
    BindListColumns(map, Text("nope").c_str(), FakeCallback);
    EXPECT_EQ(map.listRef, 0);
    EXPECT_EQ(map.columnCount, 0);
    for (int16_t column : map.columns) EXPECT_EQ(column, 0);  // no stale reference to hand a host
    EXPECT_EQ(host.columnNameCalls, 0);
}

TEST_F(BindTest, NoMemoryForTheNameBufferBindsNothingAndLeaksNothing) {
    int before = PlatformLiveCount(PlatformMemory);
    PlatformFailNthCall("GlobalAlloc", 1);
    ListColumnMap map{};
    map.listRef = 3;
    map.columnCount = 5;
    BindListColumns(map, Text("cmds").c_str(), FakeCallback);
    EXPECT_EQ(map.listRef, 0);
    EXPECT_EQ(map.columnCount, 0);
    EXPECT_TRUE(host.lookups.empty());
    EXPECT_EQ(PlatformLiveCount(PlatformMemory), before);
}

TEST_F(BindTest, AnUnterminatedColumnTextStaysInsideTheBuffer) {
    host.fillColumnBufferCompletely = true;  // 1024 units, no terminator: ASan watches the bounds
    ListColumnMap map{};
    BindListColumns(map, Text("cmds").c_str(), FakeCallback);
    EXPECT_EQ(map.columnCount, 0);               // none of the names is known
    EXPECT_EQ(host.lookups.size(), 1u + 24u);  // 205 names, 24 looked up
}

TEST_F(BindTest, FieldInfoNameCountsBeyondTheBlockAreContained) {
    for (int32_t count : {5000, 255, -3, 254}) {
        host.fieldNameCount = count;
        FieldInfo info = GetFieldInfo(211, FakeCallback);  // the stack block is checked by ASan
        EXPECT_EQ(info.status, 0);
    }
}

TEST_F(BindTest, TextsAreTerminatedWhateverTheHostWrote) {
    // Buffers start full of non-zero units: a terminator must come from the library.
    HostChar buffer[kTextBufferUnits];
    std::fill(buffer, buffer + kTextBufferUnits, HostChar('Z'));
    GetTextParam(212, buffer, FakeCallback);
    EXPECT_EQ(HostTextLength(buffer), static_cast<size_t>(kTextMaxLength));
    std::fill(buffer, buffer + kTextBufferUnits, HostChar('Z'));
    GetCellText(7, 3, 12, buffer, FakeCallback);
    EXPECT_EQ(HostTextLength(buffer), static_cast<size_t>(kTextMaxLength));
    EXPECT_EQ(buffer[0], HostChar('c'));
}

TEST_F(BindTest, CellRequestsCarryListLineAndColumnInTheirPlaces) {
    HostChar buffer[kTextBufferUnits];
    GetCellText(7, 3, 12, buffer, FakeCallback);
    ASSERT_EQ(host.cellRequests.size(), 1u);
    EXPECT_EQ(host.cellRequests[0], (std::vector<int>{7, 12, ValueText, 3, kTextMaxLength}));
    host.lineCountCell = -2.7;
    EXPECT_EQ(GetCellInt(9, 40000, 21, FakeCallback), -2);
    ASSERT_EQ(host.numberRequests.size(), 1u);
    EXPECT_EQ(host.numberRequests[0], (std::vector<int>{9, 40000, 21}));
}

TEST_F(BindTest, LineCountComesThroughTheLineCountNameAsA32BitNumber) {
    struct Case {
        double count;
        int32_t expected;
    } cases[] = {{40000.7, 40000}, {65536, 65536}, {-2.5, -2}, {-40000, -40000}, {3, 3}};
    for (const Case &c : cases) {
        host.lookups.clear();
        host.numberRequests.clear();
#if FIGPLOT_WIDE
        host.names[Text("#LN")] = static_cast<int32_t>(c.count);
#else
        host.names[Text("#LN")] = 3000 + 65536;  // the reference keeps its low 16 bits
        host.lineCountCell = c.count;
#endif
        ListColumnMap map{};
        map.listRef = 7;
        EXPECT_EQ(ListLineCount(map, FakeCallback), c.expected) << c.count;
        EXPECT_EQ(host.lookups.back(), Text("#LN"));
#if FIGPLOT_WIDE
        EXPECT_TRUE(host.numberRequests.empty());
#else
        ASSERT_EQ(host.numberRequests.size(), 1u);
        EXPECT_EQ(host.numberRequests[0], (std::vector<int>{7, 0, 3000}));
#endif
    }
}

}  // namespace
}  // namespace fig
