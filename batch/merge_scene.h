// The merge command on a scene without a window: the candidate is picked by index
// instead of in the preview. Shared by `torvane-cli merge` and the Python module.
#pragma once

#include "scene/torvane_doc.h"

#include <string>
#include <vector>

struct MergeRequest {
    std::vector<int> cluster1, cluster2; // 0-based positions in the scene
    int mode = 0;
    int pick = 0;
    bool certify = false;
};

struct MergeResult {
    bool applied = false;
    int exitCode = 0;
    std::string text;   // the report of an applied merge, else why nothing was applied
    std::string reason; // in plain words, why nothing was added; empty when applied
    std::string json;   // the result object
};

// Runs the merge on doc, which changes only when a candidate is applied. Throws
// BadInput for clusters that are not two distinct objects of the scene each, or a
// pick that names no candidate or a complex one while real ones exist.
MergeResult mergeScene(CTorvaneDoc& doc, const MergeRequest& request);
