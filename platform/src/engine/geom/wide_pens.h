// Wide solid pens along curves. GDI strokes every outline point as a vertex of one polyline
// (round joins, round caps). Both are the same disc, so the stroke is the union of the
// strokes of any overlapping sub-polylines; only the stretches near the clip are handed to
// WidePolyline (geom.h), which keeps huge curves cheap.
#pragma once

#include "engine/geom/curve.h"
#include "engine/geom/geom.h"

#include "engine/geom/spans.h"

#include <vector>

namespace figplat::geom {

// A disc that holds the whole clip hides everything else of the pen, so a pen far wider than
// the surface costs one test a vertex rather than a disc each. DiscCanHoldClip is false when
// no disc of the width can, to skip looking; EmitWholeClip hands on every pixel of the clip.
bool DiscCanHoldClip(int width, const RECT &clip);
bool DiscHoldsClip(const CurvePoint &centre, int width, const RECT &clip);
void EmitWholeClip(const RECT &clip, SpanSink &out);

// The disc a pen stamps at every vertex, about (0, 0): one run a row, in row order.
SpanList PenDisc(int width);
// The body of one straight piece of a wide pen, without its caps or joins, cut to `clip`;
// a zero-length piece is empty. Rows come in order, one run each.
void AppendWideSegmentBody(POINT from, POINT to, int width, const RECT &clip, SpanList &out);

class CurveStroke {
public:
    CurveStroke(int width, const RECT &clip, SpanSink &out);
    ~CurveStroke() { Flush(); }
    CurveStroke(const CurveStroke &) = delete;
    CurveStroke &operator=(const CurveStroke &) = delete;

    // A vertex further than this outside the clip cannot reach it: its disc and the unit
    // steps next to it stay within half the pen width plus a diagonal step.
    static int64_t MarginFor(int width) { return width / 2 + 3; }
    int64_t Margin() const { return MarginFor(width_); }
    // Points in path order; a stretch ends where the path leaves the clip's margin.
    void Add(const CurvePoint &p);
    // A single straight piece, such as a pie's radius or the step between two quadrants.
    void AddSegment(const CurvePoint &from, const CurvePoint &to);

private:
    bool Near(const CurvePoint &p) const;
    void Flush();

    int width_;
    RECT clip_;
    SpanSink &out_;
    bool havePrevious_ = false;
    CurvePoint previous_{};
    std::vector<POINT> run_;
};

}  // namespace figplat::geom
