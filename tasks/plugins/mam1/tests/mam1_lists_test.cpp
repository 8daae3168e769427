// The committed lists of "Mental Arithmetic Multiplication" keep the balance they are drawn to.
#include <gtest/gtest.h>

#include "tasks/layers/arith/tests/ArithmeticListChecks.h"
#include "tasks/plugins/mam1/Mam1TrialLists.h"

namespace qel {

namespace {

TEST(Mam1Lists, BalancedByKind) {
  test::CheckArithmeticLists({arith::ProblemType::kMultiplication, Mam1PracticeList, Mam1TestList, kMam1Versions,
                              kMam1PracticeLength, kMam1TestLengths[0], 4, 81, false});
}

}  // namespace

}  // namespace qel
