// The branching elimination of the exact engine. A branch is a set of equations, the
// unknowns already expressed through later ones (its steps), and optionally the
// irreducible polynomial whose roots the parameter is confined to (its modulus).
#include "solver/exact_solver.h"

#include "solver/exact_arithmetic.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <set>

namespace {

enum class StepType { Linear, Fixed, Common };

// How an eliminated unknown is recovered from the unknowns eliminated after it.
struct Step {
    Step(StepType t, slong v, const fmpq_mpoly_ctx_struct* ctx) : type(t), var(v), coef(ctx), rest(ctx) {}
    StepType type;
    slong var;
    MPoly coef, rest;   // Linear: var = -rest / coef, coef in the parameter coefVar only
    slong coefVar = -1;
    QNumber value;      // Fixed: var = value
    // Common: var is a common root of these, given per power of var.
    std::vector<std::vector<MPoly>> powers;
};

struct Branch {
    std::vector<MPoly> eqs;
    std::vector<Step> steps;
    std::vector<bool> eliminated;
    slong param = -1; // the unknown solved last; -1 once every unknown is fixed
    QPoly modulus;    // irreducible of degree >= 2 in param, or zero for none
    bool hasModulus() const { return !modulus.isZero(); }
};

// The nearest doubles of a ball's parts; a part whose ball holds zero is zero.
std::complex<double> nearestComplex(const acb_t v) {
    auto part = [](const arb_t x) {
        return arb_contains_zero(x) ? 0.0 : arf_get_d(arb_midref(x), ARF_RND_NEAR);
    };
    return {part(acb_realref(v)), part(acb_imagref(v))};
}

MPoly coefficientOf(const MPoly& p, slong var, ulong power) {
    MPoly c(p.ctx());
    fmpq_mpoly_get_coeff_vars_ui(c.get(), p.get(), &var, &power, 1, p.ctx());
    return c;
}

class BranchSolver {
  public:
    BranchSolver(const ExactInput& in, const ExactLimits& lim)
        : in_(in), lim_(lim), ctx_(in.ctx->get()), n_(in.ctx->vars()),
          start_(std::chrono::steady_clock::now()) {}

    std::optional<EngineResult> run();

  private:
    void solve(Branch b);
    bool normalize(Branch& b);
    void divideOutExcluded(MPoly& e) const;
    bool splitOnParameter(Branch& b);
    bool fixParameter(Branch& b, const QPoly& f);
    void cancelNonlinearTerms(Branch& b);
    bool acceptablePivot(const Branch& b, const MPoly& c) const;
    bool eliminateLinear(Branch& b);
    enum class Progress { None, Again, Stop };
    Progress eliminateByResultant(Branch& b);
    Progress solveBivariate(Branch& b, slong u);
    void finish(const Branch& b);
    std::vector<slong> openUnknowns(const Branch& b) const;

    void emit(const Branch& b, const FieldPoly* last, slong lastVar);
    bool emitAt(const Branch& b, const FieldPoly* last, slong lastVar, slong prec,
                EngineResult& found);
    void backSubstitute(const Branch& b, int i, AcbVector& vals, slong prec, EngineResult& found);
    void record(const AcbVector& vals, slong prec, EngineResult& found);
    void notNumeric() { notNumeric_ += 1; }

    bool overBudget();
    bool tooLarge(const MPoly& p) const;

