// Glyph masks against Windows' non-antialiased text. Every expected picture was read back
// from wine64 8.0: TextOutW at (40, 40), TRANSPARENT, black on white, into a 32-bpp DIB
// section, default quality, fontconfig antialiasing off; rows are the ink's bounding box
// and (left, top) its offset from the text cell's top-left corner.
#include "engine/font/font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace figplat::font {
namespace {

struct Picture {
    int32_t left = 0, top = 0;
    std::vector<std::string> rows;
};

bool operator==(const Picture &a, const Picture &b) {
    return a.left == b.left && a.top == b.top && a.rows == b.rows;
}

std::ostream &operator<<(std::ostream &out, const Picture &p) {
    out << "at (" << p.left << ", " << p.top << ")\n";
    for (const std::string &row : p.rows) out << "    " << row << "\n";
    return out;
}

// The ink of a mask, cut to its bounding box, in the notation of the Wine read-backs.
Picture InkOf(const Mask &mask) {
    int32_t x0 = mask.width, y0 = mask.height, x1 = -1, y1 = -1;
    for (int32_t y = 0; y < mask.height; ++y)
        for (int32_t x = 0; x < mask.width; ++x)
            if (mask.bits[static_cast<size_t>(y) * mask.width + x]) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    Picture picture;
    if (x1 < 0) return picture;
    picture.left = mask.left + x0;
    picture.top = mask.top + y0;
    for (int32_t y = y0; y <= y1; ++y) {
        std::string row;
        for (int32_t x = x0; x <= x1; ++x) row += mask.bits[static_cast<size_t>(y) * mask.width + x] ? '#' : '.';
        picture.rows.push_back(row);
    }
    return picture;
}

struct Drawn {
    Picture ink;
    int32_t advance = 0;
    size_t bitCount = 0;
};

Drawn Draw(const std::u16string &faceName, LONG height, LONG weight, BYTE italic, BYTE underline, BYTE strikeOut,
           const std::u16string &text) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    std::copy(faceName.begin(), faceName.end(), lf.lfFaceName);
    Face *face = Realize(lf);
    EXPECT_NE(face, nullptr);
    Mask mask;
    Render(face, text.data(), static_cast<int>(text.size()), &mask);
    Release(face);
    EXPECT_EQ(mask.bits.size(), static_cast<size_t>(mask.width) * mask.height);
    return {InkOf(mask), mask.advance, mask.bits.size()};
}

TEST(FontRenderOutline, ArialDescenderAndBarMatchWine) {
    Drawn drawn = Draw(u"Arial", -16, FW_NORMAL, 0, 0, 0, u"Ag|");
    EXPECT_EQ(drawn.advance, 24);
    EXPECT_EQ(drawn.ink, (Picture{0, 2, {
        ".....................#",
        ".....#...............#",
        ".....#...............#",
        "....#.#.......###.#..#",
        "....#.#......#...##..#",
        "...#...#....#.....#..#",
        "...#...#....#.....#..#",
        "..#.....#...#.....#..#",
        "..#######...#.....#..#",
        ".#.......#..#.....#..#",
        ".#.......#...#...##..#",
        "#.........#...###.#..#",
        "..................#..#",
        "............#....#...#",
        ".............####....#"}}));
}

TEST(FontRenderOutline, BoldDrawsWiderThanItMeasures) {
    // Drawn with monochrome-hinted advances, measured with grey-hinted ones: the ink is
    // 17 pixels wide while the extent (and the opaque box) is 16.
    Drawn drawn = Draw(u"Arial", -13, FW_BOLD, 0, 0, 0, u"fW");
    EXPECT_EQ(drawn.advance, 16);
    EXPECT_EQ(drawn.ink, (Picture{0, 3, {
        ".#####...###...##",
        ".##.##...###...##",
        "######...#.#...##",
        ".##..##..#.##.##.",
        ".##..##.##.##.##.",
        ".##..##.##.##.##.",
        ".##...#.#...#.#..",
        ".##...###...###..",
        ".##...###...###.."}}));
}

