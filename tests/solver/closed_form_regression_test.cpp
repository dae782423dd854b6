// The closed-form solvers against the candidates an earlier implementation stored
// for the same random problems (tests/data/closed_form_baseline.txt: every family,
// both modes, built from known answers): the same merges, none lost or added, and
// each at least as close to the true merge. The true merge is found independently,
// by Newton's method in long double on the four constraints with a finite-difference
// Jacobian, started from the stored candidate.
#include "solver/candidate_refinement.h"
#include "solver/merge_problem.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Candidate {
    int kind = KIND_C;
    double parameter = 0, x = 0, y = 0, r = 0;
};

struct Recorded {
    int mode = MERGE_TRANSLATE;
    std::array<SceneObject, 4> obj;
    std::string solver;
    int result = 0;
    std::vector<Candidate> candidates;
};

std::vector<Recorded> readBaseline() {
    std::ifstream in(std::string(TORVANE_TEST_DATA) + "/closed_form_baseline.txt");
    std::vector<Recorded> all;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream s(line);
        Recorded r;
        s >> r.mode;
        for (SceneObject& o : r.obj)
            s >> o.kind >> o.x[0] >> o.y[0] >> o.x[1] >> o.y[1] >> o.r;
        int count = 0;
        s >> r.solver >> r.result >> count;
        for (int i = 0; i < count; ++i) {
            Candidate c;
            s >> c.kind >> c.parameter >> c.x >> c.y >> c.r;
            r.candidates.push_back(c);
        }
        if (s)
            all.push_back(r);
    }
    return all;
}

using Real = long double;

// The four constraints at u = (x, y, z, motion), zero exactly at a merge: squared
// centre distances for circles, signed distances for lines.
void constraintValues(const Recorded& rec, const Real u[4], Real f[4], Real noise[4] = nullptr) {
    const Real c = std::cos(u[3]), s = std::sin(u[3]);
    for (int k = 0; k < 4; ++k) {
        const SceneObject& o = rec.obj[k];
        Real px[2] = {o.x[0], o.x[1]}, py[2] = {o.y[0], o.y[1]};
        if (k >= 2)
            for (int i = 0; i < 2; ++i) {
                if (rec.mode == MERGE_ROTATE) {
                    const Real x = px[i] * c - py[i] * s;
                    py[i] = px[i] * s + py[i] * c;
                    px[i] = x;
                } else {
                    px[i] += u[3];
                }
            }
        if (isLineKind(o.kind)) {
            const Real dx = px[1] - px[0], dy = py[1] - py[0];
            const Real dist =
                (dx * (u[1] - py[0]) - dy * (u[0] - px[0])) / std::sqrt(dx * dx + dy * dy);
            f[k] = o.kind == KIND_L ? dist - u[2] : dist;
            if (noise)
                noise[k] = std::fabs(u[0]) + std::fabs(u[1]) + std::fabs(u[2]) + std::fabs(px[0]) +
                           std::fabs(py[0]);
        } else {
            const Real dr = o.kind == KIND_C ? u[2] - o.r : Real(o.r);
            f[k] = (u[0] - px[0]) * (u[0] - px[0]) + (u[1] - py[0]) * (u[1] - py[0]) - dr * dr;
            if (noise)
                noise[k] = 2 * ((std::fabs(u[0]) + std::fabs(px[0])) * std::fabs(u[0] - px[0]) +
                                (std::fabs(u[1]) + std::fabs(py[0])) * std::fabs(u[1] - py[0]) +
                                (std::fabs(u[2]) + std::fabs(o.r)) * std::fabs(dr));
        }
        if (noise)
            noise[k] *= std::numeric_limits<double>::epsilon();
    }
}

struct Truth {
    std::array<Real, 4> merge;
    // How far from it double arithmetic can place a merge at best: the rounding of
    // the four equations in doubles, carried through the inverse Jacobian.
    Real attainable = 0;
};

// Solves m·step = rhs (4 by 4, with m[k][4] the right-hand side) in place.
void solve4(Real m[4][5], Real step[4]) {
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(m[r][col]) > std::fabs(m[pivot][col]))
                pivot = r;
        std::swap(m[pivot], m[col]);
        for (int r = col + 1; r < 4; ++r) {
            const Real q = m[r][col] / m[col][col];
            for (int j = col; j < 5; ++j)
                m[r][j] -= q * m[col][j];
        }
    }
    for (int r = 3; r >= 0; --r) {
        Real s = m[r][4];
        for (int j = r + 1; j < 4; ++j)
            s -= m[r][j] * step[j];
        step[r] = s / m[r][r];
    }
}

