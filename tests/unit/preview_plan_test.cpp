// Layout plans of the miniature and the fullscreen preview.
#include "config/preview/preview_plan.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* rule;
    int16_t mode;
    int32_t w, h;
    std::vector<PlacedPicture> elements;
    PaintedCopies copies;
    int32_t sw = 15360, sh = 11520;  // fullscreen only: 1024 x 768 pixels
};

void ExpectPlan(const DrawPlan& plan, const Case& c) {
    SCOPED_TRACE(c.rule);
    EXPECT_EQ(plan.copies, c.copies);
    ASSERT_EQ(plan.elements.size(), c.elements.size());
    for (size_t i = 0; i < c.elements.size(); ++i) {
        const PlacedPicture &a = plan.elements[i], &e = c.elements[i];
        EXPECT_NEAR(a.left, e.left, 0.01) << i;
        EXPECT_NEAR(a.top, e.top, 0.01) << i;
        EXPECT_NEAR(a.width, e.width, 0.01) << i;
        EXPECT_NEAR(a.height, e.height, 0.01) << i;
        EXPECT_EQ(a.stretched, e.stretched) << i;
    }
}

// Pixels in the 160 x 120 area; painted copies are stepped in twips over the box's 2445 x 1845.
TEST(PreviewPlanTest, Miniature) {
    const Case cases[] = {
        {"small tiled: x = 0..2400 <= 2444, y = 0..1440 <= 1844", kTiled, 32, 32, {}, {32, 32, 6, 4}},
        {"small centred: natural size about (80, 60)", kCentred, 100, 50, {{30, 35, 100, 50, false}}, {}},
        {"large centred: aspect > 1 fits the width", kCentred, 640, 480, {{0, 0, 160, 120, true}}, {}},
        {"large tiled: one tile, rows = cols = 0", kTiled, 640, 480, {{0, 0, 160, 120, true}}, {}},
        {"large tiled: rows = 1799 / 750 = 2", kTiled, 640, 200,
         {{0, 0, 160, 50, true}, {0, 50, 160, 50, true}, {0, 100, 160, 50, true}}, {}},
        {"large tiled: cols = 2399 / 900 = 2", kTiled, 200, 400,
         {{0, 0, 60, 120, true}, {60, 0, 60, 120, true}, {120, 0, 60, 120, true}}, {}},
        {"160 wide is large", kTiled, 160, 40,
         {{0, 0, 160, 40, true}, {0, 40, 160, 40, true}, {0, 80, 160, 40, true}}, {}},
        {"border allowance: rows = 1799 / 922 = 1", kTiled, 2603, 1000,
         {{0, 0, 160, 922.0 / 15, true}, {0, 922.0 / 15, 160, 922.0 / 15, true}}, {}},
        {"159 wide is small", kTiled, 159, 40, {}, {159, 40, 2, 4}},
        {"aspect 1 centred: height rule", kCentred, 120, 120, {{20, 0, 120, 120, true}}, {}},
        {"aspect 1.2: width rule, taller than the area", kCentred, 300, 250, {{0, -6.67, 160, 133.33, true}}, {}},
        {"stretched: the whole area", kStretched, 32, 32, {{0, 0, 160, 120, true}}, {}},
    };
    for (const Case& c : cases) ExpectPlan(PlanMiniature(c.mode, c.w, c.h), c);
}

// Twips throughout; 3840 x 2160 pixels is 57600 x 32400 twips, beyond 16 bits.
TEST(PreviewPlanTest, Fullscreen) {
    const Case cases[] = {
        {"fits centred: unscaled", kCentred, 12000, 9000, {{1680, 1260, 12000, 9000, false}}, {}},
        {"large centred: aspect 2, width rule", kCentred, 30720, 15360, {{0, 1920, 15360, 7680, true}}, {}},
        {"large tiled: rows = 11519 / 7680 = 1", kTiled, 30720, 15360,
         {{0, 0, 15360, 7680, true}, {0, 7680, 15360, 7680, true}}, {}},
        {"one twip allowance: rows = 11519 / 5750 = 2", kTiled, 30720, 11500,
         {{0, 0, 15360, 5750, true}, {0, 5750, 15360, 5750, true}, {0, 11500, 15360, 5750, true}}, {}},
        {"fits tiled: x = 0..14400, y = 0..10560", kTiled, 960, 960, {}, {960, 960, 16, 12}},
        {"screen size fits tiled: painted once", kTiled, 15360, 11520, {}, {15360, 11520, 1, 1}},
        {"screen size fits centred", kCentred, 15360, 11520, {{0, 0, 15360, 11520, false}}, {}},
        {"square centred: width rule", kCentred, 24000, 24000, {{0, -1920, 15360, 15360, true}}, {}},
        {"square tiled: height rule", kTiled, 24000, 24000,
         {{0, 0, 11520, 11520, true}, {11520, 0, 11520, 11520, true}}, {}},
        {"stretched", kStretched, 960, 960, {{0, 0, 15360, 11520, true}}, {}},
        {"4K fits centred", kCentred, 15000, 15000, {{21300, 8700, 15000, 15000, false}}, {}, 57600, 32400},
        {"4K large centred", kCentred, 60000, 45000, {{0, -5400, 57600, 43200, true}}, {}, 57600, 32400},
        {"4K large tiled: rows = 32399 / 11520 = 2", kTiled, 75000, 15000,
         {{0, 0, 57600, 11520, true}, {0, 11520, 57600, 11520, true}, {0, 23040, 57600, 11520, true}}, {},
         57600, 32400},
        {"4K one-twip picture: a grid, not a list", kTiled, 1, 1, {}, {1, 1, 57600, 32400}, 57600, 32400},
    };
    for (const Case& c : cases) ExpectPlan(PlanFullscreen(c.mode, c.w, c.h, c.sw, c.sh), c);
}

