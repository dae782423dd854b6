// Tests for the cubic solver, the robust real-root finder and both quartic solvers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "numeric/cubic_solver.h"
#include "numeric/poly4.h"
#include "numeric/quartic.h"
#include "numeric/real_roots.h"

namespace {

Poly4 fromRoots(const std::vector<double>& roots, double lead = 1.0) {
    Poly4 p = Poly4::constant(lead);
    for (double r : roots) {
        Poly4 f;
        f.degree = 1;
        f.coef[0] = -r;
        f.coef[1] = 1.0;
        p = multiply(p, f);
    }
    return p;
}

// (x - re)^2 + im^2
Poly4 complexPair(double re, double im) {
    Poly4 f;
    f.degree = 2;
    f.coef[0] = re * re + im * im;
    f.coef[1] = -2.0 * re;
    f.coef[2] = 1.0;
    return f;
}

double cubicRoot(double c2, double c1, double c0) {
    CubicSolver s;
    s.c3 = 1.0;
    s.c2 = c2;
    s.c1 = c1;
    s.c0 = c0;
    EXPECT_EQ(s.solve(), 1);
    return s.root;
}

// Relative size of p(x) against the magnitude of its terms at x.
double relResidual(const Poly4& p, double x) {
    double bound = 0.0;
    for (int i = 0; i <= p.degree; ++i)
        bound += std::fabs(p.coef[i]) * std::pow(std::fabs(x), i);
    return std::fabs(evaluate(p, x)) / std::max(bound, 1e-300);
}

void expectRoots(const double* got, std::vector<double> want, double tol) {
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_NEAR(got[i], want[i], tol * (1.0 + std::fabs(want[i]))) << "root " << i;
}

} // namespace

TEST(CubicSolver, Branches) {
    EXPECT_NEAR(cubicRoot(-6, 11, -6), 1.0, 1e-12); // three real roots: smallest
    EXPECT_NEAR(cubicRoot(0, 0, 1), -1.0, 1e-12);   // one real root
    EXPECT_NEAR(cubicRoot(0, 0, -8), 2.0, 1e-12);
    EXPECT_EQ(cubicRoot(0, 0, 0), 0.0); // triple root
}

TEST(CubicSolver, IgnoresLeadingCoefficientAndIsAlwaysARoot) {
    CubicSolver s;
    s.c3 = 5.0;
    s.c2 = -6;
    s.c1 = 11;
    s.c0 = -6;
    s.solve();
    EXPECT_NEAR(s.root, 1.0, 1e-12);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-20, 20);
    for (int i = 0; i < 500; ++i) {
        double c2 = u(rng), c1 = u(rng), c0 = u(rng);
        double y = cubicRoot(c2, c1, c0);
        ASSERT_TRUE(std::isfinite(y));
        double scale =
            1 + std::fabs(y * y * y) + std::fabs(c2 * y * y) + std::fabs(c1 * y) + std::fabs(c0);
        EXPECT_LT(std::fabs(((y + c2) * y + c1) * y + c0) / scale, 1e-10);
    }
}

TEST(RealRoots, NearDoubleRootsAreKeptApartOrMerged) {
    // Either two close simple roots or one double root is acceptable, but
    // the count must stay 4 and every root must sit on the polynomial.
    double r[4];
    const Poly4 p = fromRoots({1.0, 1.0 + 1e-7, -2.0, 3.0});
    ASSERT_EQ(realRoots(p, r), 4);
    for (int i = 1; i < 4; ++i)
        EXPECT_LE(r[i - 1], r[i]);
    for (double x : r)
        EXPECT_LT(relResidual(p, x), 1e-13);
}

TEST(RealRoots, PolishKeepsRootsAndImprovesGuesses) {
    const Poly4 p = fromRoots({-1.0, 0.5, 2.0});
    EXPECT_NEAR(polishRoot(p, 2.01, 6), 2.0, 1e-12);
    EXPECT_EQ(polishRoot(p, 0.5), 0.5);
    // At a double root Newton would stall or wander; polishing must not make it worse.
    const Poly4 d = fromRoots({3.0, 3.0});
    EXPECT_LE(std::fabs(evaluate(d, polishRoot(d, 3.0 + 1e-9))),
              std::fabs(evaluate(d, 3.0 + 1e-9)));
}

