// What the plane shows over the scene while a merge is under way: the objects picked so
// far, marked per cluster, and the candidate the preview has selected, as it would stand.
#pragma once

#include "solver/merge_problem.h"

#include <vector>

// A picked object and its cluster (1 or 2; 0 for the three picks of a touching circle).
struct PickMark {
    const SceneObject* object = nullptr; // not owned; dropped with the view's references
    int cluster = 0;
    bool operator==(const PickMark&) const = default;
};

struct MergeOverlay {
    std::vector<SceneObject> moved;  // cluster 2's objects moved by the candidate
    bool hasCircle = false;          // false for a complex candidate
    SceneObject circle;              // the selected candidate, red
    std::vector<SceneObject> others; // the other real candidates' circles, drawn faintly
    bool turn = false;               // a rotation: the turn about the origin is marked
    double angle = 0;                // radians, counter-clockwise
    bool operator==(const MergeOverlay&) const = default;
};

// Candidate k of a solved problem in the plane.
MergeOverlay mergeOverlayFor(const MergeProblem& p, int k);
