// The exact system of the four constraints against the dispatched solvers: the same
// real candidates on random problems, every known answer of every kind combination
// found in both modes, and degenerate input answered quickly.
#include "solver/constraint_residual.h"
#include "solver/general_solve.h"

#include "tests/support/fixed_motion_answer.h"
#include "tests/support/make_objects.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

using namespace fixed_motion;

namespace {

bool sameCandidate(const ExactCandidate& e, const MergeProblem& p, int i) {
    auto close = [](double a, double b) { return std::fabs(a - b) <= 1e-6 * (1 + std::fabs(a)); };
    const SceneObject& s = p.solutions[i];
    return close(e.parameter, p.parameter[i]) && close(e.x, s.x[0]) && close(e.y, s.y[0]) &&
           close(e.r, s.r);
}

SceneObject randomObject(int kind, std::mt19937& rng) {
    std::uniform_real_distribution<double> u(-50, 50);
    return isLineKind(kind) ? makeLine(kind, u(rng), u(rng), u(rng), u(rng))
                            : makeCircle(kind, u(rng), u(rng), u(rng) / 3);
}

// All four constraints fix only the centre: the radius is free, a curve of circles.
bool radiusIsFree(const int kinds[4]) {
    for (int i = 0; i < 4; ++i)
        if (kinds[i] == KIND_C || kinds[i] == KIND_L)
            return false;
    return true;
}

} // namespace

TEST(ExactMerge, SameRealCandidatesAsTheDispatchedSolvers) {
    std::mt19937 rng(3);
    int compared = 0;
    for (int mode : {MERGE_TRANSLATE, MERGE_ROTATE})
        for (int round = 0; round < 300; ++round) {
            std::vector<SceneObject> o;
            for (int i = 0; i < 4; ++i)
                o.push_back(randomObject(std::uniform_int_distribution<int>(0, 3)(rng), rng));
            MergeProblem p;
            for (int i = 0; i < 4; ++i)
                p.addObject(i < 2 ? 1 : 2, &o[i]);
            if (!p.solve(mode) || std::string(p.solverName).find("Remain") != std::string::npos)
                continue;
            EngineSession engine;
            const auto exact = exactCandidates(engine, p.slots, mode);
            ASSERT_TRUE(exact.has_value());
            SCOPED_TRACE(std::string(p.solverName) + " round " + std::to_string(round));
            for (int i = 0; i < p.solutionCount; ++i) {
                // Complex roots of a centre solver's sub-problems have no real counterpart.
                if (p.solutions[i].kind != KIND_C)
                    continue;
                bool found = false;
                for (const ExactCandidate& c : exact->real)
                    found = found || sameCandidate(c, p, i);
                EXPECT_TRUE(found) << "closed-form candidate " << i << " at " << p.parameter[i];
            }
            for (const ExactCandidate& c : exact->real) {
                bool found = false;
                for (int i = 0; i < p.solutionCount; ++i)
                    found = found || sameCandidate(c, p, i);
                EXPECT_TRUE(found) << "exact candidate at " << c.parameter;
            }
            ++compared;
        }
    EXPECT_GT(compared, 150);
}

TEST(ExactMerge, EveryKindCombinationFindsItsKnownAnswer) {
    std::mt19937 rng(21);
    for (int mode : {MERGE_TRANSLATE, MERGE_ROTATE})
        for (int a = 0; a < 4; ++a)
            for (int b = a; b < 4; ++b)
                for (int c = 0; c < 4; ++c)
                    for (int d = c; d < 4; ++d) {
                        const int kinds[4] = {a, b, c, d};
                        const int centres = (a == 2) + (b == 2) + (c == 2) + (d == 2);
                        if (centres > 2 || radiusIsFree(kinds))
                            continue;
                        for (int round = 0; round < 3; ++round) {
                            KnownAnswer k = makeKnownAnswer(kinds, mode, rng);
                            MergeProblem p;
                            k.addTo(p);
                            ASSERT_EQ(p.solve(mode), 1) << p.solverName << ": " << p.message;
                            SCOPED_TRACE(std::string(p.solverName) + " mode " +
                                         std::to_string(mode));
                            EXPECT_TRUE(k.foundIn(p)) << kindLetter(a) << kindLetter(b) << "/"
                                                      << kindLetter(c) << kindLetter(d);
                            for (int i = 0; i < p.solutionCount; ++i) {
                                if (p.solutions[i].kind != KIND_C)
                                    continue;
                                const double scale = 1 + std::fabs(p.solutions[i].r);
                                EXPECT_LT(candidateResidual(p, i), 1e-8 * scale);
                            }
                        }
                    }
}