TEST(RealRoots, MultiplicityAndOrder) {
    double r[4];
    ASSERT_EQ(realRoots(fromRoots({2, -1, 2, 5}), r), 4);
    expectRoots(r, {-1, 2, 2, 5}, 1e-8);
    ASSERT_EQ(realRoots(fromRoots({3, 3, 3}), r), 3);
    expectRoots(r, {3, 3, 3}, 1e-5);
    ASSERT_EQ(realRoots(multiply(complexPair(1, 2), complexPair(-3, 0.5)), r), 0);
    ASSERT_EQ(realRoots(Poly4::constant(4.0), r), 0);
}

TEST(FerrariQuartic, FourRealRootsInFerrariOrder) {
    double r[4];
    ASSERT_EQ(ferrariQuartic(fromRoots({1, 2, 3, 4}), r), 1);
    expectRoots(r, {4, 1, 3, 2}, 1e-12);
}

TEST(FerrariQuartic, RejectsWrongDegreeAndComplexRoots) {
    double r[4] = {7, 7, 7, 7};
    EXPECT_EQ(ferrariQuartic(fromRoots({1, 2, 3}), r), 0);
    EXPECT_EQ(ferrariQuartic(multiply(complexPair(0, 1), fromRoots({1, 2})), r), 0);
    EXPECT_EQ(ferrariQuartic(multiply(complexPair(0, 1), complexPair(0, 2)), r), 0);
    for (double v : r)
        EXPECT_EQ(v, 7.0); // untouched on failure
}

TEST(FerrariQuartic, ReturnsZeroWithExactlyTwoRealRoots) {
    double r[4] = {7, 7, 7, 7};
    EXPECT_EQ(ferrariQuartic(multiply(complexPair(-1.5, 0.25), fromRoots({-3, 8})), r), 0);
    for (double v : r)
        EXPECT_EQ(v, 7.0);
}

TEST(FerrariQuartic, DoubleRootsStillReported) {
    double r[4];
    ASSERT_EQ(ferrariQuartic(fromRoots({2, 2, -1, -1}), r), 1);
    std::sort(r, r + 4);
    expectRoots(r, {-1, -1, 2, 2}, 1e-7);
}

TEST(QuarticRealRoots, BasicCounts) {
    double r[4];
    ASSERT_EQ(quarticRealRoots(multiply(complexPair(0, 1), fromRoots({1, 2})), r), 2);
    expectRoots(r, {2, 1}, 1e-12);
    EXPECT_EQ(quarticRealRoots(multiply(complexPair(0, 1), complexPair(0, 2)), r), 0);
    EXPECT_EQ(quarticRealRoots(fromRoots({1, 2, 3}), r), 0);
}

TEST(QuarticRealRoots, KeepsAllRootsWhenResolventRootRoundsAwayFromZero) {
    double r[4];
    ASSERT_EQ(quarticRealRoots(fromRoots({1, 2, 3, 4}), r), 4);
    expectRoots(r, {4, 3, 2, 1}, 1e-12);
}

TEST(QuarticRealRoots, ZeroLinearTermDoesNotCollapseRoots) {
    double r[4];
    const double s = std::sqrt(18.0);
    ASSERT_EQ(quarticRealRoots(fromRoots({0, 0, s, -s}), r), 4);
    expectRoots(r, {s, 0, 0, -s}, 1e-7);
}

TEST(QuarticRealRoots, CloseDoubleRootsDoNotCancel) {
    double r[4];
    const Poly4 p = fromRoots({-0.01703, -0.01703, -11.919, -11.919});
    ASSERT_EQ(quarticRealRoots(p, r), 4);
    expectRoots(r, {-0.01703, -0.01703, -11.919, -11.919}, 1e-7);
}

TEST(QuarticRealRoots, ResultsAreFiniteForDegenerateInput) {
    double r[4];
    EXPECT_EQ(quarticRealRoots(fromRoots({0, 0, 0, 0}), r), 4);
    for (double v : r)
        EXPECT_EQ(v, 0.0);
    Poly4 lead = Poly4::constant(0.0);
    lead.coef[4] = 1.0;
    lead.degree = 4;
    lead.coef[0] = 1.0; // x^4 + 1: no real roots
    EXPECT_EQ(quarticRealRoots(lead, r), 0);
}

