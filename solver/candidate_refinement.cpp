// Newton's method in (x, y, z, motion) on the four constraint equations, with their
// Jacobian written out by hand; the four objects are read once per solve.
#include "solver/candidate_refinement.h"

#include "solver/constraint_residual.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kUnknowns = 4;
// A closed-form root is off by little more than rounding, and Newton's convergence is
// quadratic: two steps reach rounding level, the rest are a safeguard.
constexpr int kNewtonSteps = 5;
// A Newton step this many units of rounding long changes nothing that matters.
constexpr double kConvergedStep = 64.0;
// After a step this small relative to the scene (in units of rounding: 1e-8), the
// next would be of its square: below rounding, unless the equations are badly
// conditioned, which the residual then shows.
constexpr double kQuadraticallyConverged = 1e-8 / std::numeric_limits<double>::epsilon();
// A change of the parameter this small next to the scene leaves its measure as it is.
constexpr double kNegligibleMove = 1e-6;
constexpr double kEps = std::numeric_limits<double>::epsilon();
constexpr double kRelativeTolerance = 1e-9;
constexpr double kRoundingLevel = 2e-15;
// What rounding of the coordinates themselves costs a residual, far from the origin.
constexpr double kCoordinateRounding = 64.0 * kEps;
// A circle this many scene extents outside the scene is a rounding artefact of a
// vanishing denominator, not a merge.
constexpr double kFarOutside = 1e7;

// Cluster 2's motion at one parameter: a shift, or a turn with its cosine and sine.
struct Motion {
    bool rotate = false;
    double shift = 0, c = 1, s = 0;
};

Motion motionOf(int mode, double parameter) {
    Motion m;
    if (mode == MERGE_ROTATE) {
        m.rotate = true;
        // cos and sin of a zero angle are 1 and the zero itself, exactly.
        m.c = parameter == 0.0 ? 1.0 : std::cos(parameter);
        m.s = parameter == 0.0 ? parameter : std::sin(parameter);
    } else {
        m.shift = parameter;
    }
    return m;
}

void movePoint(const Motion& m, double& x, double& y) {
    if (m.rotate) {
        const double xr = x * m.c - y * m.s;
        y = x * m.s + y * m.c;
        x = xr;
    } else {
        x += m.shift;
    }
}

// One constraint as the refinement reads it: a circle's centre and radius, or a
// point of a line and its unit direction.
struct Constraint {
    int kind = KIND_C;
    bool moving = false;
    double x0 = 0, y0 = 0, r = 0;
    double ux = 0, uy = 0;
};

struct Constraints {
    Constraint item[4];
    int mode = MERGE_TRANSLATE;
    bool valid = true; // false when a line has no direction: nothing can meet it
};

Constraints prepare(const MergeProblem& p) {
    Constraints set;
    set.mode = p.mode;
    for (int k = 0; k < 4; ++k) {
        const SceneObject& o = *p.slots[k / 2][k % 2];
        Constraint& c = set.item[k];
        c.kind = o.kind;
        c.moving = k >= 2;
        c.x0 = o.x[0];
        c.y0 = o.y[0];
        c.r = o.r;
        if (isLineKind(o.kind)) {
            const double len = std::hypot(o.x[1] - o.x[0], o.y[1] - o.y[0]);
            if (!(len > 0.0) || !std::isfinite(len))
                set.valid = false;
            c.ux = (o.x[1] - o.x[0]) / len;
            c.uy = (o.y[1] - o.y[0]) / len;
        }
    }
    return set;
}

// Violation of one constraint in distance units, as constraintViolation measures it.
double violation(const Constraint& k, const Motion& m, double x, double y, double z) {
    double ax = k.x0, ay = k.y0;
    if (k.moving)
        movePoint(m, ax, ay);
    if (!isLineKind(k.kind)) {
        const double centreDist = std::sqrt((x - ax) * (x - ax) + (y - ay) * (y - ay));
        return std::fabs(centreDist - std::fabs(k.kind == KIND_C ? z - k.r : k.r));
    }
    double ux = k.ux, uy = k.uy;
    if (k.moving && m.rotate) {
        const double turned = ux * m.c - uy * m.s;
        uy = ux * m.s + uy * m.c;
        ux = turned;
    }
    const double dist = ux * (y - ay) - uy * (x - ax);
    return std::fabs(k.kind == KIND_L ? dist - z : dist);
}

