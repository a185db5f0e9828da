// A wide solid pen along the quarter pieces of a curve, painted one row at a time.
//
// The stroke of a piece is the union of the pen's disc at every point and the body of every
// step between points. Axis steps' bodies lie inside their end discs; a diagonal step's
// body reaches a pixel or so beyond them at its corners, so the last point of each row
// (where the path leaves the row, diagonally or not) carries the whole stroke of its step.
// In any row of the picture a disc covers its own centre column, consecutive points are
// neighbours, and a piece's points reach that row as one stretch of the path, so the
// piece's pixels on that row are one run: from the leftmost left end to the rightmost right
// end of the shapes within reach. A piece's x moves one way with its rows, and each shape's
// row ends move one way with the distance from its centre row, which bounds any block of
// rows cheaply: the ends are found by branch and bound, a few shapes a row, whatever the
// width of the pen or the length of the piece.
#pragma once

#include "engine/geom/arc_layout.h"
#include "engine/geom/geom.h"

#include <vector>

namespace figplat::geom {

// Pens up to this width keep their disc's rows (a few bytes a row); wider ones, far wider
// than any surface, are stroked point by point.
constexpr int kWidestRowStroke = 1 << 17;

void StrokePiecesByRows(const ArcLayout &layout, const std::vector<ArcPiece> &pieces, int width, const RECT &clip,
                        SpanSink &out);

}  // namespace figplat::geom
