// The tables of "Mental Arithmetic Multiplication": its score variables (suffix "_m1", kinds 1 and 2
// and the pairs 1+2), its norm variables and the lists its computation walks,
// laid out as the mental arithmetic family computes them (tasks/layers/arith).
#pragma once

#include "tasks/layers/arith/TaskMentalArithmetic.h"

namespace qel {

namespace mam1 {

extern const ArithmeticTables kTables;

}  // namespace mam1

}  // namespace qel
