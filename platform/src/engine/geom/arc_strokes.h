// A wide pen along the points of an arc: the quarter pieces stroked row by row
// (stroke_rows.h), or point by point for pens wider than any surface, then the steps
// between quadrants.
#pragma once

#include "engine/geom/arc_layout.h"

namespace figplat::geom {

// A wide pen along the points at positions [first, last) in order; `closed` also joins
// the last point back to the first. Two or more points all on one pixel still leave the
// pen's round dot there.
void StrokeArc(const ArcLayout &layout, const ArcPosition &first, const ArcPosition &last, bool closed, int width,
               const RECT &clip, SpanSink &out);

}  // namespace figplat::geom
