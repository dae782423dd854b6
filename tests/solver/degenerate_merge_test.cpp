// Merges on the figures people draw, where a closed form passes a degenerate step:
// each test is named after the failure it guards against. Expected merges are worked
// out by hand from the geometry (given in the comments), and every candidate is
// checked with the plain-geometry residual, not with a solver's algebra.
#include "solver/candidate_refinement.h"
#include "solver/constraint_residual.h"
#include "solver/merge_problem.h"

#include "tests/support/make_objects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

struct Merge {
    explicit Merge(std::vector<SceneObject> objs) : o(std::move(objs)) {
        for (int i = 0; i < 4; ++i)
            p.addObject(i < 2 ? 1 : 2, &o[i]);
    }
    std::vector<SceneObject> o;
    MergeProblem p;
};

struct Expected {
    double parameter, x, y, r;
};

int realCount(const MergeProblem& p) {
    int n = 0;
    for (int i = 0; i < p.solutionCount; ++i)
        n += p.solutions[i].kind == KIND_C ? 1 : 0;
    return n;
}

bool holds(const MergeProblem& p, const Expected& e, double tol) {
    for (int i = 0; i < p.solutionCount; ++i) {
        const SceneObject& s = p.solutions[i];
        double dp = p.parameter[i] - e.parameter;
        if (p.mode == MERGE_ROTATE)
            dp = std::remainder(dp, 2.0 * M_PI);
        if (s.kind == KIND_C && std::fabs(dp) < tol && std::fabs(s.x[0] - e.x) < tol &&
            std::fabs(s.y[0] - e.y) < tol && std::fabs(s.r - e.r) < tol)
            return true;
    }
    return false;
}

// Every real candidate meets the four constraints to 1e-9 of the scene's extent and
// lies inside the scene's neighbourhood; no candidate is a complex root whose
// imaginary part is zero.
void expectOnlyTrueMerges(const MergeProblem& p) {
    for (int i = 0; i < p.solutionCount; ++i) {
        const SceneObject& s = p.solutions[i];
        if (s.kind == kComplexCandidate) {
            EXPECT_NE(s.y[0], 0.0) << "candidate " << i;
            continue;
        }
        const SceneScale scene = sceneScale(p, p.parameter[i]);
        EXPECT_LE(candidateResidual(p, i), 1e-9 * scene.extent + 1e-13 * scene.magnitude)
            << "candidate " << i;
        EXPECT_LT(std::fabs(s.r), 1e3 * scene.extent) << "candidate " << i;
    }
}

} // namespace

TEST(DegenerateMerge, CircleAtInfinityIsNeverAMerge) {
    // A tangency line y = 0 and one y = 1, both pointing along +x, ask for a radius r
    // equal to y and to y - 1 at once: no circle exists, whatever cluster 2 does.
    Merge rotate({makeLine(KIND_L, 0, 0, 10, 0), makeLine(KIND_L, 0, 1, 10, 1),
                  makeLine(KIND_L, 3, 10, 0, 12), makeLine(KIND_L, 20, 0, 21, 10)});
    rotate.p.solve(MERGE_ROTATE);
    EXPECT_EQ(realCount(rotate.p), 0);

    // Two merges, both with the centre (6.9, -4) and r = -0.1; the elimination's
    // denominator vanishes at a third root, which must not come out as a circle of
    // radius 1e17.
    Merge translate({makeLine(KIND_L, 7, 1, 7, -4), makeCircle(KIND_C, 6, 0, 4),
                     makeLine(KIND_L_PRIME, 2, -4, 3, -4), makeCircle(KIND_C, -7, 0, -5)});
    ASSERT_EQ(translate.p.solve(MERGE_TRANSLATE), 1) << translate.p.message;
    expectOnlyTrueMerges(translate.p);
    EXPECT_EQ(realCount(translate.p), 2);
    for (int i = 0; i < translate.p.solutionCount; ++i) {
        EXPECT_NEAR(translate.p.solutions[i].x[0], 6.9, 1e-9);
        EXPECT_NEAR(translate.p.solutions[i].r, -0.1, 1e-9);
    }
}

