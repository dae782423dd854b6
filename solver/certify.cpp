// Krawczyk's interval Newton test in Arb ball arithmetic. The four constraint
// equations are those of circle space, with the motion parameter itself (shift or
// angle) as the fourth unknown, so that the box is the candidate as reported.
#include "solver/certify.h"

#include "solver/merge_problem.h"

#include <arb_mat.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr slong kPrecision = 128;
constexpr slong kUnknowns = 4; // x, y, z (the signed radius), the motion parameter
// Each failed test widens the box by this factor, up to the allowed radius.
constexpr double kWidening = 8.0;

class ArbMatrix {
  public:
    ArbMatrix(slong rows, slong cols) { arb_mat_init(m_, rows, cols); }
    ArbMatrix(const ArbMatrix&) = delete;
    ArbMatrix& operator=(const ArbMatrix&) = delete;
    ~ArbMatrix() { arb_mat_clear(m_); }
    arb_mat_struct* get() { return m_; }
    arb_ptr at(slong i, slong j) { return arb_mat_entry(m_, i, j); }

  private:
    arb_mat_t m_;
};

class ArbBall {
  public:
    ArbBall() { arb_init(v_); }
    explicit ArbBall(double d) : ArbBall() { arb_set_d(v_, d); }
    ArbBall(const ArbBall&) = delete;
    ArbBall& operator=(const ArbBall&) = delete;
    ~ArbBall() { arb_clear(v_); }
    arb_ptr get() { return v_; }
    operator arb_ptr() { return v_; }

  private:
    arb_t v_;
};

// The motion of cluster 2 at parameter p as balls: sin and cos for a turn.
struct Motion {
    int mode;
    ArbBall sin, cos;
    Motion(int mode, arb_srcptr p) : mode(mode) {
        if (mode == MERGE_ROTATE)
            arb_sin_cos(sin, cos, p, kPrecision);
    }
    // (x, y) turned counter-clockwise by the angle, into (outX, outY); its derivative
    // in the angle is the result turned a further quarter turn, (-outY, outX).
    void turn(arb_ptr outX, arb_ptr outY, arb_srcptr x, arb_srcptr y) {
        arb_mul(outX, x, cos, kPrecision);
        arb_submul(outX, y, sin, kPrecision);
        arb_mul(outY, x, sin, kPrecision);
        arb_addmul(outY, y, cos, kPrecision);
    }
};

// Row k of F and of its Jacobian at the unknowns v for a circle constraint (C, C').
void circleRow(const SceneObject& o, Motion* motion, arb_srcptr v, arb_ptr f, arb_ptr grad) {
    ArbBall cx(o.x[0]), cy(o.y[0]), dcx, dcy, u, w, t;
    if (motion && motion->mode == MERGE_ROTATE) {
        ArbBall x0(o.x[0]), y0(o.y[0]);
        motion->turn(cx, cy, x0, y0);
        arb_neg(dcx, cy);
        arb_set(dcy, cx);
    } else if (motion) {
        arb_add(cx, cx, v + 3, kPrecision);
        arb_one(dcx);
    }
    arb_sub(u, v + 0, cx, kPrecision);
    arb_sub(w, v + 1, cy, kPrecision);
    arb_sqr(f, u, kPrecision);
    arb_addmul(f, w, w, kPrecision);
    ArbBall q(o.r);
    if (o.kind == KIND_C)
        arb_sub(q, v + 2, q, kPrecision);
    arb_submul(f, q, q, kPrecision);

    arb_mul_2exp_si(grad + 0, u, 1);
    arb_mul_2exp_si(grad + 1, w, 1);
    if (o.kind == KIND_C) {
        arb_mul_2exp_si(grad + 2, q, 1);
        arb_neg(grad + 2, grad + 2);
    } else {
        arb_zero(grad + 2);
    }
    arb_mul(t, u, dcx, kPrecision);
    arb_addmul(t, w, dcy, kPrecision);
    arb_mul_2exp_si(grad + 3, t, 1);
    arb_neg(grad + 3, grad + 3);
}

