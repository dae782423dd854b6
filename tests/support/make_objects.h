// Scene objects for tests, built through the public setters.
#pragma once

#include "scene/scene_object.h"

inline SceneObject makeCircle(int kind, double x, double y, double r) {
    SceneObject o;
    o.kind = kind;
    o.setCircle(x, y, r);
    return o;
}

inline SceneObject makeLine(int kind, double x0, double y0, double x1, double y1) {
    SceneObject o;
    o.kind = kind;
    o.setPoint(x0, y0, 0);
    o.setPoint(x1, y1, 1);
    return o;
}
