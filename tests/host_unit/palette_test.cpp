#include <gtest/gtest.h>

#include "protocol/instance.h"

namespace fig {
namespace {

class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override { FillDefaultPalette(data); }
    InstanceData data{};
};

TEST_F(PaletteTest, NegativeValuesCarryTheColour) {
    EXPECT_EQ(ResolveColor(data, -255), 0x0000FFu);
    EXPECT_EQ(ResolveColor(data, -16711680), 0xFF0000u);
    EXPECT_EQ(ResolveColor(data, -16777215), 0xFFFFFFu);
    EXPECT_EQ(ResolveColor(data, -0x1123456), 0x123456u);  // the top byte is dropped
    EXPECT_EQ(ResolveColor(data, INT32_MIN), 0u);
}

TEST_F(PaletteTest, IndexesSelectEntries) {
    EXPECT_EQ(ResolveColor(data, 0), 0u);
    EXPECT_EQ(ResolveColor(data, 1), 0xFFFFFFu);
    EXPECT_EQ(ResolveColor(data, 2), RGB(0, 0, 0x80));
    EXPECT_EQ(ResolveColor(data, 13), 0x0000FFu);
    EXPECT_EQ(ResolveColor(data, 16), 0xFFFFFFu);
    EXPECT_EQ(ResolveColor(data, 17), 0xFFFFFFu);
    EXPECT_EQ(ResolveColor(data, 18), RGB(0xFF, 0xFF, 0xCC));
    EXPECT_EQ(ResolveColor(data, 52), RGB(0xFF, 0, 0));
    EXPECT_EQ(ResolveColor(data, 53), RGB(0xCC, 0xFF, 0xFF));
    EXPECT_EQ(ResolveColor(data, 231), RGB(0, 0, 0x33));
    EXPECT_EQ(ResolveColor(data, 232), RGB(0xEE, 0, 0));
    EXPECT_EQ(ResolveColor(data, 251), RGB(0, 0x11, 0));
    EXPECT_EQ(ResolveColor(data, 261), RGB(0, 0, 0x11));
    EXPECT_EQ(ResolveColor(data, 262), RGB(0xEE, 0xEE, 0xEE));
    EXPECT_EQ(ResolveColor(data, 272), 0u);
    EXPECT_EQ(ResolveColor(data, 65536 + 13), 0x0000FFu);  // only the low 16 bits select
}

TEST_F(PaletteTest, EightEntriesRepeatTheFirstColours) {
    EXPECT_EQ(ResolveColor(data, 60), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(ResolveColor(data, 103), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(ResolveColor(data, 106), RGB(0x80, 0x80, 0));
    EXPECT_EQ(ResolveColor(data, 121), RGB(0x80, 0, 0x80));
    EXPECT_EQ(ResolveColor(data, 211), RGB(0, 0x80, 0x80));
    EXPECT_EQ(ResolveColor(data, 236), RGB(0x80, 0, 0));
    EXPECT_EQ(ResolveColor(data, 246), RGB(0, 0x80, 0));
    EXPECT_EQ(ResolveColor(data, 256), RGB(0, 0, 0x80));
    // Their neighbours follow the rules.
    EXPECT_EQ(ResolveColor(data, 59), RGB(0xCC, 0xCC, 0xFF));
    EXPECT_EQ(ResolveColor(data, 237), RGB(0x77, 0, 0));
}

TEST_F(PaletteTest, TheLastEntryIsInsideThePalette) {
    // Entry 272 is black, like the answer for indexes outside: recolour it to tell them apart.
    data.palette[271][0] = 0x12;
    EXPECT_EQ(ResolveColor(data, 272), RGB(0x12, 0, 0));
    EXPECT_EQ(ResolveColor(data, 273), 0u);
    EXPECT_EQ(PaletteIndexOf(data, RGB(0x12, 0, 0)), 272);
}

TEST_F(PaletteTest, IndexesThePaletteLacksAreBlack) {
    EXPECT_EQ(ResolveColor(data, 273), 0u);
    EXPECT_EQ(ResolveColor(data, 32767), 0u);
    EXPECT_EQ(ResolveColor(data, 0xFFFF), 0u);  // -1 as a 16-bit number
    EXPECT_EQ(ResolveColor(data, 40000), 0u);   // negative as a 16-bit number
}

TEST_F(PaletteTest, ReverseLookupFindsTheFirstEntry) {
    EXPECT_EQ(PaletteIndexOf(data, 0x808080), 8);
    EXPECT_EQ(PaletteIndexOf(data, 0xC0C0C0), 9);
    EXPECT_EQ(PaletteIndexOf(data, 0x000000), 272);
    EXPECT_EQ(PaletteIndexOf(data, 0xFFFFFF), 1);
    EXPECT_EQ(PaletteIndexOf(data, 0xCCCCCC), 0);
    EXPECT_EQ(PaletteIndexOf(data, 0xFFFFFFFF), 1);  // the top byte is ignored
    EXPECT_EQ(PaletteIndexOf(data, RGB(0xFF, 0xFF, 0xCC)), 18);
}

TEST_F(PaletteTest, EveryIndexRoundTripsToAnEntryOfTheSameColour) {
    for (int k = 1; k <= kPaletteEntries; ++k) {
        int found = PaletteIndexOf(data, ResolveColor(data, k));
        ASSERT_GE(found, 1);
        EXPECT_LE(found, k);
        EXPECT_EQ(ResolveColor(data, found), ResolveColor(data, k));
    }
    EXPECT_EQ(data.reserved1, 0u);
    EXPECT_EQ(data.reserved2, 0u);
}

}  // namespace
}  // namespace fig
