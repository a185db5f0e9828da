// Span utilities shared by the shape geometry: ordering and merging span lists, cutting
// them to a clip, and turning polygons and GDI's elliptic regions into spans.
//
// Coordinates taken as int64_t may lie far outside the 32-bit device space (a shape may be
// given at +-2^31 and reach beyond); everything appended is already cut to the clip, so the
// Span fields never overflow.
#pragma once

#include "engine/geom/geom.h"

#include <cstdint>

namespace figplat::geom {

// A box or point that may reach beyond 32 bits once a pen's width is added.
struct Box64 {
    int64_t left, top, right, bottom;
};
struct Point64 {
    int64_t x, y;
};

// Sorts by row then x0, drops empty spans and merges spans of a row that overlap or touch,
// giving the canonical form geom.h promises.
void NormalizeSpans(SpanList &spans);

// An empty or inverted clip makes every call below append nothing.
bool ClipIsEmpty(const RECT &clip);

// Hands [x0, x1) on row y, or [left, right) x [top, bottom), cut to `clip`, to a sink;
// nothing when the result is empty.
void EmitClippedSpan(SpanSink &out, int64_t y, int64_t x0, int64_t x1, const RECT &clip);
void EmitClippedBox(SpanSink &out, int64_t left, int64_t top, int64_t right, int64_t bottom, const RECT &clip);

// Hands every span of a list to a sink.
void Emit(const SpanList &spans, SpanSink &out);

// Gathers single spans and hands them on in batches (one call for many spans); boxes and
// lines pass straight through. What is left goes on when the batch is destroyed.
class SpanBatch final : public SpanSink {
public:
    explicit SpanBatch(SpanSink &out) : out_(out) {}
    ~SpanBatch() { Flush(); }
    SpanBatch(const SpanBatch &) = delete;
    SpanBatch &operator=(const SpanBatch &) = delete;

    void Span(int32_t y, int32_t x0, int32_t x1) override {
        if (count_ == kSize) Flush();
        spans_[count_++] = {y, x0, x1};
    }
    void Box(int32_t left, int32_t top, int32_t right, int32_t bottom) override { out_.Box(left, top, right, bottom); }
    void Line(const LineSteps &line) override { out_.Line(line); }
    void Spans(const geom::Span *spans, size_t count) override { out_.Spans(spans, count); }
    void Flush() {
        if (count_) out_.Spans(spans_, count_);
        count_ = 0;
    }

private:
    static constexpr size_t kSize = 256;
    SpanSink &out_;
    geom::Span spans_[kSize];
    size_t count_ = 0;
};

// Appends [x0, x1) on row y, cut to `clip`; nothing when the result is empty.
void AppendClippedSpan(SpanList &out, int64_t y, int64_t x0, int64_t x1, const RECT &clip);

// Appends [left, right) x [top, bottom) cut to `clip`, one span per visible row.
void AppendClippedRect(SpanList &out, int64_t left, int64_t top, int64_t right, int64_t bottom,
                       const RECT &clip);

// Moves every span of a row-sorted shape by (dx, dy) and then cuts to `clip`, appending
// to `out`; rows outside the clip cost nothing.
void AppendOffsetSpans(SpanList &out, const SpanList &shape, int64_t dx, int64_t dy,
                       const RECT &clip);

// Set operations on normalized lists; the result is normalized.
SpanList UnionSpans(const SpanList &a, const SpanList &b);
SpanList SubtractSpans(const SpanList &from, const SpanList &remove);

// How GDI's polygon regions decide what is inside.
enum class FillRule { Alternate, Winding };

// The pixels CreatePolygonRgn(points, count, rule) covers: an edge is active on rows
// [top.y, bottom.y) and crosses row y at the exact x, rounded up; each inside run covers
// [left crossing, right crossing). Horizontal edges add nothing. The polygon is closed
// implicitly. Work is proportional to the rows inside `clip` times the edge count.
void AppendPolygon(const POINT *points, int count, FillRule rule, const RECT &clip, SpanList &out);
void AppendPolygon(const Point64 *points, int count, FillRule rule, const RECT &clip,
                                   SpanList &out);

// The pixels CreateEllipticRgn(box) covers: the corners are ordered, the right and bottom
// edges excluded, and rows come from the integer ellipse of that size; a box less than
// two pixels wide or high is the plain rectangle. Appended cut to `clip`; memory follows
// the rows inside the clip, time the size of the ellipse.
void AppendEllipticRegion64(const Box64 &box, const RECT &clip, SpanList &out);

// The same region, unclipped and normalized, in the box's own coordinates: build a shape
// once and stamp it at many points with AppendOffsetSpans. Costs one span per row.
SpanList EllipticRegionShape(RECT box);

}  // namespace figplat::geom
