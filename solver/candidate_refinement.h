// The last step of every solve: closed forms lose digits near close roots, so each
// new real candidate is polished on the four constraint equations themselves, and
// one that still does not meet them is not a solution and is dropped.
#pragma once

#include "solver/merge_problem.h"

// Refines candidates first..solutionCount-1 of p in place (complex ones are left as
// they are) and removes the real ones whose residual stays large; order is kept.
void refineCandidates(MergeProblem& p, int first);

// The scene a candidate with this parameter lives in: the four objects, cluster 2
// both before and after its move. extent is the larger side of their bounding box,
// magnitude the largest coordinate in it.
struct SceneScale {
    double extent = 0, magnitude = 0;
    double centreX = 0, centreY = 0; // of the bounding box
};
SceneScale sceneScale(const MergeProblem& p, double parameter);

// Largest residual a real candidate may keep in that scene: small next to the scene's
// extent, never next to the candidate's own size, plus what rounding the scene's
// coordinates costs.
double acceptedResidual(const SceneScale& scale);
// Whether the real candidate s lies so far outside its scene that only a vanishing
// denominator can have put it there.
bool atInfinity(const SceneObject& s, const SceneScale& scale);
