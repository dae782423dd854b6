// Constraint violations measured directly in the plane.
#include "solver/constraint_residual.h"

#include <algorithm>
#include <cmath>

SceneObject movedObject(const SceneObject& obj, int mode, double parameter) {
    SceneObject m = obj;
    for (int k = 0; k < 2; ++k) {
        if (mode == MERGE_ROTATE) {
            const double c = std::cos(parameter), s = std::sin(parameter);
            m.x[k] = obj.x[k] * c - obj.y[k] * s;
            m.y[k] = obj.x[k] * s + obj.y[k] * c;
        } else {
            m.x[k] = obj.x[k] + parameter;
        }
    }
    return m;
}

double constraintViolation(const SceneObject& o, double x, double y, double r) {
    if (isLineKind(o.kind)) {
        const double dx = o.x[1] - o.x[0], dy = o.y[1] - o.y[0];
        const double len = std::hypot(dx, dy);
        if (!(len > 0.0))
            return HUGE_VAL;
        // Signed distance from the line, positive on its left.
        const double dist = (dx * (y - o.y[0]) - dy * (x - o.x[0])) / len;
        return std::fabs(o.kind == KIND_L ? dist - r : dist);
    }
    const double centreDist = std::hypot(x - o.x[0], y - o.y[0]);
    if (o.kind == KIND_C_PRIME)
        return std::fabs(centreDist - std::fabs(o.r));
    // Oriented circles touch when the distance of their centres is |r - ri|.
    return std::fabs(centreDist - std::fabs(r - o.r));
}

double constraintResidual(const SceneObject* const slots[2][2], int mode, double parameter,
                          double x, double y, double r) {
    double worst = 0.0;
    for (int c = 0; c < 2; ++c)
        for (int k = 0; k < 2; ++k) {
            if (!slots[c][k]) // a problem of three objects leaves one slot empty
                continue;
            const SceneObject obj =
                c == 1 ? movedObject(*slots[c][k], mode, parameter) : *slots[c][k];
            worst = std::max(worst, constraintViolation(obj, x, y, r));
        }
    return worst;
}

double candidateResidual(const MergeProblem& p, int n) {
    const SceneObject& s = p.solutions[n];
    if (s.kind == kComplexCandidate)
        return 0.0;
    return constraintResidual(p.slots, p.mode, p.parameter[n], s.x[0], s.y[0], s.r);
}
