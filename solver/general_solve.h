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

struct ExactCandidate {
    double parameter, x, y, r; // the shift d or the angle θ in radians, and the circle
};

// The real candidates of a merge, in engine order; nullopt when the system cannot be
// built or the engine gives no result.
std::optional<std::vector<ExactCandidate>>
exactCandidates(EngineSession& engine, const SceneObject* const slots[2][2], int mode);

// Appends the exact real candidates of p (in p's mode) and returns how many.
int appendExactCandidates(MergeProblem& p);
