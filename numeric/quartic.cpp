// Ferrari and Descartes-Euler quartic solvers. The roots come from the resolvent
// closed form, polished and proven complete (a sign change around each, the
// discriminant's sign for the count); near multiple roots, where no such proof is
// possible, realRoots() decides. Each solver then lists them in its formulas' order.
#include "numeric/quartic.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "numeric/real_roots.h"

namespace {

// Insertion sort for at most four values; std::sort on such short runs trips
// GCC's -Warray-bounds at -O3 because it cannot see the length bound.
void sortSmall(double* v, int n, bool descending) {
    for (int i = 1; i < n; ++i)
        for (int j = i; j > 0 && (descending ? v[j - 1] < v[j] : v[j - 1] > v[j]); --j)
            std::swap(v[j - 1], v[j]);
}

bool allFinite(const Poly4& q) {
    for (double c : q.coef)
        if (!std::isfinite(c))
            return false;
    return true;
}

// The sign of the discriminant of the monic x^4 + a x^3 + b x^2 + c x + d, when the
// rounding of the coefficients (relative, one unit each) and of the evaluation
// cannot have changed it; 0 when it can.
int certainDiscriminantSign(double a, double b, double c, double d) {
    const double terms[16] = {256 * d * d * d,
                              -192 * a * c * d * d,
                              -128 * b * b * d * d,
                              144 * b * c * c * d,
                              -27 * c * c * c * c,
                              144 * a * a * b * d * d,
                              -6 * a * a * c * c * d,
                              -80 * a * b * b * c * d,
                              18 * a * b * c * c * c,
                              16 * b * b * b * b * d,
                              -4 * b * b * b * c * c,
                              -27 * a * a * a * a * d * d,
                              18 * a * a * a * b * c * d,
                              -4 * a * a * a * c * c * c,
                              -4 * a * a * b * b * b * d,
                              a * a * b * b * c * c};
    // Terms of degree up to six in coefficients off by one unit each, about ten
    // roundings per term and sixteen in the sum: 64 units is a safe margin.
    return certainSign(terms, 16, 64.0);
}

// Coefficient k of q divided by the leading one, where the division does something:
// most quartics come here monic already, and x / 1 is x exactly.
double perLead(const Poly4& q, int k) {
    return q.coef[4] == 1.0 ? q.coef[k] : q.coef[k] / q.coef[4];
}

// Descartes-Euler via the resolvent cubic; returns how many roots it found.
int resolventFormula(const Poly4& q, double r[4]) {
    const double a = perLead(q, 3), b = perLead(q, 2), c = perLead(q, 1), d = perLead(q, 0);
    const double P = b - 0.375 * a * a;
    const double Q = 0.125 * a * a * a + c - 0.5 * a * b;
    const double S = d - 0.01171875 * a * a * a * a + 0.0625 * a * a * b - 0.25 * c * a;

    const double A = P / 2.0, B = (P * P - 4.0 * S) * 0.0625, C = -0.015625 * Q * Q;
    const double pc = (3.0 * B - A * A) / 3.0;
    const double qc = (2.0 * A * A * A - 9.0 * A * B + 27.0 * C) / 27.0;
    const double delta = qc * qc / 4.0 + pc * pc * pc / 27.0;
    const double sqrt3 = std::sqrt(3.0);

    double z[3];
    bool threeReal = true;
    if (pc == 0.0 && qc == 0.0 && delta == 0.0) {
        z[0] = z[1] = z[2] = -std::cbrt(C);
    } else if (delta > 0.0) {
        const double s = std::sqrt(delta);
        const double u = std::cbrt(s - qc / 2.0), v = std::cbrt(-qc / 2.0 - s);
        const double z1 = u + v - A / 3.0;
        const double rho = -(u + v) / 2.0 - A / 3.0;
        const double iota = sqrt3 * (u - v) / 2.0;
        const double mod = std::hypot(rho, iota);
        // A double resolvent root (the quartic then has double roots) shows up
        // as a "complex" pair with a rounding-sized imaginary part; treat it as
        // the real double root it is, or two real roots would go missing.
        if (std::fabs(iota) <= 1e-7 * std::max(std::fabs(z1), mod)) {
            z[0] = z1;
            z[1] = z[2] = rho;
        } else {
            // sqrt(rho + i iota) = alpha + i beta; take the larger part from its
            // own formula and derive the other, so neither suffers cancellation.
            double alpha, beta;
            if (rho > 0.0) {
                alpha = std::sqrt((mod + rho) / 2.0);
                beta = iota / (2.0 * alpha);
            } else {
                beta = std::sqrt((mod - rho) / 2.0);
                alpha = iota / (2.0 * beta);
            }
            const double W = -Q / (8.0 * (beta * beta + alpha * alpha));
            r[0] = 2.0 * alpha + W - a / 4.0;
            r[1] = W - 2.0 * alpha - a / 4.0;
            threeReal = false;
        }
    } else {
        const double m = std::sqrt(qc * qc / 4.0 - delta);
        if (m == 0.0)
            return -1;
        const double phi = std::acos(std::clamp(-qc / (2.0 * m), -1.0, 1.0));
        const double cm = std::cbrt(m), c3 = std::cos(phi / 3.0), s3 = std::sin(phi / 3.0);
        z[0] = 2.0 * cm * c3 - A / 3.0;
        z[1] = -cm * (c3 + sqrt3 * s3) - A / 3.0;
        z[2] = -cm * (c3 - sqrt3 * s3) - A / 3.0;
    }
    if (!threeReal)
        return 2;
    // Pair the two largest resolvent roots: their product stays clear of zero
    // unless the quartic is degenerate, so a resolvent root that should be 0
    // but rounded to 1e-16 can no longer swallow a root.
    sortSmall(z, 3, true);
    const double scale = std::max(std::fabs(z[0]), std::fabs(z[2]));
    const double tiny = 1e-12 * scale;
    for (double& zi : z)
        if (std::fabs(zi) <= tiny)
            zi = 0.0;
    if (z[2] < 0.0)
        return 0;
    const double F = std::sqrt(z[0]), G = std::sqrt(z[1]);
    const double H = (F * G == 0.0) ? 0.0 : -Q / (8.0 * F * G);
    r[0] = H + G + F - a / 4.0;
    r[1] = F - G - H - a / 4.0;
    r[2] = G - F - H - a / 4.0;
    r[3] = H - (G + F) - a / 4.0;
    return 4;
}

// The closed form's roots, each polished, when they are provably all the real roots
// of q: a sign change in a separate small interval around each, and for two roots a
// negative discriminant (exactly two real roots). Descending; false when unsure.
bool certifiedClosedForm(const Poly4& q, double out[4], int& count) {
    double r[4];
    const int n = resolventFormula(q, r);
    if (n != 2 && n != 4)
        return false;
    if (n == 2 &&
        certainDiscriminantSign(perLead(q, 3), perLead(q, 2), perLead(q, 1), perLead(q, 0)) >= 0)
        return false;
    for (int i = 0; i < n; ++i)
        r[i] = polishRoot(q, r[i], 2);
    sortSmall(r, n, true);
    if (!isolatesEach(q, r, n))
        return false;
    std::copy(r, r + n, out);
    count = n;
    return true;
}

// Every real root of q (degree 4, finite), with multiplicity, descending.
int sortedRealRoots(const Poly4& q, double out[4]) {
    int n = 0;
    if (certifiedClosedForm(q, out, n))
        return n;
    // Multiple or crowded roots: the robust finder decides.
    n = realRoots(q, out);
    for (int i = 0; i < n; ++i)
        out[i] = polishRoot(q, out[i]);
    // Polishing can nudge the two halves of a double root past each other.
    sortSmall(out, n, true);
    return n;
}

// Four roots r0 >= r1 >= r2 >= r3 in the order of Ferrari's formulas. Its resolvent
// root is the smallest of the pair sums x_i x_j + x_k x_l, which for sorted roots is
// always r0 r3 + r1 r2; the factor whose roots have the larger sum comes first (the
// pair {r0, r3} on a tie, where R = 0 gives D >= E), each factor's larger root first.
void ferrariOrder(const double r[4], double out[4]) {
    const bool outerFirst = r[0] + r[3] >= r[1] + r[2];
    const double order[2][4] = {{r[1], r[2], r[0], r[3]}, {r[0], r[3], r[1], r[2]}};
    std::copy(order[outerFirst], order[outerFirst] + 4, out);
}

// Four roots r0 >= r1 >= r2 >= r3 in the order of the Descartes-Euler formulas:
// F = sqrt(z1) and G = sqrt(z2) from the largest and smallest resolvent roots, and H
// the third square root with the sign of -Q, where Q is the depressed quartic's
// linear coefficient. H + G + F, F - G - H, G - F - H, H - (G + F) then run
// descending except that H < 0 swaps the first two and H > 0 the last two.
void descartesEulerOrder(const Poly4& q, const double r[4], double out[4]) {
    const double a = perLead(q, 3), b = perLead(q, 2), c = perLead(q, 1);
    const double Q = 0.125 * a * a * a + c - 0.5 * a * b;
    std::copy(r, r + 4, out);
    if (Q > 0.0)
        std::swap(out[0], out[1]);
    else if (Q < 0.0)
        std::swap(out[2], out[3]);
}

} // namespace

