// The remaining-case rotation solver: known turns, the half turn it cannot see,
// appending, the failure texts and the result-reading trace.
#include "solver/constraint_residual.h"
#include "solver/engine_trace.h"
#include "solver/merge_problem.h"

#include "tests/support/engine_doubles.h"
#include "tests/support/fixed_motion_answer.h"
#include "tests/support/make_objects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace fixed_motion;

namespace {

const int kCentreAndTangency[4] = {KIND_C, KIND_C_PRIME, KIND_C, KIND_L};

// Every real candidate meets the four constraints once cluster 2 is turned.
void expectCandidatesMeetConstraints(const MergeProblem& p) {
    for (int i = 0; i < p.solutionCount; ++i) {
        if (p.solutions[i].kind == kComplexCandidate) {
            EXPECT_EQ(p.parameter[i], 0.0);
            continue;
        }
        EXPECT_LT(candidateResidual(p, i), 1e-9) << "candidate " << i;
    }
}

} // namespace

TEST(RotateRemain, FindsTheKnownTurn) {
    std::mt19937 rng(5);
    for (int round = 0; round < 10; ++round) {
        KnownAnswer k = makeKnownAnswer(kCentreAndTangency, MERGE_ROTATE, rng);
        MergeProblem p;
        k.addTo(p);
        ASSERT_EQ(p.solve(MERGE_ROTATE), 1) << p.message;
        EXPECT_STREQ(p.solverName, "R_RemainSolver");
        EXPECT_TRUE(k.foundIn(p)) << "round " << round;
        expectCandidatesMeetConstraints(p);
    }
}

TEST(RotateRemain, HalfTurnIsFoundThoughNoHalfAngleTangentReachesIt) {
    // The circle (3, 4, 2) meets these after a half turn of cluster 2, with every
    // datum exact. t = tan(θ/2) is infinite there, so the engine's system in t cannot
    // hold it; the half turn is solved on its own.
    KnownAnswer k;
    k.mode = MERGE_ROTATE;
    k.parameter = M_PI;
    k.x = 3;
    k.y = 4;
    k.r = 2;
    k.obj[0] = makeCircle(KIND_C, 3, 10, 8);
    k.obj[1] = makeCircle(KIND_C_PRIME, 0, 0, 5);
    k.obj[2] = makeCircle(KIND_C, -3, 2, 8);    // (3, -2, 8) after the turn
    k.obj[3] = makeLine(KIND_L, 0, -2, -1, -2); // y = 2, pointing along +x, after it
    MergeProblem p;
    k.addTo(p);
    ASSERT_EQ(p.solve(MERGE_ROTATE), 1) << p.message;
    EXPECT_TRUE(k.foundIn(p, 1e-9));
    EXPECT_STREQ(p.solverName, "R_RemainSolver+exact");
    expectCandidatesMeetConstraints(p);
}

TEST(RotateRemain, CandidatesAreAppended) {
    std::mt19937 rng(9);
    KnownAnswer k = makeKnownAnswer(kCentreAndTangency, MERGE_ROTATE, rng);
    MergeProblem p;
    k.addTo(p);
    ASSERT_TRUE(p.appendCandidate(KIND_C, 1, 2, 3, 0.5));
    ASSERT_EQ(p.solve(MERGE_ROTATE), 1);
    EXPECT_GT(p.solutionCount, 1);
    EXPECT_EQ(p.parameter[0], 0.5);
    EXPECT_TRUE(k.foundIn(p));
}

TEST(RotateRemain, NoRootAtAll) {
    // Turned tangency lines y = z and x = 10 - z keep the centre at distance
    // sqrt(z^2 + (z - 10)^2) > 6 from the origin for any z: no real or complex turn.
    SceneObject o[4] = {makeCircle(KIND_C, 0, 0, 2), makeCircle(KIND_C_PRIME, 0, 0, 6),
                        makeLine(KIND_L, 0, 0, 1, 0), makeLine(KIND_L, 10, 0, 10, 1)};
    MergeProblem p;
    for (int i = 0; i < 4; ++i)
        p.addObject(i < 2 ? 1 : 2, &o[i]);
    EXPECT_EQ(p.solve(MERGE_ROTATE), 0);
    EXPECT_STREQ(p.message, "No result!(R_Remain, numResult == 0)");
    EXPECT_EQ(p.solutionCount, 0);
}

TEST(RotateRemain, EngineFailures) {
    std::mt19937 rng(10);
    KnownAnswer k = makeKnownAnswer(kCentreAndTangency, MERGE_ROTATE, rng);
    {
        ScopedTestEngine engine(TestEngine::Behaviour::FailToStart);
        MergeProblem p;
        k.addTo(p);
        EXPECT_EQ(p.solve(MERGE_ROTATE), 0);
        EXPECT_STREQ(p.message, "Maple Error!");
    }
    ScopedTestEngine engine(TestEngine::Behaviour::NoResult);
    MergeProblem p;
    k.addTo(p);
    EXPECT_EQ(p.solve(MERGE_ROTATE), 0);
    EXPECT_STREQ(p.message, "No result!(mapleresult = NULL)");
    EXPECT_EQ(engine.counts.starts, engine.counts.stops);
}

TEST(RotateRemain, ResultReadingIsTraced) {
    std::mt19937 rng(12);
    KnownAnswer k = makeKnownAnswer(kCentreAndTangency, MERGE_ROTATE, rng);
    MergeProblem p;
    k.addTo(p);
    std::vector<std::string> lines;
    const EngineTraceSink previous =
        setEngineTraceSink([&](const std::string& s) { lines.push_back(s); });
    p.solve(MERGE_ROTATE);
    setEngineTraceSink(previous);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.size() % 4, 0u);
    EXPECT_EQ(lines[0], "subs(result[1], x);");
    EXPECT_EQ(lines[1], "subs(result[1], y);");
    EXPECT_EQ(lines[2], "subs(result[1], z);");
    EXPECT_EQ(lines[3], "subs(result[1], t);");
    EXPECT_EQ(lines[4 * (lines.size() / 4 - 1)],
              "subs(result[" + std::to_string(lines.size() / 4) + "], x);");
}

TEST(RemainSolvers, CentreSubProblemSolvesInBothModes) {
    // The problem a centre-constraint solver hands on: a tangency and a centre circle
    // against the vertical and the horizontal centre line through a point.
    std::mt19937 rng(14);
    for (int mode : {MERGE_TRANSLATE, MERGE_ROTATE}) {
        SCOPED_TRACE(mode);
        for (int round = 0; round < 5; ++round) {
            const int kinds[4] = {KIND_C, KIND_C_PRIME, KIND_L_PRIME, KIND_L_PRIME};
            KnownAnswer k = makeKnownAnswer(kinds, mode, rng);
            const SceneObject centre = unmoved(makeCircle(KIND_C, k.x, k.y, 1), mode, k.parameter);
            const double px = centre.x[0], py = centre.y[0];
            k.obj[2] = makeLine(KIND_L_PRIME, px, py, px, 0);
            k.obj[3] = makeLine(KIND_L_PRIME, px, py, 0, py);
            MergeProblem p;
            k.addTo(p);
            ASSERT_EQ(p.solve(mode), 1) << p.message;
            EXPECT_STREQ(p.solverName,
                         mode == MERGE_TRANSLATE ? "T_RemainSolver" : "R_RemainSolver");
            EXPECT_TRUE(k.foundIn(p)) << "round " << round;
            expectCandidatesMeetConstraints(p);
        }
    }
}
