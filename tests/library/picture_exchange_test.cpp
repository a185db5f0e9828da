// The simulator's picture exchange: packed DIB -> bitmap -> packed DIB keeps every pixel
// at every depth, and leaves no bitmap behind.
#include <figplatform.h>
#include <gtest/gtest.h>

#include <cstring>

#include "figsim.h"

namespace {

// Fills the pixel bytes with a pattern that uses every bit (colour table indexes too).
void FillPattern(std::vector<uint8_t> &packed) {
    BITMAPINFOHEADER h;
    std::memcpy(&h, packed.data(), sizeof h);
    size_t tableBytes = h.biBitCount <= 8 ? 4u << h.biBitCount : 0;
    for (size_t i = sizeof h + tableBytes, k = 0; i < packed.size(); ++i, ++k)
        packed[i] = static_cast<uint8_t>(k * 37 + 11);
}

class PictureExchange : public ::testing::TestWithParam<int> {};

TEST_P(PictureExchange, RoundTripKeepsEveryPixel) {
    const int depth = GetParam();
    std::vector<uint8_t> original = figsim::MakePackedDib(7, 5, depth);
    FillPattern(original);
    int bitmaps = PlatformLiveCount(PlatformBitmap);
    HBITMAP bitmap = figsim::BitmapFromPackedDib(original);
    ASSERT_NE(bitmap, nullptr);
    BITMAP bm{};
    ASSERT_NE(GetObjectW(bitmap, sizeof bm, &bm), 0);
    EXPECT_EQ(bm.bmWidth, 7);
    EXPECT_EQ(bm.bmHeight, 5);
    EXPECT_EQ(bm.bmBitsPixel, depth);
    std::vector<uint8_t> back = figsim::PackedDibFromBitmap(bitmap);
    DeleteObject(bitmap);
    EXPECT_EQ(PlatformLiveCount(PlatformBitmap), bitmaps);
    ASSERT_FALSE(back.empty());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(figsim::PackedDibPixel(back, x, y), figsim::PackedDibPixel(original, x, y))
                << "depth " << depth << " at " << x << "," << y;
    EXPECT_EQ(figsim::PackedDibPixel(back, 7, 0), CLR_INVALID);
}

INSTANTIATE_TEST_SUITE_P(Depths, PictureExchange, ::testing::Values(1, 4, 8, 16, 24, 32));

TEST(PictureExchangeErrors, BadPackedDibsGiveNoBitmap) {
    EXPECT_EQ(figsim::BitmapFromPackedDib({}), nullptr);
    std::vector<uint8_t> truncated = figsim::MakePackedDib(9, 9, 24);
    truncated.resize(truncated.size() - 1);
    EXPECT_EQ(figsim::BitmapFromPackedDib(truncated), nullptr);
    EXPECT_TRUE(figsim::PackedDibFromBitmap(nullptr).empty());
}

}  // namespace
