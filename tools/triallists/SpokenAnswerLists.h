// The trial lists of the tasks answered aloud: the three mental arithmetic
// tasks (a problem per code) and Prosody (an emotion and a sentence per
// code), each drawn from fixed seeds.
#pragma once

#include "tools/triallists/TaskTrialLists.h"

namespace qel {

namespace triallists {

// "Mental Arithmetic Multiplication", "Mental Arithmetic Addition Type 1",
// "Mental Arithmetic Addition Type 2" and "Prosody", in that order. Throws
// std::runtime_error when a list cannot be drawn.
std::vector<TaskTrialLists> BuildSpokenAnswerLists();

// The problem kinds as the mental arithmetic tasks judge them.
// Multiplication "ab": 0 a product below 20, 1 of 20 or more.
int ProductKind(int a, int b);
// Addition "aabb": 0 no carry and b < a, 1 no carry otherwise, 2 carry and
// b < a, 3 carry otherwise (carry: the units add up to more than 9).
int SumKind(int a, int b);

}  // namespace triallists

}  // namespace qel
