// Stand-in engines for tests: one that cannot start, one that gives no result, and
// a counting wrapper around the real engine; installed for the scope of a test.
#pragma once

#include "solver/algebra_engine.h"
#include "solver/flint_engine.h"

#include <memory>

struct EngineCounts {
    int starts = 0, stops = 0, solves = 0;
};

class TestEngine final : public AlgebraEngine {
  public:
    enum class Behaviour { Real, FailToStart, NoResult };
    TestEngine(Behaviour b, EngineCounts& counts) : behaviour_(b), counts_(counts) {}
    bool start() override {
        ++counts_.starts;
        return behaviour_ != Behaviour::FailToStart && real_->start();
    }
    void stop() override {
        ++counts_.stops;
        real_->stop();
    }
    std::optional<EngineResult> solve(const EngineSystem& s) override {
        ++counts_.solves;
        if (behaviour_ == Behaviour::NoResult)
            return std::nullopt;
        return real_->solve(s);
    }

  private:
    Behaviour behaviour_;
    EngineCounts& counts_;
    std::unique_ptr<AlgebraEngine> real_ = makeFlintEngine();
};

// Every session in this object's lifetime uses a TestEngine with the behaviour.
class ScopedTestEngine {
  public:
    explicit ScopedTestEngine(TestEngine::Behaviour b)
        : previous_(
              setEngineFactory([this, b] { return std::make_unique<TestEngine>(b, counts); })) {}
    ~ScopedTestEngine() { setEngineFactory(std::move(previous_)); }
    ScopedTestEngine(const ScopedTestEngine&) = delete;
    ScopedTestEngine& operator=(const ScopedTestEngine&) = delete;
    EngineCounts counts;

  private:
    EngineFactory previous_;
};
