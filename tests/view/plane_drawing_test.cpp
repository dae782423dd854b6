// Plane drawing: what reaches the canvas for lines, circles, marks, halos and legend.
#include "view/plane_drawing.h"

#include "../support/make_objects.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

ViewState window400() {
    ViewState v;
    v.onSize(600, 400);
    return v;
}

const ClipBounds kClip{-10, 410, 610, -10};

double angleAbout(Point2 c, Point2 p) {
    double a = std::atan2(p.y - c.y, p.x - c.x) * 180.0 / M_PI;
    return a < 0 ? a + 360 : a;
}

TEST(InfiniteLine, ShallowLineCrossesTheWholeWidthFromRightToLeft) {
    RecordingCanvas c;
    const SceneObject line = makeLine(KIND_L, 0, 0, 10, 1);
    drawInfiniteLine(c, line, 200, 210, 200, 201, kClip);
    ASSERT_EQ(c.drawn.size(), 1u);
    EXPECT_DOUBLE_EQ(c.drawn[0].points[0].x, 610);
    EXPECT_DOUBLE_EQ(c.drawn[0].points[0].y, 241);
    EXPECT_DOUBLE_EQ(c.drawn[0].points[1].x, -10);
    EXPECT_DOUBLE_EQ(c.drawn[0].points[1].y, 179);
}

TEST(InfiniteLine, SteepLineRunsFromTopToBottomAndFortyFiveDegreesIsNotSteep) {
    RecordingCanvas c;
    const SceneObject line = makeLine(KIND_L, 0, 0, 1, 10);
    drawInfiniteLine(c, line, 200, 201, 200, 210, kClip);
    drawInfiniteLine(c, line, 200, 210, 200, 210, kClip);
    ASSERT_EQ(c.drawn.size(), 2u);
    EXPECT_DOUBLE_EQ(c.drawn[0].points[0].y, 410);
    EXPECT_DOUBLE_EQ(c.drawn[0].points[0].x, 221);
    EXPECT_DOUBLE_EQ(c.drawn[0].points[1].y, -10);
    EXPECT_DOUBLE_EQ(c.drawn[1].points[0].x, 610);
    EXPECT_DOUBLE_EQ(c.drawn[1].points[1].x, -10);
}

TEST(InfiniteLine, SubPixelVerticalDirectionNeverDividesByZero) {
    RecordingCanvas c;
    const SceneObject line = makeLine(KIND_L, 0, 0, 0, 0.5);
    // |trunc(dy)| = |trunc(dx)| = 0 would call it shallow, with dx = 0.
    drawInfiniteLine(c, line, 200, 200, 200, 200.5, kClip);
    ASSERT_EQ(c.drawn.size(), 1u);
    for (const Point2& p : c.drawn[0].points) {
        EXPECT_TRUE(std::isfinite(p.x));
        EXPECT_TRUE(std::isfinite(p.y));
    }
    EXPECT_DOUBLE_EQ(c.drawn[0].points[0].x, 200);
}

TEST(InfiniteLine, DashedLineIsStippledForItsSegmentOnly) {
    RecordingCanvas c;
    SceneObject line = makeLine(KIND_L, 0, 0, 10, 0);
    line.dashed = 1;
    drawInfiniteLine(c, line, 0, 10, 0, 0, kClip);
    ASSERT_EQ(c.drawn.size(), 1u);
    EXPECT_TRUE(c.drawn[0].stippled);
    EXPECT_FALSE(c.stipple);
}