// The same for a line constraint (L, L'): the signed distance from the line, less
// the radius for tangency. False for a line without direction.
bool lineRow(const SceneObject& o, Motion* motion, arb_srcptr v, arb_ptr f, arb_ptr grad) {
    ArbBall x0(o.x[0]), y0(o.y[0]), dx(o.x[1]), dy(o.y[1]), len, a, b, e, t;
    arb_sub(dx, dx, x0, kPrecision);
    arb_sub(dy, dy, y0, kPrecision);
    arb_sqr(len, dx, kPrecision);
    arb_addmul(len, dy, dy, kPrecision);
    arb_sqrt(len, len, kPrecision);
    if (!arb_is_positive(len))
        return false;
    // Unit left normal (a, b) and offset e: a x + b y + e is the signed distance.
    arb_div(a, dy, len, kPrecision);
    arb_neg(a, a);
    arb_div(b, dx, len, kPrecision);
    arb_mul(e, a, x0, kPrecision);
    arb_addmul(e, b, y0, kPrecision);
    arb_neg(e, e);

    ArbBall dA, dB, dE;
    if (motion && motion->mode == MERGE_ROTATE) {
        // The normal turns with the line; the origin's distance from it does not.
        ArbBall ra, rb;
        motion->turn(ra, rb, a, b);
        arb_set(a, ra);
        arb_set(b, rb);
        arb_neg(dA, b);
        arb_set(dB, a);
    } else if (motion) {
        arb_submul(e, a, v + 3, kPrecision);
        arb_neg(dE, a);
    }
    arb_mul(f, a, v + 0, kPrecision);
    arb_addmul(f, b, v + 1, kPrecision);
    arb_add(f, f, e, kPrecision);
    if (o.kind == KIND_L)
        arb_sub(f, f, v + 2, kPrecision);

    arb_set(grad + 0, a);
    arb_set(grad + 1, b);
    arb_set_si(grad + 2, o.kind == KIND_L ? -1 : 0);
    arb_mul(t, dA, v + 0, kPrecision);
    arb_addmul(t, dB, v + 1, kPrecision);
    arb_add(grad + 3, t, dE, kPrecision);
    return true;
}

// F and its Jacobian at the unknowns v (points or a box). False where a row has no
// meaning.
bool evaluateSystem(const SceneObject* const slots[2][2], int mode, arb_srcptr v, arb_ptr f,
                    ArbMatrix& jacobian) {
    Motion motion(mode, v + 3);
    for (int c = 0; c < 2; ++c)
        for (int s = 0; s < 2; ++s) {
            const SceneObject& o = *slots[c][s];
            const slong row = 2 * c + s;
            Motion* moving = c == CLUSTER_2 ? &motion : nullptr;
            // The entries of a row lie side by side.
            arb_ptr grad = jacobian.at(row, 0);
            if (isLineKind(o.kind)) {
                if (!lineRow(o, moving, v, f + row, grad))
                    return false;
            } else {
                circleRow(o, moving, v, f + row, grad);
            }
        }
    return true;
}

class ArbVector {
  public:
    ArbVector() : v_(_arb_vec_init(kUnknowns)) {}
    ArbVector(const ArbVector&) = delete;
    ArbVector& operator=(const ArbVector&) = delete;
    ~ArbVector() { _arb_vec_clear(v_, kUnknowns); }
    operator arb_ptr() { return v_; }

  private:
    arb_ptr v_;
};

// An upper bound of |b| as a double, rounded up.
double upperBound(arb_srcptr b) {
    arf_t u;
    arf_init(u);
    arb_get_abs_ubound_arf(u, b, kPrecision);
    const double d = arf_get_d(u, ARF_RND_UP);
    arf_clear(u);
    return d;
}

