#include "engine/font/smoothing.h"

#include "engine/font/face.h"

#include FT_TRUETYPE_TAGS_H
#include FT_TRUETYPE_TABLES_H

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace figplat::font {
namespace {

bool InitialSetting() {
    const char *value = std::getenv("FIGPLOT_FONT_SMOOTHING");
    return value && std::strcmp(value, "1") == 0;
}

std::atomic<bool> &Setting() {
    static std::atomic<bool> setting{InitialSetting()};
    return setting;
}

constexpr uint16_t kGaspDoGray = 0x0002;

uint16_t BigEndian16(const uint8_t *p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

// The gasp flags for the face's size, or false when the table is missing or malformed.
bool GaspFlags(FT_Face ft, uint16_t *flags) {
    FT_ULong length = 0;
    if (FT_Load_Sfnt_Table(ft, TTAG_gasp, 0, nullptr, &length) != 0 || length < 8) return false;
    std::vector<uint8_t> table(length);
    if (FT_Load_Sfnt_Table(ft, TTAG_gasp, 0, table.data(), &length) != 0) return false;
    const uint16_t version = BigEndian16(&table[0]), ranges = BigEndian16(&table[2]);
    if (version > 1 || length < (size_t{ranges} * 2 + 2) * 2) return false;
    *flags = 0;
    for (uint16_t i = 0; i < ranges; ++i) {
        const uint8_t *range = &table[4 + 4 * size_t{i}];
        *flags = BigEndian16(range + 2);
        if (ft->size->metrics.y_ppem <= BigEndian16(range)) break;
    }
    return true;
}

}  // namespace

bool FaceAllowsGrey(const Face &face) {
    if (face.raster || !face.ft || !FT_IS_SCALABLE(face.ft)) return false;
    if (face.syntheticBold || face.syntheticItalic) return true;
    uint16_t flags = 0;
    return !GaspFlags(face.ft, &flags) || (flags & kGaspDoGray);
}

bool FontSmoothingOn() { return Setting().load(std::memory_order_relaxed); }

void SetFontSmoothing(bool on) { Setting().store(on, std::memory_order_relaxed); }

bool QualityAsksForSmoothing(BYTE quality) {
    if (quality == NONANTIALIASED_QUALITY) return false;
    if (quality == ANTIALIASED_QUALITY) return true;
    return FontSmoothingOn();
}

}  // namespace figplat::font
