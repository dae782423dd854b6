// The desktop's merge core with a fixed choice and a JSON report.
#include "batch/merge_scene.h"

#include "batch/bad_input.h"
#include "batch/solve_result.h"
#include "ui/merge_command.h"

namespace {

class PickedCandidate : public MergeInteraction {
  public:
    explicit PickedCandidate(int pick) : pick_(pick) {}
    bool chooseCandidate(const MergeProblem& p, int& chosen) override {
        chosen = pick_;
        return pick_ < p.solutionCount;
    }
    void showInfo(const std::string&) override {}
    void showReport(const std::string&) override {}

  private:
    int pick_;
};

// The problem's slots as the merge core fills them: each cluster's objects in scene
// order. The merge leaves their geometry unchanged (it adds moved copies).
std::vector<Certificate> certifyMerge(const std::vector<MergeSelection>& selection, int mode,
                                      const std::vector<MergeCandidate>& candidates) {
    const SceneObject* slots[2][2] = {};
    int filled[2] = {0, 0};
    for (const MergeSelection& s : selection)
        if (s.cluster != 0 && filled[s.cluster - 1] < 2)
            slots[s.cluster - 1][filled[s.cluster - 1]++] = s.object;
    return certifyCandidates(slots, mode, candidates);
}

std::vector<MergeSelection> selectionOf(const CTorvaneDoc& doc, const MergeRequest& request) {
    std::vector<MergeSelection> selection;
    for (SceneObject* o : doc)
        selection.push_back({o, 0});
    const std::vector<int>* clusters[2] = {&request.cluster1, &request.cluster2};
    for (int c = 0; c < 2; ++c) {
        if (clusters[c]->size() != 2)
            throw BadInput("cluster " + std::to_string(c + 1) + " needs two objects, not " +
                           std::to_string(clusters[c]->size()));
        for (int index : *clusters[c]) {
            if (index < 0 || index >= doc.objectCount)
                throw BadInput("object " + std::to_string(index) +
                               " does not exist (the scene holds " +
                               std::to_string(doc.objectCount) + ")");
            if (selection[index].cluster != 0)
                throw BadInput("object " + std::to_string(index) + " is given twice");
            selection[index].cluster = c + 1;
        }
    }
    return selection;
}

} // namespace

MergeResult mergeScene(CTorvaneDoc& doc, const MergeRequest& request) {
    if (request.mode != MERGE_TRANSLATE && request.mode != MERGE_ROTATE)
        throw BadInput("the mode must be translate or rotate");
    if (request.pick < 0)
        throw BadInput("pick " + std::to_string(request.pick) + ": must be 0 or more");
    const std::vector<MergeSelection> selection = selectionOf(doc, request);

    PickedCandidate user(request.pick);
    const MergeRunResult r = runMerge(doc, selection, request.mode, user);
    const int count = static_cast<int>(r.candidates.size());
    if (r.outcome != MergeOutcome::Failed && request.pick >= count)
        throw BadInput("pick " + std::to_string(request.pick) + ": there are only " +
                       std::to_string(count) + " candidates");
    MergeResult out;
    out.applied = r.outcome == MergeOutcome::Applied;
    out.exitCode = candidatesExitCode(r.candidates);
    // Choosing a complex candidate where real ones exist is a wrong pick; with only
    // complex candidates there is simply no merge.
    if (r.outcome == MergeOutcome::ComplexChosen && out.exitCode == kExitFound)
        throw BadInput("pick " + std::to_string(request.pick) +
                       ": that candidate is complex and cannot be applied");
    out.text = r.message;
    out.reason = r.reason;
    if (r.outcome == MergeOutcome::ComplexChosen)
        out.text = "Candidate " + std::to_string(r.chosen) + " is complex and cannot be applied.";

    JsonWriter w(out.json);
    w.beginObject();
    w.member("schema", kSchemaVersion);
    w.member("ok", out.applied);
    w.member("solver", r.solver);
    w.member("message", out.applied ? std::string() : out.text);
    w.member("report", out.applied ? out.text : std::string());
    w.member("underdetermined", r.underdetermined);
    w.member("chosen", r.chosen);
    w.key("candidates");
    writeCandidates(w, r.candidates,
                    request.certify ? certifyMerge(selection, request.mode, r.candidates)
                                    : std::vector<Certificate>());
    w.endObject();
    return out;
}