TEST(PreviewPlanTest, NothingToDrawGivesAnEmptyPlan) {
    for (const DrawPlan& plan : {PlanMiniature(kTiled, 0, 0), PlanMiniature(kCentred, 0, 50),
                                 PlanMiniature(kTiled, 50, 0), PlanMiniature(kStretched, -3, 5),
                                 PlanMiniature(3, 50, 50), PlanMiniature(-1, 50, 50),
                                 PlanFullscreen(kTiled, 960, 0, 15360, 11520),
                                 PlanFullscreen(4, 960, 960, 15360, 11520), PlanFullscreen(kTiled, 960, 960, 0, 11520)})
        EXPECT_TRUE(plan.empty());
}

// A fitted tile thinner than half a twip still steps one twip at a time instead of dividing by 0.
TEST(PreviewPlanTest, ThinFittedTileStepsAtLeastOneTwip) {
    const DrawPlan mini = PlanMiniature(kTiled, 16000, 1);  // 160 x 0.01 pixels
    ASSERT_EQ(mini.elements.size(), 1u + 1799u);
    EXPECT_NEAR(mini.elements[1798].top, 1798.0 / 15, 1e-9);
    EXPECT_EQ(PlanFullscreen(kTiled, 1, 40000, 15360, 11520).elements.size(), 1u + 15359u);
}

TEST(PreviewPlanTest, DrawModeOfEntry) {
    EXPECT_EQ(DrawModeOf(0, false), kCentred);
    EXPECT_EQ(DrawModeOf(0, true), kStretched);
    EXPECT_EQ(DrawModeOf(1, true), kTiled);
    EXPECT_EQ(DrawModeOf(-1, false), kTiled);
}

// The fullscreen paints only the copies that meet the part of the window being painted.
TEST(PreviewPlanTest, CopiesMeetingAnArea) {
    const PaintedCopies grid{960, 960, 16, 12};  // 64 x 64 pixels each at 96 dpi, on 1024 x 768
    const struct {
        const char* what;
        PaintedCopies copies;
        int w, h, left, top, right, bottom;
        CopyRange range;
    } cases[] = {
        {"the whole screen", grid, 64, 64, 0, 0, 1024, 768, {0, 16, 0, 12, 1024, 768}},
        {"an area inside one copy", grid, 64, 64, 70, 70, 80, 80, {1, 2, 1, 2, 80, 80}},
        {"an area across copy edges", grid, 64, 64, 63, 127, 129, 128, {0, 3, 1, 2, 129, 128}},
        {"an area that ends on an edge", grid, 64, 64, 0, 0, 128, 64, {0, 2, 0, 1, 128, 64}},
        {"an area past the last copy", {960, 960, 2, 2}, 64, 64, 100, 100, 1024, 768, {1, 2, 1, 2, 128, 128}},
        {"an area beyond every copy", {960, 960, 2, 2}, 64, 64, 200, 0, 300, 50, {2, 2, 0, 1, 128, 50}},
        {"an area left of and above the window", grid, 64, 64, -50, -50, 10, 10, {0, 1, 0, 1, 10, 10}},
        {"a one-pixel picture on a 4K screen", {1, 1, 3840, 2160}, 1, 1, 0, 0, 3840, 2160,
         {0, 3840, 0, 2160, 3840, 2160}},
        {"a picture without pixels", grid, 0, 64, 0, 0, 1024, 768, {}},
        {"no copies", {}, 64, 64, 0, 0, 1024, 768, {0, 0, 0, 0, 0, 0}},
        {"sums past 32 bits", {1, 1, 2, 2}, 0x7FFFFF00, 0x7FFFFF00, 0, 0, 0x7FFFFFFF, 0x7FFFFFFF,
         {0, 2, 0, 2, 0x7FFFFFFF, 0x7FFFFFFF}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CopiesMeeting(c.copies, c.w, c.h, c.left, c.top, c.right, c.bottom), c.range) << c.what;
    }
}

TEST(PreviewPlanTest, DevicePixelsRoundEachEdge) {
    EXPECT_EQ(ToDevicePixels({0, -20.0 / 3, 160, 400.0 / 3, true}, 1.5), (PixelRect{0, -10, 240, 200}));
    EXPECT_EQ(ToDevicePixels({0, 50, 160, 50, true}, 1.25), (PixelRect{0, 63, 200, 62}));  // 62.5 .. 125
    EXPECT_EQ(ToDevicePixels({21300, 8700, 15000, 15000, false}, 2.0 / 15), (PixelRect{2840, 1160, 2000, 2000}));
    // Fitted copies placed edge to edge stay edge to edge at any scale.
    const DrawPlan plan = PlanMiniature(kTiled, 640, 213);
    ASSERT_GT(plan.elements.size(), 2u);
    for (double scale : {1.0, 1.25, 1.5, 1.75, 2.0}) {
        for (size_t i = 1; i < plan.elements.size(); ++i) {
            const PixelRect above = ToDevicePixels(plan.elements[i - 1], scale);
            EXPECT_EQ(above.top + above.height, ToDevicePixels(plan.elements[i], scale).top) << scale;
        }
    }
}

}  // namespace
