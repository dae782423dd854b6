// The exact engine on small systems: root kinds and order, curves, inconsistent and
// degenerate systems, excluded factors, bounds, and the session's start and stop.
#include "solver/algebra_engine.h"

#include "tests/support/engine_doubles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

namespace {

const Expr x = Expr::unknown("x"), y = Expr::unknown("y"), z = Expr::unknown("z"),
           d = Expr::unknown("d"), t = Expr::unknown("t");

EngineResult solveOrFail(const EngineSystem& s) {
    EngineSession engine;
    EXPECT_TRUE(engine.started());
    const std::optional<EngineResult> r = engine.solve(s);
    EXPECT_TRUE(r.has_value());
    return r.value_or(EngineResult{});
}

EngineSystem system(std::vector<Expr> eqs, std::vector<std::string> unknowns) {
    EngineSystem s;
    s.equations = std::move(eqs);
    s.unknowns = std::move(unknowns);
    return s;
}

} // namespace

TEST(AlgebraEngine, RealRootsByParameterThenComplexPairs) {
    // The translation case of a tangency circle (0, 0, 2), a centre circle (0, 0, 6)
    // and the planes y - z = 0, -x - z + 10 + d = 0, written as four equations.
    const EngineResult r = solveOrFail(
        system({y - z, -x - z + 10.0 + d, x * x + y * y - 36.0, x * x + y * y - pow(z - 2.0, 2)},
               {"x", "y", "z", "d"}));
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].kind, RootKind::Real);
    EXPECT_EQ(r[1].kind, RootKind::Real);
    EXPECT_NEAR(r[0].values[3].real(), -14 - 2 * std::sqrt(5.0), 1e-13);
    EXPECT_NEAR(r[1].values[3].real(), -14 + 2 * std::sqrt(5.0), 1e-13);
    EXPECT_DOUBLE_EQ(r[0].values[2].real(), -4);
    EXPECT_EQ(r[0].values[3].imag(), 0.0);
    for (int k = 2; k < 4; ++k) {
        EXPECT_EQ(r[k].kind, RootKind::Complex);
        EXPECT_NEAR(r[k].values[3].real(), -2, 1e-13);
        EXPECT_NEAR(std::fabs(r[k].values[3].imag()), 2 * std::sqrt(7.0), 1e-13);
        EXPECT_DOUBLE_EQ(r[k].values[2].real(), 8);
    }
    EXPECT_LT(r[2].values[3].imag(), r[3].values[3].imag());
}

TEST(AlgebraEngine, DoublesAreTakenExactly) {
    // The double 0.1 is not a tenth, so 10·x = 1 and x = 0.1 have no common root.
    EXPECT_TRUE(solveOrFail(system({10.0 * x - 1.0, x - 0.1}, {"x"})).empty());
    const EngineResult s = solveOrFail(system({3.0 * x - 1.0, y - 0.1}, {"x", "y"}));
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].values[0].real(), 1.0 / 3.0);
    EXPECT_EQ(s[0].values[1].real(), 0.1);
}

TEST(AlgebraEngine, CurveOfSolutionsIsNotNumeric) {
    // A duplicated equation leaves a hyperbola of solutions.
    const EngineResult r = solveOrFail(system({x * y - 1.0, 2.0 * x * y - 2.0}, {"x", "y"}));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].kind, RootKind::NotNumeric);
    EXPECT_TRUE(r[0].values.empty());
}

TEST(AlgebraEngine, CurveBesideIsolatedRoots) {
    // (x - 1)·(y - x) and (x - 1)·(y + x - 4): the line x = 1 and the point (2, 2).
    // Points of the line may come out too; every real root must solve both.
    const EngineResult r =
        solveOrFail(system({(x - 1.0) * (y - x), (x - 1.0) * (y + x - 4.0)}, {"x", "y"}));
    bool point = false, curve = false;
    for (const EngineRoot& root : r) {
        if (root.kind == RootKind::NotNumeric) {
            curve = true;
            continue;
        }
        ASSERT_EQ(root.kind, RootKind::Real);
        const double rx = root.values[0].real(), ry = root.values[1].real();
        point = point || (rx == 2 && ry == 2);
        EXPECT_TRUE(rx == 1 || (ry == rx && ry == 4 - rx)) << rx << ", " << ry;
    }
    EXPECT_TRUE(point);
    EXPECT_TRUE(curve);
    EXPECT_EQ(r.back().kind, RootKind::NotNumeric);
}

