// The problems of the mental arithmetic tasks and how an answer to one is
// judged: a trial code holds the two operands ("27" is 2 x 7, "1215" is
// 12 + 15); the operator types the answer the testee said, and the answer's
// category tells the kind of problem and whether the answer was right.
#pragma once

#include <cstdint>
#include <string>

namespace qel {

namespace arith {

// The problem type of a task.
enum class ProblemType : int32_t {
  kAdditionOne = 1,     // two-digit + two-digit ("Mental Arithmetic Addition Type 1")
  kAdditionTwo = 2,     // two-digit + two-digit ("Mental Arithmetic Addition Type 2")
  kMultiplication = 3,  // one-digit x one-digit
};

// Categories of a response after the answer was judged: the kind of problem
// (even: right, odd: wrong), and the kinds taken together for the combined
// rows of the variables.
enum ArithmeticCategory : int32_t {
  kCorrectType1 = 10,  // addition: no carry, second operand below the first; multiplication: product below 20
  kErrorType1 = 11,
  kCorrectType2 = 12,  // addition: no carry otherwise; multiplication: product 20 or more
  kErrorType2 = 13,
  kCorrectType3 = 14,  // addition: carry, second operand below the first
  kErrorType3 = 15,
  kCorrectType4 = 16,  // addition: carry otherwise
  kErrorType4 = 17,
  kCorrectTypes12 = 18,
  kErrorTypes12 = 19,
  kCorrectTypes34 = 20,
  kErrorTypes34 = 21,
};

// A typed answer that is no answer.
constexpr int kNoAnswer = -1;

struct Problem {
  bool valid = false;
  int operand1 = 0;
  int operand2 = 0;
  int result = 0;
};

bool IsAddition(ProblemType type);

// The problem of a trial code: one digit per operand for a multiplication,
// two for an addition, read from the start of the code. A code that is too
// short or holds anything but digits there gives no problem.
Problem ParseProblem(const char* code, ProblemType type);

// "%d %c %d": "12 + 15", "2 x 7"; empty for no problem.
std::string ProblemText(const Problem& problem, ProblemType type);

// The category of an answer to a problem (an invalid problem gives 0).
int32_t AnswerCategory(const Problem& problem, ProblemType type, int answer);

// A category with the kinds taken together: 10 and 12 become 18, 11 and 13
// become 19, 14 and 16 become 20, 15 and 17 become 21; others stay.
int32_t CombinedCategory(int32_t category);

// TaskParam word 0: the size of the problem text in percent of twice the
// standard size, so the default 50 gives the standard size (the framework's
// second size, taken as points); 20..100, any other stored value counts as 50.
constexpr int kSizeWord = 0;
constexpr int kSizeMin = 20;
constexpr int kSizeMax = 100;
constexpr int kSizeDefault = 50;
int SizePercent(uint32_t word);

// The answer field of the operator: at most two digits. The keys are the
// host's digit-key reader's answers.
class CAnswerField {
 public:
  static constexpr int kMaxDigits = 2;
  // Keys: '0'..'9', kBackspace, kEnter, kEscape (abort), kNone (no key).
  static constexpr int kNone = 0;
  static constexpr int kEscape = 1;
  static constexpr int kBackspace = 8;
  static constexpr int kEnter = 10;

  enum class Outcome {
    kNothing,  // no key, or Enter on an empty field
    kChanged,  // a digit added or the last one taken away
    kRefused,  // a third digit, any other key, or Backspace on an empty field: a beep
    kDone,     // Enter after at least one digit
    kAborted,  // Escape: the entry ends without an answer
  };

  Outcome Feed(int key);
  const std::string& Text() const { return m_text; }
  // The typed number, kNoAnswer while the field is empty.
  int Value() const;

 private:
  std::string m_text;
};

}  // namespace arith

}  // namespace qel
