// The remaining-case translation solver: the worked reference case in both cluster
// orders, complex roots, appending, the failure texts and the result-reading trace.
#include "solver/constraint_residual.h"
#include "solver/engine_trace.h"
#include "solver/merge_problem.h"

#include "tests/support/engine_doubles.h"
#include "tests/support/make_objects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
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

// Tangency circle (0, 0, 2) and centre circle (0, 0, r') staying; the planes
// y - z = 0 and -x - z + 10 + d = 0 of two tangency lines sliding with d.
std::vector<SceneObject> referenceObjects(double centreRadius) {
    return {makeCircle(KIND_C, 0, 0, 2), makeCircle(KIND_C_PRIME, 0, 0, centreRadius),
            makeLine(KIND_L, 0, 0, 1, 0), makeLine(KIND_L, 10, 0, 10, 1)};
}

const double kRoot5 = 2 * std::sqrt(5.0), kRoot7 = 2 * std::sqrt(7.0);

} // namespace

TEST(TranslateRemain, ReferenceCase) {
    Merge m(referenceObjects(6));
    ASSERT_EQ(m.problem.solve(MERGE_TRANSLATE), 1);
    EXPECT_STREQ(m.problem.solverName, "T_RemainSolver");
    const MergeProblem& p = m.problem;
    ASSERT_EQ(p.solutionCount, 4);
    const double d[2] = {-14 - kRoot5, -14 + kRoot5}, x[2] = {-kRoot5, kRoot5};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(p.solutions[i].kind, KIND_C);
        EXPECT_NEAR(p.parameter[i], d[i], 1e-12);
        EXPECT_NEAR(p.solutions[i].x[0], x[i], 1e-12);
        EXPECT_NEAR(p.solutions[i].y[0], -4, 1e-12);
        EXPECT_NEAR(p.solutions[i].r, -4, 1e-12);
        EXPECT_LT(candidateResidual(p, i), 1e-12);
    }
    // The complex pair d = -2 ± 2i·sqrt(7), as real and imaginary parts.
    for (int i = 2; i < 4; ++i) {
        EXPECT_EQ(p.solutions[i].kind, kComplexCandidate);
        EXPECT_EQ(p.parameter[i], 0.0);
        EXPECT_NEAR(p.solutions[i].x[0], -2, 1e-12);
        EXPECT_NEAR(p.solutions[i].y[0], i == 2 ? -kRoot7 : kRoot7, 1e-12);
    }
}

TEST(TranslateRemain, ReferenceClusterTwoNegatesTheShiftAndMovesTheCentre) {
    // The same merge with the clusters exchanged: the circles' cluster is the
    // reference and moves, so the stored shift is -d and the centre is seen from
    // the lines. The complex roots keep the parts of the internal d.
    std::vector<SceneObject> o = referenceObjects(6);
    Merge m({o[2], o[3], o[0], o[1]});
    ASSERT_EQ(m.problem.solve(MERGE_TRANSLATE), 1);
    const MergeProblem& p = m.problem;
    ASSERT_EQ(p.solutionCount, 4);
    const double d[2] = {14 + kRoot5, 14 - kRoot5};
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(p.parameter[i], d[i], 1e-12);
        EXPECT_NEAR(p.solutions[i].x[0], 14, 1e-12);
        EXPECT_NEAR(p.solutions[i].y[0], -4, 1e-12);
        EXPECT_LT(candidateResidual(p, i), 1e-12);
    }
    EXPECT_EQ(p.solutions[2].kind, kComplexCandidate);
    EXPECT_NEAR(p.solutions[2].x[0], -2, 1e-12);
}