TEST(AlgebraEngine, InconsistentSystemHasNoRoots) {
    const auto start = std::chrono::steady_clock::now();
    const EngineResult r =
        solveOrFail(system({x * x + y * y - 1.0, x * x + y * y - 2.0, z - x}, {"x", "y", "z"}));
    EXPECT_TRUE(r.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
}

TEST(AlgebraEngine, LinearPivotThatVanishesKeepsItsRoot) {
    // x·d = 0 and x - d + 1 = 0: eliminating x through its coefficient d would lose
    // the root at d = 0, x = -1.
    const EngineResult r = solveOrFail(system({x * d, x - d + 1.0}, {"x", "d"}));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_DOUBLE_EQ(r[0].values[1].real(), 0);
    EXPECT_DOUBLE_EQ(r[0].values[0].real(), -1);
    EXPECT_DOUBLE_EQ(r[1].values[1].real(), 1);
    EXPECT_DOUBLE_EQ(r[1].values[0].real(), 0);
}

TEST(AlgebraEngine, DoubleRootInTheLastUnknown) {
    // At d = ±sqrt(2) the last unknown is a double root: it cannot be isolated
    // numerically, so the exact field gcd must give it.
    const EngineResult r = solveOrFail(system({pow(z - d, 2), d * d - 2.0}, {"z", "d"}));
    ASSERT_EQ(r.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(r[k].kind, RootKind::Real);
        EXPECT_NEAR(r[k].values[0].real(), (k ? 1 : -1) * std::sqrt(2.0), 1e-15);
        EXPECT_EQ(r[k].values[0].real(), r[k].values[1].real());
    }
}

TEST(AlgebraEngine, ExcludedFactorDropsItsRoots) {
    // (1 + t^2)(t - 2) = 0: only t = 2 survives when 1 + t^2 is excluded.
    EngineSystem s = system({(1.0 + t * t) * (t - 2.0) * (x - t)}, {"x", "t"});
    s.equations.push_back(x - 2.0 * t + 2.0);
    s.excluded.push_back(1.0 + t * t);
    const EngineResult r = solveOrFail(s);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_DOUBLE_EQ(r[0].values[1].real(), 2);
    EXPECT_DOUBLE_EQ(r[0].values[0].real(), 2);
}

TEST(AlgebraEngine, OutputsAreEvaluatedWithAnExactZeroTest) {
    EngineSystem s = system({d * d - 2.0, z - 1.0}, {"z", "d"});
    s.outputs = {d * d - 2.0 * z, d - z};
    const EngineResult r = solveOrFail(s);
    ASSERT_EQ(r.size(), 2u);
    for (const EngineRoot& root : r) {
        EXPECT_TRUE(root.outputs[0].zero);
        EXPECT_FALSE(root.outputs[1].zero);
    }
    EXPECT_NEAR(r[1].outputs[1].value.real(), std::sqrt(2.0) - 1, 1e-15);
}

TEST(AlgebraEngine, MalformedOrOversizedSystemsGiveNoResult) {
    EngineSession engine;
    ASSERT_TRUE(engine.started());
    EXPECT_FALSE(engine.solve(system({x - Expr::unknown("w")}, {"x"})));
    EXPECT_FALSE(engine.solve(system({x - std::numeric_limits<double>::quiet_NaN()}, {"x"})));
    // Beyond the degree bound: a clear failure rather than a long wait.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(engine.solve(system({pow(x, 200) - 3.0}, {"x"})));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
}

TEST(AlgebraEngine, SessionStopsWhatItStarted) {
    {
        ScopedTestEngine engine(TestEngine::Behaviour::Real);
        {
            EngineSession s;
            EXPECT_TRUE(s.started());
        }
        EXPECT_EQ(engine.counts.starts, 1);
        EXPECT_EQ(engine.counts.stops, 1);
    }
    ScopedTestEngine failing(TestEngine::Behaviour::FailToStart);
    {
        EngineSession s;
        EXPECT_FALSE(s.started());
    }
    EXPECT_EQ(failing.counts.starts, 1);
    EXPECT_EQ(failing.counts.stops, 0);
}