// The merge nearest to c, to long double precision.
Truth trueMergeNear(const Recorded& rec, const Candidate& c, double motionScale) {
    Real u[4] = {c.x, c.y, c.r, c.parameter};
    Truth t;
    for (int iter = 0; iter < 6; ++iter) {
        Real f[4], m[4][5], noise[4];
        constraintValues(rec, u, f, noise);
        for (int j = 0; j < 4; ++j) {
            const Real h = 1e-7L * (1 + std::fabs(u[j]));
            Real up[4] = {u[0], u[1], u[2], u[3]}, down[4] = {u[0], u[1], u[2], u[3]}, fp[4], fm[4];
            up[j] += h;
            down[j] -= h;
            constraintValues(rec, up, fp);
            constraintValues(rec, down, fm);
            for (int k = 0; k < 4; ++k)
                m[k][j] = (fp[k] - fm[k]) / (2 * h);
        }
        // Each equation's rounding, in both directions, moved through J^-1.
        t.attainable = 0;
        for (int k = 0; k < 4; ++k) {
            Real unitStep[4], mk[4][5];
            for (int r = 0; r < 4; ++r) {
                for (int j = 0; j < 4; ++j)
                    mk[r][j] = m[r][j];
                mk[r][4] = r == k ? noise[k] : 0;
            }
            solve4(mk, unitStep);
            for (int j = 0; j < 4; ++j)
                t.attainable += std::fabs(unitStep[j]) * (j == 3 ? motionScale : 1);
        }
        for (int k = 0; k < 4; ++k)
            m[k][4] = -f[k];
        Real step[4];
        solve4(m, step);
        for (int j = 0; j < 4; ++j)
            u[j] += step[j];
    }
    t.merge = {u[0], u[1], u[2], u[3]};
    return t;
}

// Distance of c from the true merge, in scene units (an angle counts at the scene's
// distance from the origin, where it moves points by that much).
double errorOf(const Candidate& c, const std::array<Real, 4>& truth, double motionScale) {
    const Real e =
        std::max({std::fabs(c.x - truth[0]), std::fabs(c.y - truth[1]), std::fabs(c.r - truth[2]),
                  std::fabs(c.parameter - truth[3]) * motionScale});
    return static_cast<double>(e);
}

double magnitudeOf(const Candidate& c) {
    return std::max({std::fabs(c.parameter), std::fabs(c.x), std::fabs(c.y), std::fabs(c.r)});
}

bool sameMerge(const Candidate& a, const Candidate& b, double tol) {
    return a.kind == b.kind && std::fabs(a.parameter - b.parameter) <= tol &&
           std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol &&
           std::fabs(a.r - b.r) <= tol;
}

} // namespace

TEST(ClosedFormRegression, SameMergesAsBeforeAndNoFartherFromTheTruth) {
    const std::vector<Recorded> baseline = readBaseline();
    ASSERT_GT(baseline.size(), 500u) << "baseline file missing or unreadable";
    int compared = 0, identical = 0, closer = 0, farther = 0;
    double worstLoss = 0.0;
    for (size_t i = 0; i < baseline.size(); ++i) {
        Recorded rec = baseline[i];
        MergeProblem p;
        for (int k = 0; k < 4; ++k)
            p.addObject(k < 2 ? 1 : 2, &rec.obj[k]);
        const int result = p.solve(rec.mode);
        ASSERT_EQ(p.solverName, rec.solver) << "problem " << i;
        ASSERT_EQ(result, rec.result) << "problem " << i;
        ASSERT_EQ(p.solutionCount, static_cast<int>(rec.candidates.size())) << "problem " << i;
        const SceneScale scene = sceneScale(p, 0.0);
        const double ulp =
            std::numeric_limits<double>::epsilon() * (scene.extent + scene.magnitude);
        std::vector<bool> used(p.solutionCount, false);
        for (const Candidate& before : rec.candidates) {
            int match = -1;
            for (int n = 0; n < p.solutionCount && match < 0; ++n) {
                const Candidate now{p.solutions[n].kind, p.parameter[n], p.solutions[n].x[0],
                                    p.solutions[n].y[0], p.solutions[n].r};
                if (!used[n] && sameMerge(before, now, 1e-9 * magnitudeOf(before) + 1e3 * ulp))
                    match = n;
            }
            ASSERT_GE(match, 0) << "problem " << i << ": a merge went missing";
            used[match] = true;
            const Candidate now{p.solutions[match].kind, p.parameter[match],
                                p.solutions[match].x[0], p.solutions[match].y[0],
                                p.solutions[match].r};
            if (before.kind != KIND_C)
                continue;
            const double motionScale = rec.mode == MERGE_ROTATE ? scene.magnitude : 1.0;
            const Truth truth = trueMergeNear(rec, before, motionScale);
            const double errBefore = errorOf(before, truth.merge, motionScale);
            const double errNow = errorOf(now, truth.merge, motionScale);
            const double unit = std::max<double>(truth.attainable, ulp);
            ++compared;
            identical += errNow == errBefore;
            closer += errNow < errBefore;
            farther += errNow > errBefore;
            worstLoss = std::max(worstLoss, (errNow - errBefore) / unit);
            // Within a few times the attainable accuracy both are as close as doubles
            // can be.
            EXPECT_LE(errNow, errBefore + 4.0 * unit)
                << "problem " << i << " (" << rec.solver << "): " << errNow << " vs " << errBefore;
        }
    }
    std::printf("%d merges: %d as close, %d closer, %d farther (by at most %.2f times the "
                "attainable accuracy)\n",
                compared, identical, closer, farther, worstLoss);
    EXPECT_GT(compared, 1000);
}
