// Plane rows, Cramer elimination over Poly4, and the quadric of the last circle.
#include "solver/translation_rows.h"

#include "numeric/determinant.h"
#include "solver/line_plane.h"

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

Elimination eliminateCircle(const PlaneRow& r1, const PlaneRow& r2, const PlaneRow& r3) {
    const PlaneRow* rows[3] = {&r1, &r2, &r3};
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

Poly4 quadricAtPoint(const Elimination& el, const SceneObject& c, bool cone) {
    const Poly4 dx = subtract(el.Nx, multiply(el.D, constant(c.x[0])));
    const Poly4 dy = subtract(el.Ny, multiply(el.D, constant(c.y[0])));
    const Poly4 dz =
        cone ? subtract(el.Nz, multiply(el.D, constant(c.r))) : multiply(el.D, constant(c.r));
    return subtract(add(square(dx), square(dy)), square(dz));
}
