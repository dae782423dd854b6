// Independent check of a merge candidate: the largest violation of the four
// constraints once cluster 2 has been moved by the candidate's parameter. It uses
// plain geometry, none of the solvers' algebra.
#pragma once

#include "solver/merge_problem.h"

// A copy of obj moved as cluster 2 moves: shifted by (parameter, 0) in translate
// mode, turned counter-clockwise about the origin by parameter radians in rotate mode.
SceneObject movedObject(const SceneObject& obj, int mode, double parameter);
// Violation of one constraint by the circle (x, y, r): signed tangency distance for
// C and L, centre-on distance for C' and L'.
double constraintViolation(const SceneObject& obj, double x, double y, double r);
double constraintResidual(const SceneObject* const slots[2][2], int mode, double parameter,
                          double x, double y, double r);
// Residual of real candidate n of p (0 for a complex candidate, which has no circle).
double candidateResidual(const MergeProblem& p, int n);
