// Plane rows, Cramer elimination over Poly4, and the quadric of the last circle.
#include "solver/translation_rows.h"

#include "numeric/determinant.h"
#include "solver/line_plane.h"

#include <cmath>
#include <stdexcept>

namespace {

Poly4 constant(double c) {
    return Poly4::constant(c);
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
        // xj + t - xi, and half of the offset less (xj + t)², products written out.
        const double a[2] = {xj - xi, 1.0};
        row.A = Poly4::fromCoefs(1, a);
        const double offset = xi * xi + yi * yi - ri * ri - yj * yj + rj * rj;
        const double e[3] = {0.5 * (offset - xj * xj), 0.5 * -(xj + xj), -0.5};
        row.E = Poly4::fromCoefs(2, e);
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

// Coefficients of t^0..t^(N-1); the fixed sizes are bounds on the degrees. The
// elimination below works on these directly, and each sum runs in the same order as
// the Poly4 operations it replaces (the terms beyond a polynomial's own degree are
// exact zeros and change no sum), so the values are the same to the last bit; only
// the bookkeeping of Poly4 (degrees, trimming, checks, calls) is gone. The loops are
// unrolled: their bounds are constants, and loop control would cost as much as the
// arithmetic.
template <int N> struct Coefs {
    double c[N] = {};
};

template <int N> Coefs<N> coefsOf(const Poly4& p) {
    Coefs<N> r;
#pragma GCC unroll 5
    for (int k = 0; k < N; ++k)
        r.c[k] = p.coef[k];
    return r;
}

template <int N> Poly4 polyOf(const Coefs<N>& r) {
    double c[5] = {};
    int degree = 0;
#pragma GCC unroll 5
    for (int k = 0; k < N; ++k) {
        c[k] = r.c[k];
        if (r.c[k] != 0.0)
            degree = k;
    }
    return Poly4::fromCoefs(degree, c);
}

template <int P, int Q> Coefs<P + Q - 1> times(const Coefs<P>& p, const Coefs<Q>& q) {
    Coefs<P + Q - 1> r;
#pragma GCC unroll 5
    for (int i = 0; i < P; ++i)
#pragma GCC unroll 5
        for (int j = 0; j < Q; ++j)
            r.c[i + j] += p.c[i] * q.c[j];
    return r;
}

template <int N> Coefs<N> times(const Coefs<N>& p, double s) {
    Coefs<N> r;
#pragma GCC unroll 5
    for (int k = 0; k < N; ++k)
        r.c[k] = p.c[k] * s;
    return r;
}

template <int P, int Q> Coefs<(P > Q ? P : Q)> minus(const Coefs<P>& p, const Coefs<Q>& q) {
    Coefs<(P > Q ? P : Q)> r;
#pragma GCC unroll 5
    for (int k = 0; k < (P > Q ? P : Q); ++k)
        r.c[k] = (k < P ? p.c[k] : 0.0) - (k < Q ? q.c[k] : 0.0);
    return r;
}

template <int P, int Q> Coefs<(P > Q ? P : Q)> plus(const Coefs<P>& p, const Coefs<Q>& q) {
    Coefs<(P > Q ? P : Q)> r;
#pragma GCC unroll 5
    for (int k = 0; k < (P > Q ? P : Q); ++k)
        r.c[k] = (k < P ? p.c[k] : 0.0) + (k < Q ? q.c[k] : 0.0);
    return r;
}

// Three rows within degree four: the plane coefficients A, B, C at most linear in t,
// the right-hand side -E at most quadratic.
struct Rows {
    Coefs<2> a[3], b[3], c[3];
    Coefs<3> rhs[3];
};

// The 2x2 minor of rows 1 and 2 in two columns.
template <int P, int Q> Coefs<P + Q - 1> minorOf(const Coefs<P> col1[3], const Coefs<Q> col2[3]) {
    return minus(times(col1[1], col2[2]), times(col1[2], col2[1]));
}

// Cofactor expansion along row 0 of the matrix with columns col0, col1, col2, from
// the minors of rows 1 and 2 of the other two columns.
template <int P0, int P1, int P2, int M0, int M1, int M2>
Poly4 determinant3(const Coefs<P0> col0[3], const Coefs<M0>& minor12, const Coefs<P1> col1[3],
                   const Coefs<M1>& minor02, const Coefs<P2> col2[3], const Coefs<M2>& minor01) {
    const auto sum = plus(times(col0[0], minor12), times(times(col1[0], -1.0), minor02));
    return polyOf(plus(sum, times(col2[0], minor01)));
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
    Rows m;
    for (int k = 0; k < 3; ++k) {
        m.a[k] = coefsOf<2>(rows[k]->A);
        m.b[k] = coefsOf<2>(rows[k]->B);
        m.c[k] = coefsOf<2>(rows[k]->C);
        m.rhs[k] = times(coefsOf<3>(rows[k]->E), -1.0);
    }
    // D and Cramer's three numerators (a column replaced by the right-hand side)
    // share their minors: seven instead of twelve.
    const auto bc = minorOf(m.b, m.c), ac = minorOf(m.a, m.c), ab = minorOf(m.a, m.b);
    const auto rc = minorOf(m.rhs, m.c), rb = minorOf(m.rhs, m.b);
    const auto ar = minorOf(m.a, m.rhs), br = minorOf(m.b, m.rhs);
    Elimination el;
    el.D = determinant3(m.a, bc, m.b, ac, m.c, ab);
    el.Nx = determinant3(m.rhs, bc, m.b, rc, m.c, rb);
    el.Ny = determinant3(m.a, rc, m.rhs, ac, m.c, ar);
    el.Nz = determinant3(m.a, br, m.b, ar, m.rhs, ab);
    return el;
}

namespace {

template <int N> Coefs<N> absolute(const Coefs<N>& p) {
    Coefs<N> r;
#pragma GCC unroll 5
    for (int k = 0; k < N; ++k)
        r.c[k] = std::fabs(p.c[k]);
    return r;
}

} // namespace

PointQuadric quadricAtPointWithBound(const Elimination& el, const SceneObject& c, bool cone) {
    if (el.D.degree > 2 || el.Nx.degree > 2 || el.Ny.degree > 2 || el.Nz.degree > 2)
        throw std::domain_error("quadricAtPoint: the point's coordinates exceed degree 2");
    const Coefs<3> D = coefsOf<3>(el.D), Nx = coefsOf<3>(el.Nx), Ny = coefsOf<3>(el.Ny),
                   Nz = coefsOf<3>(el.Nz);
    const Coefs<3> dx = minus(Nx, times(D, c.x[0]));
    const Coefs<3> dy = minus(Ny, times(D, c.y[0]));
    const Coefs<3> dz = cone ? minus(Nz, times(D, c.r)) : times(D, c.r);
    // The bound: each difference with its signs made positive, squared alike.
    const Coefs<3> absD = absolute(D);
    const Coefs<3> bx = plus(absolute(Nx), times(absD, std::fabs(c.x[0])));
    const Coefs<3> by = plus(absolute(Ny), times(absD, std::fabs(c.y[0])));
    const Coefs<3> bz =
        cone ? plus(absolute(Nz), times(absD, std::fabs(c.r))) : times(absD, std::fabs(c.r));
    PointQuadric q;
    q.value = polyOf(minus(plus(times(dx, dx), times(dy, dy)), times(dz, dz)));
    q.magnitude = polyOf(plus(plus(times(bx, bx), times(by, by)), times(bz, bz)));
    return q;
}

Poly4 quadricAtPoint(const Elimination& el, const SceneObject& c, bool cone) {
    return quadricAtPointWithBound(el, c, cone).value;
}
