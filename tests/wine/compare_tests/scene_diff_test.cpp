#include "scene_diff.h"
#include "report.h"
#include "targets.h"

#include <gtest/gtest.h>

namespace wine_compare {
namespace {

// A 5x3 scene on background 9 with two inked pixels.
SceneImage MakeScene() {
    SceneImage scene;
    scene.name = "probe@d8s";
    scene.cls = "lines";
    scene.depth = 8;
    scene.width = 5;
    scene.height = 3;
    scene.background = 9;
    scene.table = {0x000000, 0xFFFFFF};
    scene.pixels.assign(15, 9);
    scene.pixels[6] = 1;
    scene.pixels[7] = 1;
    return scene;
}

TEST(SceneDiff, CountsDifferingAndInkedPixels) {
    SceneImage wine = MakeScene();
    SceneImage ours = MakeScene();
    EXPECT_TRUE(CompareScenes(&ours, wine).Identical());

    ours.pixels[7] = 9;   // ink missing on our side
    ours.pixels[12] = 0;  // ink only on our side
    SceneDiff diff = CompareScenes(&ours, wine);
    EXPECT_FALSE(diff.Identical());
    EXPECT_EQ(diff.pixels, 15);
    EXPECT_EQ(diff.differing, 2);
    EXPECT_EQ(diff.ink, 3);
    EXPECT_EQ(diff.inkDiffering, 2);
}

TEST(SceneDiff, TablesAndRecordedValuesCountAsDifferences) {
    SceneImage wine = MakeScene();
    SceneImage ours = MakeScene();
    ours.table[1] = 0xFFFFFE;
    EXPECT_FALSE(CompareScenes(&ours, wine).Identical());
    ours = MakeScene();
    ours.extras = {1};
    SceneDiff diff = CompareScenes(&ours, wine);
    EXPECT_FALSE(diff.extrasEqual);
    EXPECT_EQ(diff.differing, 0);
    EXPECT_FALSE(diff.Identical());
}

TEST(SceneDiff, MissingOrReshapedSceneDiffersEverywhere) {
    SceneImage wine = MakeScene();
    SceneDiff missing = CompareScenes(nullptr, wine);
    EXPECT_FALSE(missing.present);
    EXPECT_EQ(missing.differing, 15);
    SceneImage ours = MakeScene();
    ours.width = 3;
    ours.height = 5;
    EXPECT_FALSE(CompareScenes(&ours, wine).present);
}

TEST(SceneDiff, UncomparedPixelsStillCheckValues) {
    SceneImage wine = MakeScene();
    SceneImage ours = MakeScene();
    ours.pixels[0] = 3;
    SceneDiff diff = CompareScenes(&ours, wine, false);
    EXPECT_TRUE(diff.Identical());
    EXPECT_FALSE(diff.pixelsCompared);
    ours.extras = {5};
    EXPECT_FALSE(CompareScenes(&ours, wine, false).Identical());
}

ClassTotals TotalsOf(long pixels, long differing, long ink, long inkDiffering, bool extrasEqual) {
    SceneDiff diff;
    diff.pixels = pixels;
    diff.differing = differing;
    diff.ink = ink;
    diff.inkDiffering = inkDiffering;
    diff.extrasEqual = extrasEqual;
    ClassTotals totals;
    totals.Add(diff);
    return totals;
}

TEST(Targets, EachRuleHasItsThreshold) {
    Target identical{"lines", Rule::AllIdentical, 1.0};
    EXPECT_TRUE(MeetsTarget(identical, TotalsOf(1000, 0, 10, 0, true)));
    EXPECT_FALSE(MeetsTarget(identical, TotalsOf(1000, 1, 10, 1, true)));

    Target pixels{"ellipses", Rule::PixelShare, 0.999};
    EXPECT_TRUE(MeetsTarget(pixels, TotalsOf(1000, 1, 10, 1, true)));
    EXPECT_FALSE(MeetsTarget(pixels, TotalsOf(1000, 2, 10, 2, true)));

    Target glyphs{"text", Rule::GlyphShare, 0.99};
    EXPECT_TRUE(MeetsTarget(glyphs, TotalsOf(5000, 1, 100, 1, true)));
    EXPECT_FALSE(MeetsTarget(glyphs, TotalsOf(5000, 2, 100, 2, true))) << "measured on inked pixels, not all";
    EXPECT_FALSE(MeetsTarget(glyphs, TotalsOf(5000, 0, 100, 0, false))) << "metrics must be equal";

    SceneDiff missing;
    missing.present = false;
    ClassTotals withMissing;
    withMissing.Add(missing);
    EXPECT_FALSE(MeetsTarget(pixels, withMissing));
}

TEST(Targets, WineDefectListMatchesWholeFaceNames) {
    EXPECT_TRUE(WinePixelsUnreliable("text_Courier_24@d32"));
    EXPECT_TRUE(WinePixelsUnreliable("text_System_16_italic_opaque@d8s"));
    EXPECT_FALSE(WinePixelsUnreliable("text_CourierNew_24@d32"));
    EXPECT_FALSE(WinePixelsUnreliable("text_System_16_regular_opaque@d8s"));
    EXPECT_FALSE(WinePixelsUnreliable("text_System_16@d32"));
}

TEST(Report, EnforcedClassFailsWhenMissedOrAbsent) {
    ComparisonResult result;
    for (const Target& t : kTargets) result.totals[{t.cls, 8}] = TotalsOf(100, 0, 10, 0, true);
    for (ComparisonRun run : {ComparisonRun::Main, ComparisonRun::Smooth}) {
        ComparisonResult copy = result;
        EXPECT_TRUE(FailingEnforcedClasses(copy, run).empty());

        const std::string enforced = run == ComparisonRun::Main ? kEnforced[0] : kEnforcedSmooth[0];
        copy.totals[{enforced, 32}] = TotalsOf(100, 100, 100, 100, false);
        EXPECT_EQ(FailingEnforcedClasses(copy, run), std::vector<std::string>{enforced});

        copy.totals.erase({enforced, 32});
        copy.totals.erase({enforced, 8});
        EXPECT_EQ(FailingEnforcedClasses(copy, run), std::vector<std::string>{enforced}) << "a class with no scenes fails";
    }
    // Each run enforces only its own classes: the smoothed run draws none of the others.
    ComparisonResult smoothOnly;
    for (const char* cls : kEnforcedSmooth) smoothOnly.totals[{cls, 24}] = TotalsOf(100, 0, 10, 0, true);
    EXPECT_TRUE(FailingEnforcedClasses(smoothOnly, ComparisonRun::Smooth).empty());
    EXPECT_FALSE(FailingEnforcedClasses(smoothOnly, ComparisonRun::Main).empty());
}

}  // namespace
}  // namespace wine_compare
