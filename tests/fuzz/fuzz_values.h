// Numbers as a fuzzed host answers them: mostly small integers, sometimes a whole 16- or
// 32-bit value, a value on a conversion edge, or any double at all.
#pragma once

#include <cmath>

#include "byte_source.h"

namespace figfuzz {

inline double FuzzNumber(ByteSource &in) {
    // Not numbers, infinities, 16- and 32-bit wraps, fractions, the most negative colour.
    static const double kEdges[] = {NAN, INFINITY, -INFINITY, -0.0, 0.5, -0.5, 2.9, -1.9, 32767, 32768, -32769,
                                    65536, 70000, 2147483647.0, 2147483648.0, -2147483649.0, 1e300, -16777215};
    const uint8_t tag = in.Byte();
    switch (tag & 7) {
        case 4: return static_cast<int16_t>(in.U16());
        case 5: return static_cast<int32_t>(in.U32());
        case 6: return kEdges[(tag >> 3) % (sizeof kEdges / sizeof kEdges[0])];
        case 7: return in.RawDouble();
        default: return static_cast<int8_t>(in.Byte());
    }
}

// As the library converts numbers: truncated, and the most negative value when out of range.
inline int32_t ToInt32(double v) { return v > -2147483649.0 && v < 2147483648.0 ? static_cast<int32_t>(v) : INT32_MIN; }
// Codes, coordinates and sizes are used through their low 16 bits.
inline int16_t Low16(int32_t value) { return static_cast<int16_t>(value & 0xFFFF); }

inline double CapAbove(double value, double cap) { return value > cap ? cap : value; }
// Within [-cap, cap]; what is not a number goes to -cap.
inline double Bounded(double v, double cap) { return v >= -cap && v <= cap ? v : v > cap ? cap : -cap; }
inline double CapMagnitude(double value, double cap) { return value > cap ? cap : value < -cap ? -cap : value; }

}  // namespace figfuzz
