// The rotated elimination against a direct solve of the turned rows, and the
// centre-constraint solvers' point order, failures, axis cases and appending.
#include "solver/constraint_residual.h"
#include "solver/merge_problem.h"
#include "solver/rotation_rows.h"

#include "numeric/determinant.h"
#include "tests/support/known_answer.h"
#include "tests/support/make_objects.h"

#include <gtest/gtest.h>

namespace {

// (1+t²)·(D, Nx, Ny, Nz) of rows 2..4 with rows 3 and 4 turned by 2·atan(t) and then
// offset, computed directly with numbers.
std::array<double, 4> directElimination(const RotatedRow m[4], const double ux[2],
                                        const double uy[2], double t) {
    const double c = (1 - t * t) / (1 + t * t), s = 2 * t / (1 + t * t);
    RotatedRow rows[3] = {m[1], m[2], m[3]};
    for (int k = 1; k < 3; ++k) {
        const RotatedRow& o = m[k + 1];
        rows[k].a = c * o.a - s * o.b + ux[k - 1];
        rows[k].b = s * o.a + c * o.b + uy[k - 1];
    }
    std::array<double, 4> out{};
    for (int col = -1; col < 3; ++col) {
        double a[9];
        for (int k = 0; k < 3; ++k) {
            const double v[3] = {rows[k].a, rows[k].b, rows[k].c};
            for (int j = 0; j < 3; ++j)
                a[3 * k + j] = j == col ? rows[k].f : v[j];
        }
        out[col + 1] = (1 + t * t) * determinant(3, a);
    }
    return out;
}

} // namespace

TEST(RotatedElimination, MatchesTheTurnedRowsSolvedDirectly) {
    std::mt19937 rng(4);
    std::uniform_real_distribution<double> u(-5, 5);
    for (int round = 0; round < 50; ++round) {
        RotatedRow m[4];
        for (RotatedRow& r : m)
            r = {u(rng), u(rng), u(rng), u(rng)};
        const bool offsets = round % 2 == 1;
        const double ux[2] = {offsets ? u(rng) : 0, offsets ? u(rng) : 0};
        const double uy[2] = {offsets ? u(rng) : 0, offsets ? u(rng) : 0};
        const RotatedElimination el = eliminateRotatedRows(ux[0], ux[1], uy[0], uy[1], m);
        for (double t : {-3.0, -0.4, 0.0, 0.7, 2.5}) {
            const auto want = directElimination(m, ux, uy, t);
            const Poly4* got[4] = {&el.P0, &el.P1, &el.P2, &el.P3};
            for (int i = 0; i < 4; ++i)
                EXPECT_NEAR(evaluate(*got[i], t), want[i], 1e-9 * (1 + std::fabs(want[i])))
                    << "round " << round << " t " << t << " P" << i;
        }
    }
}

TEST(CentreSolvers, CrossingCentreCirclesSolveEachPointInOrder) {
    // The centre circles meet at (0, 3) and (0, -3) (in this order from the loci).
    SceneObject objs[4] = {makeCircle(KIND_C_PRIME, -4, 0, 5), makeCircle(KIND_C_PRIME, 4, 0, 5),
                           makeLine(KIND_L, 10, -20, 11, 20),
                           makeLine(KIND_L, 30, 5, 31, -30)};
    double px[2], py[2];
    ASSERT_EQ(intersectCentreLoci(&objs[0], &objs[1], px, py), 2);
    {
        MergeProblem p;
        for (int i = 0; i < 4; ++i)
            p.addObject(i < 2 ? 1 : 2, &objs[i]);
        ASSERT_EQ(p.solve(MERGE_TRANSLATE), 1) << p.message;
        int lastPoint = 0;
        for (int n = 0; n < p.solutionCount; ++n) {
            EXPECT_EQ(p.solutions[n].kind, KIND_C);
            EXPECT_LT(candidateResidual(p, n), 1e-9);
            const int point = std::fabs(p.solutions[n].x[0] - px[0]) < 1e-9 &&
                                      std::fabs(p.solutions[n].y[0] - py[0]) < 1e-9
                                  ? 0
                                  : 1;
            EXPECT_GE(point, lastPoint) << "solutions of the first point come first";
            lastPoint = point;
        }
        EXPECT_EQ(lastPoint, 1) << "both points yield merges";
    }
}

TEST(CentreSolvers, LociThatDoNotMeetSayWhy) {
    SceneObject objs[4] = {makeCircle(KIND_C_PRIME, 0, 0, 1), makeCircle(KIND_C_PRIME, 10, 0, 1),
                           makeLine(KIND_L, 0, 0, 1, 0), makeLine(KIND_L, 0, 5, 1, 6)};
    for (int mode : {MERGE_TRANSLATE, MERGE_ROTATE}) {
        MergeProblem p;
        for (int i = 0; i < 4; ++i)
            p.addObject(i < 2 ? 1 : 2, &objs[i]);
        EXPECT_EQ(p.solve(mode), 0);
        EXPECT_STREQ(p.message, "No result.[T_2Center1ClusterSolver]");
        EXPECT_EQ(p.solutionCount, 0);
    }
}

TEST(CentreSolvers, CentreOnAnAxisStillSolves) {
    // The helper lines through a centre on an axis would otherwise have equal points.
    for (int axis = 0; axis < 2; ++axis)
        for (int mode : {MERGE_TRANSLATE, MERGE_ROTATE})
            for (int seed = 0; seed < 20; ++seed) {
                std::mt19937 rng(seed);
                KnownMerge m = makeKnownMerge(kindsFromLetters("ccLL"), mode, rng);
                // Rebuild with the centre on the axis.
                (axis == 0 ? m.answer.y : m.answer.x) = 0.0;
                for (int i = 0; i < 4; ++i) {
                    SceneObject o =
                        objectMeeting(m.obj[i].kind, m.answer.x, m.answer.y, m.answer.r, rng);
                    m.obj[i] = i < 2 ? o : movedBack(o, mode, m.answer.parameter);
                }
                MergeProblem p;
                m.load(p);
                p.solve(mode);
                EXPECT_GE(m.match(p, 1e-6), 0) << "axis " << axis << " mode " << mode;
            }
}

TEST(CentreSolvers, CandidatesAreAppendedToEarlierOnes) {
    std::mt19937 rng(9);
    for (const char* combo : {"ccLL", "LcLc"}) {
        KnownMerge m = makeKnownMerge(kindsFromLetters(combo), MERGE_TRANSLATE, rng);
        MergeProblem p;
        m.load(p);
        ASSERT_TRUE(p.appendCandidate(KIND_C, 1, 2, 3, 4));
        ASSERT_EQ(p.solve(MERGE_TRANSLATE), 1);
        EXPECT_GT(p.solutionCount, 1);
        EXPECT_EQ(p.parameter[0], 4);
        EXPECT_EQ(p.solutions[0].r, 3);
        EXPECT_GE(m.match(p, 1e-6), 1);
    }
}
