// Plane rows, Cramer elimination over Poly4, and the quadric of the last circle.
#include "solver/translation_rows.h"

#include "numeric/determinant.h"
#include "solver/line_plane.h"

#include <algorithm>
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
    row = PlaneRow();
    row.A.coef[0] = p.a;
    row.B.coef[0] = p.b;
    row.C.coef[0] = p.c;
    row.E.coef[0] = p.e;
    if (moving) {
        row.E.coef[1] = -p.a;
        row.E.degree = p.a != 0.0 ? 1 : 0; // a line along x does not move its plane
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

// Coefficients of t^0..t^4 with a bound on the degree (the coefficients above it are
// zero). The elimination below works on these directly, and each sum runs in the
// same order as the Poly4 operations it replaces, so the values are the same to the
// last bit; only the bookkeeping of Poly4 (trimming, checks, calls) is gone.
struct Coefs {
    double c[5] = {0, 0, 0, 0, 0};
    int degree = 0;
};

Coefs coefsOf(const Poly4& p) {
    Coefs r;
    std::copy(p.coef, p.coef + 5, r.c);
    r.degree = p.degree;
    return r;
}

Poly4 polyOf(const Coefs& r) {
    int degree = r.degree;
    while (degree > 0 && r.c[degree] == 0.0)
        --degree;
    return Poly4::fromCoefs(degree, r.c);
}

// The product; callers keep the degrees within four.
Coefs times(const Coefs& p, const Coefs& q) {
    Coefs r;
    for (int i = 0; i <= p.degree; ++i)
        for (int j = 0; j <= q.degree; ++j)
            r.c[i + j] += p.c[i] * q.c[j];
    r.degree = p.degree + q.degree;
    return r;
}

Coefs times(const Coefs& p, double s) {
    Coefs r = p;
    for (int k = 0; k <= p.degree; ++k)
        r.c[k] = p.c[k] * s;
    return r;
}

Coefs minus(const Coefs& p, const Coefs& q) {
    Coefs r;
    r.degree = std::max(p.degree, q.degree);
    for (int k = 0; k <= r.degree; ++k)
        r.c[k] = p.c[k] - q.c[k];
    return r;
}

Coefs plus(const Coefs& p, const Coefs& q) {
    Coefs r;
    r.degree = std::max(p.degree, q.degree);
    for (int k = 0; k <= r.degree; ++k)
        r.c[k] = p.c[k] + q.c[k];
    return r;
}

// The 2x2 minor of rows 1 and 2 in columns j1, j2 (of A, B, C and the right-hand side).
Coefs minorOf(const Coefs m[3][4], int j1, int j2) {
    return minus(times(m[1][j1], m[2][j2]), times(m[2][j1], m[1][j2]));
}

// Cofactor expansion along row 0 of the matrix with columns c[0], c[1], c[2] of m,
// from the minors of rows 1 and 2 (minors[j1][j2] for columns j1, j2).
Coefs determinant3(const Coefs m[3][4], const Coefs minors[4][4], const int c[3]) {
    Coefs sum = times(m[0][c[0]], minors[c[1]][c[2]]);
    sum = plus(sum, times(times(m[0][c[1]], -1.0), minors[c[0]][c[2]]));
    return plus(sum, times(m[0][c[2]], minors[c[0]][c[1]]));
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
    // Columns A, B, C and the right-hand side -E.
    Coefs m[3][4];
    for (int k = 0; k < 3; ++k) {
        m[k][0] = coefsOf(rows[k]->A);
        m[k][1] = coefsOf(rows[k]->B);
        m[k][2] = coefsOf(rows[k]->C);
        m[k][3] = times(coefsOf(rows[k]->E), -1.0);
    }
    // D and Cramer's three numerators (a column replaced by the right-hand side)
    // share their minors: seven instead of twelve.
    constexpr int kColumns[4][3] = {{0, 1, 2}, {3, 1, 2}, {0, 3, 2}, {0, 1, 3}};
    constexpr int kMinors[7][2] = {{1, 2}, {0, 2}, {0, 1}, {3, 2}, {3, 1}, {0, 3}, {1, 3}};
    Coefs minors[4][4];
    for (const auto& pair : kMinors)
        minors[pair[0]][pair[1]] = minorOf(m, pair[0], pair[1]);
    Elimination el;
    Poly4* results[4] = {&el.D, &el.Nx, &el.Ny, &el.Nz};
    for (int i = 0; i < 4; ++i)
        *results[i] = polyOf(determinant3(m, minors, kColumns[i]));
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
