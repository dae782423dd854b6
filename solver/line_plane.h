// The circle-space plane a·x + b·y + c·z + e = 0 of a line constraint: (a, b) is the
// unit left normal, c = -1 for a tangency line and 0 for a centre line.
#pragma once

#include "scene/scene_object.h"

struct LinePlane {
    double a = 0, b = 0, c = 0, e = 0;
};

// What a solver reports for such a line.
inline constexpr const char* kLineWithoutDirection = "A line has two equal end points.";

// False when the line's two points coincide: such a line has no direction.
bool linePlane(const SceneObject& line, LinePlane& out);
// Whether linePlane succeeds on the line, without computing the plane.
bool hasDirection(const SceneObject& line);
