// Building blocks of the exact engine: exact doubles, factoring, certified roots,
// ball evaluation, and polynomials over a number field Q[p]/(h).
#pragma once

#include "solver/flint_handles.h"

#include <vector>

// v exactly as a rational (every finite double is one). False for NaN or infinity.
bool exactRational(fmpq_t out, double v);

// p in a single variable var of ctx (an error if other variables occur).
QPoly toUnivariate(const MPoly& p, slong var);
MPoly fromUnivariate(const QPoly& p, slong var, const fmpq_mpoly_ctx_struct* ctx);
// True when p involves no variable other than var.
bool onlyInVariable(const MPoly& p, slong var);
// The coefficient of var^power in p, a polynomial in the other variables.
MPoly coefficientOf(const MPoly& p, slong var, ulong power);
// The largest coefficient size of p in bits, numerators and denominators together.
slong coefficientBits(const MPoly& p);

// The distinct irreducible factors of p over the rationals, each made monic.
std::vector<QPoly> irreducibleFactors(const QPoly& p);
// The coefficient size, in bits, of p made integral and primitive.
slong rootBits(const QPoly& p);
// All complex roots of an irreducible polynomial to prec bits: real ones first,
// ascending, with exactly zero imaginary parts.
AcbVector rootsOfIrreducible(const QPoly& f, slong prec);
// Roots of a squarefree polynomial with ball coefficients whose leading coefficient
// is not zero; false when they could not all be isolated at this precision.
bool rootsOfBallPolynomial(const acb_poly_struct* f, slong prec, std::vector<Acb>& out);

// p at the point vals (one ball per variable of ctx; unused ones are ignored) and,
// in scale, the sum of the magnitudes of its terms there.
void evaluateAt(acb_t out, arb_t scale, const MPoly& p, acb_srcptr vals, slong prec);
void evaluateAt(acb_t out, const QPoly& p, const acb_t x, slong prec);

// Polynomials in one unknown u whose coefficients lie in K = Q[p]/(h), h irreducible.
// Coefficient i is the coefficient of u^i, reduced modulo h; no trailing zeros.
class FieldPoly {
  public:
    FieldPoly() = default;
    // p must involve no variables but u and the field variable fieldVar.
    FieldPoly(const MPoly& p, slong u, slong fieldVar, const QPoly& h);

    slong degree() const { return static_cast<slong>(coef_.size()) - 1; }
    bool isZero() const { return coef_.empty(); }
    const QPoly& operator[](slong i) const { return coef_[i]; }

    // Greatest common divisor over K, monic.
    static FieldPoly gcd(FieldPoly a, FieldPoly b, const QPoly& h);
    // The product of the distinct monic irreducible factors: same roots, each simple.
    FieldPoly squarefree(const QPoly& h) const;
    // At each embedding K -> C given by a root p0 of h: the ball polynomial in u.
    void embed(acb_poly_struct* out, const acb_t p0, slong prec) const;

  private:
    void trim();
    FieldPoly derivative(const QPoly& h) const;
    void makeMonic(const QPoly& h);
    // Remainder and (when quotient is not null) quotient of a by a monic b.
    static FieldPoly divide(FieldPoly a, const FieldPoly& b, const QPoly& h, FieldPoly* quotient);
    std::vector<QPoly> coef_;
};
