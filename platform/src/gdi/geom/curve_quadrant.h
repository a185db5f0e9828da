// The quarter ellipse every GDI curve is built from.
//
// GDI steps an integer ellipse (Alois Zingl's error-accumulating walk, a = width - 1,
// b = height - 1) through one quadrant only and mirrors it. The walk starts on the
// horizontal axis at x = a, y = height / 2 and moves 8-connected towards the vertical
// axis, stopping once x drops below width / 2. Points are in box-relative pixels with y
// counted away from the box edge the quadrant is mirrored to, so the same walk feeds
// every quadrant and both arc directions.
//
// The error terms need more than 64 bits for boxes near the 32-bit coordinate limit.
#pragma once

#include <cstdint>

namespace figplat::geom {

__extension__ typedef __int128 CurveWide;

class QuadrantWalk {
public:
    QuadrantWalk(int64_t width, int64_t height) : QuadrantWalk(width, height, width / 2) {}
    // The same walk run on until x drops below `stopX` (GDI's elliptic regions go one
    // column further than its outlines when the width is even).
    QuadrantWalk(int64_t width, int64_t height, int64_t stopX);

    bool Done() const { return x_ < stopX_; }
    int64_t X() const { return x_; }
    int64_t Y() const { return y_; }
    // Steps to the next point: towards the vertical axis, away from the horizontal one,
    // or both (a diagonal step) as the accumulated error decides.
    void Next();

private:
    int64_t x_, y_, stopX_;
    CurveWide a8_, b8_, dx_, dy_, err_;
};

// How many points the quarter walk yields for a box of this size (at least one).
int64_t QuadrantPointCount(int64_t width, int64_t height);

}  // namespace figplat::geom
