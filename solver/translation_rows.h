// Plane rows in the internal shift t and their elimination: the shared steps of
// the closed-form translation solvers.
#pragma once

#include "numeric/poly4.h"
#include "scene/scene_object.h"

// A(t)·x + B(t)·y + C(t)·z + E(t) = 0 in circle space.
struct PlaneRow {
    Poly4 A, B, C, E;
};

// The point where three rows meet, as x = Nx/D, y = Ny/D, z = Nz/D.
struct Elimination {
    Poly4 D, Nx, Ny, Nz;
};

// A line's plane, fixed or slid by t along x. False for a line without direction.
bool lineRow(const SceneObject& line, bool moving, PlaneRow& row);
// Radical plane of the tangency cones of ci and cj; each circle may be slid by t.
PlaneRow radicalRow(const SceneObject& ci, bool ciMoving, const SceneObject& cj, bool cjMoving);
// Radical plane of the centre cylinders of two C' circles (no z term); cj may slide.
PlaneRow centreRadicalRow(const SceneObject& ci, const SceneObject& cj, bool cjMoving);
Elimination eliminateCircle(const PlaneRow& r1, const PlaneRow& r2, const PlaneRow& r3);
// D² times the left-hand side of the cone (cone = true) or cylinder of c at the
// eliminated point.
Poly4 quadricAtPoint(const Elimination& el, const SceneObject& c, bool cone);
// That quadric, and a bound on its terms for the degeneracy tests: the same squares
// with every coefficient and sign made positive.
struct PointQuadric {
    Poly4 value, magnitude;
};
PointQuadric quadricAtPointWithBound(const Elimination& el, const SceneObject& c, bool cone);
