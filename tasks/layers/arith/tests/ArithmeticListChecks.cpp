#include "tasks/layers/arith/tests/ArithmeticListChecks.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace qel {

namespace test {
namespace {

int Kind(const arith::Problem& p, arith::ProblemType type) {
  return (arith::AnswerCategory(p, type, p.result) - arith::kCorrectType1) / 2;
}

void CheckList(const ArithmeticListRules& r, const char (*list)[kTrialCodeSize], int length, int kinds,
               std::set<std::pair<int, int>>& used, const std::string& what) {
  SCOPED_TRACE(what);
  ASSERT_NE(list, nullptr);
  std::map<int, int> perKind;
  int run = 0;
  int previousKind = -1;
  arith::Problem previous;
  for (int i = 0; i < length; ++i) {
    SCOPED_TRACE(list[i]);
    const arith::Problem p = arith::ParseProblem(list[i], r.type);
    ASSERT_TRUE(p.valid);
    EXPECT_EQ(std::string(list[i]).size(), arith::IsAddition(r.type) ? 4u : 2u) << "nothing after the operands";
    if (arith::IsAddition(r.type)) {
      for (int operand : {p.operand1, p.operand2}) {
        EXPECT_GE(operand, 11);
        EXPECT_LE(operand, 89);
        EXPECT_NE(operand % 10, 0);
      }
      EXPECT_NE(p.operand1, p.operand2);
    } else {
      for (int operand : {p.operand1, p.operand2}) {
        EXPECT_GE(operand, 2);
        EXPECT_LE(operand, 9);
      }
    }
    EXPECT_GE(p.result, r.lowestResult);
    EXPECT_LE(p.result, r.highestResult);
    EXPECT_LE(p.result, 99) << "the answer field takes two digits";
    EXPECT_TRUE(used.insert({p.operand1, p.operand2}).second) << "a problem twice in the version";
    const bool twin = used.count({p.operand2, p.operand1}) && p.operand1 != p.operand2;
    if (r.twinsNever) {
      EXPECT_FALSE(twin) << "a problem and its twin in one version";
    }
    if (i > 0) {
      EXPECT_FALSE(previous.operand1 == p.operand2 && previous.operand2 == p.operand1) << "twins one after the other";
    }
    const int kind = Kind(p, r.type);
    ++perKind[kind];
    run = kind == previousKind ? run + 1 : 1;
    EXPECT_LE(run, 3) << "more than three of one kind in a row";
    previousKind = kind;
    previous = p;
  }
  ASSERT_EQ(static_cast<int>(perKind.size()), kinds);
  for (const auto& [kind, count] : perKind) EXPECT_EQ(count, length / kinds) << "kind " << kind;
}

}  // namespace

void CheckArithmeticLists(const ArithmeticListRules& r) {
  const int kinds = arith::IsAddition(r.type) ? 4 : 2;
  std::set<std::vector<std::string>> versions;
  for (int v = 0; v < r.versions; ++v) {
    std::set<std::pair<int, int>> used;
    CheckList(r, r.test(v, 0), r.testLength, kinds, used, "test list of version " + std::to_string(v + 1));
    CheckList(r, r.practice(v, 0), r.practiceLength, kinds, used, "practice list of version " + std::to_string(v + 1));
    const auto* list = r.test(v, 0);
    if (list) versions.insert(std::vector<std::string>(list, list + r.testLength));
  }
  EXPECT_EQ(static_cast<int>(versions.size()), r.versions) << "the versions differ";
  EXPECT_EQ(r.test(r.versions, 0), nullptr);
  EXPECT_EQ(r.practice(0, 1), nullptr);
}

}  // namespace test

}  // namespace qel
