// Turning a run of outline positions into pixels, a wide stroke or a polygon chain.
#pragma once

#include "gdi/geom/arc_layout.h"
#include "gdi/geom/curve_chain.h"
#include "gdi/geom/curve_pixels.h"
#include "gdi/geom/geom.h"

namespace figplat::geom {

// Every outline point at positions [first, last).
void CollectArcPoints(const ArcLayout &layout, int64_t first, int64_t last, CurvePixels &pixels);

// True when every point at positions [first, last) is `p`.
bool AllPointsAre(const ArcLayout &layout, int64_t first, int64_t last, const CurvePoint &p);

// A wide pen along the points at positions [first, last) in order; `closed` also joins
// the last point back to the first. Two or more points all on one pixel still leave the
// pen's round dot there. Appends one normalized region.
void StrokeArc(const ArcLayout &layout, int64_t first, int64_t last, bool closed, int width,
               const RECT &clip, SpanList &out);

// The points at positions [first, last), in arc order, added to `chain`.
void ChainArc(const ArcLayout &layout, int64_t first, int64_t last, ClippedChain &chain);

}  // namespace figplat::geom
