// Plane rows, Cramer elimination over Poly4, and the quadric of the last circle.
#include "solver/translation_rows.h"

#include "numeric/determinant.h"
#include "solver/line_plane.h"

#include <array>
#include <stdexcept>

namespace {

Poly4 constant(double c) {
    return Poly4::constant(c);
}

// x + t: the coordinate of a point slid by the internal shift.
Poly4 slid(double x) {
    const double c[2] = {x, 1.0};
    return Poly4::fromCoefs(1, c);
}

Poly4 square(const Poly4& p) {
    return multiply(p, p);
}

} // namespace

bool lineRow(const SceneObject& line, bool moving, PlaneRow& row) {
    LinePlane p;
    if (!linePlane(line, p))
        return false;
    row.A = constant(p.a);
    row.B = constant(p.b);
    row.C = constant(p.c);
    if (moving) {
        const double e[2] = {p.e, -p.a};
        row.E = Poly4::fromCoefs(1, e);
        row.E = add(row.E, Poly4()); // lowers the degree when a = 0
    } else {
        row.E = constant(p.e);
    }
    return true;
}

PlaneRow radicalRow(const SceneObject& ci, bool ciMoving, const SceneObject& cj, bool cjMoving) {
    const double xi = ci.x[0], yi = ci.y[0], ri = ci.r;
    const double xj = cj.x[0], yj = cj.y[0], rj = cj.r;
    PlaneRow row;
    row.B = constant(yj - yi);
    row.C = constant(ri - rj);
    if (ciMoving && cjMoving) {
        // Both slide together: only the offset term changes, by -(xj - xi)·t.
        row.A = constant(xj - xi);
        const double e[2] = {0.5 * (xi * xi + yi * yi - ri * ri - xj * xj - yj * yj + rj * rj),
                             -(xj - xi)};
        row.E = add(Poly4::fromCoefs(1, e), Poly4());
    } else if (cjMoving) {
        row.A = subtract(slid(xj), constant(xi));
        row.E =
            subtract(constant(xi * xi + yi * yi - ri * ri - yj * yj + rj * rj), square(slid(xj)));
        row.E = multiply(constant(0.5), row.E);
    } else {
        row.A = constant(xj - xi);
        row.E = constant(0.5 * (xi * xi + yi * yi - ri * ri - xj * xj - yj * yj + rj * rj));
    }
    return row;
}

PlaneRow centreRadicalRow(const SceneObject& ci, const SceneObject& cj, bool cjMoving) {
    // The cylinders differ from the cones only by the z² and z terms, which cancel.
    PlaneRow row = radicalRow(ci, false, cj, cjMoving);
    row.C = Poly4();
    return row;
}