// The residual of u, cluster 2 moved by m (the motion of u's parameter).
double residualOf(const Constraints& set, const double u[kUnknowns], const Motion& m) {
    if (!set.valid)
        return HUGE_VAL;
    double worst = 0.0;
    for (const Constraint& k : set.item) {
        const double v = violation(k, m, u[0], u[1], u[2]);
        // Squares of coordinates beyond 1e154 overflow (a NaN or an infinity):
        // the caller measures those the slow, safe way.
        if (!(v < HUGE_VAL))
            return HUGE_VAL;
        worst = std::max(worst, v);
    }
    return worst;
}

// The four equations (squared distances for circles, signed distances for lines,
// zero exactly at a merge) and their derivatives along x, y, z and the motion; m is
// the motion of u's parameter.
void equations(const Constraints& set, const double u[kUnknowns], const Motion& m, double F[4],
               double J[4][kUnknowns]) {
    const double x = u[0], y = u[1], z = u[2];
    for (int k = 0; k < 4; ++k) {
        const Constraint& o = set.item[k];
        double ax = o.x0, ay = o.y0;
        // How the object's point moves with the parameter.
        double dax = 0.0, day = 0.0;
        if (o.moving) {
            movePoint(m, ax, ay);
            if (m.rotate) {
                dax = -ay;
                day = ax;
            } else {
                dax = 1.0;
            }
        }
        if (!isLineKind(o.kind)) {
            const double dx = x - ax, dy = y - ay;
            const double dr = o.kind == KIND_C ? z - o.r : o.r;
            F[k] = dx * dx + dy * dy - dr * dr;
            J[k][0] = 2.0 * dx;
            J[k][1] = 2.0 * dy;
            J[k][2] = o.kind == KIND_C ? -2.0 * dr : 0.0;
            J[k][3] = -2.0 * (dx * dax + dy * day);
            continue;
        }
        double ux = o.ux, uy = o.uy, dux = 0.0, duy = 0.0;
        if (o.moving && m.rotate) {
            const double turned = ux * m.c - uy * m.s;
            uy = ux * m.s + uy * m.c;
            ux = turned;
            dux = -uy;
            duy = ux;
        }
        const double dist = ux * (y - ay) - uy * (x - ax);
        F[k] = o.kind == KIND_L ? dist - z : dist;
        J[k][0] = -uy;
        J[k][1] = ux;
        J[k][2] = o.kind == KIND_L ? -1.0 : 0.0;
        J[k][3] = dux * (y - ay) - ux * day - duy * (x - ax) + uy * dax;
    }
}

// Solves J·step = -F by Gaussian elimination with partial pivoting; false when J is
// numerically singular.
bool newtonStep(const double F[4], const double J[4][kUnknowns], double step[kUnknowns]) {
    double m[kUnknowns][kUnknowns + 1];
    double scale = 0.0;
    for (int r = 0; r < kUnknowns; ++r) {
        for (int c = 0; c < kUnknowns; ++c) {
            m[r][c] = J[r][c];
            scale = std::max(scale, std::fabs(m[r][c]));
        }
        m[r][kUnknowns] = -F[r];
    }
    if (!(scale > 0.0))
        return false;
        // Every loop unrolled: with the column fixed, each bound below is a constant too.
#pragma GCC unroll 4
    for (int col = 0; col < kUnknowns; ++col) {
        int pivot = col;
#pragma GCC unroll 4
        for (int r = col + 1; r < kUnknowns; ++r)
            if (std::fabs(m[r][col]) > std::fabs(m[pivot][col]))
                pivot = r;
        if (!(std::fabs(m[pivot][col]) > 1e-13 * scale))
            return false;
        if (pivot != col)
            std::swap(m[pivot], m[col]);
#pragma GCC unroll 4
        for (int r = col + 1; r < kUnknowns; ++r) {
            const double f = m[r][col] / m[col][col];
            // The whole row, although the columns left of col are never read again:
            // fixed bounds let the compiler unroll the update.
#pragma GCC unroll 5
            for (int c = 0; c <= kUnknowns; ++c)
                m[r][c] -= f * m[col][c];
        }
    }
#pragma GCC unroll 4
    for (int r = kUnknowns - 1; r >= 0; --r) {
        double s = m[r][kUnknowns];
#pragma GCC unroll 4
        for (int c = r + 1; c < kUnknowns; ++c)
            s -= m[r][c] * step[c];
        step[r] = s / m[r][r];
    }
    return std::all_of(step, step + kUnknowns, [](double v) { return std::isfinite(v); });
}

// The residual of u (its own, or the independent one where squares overflow).
double residualAt(const MergeProblem& p, const Constraints& set, const double u[kUnknowns],
                  const Motion& m) {
    const double fast = residualOf(set, u, m);
    if (fast < HUGE_VAL || !set.valid)
        return fast;
    return constraintResidual(p.slots, p.mode, u[3], u[0], u[1], u[2]);
}

