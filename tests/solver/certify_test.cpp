// Certified candidates: the Krawczyk proof must hold for true candidates, contain the
// solution the exact engine finds, and refuse points that are not solutions.
#include "solver/certify.h"
#include "solver/general_solve.h"
#include "solver/merge_problem.h"

#include "tests/support/known_answer.h"
#include "tests/support/make_objects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct Merge {
    std::vector<SceneObject> obj;
    MergeProblem problem;
    Merge(std::vector<SceneObject> objects, int mode) : obj(std::move(objects)) {
        for (int i = 0; i < 4; ++i)
            problem.addObject(i < 2 ? 1 : 2, &obj[i]);
        problem.solve(mode);
    }
    Certificate certify(int n, double dx = 0, double dParameter = 0) const {
        const SceneObject& s = problem.solutions[n];
        return certifyCandidate(problem.slots, problem.mode, problem.parameter[n] + dParameter,
                                s.x[0] + dx, s.y[0], s.r);
    }
};

std::vector<SceneObject> workedTranslation() {
    return {makeLine(KIND_L, 0, 0, 10, 0), makeCircle(KIND_C, 5, 15, -5),
            makeCircle(KIND_C, 30, 10, 5), makeLine(KIND_L, 40, 0, 40, 10)};
}

// Two tangency circles turning about the origin against two fixed lines.
std::vector<SceneObject> turningCircles() {
    return {makeLine(KIND_L, -50, -20, 50, -20), makeLine(KIND_L_PRIME, 0, -50, 0, 50),
            makeCircle(KIND_C, 30, 10, 4), makeCircle(KIND_C_PRIME, 25, -5, 12)};
}

} // namespace

TEST(Certify, WorkedExampleCandidatesAreProvedTightly) {
    Merge m(workedTranslation(), MERGE_TRANSLATE);
    ASSERT_EQ(m.problem.solutionCount, 4);
    for (int n = 0; n < 4; ++n) {
        const Certificate c = m.certify(n);
        EXPECT_TRUE(c.certified) << "candidate " << n;
        EXPECT_GT(c.radius, 0.0);
        // Double-precision candidates of a problem of size ~40 are good to ~1e-13.
        EXPECT_LT(c.radius, 1e-11) << "candidate " << n;
    }
}

TEST(Certify, CertifiedBoxHoldsTheExactEnginesSolution) {
    // The exact engine eliminates over the rationals, a method independent of the
    // Krawczyk test; each of its real roots must lie in the proved box of the
    // candidate it matches.
    for (int mode : {MERGE_TRANSLATE, MERGE_ROTATE}) {
        Merge m(mode == MERGE_TRANSLATE ? workedTranslation() : turningCircles(), mode);
        ASSERT_GT(m.problem.solutionCount, 0) << "mode " << mode;
        EngineSession engine;
        const auto exact = exactCandidates(engine, m.problem.slots, mode);
        ASSERT_TRUE(exact.has_value());
        ASSERT_FALSE(exact->real.empty());
        for (const ExactCandidate& e : exact->real) {
            const Certificate c =
                certifyCandidate(m.problem.slots, mode, e.parameter, e.x, e.y, e.r);
            ASSERT_TRUE(c.certified) << "mode " << mode << " parameter " << e.parameter;
            int matched = 0;
            for (int n = 0; n < m.problem.solutionCount; ++n) {
                const SceneObject& s = m.problem.solutions[n];
                const Certificate own = m.certify(n);
                // A few units in the last place for the engine's rounding to double.
                const double tol = own.radius + 1e-13;
                if (own.certified && std::fabs(s.x[0] - e.x) <= tol &&
                    std::fabs(s.y[0] - e.y) <= tol && std::fabs(s.r - e.r) <= tol &&
                    std::fabs(m.problem.parameter[n] - e.parameter) <= tol)
                    ++matched;
            }
            EXPECT_GE(matched, 1) << "mode " << mode << " exact parameter " << e.parameter;
        }
    }
}

TEST(Certify, MovedCandidateIsRefused) {
    Merge m(workedTranslation(), MERGE_TRANSLATE);
    ASSERT_TRUE(m.certify(0).certified);
    // Off by a millionth in the centre or in the shift: no longer the solution.
    EXPECT_FALSE(m.certify(0, 1e-6, 0).certified);
    EXPECT_FALSE(m.certify(0, 0, 1e-6).certified);
    EXPECT_FALSE(m.certify(0, 3.0, 0).certified);

    Merge turned(turningCircles(), MERGE_ROTATE);
    ASSERT_GT(turned.problem.solutionCount, 0);
    ASSERT_TRUE(turned.certify(0).certified);
    EXPECT_FALSE(turned.certify(0, 0, 1e-7).certified);
}

