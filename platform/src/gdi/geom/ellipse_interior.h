// The region the brush fills inside Ellipse(): one span per row of the box.
#pragma once

#include "gdi/geom/curve_box.h"
#include "gdi/geom/geom.h"

namespace figplat::geom {

// For boxes at least three pixels each way. Each row runs between the outermost outline
// points of that row, both included, as the quarter walk first reaches it; the middle
// row (two rows for an even height) spans the whole box. GDI builds the rows from the
// lower half and mirrors them, so a walk that gives up before the last row (very narrow
// ellipses) leaves the rows beyond it unfilled, like the outline.
void AppendEllipseRows(const CurveBox &box, const RECT &clip, SpanList &out);

}  // namespace figplat::geom