// Quartics with known roots: distinct, double, nearly double, and complex pairs.
TEST(QuarticRealRoots, RandomQuarticsAgainstKnownRoots) {
    std::mt19937 rng(20261208);
    std::uniform_real_distribution<double> pos(-10.0, 10.0), im(0.3, 5.0), lead(0.2, 5.0),
        sep(1e-9, 1e-6);
    std::uniform_int_distribution<int> kind(0, 5);
    int fourReal = 0, twoReal = 0, noReal = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        std::vector<double> real;
        Poly4 cplx = Poly4::constant(1.0);
        bool nearDouble = false;
        const int k = kind(rng);
        double x = pos(rng), y = pos(rng);
        switch (k) {
        case 0:
            real = {x, y, pos(rng), pos(rng)};
            break;
        case 1:
            real = {x, x, y, pos(rng)};
            break;
        case 2:
            real = {x, x, y, y};
            break;
        case 3:
            real = {x, x * (1 + sep(rng)) + sep(rng), y, y + sep(rng)};
            nearDouble = true;
            break;
        case 4:
            real = {x, y};
            cplx = complexPair(pos(rng), im(rng));
            break;
        default:
            cplx = multiply(complexPair(x, im(rng)), complexPair(y, im(rng)));
            break;
        }
        // Distinct roots crowding each other (e.g. two double roots 1e-3 apart)
        // are ill-conditioned: only the residual is a fair measure there.
        for (size_t i = 0; i < real.size(); ++i)
            for (size_t j = i + 1; j < real.size(); ++j)
                if (real[i] != real[j] &&
                    std::fabs(real[i] - real[j]) < 0.05 * (1.0 + std::fabs(real[i])))
                    nearDouble = true;
        const Poly4 p = multiply(fromRoots(real, lead(rng)), cplx);
        double r[4];
        const int n = quarticRealRoots(p, r);
        ASSERT_EQ(n, static_cast<int>(real.size())) << "trial " << trial << " kind " << k;
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(std::isfinite(r[i]));
        // The order is the formulas' (see the literal-formula tests below).
        std::vector<double> sorted(r, r + n);
        std::sort(sorted.begin(), sorted.end(), std::greater<double>());
        std::copy(sorted.begin(), sorted.end(), r);
        std::sort(real.begin(), real.end(), std::greater<double>());
        for (int i = 0; i < n; ++i) {
            if (nearDouble)
                EXPECT_LT(relResidual(p, r[i]), 1e-12) << "trial " << trial;
            else
                EXPECT_NEAR(r[i], real[i], 2e-6 * (1.0 + std::fabs(real[i])))
                    << "trial " << trial << " kind " << k;
        }
        double a[4];
        EXPECT_EQ(realRoots(p, a), n) << "trial " << trial;
        // Ferrari must accept exactly the all-real cases and find the same roots.
        double f[4];
        ASSERT_EQ(ferrariQuartic(p, f), n == 4 ? 1 : 0) << "trial " << trial;
        if (n == 4) {
            std::sort(f, f + 4, std::greater<double>());
            for (int i = 0; i < 4; ++i) {
                if (nearDouble)
                    EXPECT_LT(relResidual(p, f[i]), 1e-12) << "trial " << trial;
                else
                    EXPECT_NEAR(f[i], real[i], 2e-6 * (1.0 + std::fabs(real[i])))
                        << "trial " << trial;
            }
        }
        fourReal += n == 4;
        twoReal += n == 2;
        noReal += n == 0;
    }
    EXPECT_GT(fourReal, 0);
    EXPECT_GT(twoReal, 0);
    EXPECT_GT(noReal, 0);
}

