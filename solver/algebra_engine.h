// The algebra engine seen by the solvers: polynomial systems written as expressions
// over named unknowns, solved between a start and a stop, each root coming back as
// real values, a complex value or a not-numeric mark.
#pragma once

#include <complex>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// An immutable polynomial expression: numbers (doubles, taken exactly), unknowns by
// name, sums, differences, products and whole powers. Sub-expressions are shared, so
// building del once and using it ten times costs one expansion.
class Expr {
  public:
    Expr(double value); // implicit, so that numbers mix freely into formulas
    static Expr unknown(const std::string& name);

    friend Expr operator+(const Expr& a, const Expr& b);
    friend Expr operator-(const Expr& a, const Expr& b);
    friend Expr operator*(const Expr& a, const Expr& b);
    friend Expr operator-(const Expr& a);
    friend Expr pow(const Expr& base, int exponent);

    enum class Op { Number, Unknown, Add, Sub, Mul, Neg, Pow };
    struct Node {
        Op op;
        double value = 0.0;
        std::string name;
        int exponent = 0;
        std::shared_ptr<const Node> a, b;
    };
    const Node& node() const { return *node_; }

  private:
    explicit Expr(std::shared_ptr<const Node> node) : node_(std::move(node)) {}
    static Expr combine(Op op, const Expr& a, const Expr* b, int exponent = 0);
    std::shared_ptr<const Node> node_;
};

// Equations (each "= 0") in the listed unknowns. The last unknown is eliminated last:
// it is the motion parameter of a merge. Roots at which an excluded expression
// vanishes are not solutions (for example 1 + t^2 for the half-angle t). Outputs are
// evaluated at every root, as the solvers' eval statements are.
struct EngineSystem {
    std::vector<Expr> equations;
    std::vector<std::string> unknowns;
    std::vector<Expr> excluded;
    std::vector<Expr> outputs;
};

enum class RootKind { Real, Complex, NotNumeric };

struct EngineValue {
    std::complex<double> value;
    // The value is zero, decided at working precision far beyond a double's.
    bool zero = false;
};

struct EngineRoot {
    RootKind kind = RootKind::NotNumeric;
    // Per unknown, in the order of EngineSystem::unknowns; empty when not numeric.
    // Real roots have zero imaginary parts throughout.
    std::vector<std::complex<double>> values;
    std::vector<EngineValue> outputs;
};

// The roots of a system in engine order: real roots by ascending parameter, then
// complex roots, then not-numeric marks (one per curve of solutions).
using EngineResult = std::vector<EngineRoot>;

class AlgebraEngine {
  public:
    virtual ~AlgebraEngine() = default;
    // False when the engine cannot run; nothing else may then be called.
    virtual bool start() = 0;
    virtual void stop() = 0;
    // No result (nullopt) when the system is malformed or needs more work than the
    // engine allows; the caller reports that as the engine's empty answer.
    virtual std::optional<EngineResult> solve(const EngineSystem& system) = 0;
};

// A started engine that is stopped on every path out of the scope that holds it.
class EngineSession {
  public:
    EngineSession();
    ~EngineSession();
    EngineSession(const EngineSession&) = delete;
    EngineSession& operator=(const EngineSession&) = delete;

    bool started() const { return started_; }
    std::optional<EngineResult> solve(const EngineSystem& system) { return engine_->solve(system); }

  private:
    std::unique_ptr<AlgebraEngine> engine_;
    bool started_ = false;
};

using EngineFactory = std::function<std::unique_ptr<AlgebraEngine>()>;
// Replaces the engine every later session uses (the default is the exact FLINT
// engine); an empty factory restores the default. Returns the previous factory.
EngineFactory setEngineFactory(EngineFactory factory);
