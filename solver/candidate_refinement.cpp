// Newton's method in (x, y, z, motion) on the four constraint equations, with the
// Jacobian from forward-mode differentiation.
#include "solver/candidate_refinement.h"

#include "solver/constraint_residual.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kUnknowns = 4;
constexpr int kNewtonSteps = 16;
constexpr double kRelativeTolerance = 1e-9;
constexpr double kRoundingLevel = 1e-14;
// What rounding of the coordinates themselves costs a residual, far from the origin.
constexpr double kCoordinateRounding = 64.0 * std::numeric_limits<double>::epsilon();
// A circle this many scene extents outside the scene is a rounding artefact of a
// vanishing denominator, not a merge.
constexpr double kFarOutside = 1e7;

// A value with its derivatives along the four unknowns.
struct Jet {
    double v = 0;
    double d[kUnknowns] = {};
};

Jet operator+(Jet a, const Jet& b) {
    a.v += b.v;
    for (int i = 0; i < kUnknowns; ++i)
        a.d[i] += b.d[i];
    return a;
}
Jet operator-(Jet a, const Jet& b) {
    a.v -= b.v;
    for (int i = 0; i < kUnknowns; ++i)
        a.d[i] -= b.d[i];
    return a;
}
Jet operator*(const Jet& a, const Jet& b) {
    Jet r;
    r.v = a.v * b.v;
    for (int i = 0; i < kUnknowns; ++i)
        r.d[i] = a.d[i] * b.v + a.v * b.d[i];
    return r;
}
Jet operator*(double s, Jet a) {
    a.v *= s;
    for (double& di : a.d)
        di *= s;
    return a;
}
Jet constant(double v) {
    Jet r;
    r.v = v;
    return r;
}
Jet variable(double v, int index) {
    Jet r = constant(v);
    r.d[index] = 1.0;
    return r;
}
Jet cosJet(const Jet& a) {
    Jet r = (-std::sin(a.v)) * a;
    r.v = std::cos(a.v);
    return r;
}
Jet sinJet(const Jet& a) {
    Jet r = std::cos(a.v) * a;
    r.v = std::sin(a.v);
    return r;
}

struct MovedPoint {
    Jet x, y;
};

MovedPoint movePoint(double x, double y, bool moving, int mode, const Jet& p) {
    if (!moving)
        return {constant(x), constant(y)};
    if (mode == MERGE_ROTATE) {
        const Jet c = cosJet(p), s = sinJet(p);
        return {x * c - y * s, x * s + y * c};
    }
    return {constant(x) + p, constant(y)};
}

// Zero exactly when the circle (x, y, z) meets the constraint of o; smooth in all
// unknowns (squared distances for circles, signed distance for lines).
Jet equation(const SceneObject& o, bool moving, int mode, const Jet u[kUnknowns]) {
    const Jet &x = u[0], &y = u[1], &z = u[2], &p = u[3];
    const MovedPoint a = movePoint(o.x[0], o.y[0], moving, mode, p);
    if (!isLineKind(o.kind)) {
        const Jet dx = x - a.x, dy = y - a.y;
        const Jet dr = o.kind == KIND_C ? z - constant(o.r) : constant(o.r);
        return dx * dx + dy * dy - dr * dr;
    }
    const MovedPoint b = movePoint(o.x[1], o.y[1], moving, mode, p);
    const double len = std::hypot(o.x[1] - o.x[0], o.y[1] - o.y[0]);
    const Jet dist = (1.0 / len) * ((b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x));
    return o.kind == KIND_L ? dist - z : dist;
}

// Solves J·step = -F by Gaussian elimination with partial pivoting; false when J is
// numerically singular.
bool newtonStep(const Jet F[kUnknowns], double step[kUnknowns]) {
    double m[kUnknowns][kUnknowns + 1];
    double scale = 0.0;
    for (int r = 0; r < kUnknowns; ++r) {
        for (int c = 0; c < kUnknowns; ++c) {
            m[r][c] = F[r].d[c];
            scale = std::max(scale, std::fabs(m[r][c]));
        }
        m[r][kUnknowns] = -F[r].v;
    }
    if (!(scale > 0.0))
        return false;
    for (int col = 0; col < kUnknowns; ++col) {
        int pivot = col;
        for (int r = col + 1; r < kUnknowns; ++r)
            if (std::fabs(m[r][col]) > std::fabs(m[pivot][col]))
                pivot = r;
        if (!(std::fabs(m[pivot][col]) > 1e-13 * scale))
            return false;
        std::swap(m[pivot], m[col]);
        for (int r = col + 1; r < kUnknowns; ++r) {
            const double f = m[r][col] / m[col][col];
            for (int c = col; c <= kUnknowns; ++c)
                m[r][c] -= f * m[col][c];
        }
    }
    for (int r = kUnknowns - 1; r >= 0; --r) {
        double s = m[r][kUnknowns];
        for (int c = r + 1; c < kUnknowns; ++c)
            s -= m[r][c] * step[c];
        step[r] = s / m[r][r];
    }
    return std::all_of(step, step + kUnknowns, [](double v) { return std::isfinite(v); });
}