TEST(FontRenderOutline, UnderlineRunsTheWholeExtent) {
    Drawn drawn = Draw(u"Times New Roman", 20, FW_NORMAL, 0, 1, 0, u"Hi");
    EXPECT_EQ(drawn.advance, 18);
    EXPECT_EQ(drawn.ink, (Picture{0, 4, {
        "######.######.##..",
        "..##.....##...##..",
        "..##.....##.......",
        "..##.....##.......",
        "..##.....##..###..",
        "..#########...##..",
        "..##.....##...##..",
        "..##.....##...##..",
        "..##.....##...##..",
        "..##.....##...##..",
        "..##.....##...##..",
        "######.##########.",
        "..................",
        "##################"}}));
}

TEST(FontRenderOutline, ItalicFacesAndBoldItalicMonospace) {
    Drawn times = Draw(u"Times", -11, FW_NORMAL, 1, 0, 0, u"Tg");
    EXPECT_EQ(times.advance, 12);
    EXPECT_EQ(times.ink, (Picture{1, 2, {
        "#####.....",
        "#.#.#.....",
        "..#.......",
        "..#...####",
        ".#...#...#",
        ".#...#..#.",
        ".#...#..#.",
        "###...###.",
        "........#.",
        ".....###.."}}));
    Drawn courierNew = Draw(u"Courier New", -13, FW_BOLD, 1, 0, 0, u"x1");
    EXPECT_EQ(courierNew.advance, 16);
    EXPECT_EQ(courierNew.ink, (Picture{1, 2, {
        "...........###",
        ".........##.##",
        ".##..##....##.",
        ".##.##.....##.",
        "..###......##.",
        "..###......##.",
        "..###......##.",
        ".##.##....##..",
        "##..##..######"}}));
}

TEST(FontRenderOutline, FakedBoldItalicFattensAndLeansTheOutline) {
    Drawn drawn = Draw(u"DejaVu Math TeX Gyre", -11, FW_BOLD, 1, 0, 0, u"Ab");
    EXPECT_EQ(drawn.advance, 17);
    EXPECT_EQ(drawn.ink, (Picture{0, 17, {
        "...........###...",
        ".....##.....##...",
        "....###.....#....",
        "....#.#.....####.",
        "...#..#....##..##",
        "...#..##...##..##",
        "..######...#...##",
        ".#....##...#..##.",
        "###..##########.."}}));
}

TEST(FontRenderOutline, UnmatchedSurrogatesAreMissingGlyphBoxes) {
    Drawn drawn = Draw(u"Arial", -16, FW_NORMAL, 0, 0, 0, u"A\xD835\xDC00" u"B\xD83D\xDE00" u"C");
    EXPECT_EQ(drawn.advance, 58);
    EXPECT_EQ(drawn.ink, (Picture{0, 3, {
        ".....#......#####.#####.########...#####.#####....#####..",
        ".....#......#...#.#...#.#.......#..#...#.#...#..##.....#.",
        "....#.#.....#...#.#...#.#.......#..#...#.#...#..#.......#",
        "....#.#.....#...#.#...#.#.......#..#...#.#...#.#.........",
        "...#...#....#...#.#...#.#.......#..#...#.#...#.#.........",
        "...#...#....#...#.#...#.########...#...#.#...#.#.........",
        "..#.....#...#...#.#...#.#.......#..#...#.#...#.#.........",
        "..#######...#...#.#...#.#.......#..#...#.#...#.#.........",
        ".#.......#..#...#.#...#.#.......#..#...#.#...#..#.......#",
        ".#.......#..#...#.#...#.#.......#..#...#.#...#..##.....#.",
        "#.........#.#####.#####.########...#####.#####....#####.."}}));
}

TEST(FontRenderRaster, SystemGlyphsAreTheFontBitmaps) {
    Drawn drawn = Draw(u"System", 0, FW_NORMAL, 0, 0, 0, u"Sy");
    EXPECT_EQ(drawn.advance, 17);
    EXPECT_EQ(drawn.ink, (Picture{1, 3, {
        ".#####..........",
        "##...##.........",
        "##...##.........",
        "##......##....##",
        ".###....##....##",
        "...###...##..##.",
        ".....##..##..##.",
        "##...##...####..",
        "##...##...####..",
        ".#####.....##...",
        "...........##...",
        "..........##....",
        ".........##....."}}));
}

