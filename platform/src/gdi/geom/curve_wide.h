// A wide pen along a curve's points. GDI strokes every outline point as a vertex of one
// polyline (round joins, round caps). Both are the same disc, so the stroke is the union
// of the strokes of any overlapping sub-polylines; only the stretches near the clip are
// handed to WidePolyline, which keeps huge curves cheap.
#pragma once

#include "gdi/geom/curve_box.h"
#include "gdi/geom/geom.h"

#include <vector>

namespace figplat::geom {

class CurveStroke {
public:
    CurveStroke(int width, const RECT &clip);

    // Points in path order; a stretch ends at Break() or where the path leaves the clip.
    void Add(const CurvePoint &p);
    void Break();
    // A single straight piece, such as a pie's radius or the step between two quadrants.
    void AddSegment(const CurvePoint &from, const CurvePoint &to);
    // Appends the stroke as one normalized region.
    void AppendSpans(SpanList &out);

private:
    bool Near(const CurvePoint &p) const;
    void Flush();

    int width_;
    RECT clip_;
    bool havePrevious_ = false;
    CurvePoint previous_{};
    std::vector<POINT> run_;
    SpanList region_;
};

}  // namespace figplat::geom