TEST(LineObject, ArrowTipAtPointOneAndPrimeTickBehindIt) {
    RecordingCanvas c;
    SceneObject line = makeLine(KIND_L_PRIME, 0, 0, 100, 0);
    line.width = 3;
    drawLineObject(c, line, kClip, 200, 200, 1);
    const auto segments = c.ofType(Primitive::Segment);
    ASSERT_EQ(segments.size(), 2u); // infinite line, cross tick
    EXPECT_EQ(segments[0]->width, 3);
    EXPECT_EQ(segments[1]->width, 1); // width restored before the marks
    const auto triangles = c.ofType(Primitive::Triangle);
    ASSERT_EQ(triangles.size(), 1u);
    const auto& t = triangles[0]->points;
    EXPECT_DOUBLE_EQ(t[0].x, 300);
    EXPECT_DOUBLE_EQ(t[1].x, 275);
    EXPECT_DOUBLE_EQ(t[1].y, 194);
    EXPECT_DOUBLE_EQ(t[2].y, 206);
    const auto& tick = segments[1]->points;
    EXPECT_DOUBLE_EQ(tick[0].x, 265);
    EXPECT_DOUBLE_EQ(tick[0].y, 194);
    EXPECT_DOUBLE_EQ(tick[1].y, 206);
    EXPECT_EQ(c.ofType(Primitive::Fan).size(), 4u); // two handle marks
}

TEST(LineObject, CoincidentPointsDrawOnlyHandleMarks) {
    RecordingCanvas c;
    drawLineObject(c, makeLine(KIND_L, 5, 5, 5, 5), kClip, 200, 200, 1);
    EXPECT_TRUE(c.ofType(Primitive::Segment).empty());
    EXPECT_TRUE(c.ofType(Primitive::Triangle).empty());
    EXPECT_EQ(c.ofType(Primitive::Fan).size(), 4u);
}

TEST(CircleObject, ArrowSideAndDirectionFollowTheRadiusSign) {
    for (double r : {40.0, -40.0}) {
        RecordingCanvas c;
        drawCircleObject(c, makeCircle(KIND_C_PRIME, 0, 0, r), true, 60, 200, 200, 1);
        const auto tri = c.ofType(Primitive::Triangle);
        ASSERT_EQ(tri.size(), 1u);
        const Point2 centre{200, 200};
        const double tip = angleAbout(centre, tri[0]->points[0]);
        const double base = angleAbout(centre, tri[0]->points[1]);
        EXPECT_NEAR(tip, r > 0 ? 155 : 25, 1e-4);
        EXPECT_NEAR(base, r > 0 ? 135 : 45, 1e-4);
        EXPECT_NEAR(std::hypot(tri[0]->points[1].x - 200, tri[0]->points[1].y - 200), 44, 1e-6);
        const auto tick = c.ofType(Primitive::Segment);
        ASSERT_EQ(tick.size(), 1u);
        EXPECT_NEAR(angleAbout(centre, tick[0]->points[0]), r > 0 ? 130 : 50, 1e-4);
    }
}

TEST(CircleObject, ZeroRadiusShowsOnlyItsHandleMark) {
    RecordingCanvas c;
    drawCircleObject(c, makeCircle(KIND_C_PRIME, 0, 0, 0), true, 60, 200, 200, 1);
    EXPECT_TRUE(c.ofType(Primitive::Triangle).empty());
    EXPECT_TRUE(c.ofType(Primitive::Segment).empty());
    const auto fans = c.ofType(Primitive::Fan);
    ASSERT_EQ(fans.size(), 2u);
    EXPECT_EQ(fans[0]->red + fans[0]->green + fans[0]->blue, 0); // black disc first
    EXPECT_EQ(fans[0]->points.size(), 32u);                      // centre + 31 rim vertices
    EXPECT_NEAR(fans[0]->points[1].x - 200, 6, 1e-9);
    EXPECT_NEAR(fans[1]->points[1].x - 200, 5, 1e-9);
}

TEST(CircleObject, DashedWideCircleHasThirtyDashesOfItsWidthAndFullMarks) {
    RecordingCanvas c;
    SceneObject circle = makeCircle(KIND_C, 10, 0, 50);
    circle.dashed = 1;
    circle.width = 3;
    drawCircleObject(c, circle, true, 60, 200, 200, 2);
    const auto dashes = c.ofType(Primitive::LineSegments);
    ASSERT_EQ(dashes.size(), 1u);
    EXPECT_EQ(dashes[0]->points.size() / 2, 30u);
    EXPECT_EQ(dashes[0]->width, 3);
    EXPECT_NEAR(dashes[0]->points[0].x, 220 + 100, 1e-9); // zoom 2: centre 220, radius 100
    EXPECT_EQ(c.width, 1);
    EXPECT_EQ(c.ofType(Primitive::Triangle).size(), 1u);
    EXPECT_EQ(c.ofType(Primitive::Fan).size(), 2u);
}

