// Operations of SceneObject: editing, kind conversion, orientation, textual form.
#include "scene/scene_object.h"

#include <array>
#include <charconv>
#include <cmath>
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

bool SceneObject::setKind(int newKind) {
    if (kind % 2 != newKind % 2) {
        if (isLineKind(kind)) {
            // The centre stays at point 0; the length becomes the radius, so the sign is lost.
            // hypot does not overflow where the sum of squares would.
            const double length = std::hypot(x[1] - x[0], y[1] - y[0]);
            if (!std::isfinite(length))
                return false;
            r = length;
        } else {
            // A horizontal line whose direction follows the radius' sign.
            const double end = x[0] + r;
            if (!std::isfinite(end))
                return false;
            x[1] = end;
            y[1] = y[0];
        }
    }
    kind = newKind;
    return true;
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

namespace {

// "%.1f" without a length limit and in the C locale whatever locale the program runs
// in (the desktop toolkit switches to the user's, which may print decimal commas).
void appendOneDecimal(std::string& out, double value) {
    // The widest finite double takes 309 integer digits, a sign, a point and a decimal.
    std::array<char, 320> buf;
    const auto result =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, 1);
    out.append(buf.data(), result.ptr);
}

} // namespace

std::string SceneObject::toString() const {
    std::string out = kindLetter(kind);
    out += '(';
    const bool line = isLineKind(kind);
    const double values[4] = {x[0], y[0], line ? x[1] : r, y[1]};
    for (int i = 0; i < (line ? 4 : 3); ++i) {
        if (i > 0)
            out += ", ";
        appendOneDecimal(out, values[i]);
    }
    out += ')';
    return out;
}