double residualOf(const MergeProblem& p, const double u[kUnknowns]) {
    return constraintResidual(p.slots, p.mode, u[3], u[0], u[1], u[2]);
}

} // namespace

SceneScale sceneScale(const MergeProblem& p, double parameter) {
    double lo[2] = {HUGE_VAL, HUGE_VAL}, hi[2] = {-HUGE_VAL, -HUGE_VAL};
    auto include = [&](double x, double y, double halfWidth) {
        const double v[2] = {x, y};
        for (int k = 0; k < 2; ++k) {
            lo[k] = std::min(lo[k], v[k] - halfWidth);
            hi[k] = std::max(hi[k], v[k] + halfWidth);
        }
    };
    // One turn for every moved point (the same arithmetic as movedObject).
    const bool rotate = p.mode == MERGE_ROTATE;
    const double c = rotate ? std::cos(parameter) : 1.0, s = rotate ? std::sin(parameter) : 0.0;
    auto includeObject = [&](const SceneObject& o, bool moved) {
        const int points = isLineKind(o.kind) ? 2 : 1;
        const double halfWidth = isLineKind(o.kind) ? 0.0 : std::fabs(o.r);
        for (int k = 0; k < points; ++k) {
            if (!moved)
                include(o.x[k], o.y[k], halfWidth);
            else if (rotate)
                include(o.x[k] * c - o.y[k] * s, o.x[k] * s + o.y[k] * c, halfWidth);
            else
                include(o.x[k] + parameter, o.y[k], halfWidth);
        }
    };
    for (int k = 0; k < 4; ++k) {
        const SceneObject& o = *p.slots[k / 2][k % 2];
        includeObject(o, false);
        if (k >= 2)
            includeObject(o, true);
    }
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

namespace {

void refineOne(MergeProblem& p, int n, const SceneScale& scale) {
    SceneObject& s = p.solutions[n];
    double best[kUnknowns] = {s.x[0], s.y[0], s.r, p.parameter[n]};
    double bestResidual = residualOf(p, best);
    // Already exact to rounding: nothing to gain.
    if (bestResidual <= kRoundingLevel * (scale.extent + scale.magnitude))
        return;
    double u[kUnknowns];
    std::copy(best, best + kUnknowns, u);
    for (int iter = 0; iter < kNewtonSteps && bestResidual > 0.0; ++iter) {
        Jet vars[kUnknowns];
        for (int i = 0; i < kUnknowns; ++i)
            vars[i] = variable(u[i], i);
        Jet F[kUnknowns];
        for (int k = 0; k < 4; ++k)
            F[k] = equation(*p.slots[k / 2][k % 2], k >= 2, p.mode, vars);
        double step[kUnknowns];
        if (!newtonStep(F, step))
            break;
        for (int i = 0; i < kUnknowns; ++i)
            u[i] += step[i];
        const double r = residualOf(p, u);
        if (!std::isfinite(r))
            break;
        if (!(r < bestResidual))
            break; // converged, or leaving the root
        bestResidual = r;
        std::copy(u, u + kUnknowns, best);
    }
    s.x[0] = best[0];
    s.y[0] = best[1];
    s.r = best[2];
    p.parameter[n] = best[3];
}

} // namespace

double acceptedResidual(const SceneScale& scale) {
    return kRelativeTolerance * scale.extent + kCoordinateRounding * scale.magnitude;
}

bool atInfinity(const SceneObject& s, const SceneScale& scale) {
    const double bound = scale.magnitude + kFarOutside * scale.extent;
    return !(std::fabs(s.x[0]) <= bound && std::fabs(s.y[0]) <= bound && std::fabs(s.r) <= bound);
}

void refineCandidates(MergeProblem& p, int first) {
    int kept = first;
    for (int n = first; n < p.solutionCount; ++n) {
        const bool complex = p.solutions[n].kind == kComplexCandidate;
        if (!complex) {
            const double unrefined = p.parameter[n];
            SceneScale scale = sceneScale(p, unrefined);
            refineOne(p, n, scale);
            if (p.parameter[n] != unrefined)
                scale = sceneScale(p, p.parameter[n]);
            if (atInfinity(p.solutions[n], scale) ||
                !(candidateResidual(p, n) <= acceptedResidual(scale)))
                continue;
        }
        if (kept != n) {
            p.solutions[kept] = p.solutions[n];
            p.parameter[kept] = p.parameter[n];
        }
        ++kept;
    }
    p.solutionCount = kept;
}
