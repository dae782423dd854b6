// Copies the candidate store out, in candidate order.
#include "solver/merge_candidates.h"

#include "solver/constraint_residual.h"

std::vector<MergeCandidate> candidatesOf(const MergeProblem& p) {
    std::vector<MergeCandidate> out;
    for (int n = 0; n < p.solutionCount; ++n) {
        const SceneObject& s = p.solutions[n];
        MergeCandidate c;
        if (s.kind == kComplexCandidate) {
            c.complex = true;
            c.re = s.x[0];
            c.im = s.y[0];
        } else {
            c.parameter = p.parameter[n];
            c.x = s.x[0];
            c.y = s.y[0];
            c.r = s.r;
            c.residual = candidateResidual(p, n);
        }
        out.push_back(c);
    }
    return out;
}
