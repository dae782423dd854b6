// The closed-form translation solvers built on three plane rows and one quadric:
// a quadratic in the shift (one quadric cone or cylinder against three planes) or a
// quartic (radical planes that slide with the shift).
#include "solver/degenerate_steps.h"
#include "solver/line_plane.h"
#include "solver/merge_problem.h"
#include "solver/translation_rows.h"

#include "numeric/quartic.h"

#include <cmath>

namespace {

constexpr const char* kNoResult = "No result.";
constexpr const char* kNoResultBang = "No Result!";

} // namespace

bool MergeProblem::appendTranslationSolution(const Elimination& el, int referenceCluster,
                                             double t) {
    const double Dv = hornerValue(el.D, t);
    if (nearlyZeroAt(el.D, t, Dv))
        markDegenerate();
    if (Dv == 0.0)
        return false;
    double x = hornerValue(el.Nx, t) / Dv;
    const double y = hornerValue(el.Ny, t) / Dv;
    const double z = hornerValue(el.Nz, t) / Dv;
    double d = t;
    if (referenceCluster == CLUSTER_2) {
        // Cluster 1 slid by t is cluster 2 slid by -t, seen from cluster 1.
        d = -t;
        x += d;
    }
    return appendCandidate(KIND_C, x, y, z, d);
}

int MergeProblem::solveTranslationQuadratic(const Elimination& el, const SceneObject& circle,
                                            int referenceCluster) {
    const bool cone = circle.kind == KIND_C;
    const PointQuadric quadric = quadricAtPointWithBound(el, circle, cone);
    const Poly4& Q = quadric.value;
    if (nearlyDegenerate(Q, quadric.magnitude, 2, objectsExtent()))
        markDegenerate();
    const double q0 = Q.coef[0], q1 = Q.coef[1], q2 = Q.coef[2];
    if (q2 == 0.0) {
        // The quadric meets the moving point in a linear equation: one shift at most.
        if (q1 == 0.0) {
            setMessage(kNoResult);
            return 0;
        }
        appendTranslationSolution(el, referenceCluster, -q0 / q1);
        return solutionCount == 0 ? 0 : 1;
    }
    const double disc = q1 * q1 - 4.0 * q0 * q2;
    if (disc < 0.0) {
        setMessage(kNoResult);
        return 0;
    }
    const double s = std::sqrt(disc);
    appendTranslationSolution(el, referenceCluster, (s - q1) / (2.0 * q2));
    appendTranslationSolution(el, referenceCluster, (-q1 - s) / (2.0 * q2));
    return solutionCount == 0 ? 0 : 1;
}

int MergeProblem::solveTranslationQuartic(const Elimination& el, const SceneObject& c0,
                                          int referenceCluster, const char* noRootMessage) {
    const PointQuadric quadric = quadricAtPointWithBound(el, c0, true);
    const Poly4& Q = quadric.value;
    if (nearlyDegenerate(Q, quadric.magnitude, 4, objectsExtent()))
        markDegenerate();
    double roots[4];
    // Ferrari's order when all four roots are real; otherwise the real ones that
    // exist, also when the leading terms cancelled and Q is of lower degree.
    const int n = quarticOrLowerRealRoots(Q, true, roots);
    if (n == 0) {
        setMessage(Q.degree == 4 ? noRootMessage : kNoResultBang);
        return 0;
    }
    for (int i = 0; i < n; ++i)
        appendTranslationSolution(el, referenceCluster, roots[i]);
    if (solutionCount == 0) {
        setMessage(kNoResult);
        return 0;
    }
    return 1;
}

int MergeProblem::T_3Line1CircleSolver() {
    int ref = CLUSTER_1, circleSlot = 0;
    for (int c = 0; c < 2; ++c)
        for (int s = 0; s < 2; ++s)
            if (!isLineKind(slots[c][s]->kind)) {
                ref = c;
                circleSlot = s;
            }
    const int moving = 1 - ref;
    PlaneRow rows[3];
    if (!lineRow(*slots[ref][1 - circleSlot], false, rows[0]) ||
        !lineRow(*slots[moving][0], true, rows[1]) || !lineRow(*slots[moving][1], true, rows[2])) {
        setMessage(kLineWithoutDirection);
        return 0;
    }
    return solveTranslationQuadratic(eliminateCircle(rows[0], rows[1], rows[2]),
                                     *slots[ref][circleSlot], ref);
}

int MergeProblem::T_2Circle1ClusterSolver() {
    int ref = CLUSTER_1;
    for (int k = 3; k >= 0; --k)
        if (slots[k / 2][k % 2]->kind == KIND_C)
            ref = k / 2;
    const int moving = 1 - ref;
    PlaneRow rows[3];
    rows[0] = radicalRow(*slots[ref][0], false, *slots[ref][1], false);
    if (!lineRow(*slots[moving][0], true, rows[1]) || !lineRow(*slots[moving][1], true, rows[2])) {
        setMessage(kLineWithoutDirection);
        return 0;
    }
    return solveTranslationQuadratic(eliminateCircle(rows[0], rows[1], rows[2]), *slots[ref][0],
                                     ref);
}

// Row of an object of the moving cluster against the fixed tangency circle c0.
bool MergeProblem::movingRowAgainst(const SceneObject& c0, const SceneObject& obj, PlaneRow& row) {
    if (isLineKind(obj.kind))
        return lineRow(obj, true, row);
    row = radicalRow(c0, false, obj, true);
    return true;
}

int MergeProblem::T_2Circle2ClusterSolver() {
    const int c0Slot = slots[0][0]->kind == KIND_C ? 0 : 1;
    const SceneObject& c0 = *slots[0][c0Slot];
    PlaneRow rows[3];
    if (!lineRow(*slots[0][1 - c0Slot], false, rows[0]) ||
        !movingRowAgainst(c0, *slots[1][0], rows[1]) ||
        !movingRowAgainst(c0, *slots[1][1], rows[2])) {
        setMessage(kLineWithoutDirection);
        return 0;
    }
    return solveTranslationQuartic(eliminateCircle(rows[0], rows[1], rows[2]), c0, CLUSTER_1,
                                   kNoResultBang);
}

int MergeProblem::T_3Circle1LineSolver() {
    const int ref =
        slots[0][0]->kind == KIND_C && slots[0][1]->kind == KIND_C ? CLUSTER_1 : CLUSTER_2;
    const int moving = 1 - ref;
    const SceneObject& c0 = *slots[ref][0];
    PlaneRow rows[3];
    rows[0] = radicalRow(c0, false, *slots[ref][1], false);
    if (!movingRowAgainst(c0, *slots[moving][0], rows[1]) ||
        !movingRowAgainst(c0, *slots[moving][1], rows[2])) {
        setMessage(kLineWithoutDirection);
        return 0;
    }
    return solveTranslationQuartic(eliminateCircle(rows[0], rows[1], rows[2]), c0, ref,
                                   kNoResultBang);
}

int MergeProblem::T_4CircleSolver() {
    const SceneObject &c1 = *slots[0][0], &c2 = *slots[0][1], &c3 = *slots[1][0],
                      &c4 = *slots[1][1];
    const PlaneRow r1 = radicalRow(c1, false, c2, false);
    const PlaneRow r2 = radicalRow(c1, false, c3, true);
    const PlaneRow r3 = radicalRow(c3, true, c4, true);
    return solveTranslationQuartic(eliminateCircle(r1, r2, r3), c1, CLUSTER_1, kNoResult);
}
