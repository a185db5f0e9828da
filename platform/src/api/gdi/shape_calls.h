// Drawing helpers shared between gdi32's calls and user32's FillRect.
#pragma once

#include "api/gdi/dc.h"

namespace figplat::gdi {

// user32 FillRect's painting: [left, right) x [top, bottom) in the brush's colour, the
// brush never selected. A reversed edge pair covers (right, left] (or (bottom, top]).
void FillRectWithBrush(Dc &dc, const RECT &rect, const BrushObject &brush);

}  // namespace figplat::gdi
