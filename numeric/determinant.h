// Determinants by cofactor expansion, for plain numbers and for Poly4 entries.
#pragma once

#include "numeric/poly4.h"

// Row-major n x n determinant; n <= 2 is treated as the 2x2 case.
double determinant(int n, const double* m);
// Same expansion with polynomial entries; products must stay within degree 4
// (multiply throws std::domain_error otherwise).
Poly4 polyDeterminant(int n, const Poly4* m);
