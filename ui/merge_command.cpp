// Solve, choose, apply: cluster 2's objects stay where they were, drawn dashed, and
// moved copies plus the new circle (red, pinned) are appended to the document.
#include "ui/merge_command.h"

#include "solver/constraint_residual.h"
#include "ui/merge_reasons.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

constexpr double kDegreesPerRadian = 57.29577791868204;

void addMovedCopy(CTorvaneDoc& doc, const SceneObject& o, int mode, double parameter) {
    const SceneObject m = movedObject(o, mode, parameter);
    if (isLineKind(o.kind))
        doc.addObject(o.kind, m.x[0], m.y[0], m.x[1], m.y[1], o.red, o.green, o.blue);
    else
        doc.addObject(o.kind, m.x[0], m.y[0], o.r, o.red, o.green, o.blue);
}

} // namespace

long long MergeInteraction::wallClockSeconds() {
    return static_cast<long long>(std::time(nullptr));
}

std::string mergeReport(int mode, double parameter, double x, double y, double r,
                        long long seconds) {
    char text[256];
    const bool rotate = mode == MERGE_ROTATE;
    std::snprintf(text, sizeof text, "%s: %.4f, New circle: (%.3f, %.3f, %.3f), Spent %d seconds",
                  rotate ? "Rotate" : "Translate",
                  rotate ? parameter * kDegreesPerRadian : parameter, x, y, r,
                  static_cast<int>(seconds));
    return text;
}

MergeRunResult runMerge(CTorvaneDoc& doc, const std::vector<MergeSelection>& selection, int mode,
                        MergeInteraction& ui) {
    MergeRunResult result;
    MergeProblem problem;
    const ActiveProblemScope active(ui, problem);
    const long long t0 = ui.wallClockSeconds();
    for (const MergeSelection& node : selection)
        if (node.cluster != 0)
            problem.addObject(node.cluster, node.object);

    int solved = 0;
    {
        const WaitScope wait(ui);
        solved = problem.solve(mode);
    }
    result.solver = problem.solverName;
    result.candidates = candidatesOf(problem);
    result.underdetermined = problem.underdetermined;
    if (!solved) {
        result.message = problem.message;
        result.reason = failureReason(problem);
        ui.showInfo(infoWithReason(result.message, result.reason));
        return result;
    }
    const long long t1 = ui.wallClockSeconds();
    // A candidate list with nothing real in it offers nothing to choose.
    bool anyReal = false;
    for (int n = 0; n < problem.solutionCount; ++n)
        anyReal = anyReal || problem.solutions[n].kind == KIND_C;
    if (!anyReal) {
        result.outcome = MergeOutcome::NoCandidate;
        result.message = "No result.";
        result.reason = failureReason(problem);
        ui.showInfo(infoWithReason(result.message, result.reason));
        return result;
    }
    int k = 0;
    if (problem.solutionCount >= 2 && !ui.chooseCandidate(problem, k)) {
        result.outcome = MergeOutcome::Cancelled;
        return result;
    }
    if (k < 0 || k >= problem.solutionCount) {
        result.outcome = MergeOutcome::Cancelled;
        return result;
    }
    result.chosen = k;
    const SceneObject& chosen = problem.solutions[k];
    if (chosen.kind != KIND_C) {
        result.outcome = MergeOutcome::ComplexChosen;
        result.reason = complexChoiceReason(problem, k);
        ui.showInfo(result.reason);
        return result;
    }

    const double parameter = problem.parameter[k];
    int moved = 0;
    for (const MergeSelection& node : selection) {
        if (node.cluster != 2 || moved == 2)
            continue;
        node.object->dashed = 1;
        addMovedCopy(doc, *node.object, mode, parameter);
        ++moved;
    }
    SceneObject* circle =
        doc.addObject(KIND_C, chosen.x[0], chosen.y[0], chosen.r, 255.0, 0.0, 0.0);
    circle->pinned = 1;
    ui.redraw();

    result.outcome = MergeOutcome::Applied;
    result.message = mergeReport(mode, parameter, chosen.x[0], chosen.y[0], chosen.r, t1 - t0);
    ui.showReport(result.message);
    return result;
}
