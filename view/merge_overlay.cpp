// Builds the overlay from the problem with the same motion the merge applies.
#include "view/merge_overlay.h"

#include "solver/constraint_residual.h"

MergeOverlay mergeOverlayFor(const MergeProblem& p, int k) {
    MergeOverlay o;
    if (k < 0 || k >= p.solutionCount)
        return o;
    const bool moves = p.mode == MERGE_TRANSLATE || p.mode == MERGE_ROTATE;
    const bool real = p.solutions[k].kind == KIND_C;
    if (moves)
        for (int s = 0; s < p.slotCount[CLUSTER_2]; ++s)
            if (const SceneObject* obj = p.slots[CLUSTER_2][s]) {
                SceneObject m = movedObject(*obj, p.mode, p.parameter[k]);
                m.dashed = 0;
                o.moved.push_back(m);
            }
    for (int n = 0; n < p.solutionCount; ++n) {
        if (p.solutions[n].kind != KIND_C)
            continue;
        SceneObject c;
        c.kind = KIND_C;
        c.setCircle(p.solutions[n].x[0], p.solutions[n].y[0], p.solutions[n].r);
        if (n == k) {
            c.setColour(255, 0, 0);
            c.width = 2;
            o.circle = c;
            o.hasCircle = true;
        } else {
            c.setColour(255, 190, 190);
            o.others.push_back(c);
        }
    }
    o.turn = p.mode == MERGE_ROTATE && real;
    o.angle = real ? p.parameter[k] : 0.0;
    return o;
}
