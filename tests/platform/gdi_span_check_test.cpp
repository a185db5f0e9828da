// Debug and sanitizer builds check every piece a shape hands the painter against the
// surface, so that a clipping fault stops with a message instead of writing over memory.
#include "engine/raster.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace figplat::gdi {
namespace {

TEST(SurfacePainterDeathTest, PiecesOutsideTheSurfaceStopTheProgram) {
#ifdef NDEBUG
    GTEST_SKIP() << "the checks are in debug and sanitizer builds only";
#else
    const std::shared_ptr<Surface> surface = MakeDibSurface(10, 8, 32, true, nullptr, 0);
    ASSERT_TRUE(surface);
    SurfacePainter painter(*surface, 0x123456);
    geom::LineSteps offEnd{};  // 3 pixels along x from (8, 2): the last one is past the right edge
    offEnd.x = 8, offEnd.y = 2, offEnd.endX = 10, offEnd.endY = 2, offEnd.count = 3, offEnd.xMajor = true;
    offEnd.xStep = offEnd.yStep = 1, offEnd.errorUp = 0, offEnd.errorDown = 6, offEnd.error = -3;
    const std::function<void()> faults[] = {
        [&] { painter.Span(8, 0, 1); },  // below the last row
        [&] { painter.Span(0, -1, 3); },
        [&] { painter.Span(3, 5, 11); },
        [&] { painter.Span(3, 4, 4); },  // empty
        [&] { painter.Box(0, 0, 10, 9); },
        [&] { painter.Line(offEnd); },
    };
    for (const auto &fault : faults) EXPECT_DEATH(fault(), "outside the 10 x 8 surface");
    painter.Span(7, 0, 10);  // the edges themselves are fine
    painter.Box(0, 0, 10, 8);
#endif
}

}  // namespace
}  // namespace figplat::gdi