// Newton's step at u, in units of rounding of the scene (an angle in radians), so
// that one limit serves every unknown.
double stepInRoundingUnits(const double step[kUnknowns], const double u[kUnknowns],
                           const SceneScale& scale, int mode) {
    double largest = 0.0;
    for (int i = 0; i < kUnknowns; ++i) {
        const double reference =
            i == 3 && mode == MERGE_ROTATE ? 1.0 : scale.extent + scale.magnitude;
        largest = std::max(largest, std::fabs(step[i]) / (kEps * (std::fabs(u[i]) + reference)));
    }
    return largest;
}

// The residual below which Newton has nothing to gain. A circle far outside the scene
// cannot meet its constraints closer than rounding of its own coordinates: below
// that, Newton's steps follow the noise away from it.
double roundingLevelOf(const SceneScale& scale, const double u[kUnknowns]) {
    const double candidateSize = std::max({std::fabs(u[0]), std::fabs(u[1]), std::fabs(u[2])});
    return kRoundingLevel * std::max(scale.extent + scale.magnitude, candidateSize);
}

// Polishes u in place and returns its residual; the starting residual and u's motion
// are given, and uMotion is kept the motion of u (a turn's cosine and sine are taken
// once per angle). Newton runs until its step is at rounding level: where the
// equations are badly conditioned a small residual does not yet mean a small error.
double refine(const MergeProblem& p, const Constraints& set, const SceneScale& scale,
              double u[kUnknowns], double residual, Motion& uMotion) {
    const double roundingLevel = roundingLevelOf(scale, u);
    // Already exact to rounding: nothing to gain.
    if (residual <= roundingLevel || !set.valid)
        return residual;
    double trial[kUnknowns];
    std::copy(u, u + kUnknowns, trial);
    Motion trialMotion = uMotion;
    // The polished point replaces u only when it meets the constraints better.
    auto keepIfBetter = [&](double polishedResidual) {
        if (!(polishedResidual < residual))
            return residual;
        std::copy(trial, trial + kUnknowns, u);
        uMotion = trialMotion;
        return polishedResidual;
    };
    double previousStep = HUGE_VAL;
    for (int iter = 0; iter < kNewtonSteps; ++iter) {
        double F[4], J[4][kUnknowns], step[kUnknowns];
        equations(set, trial, trialMotion, F, J);
        if (!newtonStep(F, J, step))
            break;
        const double size = stepInRoundingUnits(step, trial, scale, set.mode);
        if (!(size < previousStep))
            break; // no longer converging: leaving the root, or noise
        for (int i = 0; i < kUnknowns; ++i)
            trial[i] += step[i];
        trialMotion = motionOf(set.mode, trial[3]);
        previousStep = size;
        if (size <= kConvergedStep)
            break;
        if (size <= kQuadraticallyConverged) {
            const double r = residualAt(p, set, trial, trialMotion);
            if (r <= roundingLevel)
                return keepIfBetter(r);
        }
    }
    return keepIfBetter(residualAt(p, set, trial, trialMotion));
}

} // namespace

namespace {

// A bounding box of points widened by their half widths.
struct Box {
    double lo[2] = {HUGE_VAL, HUGE_VAL}, hi[2] = {-HUGE_VAL, -HUGE_VAL};