TEST(TranslateRemain, OnlyComplexRootsStillSucceed) {
    // With a centre circle of radius 1/2 neither radius z = 2 ± 1/2 leaves a real centre.
    Merge m(referenceObjects(0.5));
    ASSERT_EQ(m.problem.solve(MERGE_TRANSLATE), 1);
    ASSERT_EQ(m.problem.solutionCount, 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(m.problem.solutions[i].kind, kComplexCandidate);
}

TEST(TranslateRemain, CandidatesAreAppended) {
    Merge m(referenceObjects(6));
    ASSERT_TRUE(m.problem.appendCandidate(KIND_C, 1, 2, 3, 4));
    ASSERT_EQ(m.problem.solve(MERGE_TRANSLATE), 1);
    ASSERT_EQ(m.problem.solutionCount, 5);
    EXPECT_EQ(m.problem.parameter[0], 4);
    EXPECT_NEAR(m.problem.parameter[1], -14 - kRoot5, 1e-12);
}

TEST(TranslateRemain, CentreUnfixedByThePlanesAtTheRoot) {
    // At the shift 5 the two tangency circles are concentric, their radical plane is
    // z = 2, and the two planes no longer fix the centre (del = 0). The circle
    // (3, 4, 2) still meets all four constraints there and must be found.
    Merge m({makeCircle(KIND_C, 0, 0, 7), makeCircle(KIND_C_PRIME, 3, 0, 4),
             makeCircle(KIND_C, -5, 0, -3), makeLine(KIND_L, -10, 2, -9, 2)});
    ASSERT_EQ(m.problem.solve(MERGE_TRANSLATE), 1);
    bool found = false;
    for (int i = 0; i < m.problem.solutionCount; ++i) {
        const SceneObject& s = m.problem.solutions[i];
        if (s.kind != KIND_C)
            continue;
        EXPECT_LT(candidateResidual(m.problem, i), 1e-12);
        found = found || (m.problem.parameter[i] == 5 && s.x[0] == 3 && s.y[0] == 4 && s.r == 2);
    }
    EXPECT_TRUE(found);
}

TEST(TranslateRemain, FailureNamesTheCase) {
    // Parallel planes of equal orientation never meet: no root at all.
    Merge twoLines({makeCircle(KIND_C, 0, 0, 2), makeCircle(KIND_C_PRIME, 0, 0, 6),
                    makeLine(KIND_L, 0, 0, 1, 0), makeLine(KIND_L, 0, 5, 1, 5)});
    EXPECT_EQ(twoLines.problem.solve(MERGE_TRANSLATE), 0);
    EXPECT_STREQ(twoLines.problem.message, "No result!(L42, L45)");
    EXPECT_EQ(twoLines.problem.solutionCount, 0);

    Merge lineEach({makeCircle(KIND_C, 0, 0, 2), makeLine(KIND_L, 0, 0, 1, 0),
                    makeCircle(KIND_C_PRIME, 3, 1, 4), makeLine(KIND_L, 0, 5, 1, 5)});
    EXPECT_EQ(lineEach.problem.solve(MERGE_TRANSLATE), 0);
    EXPECT_STREQ(lineEach.problem.message, "No result!(L33, L36)");
}

TEST(TranslateRemain, LineWithoutDirectionIsRefused) {
    std::vector<SceneObject> o = referenceObjects(6);
    o[3] = makeLine(KIND_L, 4, 4, 4, 4);
    Merge m(o);
    EXPECT_EQ(m.problem.solve(MERGE_TRANSLATE), 0);
    EXPECT_STREQ(m.problem.message, "A line has two equal end points.");
}

TEST(TranslateRemain, EngineFailures) {
    {
        ScopedTestEngine engine(TestEngine::Behaviour::FailToStart);
        Merge m(referenceObjects(6));
        EXPECT_EQ(m.problem.solve(MERGE_TRANSLATE), 0);
        EXPECT_STREQ(m.problem.message, "Maple Error!");
        EXPECT_EQ(m.problem.solutionCount, 0);
    }
    ScopedTestEngine engine(TestEngine::Behaviour::NoResult);
    Merge m(referenceObjects(6));
    EXPECT_EQ(m.problem.solve(MERGE_TRANSLATE), 0);
    EXPECT_STREQ(m.problem.message, "No result!");
    // The exact system of the four constraints gets its own session; each is stopped.
    EXPECT_GE(engine.counts.starts, 1);
    EXPECT_EQ(engine.counts.stops, engine.counts.starts);
}

TEST(TranslateRemain, ResultReadingIsTraced) {
    std::vector<std::string> lines;
    const EngineTraceSink previous =
        setEngineTraceSink([&](const std::string& s) { lines.push_back(s); });
    Merge m(referenceObjects(6));
    m.problem.solve(MERGE_TRANSLATE);
    setEngineTraceSink(previous);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "rd := subs(result[1], d);");
    EXPECT_EQ(lines[1], "rz := subs(result[1], z);");
    EXPECT_EQ(lines[7], "rz := subs(result[4], z);");
}
