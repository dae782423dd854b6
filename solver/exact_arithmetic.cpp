// Exact and certified-ball arithmetic for the engine, on FLINT and Arb.
#include "solver/exact_arithmetic.h"

#include <flint/fmpz_poly_factor.h>

#include <arb_fmpz_poly.h>

#include <cmath>
#include <cstdint>

bool exactRational(fmpq_t out, double v) {
    if (!std::isfinite(v))
        return false;
    int e = 0;
    const double m = std::frexp(v, &e);
    // 53 mantissa bits make an exact integer; the rest is a power of two.
    const auto mantissa = static_cast<std::int64_t>(std::ldexp(m, 53));
    e -= 53;
    fmpz_set_si(fmpq_numref(out), mantissa);
    fmpz_one(fmpq_denref(out));
    if (e > 0)
        fmpz_mul_2exp(fmpq_numref(out), fmpq_numref(out), static_cast<ulong>(e));
    else if (e < 0)
        fmpz_mul_2exp(fmpq_denref(out), fmpq_denref(out), static_cast<ulong>(-e));
    fmpq_canonicalise(out);
    return true;
}

QPoly toUnivariate(const MPoly& p, slong var) {
    QPoly out;
    QNumber c;
    for (slong i = 0; i < p.terms(); ++i) {
        fmpq_mpoly_get_term_coeff_fmpq(c.get(), p.get(), i, p.ctx());
        const ulong e = fmpq_mpoly_get_term_var_exp_ui(p.get(), i, var, p.ctx());
        fmpq_poly_set_coeff_fmpq(out.get(), static_cast<slong>(e), c.get());
    }
    return out;
}

MPoly fromUnivariate(const QPoly& p, slong var, const fmpq_mpoly_ctx_struct* ctx) {
    MPoly out(ctx);
    std::vector<ulong> exps(static_cast<size_t>(ctx->zctx->minfo->nvars), 0);
    QNumber c;
    for (slong k = 0; k <= p.degree(); ++k) {
        fmpq_poly_get_coeff_fmpq(c.get(), p.get(), k);
        if (fmpq_is_zero(c.get()))
            continue;
        exps[static_cast<size_t>(var)] = static_cast<ulong>(k);
        fmpq_mpoly_set_coeff_fmpq_ui(out.get(), c.get(), exps.data(), ctx);
    }
    return out;
}

bool onlyInVariable(const MPoly& p, slong var) {
    const slong n = p.ctx()->zctx->minfo->nvars;
    for (slong v = 0; v < n; ++v)
        if (v != var && p.degree(v) > 0)
            return false;
    return true;
}

MPoly coefficientOf(const MPoly& p, slong var, ulong power) {
    MPoly c(p.ctx());
    fmpq_mpoly_get_coeff_vars_ui(c.get(), p.get(), &var, &power, 1, p.ctx());
    return c;
}

slong coefficientBits(const MPoly& p) {
    const fmpq* content = p.get()->content;
    return fmpz_mpoly_max_bits(p.get()->zpoly) +
           static_cast<slong>(fmpz_bits(fmpq_numref(content))) +
           static_cast<slong>(fmpz_bits(fmpq_denref(content)));
}

std::vector<QPoly> irreducibleFactors(const QPoly& p) {
    std::vector<QPoly> out;
    if (p.degree() < 1)
        return out;
    fmpz_poly_t num;
    fmpz_poly_init(num);
    fmpq_poly_get_numerator(num, p.get());
    fmpz_poly_factor_t fac;
    fmpz_poly_factor_init(fac);
    fmpz_poly_factor(fac, num);
    for (slong i = 0; i < fac->num; ++i) {
        if (fmpz_poly_degree(fac->p + i) < 1)
            continue;
        QPoly f;
        fmpq_poly_set_fmpz_poly(f.get(), fac->p + i);
        fmpq_poly_make_monic(f.get(), f.get());
        out.push_back(std::move(f));
    }
    fmpz_poly_factor_clear(fac);
    fmpz_poly_clear(num);
    return out;
}

