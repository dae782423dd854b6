// MergeProblem: slot bookkeeping, the candidate store and the dispatch tables.
#include "solver/merge_problem.h"

#include "solver/candidate_refinement.h"

#include <cmath>
#include <cstdio>
#include <cstring>

MergeProblem::MergeProblem() = default;

void MergeProblem::addObject(int clusterNumber, SceneObject* obj) {
    if (clusterNumber != 1 && clusterNumber != 2)
        return;
    const int c = clusterNumber - 1;
    if (slotCount[c] >= 2)
        return;
    slots[c][slotCount[c]] = obj;
    ++slotCount[c];
}

void MergeProblem::removeObject(int clusterIndex, int slot) {
    if (clusterIndex < 0 || clusterIndex > 1 || slot < 0 || slot > 1)
        return;
    SceneObject** s = slots[clusterIndex];
    if (!s[slot])
        return;
    if (slotCount[clusterIndex] == 2 && slot == 0) {
        s[0] = s[1];
        s[1] = nullptr;
    } else {
        s[slot] = nullptr;
    }
    --slotCount[clusterIndex];
}

void MergeProblem::setMessage(const char* text) {
    // Every solve writes a message first; a copy is all it takes, not a format.
    const std::size_t length = strnlen(text, sizeof message - 1);
    std::memcpy(message, text, length);
    message[length] = '\0';
}

bool MergeProblem::appendCandidate(int kind, double x, double y, double r, double param) {
    if (solutionCount >= kMaxSolutions)
        return false;
    const bool complex = kind == kComplexCandidate;
    if (!std::isfinite(x) || !std::isfinite(y) || (!complex && !std::isfinite(r)) ||
        !std::isfinite(param))
        return false;
    SceneObject& s = solutions[solutionCount];
    s.kind = kind;
    s.x[0] = x;
    s.y[0] = y;
    if (!complex)
        s.r = r;
    parameter[solutionCount] = param;
    ++solutionCount;
    return true;
}

int MergeProblem::solve(int newMode) {
    mode = newMode;
    if (slotCount[0] + slotCount[1] != 4) {
        setMessage("Please select four objects.");
        return 0;
    }
    KindCounts counts;
    for (int c = 0; c < 2; ++c)
        for (int slot = 0; slot < 2; ++slot) {
            const int kind = slots[c][slot] ? slots[c][slot]->kind : -1;
            if (!isValidKind(kind)) {
                setMessage("Please select four objects.");
                return 0;
            }
            int* perKind[4] = {counts.C, counts.L, counts.Cp, counts.Lp};
            ++perKind[kind][c];
        }
    if (counts.Cp[0] + counts.Cp[1] > 2) {
        setMessage("There can only be two center constraint objects!");
        return 0;
    }
    if (mode != MERGE_TRANSLATE && mode != MERGE_ROTATE)
        return 0;
    underdetermined = false;
    return mode == MERGE_TRANSLATE ? solveLocally(counts) : solveHere(counts);
}

int MergeProblem::solveHere(const KindCounts& counts, const SceneScale* knownScene) {
    const SceneScale scene = knownScene ? *knownScene : sceneScale(*this, 0.0);
    // The measure lives on this stack frame: forgotten however the solve ends.
    struct Forget {
        const SceneScale*& measure;
        ~Forget() { measure = nullptr; }
    } forget{unmovedScene};
    unmovedScene = &scene;
    return solveWithSafetyNet(counts);
}

SceneScale MergeProblem::unmovedScale() const {
    return unmovedScene ? *unmovedScene : sceneScale(*this, 0.0);
}