    void include(double x, double y, double halfWidth) {
        lo[0] = std::min(lo[0], x - halfWidth);
        hi[0] = std::max(hi[0], x + halfWidth);
        lo[1] = std::min(lo[1], y - halfWidth);
        hi[1] = std::max(hi[1], y + halfWidth);
    }
    // Every point of the object, moved by m when given.
    void include(const SceneObject& o, const Motion* m) {
        const bool line = isLineKind(o.kind);
        const double halfWidth = line ? 0.0 : std::fabs(o.r);
        for (int i = 0; i < (line ? 2 : 1); ++i) {
            double x = o.x[i], y = o.y[i];
            if (m)
                movePoint(*m, x, y);
            include(x, y, halfWidth);
        }
    }
};

// What of the scene does not depend on the parameter: cluster 1 and cluster 2 where
// it stands (fixed), and cluster 2 alone, which a shift only slides along x.
struct SceneParts {
    Box fixed, cluster2;
};

SceneParts scenePartsOf(const MergeProblem& p) {
    SceneParts parts;
    for (int k = 0; k < 4; ++k) {
        const SceneObject& o = *p.slots[k / 2][k % 2];
        parts.fixed.include(o, nullptr);
        if (k >= 2)
            parts.cluster2.include(o, nullptr);
    }
    return parts;
}

SceneScale scaleOf(const Box& box) {
    const double* lo = box.lo;
    const double* hi = box.hi;
    SceneScale scale;
    scale.extent = std::max(hi[0] - lo[0], hi[1] - lo[1]);
    scale.magnitude =
        std::max({std::fabs(lo[0]), std::fabs(hi[0]), std::fabs(lo[1]), std::fabs(hi[1])});
    scale.centreX = 0.5 * (lo[0] + hi[0]);
    scale.centreY = 0.5 * (lo[1] + hi[1]);
    if (!std::isfinite(scale.extent) || !std::isfinite(scale.magnitude))
        scale = {HUGE_VAL, HUGE_VAL, 0.0, 0.0};
    return scale;
}

// The scene's measure with cluster 2 moved by m, from its parts.
SceneScale sceneScaleMoved(const MergeProblem& p, const SceneParts& parts, const Motion& m) {
    Box box = parts.fixed;
    if (m.rotate) {
        for (int k = 0; k < 2; ++k)
            box.include(*p.slots[1][k], &m);
    } else {
        const Box& c2 = parts.cluster2;
        box.include(c2.lo[0] + m.shift, c2.lo[1], 0.0);
        box.include(c2.hi[0] + m.shift, c2.hi[1], 0.0);
    }
    return scaleOf(box);
}

} // namespace

SceneScale sceneScale(const MergeProblem& p, double parameter) {
    const Motion m = motionOf(p.mode, parameter);
    Box box;
    for (int k = 0; k < 4; ++k) {
        const SceneObject& o = *p.slots[k / 2][k % 2];
        box.include(o, nullptr);
        // Cluster 2 counts both where it stands and where the parameter moves it.
        if (k >= 2)
            box.include(o, &m);
    }
    return scaleOf(box);
}

double acceptedResidual(const SceneScale& scale) {
    return kRelativeTolerance * scale.extent + kCoordinateRounding * scale.magnitude;
}

bool atInfinity(const SceneObject& s, const SceneScale& scale) {
    const double bound = scale.magnitude + kFarOutside * scale.extent;
    return !(std::fabs(s.x[0]) <= bound && std::fabs(s.y[0]) <= bound && std::fabs(s.r) <= bound);
}

namespace {

// Refines real candidate n of p in place; whether it meets its constraints.
bool refinedAndAccepted(MergeProblem& p, int n, const Constraints& set, const SceneParts& parts,
                        const SceneScale& unmoved) {
    SceneObject& s = p.solutions[n];
    double u[kUnknowns] = {s.x[0], s.y[0], s.r, p.parameter[n]};
    // One turn serves the scene's measure and the residual.
    Motion motion = motionOf(p.mode, u[3]);
    const double start = residualAt(p, set, u, motion);
    // Exact to rounding and accepted even in the unmoved scene's measure: in its own
    // it would be left as it is and accepted too.
    if (start <= roundingLevelOf(unmoved, u) && !atInfinity(s, unmoved) &&
        start <= acceptedResidual(unmoved))
        return true;
    SceneScale scale = sceneScaleMoved(p, parts, motion);
    const double residual = refine(p, set, scale, u, start, motion);
    // The scene moves with the parameter; a polish of a few units of rounding cannot
    // change its measure by anything the acceptance could notice.
    const double moved =
        std::fabs(u[3] - p.parameter[n]) * (p.mode == MERGE_ROTATE ? scale.magnitude : 1.0);
    if (!(moved <= kNegligibleMove * scale.extent))
        scale = sceneScaleMoved(p, parts, motion);
    s.x[0] = u[0];
    s.y[0] = u[1];
    s.r = u[2];
    p.parameter[n] = u[3];
    return !atInfinity(s, scale) && residual <= acceptedResidual(scale);
}

} // namespace

void refineCandidates(MergeProblem& p, int first) {
    if (first >= p.solutionCount)
        return;
    const Constraints set = prepare(p);
    const SceneParts parts = scenePartsOf(p);
    // Every moved scene holds the unmoved one, so its measure and each level below,
    // which only grow with it, are at least the unmoved scene's.
    const SceneScale unmoved = scaleOf(parts.fixed);
    int kept = first;
    for (int n = first; n < p.solutionCount; ++n) {
        if (p.solutions[n].kind != kComplexCandidate &&
            !refinedAndAccepted(p, n, set, parts, unmoved))
            continue;
        if (kept != n) {
            p.solutions[kept] = p.solutions[n];
            p.parameter[kept] = p.parameter[n];
        }
        ++kept;
    }
    p.solutionCount = kept;
}