TEST(CircleObject, HugeCoordinatesStayFinite) {
    RecordingCanvas c;
    drawCircleObject(c, makeCircle(KIND_C, 1e308, -1e308, 1e308), true, 60, 200, 200, 10);
    for (const Primitive& p : c.drawn)
        for (const Point2& q : p.points) {
            EXPECT_TRUE(std::isfinite(q.x));
            EXPECT_TRUE(std::isfinite(q.y));
        }
}

TEST(Plane, HalosLieUnderTheObjectsInHighlightColourTwoPixelsWider) {
    CTorvaneDoc doc;
    SceneObject* a = doc.addObject(KIND_C, 0, 0, 30, 0, 0, 255);
    SceneObject* b = doc.addObject(KIND_L, 0, 0, 50, 50, 255, 0, 0);
    a->width = 2;
    ViewState v = window400();
    v.hoverObject = b;
    v.selectedObject = a;
    RecordingCanvas c;
    drawPlane(c, doc, v);

    const auto loops = c.ofType(Primitive::LineLoop);
    ASSERT_EQ(loops.size(), 2u); // halo, then the circle
    EXPECT_EQ(loops[0]->red, 204);
    EXPECT_EQ(loops[0]->width, 4);
    EXPECT_EQ(loops[1]->blue, 255);
    EXPECT_EQ(loops[1]->width, 2);
    const auto segments = c.ofType(Primitive::Segment);
    // axes (2), hover halo line, object line, legend (2)
    ASSERT_EQ(segments.size(), 6u);
    EXPECT_EQ(segments[2]->red, 204);
    EXPECT_EQ(segments[2]->width, 3);
    EXPECT_EQ(segments[3]->red, 255);
    EXPECT_EQ(segments[3]->green, 0);
}

TEST(Plane, HoveringTheSelectedObjectDrawsTheHaloTwiceInOnePlace) {
    CTorvaneDoc doc;
    SceneObject* a = doc.addObject(KIND_C, 10, 10, 30, 0, 0, 255);
    ViewState v = window400();
    v.hoverObject = v.selectedObject = a;
    RecordingCanvas c;
    drawPlane(c, doc, v);
    const auto loops = c.ofType(Primitive::LineLoop);
    ASSERT_EQ(loops.size(), 3u);
    EXPECT_EQ(loops[0]->points[0].x, loops[1]->points[0].x);
    EXPECT_EQ(loops[1]->red, 204);
}

TEST(Plane, AxesThroughTheOriginAndLegendInPanePixels) {
    CTorvaneDoc doc;
    ViewState v = window400();
    v.planeOriginX = 120;
    v.planeOriginY = 80;
    v.planeZoom = 3;
    RecordingCanvas c;
    drawPlane(c, doc, v);
    const auto segments = c.ofType(Primitive::Segment);
    ASSERT_EQ(segments.size(), 4u);
    EXPECT_DOUBLE_EQ(segments[0]->points[0].y, 80);
    EXPECT_DOUBLE_EQ(segments[0]->points[1].x, 600);
    EXPECT_DOUBLE_EQ(segments[1]->points[0].x, 120);
    EXPECT_DOUBLE_EQ(segments[1]->points[1].y, 400);
    const auto texts = c.ofType(Primitive::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->text, "x");
    EXPECT_EQ(texts[0]->red, 255);
    EXPECT_DOUBLE_EQ(texts[0]->points[0].x, 55);
    EXPECT_DOUBLE_EQ(texts[0]->points[0].y, 23);
    EXPECT_EQ(texts[1]->text, "y");
    EXPECT_EQ(texts[1]->green, 255);
    EXPECT_DOUBLE_EQ(texts[1]->points[0].y, 57);
}

} // namespace
