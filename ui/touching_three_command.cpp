// Solve, let the user choose (the preview is shown for every real circle found, so the
// user sees where it lands before it is added), then append the circle.
#include "ui/touching_three_command.h"

#include "solver/touching_three.h"
#include "ui/merge_reasons.h"

#include <cstdio>

std::string touchingThreeReport(double x, double y, double r, long long seconds) {
    char text[160];
    std::snprintf(text, sizeof text, "New circle: (%.3f, %.3f, %.3f), Spent %d seconds", x, y, r,
                  static_cast<int>(seconds));
    return text;
}

MergeRunResult runTouchingThree(CTorvaneDoc& doc, const std::vector<SceneObject*>& picks,
                                MergeInteraction& ui) {
    MergeRunResult result;
    MergeProblem problem;
    const ActiveProblemScope active(ui, problem);
    const long long t0 = ui.wallClockSeconds();
    for (std::size_t i = 0; i < picks.size(); ++i)
        problem.addObject(i < 2 ? 1 : 2, picks[i]);
    TouchingThreeOutcome outcome;
    int complexCount = 0;
    {
        const WaitScope wait(ui);
        outcome = solveTouchingThree(problem, &complexCount);
    }
    result.solver = problem.solverName;
    result.underdetermined = problem.underdetermined;
    result.candidates = candidatesOf(problem);
    if (outcome != TouchingThreeOutcome::Found) {
        result.message = problem.message;
        result.reason = touchingThreeReason(problem, outcome, complexCount);
        ui.showInfo(infoWithReason(result.message, result.reason));
        return result;
    }
    const long long t1 = ui.wallClockSeconds();
    int k = 0;
    if (!ui.chooseCandidate(problem, k) || k < 0 || k >= problem.solutionCount) {
        result.outcome = MergeOutcome::Cancelled;
        return result;
    }
    result.chosen = k;
    const SceneObject& chosen = problem.solutions[k];
    SceneObject* circle =
        doc.addObject(KIND_C, chosen.x[0], chosen.y[0], chosen.r, 255.0, 0.0, 0.0);
    circle->pinned = 1;
    ui.redraw();
    result.outcome = MergeOutcome::Applied;
    result.message = touchingThreeReport(chosen.x[0], chosen.y[0], chosen.r, t1 - t0);
    ui.showReport(result.message);
    return result;
}
