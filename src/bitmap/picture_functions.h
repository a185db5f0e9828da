// Host functions that handle a picture as a whole.
#pragma once

#include "host/call_context.h"

namespace fig {

void ErasePict(CallContext &call);      // 9: (pictureField, color)
void SetPictBounds(CallContext &call);  // 10: (pictureField, width, height)
void GetPictBounds(CallContext &call);  // 11: (pictureField, width, height)
void GetPictSize(CallContext &call);    // 12: (pictureField, sizeField)

// Fills the rectangle as user32's FillRect does (left and top edges in, right and bottom
// out) with a solid brush made for it and never selected.
void PaintEraseRect(HDC dc, const RECT &rect, COLORREF colour);

}  // namespace fig
