// Expression building and the engine session; the engine itself lives elsewhere.
#include "solver/algebra_engine.h"

#include "solver/flint_engine.h"

namespace {

EngineFactory& currentFactory() {
    static EngineFactory factory;
    return factory;
}

} // namespace

Expr::Expr(double value) {
    auto n = std::make_shared<Node>();
    n->op = Op::Number;
    n->value = value;
    node_ = std::move(n);
}

Expr Expr::unknown(const std::string& name) {
    auto n = std::make_shared<Node>();
    n->op = Op::Unknown;
    n->name = name;
    return Expr(std::move(n));
}

Expr Expr::combine(Op op, const Expr& a, const Expr* b, int exponent) {
    auto n = std::make_shared<Node>();
    n->op = op;
    n->a = a.node_;
    if (b)
        n->b = b->node_;
    n->exponent = exponent;
    return Expr(std::move(n));
}

Expr operator+(const Expr& a, const Expr& b) {
    return Expr::combine(Expr::Op::Add, a, &b);
}
Expr operator-(const Expr& a, const Expr& b) {
    return Expr::combine(Expr::Op::Sub, a, &b);
}
Expr operator*(const Expr& a, const Expr& b) {
    return Expr::combine(Expr::Op::Mul, a, &b);
}
Expr operator-(const Expr& a) {
    return Expr::combine(Expr::Op::Neg, a, nullptr);
}
Expr pow(const Expr& base, int exponent) {
    return Expr::combine(Expr::Op::Pow, base, nullptr, exponent);
}

EngineSession::EngineSession() {
    const EngineFactory& factory = currentFactory();
    engine_ = factory ? factory() : makeFlintEngine();
    started_ = engine_ && engine_->start();
}

EngineSession::~EngineSession() {
    if (started_)
        engine_->stop();
}

EngineFactory setEngineFactory(EngineFactory factory) {
    EngineFactory previous = std::move(currentFactory());
    currentFactory() = std::move(factory);
    return previous;
}
