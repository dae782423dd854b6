// Slot bookkeeping, the candidate store, the dispatch tables and centre loci.
#include "solver/merge_problem.h"

#include "solver/line_plane.h"

#include "tests/support/make_objects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

// Solves with the given kinds in cluster order; returns the message and, in
// *solver, the name of the solver that the dispatch chose.
std::string dispatchMessage(int a, int b, int c, int d, int mode, std::string* solver = nullptr) {
    SceneObject objs[4];
    const int kinds[4] = {a, b, c, d};
    MergeProblem p;
    for (int i = 0; i < 4; ++i) {
        objs[i] = isLineKind(kinds[i]) ? makeLine(kinds[i], 3.0 * i, 1, 3.0 * i + 1, 2.0 + i)
                                       : makeCircle(kinds[i], 3.0 * i, 1, 1.0 + i);
        p.addObject(i < 2 ? 1 : 2, &objs[i]);
    }
    p.solve(mode);
    if (solver)
        *solver = p.solverName;
    return p.message;
}

} // namespace

TEST(MergeProblem, ThirdObjectIgnoredAndSlotZeroRemovalShiftsDown) {
    SceneObject a, b, c;
    MergeProblem p;
    p.addObject(1, &a);
    p.addObject(1, &b);
    p.addObject(1, &c);
    EXPECT_EQ(p.slotCount[0], 2);
    EXPECT_EQ(p.slots[0][1], &b);
    p.removeObject(0, 0);
    EXPECT_EQ(p.slots[0][0], &b);
    EXPECT_EQ(p.slots[0][1], nullptr);
    EXPECT_EQ(p.slotCount[0], 1);
    p.removeObject(0, 1); // empty: nothing happens
    EXPECT_EQ(p.slotCount[0], 1);
    p.addObject(3, &c);
    EXPECT_EQ(p.slotCount[1], 0);
}

TEST(MergeProblem, ChecksBeforeDispatch) {
    MergeProblem p;
    SceneObject a;
    p.addObject(1, &a);
    EXPECT_EQ(p.solve(MERGE_TRANSLATE), 0);
    EXPECT_STREQ(p.message, "Please select four objects.");
    EXPECT_EQ(dispatchMessage(KIND_C, KIND_C_PRIME, KIND_C_PRIME, KIND_C_PRIME, MERGE_TRANSLATE),
              "There can only be two center constraint objects!");
}

TEST(MergeProblem, DispatchFirstMatchingRowWins) {
    auto solver = [](int a, int b, int c, int d, int mode) {
        std::string name;
        dispatchMessage(a, b, c, d, mode, &name);
        return name;
    };
    EXPECT_EQ(solver(KIND_L_PRIME, KIND_L_PRIME, KIND_C_PRIME, KIND_C_PRIME, MERGE_TRANSLATE),
              "T_2Center1ClusterSolver");
    EXPECT_EQ(solver(KIND_C, KIND_L_PRIME, KIND_C_PRIME, KIND_L, MERGE_TRANSLATE),
              "T_RemainSolver");
    EXPECT_EQ(solver(KIND_C_PRIME, KIND_L, KIND_C_PRIME, KIND_L, MERGE_ROTATE),
              "R_ClosedFormSolver");
    EXPECT_EQ(solver(KIND_C_PRIME, KIND_L, KIND_C_PRIME, KIND_L, MERGE_TRANSLATE),
              "T_2Center2ClusterSolver");
    EXPECT_EQ(solver(KIND_C_PRIME, KIND_L, KIND_C_PRIME, KIND_L_PRIME, MERGE_ROTATE),
              "R_2Center1ClusterSolver");
    EXPECT_EQ(solver(KIND_C, KIND_L, KIND_L, KIND_L_PRIME, MERGE_TRANSLATE),
              "T_3Line1CircleSolver");
    EXPECT_EQ(solver(KIND_C, KIND_C, KIND_C, KIND_C, MERGE_TRANSLATE), "T_4CircleSolver");
    EXPECT_EQ(solver(KIND_L, KIND_L, KIND_L, KIND_L, MERGE_ROTATE), "R_4LineSolver");
    EXPECT_EQ(solver(KIND_C_PRIME, KIND_L_PRIME, KIND_L, KIND_L, MERGE_ROTATE),
              "R_2Center1ClusterSolver");
}

TEST(MergeProblem, UnknownModeFailsWithoutMessage) {
    SceneObject objs[4];
    MergeProblem p;
    for (int i = 0; i < 4; ++i)
        p.addObject(i < 2 ? 1 : 2, &objs[i]);
    p.setMessage("earlier");
    EXPECT_EQ(p.solve(7), 0);
    EXPECT_STREQ(p.message, "earlier");
}

TEST(CandidateStore, NeverExceedsCapacityOrStoresNonFinite) {
    MergeProblem p;
    for (int i = 0; i < kMaxSolutions; ++i)
        ASSERT_TRUE(p.appendCandidate(KIND_C, i, 0, 1, 0.5 * i));
    EXPECT_FALSE(p.appendCandidate(KIND_C, 1, 1, 1, 1));
    EXPECT_EQ(p.solutionCount, kMaxSolutions);

    MergeProblem q;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(q.appendCandidate(KIND_C, nan, 0, 1, 0));
    EXPECT_FALSE(q.appendCandidate(KIND_C, 0, 0, inf, 0));
    EXPECT_FALSE(q.appendCandidate(KIND_C, 0, 0, 1, -inf));
    EXPECT_EQ(q.solutionCount, 0);
    EXPECT_TRUE(q.appendCandidate(kComplexCandidate, 1.5, -2.0, 0, 0));
    EXPECT_EQ(q.solutions[0].kind, kComplexCandidate);
}

