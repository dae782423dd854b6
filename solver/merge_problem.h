// MergeProblem: the four constraint objects of a merge, the mode, the candidate
// store and the failure message, plus the dispatch to one solver by kinds and mode.
#pragma once

#include "scene/scene_object.h"
#include "solver/candidate_records.h"
#include "solver/translation_rows.h"

#include <complex>
#include <cstdint>

struct RotatedElimination;
struct SceneScale;

enum Cluster { CLUSTER_1 = 0, CLUSTER_2 = 1 };
enum MergeMode : std::int32_t { MERGE_TRANSLATE = 0, MERGE_ROTATE = 1 };

inline constexpr int kMaxSolutions = 64;
inline constexpr int kMessageSize = 144;
// Kind of a candidate that is a complex root of the motion parameter.
inline constexpr int kComplexCandidate = -1;
// Failure text of a merge whose four constraints leave a curve of circles.
inline constexpr const char* kUnderdeterminedMessage =
    "Infinitely many circles meet these four constraints: the merge does not fix the new circle.";

class MergeProblem {
  public:
    MergeProblem();
    virtual ~MergeProblem() = default;

    // clusterNumber is 1-based; a third object for a cluster is ignored.
    void addObject(int clusterNumber, SceneObject* obj);
    // clusterIndex is 0-based; removing slot 0 of a full cluster moves slot 1 down.
    void removeObject(int clusterIndex, int slot);
    // Nonzero on success with candidates appended; 0 with the reason in message.
    int solve(int mode);

    // Stores text (truncated to fit) as the failure message.
    void setMessage(const char* text);
    // Appends a candidate; refuses (returns false) when the store is full or a value
    // is not finite, so no such candidate can ever reach a caller.
    bool appendCandidate(int kind, double x, double y, double r, double parameter);

    int T_4LineSolver();
    int T_3Line1CircleSolver();
    int T_2Circle1ClusterSolver();
    int T_2Circle2ClusterSolver();
    int T_3Circle1LineSolver();
    int T_4CircleSolver();
    int T_2Center1ClusterSolver();
    int T_2Center2ClusterSolver();
    int R_2Center1ClusterSolver();
    int R_4LineSolver();
    int R_ClosedFormSolver();
    int T_RemainSolver();
    int R_RemainSolver();

    SceneObject* slots[2][2] = {{nullptr, nullptr}, {nullptr, nullptr}};
    std::int32_t slotCount[2] = {0, 0};
    char message[kMessageSize] = {};
    CandidateRecords<kMaxSolutions> solutions;
    double parameter[kMaxSolutions] = {};
    std::int32_t solutionCount = 0;
    std::int32_t mode = MERGE_TRANSLATE;
    // Name of the solver the last dispatch chose, for reports; empty before. It ends
    // in "+exact" when the exact system supplied candidates.
    const char* solverName = "";
    // Set by solve when the constraints leave a whole curve of circles.
    bool underdetermined = false;

    // Called by a solver that passed a step where rounding can lose or invent merges
    // (a vanishing denominator, a near-multiple root, ...): solve then also solves the
    // exact system of the four constraints.
    void markDegenerate() { degenerate = true; }
    bool passedDegenerateStep() const { return degenerate; }
    // The larger side of the bounding box of the four objects, unmoved.
    double objectsExtent() const;
    // Whether the objects lie far from the origin next to their own size: a rotation
    // about the origin then loses digits in every closed form.
    bool farFromOrigin() const;

  private:
    bool degenerate = false;
    // Set on a smaller merge solved for a larger one: doubts (a degenerate step, no real
    // circle) are only marked, and the larger merge solves its whole exact system once
    // instead of each smaller one solving its own.
    bool exactLeftToCaller = false;
    // Whether the exact system supplied candidates to this solve (or to a smaller
    // merge it was solved through).
    bool exactSupplied = false;
    // Curves of circles an engine-based solver met in its own system.
    int curvesSeen = 0;
    char solverNameWithExact[48] = {};

    // Set by a solver that replaced the store instead of appending to it, so that
    // every candidate counts as new.
    bool storeReplaced = false;

    // Shared steps of the closed-form translation solvers.
    bool appendTranslationSolution(const Elimination& el, int referenceCluster, double t);
    int solveTranslationQuadratic(const Elimination& el, const SceneObject& circle,
                                  int referenceCluster);
    int solveTranslationQuartic(const Elimination& el, const SceneObject& c0, int referenceCluster,
                                const char* noRootMessage);
    static bool movingRowAgainst(const SceneObject& c0, const SceneObject& obj, PlaneRow& row);
    // Stores the rotation candidate at t; turnedCluster1 when the rows that turned
    // were cluster 1's.
    bool appendRotationSolution(const RotatedElimination& el, double t, bool turnedCluster1);
    // Solves once per point where the centre cluster's two loci meet, as a merge whose
    // centre cluster is two centre lines through that point.
    int solveThroughCentres(int subMode);

    // Objects of each kind per cluster (index 0 = cluster 1), as the dispatch reads them.
    struct KindCounts {
        int C[2] = {}, L[2] = {}, Cp[2] = {}, Lp[2] = {};
        int lines() const { return L[0] + Lp[0] + L[1] + Lp[1]; }
    };
    int dispatchTranslate(const KindCounts& counts);
    int dispatchRotate(const KindCounts& counts);
    using Solver = int (MergeProblem::*)();
    int run(const char* name, Solver solver);
    // The solver the last dispatch ran; none before, or when the dispatch refused.
    Solver ranSolver = nullptr;
    bool ranEngineSolver() const {
        return ranSolver == &MergeProblem::T_RemainSolver ||
               ranSolver == &MergeProblem::R_RemainSolver;
    }
    // Whether a real candidate is stored at index first or later.
    bool storedRealSince(int first) const;
    // The solve in coordinates centred on the four objects (translation commutes
    // with the change), results moved back.
    int solveLocally(const KindCounts& counts);
    // The solve in the slots' own coordinates; knownScene, when given, is their
    // unmoved scene's measure, already taken.
    int solveHere(const KindCounts& counts, const SceneScale* knownScene = nullptr);
    int solveWithSafetyNet(const KindCounts& counts);
    // The unmoved objects' measure, taken once per solve (the objects do not change
    // during one) and read by the degeneracy tests and the merging of candidates.
    const SceneScale* unmovedScene = nullptr;
    SceneScale unmovedScale() const;
    // The exact system's real candidates (and, in rotate mode, the half turn's), added
    // to those of the closed form, and exactSupplied set when one was new; false when
    // it found a curve of circles.
    bool addExactCandidates(int first);
    // Appends the real part of a root the engine found complex when it meets the
    // constraints, and the complex root of the motion parameter otherwise.
    void appendRealPartOrComplex(double x, double y, double r, double param,
                                 std::complex<double> motion);
    // Keeps the closed-form candidates first..exactFrom-1 that the exact system has
    // (with its values), drops the others; returns where the exact ones now start.
    int keepConfirmed(int first, int exactFrom);
    // Whether candidates a and b are one merge, within relative times the scene.
    bool sameMerge(int a, int b, double relative) const;
    // Whether their motions agree: shifts within relative times the scene, angles
    // within relative radians.
    bool sameMotion(int a, int b, double relative) const;
    // Drops each candidate from index from on that repeats an earlier one at index
    // against or later.
    void dropRepeats(int from, int against);
};

// The points where the loci of two centre constraints (C' circles, L' lines) meet.
// Returns 0, 1 or 2 and fills that many entries.
int intersectCentreLoci(const SceneObject* A, const SceneObject* B, double outX[2], double outY[2]);
