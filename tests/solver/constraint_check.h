// Independent check of a translation candidate: the largest violation of the four
// constraints once cluster 2 has been slid by the candidate's shift.
#pragma once

#include "solver/merge_problem.h"

#include <algorithm>
#include <cmath>

inline double constraintViolation(const SceneObject& o, double x, double y, double z) {
    if (isLineKind(o.kind)) {
        const double dx = o.x[1] - o.x[0], dy = o.y[1] - o.y[0];
        const double len = std::hypot(dx, dy);
        const double dist = ((o.y[0] - o.y[1]) * (x - o.x[0]) + dx * (y - o.y[0])) / len;
        return std::fabs(o.kind == KIND_L ? dist - z : dist);
    }
    const double centreDist = std::hypot(x - o.x[0], y - o.y[0]);
    if (o.kind == KIND_C_PRIME)
        return std::fabs(centreDist - std::fabs(o.r));
    // Oriented tangency: distance of centres equals |z - r| (internal or external).
    return std::fabs(centreDist - std::fabs(z - o.r));
}

inline double translationResidual(const MergeProblem& p, int n) {
    const SceneObject& s = p.solutions[n];
    double worst = 0;
    for (int c = 0; c < 2; ++c)
        for (int k = 0; k < 2; ++k) {
            SceneObject moved = *p.slots[c][k];
            if (c == 1) {
                moved.x[0] += p.parameter[n];
                moved.x[1] += p.parameter[n];
            }
            worst = std::max(worst, constraintViolation(moved, s.x[0], s.y[0], s.r));
        }
    return worst;
}
