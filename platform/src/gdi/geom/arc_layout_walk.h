// The template part of ArcLayout: one quarter walk feeds every piece.
#pragma once

#include "gdi/geom/arc_layout.h"
#include "gdi/geom/curve_quadrant.h"

#include <algorithm>

namespace figplat::geom {

template <class Visit>
void ArcLayout::ForEachPoint(const std::vector<ArcPiece> &pieces, Visit &&visit) const {
    int64_t end = 0;
    for (const ArcPiece &piece : pieces) end = std::max(end, piece.last);
    QuadrantWalk walk(box_.Width(), box_.Height());
    for (int64_t step = 0; step < end && !walk.Done(); ++step, walk.Next()) {
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (step >= pieces[i].first && step < pieces[i].last)
                visit(i, Place(pieces[i].quadrant, walk.X(), walk.Y()));
        }
    }
}

}  // namespace figplat::geom
