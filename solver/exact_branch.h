// One branch of the exact engine's case splits: its equations, the unknowns already
// expressed through later ones (its steps), and optionally the irreducible
// polynomial whose roots the parameter is confined to (its modulus).
#pragma once

#include "solver/flint_handles.h"

#include <vector>

enum class StepType { Linear, Fixed, Common };

// How an eliminated unknown is recovered from the unknowns eliminated after it.
struct Step {
    Step(StepType t, slong v, const fmpq_mpoly_ctx_struct* ctx)
        : type(t), var(v), coef(ctx), rest(ctx) {}
    StepType type;
    slong var;
    MPoly coef, rest; // Linear: var = -rest / coef, coef in the parameter coefVar only
    slong coefVar = -1;
    QNumber value; // Fixed: var = value
    // Common: var is a common root of these equations, given per power of var.
    std::vector<std::vector<MPoly>> powers;
};

struct Branch {
    std::vector<MPoly> eqs;
    std::vector<Step> steps;
    std::vector<bool> eliminated;
    slong param = -1; // the unknown solved last; -1 once every unknown is fixed
    QPoly modulus;    // irreducible of degree >= 2 in param, or zero for none
    bool hasModulus() const { return !modulus.isZero(); }
};

// A step that recovers var as a common root of eqs, numerically.
Step commonRootStep(slong var, const std::vector<MPoly>& eqs);