namespace {

// Coefficients of t^0..t^4. The elimination below works on these directly: the
// degrees are fixed by the rows, and each sum runs in the same order as the Poly4
// operations it replaces, so the values are the same to the last bit.
using Coefs = std::array<double, 5>;

Coefs coefsOf(const Poly4& p) {
    return {p.coef[0], p.coef[1], p.coef[2], p.coef[3], p.coef[4]};
}

Poly4 polyOf(const Coefs& c) {
    int degree = 4;
    while (degree > 0 && c[degree] == 0.0)
        --degree;
    return Poly4::fromCoefs(degree, c.data());
}

// The product, truncated at t^4: callers keep the degrees within four.
Coefs times(const Coefs& p, const Coefs& q) {
    Coefs r{};
    for (int k = 0; k < 5; ++k)
        for (int i = 0; i <= k; ++i)
            r[k] += p[i] * q[k - i];
    return r;
}

Coefs times(const Coefs& p, double s) {
    Coefs r;
    for (int k = 0; k < 5; ++k)
        r[k] = p[k] * s;
    return r;
}

Coefs minus(const Coefs& p, const Coefs& q) {
    Coefs r;
    for (int k = 0; k < 5; ++k)
        r[k] = p[k] - q[k];
    return r;
}

Coefs plus(const Coefs& p, const Coefs& q) {
    Coefs r;
    for (int k = 0; k < 5; ++k)
        r[k] = p[k] + q[k];
    return r;
}

// Cofactor expansion along the first row of the 3x3 matrix m (row-major).
Coefs determinant3(const Coefs m[9]) {
    const Coefs minors[3] = {minus(times(m[4], m[8]), times(m[7], m[5])),
                             minus(times(m[3], m[8]), times(m[6], m[5])),
                             minus(times(m[3], m[7]), times(m[6], m[4]))};
    Coefs sum = times(m[0], minors[0]);
    sum = plus(sum, times(times(m[1], -1.0), minors[1]));
    return plus(sum, times(m[2], minors[2]));
}

// Whether the rows keep every product of the elimination within degree four: the
// plane coefficients at most linear in t, the offsets at most quadratic.
bool withinDegreeFour(const PlaneRow* const rows[3]) {
    for (int k = 0; k < 3; ++k)
        if (rows[k]->A.degree > 1 || rows[k]->B.degree > 1 || rows[k]->C.degree > 1 ||
            rows[k]->E.degree > 2)
            return false;
    return true;
}

Elimination generalElimination(const PlaneRow* const rows[3]) {
    Poly4 m[9];
    Poly4 rhs[3];
    for (int k = 0; k < 3; ++k) {
        m[3 * k] = rows[k]->A;
        m[3 * k + 1] = rows[k]->B;
        m[3 * k + 2] = rows[k]->C;
        rhs[k] = multiply(rows[k]->E, constant(-1.0));
    }
    Elimination el;
    el.D = polyDeterminant(3, m);
    Poly4* numerators[3] = {&el.Nx, &el.Ny, &el.Nz};
    for (int col = 0; col < 3; ++col) {
        Poly4 mc[9];
        for (int k = 0; k < 3; ++k)
            for (int j = 0; j < 3; ++j)
                mc[3 * k + j] = j == col ? rhs[k] : m[3 * k + j];
        *numerators[col] = polyDeterminant(3, mc);
    }
    return el;
}

} // namespace

Elimination eliminateCircle(const PlaneRow& r1, const PlaneRow& r2, const PlaneRow& r3) {
    const PlaneRow* rows[3] = {&r1, &r2, &r3};
    // Products beyond degree four would not fit; the general expansion rejects them.
    if (!withinDegreeFour(rows))
        return generalElimination(rows);
    Coefs m[9], rhs[3];
    for (int k = 0; k < 3; ++k) {
        m[3 * k] = coefsOf(rows[k]->A);
        m[3 * k + 1] = coefsOf(rows[k]->B);
        m[3 * k + 2] = coefsOf(rows[k]->C);
        rhs[k] = times(coefsOf(rows[k]->E), -1.0);
    }
    Elimination el;
    el.D = polyOf(determinant3(m));
    Poly4* numerators[3] = {&el.Nx, &el.Ny, &el.Nz};
    for (int col = 0; col < 3; ++col) {
        Coefs mc[9];
        for (int k = 0; k < 3; ++k)
            for (int j = 0; j < 3; ++j)
                mc[3 * k + j] = j == col ? rhs[k] : m[3 * k + j];
        *numerators[col] = polyOf(determinant3(mc));
    }
    return el;
}

Poly4 quadricAtPoint(const Elimination& el, const SceneObject& c, bool cone) {
    if (el.D.degree > 2 || el.Nx.degree > 2 || el.Ny.degree > 2 || el.Nz.degree > 2)
        throw std::domain_error("quadricAtPoint: the point's coordinates exceed degree 2");
    const Coefs D = coefsOf(el.D);
    const Coefs dx = minus(coefsOf(el.Nx), times(D, c.x[0]));
    const Coefs dy = minus(coefsOf(el.Ny), times(D, c.y[0]));
    const Coefs dz = cone ? minus(coefsOf(el.Nz), times(D, c.r)) : times(D, c.r);
    return polyOf(minus(plus(times(dx, dx), times(dy, dy)), times(dz, dz)));
}
