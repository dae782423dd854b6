// Poly4: polynomials of degree at most four with fixed storage, plus the
// arithmetic the geometry code needs (add, subtract, multiply, evaluate).
#pragma once

#include <stdexcept>

struct Poly4 {
    int degree = 0;                             // 0..4
    double coef[5] = {0.0, 0.0, 0.0, 0.0, 0.0}; // coef[i] multiplies t^i; zero above degree

    // Constant polynomial c.
    static Poly4 constant(double c);
    // Builds from coefficients c[0..deg]; deg must be in 0..4.
    static Poly4 fromCoefs(int deg, const double* c);
};

inline Poly4 Poly4::constant(double c) {
    Poly4 r;
    r.coef[0] = c;
    return r;
}

inline Poly4 Poly4::fromCoefs(int deg, const double* c) {
    if (deg < 0 || deg > 4)
        throw std::domain_error("Poly4::fromCoefs: degree out of range");
    Poly4 r;
    r.degree = deg;
    for (int i = 0; i <= deg; ++i)
        r.coef[i] = c[i];
    return r;
}

// The arithmetic is defined here, inline: the closed-form solvers and their
// degeneracy tests run dozens of these small operations per merge.

// Drops trailing exact zeros from the degree.
inline void lowerDegree(Poly4& r) {
    while (r.degree > 0 && r.coef[r.degree] == 0.0)
        --r.degree;
}

// Sum; trailing exact zeros are dropped from the degree.
inline Poly4 add(const Poly4& p, const Poly4& q) {
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

// Product. Throws std::domain_error when p.degree + q.degree > 4, since the
// result would not fit; this check is active in every build type.
inline Poly4 multiply(const Poly4& p, const Poly4& q) {
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

// p - q, computed as p + (-1)*q.
inline Poly4 subtract(const Poly4& p, const Poly4& q) {
    Poly4 minusOne;
    minusOne.coef[0] = -1.0;
    return add(p, multiply(minusOne, q));
}
// Value at t, summed from the constant term upwards.
double evaluate(const Poly4& p, double t);
// Value at t by Horner's rule: no power function, for the solvers' inner loops.
inline double hornerValue(const Poly4& p, double t) {
    double v = p.coef[4];
    for (int i = 3; i >= 0; --i)
        v = v * t + p.coef[i];
    return v;
}
// Formal derivative.
Poly4 derivative(const Poly4& p);