TEST(CandidateStore, RecordsReadAsDefaultObjectsUntilWritten) {
    const SceneObject fresh;
    MergeProblem p;
    const MergeProblem& view = p;
    EXPECT_EQ(view.solutions[kMaxSolutions - 1], fresh);
    // A complex candidate leaves the radius as the record had it: the default.
    ASSERT_TRUE(p.appendCandidate(kComplexCandidate, 1.5, -2.0, 0, 0));
    EXPECT_EQ(p.solutions[0].r, fresh.r);
    EXPECT_EQ(p.solutions[0].red, fresh.red);
    // Writing far ahead leaves every record before it a default one.
    p.solutions[9].r = 7.0;
    for (int n = 1; n < 9; ++n)
        EXPECT_EQ(view.solutions[n], fresh) << n;
    EXPECT_EQ(view.solutions[10], fresh);

    // A copy holds the same records and stays apart from the original.
    MergeProblem copy = p;
    EXPECT_EQ(copy.solutions[0].kind, kComplexCandidate);
    EXPECT_EQ(copy.solutions[9].r, 7.0);
    EXPECT_EQ(copy.solutions[5], fresh);
    copy.solutions[9].r = 8.0;
    EXPECT_EQ(p.solutions[9].r, 7.0);
    copy = MergeProblem();
    EXPECT_EQ(copy.solutions[9], fresh);
}

TEST(CandidateStore, LongMessageIsTruncatedToFit) {
    MergeProblem p;
    const std::string longText(500, 'x');
    p.setMessage(longText.c_str());
    EXPECT_EQ(std::string(p.message).size(), static_cast<std::size_t>(kMessageSize - 1));
}

TEST(LinePlane, DirectionTestAgreesWithThePlaneAtTheEdgesOfDoubles) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // The second point (the first is the origin), and whether the line has a plane:
    // squares that underflow to zero or overflow to infinity decide as the plane's
    // length does, whatever the points' difference.
    const struct {
        double dx, dy;
        bool expected;
    } cases[] = {{3, 4, true},      {0, 0, false},         {0, 1e-160, true}, {1e-200, 0, false},
                 {1e200, 0, false}, {-1e150, 1e150, true}, {nan, 0, false},   {0, -5e-324, false}};
    for (const auto& c : cases) {
        const SceneObject line = makeLine(KIND_L_PRIME, 0, 0, c.dx, c.dy);
        LinePlane plane;
        EXPECT_EQ(hasDirection(line), c.expected) << c.dx << ", " << c.dy;
        EXPECT_EQ(linePlane(line, plane), c.expected) << c.dx << ", " << c.dy;
    }
}

TEST(CentreLoci, WorkedExamples) {
    double x[2], y[2];
    SceneObject p1 = makeLine(KIND_L_PRIME, 0, 0, 1, 0), p2 = makeLine(KIND_L_PRIME, 0, 1, 1, 1);
    EXPECT_EQ(intersectCentreLoci(&p1, &p2, x, y), 0);

    SceneObject c1 = makeCircle(KIND_C_PRIME, 0, 0, 5), c2 = makeCircle(KIND_C_PRIME, 6, 0, 5);
    ASSERT_EQ(intersectCentreLoci(&c1, &c2, x, y), 2);
    EXPECT_NEAR(x[0], 3, 1e-12);
    EXPECT_NEAR(y[0], -4, 1e-12);
    EXPECT_NEAR(x[1], 3, 1e-12);
    EXPECT_NEAR(y[1], 4, 1e-12);

    SceneObject v = makeLine(KIND_L_PRIME, 2, -1, 2, 1);
    ASSERT_EQ(intersectCentreLoci(&p1, &v, x, y), 1);
    EXPECT_DOUBLE_EQ(x[0], 2);
    EXPECT_DOUBLE_EQ(y[0], 0);
}

TEST(CentreLoci, LineThroughThePointAtInfiniteHalfAngle) {
    // The vertical line x = -5 touches the circle of radius 5 at (-5, 0), which the
    // half-angle form reaches only as t goes to infinity.
    double x[2], y[2];
    SceneObject c = makeCircle(KIND_C_PRIME, 0, 0, 5);
    SceneObject tangent = makeLine(KIND_L_PRIME, -5, -1, -5, 1);
    ASSERT_EQ(intersectCentreLoci(&tangent, &c, x, y), 1);
    EXPECT_EQ(x[0], -5);
    EXPECT_EQ(y[0], 0);

    SceneObject chord = makeLine(KIND_L_PRIME, -5, 0, 5, 0); // through (-5, 0) and (5, 0)
    ASSERT_EQ(intersectCentreLoci(&c, &chord, x, y), 2);
    EXPECT_EQ(x[0], -5);
    EXPECT_NEAR(x[1], 5, 1e-12);
    EXPECT_NEAR(y[1], 0, 1e-12);
}

TEST(CentreLoci, ConcentricCirclesHaveNoPoints) {
    double x[2], y[2];
    SceneObject a = makeCircle(KIND_C_PRIME, 1, 1, 2), b = makeCircle(KIND_C_PRIME, 1, 1, 3);
    EXPECT_EQ(intersectCentreLoci(&a, &b, x, y), 0);
}