slong rootBits(const QPoly& p) {
    fmpz_poly_t num;
    fmpz_poly_init(num);
    fmpq_poly_get_numerator(num, p.get());
    fmpz_poly_primitive_part(num, num);
    const slong bits = std::abs(fmpz_poly_max_bits(num));
    fmpz_poly_clear(num);
    return bits;
}

AcbVector rootsOfIrreducible(const QPoly& f, slong prec) {
    AcbVector roots(f.degree());
    fmpz_poly_t num;
    fmpz_poly_init(num);
    fmpq_poly_get_numerator(num, f.get());
    arb_fmpz_poly_complex_roots(roots.get(), num, 0, prec);
    fmpz_poly_clear(num);
    return roots;
}

bool rootsOfBallPolynomial(const acb_poly_struct* f, slong prec, std::vector<Acb>& out) {
    out.clear();
    const slong deg = acb_poly_degree(f);
    if (deg < 1)
        return true;
    if (deg == 1) {
        Acb r;
        acb_div(r.get(), f->coeffs, f->coeffs + 1, prec);
        acb_neg(r.get(), r.get());
        out.push_back(r);
        return true;
    }
    AcbVector roots(deg);
    const slong isolated = acb_poly_find_roots(roots.get(), f, nullptr, 0, prec);
    for (slong i = 0; i < deg; ++i) {
        Acb r;
        acb_set(r.get(), roots[i]);
        out.push_back(r);
    }
    return isolated == deg;
}

void evaluateAt(acb_t out, arb_t scale, const MPoly& p, acb_srcptr vals, slong prec) {
    const slong n = p.ctx()->zctx->minfo->nvars;
    std::vector<ulong> exps(static_cast<size_t>(n));
    QNumber c;
    Acb term, power;
    arb_t magnitude, absValue;
    arb_init(magnitude);
    arb_init(absValue);
    acb_zero(out);
    arb_zero(scale);
    for (slong i = 0; i < p.terms(); ++i) {
        fmpq_mpoly_get_term_coeff_fmpq(c.get(), p.get(), i, p.ctx());
        fmpq_mpoly_get_term_exp_ui(exps.data(), p.get(), i, p.ctx());
        acb_set_fmpq(term.get(), c.get(), prec);
        arb_set_fmpq(magnitude, c.get(), prec);
        arb_abs(magnitude, magnitude);
        for (slong v = 0; v < n; ++v) {
            const ulong e = exps[static_cast<size_t>(v)];
            if (e == 0)
                continue;
            acb_pow_ui(power.get(), vals + v, e, prec);
            acb_mul(term.get(), term.get(), power.get(), prec);
            acb_abs(absValue, vals + v, prec);
            arb_pow_ui(absValue, absValue, e, prec);
            arb_mul(magnitude, magnitude, absValue, prec);
        }
        acb_add(out, out, term.get(), prec);
        arb_add(scale, scale, magnitude, prec);
    }
    arb_clear(absValue);
    arb_clear(magnitude);
}

void evaluateAt(acb_t out, const QPoly& p, const acb_t x, slong prec) {
    const fmpq_poly_struct* q = p.get();
    _arb_fmpz_poly_evaluate_acb(out, q->coeffs, q->length, x, prec);
    acb_div_fmpz(out, out, q->den, prec);
}

