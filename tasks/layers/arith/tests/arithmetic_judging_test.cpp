// How the mental arithmetic tasks read a problem, judge a typed answer and
// take kinds together, and how the operator's answer field takes keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tasks/layers/arith/ArithmeticProblem.h"

namespace qel {

namespace {

using arith::AnswerCategory;
using arith::CAnswerField;
using arith::ParseProblem;
using arith::ProblemType;

struct JudgeCase {
  const char* name;
  ProblemType type;
  const char* code;
  int answer;
  int32_t category;  // 0: no problem
  const char* text;
};

TEST(ArithmeticJudging, CategoriesByKindAndAnswer) {
  constexpr ProblemType kAdd1 = ProblemType::kAdditionOne;
  constexpr ProblemType kAdd2 = ProblemType::kAdditionTwo;
  constexpr ProblemType kMul = ProblemType::kMultiplication;
  const JudgeCase cases[] = {
      // 2 + 5 = 7: no carry; 15 is not below 12.
      {"NoCarrySecondNotSmallerRight", kAdd1, "1215", 27, 12, "12 + 15"},
      {"NoCarrySecondNotSmallerWrong", kAdd1, "1215", 26, 13, "12 + 15"},
      {"NoCarrySecondSmaller", kAdd1, "2512", 37, 10, "25 + 12"},
      {"NoCarrySecondSmallerWrong", kAdd1, "2512", 38, 11, "25 + 12"},
      // 7 + 8 > 9: carry; 38 < 47.
      {"CarrySecondSmaller", kAdd2, "4738", 85, 14, "47 + 38"},
      {"CarrySecondSmallerWrong", kAdd2, "4738", 75, 15, "47 + 38"},
      {"CarrySecondNotSmaller", kAdd2, "3847", 85, 16, "38 + 47"},
      {"CarrySecondNotSmallerWrong", kAdd2, "3847", 84, 17, "38 + 47"},
      {"EqualOperandsAreNotSmaller", kAdd1, "2121", 42, 12, "21 + 21"},
      {"UnitsOfTenAreACarry", kAdd1, "1416", 30, 16, "14 + 16"},
      {"NoAnswerIsWrong", kAdd1, "1215", arith::kNoAnswer, 13, "12 + 15"},
      // Products: below 20 is type 1; 20 itself type 2.
      {"ProductBelowTwenty", kMul, "27", 14, 10, "2 x 7"},
      {"ProductBelowTwentyWrong", kMul, "27", 16, 11, "2 x 7"},
      {"ProductNineteenIsSmall", kMul, "36", 18, 10, "3 x 6"},
      {"ProductTwentyIsLarge", kMul, "45", 20, 12, "4 x 5"},
      {"ProductLargeWrong", kMul, "89", 71, 13, "8 x 9"},
      // The first characters hold the operands; what follows is not read.
      {"LongerCodeReadsItsStart", kMul, "4567", 20, 12, "4 x 5"},
      {"AdditionReadsFourDigits", kAdd2, "121599", 27, 12, "12 + 15"},
      // Codes that hold no problem.
      {"MultiplicationCodeTooShort", kMul, "4", 4, 0, ""},
      {"AdditionCodeTooShort", kAdd1, "121", 12, 0, ""},
      {"EmptyCode", kAdd1, "", 0, 0, ""},
      {"NotDigits", kAdd1, "12a5", 17, 0, ""},
      {"NotDigitsInAProduct", kMul, "x5", 5, 0, ""},
  };
  for (const JudgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const arith::Problem p = ParseProblem(c.code, c.type);
    EXPECT_EQ(p.valid, c.category != 0);
    EXPECT_EQ(AnswerCategory(p, c.type, c.answer), c.category);
    EXPECT_EQ(arith::ProblemText(p, c.type), c.text);
  }
  EXPECT_FALSE(ParseProblem(nullptr, kMul).valid);
}

TEST(ArithmeticJudging, KindsTakenTogether) {
  const struct {
    int32_t category;
    int32_t combined;
  } cases[] = {{10, 18}, {12, 18}, {11, 19}, {13, 19}, {14, 20}, {16, 20}, {15, 21},
               {17, 21}, {1, 1},   {6, 6},   {7, 7},   {8, 8},   {18, 18}, {22, 22}};
  for (const auto& c : cases) EXPECT_EQ(arith::CombinedCategory(c.category), c.combined) << c.category;
}

// Keys as the host's digit-key reader gives them: '0'..'9', 8 Backspace,
// 10 Enter, 1 Escape, 0 no key.
struct FieldCase {
  const char* name;
  std::vector<int> keys;
  std::vector<CAnswerField::Outcome> outcomes;
  const char* text;
  int value;
};

TEST(ArithmeticAnswerField, KeysAndWhatTheyDo) {
  using O = CAnswerField::Outcome;
  const FieldCase cases[] = {
      {"TwoDigitsThenEnter", {'2', '7', 10}, {O::kChanged, O::kChanged, O::kDone}, "27", 27},
      {"AThirdDigitIsRefused", {'1', '2', '3', 10}, {O::kChanged, O::kChanged, O::kRefused, O::kDone}, "12", 12},
      {"EnterOnAnEmptyFieldIsIgnored", {10, '8', 10}, {O::kNothing, O::kChanged, O::kDone}, "8", 8},
      {"BackspaceTakesTheLastDigit",
       {'4', '5', 8, '6', 10},
       {O::kChanged, O::kChanged, O::kChanged, O::kChanged, O::kDone},
       "46",
       46},
      {"BackspaceOnAnEmptyFieldIsRefused", {8, '3', 10}, {O::kRefused, O::kChanged, O::kDone}, "3", 3},
      {"NoKeyDoesNothing", {0, 0, '9'}, {O::kNothing, O::kNothing, O::kChanged}, "9", 9},
      {"AnyOtherKeyIsRefused", {'+', 13, '5'}, {O::kRefused, O::kRefused, O::kChanged}, "5", 5},
      {"EscapeAborts", {'4', 1}, {O::kChanged, O::kAborted}, "4", 4},
      {"LeadingZeroReadsAsTheNumber", {'0', '7', 10}, {O::kChanged, O::kChanged, O::kDone}, "07", 7},
      {"EmptyFieldHasNoAnswer", {}, {}, "", arith::kNoAnswer},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.name);
    CAnswerField field;
    ASSERT_EQ(c.keys.size(), c.outcomes.size());
    for (size_t i = 0; i < c.keys.size(); ++i) EXPECT_EQ(field.Feed(c.keys[i]), c.outcomes[i]) << "key " << i;
    EXPECT_EQ(field.Text(), c.text);
    EXPECT_EQ(field.Value(), c.value);
  }
}

TEST(ArithmeticSize, StoredValuesOutsideTheRangeCountAsFifty) {
  const struct {
    uint32_t word;
    int percent;
  } cases[] = {{20, 20}, {50, 50}, {100, 100}, {19, 50}, {101, 50}, {0, 50}, {0xFFFFFFFFu, 50}, {70, 70}};
  for (const auto& c : cases) EXPECT_EQ(arith::SizePercent(c.word), c.percent) << c.word;
}

}  // namespace

}  // namespace qel
