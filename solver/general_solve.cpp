// The exact system of a merge in either mode, and its real candidates.
#include "solver/general_solve.h"

#include "solver/line_plane.h"

#include <cmath>

namespace {

const Expr kX = Expr::unknown("x"), kY = Expr::unknown("y"), kZ = Expr::unknown("z");
const Expr kD = Expr::unknown("d"), kT = Expr::unknown("t");

} // namespace

std::optional<Expr> constraintEquation(const SceneObject& obj, bool moving, int mode) {
    const bool cone = obj.kind == KIND_C;
    if (isLineKind(obj.kind)) {
        LinePlane p;
        if (!linePlane(obj, p))
            return std::nullopt;
        if (!moving)
            return p.a * kX + p.b * kY + p.c * kZ + p.e;
        if (mode == MERGE_TRANSLATE)
            return p.a * kX + p.b * kY + p.c * kZ + p.e - p.a * kD;
        // The normal (a, b) turns with the line; the offset e stays.
        const Expr u = 1.0 - kT * kT, w = 1.0 + kT * kT;
        return (p.a * u - 2.0 * p.b * kT) * kX + (2.0 * p.a * kT + p.b * u) * kY + p.c * w * kZ +
               p.e * w;
    }
    const double xi = obj.x[0], yi = obj.y[0], ri = obj.r;
    if (moving && mode == MERGE_ROTATE) {
        // The turned centre is (X, Y)/(1 + t^2); everything is multiplied by (1 + t^2)^2.
        const Expr u = 1.0 - kT * kT, w = 1.0 + kT * kT;
        const Expr radial = cone ? pow(kZ - ri, 2) : pow(Expr(ri), 2);
        return pow(w * kX - xi * u + 2.0 * yi * kT, 2) + pow(w * kY - 2.0 * xi * kT - yi * u, 2) -
               pow(w, 2) * radial;
    }
    const Expr cx = moving ? Expr(xi) + kD : Expr(xi);
    const Expr radial = cone ? pow(kZ - ri, 2) : pow(Expr(ri), 2);
    return pow(kX - cx, 2) + pow(kY - yi, 2) - radial;
}

bool mergeSystem(const SceneObject* const slots[2][2], int mode, EngineSystem& out) {
    out = EngineSystem{};
    for (int c = 0; c < 2; ++c)
        for (int s = 0; s < 2; ++s) {
            const std::optional<Expr> e = constraintEquation(*slots[c][s], c == CLUSTER_2, mode);
            if (!e)
                return false;
            out.equations.push_back(*e);
        }
    const bool rotate = mode == MERGE_ROTATE;
    out.unknowns = {"x", "y", "z", rotate ? "t" : "d"};
    if (rotate)
        out.excluded.push_back(1.0 + kT * kT);
    return true;
}

bool nearlyReal(const EngineRoot& root) {
    auto tiny = [](std::complex<double> v) {
        return std::fabs(v.imag()) <= 1e-6 * (1.0 + std::fabs(v.real()));
    };
    if (root.kind == RootKind::NotNumeric)
        return false;
    for (const std::complex<double>& v : root.values)
        if (!tiny(v))
            return false;
    for (const EngineValue& v : root.outputs)
        if (!tiny(v.value))
            return false;
    return true;
}

namespace {

ExactSolutions collect(const EngineResult& roots, int mode, double fixedParameter) {
    ExactSolutions out;
    for (const EngineRoot& root : roots) {
        if (root.kind == RootKind::NotNumeric)
            ++out.curves;
        if (root.kind == RootKind::NotNumeric || !nearlyReal(root))
            continue;
        double parameter = fixedParameter;
        if (root.values.size() == 4) {
            const double s = root.values[3].real();
            parameter = mode == MERGE_ROTATE ? 2.0 * std::atan(s) : s;
        }
        out.real.push_back(
            {parameter, root.values[0].real(), root.values[1].real(), root.values[2].real()});
    }
    return out;
}

bool radiusFree(const SceneObject* const slots[2][2]) {
    for (int k = 0; k < 4; ++k) {
        const int kind = slots[k / 2][k % 2]->kind;
        if (kind == KIND_C || kind == KIND_L)
            return false;
    }
    return true;
}

// Solves system; when only centre constraints hold the circle, its radius z is in no
// equation, and every real centre (found with z pinned to 0) is a whole line of circles.
std::optional<ExactSolutions> solveFor(EngineSession& engine, EngineSystem& system, bool freeZ,
                                       int mode, double fixedParameter) {
    if (freeZ)
        system.equations.push_back(kZ);
    const std::optional<EngineResult> roots = engine.solve(system);
    if (!roots)
        return std::nullopt;
    if (!freeZ)
        return collect(*roots, mode, fixedParameter);
    ExactSolutions lines;
    for (const EngineRoot& root : *roots)
        if (root.kind == RootKind::NotNumeric || nearlyReal(root))
            ++lines.curves;
    return lines;
}

} // namespace

std::optional<ExactSolutions> exactCandidates(EngineSession& engine,
                                              const SceneObject* const slots[2][2], int mode) {
    EngineSystem system;
    if (!mergeSystem(slots, mode, system))
        return std::nullopt;
    return solveFor(engine, system, radiusFree(slots), mode, 0.0);
}

std::optional<ExactSolutions> halfTurnCandidates(EngineSession& engine,
                                                 const SceneObject* const slots[2][2]) {
    EngineSystem system;
    for (int c = 0; c < 2; ++c)
        for (int s = 0; s < 2; ++s) {
            SceneObject o = *slots[c][s];
            if (c == CLUSTER_2)
                for (int k = 0; k < 2; ++k) {
                    o.x[k] = -o.x[k];
                    o.y[k] = -o.y[k];
                }
            const std::optional<Expr> e = constraintEquation(o, false, MERGE_ROTATE);
            if (!e)
                return std::nullopt;
            system.equations.push_back(*e);
        }
    system.unknowns = {"x", "y", "z"};
    return solveFor(engine, system, radiusFree(slots), MERGE_ROTATE, M_PI);
}
