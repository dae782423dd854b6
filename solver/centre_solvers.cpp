// Merges with centre constraints: two in one cluster pin the centre to at most two
// points, each solved as a smaller merge; one C' and one line in each cluster give a
// quartic in the shift.
#include "solver/degenerate_steps.h"
#include "solver/line_plane.h"
#include "solver/merge_problem.h"
#include "solver/translation_rows.h"

#include "numeric/quartic.h"

#include <cmath>

namespace {

bool isCentreKind(int kind) {
    return kind == KIND_C_PRIME || kind == KIND_L_PRIME;
}

bool isCentreCluster(SceneObject* const slot[2]) {
    return isCentreKind(slot[0]->kind) && isCentreKind(slot[1]->kind) &&
           (slot[0]->kind == KIND_C_PRIME || slot[1]->kind == KIND_C_PRIME);
}

// A centre line through (px, py) toward (qx, qy); when the two points coincide (the
// point lies on the axis the line was meant to reach) the line goes one unit along
// the same axis direction instead, so it always has a plane.
SceneObject centreLine(double px, double py, double qx, double qy, double stepX, double stepY) {
    SceneObject line;
    line.kind = KIND_L_PRIME;
    line.setPoint(px, py, 0);
    line.setPoint(qx, qy, 1);
    if (!hasDirection(line))
        line.setPoint(px + stepX, py + stepY, 1);
    return line;
}

} // namespace

int MergeProblem::solveThroughCentres(int subMode) {
    const int centre = isCentreCluster(slots[CLUSTER_2]) ? CLUSTER_2 : CLUSTER_1;
    const int other = 1 - centre;
    MergeProblem sub;
    sub.exactLeftToCaller = true;
    sub.addObject(other + 1, slots[other][0]);
    sub.addObject(other + 1, slots[other][1]);

    double px[2], py[2];
    const int points = intersectCentreLoci(slots[centre][0], slots[centre][1], px, py);
    if (points == 0) {
        setMessage("No result.[T_2Center1ClusterSolver]");
        return 0;
    }
    // Loci that touch (one point, or two within rounding of each other) may as well
    // have crossed or missed: the exact system decides.
    const double extent = objectsExtent();
    if (points == 1 || std::hypot(px[0] - px[1], py[0] - py[1]) <= 1e-6 * extent)
        markDegenerate();
    for (int i = 0; i < points; ++i) {
        SceneObject vertical = centreLine(px[i], py[i], px[i], 0.0, 0.0, -1.0);
        SceneObject horizontal = centreLine(px[i], py[i], 0.0, py[i], -1.0, 0.0);
        sub.addObject(centre + 1, &vertical);
        sub.addObject(centre + 1, &horizontal);
        const int solved = sub.solve(subMode);
        if (sub.passedDegenerateStep() || sub.underdetermined)
            markDegenerate();
        exactSupplied = exactSupplied || (solved && sub.exactSupplied);
        if (solved)
            for (int k = 0; k < sub.solutionCount; ++k) {
                const SceneObject& s = sub.solutions[k];
                // A complex sub-solution stays marked complex.
                appendCandidate(s.kind == kComplexCandidate ? kComplexCandidate : KIND_C, s.x[0],
                                s.y[0], s.r, sub.parameter[k]);
            }
        sub.removeObject(centre, 0);
        sub.removeObject(centre, 0);
        sub.solutionCount = 0;
    }
    if (solutionCount == 0) {
        setMessage("No result.");
        return 0;
    }
    return 1;
}

int MergeProblem::T_2Center1ClusterSolver() {
    return solveThroughCentres(MERGE_TRANSLATE);
}

int MergeProblem::R_2Center1ClusterSolver() {
    return solveThroughCentres(MERGE_ROTATE);
}

int MergeProblem::T_2Center2ClusterSolver() {
    const SceneObject* centreCircle[2];
    const SceneObject* line[2];
    for (int c = 0; c < 2; ++c) {
        const int k = slots[c][0]->kind == KIND_C_PRIME ? 0 : 1;
        centreCircle[c] = slots[c][k];
        line[c] = slots[c][1 - k];
    }
    PlaneRow rows[3];
    if (!lineRow(*line[0], false, rows[0]) || !lineRow(*line[1], true, rows[1])) {
        setMessage(kLineWithoutDirection);
        return 0;
    }
    rows[2] = centreRadicalRow(*centreCircle[0], *centreCircle[1], true);
    const Elimination el = eliminateCircle(rows[0], rows[1], rows[2]);
    const PointQuadric quadric = quadricAtPointWithBound(el, *centreCircle[0], false);
    const Poly4& Q = quadric.value;
    if (nearlyDegenerate(Q, quadric.magnitude, 4, objectsExtent()))
        markDegenerate();
    double roots[4];
    const int n = quarticOrLowerRealRoots(Q, false, roots);
    for (int i = 0; i < n; ++i)
        appendTranslationSolution(el, CLUSTER_1, roots[i]);
    if (solutionCount == 0) {
        setMessage("No result.");
        return 0;
    }
    return 1;
}
