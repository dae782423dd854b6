// The three constraint equations go to the exact engine in x, y and z = r; a curve of
// solutions comes back as not-numeric marks, which is how an underdetermined set shows.
#include "solver/touching_three.h"

#include "solver/general_solve.h"
#include "solver/line_plane.h"

namespace {

bool isCentreKind(int kind) {
    return kind == KIND_C_PRIME || kind == KIND_L_PRIME;
}

TouchingThreeOutcome fail(MergeProblem& p, const char* message, TouchingThreeOutcome outcome) {
    p.setMessage(message);
    return outcome;
}

} // namespace

TouchingThreeOutcome solveTouchingThree(MergeProblem& p, int* complexCount) {
    p.mode = kNoMotion;
    p.solverName = "TouchingThree";
    p.underdetermined = false;
    if (complexCount)
        *complexCount = 0;
    const SceneObject* objects[3] = {p.slots[CLUSTER_1][0], p.slots[CLUSTER_1][1],
                                     p.slots[CLUSTER_2][0]};
    if (p.slotCount[CLUSTER_1] != 2 || p.slotCount[CLUSTER_2] != 1)
        return fail(p, "Please select three objects.", TouchingThreeOutcome::NotThree);
    int centres = 0;
    EngineSystem system;
    for (const SceneObject* o : objects) {
        if (!o || !isValidKind(o->kind))
            return fail(p, "Please select three objects.", TouchingThreeOutcome::NotThree);
        centres += isCentreKind(o->kind);
        const std::optional<Expr> e = constraintEquation(*o, false, MERGE_TRANSLATE);
        if (!e)
            return fail(p, kLineWithoutDirection, TouchingThreeOutcome::LineWithoutDirection);
        system.equations.push_back(*e);
    }
    if (centres == 3) {
        p.underdetermined = true;
        return fail(p, "Infinitely many circles meet these three constraints.",
                    TouchingThreeOutcome::CentreOnly);
    }
    system.unknowns = {"x", "y", "z"};

    EngineSession engine;
    std::optional<EngineResult> roots;
    if (engine.started())
        roots = engine.solve(system);
    if (!roots)
        return fail(p, "No result!", TouchingThreeOutcome::EngineFailed);
    bool curve = false;
    int complex = 0;
    for (const EngineRoot& root : *roots) {
        if (root.kind == RootKind::NotNumeric)
            curve = true;
        else if (root.kind == RootKind::Complex)
            ++complex;
        else
            p.appendCandidate(KIND_C, root.values[0].real(), root.values[1].real(),
                              root.values[2].real(), 0.0);
    }
    if (complexCount)
        *complexCount = complex;
    if (p.solutionCount > 0)
        return TouchingThreeOutcome::Found;
    if (curve) {
        p.underdetermined = true;
        return fail(p, "Infinitely many circles meet these three constraints.",
                    TouchingThreeOutcome::Curve);
    }
    return fail(p, "No result.", TouchingThreeOutcome::NoRealCircle);
}