TEST(Certify, RadiusReachesTheSolutionFromANearbyPoint) {
    // Started 1e-10 off the true candidate in one unknown, a sound proof must either
    // refuse or return a radius that still reaches the solution it claims; a wrong
    // derivative of the system shows here as a radius that falls short.
    for (int mode : {MERGE_TRANSLATE, MERGE_ROTATE}) {
        Merge m(mode == MERGE_TRANSLATE ? workedTranslation() : turningCircles(), mode);
        ASSERT_GT(m.problem.solutionCount, 0);
        for (int n = 0; n < m.problem.solutionCount; ++n) {
            const SceneObject& s = m.problem.solutions[n];
            if (s.kind != KIND_C)
                continue;
            ASSERT_LT(m.certify(n).radius, 1e-12);
            for (int unknown = 0; unknown < 4; ++unknown) {
                double v[4] = {s.x[0], s.y[0], s.r, m.problem.parameter[n]};
                const double offset = 1e-10;
                v[unknown] += offset;
                const Certificate c =
                    certifyCandidate(m.problem.slots, mode, v[3], v[0], v[1], v[2]);
                ASSERT_TRUE(c.certified) << "mode " << mode << " unknown " << unknown;
                EXPECT_GE(c.radius, offset * 0.999) << "mode " << mode << " unknown " << unknown;
            }
        }
    }
}

TEST(Certify, KnownAnswersOfEveryClosedFormFamily) {
    std::mt19937 rng(7);
    const struct {
        const char* kinds;
        int mode;
    } families[] = {{"LLLL", MERGE_TRANSLATE}, {"LLLC", MERGE_TRANSLATE}, {"CCLL", MERGE_TRANSLATE},
                    {"LCLC", MERGE_TRANSLATE}, {"CCLC", MERGE_TRANSLATE}, {"CCCC", MERGE_TRANSLATE},
                    {"ccLL", MERGE_TRANSLATE}, {"LcLc", MERGE_TRANSLATE}, {"LLLL", MERGE_ROTATE},
                    {"CCLL", MERGE_ROTATE},    {"CcLl", MERGE_ROTATE},    {"CCCC", MERGE_ROTATE}};
    for (const auto& f : families)
        for (int trial = 0; trial < 10; ++trial) {
            KnownMerge km = makeKnownMerge(kindsFromLetters(f.kinds), f.mode, rng);
            MergeProblem p;
            km.load(p);
            p.solve(f.mode);
            const int n = km.match(p, 1e-6);
            ASSERT_GE(n, 0) << f.kinds << " mode " << f.mode;
            const SceneObject& s = p.solutions[n];
            const Certificate c =
                certifyCandidate(p.slots, f.mode, p.parameter[n], s.x[0], s.y[0], s.r);
            EXPECT_TRUE(c.certified) << f.kinds << " mode " << f.mode << " trial " << trial;
            EXPECT_LE(c.radius, kCertifyRelativeRadius * 100);
        }
}

TEST(Certify, SingularOrMeaninglessSystemsAreNotProved) {
    // Four lines parallel to the x axis: sliding changes nothing, so the solutions
    // form a curve and no point of it is isolated.
    std::vector<SceneObject> curve = {makeLine(KIND_L, 0, 0, 10, 0), makeLine(KIND_L, 10, 8, 0, 8),
                                      makeLine(KIND_L, 0, 0, 10, 0), makeLine(KIND_L, 10, 8, 0, 8)};
    const SceneObject* slots[2][2] = {{&curve[0], &curve[1]}, {&curve[2], &curve[3]}};
    EXPECT_FALSE(certifyCandidate(slots, MERGE_TRANSLATE, 3.0, 5.0, 4.0, 4.0).certified);

    // A line without direction has no equation.
    curve[0] = makeLine(KIND_L, 1, 1, 1, 1);
    EXPECT_FALSE(certifyCandidate(slots, MERGE_TRANSLATE, 0.0, 5.0, 4.0, 4.0).certified);

    Merge m(workedTranslation(), MERGE_TRANSLATE);
    EXPECT_FALSE(certifyCandidate(m.problem.slots, MERGE_TRANSLATE, NAN, 0, 0, 1).certified);
}
