// What the shape geometry tests share: a small odd-sized canvas and spans as pixel sets.
#pragma once

#include "gdi/geom/geom.h"

#include <set>
#include <utility>

namespace figplat::geom::testing {

constexpr RECT kCanvas{0, 0, 37, 29};
using Pixels = std::set<std::pair<int, int>>;  // (y, x)

inline Pixels ToPixels(const SpanList &spans) {
    Pixels pixels;
    for (const Span &s : spans)
        for (int x = s.x0; x < s.x1; ++x) pixels.insert({s.y, x});
    return pixels;
}

}  // namespace figplat::geom::testing
