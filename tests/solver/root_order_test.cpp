// The two solvers whose quartic goes to quarticRealRoots store their candidates in
// the order that function returns the roots (its formulas' order), not sorted. The
// quartic is rebuilt here from the same rows, and each stored motion parameter must
// be the root at the same position.
#include "numeric/quartic.h"
#include "solver/merge_problem.h"
#include "solver/rotation_rows.h"
#include "solver/translation_rows.h"

#include "tests/support/known_answer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace {

// Checks the stored parameters (mapped to the quartic's variable) against the roots
// in order; returns whether the case could be compared (every root stored once).
bool storedInRootOrder(const MergeProblem& p, const double roots[4], int n,
                       double (*variableOf)(double), int& unsorted) {
    if (p.solutionCount != n || n != 4 || std::string(p.solverName).find('+') != std::string::npos)
        return false;
    double stored[4];
    for (int i = 0; i < 4; ++i) {
        stored[i] = variableOf(p.parameter[i]);
        EXPECT_NEAR(stored[i], roots[i], 1e-6 * (1.0 + std::fabs(roots[i]))) << "candidate " << i;
    }
    unsorted += !std::is_sorted(stored, stored + 4, std::greater<double>());
    return true;
}

double halfAngleTangent(double theta) {
    return std::tan(theta / 2.0);
}

double shift(double d) {
    return d;
}

} // namespace

TEST(RootOrder, RotationClosedFormKeepsTheQuarticsOrder) {
    int compared = 0, unsorted = 0;
    for (int seed = 0; seed < 400; ++seed) {
        std::mt19937 rng(seed);
        // Circle 0 in cluster 1 with a line; cluster 2's two lines turn.
        KnownMerge m = makeKnownMerge(kindsFromLetters("CLLL"), MERGE_ROTATE, rng);
        MergeProblem p;
        m.load(p);
        p.solve(MERGE_ROTATE);
        RotatedRow rows[4];
        ASSERT_TRUE(rotatedLineRow(m.obj[1], rows[1]) && rotatedLineRow(m.obj[2], rows[2]) &&
                    rotatedLineRow(m.obj[3], rows[3]));
        const RotatedElimination el = eliminateRotatedRows(0, 0, 0, 0, rows);
        const Poly4 Q = quadricAtPoint({el.P0, el.P1, el.P2, el.P3}, m.obj[0], true);
        double roots[4];
        const int n = quarticRealRoots(Q, roots);
        compared += storedInRootOrder(p, roots, n, halfAngleTangent, unsorted);
    }
    EXPECT_GT(compared, 50);
    EXPECT_GT(unsorted, 0); // sorting them would have failed these
}

TEST(RootOrder, CentreCircleAndLineInEachClusterKeepTheQuarticsOrder) {
    int compared = 0, unsorted = 0;
    for (int seed = 0; seed < 600; ++seed) {
        std::mt19937 rng(seed);
        KnownMerge m = makeKnownMerge(kindsFromLetters("LcLc"), MERGE_TRANSLATE, rng);
        MergeProblem p;
        m.load(p);
        p.solve(MERGE_TRANSLATE);
        PlaneRow rows[3];
        ASSERT_TRUE(lineRow(m.obj[0], false, rows[0]) && lineRow(m.obj[2], true, rows[1]));
        rows[2] = centreRadicalRow(m.obj[1], m.obj[3], true);
        const Elimination el = eliminateCircle(rows[0], rows[1], rows[2]);
        double roots[4];
        const int n = quarticRealRoots(quadricAtPoint(el, m.obj[1], false), roots);
        compared += storedInRootOrder(p, roots, n, shift, unsorted);
    }
    EXPECT_GT(compared, 20);
    EXPECT_GT(unsorted, 0);
}
