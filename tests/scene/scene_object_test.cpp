// Kind conversion, orientation and textual form of scene objects.
#include "scene/scene_object.h"

#include "tests/support/make_objects.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

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

TEST(SceneObject, LineToCircleLengthDoesNotOverflowForHugeCoordinates) {
    // The squares of these lengths overflow a double; the lengths themselves do not.
    SceneObject wide = makeLine(KIND_L, -1e200, 0, 1e200, 0);
    ASSERT_TRUE(wide.setKind(KIND_C));
    EXPECT_DOUBLE_EQ(wide.r, 2e200);
    SceneObject slanted = makeLine(KIND_L_PRIME, 0, 0, 3e200, 4e200); // a 3-4-5 triangle
    ASSERT_TRUE(slanted.setKind(KIND_C_PRIME));
    EXPECT_DOUBLE_EQ(slanted.r, 5e200);
}

TEST(SceneObject, KindChangeWithNonFiniteResultLeavesObjectUnchanged) {
    SceneObject line = makeLine(KIND_L, -1.5e308, 0, 1.5e308, 0); // 3e308 is not a double
    EXPECT_FALSE(line.setKind(KIND_C));
    EXPECT_EQ(line.kind, KIND_L);
    EXPECT_EQ(line.x[1], 1.5e308);
    SceneObject circle = makeCircle(KIND_C, 1.5e308, 0, 1e308); // far point beyond the range
    EXPECT_FALSE(circle.setKind(KIND_L));
    EXPECT_EQ(circle.kind, KIND_C);
    EXPECT_EQ(circle.r, 1e308);
}

TEST(SceneObject, TextualFormOfHugeValuesIsWhole) {
    // Every digit of the "%.1f" form, however long; printf is the reference.
    for (double v : {1e60, -1.7976931348623157e308, 123456789.25}) {
        SCOPED_TRACE(v);
        const char* format = "L(%.1f, %.1f, %.1f, %.1f)";
        std::vector<char> expected(std::snprintf(nullptr, 0, format, v, -v, 0.05, v / 3) + 1);
        std::snprintf(expected.data(), expected.size(), format, v, -v, 0.05, v / 3);
        EXPECT_EQ(makeLine(KIND_L, v, -v, 0.05, v / 3).toString(), expected.data());
    }
    EXPECT_GT(makeCircle(KIND_C, 1.7e308, 0, 1).toString().size(), 309u);
}
