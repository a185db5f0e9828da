#include "number.h"

namespace fig {

int32_t NumberToInt(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace fig
