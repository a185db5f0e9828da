#include "gdi/geom/curve_wide.h"

#include "gdi/geom/spans.h"

namespace figplat::geom {

CurveStroke::CurveStroke(int width, const RECT &clip) : width_(width), clip_(clip) {}

// A vertex further than this from the clip cannot reach it: its disc and the unit steps
// next to it stay within half the pen width plus a diagonal step.
bool CurveStroke::Near(const CurvePoint &p) const {
    const int64_t margin = width_ / 2 + 3;
    return p.x >= clip_.left - margin && p.x < clip_.right + margin && p.y >= clip_.top - margin &&
           p.y < clip_.bottom + margin;
}

void CurveStroke::Add(const CurvePoint &p) {
    if (havePrevious_ && p == previous_) return;
    if (Near(p) || (havePrevious_ && Near(previous_))) {
        if (run_.empty() && havePrevious_)
            run_.push_back({static_cast<LONG>(previous_.x), static_cast<LONG>(previous_.y)});
        run_.push_back({static_cast<LONG>(p.x), static_cast<LONG>(p.y)});
    } else {
        Flush();
    }
    previous_ = p;
    havePrevious_ = true;
}

void CurveStroke::Break() {
    Flush();
    havePrevious_ = false;
}

void CurveStroke::AddSegment(const CurvePoint &from, const CurvePoint &to) {
    Break();
    if (from == to) return;
    const POINT ends[2] = {{static_cast<LONG>(from.x), static_cast<LONG>(from.y)},
                           {static_cast<LONG>(to.x), static_cast<LONG>(to.y)}};
    SpanCollector collect(region_);
    WidePolyline(ends, 2, width_, false, clip_, collect);
}

void CurveStroke::Flush() {
    SpanCollector collect(region_);
    if (run_.size() >= 2) WidePolyline(run_.data(), static_cast<int>(run_.size()), width_, false, clip_, collect);
    run_.clear();
}

void CurveStroke::AppendSpans(SpanList &out) {
    Flush();
    NormalizeSpans(region_);
    out.insert(out.end(), region_.begin(), region_.end());
    region_.clear();
}

}  // namespace figplat::geom
