#include "tasks/layers/arith/ArithmeticProblem.h"

#include <cstring>

namespace qel {

namespace arith {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number written by `count` digits at `text`; -1 when one is not a digit.
int Digits(const char* text, int count) {
  int value = 0;
  for (int i = 0; i < count; ++i) {
    if (!IsDigit(text[i])) return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

bool IsAddition(ProblemType type) { return type == ProblemType::kAdditionOne || type == ProblemType::kAdditionTwo; }

Problem ParseProblem(const char* code, ProblemType type) {
  Problem p;
  const int width = IsAddition(type) ? 2 : 1;
  // A code slot holds at most 16 characters.
  if (!code || static_cast<int>(strnlen(code, 16)) < 2 * width) return p;
  const int a = Digits(code, width);
  const int b = Digits(code + width, width);
  if (a < 0 || b < 0) return p;
  p.valid = true;
  p.operand1 = a;
  p.operand2 = b;
  p.result = IsAddition(type) ? a + b : a * b;
  return p;
}

std::string ProblemText(const Problem& problem, ProblemType type) {
  if (!problem.valid) return std::string();
  return std::to_string(problem.operand1) + (IsAddition(type) ? " + " : " x ") + std::to_string(problem.operand2);
}

int32_t AnswerCategory(const Problem& problem, ProblemType type, int answer) {
  if (!problem.valid) return 0;
  int32_t category = kCorrectType1;
  if (IsAddition(type)) {
    const bool carry = problem.operand1 % 10 + problem.operand2 % 10 > 9;
    const bool smallerSecond = problem.operand2 < problem.operand1;
    category =
        carry ? (smallerSecond ? kCorrectType3 : kCorrectType4) : (smallerSecond ? kCorrectType1 : kCorrectType2);
  } else {
    category = problem.result < 20 ? kCorrectType1 : kCorrectType2;
  }
  return answer == problem.result ? category : category + 1;
}

int32_t CombinedCategory(int32_t category) {
  switch (category) {
    case kCorrectType1:
    case kCorrectType2:
      return kCorrectTypes12;
    case kErrorType1:
    case kErrorType2:
      return kErrorTypes12;
    case kCorrectType3:
    case kCorrectType4:
      return kCorrectTypes34;
    case kErrorType3:
    case kErrorType4:
      return kErrorTypes34;
    default:
      return category;
  }
}

int SizePercent(uint32_t word) {
  if (word < static_cast<uint32_t>(kSizeMin) || word > static_cast<uint32_t>(kSizeMax)) return kSizeDefault;
  return static_cast<int>(word);
}

CAnswerField::Outcome CAnswerField::Feed(int key) {
  if (key == kNone) return Outcome::kNothing;
  if (key == kEscape) return Outcome::kAborted;
  if (key == kEnter) return m_text.empty() ? Outcome::kNothing : Outcome::kDone;
  if (key == kBackspace) {
    if (m_text.empty()) return Outcome::kRefused;
    m_text.pop_back();
    return Outcome::kChanged;
  }
  if (key >= '0' && key <= '9' && static_cast<int>(m_text.size()) < kMaxDigits) {
    m_text += static_cast<char>(key);
    return Outcome::kChanged;
  }
  return Outcome::kRefused;
}

int CAnswerField::Value() const {
  return m_text.empty() ? kNoAnswer : Digits(m_text.c_str(), static_cast<int>(m_text.size()));
}

}  // namespace arith

}  // namespace qel