TEST(DegenerateMerge, RemainingCaseWithParallelPlanesFindsEveryMerge) {
    // Centre (±5, 0), r = -3 touches C(0, 0, 2) and the line y = 3; the centre circle
    // C'(10 + d, 5, 6) then needs (±5 - 10 - d)^2 = 11: d = -5 ± √11 and -15 ± √11.
    Merge m({makeCircle(KIND_C, 0, 0, 2), makeLine(KIND_L, 0, 3, 1, 3),
             makeCircle(KIND_C_PRIME, 10, 5, 6), makeLine(KIND_L, 1, -3, 0, -3)});
    ASSERT_EQ(m.p.solve(MERGE_TRANSLATE), 1) << m.p.message;
    expectOnlyTrueMerges(m.p);
    EXPECT_EQ(realCount(m.p), 4);
    const double s = std::sqrt(11.0);
    for (const Expected& e : {Expected{-5 + s, 5, 0, -3}, Expected{-5 - s, 5, 0, -3},
                              Expected{-15 + s, -5, 0, -3}, Expected{-15 - s, -5, 0, -3}})
        EXPECT_TRUE(holds(m.p, e, 1e-9)) << "d = " << e.parameter;
    EXPECT_STREQ(m.p.solverName, "T_RemainSolver+exact");

    // All four centres on the x axis: the two radical planes are parallel for every
    // shift. The merges come in mirror pairs (x, ±y) at two shifts.
    Merge axis({makeCircle(KIND_C, 0, 0, 2), makeCircle(KIND_C_PRIME, 5, 0, 4),
                makeCircle(KIND_C, 12, 0, 3), makeCircle(KIND_C_PRIME, 20, 0, 5)});
    ASSERT_EQ(axis.p.solve(MERGE_TRANSLATE), 1) << axis.p.message;
    expectOnlyTrueMerges(axis.p);
    ASSERT_EQ(realCount(axis.p), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(holds(axis.p,
                          {axis.p.parameter[i], axis.p.solutions[i].x[0], -axis.p.solutions[i].y[0],
                           axis.p.solutions[i].r},
                          1e-9))
            << "mirror of candidate " << i;
}

TEST(DegenerateMerge, MovedCircleLandingOnAFixedOneKeepsItsMerges) {
    // At d = -25 the moving circle lands on C(5, 15, -5): the circles (25, 15, 15) and
    // (-15, 15, 15) touch it and both lines y = 0 and y = 30. d = 15 and d = -65 are
    // the ordinary merges.
    Merge t({makeLine(KIND_L, 0, 0, 10, 0), makeCircle(KIND_C, 5, 15, -5),
             makeCircle(KIND_C, 30, 15, -5), makeLine(KIND_L, 10, 30, 0, 30)});
    ASSERT_EQ(t.p.solve(MERGE_TRANSLATE), 1) << t.p.message;
    expectOnlyTrueMerges(t.p);
    for (const Expected& e : {Expected{15, 25, 15, 15}, Expected{-65, -15, 15, 15},
                              Expected{-25, 25, 15, 15}, Expected{-25, -15, 15, 15}})
        EXPECT_TRUE(holds(t.p, e, 1e-9)) << "d = " << e.parameter << ", x = " << e.x;

    // Turned by -90°, C(0, 20, 3) lands on C(20, 0, 3): at that angle both circles
    // touching it, C(-4, 9, 5) and the turned C(-12, -7, 2) are merges.
    Merge r({makeCircle(KIND_C, 20, 0, 3), makeCircle(KIND_C, -4, 9, 5),
             makeCircle(KIND_C, 0, 20, 3), makeCircle(KIND_C, 7, -12, 2)});
    ASSERT_EQ(r.p.solve(MERGE_ROTATE), 1) << r.p.message;
    expectOnlyTrueMerges(r.p);
    int atQuarterTurn = 0;
    for (int i = 0; i < r.p.solutionCount; ++i)
        if (std::fabs(r.p.parameter[i] + M_PI / 2) < 1e-9) {
            const SceneObject& s = r.p.solutions[i];
            // Touching all three fixed circles at that angle, checked directly.
            for (const SceneObject& c : {makeCircle(KIND_C, 20, 0, 3), makeCircle(KIND_C, -4, 9, 5),
                                         makeCircle(KIND_C, -12, -7, 2)})
                EXPECT_NEAR(std::hypot(s.x[0] - c.x[0], s.y[0] - c.y[0]), std::fabs(s.r - c.r),
                            1e-9);
            atQuarterTurn += s.r < 0 ? 100 : 1;
        }
    // One circle of each orientation: (4.234, -2.226, 18.92) and (4.603, -8.712, -14.69).
    EXPECT_GE(atQuarterTurn % 100, 1);
    EXPECT_GE(atQuarterTurn / 100, 1);
    EXPECT_TRUE(
        holds(r.p, {-M_PI / 2, 4.602971879786176, -8.712305084236695, -14.69103543649924}, 1e-6));
}

TEST(DegenerateMerge, MergeAtAPoleIsOneCandidateAtEveryScale) {
    // Lines y = 0 and y = 300 (both tangency lines, the second pointing along -x) fix
    // y = 150 and r = 150; touching C(50, 150, -50) gives x = 250 or x = -150, and
    // touching the moved C(300 + d, 150, -50) gives d = x - 300 ± 200. At d = -250 the
    // moved circle lands on the fixed one and both circles are merges there.
    const Expected truth[4] = {{150, 250, 150, 150},
                               {-250, 250, 150, 150},
                               {-250, -150, 150, 150},
                               {-650, -150, 150, 150}};
    for (double scale : {1.0, 0.1, 1e-3, 40.0}) {
        Merge t({makeLine(KIND_L, 0, 0, 100 * scale, 0),
                 makeCircle(KIND_C, 50 * scale, 150 * scale, -50 * scale),
                 makeCircle(KIND_C, 300 * scale, 150 * scale, -50 * scale),
                 makeLine(KIND_L, 100 * scale, 300 * scale, 0, 300 * scale)});
        ASSERT_EQ(t.p.solve(MERGE_TRANSLATE), 1) << t.p.message;
        expectOnlyTrueMerges(t.p);
        EXPECT_EQ(realCount(t.p), 4) << "scale " << scale;
        // The closed form alone cannot separate the two merges at its pole.
        EXPECT_EQ(std::string(t.p.solverName), "T_2Circle2ClusterSolver+exact");
        for (const Expected& e : truth)
            EXPECT_TRUE(holds(t.p, {e.parameter * scale, e.x * scale, e.y * scale, e.r * scale},
                              1e-9 * scale))
                << "scale " << scale << ", d = " << e.parameter << ", x = " << e.x;
    }
}

TEST(DegenerateMerge, TouchingSolutionsAreRealCandidates) {
    // Built from the merge d = 53.25, circle (-4.5, -6.25, 28), with the data rounded to
    // decimals: the double root splits into a complex pair at rounding level.
    Merge m({makeLine(KIND_L, -27.484660336011686, -25.54474068663258, -19.214390065741416,
                      -49.6663623082542),
             makeCircle(KIND_C, -22.70945945945946, -12.493243243243244, 8.75),
             makeCircle(KIND_C_PRIME, -52.23275862068966, -12.043103448275861, -8.0),
             makeLine(KIND_L_PRIME, -75.6828, -1.0196, -113.3628, 9.9704)});
    ASSERT_EQ(m.p.solve(MERGE_TRANSLATE), 1) << m.p.message;
    expectOnlyTrueMerges(m.p);
    EXPECT_TRUE(holds(m.p, {53.25, -4.5, -6.25, 28}, 1e-6));
    bool second = false;
    for (int i = 0; i < m.p.solutionCount; ++i)
        second = second || std::fabs(m.p.parameter[i] - 28.6658) < 1e-3;
    EXPECT_TRUE(second);
    for (int i = 0; i < m.p.solutionCount; ++i)
        EXPECT_EQ(m.p.solutions[i].kind, KIND_C);
}

TEST(DegenerateMerge, HalfTurnIsFound) {
    // Turned by π, cluster 2 becomes the lines x = 2 and y = 5; the circle (0, 3, 2)
    // touches them and y = 1, x = -2 with matching orientation.
    Merge lines({makeLine(KIND_L, 0, 1, 1, 1), makeLine(KIND_L, -2, 1, -2, 0),
                 makeLine(KIND_L, -2, 0, -2, -1), makeLine(KIND_L, 0, -5, 1, -5)});
    ASSERT_EQ(lines.p.solve(MERGE_ROTATE), 1) << lines.p.message;
    expectOnlyTrueMerges(lines.p);
    EXPECT_TRUE(holds(lines.p, {M_PI, 0, 3, 2}, 1e-12));

    // A figure turned by π about the origin, with circles: the closed rotation form's
    // quartic loses its leading term. The circle (0, 5, 3) touches C(0, 0, -2) and the
    // line y = 8 (pointing -x); cluster 2 holds C(0, -10, -2) and the line y = -2
    // (pointing -x), which the half turn takes to C(0, 10, -2) and y = 2 pointing +x.
    Merge circles({makeCircle(KIND_C, 0, 0, -2), makeLine(KIND_L, 1, 8, 0, 8),
                   makeCircle(KIND_C, 0, -10, -2), makeLine(KIND_L, 0, -2, -1, -2)});
    ASSERT_EQ(circles.p.solve(MERGE_ROTATE), 1) << circles.p.message;
    expectOnlyTrueMerges(circles.p);
    EXPECT_TRUE(holds(circles.p, {M_PI, 0, 5, 3}, 1e-9));
}

TEST(DegenerateMerge, FarFromTheOriginTranslationGivesTheSameMerges) {
    // The worked four-merge example, and the same scene moved by (1e9, -3e8).
    const std::vector<SceneObject> near = {
        makeLine(KIND_L, 0, 0, 10, 0), makeCircle(KIND_C, 5, 15, -5), makeCircle(KIND_C, 30, 10, 5),
        makeLine(KIND_L, 40, 0, 40, 10)};
    const double dx = 1e9, dy = -3e8;
    std::vector<SceneObject> far = near;
    for (SceneObject& o : far)
        for (int k = 0; k < 2; ++k) {
            o.x[k] += dx;
            o.y[k] += dy;
        }
    Merge a(near), b(far);
    ASSERT_EQ(a.p.solve(MERGE_TRANSLATE), 1);
    ASSERT_EQ(b.p.solve(MERGE_TRANSLATE), 1) << b.p.message;
    ASSERT_EQ(a.p.solutionCount, 4);
    ASSERT_EQ(b.p.solutionCount, 4);
    expectOnlyTrueMerges(b.p);
    // Rounding of coordinates near 1e9 is about 1e-7.
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(holds(b.p,
                          {a.p.parameter[i], a.p.solutions[i].x[0] + dx, a.p.solutions[i].y[0] + dy,
                           a.p.solutions[i].r},
                          1e-5))
            << "merge " << i;
}

TEST(DegenerateMerge, CurvesOfCirclesAreNamedUnderdetermined) {
    // Two parallel tangency lines per cluster, y = 0 and y = 4 facing each other: every
    // circle (x, 2, 2) touches them, at every shift and at the angle 0.
    const std::vector<SceneObject> strip = {
        makeLine(KIND_L, 0, 0, 1, 0), makeLine(KIND_L, 1, 4, 0, 4), makeLine(KIND_L, 5, 0, 6, 0),
        makeLine(KIND_L, 6, 4, 5, 4)};
    for (int mode : {MERGE_TRANSLATE, MERGE_ROTATE}) {
        Merge m(strip);
        EXPECT_EQ(m.p.solve(mode), 0) << "mode " << mode;
        EXPECT_TRUE(m.p.underdetermined) << "mode " << mode;
        EXPECT_STREQ(m.p.message, kUnderdeterminedMessage);
        EXPECT_EQ(m.p.solutionCount, 0);
    }
    // Identical clusters with circles.
    const SceneObject c = makeCircle(KIND_C, 1, 2, 3), d = makeCircle(KIND_C, 8, -1, -2);
    for (int mode : {MERGE_TRANSLATE, MERGE_ROTATE}) {
        Merge m({c, d, c, d});
        EXPECT_EQ(m.p.solve(mode), 0) << "mode " << mode;
        EXPECT_TRUE(m.p.underdetermined) << "mode " << mode;
    }
    // An ordinary merge is not.
    Merge ordinary({makeLine(KIND_L, 0, 0, 10, 0), makeLine(KIND_L, 0, 10, 0, 0),
                    makeLine(KIND_L, 10, 10, 0, 10), makeLine(KIND_L, 20, 0, 20, 10)});
    EXPECT_EQ(ordinary.p.solve(MERGE_TRANSLATE), 1);
    EXPECT_FALSE(ordinary.p.underdetermined);
}
