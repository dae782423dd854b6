// The exact algebra engine over FLINT and Arb: systems expanded exactly from their
// double data, solved by elimination, roots certified.
#pragma once

#include "solver/algebra_engine.h"

#include <memory>

std::unique_ptr<AlgebraEngine> makeFlintEngine();
