// Host functions that draw one shape or one line of text into a picture field, and the
// pixel colour query of the 8-bit build.
#pragma once

#include "host/call_context.h"

namespace fig {

void DrawText(CallContext &call);  // 3: (pictureField, text, top, left, font, size, style, color)
void FillOval(CallContext &call);  // 4: (pictureField, fillColor, top, left, bottom, right [, startAngle, spanDegrees])
void DrawOval(CallContext &call);  // 5: (pictureField, lineSize, color, top, left, bottom, right
                                   //     [, noOutline? [, startAngle, spanDegrees]])
void FillRect(CallContext &call);  // 6: (pictureField, fillColor, top, left, bottom, right)
void DrawRect(CallContext &call);  // 7: (pictureField, lineSize, color, top, left, bottom, right [, noOutline?])
void DrawLine(CallContext &call);  // 8: (pictureField, lineSize, color, top, left, bottom, right)
#if !FIGPLOT_WIDE
void GetPixelColor(CallContext &call);  // 13: (y, x, colorField)
#endif

}  // namespace fig
