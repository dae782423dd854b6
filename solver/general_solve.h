// Any merge as one exact polynomial system: the four constraints of the new circle
// (x, y, z) with cluster 2 moved by the unknown shift d or half-angle t = tan(θ/2).
// It checks the closed-form solvers and stands in where they find nothing.
#pragma once

#include "solver/algebra_engine.h"
#include "solver/merge_problem.h"

#include <optional>
#include <vector>

// The constraint of obj on the new circle: a cone (C), a cylinder (C') or a plane
// (L, L'). A moving object is slid by d or, multiplied through by (1 + t^2) or its
// square, turned by the angle whose half-angle tangent is t. nullopt for a line
// without direction.
std::optional<Expr> constraintEquation(const SceneObject& obj, bool moving, int mode);

// The unknowns x, y, z and the parameter, with 1 + t^2 excluded in rotate mode; false
// when an object has no constraint equation.
bool mergeSystem(const SceneObject* const slots[2][2], int mode, EngineSystem& out);

// Whether a root the engine calls complex may be a real root whose imaginary parts
// are rounding: a touching (double) solution perturbed by rounding of the data splits
// into a pair about the square root of the rounding apart. Only the constraints can
// tell; the caller checks its real part.
bool nearlyReal(const EngineRoot& root);

struct ExactCandidate {
    double parameter, x, y, r; // the shift d or the angle θ in radians, and the circle
};

struct ExactSolutions {
    std::vector<ExactCandidate> real; // in engine order
    int curves = 0;                   // components along which the circle is not fixed
};

// The real candidates of a merge; nullopt when the system cannot be built or the
// engine gives no result.
std::optional<ExactSolutions> exactCandidates(EngineSession& engine,
                                              const SceneObject* const slots[2][2], int mode);
// The merges by a half turn (θ = π, which no finite half-angle tangent reaches):
// cluster 2 turned by π is cluster 2 with every coordinate negated, exactly.
std::optional<ExactSolutions> halfTurnCandidates(EngineSession& engine,
                                                 const SceneObject* const slots[2][2]);
