// GetPictSize: the size of a picture's pixel data, counted the way this library always
// has: whole groups of 8 pixels a row, each group taking one byte per bit of depth.
#include "host/host_callback.h"
#include "picture.h"
#include "picture_functions.h"
#include "rounded_depth.h"

namespace fig {

void GetPictSize(CallContext &call) {
    // In 64 bits: a large picture's size passes 2^31, and the host takes a double.
    int64_t size = 0;
    BITMAP picture;
    if (FetchPicture(call, EmptyField::NoPicture, picture))
        size = (static_cast<int64_t>(picture.bmWidth) + 7) / 8 * picture.bmHeight * RoundedDepth(picture);
    const double number = static_cast<double>(size);
    SetParam(ParamFirst + 1, ValueNumber, &number, call.callback);
}

}  // namespace fig
