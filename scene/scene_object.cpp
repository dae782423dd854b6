// Operations of SceneObject: editing, kind conversion, orientation, textual form.
#include "scene/scene_object.h"

#include <cmath>
#include <cstdio>
#include <utility>

void SceneObject::setColour(int red_, int green_, int blue_) {
    red = red_;
    green = green_;
    blue = blue_;
}

void SceneObject::setCentre(double cx, double cy) {
    x[0] = cx;
    y[0] = cy;
}

void SceneObject::setRadius(double radius) {
    r = radius;
}

void SceneObject::setCircle(double cx, double cy, double radius) {
    if (kind != KIND_C && kind != KIND_C_PRIME)
        return;
    setCentre(cx, cy);
    setRadius(radius);
}

void SceneObject::setPoint(double px, double py, int n) {
    if (kind == KIND_L || kind == KIND_L_PRIME) {
        if (n != 0 && n != 1)
            return; // a line has only points 0 and 1
        x[n] = px;
        y[n] = py;
    } else {
        setCentre(px, py);
        r = static_cast<double>(n);
    }
}

void SceneObject::setKind(int newKind) {
    if (kind % 2 != newKind % 2) {
        if (isLineKind(kind)) {
            // The centre stays at point 0; the length becomes the radius, so the sign is lost.
            r = std::sqrt((y[1] - y[0]) * (y[1] - y[0]) + (x[1] - x[0]) * (x[1] - x[0]));
        } else {
            // A horizontal line whose direction follows the radius' sign.
            x[1] = x[0] + r;
            y[1] = y[0];
        }
    }
    kind = newKind;
}

void SceneObject::reverse() {
    if (kind == KIND_L || kind == KIND_L_PRIME) {
        std::swap(x[0], x[1]);
        std::swap(y[0], y[1]);
    } else if (kind == KIND_C || kind == KIND_C_PRIME) {
        r = -r;
    }
}

const char* kindLetter(int kind) {
    switch (kind) {
    case KIND_C:
        return "C";
    case KIND_L:
        return "L";
    case KIND_C_PRIME:
        return "C'";
    case KIND_L_PRIME:
        return "L'";
    default:
        return "?";
    }
}

std::string SceneObject::toString() const {
    char buf[256];
    if (isLineKind(kind))
        std::snprintf(buf, sizeof buf, "%s(%.1f, %.1f, %.1f, %.1f)", kindLetter(kind), x[0], y[0],
                      x[1], y[1]);
    else
        std::snprintf(buf, sizeof buf, "%s(%.1f, %.1f, %.1f)", kindLetter(kind), x[0], y[0], r);
    return buf;
}
