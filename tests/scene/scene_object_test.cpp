// Kind conversion, orientation and textual form of scene objects.
#include "scene/scene_object.h"

#include "tests/support/make_objects.h"

#include <gtest/gtest.h>

TEST(SceneObject, DefaultIsUnpinnedCircleOfRadiusTen) {
    SceneObject o;
    EXPECT_EQ(o.kind, KIND_C);
    EXPECT_EQ(o.toString(), "C(10.0, 10.0, 10.0)");
    EXPECT_EQ(o.width, 1);
    EXPECT_EQ(o.dashed, 0);
    EXPECT_EQ(o.pinned, 0);
}

TEST(SceneObject, CircleToLineFollowsRadiusSignAndBackLosesIt) {
    SceneObject o = makeCircle(KIND_C, 1, 2, -5);
    o.setKind(KIND_L);
    EXPECT_EQ(o.toString(), "L(1.0, 2.0, -4.0, 2.0)");
    o.setKind(KIND_C);
    EXPECT_DOUBLE_EQ(o.r, 5.0);
    EXPECT_EQ(o.x[0], 1.0);
    EXPECT_EQ(o.y[0], 2.0);
}

TEST(SceneObject, SameFamilyKindChangeKeepsGeometry) {
    SceneObject c = makeCircle(KIND_C, 3, 4, -2);
    c.setKind(KIND_C_PRIME);
    EXPECT_EQ(c.toString(), "C'(3.0, 4.0, -2.0)");
    SceneObject l = makeLine(KIND_L_PRIME, 0, 0, 5, 0);
    l.setKind(KIND_L);
    EXPECT_EQ(l.toString(), "L(0.0, 0.0, 5.0, 0.0)");
}

TEST(SceneObject, SetCircleOnLineDoesNothing) {
    SceneObject l = makeLine(KIND_L, 1, 2, 3, 4);
    l.setCircle(9, 9, 9);
    EXPECT_EQ(l.toString(), "L(1.0, 2.0, 3.0, 4.0)");
}

TEST(SceneObject, SetPointOnCircleTakesIndexAsRadius) {
    SceneObject c = makeCircle(KIND_C_PRIME, 0, 0, 1);
    c.setPoint(-3, 4, 7);
    EXPECT_EQ(c.toString(), "C'(-3.0, 4.0, 7.0)");
}

TEST(SceneObject, ReverseTwiceRestoresExactly) {
    SceneObject l = makeLine(KIND_L, 0.1, 0.2, 0.3, 0.4);
    l.reverse();
    EXPECT_EQ(l.toString(), "L(0.3, 0.4, 0.1, 0.2)");
    l.reverse();
    EXPECT_EQ(l.x[0], 0.1);
    EXPECT_EQ(l.y[1], 0.4);
    SceneObject c = makeCircle(KIND_C, 0, 0, 2.5);
    c.reverse();
    EXPECT_EQ(c.r, -2.5);
    c.reverse();
    EXPECT_EQ(c.r, 2.5);
}

TEST(SceneObject, ReverseLeavesUnknownKindAlone) {
    SceneObject o = makeCircle(KIND_C, 0, 0, 2);
    o.kind = 9;
    o.reverse();
    EXPECT_EQ(o.r, 2.0);
    EXPECT_EQ(o.x[0], 0.0);
}
