// CubicSolver: one real root of the monic cubic y^3 + c2 y^2 + c1 y + c0.
#pragma once

struct CubicSolver {
    double c0 = 0.0, c1 = 0.0, c2 = 0.0,
           c3 = 0.0; // c3 is stored but ignored: the cubic is taken as monic
    double root = 0.0;

    // Cardano / trigonometric form. With three real roots the smallest is
    // chosen. Always returns 1.
    int solve();
};
