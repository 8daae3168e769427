// The family of the mental arithmetic tasks: a sum or a product is shown,
// the testee says the answer aloud (the voice key times it), the operator
// types the answer that was said, and the task judges it. The three tasks
// differ in their problem type, lists and tables only (ArithmeticTables).
//
// Threads: the answer entry runs inside the response command on the run's
// user-interface thread and waits on the host's run clock; everything else
// is called as the framework describes.
#pragma once

#include <cstdint>

#include "taskfw/TaskBase.h"
#include "tasks/layers/arith/ArithmeticProblem.h"
#include "tasks/layers/arith/ArithmeticVariables.h"
#include "tasks/layers/series/TaskFont.h"

namespace qel {

using TrialListFn = const char (*(*)(int version, int part))[kTrialCodeSize];

// What one task of the family is made of (static data of its plug-in).
struct ArithmeticTables {
  arith::ProblemType type;
  const QelModelTask* modelDefault;
  const char* const* versionNames;
  int32_t versionCount;
  // TEXT resources: description in English, Dutch, Italian; the part text.
  uint32_t descriptionTexts[3];
  uint32_t partText;
  TrialListFn practiceList;
  TrialListFn testList;
  int practiceLength;
  int testLength;
  const TaskVariableDef* variables;
  uint32_t variableCount;
  const TaskNormVariable* norms;
  uint32_t normCount;
  const QelCodeList* correctList;  // the right answers of every kind, with the getters of their Z rows
  const QelCodeList* errorList;    // the errors of every kind
  const arith::PairRows* pairs;    // per pair of kinds (1+2, 3+4)
  int pairCount;
};

class CTaskMentalArithmetic : public CTaskBase {
 public:
  // The answer entry: the cursor blinks every 250 ms; keys are read every 10 ms.
  static constexpr uint32_t kBlinkMs = 250;
  static constexpr uint32_t kKeyPollMs = 10;

  explicit CTaskMentalArithmetic(const ArithmeticTables& tables);

  void LoadTexts() override;                                                    // 5
  bool SetupRun(IExpModelTask* context, intptr_t value) override;               // 8
  bool BeginRun(ITaskRunData* runData) override;                                // 11
  bool EndRun() override;                                                       // 12
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;  // 16
  bool HideSignal(int32_t responseCode) override;                               // 17
  int32_t OnResponse(int32_t code, int32_t early) override;                     // 23
  int32_t ClassifyResponse(int32_t category, int32_t code) override;            // 31
  bool Demonstrate(ITaskRunData* runData) override;                             // 32
  int32_t ComputeVariables(ITaskRunData* runData) override;                     // 33

  const arith::Problem& ShownProblem() const { return m_problem; }
  int TypedAnswer() const { return m_answer; }

 protected:
  ~CTaskMentalArithmetic() = default;

 private:
  // Clears the back surface, draws the text centred in the family font and presents.
  bool ShowCentred(const std::string& text, int* width);
  // The answer field on the front surface: "= ", the digits, the cursor.
  void DrawAnswer(const std::string& digits, bool cursor);

  const ArithmeticTables& m_tables;
  arith::Problem m_problem;
  int m_answer = arith::kNoAnswer;
  int m_problemWidth = 0;
  CTaskFont m_font;
  int m_answerClearWidth = 0;  // what the answer field has covered so far
};

}  // namespace qel
