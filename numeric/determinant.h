// Determinants by cofactor expansion, for plain numbers and for Poly4 entries.
#pragma once

#include "numeric/poly4.h"

// Row-major n x n determinant; n <= 2 is treated as the 2x2 case.
double determinant(int n, const double* m);

// The 2x2 and 3x3 cases of that expansion written out, operation for operation, and
// inline: every closed-form solver evaluates dozens of these per merge.
inline double determinant2(const double* m) {
    return m[3] * m[0] - m[2] * m[1];
}
inline double determinant3(const double* m) {
    const double minor0 = m[8] * m[4] - m[7] * m[5];
    const double minor1 = m[8] * m[3] - m[6] * m[5];
    const double minor2 = m[7] * m[3] - m[6] * m[4];
    return minor0 * m[0] - minor1 * m[1] + minor2 * m[2];
}
// Same expansion with polynomial entries; products must stay within degree 4
// (multiply throws std::domain_error otherwise).
Poly4 polyDeterminant(int n, const Poly4* m);
