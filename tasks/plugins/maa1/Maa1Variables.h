// The tables of "Mental Arithmetic Addition Type 1": its score variables (suffix "_a1", kinds 1 to 4
// and the pairs 1+2 and 3+4), its norm variables and the lists its computation walks,
// laid out as the mental arithmetic family computes them (tasks/layers/arith).
#pragma once

#include "tasks/layers/arith/TaskMentalArithmetic.h"

namespace qel {

namespace maa1 {

extern const ArithmeticTables kTables;

}  // namespace maa1

}  // namespace qel
