// Rectangle() with a cosmetic or null pen: the one-pixel outline and the brush interior.
#include "engine/geom/geom.h"
#include "engine/geom/spans.h"

#include <algorithm>

namespace figplat::geom {

namespace {

struct OrderedBox {
    int64_t left, top, right, bottom;
    bool Empty() const { return left == right || top == bottom; }
};

// GDI swaps reversed corners before anything else; right and bottom stay exclusive.
OrderedBox Order(const RECT &box) {
    return {std::min(box.left, box.right), std::min(box.top, box.bottom),
            std::max(box.left, box.right), std::max(box.top, box.bottom)};
}

}  // namespace

void RectangleOutline(RECT box, RECT clip, SpanSink &out) {
    const OrderedBox b = Order(box);
    if (b.Empty() || ClipIsEmpty(clip)) return;
    // GDI draws the outline as four lines between the corner pixels; in a 1x1 box they all
    // have zero length, so nothing is lit.
    if (b.right - b.left == 1 && b.bottom - b.top == 1) return;
    // Boxes one or two pixels across have no inside: the outline is the whole box.
    if (b.right - b.left <= 2 || b.bottom - b.top <= 2) {
        EmitClippedBox(out, b.left, b.top, b.right, b.bottom, clip);
        return;
    }
    EmitClippedSpan(out, b.top, b.left, b.right, clip);
    EmitClippedBox(out, b.left, b.top + 1, b.left + 1, b.bottom - 1, clip);
    EmitClippedBox(out, b.right - 1, b.top + 1, b.right, b.bottom - 1, clip);
    EmitClippedSpan(out, b.bottom - 1, b.left, b.right, clip);
}

void RectangleInterior(RECT box, bool hasPen, RECT clip, SpanSink &out) {
    const OrderedBox b = Order(box);
    if (b.Empty() || ClipIsEmpty(clip)) return;
    // The pen's box is [left, right-1] x [top, bottom-1]; the brush stays inside it, and
    // without a pen it keeps the top-left edges but still loses the bottom-right ones.
    const int64_t inset = hasPen ? 1 : 0;
    EmitClippedBox(out, b.left + inset, b.top + inset, b.right - 1, b.bottom - 1, clip);
}

}  // namespace figplat::geom
