#include "oval_point.h"

#include <bit>
#include <cmath>

#include "protocol/number.h"

namespace fig {
namespace {

// Degrees to radians with the constant 3.141592 / 180, a little short of pi / 180: the
// points (and so which pixel an arc starts on) depend on it, as on the rounding below.
const double kRadiansPerDegree = std::bit_cast<double>(0x3F91DF4663F11168ull);

// Differences and sums wrap in 32 bits (a difference of 2^31 or more turns negative)
// before they are cut to 16.
int32_t Wrap32(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

int16_t HalfSize(LONG from, LONG to) { return Low16(Wrap32(int64_t{to} - from) >> 1); }

// Rounded to single precision, then truncated toward zero, kept to 16 bits.
int16_t ToCoordinate(long double value) {
    const float rounded = static_cast<float>(value);
    return Low16(static_cast<int32_t>(rounded));
}

}  // namespace

OvalPointXY OvalPoint(const RECT &rect, int16_t angle) {
    const int16_t rx = HalfSize(rect.left, rect.right);
    const int16_t ry = HalfSize(rect.top, rect.bottom);
    const int16_t cx = Low16(Wrap32(int64_t{rect.left} + rx));
    const int16_t cy = Low16(Wrap32(int64_t{rect.top} + ry));
    while (angle > 360) angle = static_cast<int16_t>(angle - 360);
    const int16_t turn = Low16(angle - 135);
    const double theta = turn * kRadiansPerDegree;
    const long double c = std::cos(static_cast<long double>(theta)), s = std::sin(static_cast<long double>(theta));
    return OvalPointXY{ToCoordinate(cx + rx * c - ry * s), ToCoordinate(cy + rx * s + ry * c)};
}

}  // namespace fig
