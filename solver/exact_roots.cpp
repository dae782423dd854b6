// Roots of a finished branch: certified parameter balls, back-substitution, and the
// check against the input equations.
#include "solver/exact_roots.h"

namespace {

// The nearest doubles of a ball's parts; a part whose ball holds zero is zero.
std::complex<double> nearestComplex(const acb_t v) {
    auto part = [](const arb_t x) {
        return arb_contains_zero(x) ? 0.0 : arf_get_d(arb_midref(x), ARF_RND_NEAR);
    };
    return {part(acb_realref(v)), part(acb_imagref(v))};
}

// Whether the ball value is small against scale, the size of the terms it sums.
bool negligible(const acb_t value, const arb_t scale, slong bits) {
    if (arb_is_zero(scale))
        return true;
    mag_t m, bound;
    mag_init(m);
    mag_init(bound);
    acb_get_mag(m, value);
    arb_get_mag_lower(bound, scale);
    mag_mul_2exp_si(bound, bound, -bits);
    const bool small = mag_cmp(m, bound) <= 0;
    mag_clear(bound);
    mag_clear(m);
    return small;
}

} // namespace

Step commonRootStep(slong var, const std::vector<MPoly>& eqs) {
    Step step(StepType::Common, var, eqs.empty() ? nullptr : eqs[0].ctx());
    for (const MPoly& e : eqs) {
        std::vector<MPoly> powers;
        for (slong k = 0; k <= e.degree(var); ++k)
            powers.push_back(coefficientOf(e, var, static_cast<ulong>(k)));
        step.powers.push_back(std::move(powers));
    }
    return step;
}

bool RootEmitter::emit(const Branch& b, const FieldPoly* last, slong lastVar, bool exactFallback,
                       EngineResult& out) {
    for (slong prec = lim_.precision;; prec *= 2) {
        EngineResult found;
        unisolated_ = false;
        passCurves_ = 0;
        const bool conclusive = emitAt(b, last, lastVar, prec, found);
        if (unisolated_ && exactFallback)
            return false;
        if (conclusive || 2 * prec > lim_.maxPrecision) {
            notNumeric_ += passCurves_;
            for (EngineRoot& r : found)
                if (static_cast<int>(out.size()) < lim_.maxRoots)
                    out.push_back(std::move(r));
            return true;
        }
    }
}

bool RootEmitter::emitAt(const Branch& b, const FieldPoly* last, slong lastVar, slong prec,
                         EngineResult& found) {
    inconclusive_ = false;
    AcbVector vals(in_.ctx->vars());
    const int lastStep = static_cast<int>(b.steps.size()) - 1;
    if (!b.hasModulus()) {
        backSubstitute(b, lastStep, vals, prec, found);
        return !inconclusive_;
    }
    const AcbVector p0 = rootsOfIrreducible(b.modulus, prec);
    AcbPoly embedded;
    std::vector<Acb> us;
    for (slong i = 0; i < p0.size(); ++i) {
        acb_set(vals[b.param], p0[i]);
        if (!last) {
            backSubstitute(b, lastStep, vals, prec, found);
            continue;
        }
        last->embed(embedded.get(), p0[i], prec);
        if (!rootsOfBallPolynomial(embedded.get(), prec, us))
            inconclusive_ = true;
        for (const Acb& u : us) {
            acb_set(vals[lastVar], u.get());
            backSubstitute(b, lastStep, vals, prec, found);
        }
    }
    return !inconclusive_;
}

void RootEmitter::backSubstitute(const Branch& b, int i, AcbVector& vals, slong prec,
                                 EngineResult& found) {
    if (i < 0) {
        record(vals, prec, found);
        return;
    }
    const Step& s = b.steps[static_cast<size_t>(i)];
    acb_ptr target = vals[s.var];
    switch (s.type) {
    case StepType::Fixed:
        acb_set_fmpq(target, s.value.get(), prec);
        backSubstitute(b, i - 1, vals, prec, found);
        return;
    case StepType::Linear: {
        Acb num, den;
        arb_t scale;
        arb_init(scale);
        evaluateAt(num.get(), scale, s.rest, vals.get(), prec);
        evaluateAt(den.get(), scale, s.coef, vals.get(), prec);
        arb_clear(scale);
        if (acb_contains_zero(den.get())) {
            inconclusive_ = true; // the divisor is nonzero here; the balls are too wide
            return;
        }
        acb_div(target, num.get(), den.get(), prec);
        acb_neg(target, target);
        backSubstitute(b, i - 1, vals, prec, found);
        return;
    }
    case StepType::Common: {
        std::vector<Acb> roots;
        commonRoots(s, vals, prec, roots);
        for (const Acb& r : roots) {
            acb_set(target, r.get());
            backSubstitute(b, i - 1, vals, prec, found);
        }
        return;
    }
    }
}

