// The branching elimination of the exact engine: case splits, cancellation,
// linear elimination and resultants, down to branches whose roots can be read.
#include "solver/exact_solver.h"

#include "solver/exact_arithmetic.h"
#include "solver/exact_branch.h"
#include "solver/exact_roots.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <set>

namespace {

class BranchSolver {
  public:
    BranchSolver(const ExactInput& in, const ExactLimits& lim)
        : in_(in), lim_(lim), ctx_(in.ctx->get()), n_(in.ctx->vars()),
          start_(std::chrono::steady_clock::now()), emitter_(in, lim) {}

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
    int notNumeric_ = 0;
    RootEmitter emitter_;
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
    const int curves = notNumeric_ + emitter_.notNumeric();
    for (int i = 0; i < curves && static_cast<int>(r.size()) < lim_.maxRoots; ++i)
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
        if (f.degree() > lim_.maxRootDegree || rootBits(f) > lim_.maxRootBits) {
            tooHard_ = true;
            return false;
        }
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
    Step step = commonRootStep(u, with);
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
        emitter_.emit(b, nullptr, -1, false, roots_);
        return;
    }
    if (!b.hasModulus() || open.size() != 1 || b.eqs.empty()) {
        notNumeric(); // a free parameter or unknown: a curve of solutions
        return;
    }
    // The last unknown: numerically, as the common root of the equations at each
    // parameter root; exactly, through their gcd over the number field, where those
    // roots cannot be isolated (a double root, say). The gcd is exact but its
    // coefficients grow fast, so it comes second.
    const slong u = open[0];
    Branch numeric = b;
    numeric.steps.push_back(commonRootStep(u, b.eqs));
    numeric.eliminated[static_cast<size_t>(u)] = true;
    if (emitter_.emit(numeric, nullptr, -1, true, roots_))
        return;
    FieldPoly g(b.eqs[0], u, b.param, b.modulus);
    for (size_t k = 1; k < b.eqs.size() && g.degree() > 0; ++k)
        g = FieldPoly::gcd(g, FieldPoly(b.eqs[k], u, b.param, b.modulus), b.modulus);
    if (g.degree() < 1)
        return;
    const FieldPoly simple = g.squarefree(b.modulus);
    emitter_.emit(b, &simple, u, false, roots_);
}

} // namespace

std::optional<EngineResult> solveExactly(const ExactInput& input, const ExactLimits& limits) {
    BranchSolver solver(input, limits);
    return solver.run();
}