namespace {

// Ferrari's method step by step as written down for the solvers, with no guard of
// its own: on well-separated roots it is accurate, and its order is the reference.
bool literalFerrari(const Poly4& q, double out[4]) {
    const double a3 = q.coef[3] / q.coef[4], a2 = q.coef[2] / q.coef[4], a1 = q.coef[1] / q.coef[4],
                 a0 = q.coef[0] / q.coef[4];
    const double y = cubicRoot(-a2, a3 * a1 - 4.0 * a0, 4.0 * a0 * a2 - a1 * a1 - a3 * a3 * a0);
    const double R2 = a3 * a3 / 4.0 - a2 + y;
    if (R2 <= 0.0)
        return false;
    const double R = std::sqrt(R2);
    const double k = (4.0 * a3 * a2 - 8.0 * a1 - a3 * a3 * a3) * 0.25 / R;
    const double base = 0.75 * a3 * a3 - R2 - 2.0 * a2;
    if (base + k < 0.0 || base - k < 0.0)
        return false;
    const double D = std::sqrt(base + k), E = std::sqrt(base - k);
    out[0] = -a3 / 4.0 + R / 2.0 + D / 2.0;
    out[1] = -a3 / 4.0 + R / 2.0 - D / 2.0;
    out[2] = -a3 / 4.0 - R / 2.0 + E / 2.0;
    out[3] = -a3 / 4.0 - R / 2.0 - E / 2.0;
    return true;
}

// The Descartes-Euler method step by step, four-real-root branch with flag 0 only.
bool literalDescartesEuler(const Poly4& q, double out[4]) {
    const double a = q.coef[3] / q.coef[4], b = q.coef[2] / q.coef[4], c = q.coef[1] / q.coef[4],
                 d = q.coef[0] / q.coef[4];
    const double P = b - 0.375 * a * a, Q = 0.125 * a * a * a + c - 0.5 * a * b,
                 S = d - 0.01171875 * a * a * a * a + 0.0625 * a * a * b - 0.25 * c * a;
    const double A = P / 2.0, B = (P * P - 4.0 * S) * 0.0625, C = -0.015625 * Q * Q;
    const double pc = (3.0 * B - A * A) / 3.0,
                 qc = (2.0 * A * A * A - 9.0 * A * B + 27.0 * C) / 27.0;
    const double delta = qc * qc / 4.0 + pc * pc * pc / 27.0;
    if (delta > 0.0)
        return false;
    const double m = std::sqrt(qc * qc / 4.0 - delta), phi = std::acos(-qc / (2.0 * m));
    const double z1 = 2.0 * std::cbrt(m) * std::cos(phi / 3.0) - A / 3.0;
    const double z2 =
        -std::cbrt(m) * (std::cos(phi / 3.0) + std::sqrt(3.0) * std::sin(phi / 3.0)) - A / 3.0;
    if (z1 <= 0.0 || z2 <= 0.0)
        return false;
    const double F = std::sqrt(z1), G = std::sqrt(z2), H = -Q / (8.0 * F * G);
    out[0] = H + G + F - a / 4.0;
    out[1] = F - G - H - a / 4.0;
    out[2] = G - F - H - a / 4.0;
    out[3] = H - (G + F) - a / 4.0;
    return true;
}

} // namespace

// Both solvers list four real roots in their own formulas' order, whichever way the
// roots were found: on quartics whose roots are well apart the order must be the
// literal formulas' one, root by root (the literal formulas lose digits near a
// small R, hence the loose tolerance; the roots are 0.5 or more apart).
TEST(QuarticOrder, FourRootsComeInTheFormulasOwnOrder) {
    std::mt19937 rng(77);
    std::uniform_real_distribution<double> pos(-10.0, 10.0), lead(-4.0, 4.0);
    int ferrariChecked = 0, descartesChecked = 0, notDescending = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        std::vector<double> roots = {pos(rng), pos(rng), pos(rng), pos(rng)};
        std::sort(roots.begin(), roots.end());
        bool apart = true;
        for (int i = 1; i < 4; ++i)
            apart = apart && roots[i] - roots[i - 1] > 0.5;
        const double l = lead(rng);
        if (!apart || std::fabs(l) < 0.1)
            continue;
        const Poly4 p = fromRoots(roots, l);
        double want[4], got[4];
        if (literalFerrari(p, want)) {
            ASSERT_EQ(ferrariQuartic(p, got), 1) << "trial " << trial;
            expectRoots(got, {want[0], want[1], want[2], want[3]}, 1e-3);
            ++ferrariChecked;
        }
        if (literalDescartesEuler(p, want)) {
            ASSERT_EQ(quarticRealRoots(p, got), 4) << "trial " << trial;
            expectRoots(got, {want[0], want[1], want[2], want[3]}, 1e-3);
            notDescending += !std::is_sorted(got, got + 4, std::greater<double>());
            ++descartesChecked;
        }
    }
    EXPECT_GT(ferrariChecked, 500);
    EXPECT_GT(descartesChecked, 500);
    // The order is not simply descending: an odd cubic term swaps a pair.
    EXPECT_GT(notDescending, 100);
}

