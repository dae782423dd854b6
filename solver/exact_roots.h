// Turning a finished branch of the exact engine into roots: certified balls for the
// parameter, back-substitution through the branch's steps, and a check of every
// root against the input equations, at rising precision where a check needs it.
#pragma once

#include "solver/algebra_engine.h"
#include "solver/exact_arithmetic.h"
#include "solver/exact_branch.h"
#include "solver/exact_solver.h"

class RootEmitter {
  public:
    RootEmitter(const ExactInput& in, const ExactLimits& lim) : in_(in), lim_(lim) {}

    // Appends the roots of b to out. When last is given, the unknown lastVar is a root
    // of it (squarefree over the branch's number field). False, with nothing
    // appended, when a numerical back-solve could not isolate its roots and the
    // caller has an exact way instead (exactFallback).
    bool emit(const Branch& b, const FieldPoly* last, slong lastVar, bool exactFallback,
              EngineResult& out);
    // Curves of solutions met while back-solving.
    int notNumeric() const { return notNumeric_; }

  private:
    bool emitAt(const Branch& b, const FieldPoly* last, slong lastVar, slong prec,
                EngineResult& found);
    void backSubstitute(const Branch& b, int i, AcbVector& vals, slong prec, EngineResult& found);
    void commonRoots(const Step& s, AcbVector& vals, slong prec, std::vector<Acb>& roots);
    void record(const AcbVector& vals, slong prec, EngineResult& found);

    const ExactInput& in_;
    const ExactLimits& lim_;
    bool inconclusive_ = false;
    bool unisolated_ = false;
    int passCurves_ = 0; // of the current precision pass
    int notNumeric_ = 0;
};
