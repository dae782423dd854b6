// Which part of the plane a page or picture shows: the visible pane, or the whole scene
// with its margin when there is no pane to take it from.
#include "view/picture_area.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Where a scene point lands in the picture, pixels from the lower left.
Point2 pixelOf(const PlaneArea& a, double x, double y) {
    return {a.zoom * x + a.originX, a.zoom * y + a.originY};
}

TEST(SceneArea, BoundingBoxOfCirclesAndLinePointsWithFivePercentMarginFitsTheBox) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 0, 0, -100, 0, 0, 255);              // x, y in [-100, 100]
    doc.addObject(KIND_L, -200, 150, 200, 150, 255, 0, 0);     // x in [-200, 200]
    doc.addObject(KIND_L_PRIME, 150, -150, 150, 100, 0, 0, 0); // y down to -150
    // Box 400 x 300, margin 20 on every side: 440 x 340 units into 800 x 800 pixels.
    const PlaneArea a = sceneArea(doc, 800, 800);
    EXPECT_NEAR(a.zoom, 800.0 / 440.0, 1e-12);
    EXPECT_EQ(a.width, 800);
    EXPECT_EQ(a.height, std::round(340 * 800.0 / 440.0));
    const Point2 lowerLeft = pixelOf(a, -220, -170);
    EXPECT_NEAR(lowerLeft.x, 0, 1e-9);
    EXPECT_NEAR(lowerLeft.y, 0, 1e-9);
    const Point2 upperRight = pixelOf(a, 220, 170);
    EXPECT_NEAR(upperRight.x, 800, 1e-9);
    EXPECT_NEAR(upperRight.y, 340 * 800.0 / 440.0, 1e-9);

    // A tall window: the height limits the zoom and the width follows the box.
    const PlaneArea tall = sceneArea(doc, 1000, 340);
    EXPECT_NEAR(tall.zoom, 1.0, 1e-12);
    EXPECT_EQ(tall.width, 440);
    EXPECT_EQ(tall.height, 340);
}

TEST(SceneArea, FlatSceneStillGetsAHeight) {
    CTorvaneDoc doc;
    doc.addObject(KIND_L, 0, 10, 100, 10, 0, 0, 0);
    const PlaneArea a = sceneArea(doc, 800, 800);
    // 5 units of margin above and below the line: 10 of 110 units.
    EXPECT_EQ(a.width, 800);
    EXPECT_EQ(a.height, std::round(10 * 800.0 / 110.0));
    EXPECT_NEAR(pixelOf(a, 50, 10).y, 5 * 800.0 / 110.0, 1e-9);
}

TEST(SceneArea, EmptySceneAndSinglePointShowTheDefaultZoomAroundThem) {
    CTorvaneDoc empty;
    const PlaneArea e = sceneArea(empty, 640, 480);
    EXPECT_EQ(e.zoom, 1);
    EXPECT_EQ(e.width, 640);
    EXPECT_EQ(e.height, 480);
    EXPECT_EQ(e.originX, 320);
    EXPECT_EQ(e.originY, 240);

    CTorvaneDoc point;
    point.addObject(KIND_C, 30, -40, 0, 0, 0, 0);
    const PlaneArea p = sceneArea(point, 640, 480);
    EXPECT_EQ(p.zoom, 1);
    EXPECT_EQ(pixelOf(p, 30, -40).x, 320);
    EXPECT_EQ(pixelOf(p, 30, -40).y, 240);
}

TEST(SceneArea, ExtremeCoordinatesGiveAFiniteArea) {
    const double big = std::numeric_limits<double>::max();
    CTorvaneDoc doc;
    // The span overflows to infinity; the area must not.
    doc.addObject(KIND_L, -big, 0, big, 1, 0, 0, 0);
    const PlaneArea a = sceneArea(doc, 800, 800);
    EXPECT_TRUE(std::isfinite(a.originX) && std::isfinite(a.originY));
    EXPECT_TRUE(std::isfinite(a.zoom) && a.zoom > 0);
    EXPECT_GE(a.width, 1);
    EXPECT_GE(a.height, 1);
    CTorvaneDoc tiny;
    tiny.addObject(KIND_C, 1e200, 0, 1e-200, 0, 0, 0);
    const PlaneArea t = sceneArea(tiny, 800, 800);
    EXPECT_TRUE(std::isfinite(t.originX) && std::isfinite(t.originY) && std::isfinite(t.zoom));
}

TEST(PictureArea, VisiblePaneAsOnScreenOrTheWholeSceneWhenThePlaneIsHidden) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 100, 0, 50, 0, 0, 255);
    ViewState view;
    view.onSize(600, 400);
    view.showSpace = 1;
    view.spacePaneWidth = 250;
    view.planeOriginX = 120;
    view.planeOriginY = 80;
    view.planeZoom = 2;
    const PlaneArea pane = pictureArea(doc, view);
    EXPECT_EQ(pane.width, 350);
    EXPECT_EQ(pane.height, 400);
    EXPECT_EQ(pane.originX, 120);
    EXPECT_EQ(pane.originY, 80);
    EXPECT_EQ(pane.zoom, 2);

    // Only the circle-space pane: the plane pane has no width, the page shows the scene.
    view.showPlane = 0;
    view.onSize(600, 400);
    ASSERT_EQ(view.splitX(), 0);
    const PlaneArea scene = pictureArea(doc, view);
    // Box [50, 150] x [-50, 50] plus 5 units: 110 x 110 units into 600 x 400 pixels.
    EXPECT_NEAR(scene.zoom, 400.0 / 110.0, 1e-12);
    EXPECT_EQ(scene.width, 400);
    EXPECT_EQ(scene.height, 400);
    EXPECT_NEAR(pixelOf(scene, 100, 0).x, 200, 1e-9);
    EXPECT_NEAR(pixelOf(scene, 100, 0).y, 200, 1e-9);
}

} // namespace
