// The point that gives an arc or pie end its direction.
#pragma once

#include <windows.h>

#include <cstdint>

namespace fig {

struct OvalPointXY {
    int16_t x, y;
};

// The centre of the rectangle plus its half-size vector (pointing at the bottom-right
// corner), turned clockwise by (angle - 135) degrees: for a square, angle 0 points up,
// 90 right, 180 down. Works in 16-bit coordinates: half sizes, centre and point wrap to
// 16 bits, and which pixel an arc starts on depends on that wrap; angles above 360 are
// reduced, others not.
OvalPointXY OvalPoint(const RECT &rect, int16_t angle);

}  // namespace fig
