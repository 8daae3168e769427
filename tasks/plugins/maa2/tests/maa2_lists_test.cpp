// The committed lists of "Mental Arithmetic Addition Type 2" keep the balance they are drawn to.
#include <gtest/gtest.h>

#include "tasks/layers/arith/tests/ArithmeticListChecks.h"
#include "tasks/plugins/maa2/Maa2TrialLists.h"

namespace qel {

namespace {

TEST(Maa2Lists, BalancedByKind) {
  test::CheckArithmeticLists({arith::ProblemType::kAdditionTwo, Maa2PracticeList, Maa2TestList, kMaa2Versions,
                              kMaa2PracticeLength, kMaa2TestLengths[0], 61, 99, true});
}

}  // namespace

}  // namespace qel