FieldPoly::FieldPoly(const MPoly& p, slong u, slong fieldVar, const QPoly& h) {
    const slong n = p.ctx()->zctx->minfo->nvars;
    std::vector<ulong> exps(static_cast<size_t>(n));
    QNumber c, old;
    for (slong i = 0; i < p.terms(); ++i) {
        fmpq_mpoly_get_term_coeff_fmpq(c.get(), p.get(), i, p.ctx());
        fmpq_mpoly_get_term_exp_ui(exps.data(), p.get(), i, p.ctx());
        const auto k = static_cast<size_t>(exps[static_cast<size_t>(u)]);
        const auto e = static_cast<slong>(exps[static_cast<size_t>(fieldVar)]);
        if (coef_.size() <= k)
            coef_.resize(k + 1);
        fmpq_poly_get_coeff_fmpq(old.get(), coef_[k].get(), e);
        fmpq_add(c.get(), c.get(), old.get());
        fmpq_poly_set_coeff_fmpq(coef_[k].get(), e, c.get());
    }
    for (QPoly& q : coef_)
        fmpq_poly_rem(q.get(), q.get(), h.get());
    trim();
}

void FieldPoly::trim() {
    while (!coef_.empty() && coef_.back().isZero())
        coef_.pop_back();
}

void FieldPoly::makeMonic(const QPoly& h) {
    if (coef_.empty())
        return;
    QPoly g, inverse, unused;
    // Bezout: inverse * lc + unused * h = 1, as h is irreducible and lc is not 0 mod h.
    fmpq_poly_xgcd(g.get(), inverse.get(), unused.get(), coef_.back().get(), h.get());
    for (QPoly& q : coef_) {
        fmpq_poly_mul(q.get(), q.get(), inverse.get());
        fmpq_poly_rem(q.get(), q.get(), h.get());
    }
}

FieldPoly FieldPoly::divide(FieldPoly a, const FieldPoly& b, const QPoly& h, FieldPoly* quotient) {
    const slong db = b.degree();
    if (quotient) {
        quotient->coef_.clear();
        if (a.degree() >= db)
            quotient->coef_.resize(static_cast<size_t>(a.degree() - db + 1));
    }
    QPoly product;
    while (!a.isZero() && a.degree() >= db) {
        const slong shift = a.degree() - db;
        const QPoly lead = a.coef_.back();
        for (slong i = 0; i <= db; ++i) {
            QPoly& target = a.coef_[static_cast<size_t>(i + shift)];
            fmpq_poly_mul(product.get(), lead.get(), b.coef_[static_cast<size_t>(i)].get());
            fmpq_poly_sub(target.get(), target.get(), product.get());
            fmpq_poly_rem(target.get(), target.get(), h.get());
        }
        if (quotient)
            quotient->coef_[static_cast<size_t>(shift)] = lead;
        a.trim();
    }
    if (quotient)
        quotient->trim();
    return a;
}

FieldPoly FieldPoly::gcd(FieldPoly a, FieldPoly b, const QPoly& h) {
    if (a.degree() < b.degree())
        std::swap(a, b);
    while (!b.isZero()) {
        b.makeMonic(h);
        FieldPoly r = divide(std::move(a), b, h, nullptr);
        a = std::move(b);
        b = std::move(r);
    }
    a.makeMonic(h);
    return a;
}

FieldPoly FieldPoly::derivative(const QPoly& h) const {
    FieldPoly d;
    for (size_t i = 1; i < coef_.size(); ++i) {
        QPoly q;
        fmpq_poly_scalar_mul_si(q.get(), coef_[i].get(), static_cast<slong>(i));
        fmpq_poly_rem(q.get(), q.get(), h.get());
        d.coef_.push_back(std::move(q));
    }
    d.trim();
    return d;
}

FieldPoly FieldPoly::squarefree(const QPoly& h) const {
    FieldPoly monic = *this;
    monic.makeMonic(h);
    const FieldPoly g = gcd(monic, derivative(h), h);
    if (g.degree() < 1)
        return monic;
    FieldPoly q;
    divide(monic, g, h, &q);
    q.makeMonic(h);
    return q;
}

void FieldPoly::embed(acb_poly_struct* out, const acb_t p0, slong prec) const {
    acb_poly_zero(out);
    Acb c;
    for (size_t i = 0; i < coef_.size(); ++i) {
        evaluateAt(c.get(), coef_[i], p0, prec);
        acb_poly_set_coeff_acb(out, static_cast<slong>(i), c.get());
    }
}
