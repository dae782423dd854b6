// FlintEngine: expands the expressions of a system into exact polynomials and hands
// them to the exact solver.
#include "solver/flint_engine.h"

#include "solver/exact_arithmetic.h"
#include "solver/exact_solver.h"

#include <flint/flint.h>

#include <unordered_map>

namespace {

// Exact expansion of expressions, each shared node once.
class Expander {
  public:
    Expander(const MPolyContext& ctx, const std::vector<std::string>& unknowns)
        : ctx_(ctx), unknowns_(unknowns) {}

    // False for an unknown that is not listed or a number that is not finite.
    bool expand(const Expr::Node& n, MPoly& out) {
        const auto cached = memo_.find(&n);
        if (cached != memo_.end()) {
            out = cached->second;
            return true;
        }
        if (!expandNode(n, out))
            return false;
        memo_.emplace(&n, out);
        return true;
    }

  private:
    bool expandNode(const Expr::Node& n, MPoly& out) {
        const fmpq_mpoly_ctx_struct* ctx = ctx_.get();
        MPoly a(ctx), b(ctx);
        switch (n.op) {
        case Expr::Op::Number: {
            QNumber q;
            if (!exactRational(q.get(), n.value))
                return false;
            fmpq_mpoly_set_fmpq(out.get(), q.get(), ctx);
            return true;
        }
        case Expr::Op::Unknown:
            for (size_t i = 0; i < unknowns_.size(); ++i)
                if (unknowns_[i] == n.name) {
                    fmpq_mpoly_gen(out.get(), static_cast<slong>(i), ctx);
                    return true;
                }
            return false;
        case Expr::Op::Neg:
            if (!expand(*n.a, a))
                return false;
            fmpq_mpoly_neg(out.get(), a.get(), ctx);
            return true;
        case Expr::Op::Pow:
            return n.exponent >= 0 && expand(*n.a, a) &&
                   fmpq_mpoly_pow_ui(out.get(), a.get(), static_cast<ulong>(n.exponent), ctx);
        case Expr::Op::Add:
        case Expr::Op::Sub:
        case Expr::Op::Mul:
            if (!expand(*n.a, a) || !expand(*n.b, b))
                return false;
            if (n.op == Expr::Op::Add)
                fmpq_mpoly_add(out.get(), a.get(), b.get(), ctx);
            else if (n.op == Expr::Op::Sub)
                fmpq_mpoly_sub(out.get(), a.get(), b.get(), ctx);
            else
                fmpq_mpoly_mul(out.get(), a.get(), b.get(), ctx);
            return true;
        }
        return false;
    }

    const MPolyContext& ctx_;
    const std::vector<std::string>& unknowns_;
    std::unordered_map<const Expr::Node*, MPoly> memo_;
};

bool expandAll(Expander& ex, const MPolyContext& ctx, const std::vector<Expr>& in,
               std::vector<MPoly>& out) {
    for (const Expr& e : in) {
        MPoly p(ctx.get());
        if (!ex.expand(e.node(), p))
            return false;
        out.push_back(std::move(p));
    }
    return true;
}

// Engines started and not yet stopped on this thread; sessions can nest (a solver's
// fallback). FLINT's caches are per thread, and so is the count that guards them.
thread_local int runningEngines = 0;

class FlintEngine final : public AlgebraEngine {
  public:
    ~FlintEngine() override {
        if (running_)
            stop();
    }

    bool start() override {
        running_ = true;
        ++runningEngines;
        return true;
    }

    void stop() override {
        if (!running_)
            return;
        running_ = false;
        // Hand back the integer caches FLINT keeps between calls, once no engine
        // can still hold a number from them.
        if (--runningEngines == 0)
            flint_cleanup();
    }

    std::optional<EngineResult> solve(const EngineSystem& system) override {
        if (!running_ || system.unknowns.empty())
            return std::nullopt;
        MPolyContext ctx(static_cast<slong>(system.unknowns.size()));
        Expander ex(ctx, system.unknowns);
        ExactInput input;
        input.ctx = &ctx;
        if (!expandAll(ex, ctx, system.equations, input.equations) ||
            !expandAll(ex, ctx, system.excluded, input.excluded) ||
            !expandAll(ex, ctx, system.outputs, input.outputs))
            return std::nullopt;
        return solveExactly(input, ExactLimits{});
    }

  private:
    bool running_ = false;
};

} // namespace

std::unique_ptr<AlgebraEngine> makeFlintEngine() {
    return std::make_unique<FlintEngine>();
}
