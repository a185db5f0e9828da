// A polygon outline reduced to what matters inside a clip, for filling huge pies cheaply.
//
// The polygon fill (edges active on rows [top, bottom), crossings rounded up) never looks
// at an edge lying wholly above the clip's first row, below its last, right of it, or
// at least a pixel left of it, except through the winding it adds to what lies right of
// it. A chain of edges that stays in one such half-plane adds exactly what its chord
// adds, so its inner vertices can go.
#pragma once

#include "gdi/geom/curve_box.h"

#include <vector>

namespace figplat::geom {

class ClippedChain {
public:
    explicit ClippedChain(const RECT &clip) : clip_(clip) {}

    void Add(const CurvePoint &p);
    void Add(const ClippedChain &other, bool reversed);
    const std::vector<POINT> &Points() const { return points_; }
    const RECT &Clip() const { return clip_; }

private:
    unsigned Outside(const POINT &p) const;

    RECT clip_;
    std::vector<POINT> points_;
};

}  // namespace figplat::geom
