// The merge command without a toolkit: build the problem from the selection, solve,
// let the user choose, and apply the chosen candidate to the document. The desktop
// program and the batch tool plug their own dialogs and messages in.
#pragma once

#include "scene/torvane_doc.h"
#include "solver/merge_candidates.h"
#include "solver/merge_problem.h"

#include <string>
#include <vector>

// One object of the selection list with its cluster number (0 = not in the merge).
struct MergeSelection {
    SceneObject* object = nullptr;
    int cluster = 0;
};

class MergeInteraction {
  public:
    virtual ~MergeInteraction() = default;
    // Shown only with two or more candidates; false when the user cancels.
    virtual bool chooseCandidate(const MergeProblem& problem, int& chosen) = 0;
    // A merge that adds nothing: the problem's message and the reason, captioned "Info".
    virtual void showInfo(const std::string& text) = 0;
    // The result report, captioned with the application's title.
    virtual void showReport(const std::string& text) = 0;
    virtual void beginWait() {}
    virtual void endWait() {}
    // The problem being solved while the command runs, null afterwards.
    virtual void setActiveProblem(const MergeProblem*) {}
    virtual void redraw() {}
    virtual long long wallClockSeconds();
};

// The view refers to the problem only while the command runs, whichever way it ends.
class ActiveProblemScope {
  public:
    ActiveProblemScope(MergeInteraction& ui, const MergeProblem& p) : ui(ui) {
        ui.setActiveProblem(&p);
    }
    ~ActiveProblemScope() { ui.setActiveProblem(nullptr); }
    ActiveProblemScope(const ActiveProblemScope&) = delete;
    ActiveProblemScope& operator=(const ActiveProblemScope&) = delete;

  private:
    MergeInteraction& ui;
};

// The wait cursor for as long as a solve runs.
class WaitScope {
  public:
    explicit WaitScope(MergeInteraction& ui) : ui(ui) { ui.beginWait(); }
    ~WaitScope() { ui.endWait(); }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

  private:
    MergeInteraction& ui;
};

enum class MergeOutcome { Failed, NoCandidate, Cancelled, ComplexChosen, Applied };

struct MergeRunResult {
    MergeOutcome outcome = MergeOutcome::Failed;
    std::string solver;
    std::string message; // the failure message or the report
    std::string reason;  // in plain words, why nothing was added; empty when applied
    std::vector<MergeCandidate> candidates;
    bool underdetermined = false; // the constraints leave a curve of circles
    int chosen = -1;
};

MergeRunResult runMerge(CTorvaneDoc& doc, const std::vector<MergeSelection>& selection, int mode,
                        MergeInteraction& ui);

// The report line of an applied merge.
std::string mergeReport(int mode, double parameter, double x, double y, double r,
                        long long seconds);
