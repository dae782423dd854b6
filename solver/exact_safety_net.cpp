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
// How far off a closed-form candidate may be and still be the exact system's merge.
constexpr double kConfirmingDistance = 1e-3;
// Objects this many times their extent away from the origin.
constexpr double kFarFromOrigin = 1e3;

// The shift toward the origin along one axis. A scene within two extents of the
// origin loses no digits and is solved as given: the isolated merges of objects that
// line up only to rounding move with any rounding of the data, and the safety net
// must see the data the user gave. Farther out the shift is the centre rounded to a
// multiple of the unit in the last place of the largest coordinate there, so that
// every coordinate moves exactly: each is a multiple of its own unit, and so is its
// difference with the shift, which is smaller than the coordinate itself.
double exactShift(double centre, double extent) {
    if (!(std::fabs(centre) > 2.0 * extent) || !std::isfinite(centre))
        return 0.0;
    const double unit = std::ldexp(1.0, std::ilogb(std::fabs(centre) + extent) - 52);
    return std::nearbyint(centre / unit) * unit;
}

void shift(SceneObject& o, double dx, double dy) {
    for (int k = 0; k < 2; ++k) {
        o.x[k] += dx;
        o.y[k] += dy;
    }
}

} // namespace

double MergeProblem::objectsExtent() const {
    return unmovedScale().extent;
}

bool MergeProblem::farFromOrigin() const {
    const SceneScale scene = unmovedScale();
    return scene.magnitude > kFarFromOrigin * scene.extent;
}

int MergeProblem::solveLocally(const KindCounts& counts) {
    const SceneScale scene = sceneScale(*this, 0.0);
    const double cx = exactShift(scene.centreX, scene.extent);
    const double cy = exactShift(scene.centreY, scene.extent);
    // Near the origin already (or nowhere at all): nothing to gain.
    if (cx == 0.0 && cy == 0.0)
        return solveHere(counts, &scene);
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
    bool fullSystem = false;
    if (ranSolver != &MergeProblem::R_RemainSolver) {
        const std::optional<ExactSolutions> found = exactCandidates(engine, slots, mode);
        fullSystem = found.has_value();
        append(found);
    }
    if (mode == MERGE_ROTATE)
        append(halfTurnCandidates(engine, slots));
    if (curves > 0)
        return false;
    refineCandidates(*this, exactFrom);
    const int newFrom = fullSystem ? keepConfirmed(first, exactFrom) : exactFrom;
    dropRepeats(newFrom, first);
    exactSupplied = exactSupplied || storedRealSince(newFrom);
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

int MergeProblem::keepConfirmed(int first, int exactFrom) {
    // A closed-form root near a degenerate step can meet the constraints to rounding
    // and still sit off the true merge (the residual grows only with the square of the
    // error there): the exact system's circle replaces it, and a circle the exact
    // system does not have goes. Each exact circle confirms one closed-form root; a
    // second root on it is the closed form's double root, kept as such, unless the
    // exact system holds another merge at that motion which the pole of the closed
    // form hid: that merge then stands for it.
    bool confirmed[kMaxSolutions] = {};
    auto otherMergeAtMotion = [&](int m) {
        for (int k = exactFrom; k < solutionCount; ++k)
            if (!confirmed[k] && solutions[k].kind == KIND_C && sameMotion(k, m, kSameMerge))
                return true;
        return false;
    };
    int kept = first;
    for (int n = first; n < exactFrom; ++n) {
        if (solutions[n].kind == KIND_C) {
            int match = -1, repeated = -1;
            for (int m = exactFrom; m < solutionCount && match < 0; ++m)
                if (sameMerge(n, m, kConfirmingDistance)) {
                    if (!confirmed[m])
                        match = m;
                    else if (repeated < 0)
                        repeated = m;
                }
            if (match < 0 && repeated >= 0 && !otherMergeAtMotion(repeated))
                match = repeated;
            if (match < 0)
                continue;
            confirmed[match] = true;
            parameter[n] = parameter[match];
            solutions[n] = solutions[match];
        }
        if (kept != n) {
            solutions[kept] = solutions[n];
            parameter[kept] = parameter[n];
        }
        ++kept;
    }
    const int removed = exactFrom - kept;
    for (int m = exactFrom; m < solutionCount; ++m) {
        solutions[m - removed] = solutions[m];
        parameter[m - removed] = parameter[m];
    }
    solutionCount -= removed;
    return kept;
}

bool MergeProblem::sameMotion(int a, int b, double relative) const {
    if (mode == MERGE_ROTATE)
        return std::fabs(std::remainder(parameter[a] - parameter[b], 2.0 * M_PI)) <= relative;
    return std::fabs(parameter[a] - parameter[b]) <= relative * unmovedScale().extent;
}

bool MergeProblem::sameMerge(int a, int b, double relative) const {
    const double tol = relative * unmovedScale().extent;
    const SceneObject &s = solutions[a], &t = solutions[b];
    if (s.kind != t.kind)
        return false;
    const double parameterTol = mode == MERGE_ROTATE ? relative : tol;
    if (s.kind == kComplexCandidate)
        return std::fabs(s.x[0] - t.x[0]) <= parameterTol &&
               std::fabs(s.y[0] - t.y[0]) <= parameterTol;
    return sameMotion(a, b, relative) && std::fabs(s.x[0] - t.x[0]) <= tol &&
           std::fabs(s.y[0] - t.y[0]) <= tol && std::fabs(s.r - t.r) <= tol;
}

void MergeProblem::dropRepeats(int from, int against) {
    int kept = from;
    for (int n = from; n < solutionCount; ++n) {
        bool repeat = false;
        for (int m = against; m < kept && !repeat; ++m)
            repeat = sameMerge(n, m, kSameMerge);
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
