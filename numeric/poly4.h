// Poly4: polynomials of degree at most four with fixed storage, plus the
// arithmetic the geometry code needs (add, subtract, multiply, evaluate).
#pragma once

struct Poly4 {
    int degree = 0;                             // 0..4
    double coef[5] = {0.0, 0.0, 0.0, 0.0, 0.0}; // coef[i] multiplies t^i; zero above degree

    Poly4() = default;
    virtual ~Poly4() = default;
    Poly4(const Poly4&) = default;
    Poly4& operator=(const Poly4&) = default;

    // Constant polynomial c.
    static Poly4 constant(double c);
    // Builds from coefficients c[0..deg]; deg must be in 0..4.
    static Poly4 fromCoefs(int deg, const double* c);
};

// Sum; trailing exact zeros are dropped from the degree.
Poly4 add(const Poly4& p, const Poly4& q);
// p - q, computed as p + (-1)*q.
Poly4 subtract(const Poly4& p, const Poly4& q);
// Product. Throws std::domain_error when p.degree + q.degree > 4, since the
// result would not fit; this check is active in every build type.
Poly4 multiply(const Poly4& p, const Poly4& q);
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
