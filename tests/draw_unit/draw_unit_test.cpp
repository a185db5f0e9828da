// The arc-end geometry and the font record, exactly as the library has always made them.
#include <figplatform.h>
#include <gtest/gtest.h>

#include <string>

#include "drawing/drawing_objects.h"
#include "drawing/oval_point.h"

namespace fig {
namespace {

TEST(OvalPoint, KeepsItsConstantRoundingAndWrapping) {
    struct Row {
        RECT rect;
        int16_t angle;
        int16_t x, y;
    };
    const Row rows[] = {
        {{0, 0, 100, 100}, 0, 50, -20},    {{0, 0, 100, 100}, 45, 100, 0},   {{0, 0, 100, 100}, 90, 120, 50},
        {{0, 0, 100, 100}, 180, 50, 120},  {{0, 0, 100, 100}, 270, -20, 50}, {{0, 0, 100, 100}, 360, 49, -20},
        {{0, 0, 100, 100}, 361, 51, -20},  {{0, 0, 100, 100}, 450, 120, 50}, {{0, 0, 100, 100}, -90, -20, 49},
        {{10, 20, 110, 70}, 135, 110, 70}, {{10, 20, 110, 70}, 315, 9, 20},  {{0, 0, 200, 100}, 0, 64, -56},
        {{0, 0, 200, 100}, 90, 206, 14},
        // Half sizes and centres wrap to 16 bits: 70000 wide is 4464 at x 35000 -> -30536.
        {{0, 0, 70000, 0}, 135, 4464, 0},  {{30000, 0, 40000, 0}, 135, -25536, 0},
        // Differences past 32 bits wrap without trapping (half size -1, centre -1), and so does
        // angle - 135 (-32768 turns by 32633 degrees, 233 after whole turns).
        {{INT32_MIN, 0, INT32_MAX, 0}, 135, -2, 0}, {{0, 0, 100, 100}, -32768, 59, -20},
    };
    for (const Row &r : rows) {
        const OvalPointXY p = OvalPoint(r.rect, r.angle);
        EXPECT_EQ(p.x, r.x) << r.rect.left << "," << r.rect.top << "," << r.rect.right << "," << r.rect.bottom << " @ " << r.angle;
        EXPECT_EQ(p.y, r.y) << r.rect.left << "," << r.rect.top << "," << r.rect.right << "," << r.rect.bottom << " @ " << r.angle;
    }
}

std::basic_string<HostChar> H(const std::string &s) { return {s.begin(), s.end()}; }

TEST(CreateTextFont, FillsTheRecordFieldByField) {
    struct Row {
        int32_t font, size, style;
        std::string face;  // given face name, empty for none
        LONG height, weight;
        BYTE italic, underline, precision;
        std::string expectedFace;
    };
    const std::string longFace(40, 'F');
    const Row rows[] = {
        {0, 12, 0, "", -12, 400, 0, 0, 0, "System"},       {1, -15, 1, "", 15, 700, 0, 0, 0, "Arial"},
        {2, 0, 2, "", 0, 400, 1, 0, 0, "Times"},           {3, 9, 4, "", -9, 400, 0, 1, 0, "Arial"},
        {4, 9, 3, "", -9, 400, 0, 0, 0, "Courier"},        {5, 9, 5, "", -9, 400, 0, 0, 0, "System"},
        {-1, 9, 6, "", -9, 400, 0, 0, 0, "System"},        {2, 9, 0, "Verdana", -9, 400, 0, 0, 4, "Verdana"},
        {INT32_MIN, INT32_MIN, 0, "", INT32_MIN, 400, 0, 0, 0, "System"},  // negation wraps
        {1, 9, 0, longFace, -9, 400, 0, 0, 4, longFace.substr(0, 31)},    // cut to the record's 31
    };
    for (const Row &r : rows) {
        const auto face = H(r.face);
        HFONT font = CreateTextFont(r.font, r.size, r.style, face.c_str());
        ASSERT_NE(font, nullptr);
        LOGFONTW record{};
        ASSERT_NE(GetObjectW(font, sizeof record, &record), 0);
        DeleteObject(font);
        const std::string label = std::to_string(r.font) + "/" + std::to_string(r.style) + "/" + r.face;
        EXPECT_EQ(record.lfHeight, r.height) << label;
        EXPECT_EQ(record.lfWeight, r.weight) << label;
        EXPECT_EQ(record.lfItalic, r.italic) << label;
        EXPECT_EQ(record.lfUnderline, r.underline) << label;
        EXPECT_EQ(record.lfStrikeOut, 0) << label;
        EXPECT_EQ(record.lfCharSet, DEFAULT_CHARSET) << label;
        EXPECT_EQ(record.lfOutPrecision, r.precision) << label;
        EXPECT_EQ(std::string(record.lfFaceName, record.lfFaceName + r.expectedFace.size() + 1),
                  r.expectedFace + std::string(1, '\0'))
            << label;
    }
}

#if FIGPLOT_WIDE
TEST(CreateTextFont, CutsAWideFaceNameBetweenCharactersNotInsideOne) {
    // 30 letters, then a character beyond U+FFFF that would need units 31 and 32.
    std::u32string face(30, U'G');
    face += U'\U0001D400';
    HFONT font = CreateTextFont(0, 9, 0, face.c_str());
    LOGFONTW record{};
    GetObjectW(font, sizeof record, &record);
    DeleteObject(font);
    EXPECT_EQ(record.lfFaceName[29], u'G');
    EXPECT_EQ(record.lfFaceName[30], 0);
}
#endif

}  // namespace
}  // namespace fig
