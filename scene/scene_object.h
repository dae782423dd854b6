// SceneObject: the one record type of a scene, an oriented circle or an oriented line
// with its drawing attributes. The merge solvers read and write the same record.
#pragma once

#include <cstdint>
#include <string>

enum ObjectKind : std::int32_t {
    KIND_C = 0,       // tangency to an oriented circle
    KIND_L = 1,       // tangency to an oriented line
    KIND_C_PRIME = 2, // centre on a circle
    KIND_L_PRIME = 3, // centre on a line
};

// Even kinds are circles, odd kinds lines; several rules test the family by parity.
inline bool isLineKind(int kind) {
    return kind % 2 != 0;
}
inline bool isValidKind(int kind) {
    return kind >= KIND_C && kind <= KIND_L_PRIME;
}

// A plain value with no virtual functions: a scene of a million objects is loaded into
// fresh memory, and every byte an object does not need is memory the kernel must prepare.
class SceneObject {
  public:
    SceneObject() = default;

    void setColour(int red, int green, int blue);
    void setCentre(double x, double y);
    void setRadius(double r);
    // Ignored on lines.
    void setCircle(double x, double y, double r);
    // On a line sets point n; on a circle sets the centre and takes n as the radius.
    void setPoint(double x, double y, int n);
    // Converts the geometry when the family (circle/line) changes. Returns false and
    // changes nothing when the converted geometry would not be finite (a line longer
    // than the largest double, a circle whose far point lies beyond it).
    bool setKind(int newKind);
    void reverse();

    // "C(1.0, 2.0, 3.0)", "L(0.0, 0.0, 5.0, 0.0)", ... with every digit of large values.
    std::string toString() const;

    // Field by field, so that a field added later takes part by itself.
    bool operator==(const SceneObject&) const = default;

    std::int32_t kind = KIND_C;
    double x[2] = {10.0, 0.0};
    double y[2] = {10.0, 0.0};
    double r = 10.0;
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    std::int32_t dashed = 0;
    std::int32_t width = 1;
    std::int32_t pinned = 0;
};

// Display letter of a kind ("C", "L", "C'", "L'"), or "?" for a kind outside 0..3.
const char* kindLetter(int kind);
