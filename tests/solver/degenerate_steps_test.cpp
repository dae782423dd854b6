// The test that sends a closed form to the exact system: polynomials built from
// chosen roots, so that whether a multiple root hides in rounding is known, not
// taken from the code.
#include "solver/degenerate_steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// (t - r[0])·…·(t - r[n-1]) times lead, expanded; with magnitude, the same product
// of (t + |r_i|), which bounds every term.
Poly4 fromRoots(const double* r, int n, double lead, Poly4* magnitude = nullptr) {
    Poly4 p = Poly4::constant(lead), m = Poly4::constant(std::fabs(lead));
    for (int i = 0; i < n; ++i) {
        const double f[2] = {-r[i], 1.0}, g[2] = {std::fabs(r[i]), 1.0};
        p = multiply(p, Poly4::fromCoefs(1, f));
        m = multiply(m, Poly4::fromCoefs(1, g));
    }
    if (magnitude)
        *magnitude = m;
    return p;
}

// Each coefficient moved by a few units in its last place, as a closed form's
// arithmetic leaves it.
Poly4 rounded(Poly4 p, std::mt19937& rng) {
    std::uniform_int_distribution<int> ulps(-4, 4);
    for (int i = 0; i <= p.degree; ++i)
        p.coef[i] += ulps(rng) * std::ldexp(std::fabs(p.coef[i]), -52);
    return p;
}

TEST(DegenerateSteps, DoubleRootsWithinRoundingAreCaughtAtEveryScale) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (double scale : {1e-4, 1.0, 37.0, 1e5}) {
        for (int trial = 0; trial < 200; ++trial) {
            const double a = unit(rng) * scale;
            double roots[4] = {a, a, unit(rng) * scale, unit(rng) * scale};
            Poly4 magnitude;
            const Poly4 q = fromRoots(roots, 4, 1.0 + unit(rng) * 0.5, &magnitude);
            EXPECT_TRUE(nearlyDegenerate(rounded(q, rng), magnitude, 4, scale))
                << "double root " << a << " scale " << scale;
            // A touching pair may leave the closed form as two real roots or none.
            const double quadratic[2] = {a, a};
            Poly4 m2;
            const Poly4 q2 = fromRoots(quadratic, 2, -2.0, &m2);
            EXPECT_TRUE(nearlyDegenerate(rounded(q2, rng), m2, 2, scale));
        }
    }
}

TEST(DegenerateSteps, TripleRootAndComplexPairAtTheRealAxisAreCaught) {
    std::mt19937 rng(6);
    const double triple[4] = {3.0, 3.0, 3.0, -5.0};
    Poly4 magnitude;
    EXPECT_TRUE(
        nearlyDegenerate(rounded(fromRoots(triple, 4, 1.0, &magnitude), rng), magnitude, 4, 5.0));
    // ((t - 2)² + 1e-14)·(t - 7)(t + 1): a pair 1e-7 off the axis, a few roundings of
    // the data away from a double root.
    const double others[2] = {7.0, -1.0};
    const double square[3] = {4.0 + 1e-14, -4.0, 1.0};
    const Poly4 pair = multiply(Poly4::fromCoefs(2, square), fromRoots(others, 2, 1.0));
    const double all[4] = {2.0, 2.0, 7.0, -1.0};
    fromRoots(all, 4, 1.0, &magnitude);
    EXPECT_TRUE(nearlyDegenerate(pair, magnitude, 4, 7.0));
}

TEST(DegenerateSteps, LostLeadingTermIsCaught) {
    const double roots[3] = {1.0, -2.0, 4.0};
    Poly4 magnitude;
    Poly4 q = fromRoots(roots, 3, 1.0, &magnitude);
    q.degree = 4;
    q.coef[4] = 1e-16;
    magnitude.degree = 4;
    magnitude.coef[4] = 1e-16;
    EXPECT_TRUE(nearlyDegenerate(q, magnitude, 4, 4.0));
}

TEST(DegenerateSteps, SeparatedRootsStayOnTheFastPath) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    int flagged = 0, cases = 0;
    for (double scale : {1e-3, 1.0, 250.0, 1e6}) {
        for (int trial = 0; trial < 200; ++trial) {
            double roots[4];
            for (double& r : roots)
                r = unit(rng) * scale;
            // Keep every pair a thousandth of the scale apart.
            bool apart = true;
            for (int i = 0; i < 4; ++i)
                for (int j = i + 1; j < 4; ++j)
                    apart = apart && std::fabs(roots[i] - roots[j]) > 1e-3 * scale;
            if (!apart)
                continue;
            Poly4 magnitude;
            const Poly4 q = fromRoots(roots, 4, 2.0, &magnitude);
            ++cases;
            flagged += nearlyDegenerate(rounded(q, rng), magnitude, 4, scale) ? 1 : 0;
            // Two real roots and a complex pair well off the axis.
            const double two[2] = {roots[0], roots[1]};
            const double pair[3] = {scale * scale * 0.25, 0.0, 1.0};
            Poly4 twoMagnitude;
            const Poly4 real = fromRoots(two, 2, 1.0, &twoMagnitude);
            const Poly4 mixed = multiply(real, Poly4::fromCoefs(2, pair));
            flagged += nearlyDegenerate(rounded(mixed, rng),
                                        multiply(twoMagnitude, Poly4::fromCoefs(2, pair)), 4, scale)
                           ? 1
                           : 0;
        }
    }
    EXPECT_GT(cases, 600);
    EXPECT_EQ(flagged, 0);
}

} // namespace
