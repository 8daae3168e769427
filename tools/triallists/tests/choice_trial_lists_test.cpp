// Ordering the two-choice tasks' lists: an order that keeps every rule of
// the task is found from the seed, the same one every time, and rules that
// no order can keep are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "tools/triallists/ChoiceTrialLists.h"

namespace qel {

namespace {

using triallists::CodeList;
using triallists::OrderCodes;
using triallists::SequenceRules;

CodeList Walk() {
  CodeList codes;
  for (int i = 0; i < 12; ++i) codes.push_back(i % 2 ? "R" : "L");
  codes.insert(codes.end(), 4, "c");
  return codes;
}

SequenceRules Rules() {
  SequenceRules rules;
  rules.seed = 7;
  rules.answer = [](const std::string& c) { return c == "R" ? 2 : c == "L" ? 1 : 3; };
  rules.maxAnswerRun = 2;
  rules.maxCodeRun = 2;
  rules.first = "R";
  rules.noRepeat = "c";
  rules.step = [](const std::string& c) { return c == "R" ? 1 : c == "L" ? -1 : 0; };
  rules.start = 1;
  rules.low = 0;
  rules.high = 3;
  return rules;
}

TEST(OrderCodes, KeepsEveryRule) {
  const CodeList ordered = OrderCodes(Walk(), Rules());
  ASSERT_EQ(ordered.size(), 16u);
  CodeList sorted = ordered;
  CodeList original = Walk();
  std::sort(sorted.begin(), sorted.end());
  std::sort(original.begin(), original.end());
  EXPECT_EQ(sorted, original) << "the same codes";
  EXPECT_EQ(ordered.front(), "R");
  int position = 1;
  for (size_t k = 0; k < 2 * ordered.size(); ++k) {
    const std::string& code = ordered[k % ordered.size()];
    if (k < ordered.size()) {
      position += code == "R" ? 1 : code == "L" ? -1 : 0;
      EXPECT_GE(position, 0);
      EXPECT_LE(position, 3);
    }
    if (k >= 2) {
      const std::string& a = ordered[(k - 1) % ordered.size()];
      const std::string& b = ordered[(k - 2) % ordered.size()];
      EXPECT_FALSE(code == a && a == b) << "three equal answers in a row at " << k;
    }
    if (k >= 1 && k < ordered.size()) {
      EXPECT_FALSE(code == "c" && ordered[k - 1] == "c");
    }
  }
  EXPECT_EQ(OrderCodes(Walk(), Rules()), ordered) << "the same order from the same seed";
}

TEST(OrderCodes, RefusesRulesNoOrderKeeps) {
  SequenceRules rules = Rules();
  rules.first = "x";
  EXPECT_THROW(OrderCodes(Walk(), rules), std::runtime_error) << "a first code the list does not hold";
  rules = Rules();
  rules.high = 1;  // the walk cannot start with a step to the right
  EXPECT_THROW(OrderCodes(Walk(), rules), std::runtime_error);
}

}  // namespace

}  // namespace qel
