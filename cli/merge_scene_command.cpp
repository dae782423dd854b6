// `merge FILE.tvn --cluster1 I,J --cluster2 K,L ...`: the desktop's merge command on
// a scene file, with the candidate chosen by --pick instead of the preview.
#include "cli/commands.h"
#include "cli/problem_json.h"

#include "scene/tvn_file.h"
#include "ui/merge_command.h"

#include <iostream>
#include <memory>

namespace {

struct MergeOptions {
    std::string file, mode = "translate", apply;
    std::vector<int> cluster1, cluster2;
    int pick = 0;
    bool json = false;
};

class PickedCandidate : public MergeInteraction {
  public:
    explicit PickedCandidate(int pick) : pick(pick) {}
    bool chooseCandidate(const MergeProblem& p, int& chosen) override {
        chosen = pick;
        return pick < p.solutionCount;
    }
    void showInfo(const std::string&) override {}
    void showReport(const std::string&) override {}

  private:
    int pick;
};

int badInput(const std::string& what) {
    std::cerr << "torvane-cli: " << what << '\n';
    return kExitBadInput;
}

int runMergeCommand(const MergeOptions& opt) {
    const int mode = parseMode(opt.mode);
    if (mode < 0)
        return badInput("--mode must be translate or rotate, not " + opt.mode);
    if (opt.pick < 0)
        return badInput("--pick must be 0 or more");
    CTorvaneDoc doc;
    std::string error;
    if (!loadSceneFile(opt.file, doc, &error))
        return badInput(error);

    std::vector<MergeSelection> selection;
    for (SceneObject* o : doc)
        selection.push_back({o, 0});
    const std::vector<int>* clusters[2] = {&opt.cluster1, &opt.cluster2};
    for (int c = 0; c < 2; ++c)
        for (int index : *clusters[c]) {
            if (index < 0 || index >= doc.objectCount)
                return badInput(opt.file + ": object " + std::to_string(index) +
                                " does not exist (the scene holds " +
                                std::to_string(doc.objectCount) + ")");
            if (selection[index].cluster != 0)
                return badInput(opt.file + ": object " + std::to_string(index) + " is given twice");
            selection[index].cluster = c + 1;
        }

    PickedCandidate user(opt.pick);
    const MergeRunResult r = runMerge(doc, selection, mode, user);
    const int count = static_cast<int>(r.candidates.size());
    if (r.outcome != MergeOutcome::Failed && opt.pick >= count)
        return badInput("--pick " + std::to_string(opt.pick) + ": there are only " +
                        std::to_string(count) + " candidates");
    const bool applied = r.outcome == MergeOutcome::Applied;
    const int exitCode = candidatesExitCode(r.candidates);
    // Choosing a complex candidate where real ones exist is a wrong --pick; with only
    // complex candidates there is simply no merge.
    if (r.outcome == MergeOutcome::ComplexChosen && exitCode == 0)
        return badInput("--pick " + std::to_string(opt.pick) +
                        ": that candidate is complex and cannot be applied");
    std::string message = r.message;
    if (r.outcome == MergeOutcome::ComplexChosen)
        message = "Candidate " + std::to_string(r.chosen) + " is complex and cannot be applied.";
    if (applied && !opt.apply.empty() && !saveSceneFile(opt.apply, doc, &error))
        return badInput(error);

    if (opt.json) {
        const nlohmann::ordered_json out = {{"ok", applied},
                                            {"solver", r.solver},
                                            {"message", applied ? "" : message},
                                            {"report", applied ? message : ""},
                                            {"chosen", r.chosen},
                                            {"candidates", candidatesJson(r.candidates)}};
        std::cout << out.dump() << '\n';
    } else {
        std::cout << message << '\n';
    }
    return exitCode;
}

} // namespace

void addMergeCommand(CLI::App& app, int& exitCode) {
    auto opt = std::make_shared<MergeOptions>();
    CLI::App* merge = app.add_subcommand("merge", "Merge two clusters of a scene file");
    merge->add_option("file", opt->file, "scene file (.tvn)")->required();
    merge->add_option("--cluster1", opt->cluster1, "0-based indices of cluster 1's objects")
        ->delimiter(',')
        ->required();
    merge->add_option("--cluster2", opt->cluster2, "0-based indices of cluster 2's objects")
        ->delimiter(',')
        ->required();
    merge->add_option("--mode", opt->mode, "translate (default) or rotate");
    merge->add_option("--pick", opt->pick, "candidate to apply when there are several (0)");
    merge->add_option("--apply", opt->apply, "write the merged scene to this file");
    merge->add_flag("--json", opt->json, "print the result as JSON");
    merge->callback([opt, &exitCode] { exitCode = runMergeCommand(*opt); });
}
