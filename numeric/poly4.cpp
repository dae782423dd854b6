// Poly4 evaluation and derivative; the arithmetic is inline in the header.
#include "numeric/poly4.h"

#include <cmath>

double evaluate(const Poly4& p, double t) {
    double sum = 0.0;
    for (int i = 0; i <= p.degree; ++i)
        sum += std::pow(t, i) * p.coef[i];
    return sum;
}

Poly4 derivative(const Poly4& p) {
    Poly4 r;
    if (p.degree == 0)
        return r;
    for (int i = 1; i <= p.degree; ++i)
        r.coef[i - 1] = i * p.coef[i];
    r.degree = p.degree - 1;
    lowerDegree(r);
    return r;
}
