// Wheel zoom keeps the scene point under the mouse in place; Zoom to Fit brings every
// object into the plane pane, and never lets the origin overflow.
#include "view/plane_navigation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

ViewState stateOf(int width, int height, int spacePane = 0) {
    ViewState s;
    s.onSize(width, height);
    s.spacePaneWidth = spacePane;
    s.showSpace = spacePane > 0;
    return s;
}

// Pane pixel (y upward) of a scene point, written out from the plane mapping.
double pixelX(const ViewState& s, double x) {
    return static_cast<double>(s.planeZoom) * x + s.planeOriginX;
}
double pixelY(const ViewState& s, double y) {
    return static_cast<double>(s.planeZoom) * y + s.planeOriginY;
}

} // namespace

TEST(PlaneNavigation, ZoomsAboutOnePointNeverDrift) {
    for (auto [mx, my] : {std::pair{523, 117}, std::pair{3, 590}, std::pair{200, 399}}) {
        ViewState s = stateOf(800, 600);
        s.planeOriginX = 180;
        s.planeOriginY = 230;
        s.planeZoom = 0.8f;
        // The scene point at the centre of the mouse's pixel, before any zoom.
        const double row = 600 - 1 - my;
        const double z0 = 0.8f;
        const double sx = (mx - 180) / z0, sy = (row - 230) / z0;
        for (double factor : {1.25, 1.25 * 1.25, 0.8, 0.5, 3.0}) {
            const float before = s.planeZoom;
            ASSERT_TRUE(zoomPlaneAbout(s, mx, my, factor, Point2{sx, sy}));
            EXPECT_NEAR(s.planeZoom, before * factor, 1e-4 * before * factor);
            // Whole-pixel origins hold the point to within half a pixel.
            EXPECT_NEAR(pixelX(s, sx), mx, 0.5 + 1e-6) << factor;
            EXPECT_NEAR(pixelY(s, sy), row, 0.5 + 1e-6) << factor;
        }
    }
}

TEST(PlaneNavigation, WheelZoomStopsAtTheLowerLimitAndHasNoUpperOne) {
    ViewState s = stateOf(800, 600);
    const Point2 anchor = scenePointAt(s, 400, 300);
    for (int i = 0; i < 40; ++i)
        zoomPlaneAbout(s, 400, 300, 0.8, anchor);
    EXPECT_FLOAT_EQ(s.planeZoom, kMinPlaneZoom);
    EXPECT_FALSE(zoomPlaneAbout(s, 400, 300, 0.8, anchor)) << "nothing changes at the limit";
    for (int i = 0; i < 60; ++i)
        zoomPlaneAbout(s, 400, 300, 1.25, anchor);
    EXPECT_GT(s.planeZoom, 1e4f);
    // Far from the origin an ever larger zoom would push the origin out of range: it stops.
    ViewState far = stateOf(800, 600);
    far.planeOriginX = -2000000;
    int zooms = 0;
    const Point2 farAnchor = scenePointAt(far, 400, 300);
    while (zoomPlaneAbout(far, 400, 300, 10.0, farAnchor) && zooms < 100)
        ++zooms;
    EXPECT_LT(zooms, 100);
    EXPECT_LE(std::abs(static_cast<double>(far.planeOriginX)), 1e9);
}

TEST(PlaneNavigation, ZoomToFitPutsEveryObjectInsideThePlanePane) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 1000, -500, -300, 0, 0, 0);
    doc.addObject(KIND_L_PRIME, -2000, 40, -1900, 4000, 0, 0, 0);
    doc.addObject(KIND_C_PRIME, 0, 0, 0, 0, 0, 0);
    ViewState s = stateOf(1000, 700, 400); // plane pane 600 wide beside circle space
    ASSERT_TRUE(zoomPlaneToFit(s, doc));
    // Extremes: the circle's box, the line's two points.
    const double xs[] = {700, 1300, -2000, -1900};
    const double ys[] = {-800, -200, 40, 4000};
    double low = 1e9, high = -1e9;
    for (double x : xs) {
        EXPECT_GE(pixelX(s, x), 0);
        EXPECT_LE(pixelX(s, x), s.splitX() - 1);
    }
    for (double y : ys) {
        EXPECT_GE(pixelY(s, y), 0);
        EXPECT_LE(pixelY(s, y), s.clientHeight - 1);
        low = std::min(low, pixelY(s, y));
        high = std::max(high, pixelY(s, y));
    }
    // The scene is 4800 tall and 3300 wide: height decides, and it nearly fills the pane.
    EXPECT_GT(high - low, 0.9 * s.clientHeight);
}

TEST(PlaneNavigation, ZoomToFitOfNothingOnePointOrAFarAwayScene) {
    ViewState s = stateOf(800, 600);
    CTorvaneDoc empty;
    EXPECT_FALSE(zoomPlaneToFit(s, empty));

    CTorvaneDoc point;
    point.addObject(KIND_C, 7, 9, 0, 0, 0, 0);
    s.planeZoom = 2;
    ASSERT_TRUE(zoomPlaneToFit(s, point));
    EXPECT_FLOAT_EQ(s.planeZoom, 2) << "a single point keeps the zoom";
    EXPECT_NEAR(pixelX(s, 7), 399.5, 0.5);
    EXPECT_NEAR(pixelY(s, 9), 299.5, 0.5);

    // So far out that no whole-pixel origin can show it: the view stays as it was.
    CTorvaneDoc far;
    far.addObject(KIND_C, 1e12, -1e12, 1, 0, 0, 0);
    const ViewState before = s;
    EXPECT_FALSE(zoomPlaneToFit(s, far));
    EXPECT_EQ(s.planeOriginX, before.planeOriginX);
    EXPECT_EQ(s.planeZoom, before.planeZoom);

    // Far, but reachable: shown smaller than the fit would like, still inside the pane.
    CTorvaneDoc distant;
    distant.addObject(KIND_C, 3e8, 0, 1, 0, 0, 0);
    ASSERT_TRUE(zoomPlaneToFit(s, distant));
    EXPECT_GE(pixelX(s, 3e8 - 1), 0);
    EXPECT_LE(pixelX(s, 3e8 + 1), 799);
}