int ferrariQuartic(Poly4 q, double out[4]) {
    if (q.degree != 4 || q.coef[4] == 0.0 || !allFinite(q))
        return 0;
    double r[4];
    if (sortedRealRoots(q, r) != 4)
        return 0;
    ferrariOrder(r, out);
    return 1;
}

int quarticRealRoots(Poly4 q, double out[4]) {
    if (q.coef[4] == 0.0 || !allFinite(q))
        return 0;
    q.degree = 4;
    double r[4];
    const int n = sortedRealRoots(q, r);
    if (n == 4)
        descartesEulerOrder(q, r, out);
    else
        std::copy(r, r + n, out); // two roots: 2α + W first, the larger
    return n;
}

int quarticOrLowerRealRoots(const Poly4& q, bool ferrariFirst, double out[4]) {
    if (!allFinite(q))
        return 0;
    int degree = 4;
    while (degree > 0 && q.coef[degree] == 0.0)
        --degree;
    if (degree == 4) {
        Poly4 monic = q;
        monic.degree = 4;
        for (double& c : monic.coef)
            c /= q.coef[4];
        double r[4];
        const int n = sortedRealRoots(monic, r);
        if (n == 4 && ferrariFirst)
            ferrariOrder(r, out);
        else if (n == 4)
            descartesEulerOrder(monic, r, out);
        else
            std::copy(r, r + n, out);
        return n;
    }
    const Poly4 lower = Poly4::fromCoefs(degree, q.coef);
    const int n = realRoots(lower, out);
    for (int i = 0; i < n; ++i)
        out[i] = polishRoot(lower, out[i]);
    sortSmall(out, n, true);
    return n;
}