// The size of the problem, in which the allowed radius is measured.
double problemScale(const SceneObject* const slots[2][2], const double point[kUnknowns]) {
    double scale = 1.0;
    for (int i = 0; i < kUnknowns; ++i)
        scale = std::max(scale, std::fabs(point[i]));
    for (int c = 0; c < 2; ++c)
        for (int s = 0; s < 2; ++s) {
            const SceneObject& o = *slots[c][s];
            for (int k = 0; k < (isLineKind(o.kind) ? 2 : 1); ++k)
                scale = std::max({scale, std::fabs(o.x[k]), std::fabs(o.y[k])});
            if (!isLineKind(o.kind))
                scale = std::max(scale, std::fabs(o.r));
        }
    return scale;
}

} // namespace

Certificate certifyCandidate(const SceneObject* const slots[2][2], int mode, double parameter,
                             double x, double y, double r) {
    const double point[kUnknowns] = {x, y, r, parameter};
    for (double d : point)
        if (!std::isfinite(d))
            return {};
    const double maxRadius = kCertifyRelativeRadius * problemScale(slots, point);

    // Newton's step from the candidate with a point preconditioner Y ~ J(m)^-1.
    ArbVector m, fm, step, box, fx;
    ArbMatrix jm(kUnknowns, kUnknowns), jx(kUnknowns, kUnknowns), precond(kUnknowns, kUnknowns);
    for (int i = 0; i < kUnknowns; ++i)
        arb_set_d(m + i, point[i]);
    if (!evaluateSystem(slots, mode, m, fm, jm))
        return {};
    for (int i = 0; i < kUnknowns; ++i)
        for (int j = 0; j < kUnknowns; ++j)
            arb_get_mid_arb(jm.at(i, j), jm.at(i, j));
    if (!arb_mat_approx_inv(precond.get(), jm.get(), kPrecision))
        return {};
    for (int i = 0; i < kUnknowns; ++i) {
        arb_zero(step + i);
        for (int j = 0; j < kUnknowns; ++j)
            arb_addmul(step + i, precond.at(i, j), fm + j, kPrecision);
    }
    double stepSize = 0.0;
    for (int i = 0; i < kUnknowns; ++i)
        stepSize = std::max(stepSize, upperBound(step + i));
    if (!std::isfinite(stepSize))
        return {};

    // K(X) = m - Y F(m) + (I - Y J(X)) (X - m) inside the open box X proves exactly one
    // solution in X, and the solution then lies in K(X).
    ArbMatrix residue(kUnknowns, kUnknowns);
    for (double radius = std::max(2.0 * stepSize, std::ldexp(maxRadius, -20)); radius <= maxRadius;
         radius *= kWidening) {
        for (int i = 0; i < kUnknowns; ++i) {
            arb_set_d(box + i, point[i]);
            mag_set_d(arb_radref(box + i), radius);
        }
        if (!evaluateSystem(slots, mode, box, fx, jx))
            return {};
        arb_mat_mul(residue.get(), precond.get(), jx.get(), kPrecision);
        arb_mat_neg(residue.get(), residue.get());
        for (int i = 0; i < kUnknowns; ++i)
            arb_add_si(residue.at(i, i), residue.at(i, i), 1, kPrecision);
        bool inside = true;
        double reach = 0.0;
        for (int i = 0; i < kUnknowns && inside; ++i) {
            // K(X)_i - m_i, which must lie inside (-radius, radius).
            ArbBall ki, offset;
            arb_neg(ki, step + i);
            for (int j = 0; j < kUnknowns; ++j) {
                arb_sub(offset, box + j, m + j, kPrecision);
                arb_addmul(ki, residue.at(i, j), offset, kPrecision);
            }
            reach = std::max(reach, upperBound(ki));
            inside = reach < radius;
        }
        if (inside)
            return {true, reach};
    }
    return {};
}