// The common roots in s.var of s's equations at vals: the roots of the equation of
// lowest degree there that the others share.
void RootEmitter::commonRoots(const Step& s, AcbVector& vals, slong prec, std::vector<Acb>& roots) {
    roots.clear();
    struct Candidate {
        slong degree;
        size_t index;
    };
    std::vector<Candidate> order;
    std::vector<AcbPoly> polys(s.powers.size());
    Acb c;
    arb_t scale;
    arb_init(scale);
    bool impossible = false;
    for (size_t e = 0; e < s.powers.size(); ++e) {
        slong degree = -1;
        for (size_t k = 0; k < s.powers[e].size(); ++k) {
            evaluateAt(c.get(), scale, s.powers[e][k], vals.get(), prec);
            acb_poly_set_coeff_acb(polys[e].get(), static_cast<slong>(k), c.get());
            if (!acb_contains_zero(c.get()))
                degree = static_cast<slong>(k);
        }
        acb_poly_truncate(polys[e].get(), degree + 1);
        if (degree == 0)
            impossible = true; // a nonzero constant: no common root
        if (degree > 0)
            order.push_back({degree, e});
    }
    arb_clear(scale);
    if (impossible)
        return;
    if (order.empty()) {
        ++passCurves_; // every equation vanishes: the unknown is free here
        return;
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Candidate& a, const Candidate& b) { return a.degree < b.degree; });
    std::vector<Acb> approx;
    bool isolated = false;
    size_t chosen = order[0].index;
    for (const Candidate& k : order)
        if (rootsOfBallPolynomial(polys[k.index].get(), prec, approx)) {
            chosen = k.index;
            isolated = true;
            break;
        }
    if (!isolated) {
        unisolated_ = true;
        rootsOfBallPolynomial(polys[chosen].get(), prec, approx);
    }
    Acb value;
    for (const Acb& r : approx) {
        bool shared = true;
        for (const Candidate& k : order) {
            if (k.index == chosen)
                continue;
            acb_poly_evaluate(value.get(), polys[k.index].get(), r.get(), prec);
            shared = shared && acb_contains_zero(value.get());
        }
        if (shared)
            roots.push_back(r);
    }
}

// Keeps a root that satisfies every input equation and no excluded one.
void RootEmitter::record(const AcbVector& vals, slong prec, EngineResult& found) {
    Acb value;
    arb_t scale;
    arb_init(scale);
    bool keep = true;
    for (const MPoly& x : in_.excluded) {
        evaluateAt(value.get(), scale, x, vals.get(), prec);
        keep = keep && !acb_contains_zero(value.get());
    }
    for (size_t k = 0; keep && k < in_.equations.size(); ++k) {
        evaluateAt(value.get(), scale, in_.equations[k], vals.get(), prec);
        if (!acb_contains_zero(value.get())) {
            keep = false; // a spurious root of the elimination
        } else if (!negligible(value.get(), scale, 64)) {
            inconclusive_ = true; // too wide to tell; a higher precision will
            keep = false;
        }
    }
    if (keep) {
        const slong n = in_.ctx->vars();
        EngineRoot root;
        bool real = true;
        for (slong v = 0; v < n; ++v)
            real = real && arb_contains_zero(acb_imagref(vals[v]));
        root.kind = real ? RootKind::Real : RootKind::Complex;
        for (slong v = 0; v < n; ++v)
            root.values.push_back(nearestComplex(vals[v]));
        for (const MPoly& o : in_.outputs) {
            evaluateAt(value.get(), scale, o, vals.get(), prec);
            root.outputs.push_back(
                {nearestComplex(value.get()), acb_contains_zero(value.get()) != 0});
        }
        found.push_back(std::move(root));
    }
    arb_clear(scale);
}
