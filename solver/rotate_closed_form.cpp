// Closed-form merges by rotation about the origin: three rows (two of them turning)
// meet a fourth line in a quadratic in t = tan(θ/2), or the quadric of one circle in
// a quartic.
#include "solver/degenerate_steps.h"
#include "solver/line_plane.h"
#include "solver/merge_problem.h"
#include "solver/rotation_rows.h"
#include "solver/translation_rows.h"

#include "numeric/quartic.h"

#include <cmath>

namespace {

constexpr const char* kNoResultBang = "No Result!";

// Row of a circle against circle 0 = (xc, yc, rc): the difference of their cone (or
// centre-cylinder) equations, halved. In a turning row the circle's own centre turns
// and circle 0's, the offset, does not.
RotatedRow circleRow(const SceneObject& c0, const SceneObject& o, bool turning) {
    const double xc = c0.x[0], yc = c0.y[0], rc = c0.r;
    const double xo = o.x[0], yo = o.y[0], ro = o.r;
    const double f0 = -0.5 * (xc * xc + yc * yc - rc * rc - xo * xo - yo * yo + ro * ro);
    const double c = o.kind == KIND_C ? rc - ro : 0.0;
    if (turning)
        return {xo, yo, c, f0};
    return {xo - xc, yo - yc, c, f0};
}

} // namespace

bool MergeProblem::appendRotationSolution(const RotatedElimination& el, double t,
                                          bool turnedCluster1) {
    const double Dv = hornerValue(el.P0, t);
    if (nearlyZeroAt(el.P0, t, Dv))
        markDegenerate();
    if (Dv == 0.0)
        return false;
    double theta = 2.0 * std::atan(t);
    double x = hornerValue(el.P1, t) / Dv;
    double y = hornerValue(el.P2, t) / Dv;
    const double r = hornerValue(el.P3, t) / Dv;
    if (turnedCluster1) {
        // Turning cluster 1 by θ is turning cluster 2 by -θ, seen from cluster 2's frame.
        theta = -theta;
        const double c = std::cos(theta), s = std::sin(theta);
        const double xt = x * c - y * s;
        y = x * s + y * c;
        x = xt;
    }
    return appendCandidate(KIND_C, x, y, r, theta);
}

int MergeProblem::R_4LineSolver() {
    setMessage(kNoResultBang);
    RotatedRow m[4];
    for (int k = 0; k < 4; ++k)
        if (!rotatedLineRow(*slots[k / 2][k % 2], m[k])) {
            setMessage(kLineWithoutDirection);
            return 0;
        }
    const RotatedElimination el = eliminateRotatedRows(0, 0, 0, 0, m);
    // Row 1 at the point where rows 2..4 meet, times (1+t²)·D.
    const RotatedRow& r1 = m[0];
    const double g0 =
        r1.a * el.P1.coef[0] + r1.b * el.P2.coef[0] + r1.c * el.P3.coef[0] - r1.f * el.P0.coef[0];
    const double g1 =
        r1.a * el.P1.coef[1] + r1.b * el.P2.coef[1] + r1.c * el.P3.coef[1] - r1.f * el.P0.coef[1];
    const double g2 =
        r1.a * el.P1.coef[2] + r1.b * el.P2.coef[2] + r1.c * el.P3.coef[2] - r1.f * el.P0.coef[2];
    Poly4 G, magnitude;
    G.degree = magnitude.degree = 2;
    for (int i = 0; i < 3; ++i) {
        G.coef[i] = i == 0 ? g0 : i == 1 ? g1 : g2;
        magnitude.coef[i] = std::fabs(r1.a * el.P1.coef[i]) + std::fabs(r1.b * el.P2.coef[i]) +
                            std::fabs(r1.c * el.P3.coef[i]) + std::fabs(r1.f * el.P0.coef[i]);
    }
    if (nearlyDegenerate(G, magnitude, 2, 1.0) || farFromOrigin())
        markDegenerate();
    if (g2 == 0.0) {
        // The quadratic lost its leading term: one angle at most.
        if (g1 != 0.0)
            appendRotationSolution(el, -g0 / g1, false);
        return solutionCount == 0 ? 0 : 1;
    }
    const double disc = g1 * g1 - 4.0 * g0 * g2;
    if (disc < 0.0)
        return 0;
    const double s = std::sqrt(disc);
    appendRotationSolution(el, (s - g1) / (2.0 * g2), false);
    appendRotationSolution(el, (-g1 - s) / (2.0 * g2), false);
    return solutionCount == 0 ? 0 : 1;
}

int MergeProblem::R_ClosedFormSolver() {
    setMessage(kNoResultBang);
    int ref = -1, refSlot = 0;
    for (int k = 0; k < 4 && ref < 0; ++k)
        if (!isLineKind(slots[k / 2][k % 2]->kind)) {
            ref = k / 2;
            refSlot = k % 2;
        }
    const int other = 1 - ref;
    const SceneObject& c0 = *slots[ref][refSlot];
    RotatedRow m[4];
    double ux[2] = {0, 0}, uy[2] = {0, 0};
    const SceneObject& partner = *slots[ref][1 - refSlot];
    bool planes = true;
    if (isLineKind(partner.kind))
        planes = rotatedLineRow(partner, m[1]);
    else
        m[1] = circleRow(c0, partner, false);
    for (int k = 0; k < 2; ++k) {
        const SceneObject& o = *slots[other][k];
        if (isLineKind(o.kind)) {
            planes = planes && rotatedLineRow(o, m[2 + k]);
        } else {
            m[2 + k] = circleRow(c0, o, true);
            ux[k] = -c0.x[0];
            uy[k] = -c0.y[0];
        }
    }
    if (!planes) {
        setMessage(kLineWithoutDirection);
        return 0;
    }
    const RotatedElimination el = eliminateRotatedRows(ux[0], ux[1], uy[0], uy[1], m);
    const Elimination point{el.P0, el.P1, el.P2, el.P3};
    const bool cone = c0.kind == KIND_C;
    const PointQuadric quadric = quadricAtPointWithBound(point, c0, cone);
    const Poly4& Q = quadric.value;
    if (nearlyDegenerate(Q, quadric.magnitude, 4, 1.0) || farFromOrigin())
        markDegenerate();
    double roots[4];
    const int n = quarticOrLowerRealRoots(Q, false, roots);
    if (n == 0) {
        setMessage("No result.");
        return 0;
    }
    for (int i = 0; i < n; ++i)
        appendRotationSolution(el, roots[i], ref == CLUSTER_2);
    return solutionCount == 0 ? 0 : 1;
}
