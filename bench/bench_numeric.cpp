// Micro-benchmarks for Poly4 arithmetic, polynomial determinants and the quartic solvers.
#include <benchmark/benchmark.h>

#include "numeric/determinant.h"
#include "numeric/poly4.h"
#include "numeric/quartic.h"

namespace {

Poly4 linear(double c0, double c1) {
    Poly4 p;
    p.degree = 1;
    p.coef[0] = c0;
    p.coef[1] = c1;
    return p;
}

Poly4 fourRoots(double a, double b, double c, double d) {
    return multiply(multiply(linear(-a, 1), linear(-b, 1)), multiply(linear(-c, 1), linear(-d, 1)));
}

void BM_Poly4Multiply(benchmark::State& state) {
    Poly4 p = multiply(linear(1.5, -2.0), linear(0.25, 3.0));
    Poly4 q = multiply(linear(-1.0, 0.5), linear(2.0, 1.0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(p);
        benchmark::DoNotOptimize(q);
        Poly4 r = multiply(p, q);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_Poly4Multiply);

void BM_PolyDeterminant4x4(benchmark::State& state) {
    // Degree-1 entries keep the 4x4 determinant within degree 4.
    Poly4 m[16];
    for (int i = 0; i < 16; ++i)
        m[i] = linear(0.5 * i - 3.0, (i % 5) - 2.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(m);
        Poly4 d = polyDeterminant(4, m);
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(BM_PolyDeterminant4x4);

// Both quartic solvers on the same four-real-root quartic.
template <int (*Solve)(Poly4, double*)> void BM_Quartic(benchmark::State& state) {
    Poly4 q = fourRoots(-2.5, 0.75, 1.5, 4.0);
    double out[4];
    for (auto _ : state) {
        benchmark::DoNotOptimize(q);
        benchmark::DoNotOptimize(Solve(q, out));
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Quartic<ferrariQuartic>)->Name("BM_FerrariQuartic");
BENCHMARK(BM_Quartic<quarticRealRoots>)->Name("BM_QuarticRealRoots");

} // namespace
