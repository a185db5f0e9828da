// The body of one straight piece of a wide solid pen, without its caps or joins.
#pragma once

#include "gdi/geom/geom.h"

namespace figplat::geom {

// Appends the pixels GDI's wide pen covers between `from` and `to` (not the round ends):
// axis-aligned pieces are rectangles, others quadrilaterals. A zero-length piece is empty.
void AppendWideSegmentBody(POINT from, POINT to, int width, const RECT &clip, SpanList &out);

}  // namespace figplat::geom
