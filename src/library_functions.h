// The host functions, by number, each with the parameters it takes.
#pragma once

#include "protocol/call_context.h"

namespace fig {

// A whole picture from a drawing command list (composition/).
void ComposeFile(CallContext &call);  // 1: (outputPath, width, height, depth, drawCmdsListname)
void ComposePict(CallContext &call);  // 2: (pictureField, width, height, depth, drawCmdsListname)

// One shape or one line of text into a picture field (drawing/).
void DrawTextLine(CallContext &call);  // 3: DrawText (pictureField, text, top, left, font, size, style, color)
void FillOval(CallContext &call);      // 4: (pictureField, fillColor, top, left, bottom, right [, startAngle, spanDegrees])
void DrawOval(CallContext &call);      // 5: (pictureField, lineSize, color, top, left, bottom, right
                                       //     [, noOutline? [, startAngle, spanDegrees]])
void FillRect(CallContext &call);      // 6: (pictureField, fillColor, top, left, bottom, right)
void DrawRect(CallContext &call);      // 7: (pictureField, lineSize, color, top, left, bottom, right [, noOutline?])
void DrawLine(CallContext &call);      // 8: (pictureField, lineSize, color, top, left, bottom, right)
void ErasePict(CallContext &call);     // 9: (pictureField, color)

// A picture as a whole (pictures/).
void SetPictBounds(CallContext &call);  // 10: (pictureField, width, height)
void GetPictBounds(CallContext &call);  // 11: (pictureField, width, height)
void GetPictSize(CallContext &call);    // 12: (pictureField, sizeField)

#if !FIGPLOT_WIDE
// The 8-bit build's pixel colour query (drawing/).
void GetPixelColor(CallContext &call);  // 13: (y, x, colorField)
#endif

}  // namespace fig
