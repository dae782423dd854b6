// Rows a·x + b·y + c·z = f of circle space for merges by rotation, and their
// elimination in t = tan(θ/2) with two of the rows turned by θ.
#pragma once

#include "numeric/poly4.h"
#include "scene/scene_object.h"

struct RotatedRow {
    double a = 0, b = 0, c = 0, f = 0;
};

// (1+t²)·D and (1+t²) times Cramer's numerators of rows 2..4, rows 3 and 4 turned.
struct RotatedElimination {
    Poly4 P0, P1, P2, P3;
};

// The plane of a line as a row; false for a line without direction.
bool rotatedLineRow(const SceneObject& line, RotatedRow& row);

// Rows 2, 3 and 4 of m (m[0] is not read). The x and y coefficients of rows 3 and 4
// turn with the angle; the offsets (ux3, uy3) and (ux4, uy4) are added after the turn.
RotatedElimination eliminateRotatedRows(double ux3, double ux4, double uy3, double uy4,
                                        const RotatedRow m[4]);
