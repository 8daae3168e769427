// The balance every committed list of a mental arithmetic task keeps,
// judged by the family's own reading of a problem: each plug-in's list test
// calls it with its tables and its rules.
#pragma once

#include <cstdint>

#include "include/qel/ModelTask.h"
#include "tasks/layers/arith/ArithmeticProblem.h"

namespace qel {

namespace test {

using ArithmeticListFn = const char (*(*)(int version, int part))[kTrialCodeSize];

struct ArithmeticListRules {
  arith::ProblemType type;
  ArithmeticListFn practice;
  ArithmeticListFn test;
  int versions;
  int practiceLength;
  int testLength;
  int lowestResult;  // results lie in [lowestResult, highestResult]
  int highestResult;
  bool twinsNever;  // a problem and its twin never in one version (else never adjacent)
};

// Checks, for every version: test lists of every kind in equal numbers
// (practice lists too), operands as the task's codes hold them (2..9 for a
// product; 11..89 without 0 in the units and never equal for a sum),
// results of at most two digits within the rules' range, no problem twice
// in a version, no more than three problems of one kind in a row, twins as
// the rules say; and no two versions alike.
void CheckArithmeticLists(const ArithmeticListRules& rules);

}  // namespace test

}  // namespace qel
