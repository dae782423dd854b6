// What every solve does around the dispatched solver: translation in coordinates
// local to the four objects, and the exact system of the four constraints wherever
// a closed form passed a degenerate step, merged with the closed form's candidates.
#include "solver/candidate_refinement.h"
#include "solver/general_solve.h"
#include "solver/merge_problem.h"

#include <cmath>
#include <cstring>

namespace {

// Candidates closer than this, relative to the scene, are one merge found twice.
constexpr double kSameMerge = 1e-6;
// Objects this many times their extent away from the origin.
constexpr double kFarFromOrigin = 1e3;

void shift(SceneObject& o, double dx, double dy) {
    for (int k = 0; k < 2; ++k) {
        o.x[k] += dx;
        o.y[k] += dy;
    }
}

} // namespace

double MergeProblem::objectsExtent() const {
    return sceneScale(*this, 0.0).extent;
}

bool MergeProblem::farFromOrigin() const {
    const SceneScale scene = sceneScale(*this, 0.0);
    return scene.magnitude > kFarFromOrigin * scene.extent;
}

int MergeProblem::solveLocally(const KindCounts& counts) {
    const SceneScale scene = sceneScale(*this, 0.0);
    const double cx = scene.centreX, cy = scene.centreY;
    // Near the origin already (or nowhere at all): nothing to gain.
    if (!(std::fmax(std::fabs(cx), std::fabs(cy)) > scene.extent) || !std::isfinite(cx + cy))
        return solveHere(counts);
    SceneObject local[2][2];
    SceneObject* original[2][2];
    for (int c = 0; c < 2; ++c)
        for (int s = 0; s < 2; ++s) {
            original[c][s] = slots[c][s];
            local[c][s] = *slots[c][s];
            shift(local[c][s], -cx, -cy);
            slots[c][s] = &local[c][s];
        }
    const int before = solutionCount;
    const int result = solveHere(counts);
    std::memcpy(slots, original, sizeof slots);
    for (int n = storeReplaced ? 0 : before; n < solutionCount; ++n)
        if (solutions[n].kind == KIND_C) {
            solutions[n].x[0] += cx;
            solutions[n].y[0] += cy;
        }
    return result;
}

bool MergeProblem::addExactCandidates(int first) {
    EngineSession engine;
    if (!engine.started())
        return true;
    int curves = curvesSeen;
    const int exactFrom = solutionCount;
    auto append = [&](const std::optional<ExactSolutions>& found) {
        if (!found)
            return;
        curves += found->curves;
        for (const ExactCandidate& c : found->real)
            appendCandidate(KIND_C, c.x, c.y, c.r, c.parameter);
    };
    // The rotation engine solver already solved this very system.
    if (std::strcmp(solverName, "R_RemainSolver") != 0)
        append(exactCandidates(engine, slots, mode));
    if (mode == MERGE_ROTATE)
        append(halfTurnCandidates(engine, slots));
    if (curves > 0)
        return false;
    refineCandidates(*this, exactFrom);
    dropRepeats(exactFrom, first);
    return true;
}

void MergeProblem::appendRealPartOrComplex(double x, double y, double r, double param,
                                           std::complex<double> motion) {
    const int before = solutionCount;
    if (appendCandidate(KIND_C, x, y, r, param)) {
        refineCandidates(*this, before);
        if (solutionCount > before)
            return;
    }
    appendCandidate(kComplexCandidate, motion.real(), motion.imag(), 0.0, 0.0);
}

void MergeProblem::dropRepeats(int from, int against) {
    const double tol = kSameMerge * std::fmax(sceneScale(*this, 0.0).extent, 1e-300);
    auto same = [&](int a, int b) {
        const SceneObject &s = solutions[a], &t = solutions[b];
        if (s.kind != t.kind)
            return false;
        const double dp = mode == MERGE_ROTATE
                              ? std::remainder(parameter[a] - parameter[b], 2.0 * M_PI)
                              : parameter[a] - parameter[b];
        const double paramTol = mode == MERGE_ROTATE ? kSameMerge : tol;
        if (s.kind == kComplexCandidate)
            return std::fabs(s.x[0] - t.x[0]) <= paramTol && std::fabs(s.y[0] - t.y[0]) <= paramTol;
        return std::fabs(dp) <= paramTol && std::fabs(s.x[0] - t.x[0]) <= tol &&
               std::fabs(s.y[0] - t.y[0]) <= tol && std::fabs(s.r - t.r) <= tol;
    };
    int kept = from;
    for (int n = from; n < solutionCount; ++n) {
        bool repeat = false;
        for (int m = against; m < kept && !repeat; ++m)
            repeat = same(n, m);
        if (repeat)
            continue;
        if (kept != n) {
            solutions[kept] = solutions[n];
            parameter[kept] = parameter[n];
        }
        ++kept;
    }
    solutionCount = kept;
}
