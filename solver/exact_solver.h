// Exact solving of small polynomial systems over the rationals: shared quadratic
// terms cancelled, unknowns that occur linearly eliminated, resultants for the rest,
// and a split on every coefficient that may vanish, so that degenerate cases keep
// their roots. Roots are certified balls, checked against the input equations.
#pragma once

#include "solver/algebra_engine.h"
#include "solver/flint_handles.h"

#include <optional>
#include <vector>

// Bounds that turn a pathological system into a clear failure instead of a long wait.
struct ExactLimits {
    slong maxDegree = 64;  // in any unknown, before a resultant or factoring
    slong maxBits = 16384; // coefficient size of any intermediate polynomial
    // Root isolation slows sharply with coefficient size (roots spread over many
    // orders of magnitude): at these bounds it stays under about 0.1 s.
    slong maxRootDegree = 32;
    slong maxRootBits = 2048;
    int maxBranches = 400;   // case splits of one solve
    int maxRoots = 256;      // roots kept
    double maxSeconds = 2.0; // checked between steps
    slong precision = 256;   // bits of the root balls; raised where a check needs it
    slong maxPrecision = 4096;
};

struct ExactInput {
    const MPolyContext* ctx = nullptr;
    std::vector<MPoly> equations, excluded, outputs;
};

// The roots in engine order (see EngineResult); nullopt beyond the limits.
std::optional<EngineResult> solveExactly(const ExactInput& input, const ExactLimits& limits);