    const ExactInput& in_;
    const ExactLimits& lim_;
    const fmpq_mpoly_ctx_struct* ctx_;
    slong n_;
    std::chrono::steady_clock::time_point start_;
    int branches_ = 0;
    bool tooHard_ = false;
    bool inconclusive_ = false;
    int notNumeric_ = 0;
    EngineResult roots_;
};

bool BranchSolver::overBudget() {
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    if (branches_ > lim_.maxBranches || elapsed > lim_.maxSeconds)
        tooHard_ = true;
    return tooHard_;
}

bool BranchSolver::tooLarge(const MPoly& p) const {
    for (slong v = 0; v < n_; ++v)
        if (p.degree(v) > lim_.maxDegree)
            return true;
    return coefficientBits(p) > lim_.maxBits;
}

std::vector<slong> BranchSolver::openUnknowns(const Branch& b) const {
    std::vector<slong> open;
    for (slong v = 0; v < n_; ++v)
        if (!b.eliminated[static_cast<size_t>(v)] && v != b.param)
            open.push_back(v);
    return open;
}

std::optional<EngineResult> BranchSolver::run() {
    Branch b;
    b.eliminated.assign(static_cast<size_t>(n_), false);
    b.param = n_ - 1;
    for (const MPoly& x : in_.excluded)
        if (x.isZero())
            return EngineResult{};
    b.eqs = in_.equations;
    solve(std::move(b));
    if (tooHard_)
        return std::nullopt;

    EngineResult& r = roots_;
    auto rank = [](const EngineRoot& a) { return static_cast<int>(a.kind); };
    std::stable_sort(r.begin(), r.end(), [&](const EngineRoot& a, const EngineRoot& b) {
        if (rank(a) != rank(b))
            return rank(a) < rank(b);
        for (size_t k = a.values.size(); k-- > 0;) {
            const auto va = a.values[k], vb = b.values[k];
            if (va.real() != vb.real())
                return va.real() < vb.real();
            if (va.imag() != vb.imag())
                return va.imag() < vb.imag();
        }
        return false;
    });
    // The same root can come out of a numerical back-solve more than once.
    auto same = [](const EngineRoot& a, const EngineRoot& b) {
        if (a.kind != b.kind)
            return false;
        for (size_t k = 0; k < a.values.size(); ++k)
            if (std::abs(a.values[k] - b.values[k]) > 1e-13 * (1.0 + std::abs(a.values[k])))
                return false;
        return true;
    };
    r.erase(std::unique(r.begin(), r.end(), same), r.end());
    for (int i = 0; i < notNumeric_ && static_cast<int>(r.size()) < lim_.maxRoots; ++i)
        r.push_back(EngineRoot{});
    return r;
}

void BranchSolver::solve(Branch b) {
    ++branches_;
    for (;;) {
        if (overBudget() || !normalize(b))
            return;
        if (!b.hasModulus() && splitOnParameter(b))
            return;
        cancelNonlinearTerms(b);
        if (!normalize(b))
            return;
        if (eliminateLinear(b))
            continue;
        const Progress p = eliminateByResultant(b);
        if (p == Progress::Again)
            continue;
        if (p == Progress::None)
            finish(b);
        return;
    }
}

// Roots on an excluded factor are dropped anyway; dividing it out removes whole
// spurious components (the half-angle's 1 + t^2) and keeps degrees down.
void BranchSolver::divideOutExcluded(MPoly& e) const {
    if (e.isZero())
        return;
    MPoly q(ctx_);
    for (const MPoly& x : in_.excluded)
        while (!x.isConstant() && fmpq_mpoly_divides(q.get(), e.get(), x.get(), ctx_))
            e = q;
}

// Reduces modulo the branch's modulus, drops vanished equations and duplicates;
// false when an equation is a nonzero constant (no solution) or too large.
bool BranchSolver::normalize(Branch& b) {
    std::vector<MPoly> kept;
    MPoly h(ctx_), q(ctx_);
    if (b.hasModulus())
        h = fromUnivariate(b.modulus, b.param, ctx_);
    for (MPoly& e : b.eqs) {
        if (b.hasModulus())
            fmpq_mpoly_divrem(q.get(), e.get(), e.get(), h.get(), ctx_);
        divideOutExcluded(e);
        if (e.isZero())
            continue;
        if (e.isConstant())
            return false;
        if (tooLarge(e)) {
            tooHard_ = true;
            return false;
        }
        fmpq_mpoly_make_monic(e.get(), e.get(), ctx_);
        const bool duplicate = std::any_of(kept.begin(), kept.end(), [&](const MPoly& k) {
            return fmpq_mpoly_equal(k.get(), e.get(), ctx_);
        });
        if (!duplicate)
            kept.push_back(std::move(e));
    }
    b.eqs = std::move(kept);
    return true;
}

// Equations in the parameter alone confine it to the roots of their gcd: one branch
// per irreducible factor.
bool BranchSolver::splitOnParameter(Branch& b) {
    if (b.param < 0)
        return false;
    QPoly g;
    bool any = false;
    std::vector<MPoly> others;
    for (MPoly& e : b.eqs) {
        if (onlyInVariable(e, b.param)) {
            const QPoly u = toUnivariate(e, b.param);
            if (any)
                fmpq_poly_gcd(g.get(), g.get(), u.get());
            else
                g = u;
            any = true;
        } else {
            others.push_back(std::move(e));
        }
    }
    b.eqs = std::move(others);
    if (!any)
        return false;
    if (g.degree() > lim_.maxDegree) {
        tooHard_ = true;
        return true;
    }
    for (const QPoly& f : irreducibleFactors(g)) {
        Branch child = b;
        if (fixParameter(child, f))
            solve(std::move(child));
        if (tooHard_)
            break;
    }
    return true;
}

// Confines the parameter to the roots of the irreducible f: a rational root is
// substituted and the next unknown becomes the parameter. False when the branch adds
// nothing: its roots are excluded, or a linear step's divisor vanishes there (that
// case has its own branch).
bool BranchSolver::fixParameter(Branch& b, const QPoly& f) {
    QPoly r;
    for (const MPoly& x : in_.excluded)
        if (!x.isConstant() && onlyInVariable(x, b.param)) {
            fmpq_poly_rem(r.get(), toUnivariate(x, b.param).get(), f.get());
            if (r.isZero())
                return false;
        }
    for (const Step& s : b.steps)
        if (s.type == StepType::Linear && s.coefVar == b.param) {
            fmpq_poly_rem(r.get(), toUnivariate(s.coef, b.param).get(), f.get());
            if (r.isZero())
                return false;
        }
    if (f.degree() > 1) {
        b.modulus = f;
        return true;
    }
    Step fixed(StepType::Fixed, b.param, ctx_);
    QNumber c0, c1;
    fmpq_poly_get_coeff_fmpq(c0.get(), f.get(), 0);
    fmpq_poly_get_coeff_fmpq(c1.get(), f.get(), 1);
    fmpq_div(fixed.value.get(), c0.get(), c1.get());
    fmpq_neg(fixed.value.get(), fixed.value.get());
    for (MPoly& e : b.eqs)
        fmpq_mpoly_evaluate_one_fmpq(e.get(), e.get(), b.param, fixed.value.get(), ctx_);
    b.steps.push_back(std::move(fixed));
    b.eliminated[static_cast<size_t>(b.param)] = true;
    b.param = -1;
    for (slong v = n_ - 1; v >= 0 && b.param < 0; --v)
        if (!b.eliminated[static_cast<size_t>(v)])
            b.param = v;
    return true;
}

// A pivot must not vanish where a root may lie: a constant, any nonzero element of
// the branch's number field, or a product of excluded factors.
bool BranchSolver::acceptablePivot(const Branch& b, const MPoly& c) const {
    if (c.isConstant() || b.hasModulus())
        return true;
    if (b.param < 0 || !onlyInVariable(c, b.param))
        return false;
    QPoly rest = toUnivariate(c, b.param), q, r;
    bool divided = true;
    while (rest.degree() > 0 && divided) {
        divided = false;
        for (const MPoly& x : in_.excluded) {
            if (x.isConstant() || !onlyInVariable(x, b.param))
                continue;
            const QPoly xu = toUnivariate(x, b.param);
            fmpq_poly_divrem(q.get(), r.get(), rest.get(), xu.get());
            if (r.isZero()) {
                rest = q;
                divided = true;
            }
        }
    }
    return rest.degree() == 0;
}

// Fraction-free row operations that clear the quadratic (and higher) monomials of
// the open unknowns from as many equations as possible, leaving them linear.
void BranchSolver::cancelNonlinearTerms(Branch& b) {
    const std::vector<slong> open = openUnknowns(b);
    if (open.empty() || b.eqs.size() < 2)
        return;
    std::vector<ulong> exps(static_cast<size_t>(n_));
    std::set<std::vector<ulong>, std::greater<>> monomials;
    for (const MPoly& e : b.eqs)
        for (slong i = 0; i < e.terms(); ++i) {
            fmpq_mpoly_get_term_exp_ui(exps.data(), e.get(), i, ctx_);
            std::vector<ulong> m;
            ulong total = 0;
            for (slong v : open) {
                m.push_back(exps[static_cast<size_t>(v)]);
                total += exps[static_cast<size_t>(v)];
            }
            if (total >= 2)
                monomials.insert(m);
        }
    std::vector<bool> used(b.eqs.size(), false);
    MPoly g(ctx_), a(ctx_), c(ctx_), t(ctx_);
    for (const std::vector<ulong>& m : monomials) {
        std::vector<MPoly> coefs;
        for (const MPoly& e : b.eqs) {
            MPoly k(ctx_);
            fmpq_mpoly_get_coeff_vars_ui(k.get(), e.get(), open.data(), m.data(),
                                         static_cast<slong>(open.size()), ctx_);
            coefs.push_back(std::move(k));
        }
        int pivot = -1;
        for (size_t r = 0; r < b.eqs.size(); ++r) {
            if (used[r] || coefs[r].isZero() || !acceptablePivot(b, coefs[r]))
                continue;
            if (pivot < 0 || coefs[r].terms() < coefs[static_cast<size_t>(pivot)].terms())
                pivot = static_cast<int>(r);
        }
        if (pivot < 0)
            continue;
        const auto p = static_cast<size_t>(pivot);
        used[p] = true;
        for (size_t r = 0; r < b.eqs.size(); ++r) {
            if (used[r] || coefs[r].isZero())
                continue;
            if (!fmpq_mpoly_gcd(g.get(), coefs[p].get(), coefs[r].get(), ctx_)) {
                tooHard_ = true;
                return;
            }
            fmpq_mpoly_div(a.get(), coefs[p].get(), g.get(), ctx_);
            fmpq_mpoly_div(c.get(), coefs[r].get(), g.get(), ctx_);
            fmpq_mpoly_mul(t.get(), a.get(), b.eqs[r].get(), ctx_);
            fmpq_mpoly_mul(a.get(), c.get(), b.eqs[p].get(), ctx_);
            fmpq_mpoly_sub(b.eqs[r].get(), t.get(), a.get(), ctx_);
        }
    }
}

// Eliminates one open unknown that occurs linearly with a coefficient in the
// parameter alone. Where that coefficient can vanish, a branch takes over.
bool BranchSolver::eliminateLinear(Branch& b) {
    const std::vector<slong> open = openUnknowns(b);
    int bestEq = -1;
    slong bestVar = -1, bestScore = 0;
    for (size_t i = 0; i < b.eqs.size(); ++i)
        for (slong v : open) {
            if (b.eqs[i].degree(v) != 1)
                continue;
            const MPoly c = coefficientOf(b.eqs[i], v, 1);
            const bool constant = c.isConstant();
            if (!constant && (b.param < 0 || !onlyInVariable(c, b.param)))
                continue;
            const slong score = (constant ? 0 : 1000 * (1 + c.degree(b.param))) + b.eqs[i].terms();
            if (bestEq < 0 || score < bestScore) {
                bestEq = static_cast<int>(i);
                bestVar = v;
                bestScore = score;
            }
        }
    if (bestEq < 0)
        return false;
    const auto i = static_cast<size_t>(bestEq);
    const slong v = bestVar;
    Step step(StepType::Linear, v, ctx_);
    step.coef = coefficientOf(b.eqs[i], v, 1);
    step.coefVar = b.param;
    if (!step.coef.isConstant() && !b.hasModulus()) {
        const QPoly cu = toUnivariate(step.coef, b.param);
        if (cu.degree() > lim_.maxDegree) {
            tooHard_ = true;
            return false;
        }
        for (const QPoly& f : irreducibleFactors(cu)) {
            Branch child = b;
            if (fixParameter(child, f))
                solve(std::move(child));
            if (tooHard_)
                return false;
        }
    }
    MPoly cv(ctx_), gen(ctx_);
    fmpq_mpoly_gen(gen.get(), v, ctx_);
    fmpq_mpoly_mul(cv.get(), step.coef.get(), gen.get(), ctx_);
    fmpq_mpoly_sub(step.rest.get(), b.eqs[i].get(), cv.get(), ctx_);

    // c^m * E(v = -rest/c) for every other equation E of degree m in v.
    MPoly minusRest(ctx_), term(ctx_), power(ctx_), cpow(ctx_);
    fmpq_mpoly_neg(minusRest.get(), step.rest.get(), ctx_);
    std::vector<MPoly> next;
    for (size_t j = 0; j < b.eqs.size(); ++j) {
        if (j == i)
            continue;
        const slong m = b.eqs[j].degree(v);
        if (m <= 0) {
            next.push_back(b.eqs[j]);
            continue;
        }
        MPoly sum(ctx_);
        for (slong k = 0; k <= m; ++k) {
            const MPoly ek = coefficientOf(b.eqs[j], v, static_cast<ulong>(k));
            if (ek.isZero())
                continue;
            if (!fmpq_mpoly_pow_ui(power.get(), minusRest.get(), static_cast<ulong>(k), ctx_) ||
                !fmpq_mpoly_pow_ui(cpow.get(), step.coef.get(), static_cast<ulong>(m - k), ctx_)) {
                tooHard_ = true;
                return false;
            }
            fmpq_mpoly_mul(term.get(), ek.get(), power.get(), ctx_);
            fmpq_mpoly_mul(term.get(), term.get(), cpow.get(), ctx_);
            fmpq_mpoly_add(sum.get(), sum.get(), term.get(), ctx_);
        }
        next.push_back(std::move(sum));
    }
    b.eqs = std::move(next);
    b.steps.push_back(std::move(step));
    b.eliminated[static_cast<size_t>(v)] = true;
    return true;
}

BranchSolver::Progress BranchSolver::eliminateByResultant(Branch& b) {
    const std::vector<slong> open = openUnknowns(b);
    if (open.size() == 1 && !b.hasModulus() && b.param >= 0)
        return solveBivariate(b, open[0]);
    if (open.size() < 2)
        return Progress::None;
    // The unknown of lowest degree goes first: it keeps the resultants small.
    slong u = -1, uDegree = 0;
    for (slong v : open) {
        slong deg = 0;
        for (const MPoly& e : b.eqs)
            deg = std::max(deg, e.degree(v));
        if (deg > 0 && (u < 0 || deg < uDegree)) {
            u = v;
            uDegree = deg;
        }
    }
    if (u < 0) {
        notNumeric(); // open unknowns that no equation holds
        return Progress::Stop;
    }
    std::vector<MPoly> with, without;
    for (MPoly& e : b.eqs)
        (e.degree(u) > 0 ? with : without).push_back(std::move(e));
    Step step(StepType::Common, u, ctx_);
    for (const MPoly& e : with) {
        std::vector<MPoly> powers;
        for (slong k = 0; k <= e.degree(u); ++k)
            powers.push_back(coefficientOf(e, u, static_cast<ulong>(k)));
        step.powers.push_back(std::move(powers));
    }
    size_t a = 0;
    for (size_t k = 1; k < with.size(); ++k)
        if (with[k].degree(u) < with[a].degree(u))
            a = k;
    MPoly r(ctx_);
    for (size_t k = 0; k < with.size(); ++k) {
        if (k == a)
            continue;
        if (!fmpq_mpoly_resultant(r.get(), with[a].get(), with[k].get(), u, ctx_)) {
            tooHard_ = true;
            return Progress::Stop;
        }
        if (!r.isZero())
            without.push_back(r);
    }
    b.eqs = std::move(without);
    b.steps.push_back(std::move(step));
    b.eliminated[static_cast<size_t>(u)] = true;
    return Progress::Again;
}

// Two unknowns left, u and the free parameter: a common factor of all equations is a
// curve of solutions; the isolated roots have their parameter among the roots of a
// resultant, which goes back in as an equation in the parameter alone.
BranchSolver::Progress BranchSolver::solveBivariate(Branch& b, slong u) {
    if (b.eqs.size() < 2) {
        notNumeric();
        return Progress::Stop;
    }
    MPoly g = b.eqs[0], q(ctx_);
    for (size_t k = 1; k < b.eqs.size(); ++k)
        if (!fmpq_mpoly_gcd(g.get(), g.get(), b.eqs[k].get(), ctx_)) {
            tooHard_ = true;
            return Progress::Stop;
        }
    if (!g.isConstant()) {
        notNumeric();
        for (MPoly& e : b.eqs) {
            fmpq_mpoly_divides(q.get(), e.get(), g.get(), ctx_);
            e = q;
        }
        return Progress::Again;
    }
    size_t a = 0;
    for (size_t k = 1; k < b.eqs.size(); ++k)
        if (b.eqs[k].degree(u) < b.eqs[a].degree(u))
            a = k;
    // With more than two equations the partner is a combination of the others;
    // another set of weights is tried if it shares a factor with the first.
    MPoly r(ctx_), partner(ctx_), scaled(ctx_);
    for (int attempt = 0; attempt < 3; ++attempt) {
        fmpq_mpoly_zero(partner.get(), ctx_);
        slong weight = 1;
        for (size_t k = 0; k < b.eqs.size(); ++k) {
            if (k == a)
                continue;
            fmpq_mpoly_scalar_mul_si(scaled.get(), b.eqs[k].get(), weight, ctx_);
            fmpq_mpoly_add(partner.get(), partner.get(), scaled.get(), ctx_);
            weight = weight * (attempt + 2) + 1;
        }
        if (!fmpq_mpoly_resultant(r.get(), b.eqs[a].get(), partner.get(), u, ctx_)) {
            tooHard_ = true;
            return Progress::Stop;
        }
        if (!r.isZero())
            break;
    }
    if (r.isZero()) {
        notNumeric();
        return Progress::Stop;
    }
    if (r.isConstant())
        return Progress::Stop;
    if (tooLarge(r)) {
        tooHard_ = true;
        return Progress::Stop;
    }
    b.eqs.push_back(std::move(r));
    return Progress::Again;
}

void BranchSolver::finish(const Branch& b) {
    const std::vector<slong> open = openUnknowns(b);
    if (b.param < 0 || (b.hasModulus() && open.empty())) {
        emit(b, nullptr, -1);
        return;
    }
    if (!b.hasModulus() || open.size() != 1 || b.eqs.empty()) {
        notNumeric(); // a free parameter or unknown: a curve of solutions
        return;
    }
    const slong u = open[0];
    FieldPoly g(b.eqs[0], u, b.param, b.modulus);
    for (size_t k = 1; k < b.eqs.size() && g.degree() > 0; ++k)
        g = FieldPoly::gcd(g, FieldPoly(b.eqs[k], u, b.param, b.modulus), b.modulus);
    if (g.degree() < 1)
        return;
    const FieldPoly simple = g.squarefree(b.modulus);
    emit(b, &simple, u);
}

void BranchSolver::emit(const Branch& b, const FieldPoly* last, slong lastVar) {
    const slong degree = (b.hasModulus() ? b.modulus.degree() : 1) * (last ? last->degree() : 1);
    if (degree > lim_.maxDegree * lim_.maxDegree) {
        tooHard_ = true;
        return;
    }
    for (slong prec = lim_.precision;; prec *= 2) {
        EngineResult found;
        const bool conclusive = emitAt(b, last, lastVar, prec, found);
        if (conclusive || 2 * prec > lim_.maxPrecision) {
            for (EngineRoot& r : found)
                if (static_cast<int>(roots_.size()) < lim_.maxRoots)
                    roots_.push_back(std::move(r));
            return;
        }
    }
}

bool BranchSolver::emitAt(const Branch& b, const FieldPoly* last, slong lastVar, slong prec,
                          EngineResult& found) {
    inconclusive_ = false;
    AcbVector vals(n_);
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

void BranchSolver::backSubstitute(const Branch& b, int i, AcbVector& vals, slong prec,
                                  EngineResult& found) {
    if (i < 0) {
        record(vals, prec, found);
        return;
    }
    const Step& s = b.steps[static_cast<size_t>(i)];
    acb_ptr target = vals[s.var];
    Acb num, den;
    arb_t scale;
    arb_init(scale);
    switch (s.type) {
    case StepType::Fixed:
        acb_set_fmpq(target, s.value.get(), prec);
        backSubstitute(b, i - 1, vals, prec, found);
        break;
    case StepType::Linear:
        evaluateAt(num.get(), scale, s.rest, vals.get(), prec);
        evaluateAt(den.get(), scale, s.coef, vals.get(), prec);
        if (acb_contains_zero(den.get())) {
            inconclusive_ = true; // the divisor is nonzero here; the balls are too wide
            break;
        }
        acb_div(target, num.get(), den.get(), prec);
        acb_neg(target, target);
        backSubstitute(b, i - 1, vals, prec, found);
        break;
    case StepType::Common: {
        // Numerically: roots of the equation of lowest effective degree in s.var.
        AcbPoly best, candidate;
        slong bestDegree = -1;
        for (const std::vector<MPoly>& eq : s.powers) {
            acb_poly_zero(candidate.get());
            slong degree = -1;
            for (size_t k = 0; k < eq.size(); ++k) {
                evaluateAt(num.get(), scale, eq[k], vals.get(), prec);
                acb_poly_set_coeff_acb(candidate.get(), static_cast<slong>(k), num.get());
                if (!acb_contains_zero(num.get()))
                    degree = static_cast<slong>(k);
            }
            if (degree < 0)
                continue; // vanishes at this point
            acb_poly_truncate(candidate.get(), degree + 1);
            if (bestDegree < 0 || degree < bestDegree) {
                acb_poly_set(best.get(), candidate.get());
                bestDegree = degree;
            }
        }
        if (bestDegree < 0) {
            notNumeric();
            break;
        }
        std::vector<Acb> roots;
        rootsOfBallPolynomial(best.get(), prec, roots);
        for (const Acb& r : roots) {
            acb_set(target, r.get());
            backSubstitute(b, i - 1, vals, prec, found);
        }
        break;
    }
    }
    arb_clear(scale);
}

// Keeps a root that satisfies every input equation and no excluded one.
void BranchSolver::record(const AcbVector& vals, slong prec, EngineResult& found) {
    Acb value;
    arb_t scale, bound;
    arb_init(scale);
    arb_init(bound);
    bool keep = true;
    for (const MPoly& x : in_.excluded) {
        evaluateAt(value.get(), scale, x, vals.get(), prec);
        if (acb_contains_zero(value.get()))
            keep = false;
    }
    for (size_t k = 0; keep && k < in_.equations.size(); ++k) {
        evaluateAt(value.get(), scale, in_.equations[k], vals.get(), prec);
        if (!acb_contains_zero(value.get())) {
            keep = false;
            break;
        }
        // A genuine root leaves a residual ball far below the terms' size.
        arb_mul_2exp_si(bound, scale, -64);
        mag_t r;
        mag_init(r);
        acb_get_mag(r, value.get());
        arf_t rf;
        arf_init(rf);
        arf_set_mag(rf, r);
        if (arf_cmp(rf, arb_midref(bound)) > 0 && !arb_is_zero(scale)) {
            inconclusive_ = true;
            keep = false;
        }
        arf_clear(rf);
        mag_clear(r);
    }
    if (keep) {
        EngineRoot root;
        bool real = true;
        for (slong v = 0; v < n_; ++v)
            real = real && arb_contains_zero(acb_imagref(vals[v]));
        root.kind = real ? RootKind::Real : RootKind::Complex;
        for (slong v = 0; v < n_; ++v)
            root.values.push_back(nearestComplex(vals[v]));
        for (const MPoly& o : in_.outputs) {
            evaluateAt(value.get(), scale, o, vals.get(), prec);
            root.outputs.push_back({nearestComplex(value.get()), acb_contains_zero(value.get()) != 0});
        }
        found.push_back(std::move(root));
    }
    arb_clear(bound);
    arb_clear(scale);
}

} // namespace

std::optional<EngineResult> solveExactly(const ExactInput& input, const ExactLimits& limits) {
    BranchSolver solver(input, limits);
    return solver.run();
}
