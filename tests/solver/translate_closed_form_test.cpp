// Closed-form translation solvers: worked examples, cluster exchange, degenerate
// quadratics and quartics, and every candidate checked against the constraints.
#include "solver/merge_problem.h"
#include "solver/constraint_residual.h"

#include "tests/support/make_objects.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct Merge {
    std::vector<SceneObject> obj;
    MergeProblem problem;
    explicit Merge(std::vector<SceneObject> objects) : obj(std::move(objects)) {
        for (int i = 0; i < 4; ++i)
            problem.addObject(i < 2 ? 1 : 2, &obj[i]);
    }
};

struct Expected {
    double d, x, y, r;
};

void expectCandidates(const MergeProblem& p, const std::vector<Expected>& want, double tol) {
    ASSERT_EQ(p.solutionCount, static_cast<int>(want.size()));
    for (int i = 0; i < p.solutionCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(p.parameter[i], want[i].d, tol);
        EXPECT_NEAR(p.solutions[i].x[0], want[i].x, tol);
        EXPECT_NEAR(p.solutions[i].y[0], want[i].y, tol);
        EXPECT_NEAR(p.solutions[i].r, want[i].r, tol);
    }
}

} // namespace

TEST(QuadraticTranslation, ThreeLinesOneCircleWorkedExampleBothWays) {
    Merge m({makeLine(KIND_L, 0, 0, 10, 0), makeCircle(KIND_C, 0, 5, -10),
             makeLine(KIND_L, 0, 10, 0, 0), makeLine(KIND_L, 10, 10, 0, 10)});
    ASSERT_EQ(m.problem.solve(MERGE_TRANSLATE), 1);
    EXPECT_STREQ(m.problem.solverName, "T_3Line1CircleSolver");
    expectCandidates(m.problem, {{10, 15, 5, 5}, {-20, -15, 5, 5}}, 1e-9);

    Merge swapped({makeLine(KIND_L, 0, 10, 0, 0), makeLine(KIND_L, 10, 10, 0, 10),
                   makeLine(KIND_L, 0, 0, 10, 0), makeCircle(KIND_C, 0, 5, -10)});
    ASSERT_EQ(swapped.problem.solve(MERGE_TRANSLATE), 1);
    expectCandidates(swapped.problem, {{-10, 5, 5, 5}, {20, 5, 5, 5}}, 1e-9);
    for (int i = 0; i < 2; ++i)
        EXPECT_LT(candidateResidual(swapped.problem, i), 1e-9);
}

TEST(QuadraticTranslation, CentreCircleHoldsTheCentre) {
    Merge m({makeLine(KIND_L, 0, 0, 10, 0), makeCircle(KIND_C_PRIME, 3, 4, 6),
             makeLine(KIND_L, 0, 10, 0, 0), makeLine(KIND_L, 10, 10, 0, 10)});
    ASSERT_EQ(m.problem.solve(MERGE_TRANSLATE), 1);
    ASSERT_GT(m.problem.solutionCount, 0);
    for (int i = 0; i < m.problem.solutionCount; ++i)
        EXPECT_LT(candidateResidual(m.problem, i), 1e-9);
}

TEST(QuadraticTranslation, NoRealShiftSaysNoResult) {
    // A circle far above two horizontal tangency lines that fix the radius at 5.
    Merge m({makeLine(KIND_L, 0, 0, 10, 0), makeCircle(KIND_C, 0, 100, 1),
             makeLine(KIND_L, 10, 10, 0, 10), makeLine(KIND_L, 0, 0, 0, 10)});
    EXPECT_EQ(m.problem.solve(MERGE_TRANSLATE), 0);
    EXPECT_STREQ(m.problem.message, "No result.");
    EXPECT_EQ(m.problem.solutionCount, 0);
}

TEST(QuadraticTranslation, MovingLinesParallelToTheShiftGiveNoResult) {
    // Horizontal moving lines do not change with the shift: the quadric is a
    // nonzero constant, with no shift to solve for.
    Merge m({makeLine(KIND_L, 0, 0, 0, 10), makeCircle(KIND_C_PRIME, 0, 0, 5),
             makeLine(KIND_L, 0, 0, 10, 0), makeLine(KIND_L, 10, 4, 0, 4)});
    EXPECT_EQ(m.problem.solve(MERGE_TRANSLATE), 0);
    EXPECT_STREQ(m.problem.message, "No result.");
    EXPECT_EQ(m.problem.solutionCount, 0);
}

