// Circle-space plane of a line constraint.
#include "solver/line_plane.h"

#include <cmath>

namespace {

double squaredLength(const SceneObject& line) {
    const double x0 = line.x[0], y0 = line.y[0], x1 = line.x[1], y1 = line.y[1];
    return (x1 - x0) * (x1 - x0) + (y0 - y1) * (y0 - y1);
}

} // namespace

bool hasDirection(const SceneObject& line) {
    // The root of a square is positive and finite exactly when the square is.
    const double square = squaredLength(line);
    return square > 0.0 && std::isfinite(square);
}

bool linePlane(const SceneObject& line, LinePlane& out) {
    const double x0 = line.x[0], y0 = line.y[0], x1 = line.x[1], y1 = line.y[1];
    const double len = std::sqrt(squaredLength(line));
    if (!(len > 0.0) || !std::isfinite(len))
        return false;
    out.a = (y0 - y1) / len;
    out.b = (x1 - x0) / len;
    out.e = -((x1 - x0) * y0 + (y0 - y1) * x0) / len;
    out.c = line.kind == KIND_L ? -1.0 : 0.0;
    return true;
}
