// Four line constraints merged by translation.
#include "solver/constraint_residual.h"
#include "solver/merge_problem.h"

#include "tests/support/make_objects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

struct FourLines {
    SceneObject obj[4];
    MergeProblem problem;
    void fill() {
        for (int i = 0; i < 4; ++i)
            problem.addObject(i < 2 ? 1 : 2, &obj[i]);
    }
};

} // namespace

TEST(FourLineTranslation, WorkedExampleSquare) {
    FourLines f;
    f.obj[0] = makeLine(KIND_L, 0, 0, 10, 0);
    f.obj[1] = makeLine(KIND_L, 0, 10, 0, 0);
    f.obj[2] = makeLine(KIND_L, 10, 10, 0, 10);
    f.obj[3] = makeLine(KIND_L, 20, 0, 20, 10);
    f.fill();
    f.problem.appendCandidate(KIND_C, 1, 2, 3, 4); // a previous candidate is replaced
    ASSERT_EQ(f.problem.solve(MERGE_TRANSLATE), 1);
    ASSERT_EQ(f.problem.solutionCount, 1);
    EXPECT_NEAR(f.problem.parameter[0], -10, 1e-12);
    EXPECT_NEAR(f.problem.solutions[0].x[0], 5, 1e-12);
    EXPECT_NEAR(f.problem.solutions[0].y[0], 5, 1e-12);
    EXPECT_NEAR(f.problem.solutions[0].r, 5, 1e-12);
    EXPECT_EQ(f.problem.solutions[0].kind, KIND_C);
}

TEST(FourLineTranslation, RandomLinesTouchAfterTheMove) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-100, 100);
    std::uniform_int_distribution<int> kind(0, 1);
    int solved = 0;
    for (int round = 0; round < 500; ++round) {
        FourLines f;
        for (int i = 0; i < 4; ++i)
            f.obj[i] = makeLine(kind(rng) ? KIND_L : KIND_L_PRIME, u(rng), u(rng), u(rng), u(rng));
        f.fill();
        if (!f.problem.solve(MERGE_TRANSLATE))
            continue;
        ++solved;
        ASSERT_EQ(f.problem.solutionCount, 1);
        const double scale =
            1 + std::fabs(f.problem.parameter[0]) + std::fabs(f.problem.solutions[0].r);
        EXPECT_LT(candidateResidual(f.problem, 0), 1e-9 * scale) << "round " << round;
    }
    EXPECT_GT(solved, 300);
}

TEST(FourLineTranslation, ThreeCentreLinesLeaveItToTheExactSystem) {
    FourLines f;
    f.obj[0] = makeLine(KIND_L_PRIME, 0, 0, 10, 0);
    f.obj[1] = makeLine(KIND_L_PRIME, 0, 10, 0, 0);
    f.obj[2] = makeLine(KIND_L_PRIME, 10, 10, 0, 20);
    f.obj[3] = makeLine(KIND_L, 30, 0, 30, 10);
    f.fill();
    // Three vertical planes: the closed form cannot place the circle and says nothing.
    EXPECT_EQ(f.problem.T_4LineSolver(), 0);
    EXPECT_STREQ(f.problem.message, "");
    EXPECT_EQ(f.problem.solutionCount, 0);
    // The exact system of the four constraints can: the centre lines meet at (0, 0),
    // which the third lies on after a shift of -20; the tangency line is then x = 10.
    ASSERT_EQ(f.problem.solve(MERGE_TRANSLATE), 1);
    ASSERT_EQ(f.problem.solutionCount, 1);
    EXPECT_NEAR(f.problem.parameter[0], -20, 1e-12);
    EXPECT_NEAR(f.problem.solutions[0].r, 10, 1e-12);
    EXPECT_LT(candidateResidual(f.problem, 0), 1e-12);
}

TEST(FourLineTranslation, HorizontalClusterTwoCannotSlide) {
    FourLines f;
    f.obj[0] = makeLine(KIND_L, 0, 0, 10, 0);
    f.obj[1] = makeLine(KIND_L, 0, 10, 0, 0);
    f.obj[2] = makeLine(KIND_L, 10, 10, 0, 10);
    f.obj[3] = makeLine(KIND_L, 0, 20, 10, 20);
    f.fill();
    EXPECT_EQ(f.problem.solve(MERGE_TRANSLATE), 0);
    EXPECT_STREQ(f.problem.message, "No result: the shift cannot be determined.");
    EXPECT_EQ(f.problem.solutionCount, 0);
}

TEST(FourLineTranslation, LineWithEqualEndPointsIsRefused) {
    FourLines f;
    f.obj[0] = makeLine(KIND_L, 0, 0, 10, 0);
    f.obj[1] = makeLine(KIND_L, 3, 3, 3, 3);
    f.obj[2] = makeLine(KIND_L, 10, 10, 0, 10);
    f.obj[3] = makeLine(KIND_L, 20, 0, 20, 10);
    f.fill();
    EXPECT_EQ(f.problem.solve(MERGE_TRANSLATE), 0);
    EXPECT_STREQ(f.problem.message, "A line has two equal end points.");
}
