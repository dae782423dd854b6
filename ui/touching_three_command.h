// "Circle touching three" without a toolkit: the circles that meet three picked objects'
// constraints, chosen in the same preview as a merge's candidates, the chosen one added red
// and pinned as a merge adds its circle.
#pragma once

#include "ui/merge_command.h"

MergeRunResult runTouchingThree(CTorvaneDoc& doc, const std::vector<SceneObject*>& picks,
                                MergeInteraction& ui);

// The report line once the circle is added.
std::string touchingThreeReport(double x, double y, double r, long long seconds);