TEST(FontRenderRaster, CourierBoldSmearsAndStrikesThrough) {
    Drawn drawn = Draw(u"Courier", 0, FW_BOLD, 0, 0, 1, u"Co");
    EXPECT_EQ(drawn.advance, 18);
    EXPECT_EQ(drawn.ink, (Picture{0, 2, {
        "...#####..........",
        "..##...##.........",
        ".##...............",
        ".##........######.",
        "##################",
        ".##.......##....##",
        ".##.......##....##",
        "..##...##.##....##",
        "...#####...######."}}));
}

TEST(FontRenderRaster, Code1252TextAndUnderlineAtTheBaseline) {
    Drawn drawn = Draw(u"Courier", -12, FW_NORMAL, 0, 1, 0, u"\u20AC\u00E9");
    EXPECT_EQ(drawn.advance, 16);
    EXPECT_EQ(drawn.ink, (Picture{0, 2, {
        "...####......#..",
        "..#...#.....#...",
        ".#..............",
        "######....#####.",
        ".#.......#.....#",
        "######...#######",
        ".#.......#......",
        "..#...#..#.....#",
        "...####...#####.",
        "################"}}));
}

TEST(FontRenderRaster, TextOutsideCode1252DrawsTheDefaultCharacter) {
    // Wine: U+0416 and the C1 control U+0085 draw Courier's default character (0x80, the
    // euro sign in code page 1252), not the '?' a code page conversion would produce.
    Drawn euro = Draw(u"Courier", -16, FW_NORMAL, 0, 0, 0, u"\u20AC");
    Drawn question = Draw(u"Courier", -16, FW_NORMAL, 0, 0, 0, u"?");
    EXPECT_EQ(Draw(u"Courier", -16, FW_NORMAL, 0, 0, 0, u"\u0416").ink, euro.ink);
    EXPECT_EQ(Draw(u"Courier", -16, FW_NORMAL, 0, 0, 0, u"\u0085").ink, euro.ink);
    EXPECT_FALSE(euro.ink == question.ink);
}

TEST(FontRenderRaster, MagnifiedSystemRepeatsEachPixel) {
    Drawn native = Draw(u"System", -12, FW_NORMAL, 0, 0, 0, u"Sy");
    Drawn doubled = Draw(u"System", -40, FW_NORMAL, 0, 0, 0, u"Sy");
    EXPECT_EQ(doubled.advance, native.advance * 2);
    ASSERT_EQ(doubled.ink.rows.size(), native.ink.rows.size() * 2);
    EXPECT_EQ(doubled.ink.left, native.ink.left * 2);
    EXPECT_EQ(doubled.ink.top, native.ink.top * 2);
    for (size_t y = 0; y < doubled.ink.rows.size(); ++y) {
        const std::string &row = doubled.ink.rows[y], &source = native.ink.rows[y / 2];
        ASSERT_EQ(row.size(), source.size() * 2);
        for (size_t x = 0; x < row.size(); ++x) EXPECT_EQ(row[x], source[x / 2]) << x << "," << y;
    }
}

TEST(FontRenderEdges, EmptyTextAndBlanks) {
    Drawn nothing = Draw(u"Arial", -16, FW_NORMAL, 0, 1, 1, u"");
    EXPECT_EQ(nothing.advance, 0);
    EXPECT_EQ(nothing.bitCount, 0u);
    Drawn blanks = Draw(u"Arial", -16, FW_NORMAL, 0, 0, 0, u"   ");
    EXPECT_GT(blanks.advance, 0);
    EXPECT_TRUE(blanks.ink.rows.empty());
    // Underlined blanks still draw the line across the whole extent.
    Drawn underlined = Draw(u"Arial", -16, FW_NORMAL, 0, 1, 0, u"   ");
    ASSERT_FALSE(underlined.ink.rows.empty());
    EXPECT_EQ(underlined.ink.left, 0);
    EXPECT_EQ(static_cast<int32_t>(underlined.ink.rows.front().size()), underlined.advance);
}

TEST(FontRenderEdges, NullFaceGivesAnEmptyMask) {
    Mask mask;
    mask.advance = 7;
    mask.bits.assign(4, 1);
    Render(nullptr, u"x", 1, &mask);
    EXPECT_EQ(mask.advance, 0);
    EXPECT_TRUE(mask.bits.empty());
}

}  // namespace
}  // namespace figplat::font
