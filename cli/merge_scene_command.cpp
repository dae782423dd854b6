// `merge FILE.tvn --cluster1 I,J --cluster2 K,L ...`: the desktop's merge command on
// a scene file, with the candidate chosen by --pick instead of the preview.
#include "cli/commands.h"

#include "batch/bad_input.h"
#include "batch/merge_scene.h"
#include "batch/problem_json.h"
#include "scene/tvn_file.h"
#include "solver/engine_trace.h"

#include <iostream>
#include <memory>

namespace {

struct MergeOptions {
    std::string file, mode = "translate", apply;
    MergeRequest request;
    bool json = false, trace = false;
};

int badInput(const std::string& what) {
    std::cerr << "torvane-cli: " << what << '\n';
    return kExitBadInput;
}

int runMergeCommand(MergeOptions& opt) {
    opt.request.mode = parseMode(opt.mode);
    if (opt.request.mode < 0)
        return badInput("--mode must be translate or rotate, not " + opt.mode);
    CTorvaneDoc doc;
    if (!loadSceneReporting(opt.file, doc))
        return kExitBadInput;
    if (opt.trace)
        setEngineTraceSink(standardErrorTrace());
    MergeResult r;
    try {
        r = mergeScene(doc, opt.request);
    } catch (const BadInput& e) {
        return badInput(opt.file + ": " + e.what());
    }
    std::string error;
    if (r.applied && !opt.apply.empty() && !saveSceneFile(opt.apply, doc, &error))
        return badInput(error);
    std::cout << (opt.json ? r.json : r.text) << '\n';
    if (!r.reason.empty())
        std::cerr << "torvane-cli: " << r.reason << '\n';
    return r.exitCode;
}

} // namespace

void addMergeCommand(CLI::App& app, int& exitCode) {
    auto opt = std::make_shared<MergeOptions>();
    CLI::App* merge = app.add_subcommand("merge", "Merge two clusters of a scene file");
    merge->add_option("file", opt->file, "scene file (.tvn)")->required();
    merge->add_option("--cluster1", opt->request.cluster1, "0-based indices of cluster 1's objects")
        ->delimiter(',')
        ->required();
    merge->add_option("--cluster2", opt->request.cluster2, "0-based indices of cluster 2's objects")
        ->delimiter(',')
        ->required();
    merge->add_option("--mode", opt->mode, "translate (default) or rotate");
    merge->add_option("--pick", opt->request.pick, "candidate to apply when there are several (0)");
    merge->add_option("--apply", opt->apply, "write the merged scene to this file");
    merge->add_flag("--json", opt->json, "print the result as JSON");
    merge->add_flag("--certify", opt->request.certify,
                    "prove each real candidate with interval arithmetic");
    merge->add_flag("--trace", opt->trace, "write the exact engine's statements to stderr");
    merge->callback([opt, &exitCode] { exitCode = runMergeCommand(*opt); });
}