TEST(ExactMerge, FreeRadiusIsACurveNotACandidate) {
    // Four centre constraints fix the centre but never the radius: each of the four
    // centres and shifts ((-3, 4) at -16 and -10, (3, 4) at -10 and -4) carries a
    // whole line of circles.
    std::vector<SceneObject> o = {
        makeCircle(KIND_C_PRIME, 0, 0, 5), makeLine(KIND_L_PRIME, 0, 4, 1, 4),
        makeCircle(KIND_C_PRIME, 10, 0, 5), makeLine(KIND_L_PRIME, 0, 4, 1, 4)};
    MergeProblem p;
    for (int i = 0; i < 4; ++i)
        p.addObject(i < 2 ? 1 : 2, &o[i]);
    EngineSession engine;
    const auto exact = exactCandidates(engine, p.slots, MERGE_TRANSLATE);
    ASSERT_TRUE(exact.has_value());
    EXPECT_TRUE(exact->real.empty());
    EXPECT_EQ(exact->curves, 4);
    EXPECT_EQ(p.solve(MERGE_TRANSLATE), 0);
    EXPECT_TRUE(p.underdetermined);
    EXPECT_STREQ(p.message, kUnderdeterminedMessage);
}

// The engine bounds its own work (about two seconds a session); this guards against a
// hang, not a speed goal, so the limit leaves room for a loaded machine.
TEST(ExactMerge, DegenerateInputIsAnsweredWithinTheEngineBounds) {
    using Clock = std::chrono::steady_clock;
    const SceneObject c = makeCircle(KIND_C, 1, 2, 3);
    // A duplicated tangency circle leaves a curve of solutions; the same with the
    // duplicate off by a rounding error; circles that no circle can touch so.
    const std::vector<std::vector<SceneObject>> cases = {
        {c, c, makeCircle(KIND_C_PRIME, 4, 0, 2), makeLine(KIND_L, 0, 0, 1, 0)},
        {c, makeCircle(KIND_C, 1, 2, 3 + 1e-14), makeCircle(KIND_C_PRIME, 4, 0, 2),
         makeLine(KIND_L, 0, 0, 1, 0)},
        {c, c, makeCircle(KIND_C, 1, 2, 3), makeCircle(KIND_C, 1, 2, 3)},
        {makeCircle(KIND_C, 0, 0, 1), makeCircle(KIND_C, 0, 0, -1), makeCircle(KIND_C, 9, 0, 1),
         makeCircle(KIND_C_PRIME, 9, 0, 1)},
        // Data spread over six hundred orders of magnitude: the exact coefficients
        // grow past what root isolation can do quickly.
        {makeCircle(KIND_C, -5.6869944904421075e+146, -23971.764829660169, -7.8132787207671627e+47),
         makeCircle(KIND_C_PRIME, -2.5983159674134028e-174, -7.3546545055465789e-262,
                    3.3846578696577055e-24),
         makeCircle(KIND_C, -2.870726361560931e-145, 5.0551111674654272e-204,
                    -8.5148313146563356e-175),
         makeCircle(KIND_C_PRIME, 4.9340613454852413e+202, 8.6202585706181561e+83,
                    6.0950913098422237e-215)},
    };
    for (int mode : {MERGE_TRANSLATE, MERGE_ROTATE})
        for (size_t n = 0; n < cases.size(); ++n) {
            SCOPED_TRACE("case " + std::to_string(n) + " mode " + std::to_string(mode));
            std::vector<SceneObject> o = cases[n];
            MergeProblem p;
            for (int i = 0; i < 4; ++i)
                p.addObject(i < 2 ? 1 : 2, &o[i]);
            const auto start = Clock::now();
            const int result = p.solve(mode);
            EXPECT_LT(Clock::now() - start, std::chrono::seconds(20));
            if (result == 0) {
                EXPECT_STRNE(p.message, "");
            }
            for (int i = 0; i < p.solutionCount; ++i) {
                if (p.solutions[i].kind == KIND_C) {
                    EXPECT_LT(candidateResidual(p, i), 1e-6);
                }
            }
        }
}