TEST(QuarticOrder, LeadingTermsThatCancelStillGiveTheRootsLeft) {
    // 0·x^4 + (x - 1)(x - 2)(x - 5): the cubic's roots, descending.
    double r[4];
    ASSERT_EQ(quarticOrLowerRealRoots(fromRoots({1, 2, 5}), true, r), 3);
    expectRoots(r, {5, 2, 1}, 1e-12);
    // A quartic: one root finding serves both orders.
    const Poly4 p = fromRoots({-3, 0.5, 2, 7}, -2.0);
    double ferrari[4], descartes[4], want[4];
    ASSERT_EQ(quarticOrLowerRealRoots(p, true, ferrari), 4);
    ASSERT_EQ(quarticOrLowerRealRoots(p, false, descartes), 4);
    ASSERT_TRUE(literalFerrari(p, want));
    expectRoots(ferrari, {want[0], want[1], want[2], want[3]}, 1e-6);
    ASSERT_TRUE(literalDescartesEuler(p, want));
    expectRoots(descartes, {want[0], want[1], want[2], want[3]}, 1e-6);
}

// Every degree from one to four finds its known roots, polishes toward them and
// proves them, also when the stored degree is higher than the polynomial's own.
TEST(RealRoots, EveryDegreeFindsPolishesAndProvesItsRoots) {
    const std::vector<double> known = {6.0, 3.0, 0.75, -2.5};
    for (int degree = 1; degree <= 4; ++degree) {
        std::vector<double> roots(known.begin(), known.begin() + degree);
        Poly4 p = fromRoots(roots, -2.0);
        for (const bool padded : {false, true}) {
            if (padded)
                p.degree = 4; // the leading coefficients above are exact zeros
            double r[4];
            ASSERT_EQ(realRoots(p, r), degree) << "degree " << degree;
            std::vector<double> ascending(roots.rbegin(), roots.rend());
            expectRoots(r, ascending, 1e-12);
            for (double root : roots)
                EXPECT_NEAR(polishRoot(p, root * (1.0 + 1e-6) + 1e-6), root, 1e-12)
                    << "degree " << degree;
            EXPECT_TRUE(isolatesEach(p, roots.data(), degree)) << "degree " << degree;
        }
    }
}

// The proof behind the closed form's answer: a sign change around each root, in
// disjoint intervals, beyond the rounding of the evaluation.
TEST(RootIsolation, ProvesSimpleRootsAndRefusesWhatItCannotProve) {
    const Poly4 p = fromRoots({1, 2, 3, 4}, -3.0);
    const double simple[4] = {4, 3, 2, 1};
    EXPECT_TRUE(isolatesEach(p, simple, 4));
    // A guess between roots gets an interval wide enough to hold one, which then
    // overlaps its neighbours'.
    const double offRoot[4] = {4, 3, 2, 1.6};
    EXPECT_FALSE(isolatesEach(p, offRoot, 4));
    const double twice[2] = {3, 3};
    EXPECT_FALSE(isolatesEach(p, twice, 2)); // one root cannot count as two
    // A double root has no sign change at all; two roots 1e-12 apart none that
    // rounding leaves beyond doubt.
    const double doubled[4] = {4, 3, 1, 1};
    EXPECT_FALSE(isolatesEach(fromRoots({1, 1, 3, 4}), doubled, 4));
    const double crowded[4] = {4, 3, 1 + 1e-12, 1};
    EXPECT_FALSE(isolatesEach(fromRoots({1, 1 + 1e-12, 3, 4}), crowded, 4));
}

TEST(RootIsolation, SignOfASumOnlyWhenRoundingCannotFlipIt) {
    const double cancelling[3] = {1e16, -1e16, 1.0};
    EXPECT_EQ(certainSign(cancelling, 3, 64.0), 0);
    const double clear[3] = {3.0, -1.0, -1.5};
    EXPECT_EQ(certainSign(clear, 3, 64.0), 1);
    const double negative[2] = {-2.0, 1.0};
    EXPECT_EQ(certainSign(negative, 2, 64.0), -1);
    const double overflow[2] = {HUGE_VAL, 1.0};
    EXPECT_EQ(certainSign(overflow, 2, 64.0), 0);
}
