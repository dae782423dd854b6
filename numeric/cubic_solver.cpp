// Closed-form cubic root via the depressed cubic (Cardano or trigonometric).
#include "numeric/cubic_solver.h"

#include <algorithm>
#include <cmath>

int CubicSolver::solve() {
    const double p = (3.0 * c1 - c2 * c2) / 3.0;
    const double q = (2.0 * c2 * c2 * c2 - 9.0 * c2 * c1 + 27.0 * c0) * 0.037037037037037035;
    const double D = q * q * 0.25 + p * p * p / 27.0;
    if (p == 0.0 && q == 0.0 && D == 0.0) {
        root = -std::cbrt(c0);
    } else if (D > 0.0) {
        const double s = std::sqrt(D);
        root = std::cbrt(s - q / 2.0) + std::cbrt(-q / 2.0 - s) - c2 / 3.0;
    } else {
        const double m = std::sqrt(q * q * 0.25 - D);
        if (m == 0.0) { // only reachable through underflow; the depressed cubic is y^3
            root = -c2 / 3.0;
            return 1;
        }
        // Rounding can push the ratio just outside [-1,1]; acos would give NaN.
        const double arg = std::clamp(-q / (2.0 * m), -1.0, 1.0);
        const double phi = std::acos(arg);
        root =
            -std::cbrt(m) * (std::cos(phi / 3.0) + std::sqrt(3.0) * std::sin(phi / 3.0)) - c2 / 3.0;
    }
    return 1;
}
