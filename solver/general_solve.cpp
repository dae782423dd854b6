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

std::optional<std::vector<ExactCandidate>>
exactCandidates(EngineSession& engine, const SceneObject* const slots[2][2], int mode) {
    EngineSystem system;
    if (!mergeSystem(slots, mode, system))
        return std::nullopt;
    const std::optional<EngineResult> roots = engine.solve(system);
    if (!roots)
        return std::nullopt;
    std::vector<ExactCandidate> out;
    for (const EngineRoot& root : *roots) {
        if (root.kind != RootKind::Real)
            continue;
        const double s = root.values[3].real();
        const double parameter = mode == MERGE_ROTATE ? 2.0 * std::atan(s) : s;
        out.push_back(
            {parameter, root.values[0].real(), root.values[1].real(), root.values[2].real()});
    }
    return out;
}

int appendExactCandidates(MergeProblem& p) {
    EngineSession engine;
    if (!engine.started())
        return 0;
    const std::optional<std::vector<ExactCandidate>> found =
        exactCandidates(engine, p.slots, p.mode);
    if (!found)
        return 0;
    int appended = 0;
    for (const ExactCandidate& c : *found)
        appended += p.appendCandidate(KIND_C, c.x, c.y, c.r, c.parameter) ? 1 : 0;
    return appended;
}
