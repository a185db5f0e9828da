// Conversion of the host's numbers (doubles) to the integers the functions use.
#pragma once

#include <cstdint>

namespace fig {

// Truncation toward zero; outside the 32-bit range, or not a number, gives INT32_MIN
// (the x87 "integer indefinite" that a truncating store produces there).
inline int32_t NumberToInt(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
    return static_cast<int32_t>(value);
}

// Many values are used only through their low 16 bits, as signed numbers.
inline int16_t Low16(int32_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value)); }

}  // namespace fig