int MergeProblem::solveWithSafetyNet(const KindCounts& counts) {
    const int before = solutionCount;
    storeReplaced = false;
    degenerate = false;
    exactSupplied = false;
    curvesSeen = 0;
    char previousMessage[kMessageSize];
    std::memcpy(previousMessage, message, sizeof message);
    ranSolver = nullptr;
    int result = mode == MERGE_TRANSLATE ? dispatchTranslate(counts) : dispatchRotate(counts);
    const int first = storeReplaced ? 0 : before;
    const int produced = solutionCount - first;
    refineCandidates(*this, first);
    // An engine answers each root once; two that round to one circle are one merge.
    if (ranEngineSolver())
        dropRepeats(first, first);
    // A root that gave no circle meeting the constraints is a sign of a degenerate
    // step, whichever the solver.
    if (solutionCount - first < produced)
        markDegenerate();
    if (result && solutionCount == first) {
        // Every candidate the closed form produced failed the constraints.
        setMessage("No result.");
        result = 0;
    }
    const bool hadReal = storedRealSince(first);
    if (exactLeftToCaller) {
        degenerate = degenerate || !hadReal;
    } else if (degenerate || !hadReal) {
        if (!addExactCandidates(first)) {
            solutionCount = first;
            underdetermined = true;
            setMessage(kUnderdeterminedMessage);
            return 0;
        }
        if (!hadReal && storedRealSince(first)) {
            std::memcpy(message, previousMessage, sizeof message);
            result = 1;
        }
    }
    if (exactSupplied) {
        std::snprintf(solverNameWithExact, sizeof solverNameWithExact, "%s+exact", solverName);
        solverName = solverNameWithExact;
    }
    return result;
}

bool MergeProblem::storedRealSince(int first) const {
    for (int n = first; n < solutionCount; ++n)
        if (solutions[n].kind == KIND_C)
            return true;
    return false;
}

int MergeProblem::run(const char* name, Solver solver) {
    solverName = name;
    ranSolver = solver;
    return (this->*solver)();
}

int MergeProblem::dispatchTranslate(const KindCounts& k) {
    const int C1 = k.C[0], L1 = k.L[0], Cp1 = k.Cp[0], Lp1 = k.Lp[0];
    const int C2 = k.C[1], L2 = k.L[1], Cp2 = k.Cp[1], Lp2 = k.Lp[1];
    const int lines = k.lines();
    if (lines == 4)
        return run("T_4LineSolver", &MergeProblem::T_4LineSolver);
    if (lines == 3 && (C1 == 1 || C2 == 1 || Cp1 == 1 || Cp2 == 1))
        return run("T_3Line1CircleSolver", &MergeProblem::T_3Line1CircleSolver);
    if (lines == 2 && (C1 == 2 || C2 == 2))
        return run("T_2Circle1ClusterSolver", &MergeProblem::T_2Circle1ClusterSolver);
    if (lines == 2 && C1 == 1 && C2 == 1)
        return run("T_2Circle2ClusterSolver", &MergeProblem::T_2Circle2ClusterSolver);
    if (lines == 1 && C1 + C2 == 3)
        return run("T_3Circle1LineSolver", &MergeProblem::T_3Circle1LineSolver);
    if (C1 + C2 == 4)
        return run("T_4CircleSolver", &MergeProblem::T_4CircleSolver);
    if ((Cp1 + Lp1 == 2 && Cp1 > 0) || (Cp2 + Lp2 == 2 && Cp2 > 0))
        return run("T_2Center1ClusterSolver", &MergeProblem::T_2Center1ClusterSolver);
    if (L1 + Lp1 == 1 && Cp1 == 1 && L2 + Lp2 == 1 && Cp2 == 1)
        return run("T_2Center2ClusterSolver", &MergeProblem::T_2Center2ClusterSolver);
    return run("T_RemainSolver", &MergeProblem::T_RemainSolver);
}

int MergeProblem::dispatchRotate(const KindCounts& k) {
    const int C1 = k.C[0], Cp1 = k.Cp[0], Lp1 = k.Lp[0];
    const int C2 = k.C[1], Cp2 = k.Cp[1], Lp2 = k.Lp[1];
    const int lines = k.lines();
    if (lines == 4)
        return run("R_4LineSolver", &MergeProblem::R_4LineSolver);
    if (C1 + C2 > 0 && Cp1 + Cp2 == 0)
        return run("R_ClosedFormSolver", &MergeProblem::R_ClosedFormSolver);
    if ((Cp1 + Lp1 == 2 && Cp1 > 0) || (Cp2 + Lp2 == 2 && Cp2 > 0))
        return run("R_2Center1ClusterSolver", &MergeProblem::R_2Center1ClusterSolver);
    if (Cp1 + Cp2 == 1 && lines == 3)
        return run("R_ClosedFormSolver", &MergeProblem::R_ClosedFormSolver);
    if (Cp1 == 1 && C1 == 0 && Cp2 == 1 && C2 == 0)
        return run("R_ClosedFormSolver", &MergeProblem::R_ClosedFormSolver);
    return run("R_RemainSolver", &MergeProblem::R_RemainSolver);
}
