// The simulator serves lists as each build's host does: names to references, column
// names, cells, field types and "#LN".
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "library_test_util.h"

namespace {

using figsim::Host;
using figsim::Value;


// A CountedText in the build's width.
std::vector<uint8_t> Counted(figsim::TextWidth width, const std::string &text) {
    std::vector<uint8_t> out;
    if (width == figsim::TextWidth::Wide) {
        out.resize(4 + 4 * text.size());
        int32_t n = static_cast<int32_t>(text.size());
        std::memcpy(out.data(), &n, 4);
        for (size_t i = 0; i < text.size(); ++i) {
            char32_t c = static_cast<unsigned char>(text[i]);
            std::memcpy(&out[4 + 4 * i], &c, 4);
        }
    } else {
        out.push_back(static_cast<uint8_t>(text.size()));
        out.insert(out.end(), text.begin(), text.end());
    }
    return out;
}

class HostLists : public ::testing::TestWithParam<const char *> {
protected:
    void SetUp() override {
        std::string error;
        external = figsim::External::Load(libtest::ExternalPath(GetParam()), &error);
        ASSERT_NE(external, nullptr) << error;
        host = std::make_unique<Host>(*external);
        figsim::List list{"cmds", {"code", "top", "face"}, {5, 5, FieldTypeText}, {}};
        list.lines.push_back({Value::Num(1), Value::Num(10.5), Value::Str("Arial")});
        list.lines.push_back({Value::Num(2), Value::Num(-3), Value::Str("")});
        host->AddList(list);
    }
    int32_t Lookup(const std::string &name) {
        std::vector<uint8_t> counted = Counted(external->width(), name);
        return host->Invoke(HostLookupName, counted.data());
    }
    std::unique_ptr<figsim::External> external;
    std::unique_ptr<Host> host;
};

TEST_P(HostLists, NamesCellsAndLineCount) {
    const int32_t list = Lookup("cmds");
    ASSERT_NE(list, 0);
    const int32_t top = Lookup("top"), face = Lookup("face");
    EXPECT_NE(top, 0);
    EXPECT_EQ(Lookup("nope"), 0);

    double number = 0;
    host->Invoke(HostGetListNumber, list, int32_t{1}, top, &number);
    EXPECT_EQ(number, 10.5);
    host->Invoke(HostGetListNumber, list, int32_t{2}, top, &number);
    EXPECT_EQ(number, -3);

    uint8_t text[4 * 256] = {};
    int32_t lineAndMax[2] = {1, 255};
    host->Invoke(HostGetListCell, list, face, ValueText, text, lineAndMax);
    if (external->width() == figsim::TextWidth::Wide) {
        char32_t first;
        std::memcpy(&first, text, 4);
        EXPECT_EQ(first, U'A');
    } else {
        EXPECT_STREQ(reinterpret_cast<char *>(text), "Arial");
    }

    // "#LN": the wide host answers the lookup with the count; the 8-bit host answers a
    // reference whose line-0 cell holds it.
    const int32_t ln = Lookup("#LN");
    if (external->width() == figsim::TextWidth::Wide) {
        EXPECT_EQ(ln, 2);
    } else {
        host->Invoke(HostGetListNumber, list, int32_t{0}, ln, &number);
        EXPECT_EQ(number, 2);
    }

    const bool wide = external->width() == figsim::TextWidth::Wide;
    std::vector<uint8_t> block(wide ? FIG_FIELDINFO_SIZE_U : FIG_FIELDINFO_SIZE_A, 0);
    int16_t id = static_cast<int16_t>(face);
    std::memcpy(&block[wide ? FIG_FIELDINFO_ID_U : FIG_FIELDINFO_ID_A], &id, 2);
    host->Invoke(HostGetFieldInfo, block.data());
    int16_t status, type;
    std::memcpy(&status, &block[wide ? FIG_FIELDINFO_STATUS_U : FIG_FIELDINFO_STATUS_A], 2);
    std::memcpy(&type, &block[wide ? FIG_FIELDINFO_TYPE_U : FIG_FIELDINFO_TYPE_A], 2);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(type, FieldTypeText);

    uint8_t names[4 * 1025] = {};
    host->Invoke(HostGetColumnNames, list, 1024, names);
    if (!wide) {
        EXPECT_STREQ(reinterpret_cast<char *>(names), "code,top,face");
    }
}

// Lines of uneven length keep every cell as it was given: numbers by their bits (a NaN
// whose bits look like a tag stays a NaN), texts of narrow and wide units, empty cells
// and pictures.
TEST(ListLines, KeepEveryCell) {
    const double nanLikeTag = [] {
        const uint64_t bits = 0xFFFB000000000007;
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }();
    const std::vector<std::vector<Value>> given = {
        {Value::Num(-0.0), Value::Num(1e300), Value::Str(U"\u00e9t\u00e9"), Value{}},
        {},
        {Value::Str(U""), Value::Str(U"a\U0001F600\u20AC"), Value::Pict({1, 2, 3}), Value::Num(nanLikeTag)},
        {Value::Num(-7.25)},
    };
    figsim::ListLines lines;
    for (const auto &line : given) lines.push_back(line);
    ASSERT_EQ(lines.size(), given.size());
    for (size_t l = 0; l < given.size(); ++l) {
        ASSERT_EQ(lines.CellCount(l), given[l].size()) << l;
        for (size_t c = 0; c < given[l].size(); ++c) {
            Value got;
            ASSERT_TRUE(lines.CellAt(l, c, &got));
            const Value &want = given[l][c];
            EXPECT_EQ(got.kind, want.kind) << l << "," << c;
            EXPECT_EQ(got.text, want.text) << l << "," << c;
            EXPECT_EQ(got.picture, want.picture) << l << "," << c;
            if (std::isnan(want.number)) EXPECT_TRUE(std::isnan(got.number)) << l << "," << c;
            else EXPECT_EQ(std::memcmp(&got.number, &want.number, sizeof got.number), 0) << l << "," << c;
        }
        Value past;
        EXPECT_FALSE(lines.CellAt(l, given[l].size(), &past)) << l;
    }
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, HostLists, ::testing::Values("figPlotU", "figPlot"),
                         [](const auto &info) { return std::string(info.param); });

}  // namespace
