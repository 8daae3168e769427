// The committed lists of "Mental Arithmetic Addition Type 1" keep the balance they are drawn to.
#include <gtest/gtest.h>

#include "tasks/layers/arith/tests/ArithmeticListChecks.h"
#include "tasks/plugins/maa1/Maa1TrialLists.h"

namespace qel {

namespace {

TEST(Maa1Lists, BalancedByKind) {
  test::CheckArithmeticLists({arith::ProblemType::kAdditionOne, Maa1PracticeList, Maa1TestList, kMaa1Versions,
                              kMaa1PracticeLength, kMaa1TestLengths[0], 22, 59, true});
}

}  // namespace

}  // namespace qel
