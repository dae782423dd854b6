// Merge by rotation for the combinations with a tangency circle and a centre circle
// that no closed form covers: all four constraints, cluster 2 turned by the
// half-angle tangent t, go to the algebra engine as one system in x, y, z and t.
#include "solver/algebra_engine.h"
#include "solver/engine_trace.h"
#include "solver/general_solve.h"
#include "solver/line_plane.h"
#include "solver/merge_problem.h"

#include <cmath>
#include <cstdio>
#include <string>

int MergeProblem::R_RemainSolver() {
    EngineSystem system;
    // Objects 1 to 4 in slot order: eqn1..eqn4.
    if (!mergeSystem(slots, MERGE_ROTATE, system)) {
        setMessage(kLineWithoutDirection);
        return 0;
    }
    EngineSession engine;
    if (!engine.started()) {
        setMessage("Maple Error!");
        return 0;
    }
    const std::optional<EngineResult> result = engine.solve(system);
    // No finite half-angle tangent reaches the half turn: solve checks it apart.
    markDegenerate();
    if (!result) {
        setMessage("No result!(mapleresult = NULL)");
        return 0;
    }
    for (int j = 1; j <= static_cast<int>(result->size()); ++j) {
        for (const char* unknown : {"x", "y", "z", "t"}) {
            char text[64];
            std::snprintf(text, sizeof text, "subs(result[%d], %s);", j, unknown);
            traceEngineStatement(text);
        }
        const EngineRoot& root = (*result)[static_cast<size_t>(j - 1)];
        if (root.kind == RootKind::NotNumeric) {
            ++curvesSeen;
            continue;
        }
        const std::complex<double> t = root.values[3];
        if (!nearlyReal(root)) {
            appendCandidate(kComplexCandidate, t.real(), t.imag(), 0.0, 0.0);
            continue;
        }
        const double x = root.values[0].real(), y = root.values[1].real();
        const double z = root.values[2].real(), theta = 2.0 * std::atan(t.real());
        if (root.kind == RootKind::Real)
            appendCandidate(KIND_C, x, y, z, theta);
        else
            appendRealPartOrComplex(x, y, z, theta, t);
    }
    if (solutionCount == 0) {
        setMessage("No result!(R_Remain, numResult == 0)");
        return 0;
    }
    return 1;
}
