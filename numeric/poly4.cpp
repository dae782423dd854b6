// Poly4 arithmetic: coefficient-wise sum, convolution product and evaluation.
#include "numeric/poly4.h"

#include <cmath>
#include <stdexcept>

namespace {
void lowerDegree(Poly4& r) {
    while (r.degree > 0 && r.coef[r.degree] == 0.0)
        --r.degree;
}
} // namespace

Poly4 Poly4::constant(double c) {
    Poly4 r;
    r.coef[0] = c;
    return r;
}

Poly4 Poly4::fromCoefs(int deg, const double* c) {
    if (deg < 0 || deg > 4)
        throw std::domain_error("Poly4::fromCoefs: degree out of range");
    Poly4 r;
    r.degree = deg;
    for (int i = 0; i <= deg; ++i)
        r.coef[i] = c[i];
    return r;
}

Poly4 add(const Poly4& p, const Poly4& q) {
    Poly4 r;
    if (p.degree < q.degree) {
        for (int i = 0; i < 5; ++i)
            r.coef[i] = q.coef[i];
        for (int i = 0; i <= p.degree; ++i)
            r.coef[i] += p.coef[i];
        r.degree = q.degree;
    } else {
        for (int i = 0; i <= p.degree; ++i)
            r.coef[i] = p.coef[i];
        for (int i = 0; i <= q.degree; ++i)
            r.coef[i] += q.coef[i];
        r.degree = p.degree;
    }
    lowerDegree(r);
    return r;
}

Poly4 subtract(const Poly4& p, const Poly4& q) {
    return add(p, multiply(Poly4::constant(-1.0), q));
}

Poly4 multiply(const Poly4& p, const Poly4& q) {
    if (p.degree + q.degree > 4)
        throw std::domain_error("multiply: product degree exceeds 4");
    Poly4 r;
    for (int i = 0; i <= p.degree; ++i)
        for (int j = 0; j <= q.degree; ++j)
            r.coef[i + j] += p.coef[i] * q.coef[j];
    r.degree = p.degree + q.degree;
    lowerDegree(r);
    return r;
}

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
