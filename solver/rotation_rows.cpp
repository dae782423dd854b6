// The rotated elimination, coefficient by coefficient: a determinant is linear in
// each column, so every coefficient of t is one 3x3 (or 2x2) determinant of numbers.
#include "solver/rotation_rows.h"

#include "numeric/determinant.h"
#include "solver/line_plane.h"

namespace {

double det3(double a0, double a1, double a2, double b0, double b1, double b2, double c0, double c1,
            double c2) {
    const double m[9] = {a0, a1, a2, b0, b1, b2, c0, c1, c2};
    return determinant3(m);
}

double det2(double a0, double a1, double b0, double b1) {
    const double m[4] = {a0, a1, b0, b1};
    return determinant2(m);
}

Poly4 quadratic(double k0, double k1, double k2) {
    const double k[3] = {k0, k1, k2};
    Poly4 p = Poly4::fromCoefs(2, k);
    p.degree = 2;
    return p;
}

// (1+t²)·D with the third column (c2, c3, c4) given: for D itself the c column, for
// the z numerator the f column.
Poly4 turnedDeterminant(const RotatedRow& r2, const RotatedRow& r3, const RotatedRow& r4,
                        double ux3, double ux4, double uy3, double uy4, double c2, double c3,
                        double c4) {
    const double k2 = det3(r2.a, r2.b, c2, ux3 - r3.a, uy3 - r3.b, c3, ux4 - r4.a, uy4 - r4.b, c4);
    const double k0 = det3(r2.a, r2.b, c2, r3.a + ux3, r3.b + uy3, c3, r4.a + ux4, r4.b + uy4, c4);
    const double k1 = 2.0 * (det3(r2.a, r2.b, 0.0, -r3.b, r3.a, c3, -r4.b, r4.a, c4) +
                             c2 * det2(ux3, r3.a, ux4, r4.a) - c2 * det2(r3.b, uy3, r4.b, uy4));
    return quadratic(k0, k1, k2);
}

} // namespace

bool rotatedLineRow(const SceneObject& line, RotatedRow& row) {
    LinePlane p;
    if (!linePlane(line, p))
        return false;
    row = {p.a, p.b, p.c, -p.e};
    return true;
}

RotatedElimination eliminateRotatedRows(double ux3, double ux4, double uy3, double uy4,
                                        const RotatedRow m[4]) {
    const RotatedRow &r2 = m[1], &r3 = m[2], &r4 = m[3];
    RotatedElimination el;
    el.P0 = turnedDeterminant(r2, r3, r4, ux3, ux4, uy3, uy4, r2.c, r3.c, r4.c);
    el.P1 = quadratic(det3(r2.f, r2.b, r2.c, r3.f, r3.b + uy3, r3.c, r4.f, r4.b + uy4, r4.c),
                      2.0 * det3(r2.f, 0.0, r2.c, r3.f, r3.a, r3.c, r4.f, r4.a, r4.c),
                      det3(r2.f, r2.b, r2.c, r3.f, uy3 - r3.b, r3.c, r4.f, uy4 - r4.b, r4.c));
    el.P2 = quadratic(det3(r2.a, r2.f, r2.c, r3.a + ux3, r3.f, r3.c, r4.a + ux4, r4.f, r4.c),
                      2.0 * det3(0.0, r2.f, r2.c, -r3.b, r3.f, r3.c, -r4.b, r4.f, r4.c),
                      det3(r2.a, r2.f, r2.c, ux3 - r3.a, r3.f, r3.c, ux4 - r4.a, r4.f, r4.c));
    el.P3 = turnedDeterminant(r2, r3, r4, ux3, ux4, uy3, uy4, r2.f, r3.f, r4.f);
    return el;
}
