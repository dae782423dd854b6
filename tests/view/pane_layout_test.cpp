// Pane layout: resizing, the plane mapping, projections and the frame rectangles.
#include "view/pane_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(ViewStateSize, SpacePaneFollowsTheWidthOnlyWithoutAPlanePane) {
    ViewState v;
    v.onSize(800, 600);
    EXPECT_EQ(v.spacePaneWidth, 0);
    v.showSpace = 1;
    v.spacePaneWidth = 300;
    v.onSize(1000, 600);
    EXPECT_EQ(v.spacePaneWidth, 300);
    v.showPlane = 0;
    v.onSize(900, 500);
    EXPECT_EQ(v.spacePaneWidth, 900);
}

TEST(ViewStateSize, NarrowingTheWindowBelowTheSpacePaneKeepsTheSplitterInside) {
    ViewState v;
    v.onSize(1000, 600);
    v.showSpace = 1;
    v.spacePaneWidth = 700;
    v.onSize(400, 600);
    EXPECT_EQ(v.spacePaneWidth, 400);
    EXPECT_EQ(v.splitX(), 0);
    EXPECT_EQ(planeSetup(v).viewportWidth, 0) << "never a negative viewport";
    v.onSize(1200, 600);
    EXPECT_EQ(v.spacePaneWidth, 400) << "widening keeps the pixel width";
}

TEST(ViewStateMapping, MousePositionsTruncateTowardZeroBothWays) {
    ViewState v;
    v.onSize(600, 400);
    v.planeZoom = 2;
    // (100, 50) with origin (200, 200): window row 50 is pane row 349, so (-50, 74.5)
    EXPECT_DOUBLE_EQ(v.sceneOfMouse(100, 50).x, -50);
    EXPECT_DOUBLE_EQ(v.sceneOfMouse(100, 50).y, 74);
    EXPECT_DOUBLE_EQ(v.sceneOfMouse(199, 201).x, 0); // -0.5 truncates to 0
    EXPECT_DOUBLE_EQ(v.sceneOfMouse(203, 196).y, 1); // 1.5 truncates to 1
    EXPECT_DOUBLE_EQ(v.sceneOfMouse(203, 199).y, 0); // the origin's own row
    EXPECT_DOUBLE_EQ(v.planePixel(-50, 75).x, 100);
    EXPECT_DOUBLE_EQ(v.planePixel(-50, 75).y, 350);
}

TEST(ViewStateMapping, SplitterStripSpansSixPixelsAroundTheBoundary) {
    ViewState v;
    v.onSize(1000, 600);
    v.spacePaneWidth = 400;
    EXPECT_FALSE(v.onSplitter(597));
    EXPECT_TRUE(v.onSplitter(598));
    EXPECT_TRUE(v.onSplitter(604));
    EXPECT_FALSE(v.onSplitter(605));
}

TEST(Projections, PlaneAloneCoversTheWindowAndSpaceUsesItsAspect) {
    ViewState v;
    v.onSize(800, 600);
    PaneSetup plane = planeSetup(v);
    EXPECT_EQ(plane.viewportWidth, 800);
    EXPECT_DOUBLE_EQ(plane.right, 799);
    EXPECT_DOUBLE_EQ(plane.top, 599);
    v.showSpace = 1;
    v.spacePaneWidth = 300;
    PaneSetup space = spaceSetup(v);
    EXPECT_EQ(space.viewportX, 500);
    EXPECT_DOUBLE_EQ(space.aspect, 0.5);
    EXPECT_EQ(planeSetup(v).viewportWidth, 500);
}

TEST(Projections, EmptyWindowGivesNoDegenerateVolume) {
    ViewState v;
    v.onSize(0, 0);
    EXPECT_GT(planeSetup(v).right, planeSetup(v).left);
    EXPECT_GT(windowSetup(v).top, windowSetup(v).bottom);
    EXPECT_GT(spaceSetup(v).aspect, 0);
}

TEST(Frame, OnePaneGetsAYellowBorderAroundTheWindow) {
    ViewState v;
    v.onSize(640, 480);
    const auto rects = frameRects(v);
    ASSERT_EQ(rects.size(), 4u);
    for (const FrameRect& r : rects) {
        EXPECT_EQ(r.red, 1);
        EXPECT_EQ(r.green, 1);
        EXPECT_EQ(r.blue, 0);
    }
    EXPECT_EQ(rects[2].x1, 637);
    EXPECT_EQ(rects[3].y1, 477);
}

TEST(Frame, TwoPanesGetTheSplitterStripsAndTheActivePaneIsYellow) {
    ViewState v;
    v.onSize(1000, 500);
    v.showSpace = 1;
    v.spacePaneWidth = 400;
    v.spaceActive = 1;
    const auto rects = frameRects(v);
    ASSERT_EQ(rects.size(), 12u);
    EXPECT_FLOAT_EQ(rects[0].red, 0.832f);
    EXPECT_EQ(rects[0].x1, 599);
    EXPECT_EQ(rects[0].x2, 602);
    EXPECT_EQ(rects[1].x1, 598); // white
    EXPECT_EQ(rects[1].blue, 1);
    EXPECT_EQ(rects[2].red, 0.5f);
    EXPECT_EQ(rects[3].x2, 604); // black
    EXPECT_EQ(rects[4].red, 0);  // plane pane inactive: black
    EXPECT_EQ(rects[6].x1, 595);
    EXPECT_EQ(rects[8].red, 1); // circle-space pane active: yellow
    EXPECT_EQ(rects[8].x1, 604);
    EXPECT_EQ(rects[8].x2, 607);
}

} // namespace
