// Merge by translation when all four constraints are lines: one linear system in
// the new circle (x, y, z) and the shift d.
#include "solver/line_plane.h"
#include "solver/merge_problem.h"

#include "numeric/determinant.h"

#include <cmath>

namespace {

// Whether det, of the n×n row-major m, is zero within rounding of Hadamard's bound
// (the product of the row lengths).
bool nearlySingular(int n, const double* m, double det) {
    double bound = 1.0;
    for (int r = 0; r < n; ++r) {
        double sq = 0.0;
        for (int c = 0; c < n; ++c)
            sq += m[n * r + c] * m[n * r + c];
        bound *= std::sqrt(sq);
    }
    return !(std::fabs(det) > 1e-8 * bound);
}

} // namespace

int MergeProblem::T_4LineSolver() {
    const SceneObject* rows[4] = {slots[0][0], slots[0][1], slots[1][0], slots[1][1]};
    LinePlane p[4];
    for (int k = 0; k < 4; ++k)
        if (!linePlane(*rows[k], p[k])) {
            setMessage(kLineWithoutDirection);
            return 0;
        }

    double M[16], Md[16];
    for (int k = 0; k < 4; ++k) {
        const double delta = k < 2 ? 0.0 : 1.0;
        const double row[3] = {p[k].a, p[k].b, p[k].c};
        for (int j = 0; j < 3; ++j)
            M[4 * k + j] = Md[4 * k + j] = row[j];
        M[4 * k + 3] = -delta * p[k].a;
        Md[4 * k + 3] = -p[k].e;
    }
    const double detM = determinant(4, M);
    if (nearlySingular(4, M, detM))
        markDegenerate();
    if (detM == 0.0) {
        // Sliding along x does not move cluster 2's planes against the others.
        setMessage("No result: the shift cannot be determined.");
        return 0;
    }
    const double d = determinant(4, Md) / detM;
    p[2].e -= p[2].a * d;
    p[3].e -= p[3].a * d;

    double A[9];
    for (int k = 0; k < 3; ++k) {
        A[3 * k] = p[k].a;
        A[3 * k + 1] = p[k].b;
        A[3 * k + 2] = p[k].c;
    }
    const double D3 = determinant(3, A);
    if (nearlySingular(3, A, D3))
        markDegenerate();
    if (D3 == 0.0)
        return 0;
    double xyz[3];
    for (int col = 0; col < 3; ++col) {
        double Ac[9];
        for (int k = 0; k < 3; ++k)
            for (int j = 0; j < 3; ++j)
                Ac[3 * k + j] = j == col ? -p[k].e : A[3 * k + j];
        xyz[col] = determinant(3, Ac) / D3;
    }
    const int before = solutionCount;
    solutionCount = 0;
    if (!appendCandidate(KIND_C, xyz[0], xyz[1], xyz[2], d)) {
        solutionCount = before;
        setMessage("No result.");
        return 0;
    }
    storeReplaced = true;
    return 1;
}