TEST(QuadraticTranslation, TwoCirclesInOneClusterTouchBoth) {
    Merge m({makeCircle(KIND_C, 0, 0, 3), makeCircle(KIND_C, 12, 0, -2),
             makeLine(KIND_L, 0, 20, 10, 20), makeLine(KIND_L, 30, 0, 30, 10)});
    ASSERT_EQ(m.problem.solve(MERGE_TRANSLATE), 1);
    EXPECT_STREQ(m.problem.solverName, "T_2Circle1ClusterSolver");
    for (int i = 0; i < m.problem.solutionCount; ++i)
        EXPECT_LT(candidateResidual(m.problem, i), 1e-9);
}

TEST(QuarticTranslation, TwoCirclesTwoClustersWorkedExample) {
    Merge m({makeLine(KIND_L, 0, 0, 10, 0), makeCircle(KIND_C, 5, 15, -5),
             makeCircle(KIND_C, 30, 10, 5), makeLine(KIND_L, 40, 0, 40, 10)});
    ASSERT_EQ(m.problem.solve(MERGE_TRANSLATE), 1);
    EXPECT_STREQ(m.problem.solverName, "T_2Circle2ClusterSolver");
    expectCandidates(m.problem,
                     {{13.202327, 31.131259, 22.071068, 22.071068},
                      {-39.060191, -21.131259, 22.071068, 22.071068},
                      {-16.247146, 15.823922, 7.928932, 7.928932},
                      {-37.894990, -5.823922, 7.928932, 7.928932}},
                     1e-6);
    for (int i = 0; i < 4; ++i)
        EXPECT_LT(candidateResidual(m.problem, i), 1e-9);
}

TEST(QuarticTranslation, TwoRealRootsStillGiveTwoMerges) {
    // Found by search: a quartic with exactly two real roots, which Ferrari's
    // method alone rejects.
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(-50, 50);
    int twoRootCases = 0;
    for (int round = 0; round < 2000 && twoRootCases < 20; ++round) {
        Merge m({makeCircle(KIND_C, u(rng), u(rng), u(rng) / 5),
                 makeCircle(KIND_C, u(rng), u(rng), u(rng) / 5),
                 makeCircle(KIND_C, u(rng), u(rng), u(rng) / 5),
                 makeCircle(KIND_C, u(rng), u(rng), u(rng) / 5)});
        if (!m.problem.solve(MERGE_TRANSLATE))
            continue;
        if (m.problem.solutionCount == 2)
            ++twoRootCases;
        for (int i = 0; i < m.problem.solutionCount; ++i) {
            const double scale =
                1 + std::fabs(m.problem.parameter[i]) + std::fabs(m.problem.solutions[i].r);
            ASSERT_LT(candidateResidual(m.problem, i), 1e-7 * scale) << "round " << round;
        }
    }
    EXPECT_GT(twoRootCases, 0);
}

TEST(QuarticTranslation, RandomMixedCasesMeetAllConstraints) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(-50, 50);
    auto circle = [&] { return makeCircle(KIND_C, u(rng), u(rng), u(rng) / 5); };
    auto line = [&] { return makeLine(KIND_L, u(rng), u(rng), u(rng), u(rng)); };
    int solved = 0;
    for (int round = 0; round < 1500; ++round) {
        std::vector<SceneObject> objs;
        switch (round % 3) {
        case 0:
            objs = {line(), circle(), circle(), line()};
            break; // 2 circles, 2 clusters
        case 1:
            objs = {circle(), circle(), line(), circle()};
            break; // 3 circles, 1 line
        default:
            objs = {line(), circle(), circle(), circle()};
            break; // reference is cluster 2
        }
        Merge m(objs);
        if (!m.problem.solve(MERGE_TRANSLATE))
            continue;
        ++solved;
        for (int i = 0; i < m.problem.solutionCount; ++i) {
            const double scale =
                1 + std::fabs(m.problem.parameter[i]) + std::fabs(m.problem.solutions[i].r);
            ASSERT_LT(candidateResidual(m.problem, i), 1e-7 * scale)
                << "round " << round << " " << m.problem.solverName;
        }
    }
    EXPECT_GT(solved, 500);
}

TEST(QuarticTranslation, IdenticalClustersAreUnderdetermined) {
    // Identical clusters leave no quartic in the shift: at every shift the circles
    // touching the line and both circles form a family.
    Merge m({makeLine(KIND_L, 0, 0, 10, 0), makeCircle(KIND_C, 0, 5, 5),
             makeCircle(KIND_C, 0, 5, 5), makeLine(KIND_L, 0, 0, 10, 0)});
    EXPECT_EQ(m.problem.solve(MERGE_TRANSLATE), 0);
    EXPECT_STREQ(m.problem.message, kUnderdeterminedMessage);
    EXPECT_TRUE(m.problem.underdetermined);
    EXPECT_EQ(m.problem.solutionCount, 0);
}
