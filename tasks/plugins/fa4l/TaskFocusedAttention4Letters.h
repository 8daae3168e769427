// "Focused Attention 4 letters": the testee keeps one letter (part 1) or
// three letters (part 2) in mind and answers whether a memory letter stands
// on the relevant diagonal of the four letters shown. The relevant diagonal
// is a task parameter (TaskParam word 0): 0 top left and bottom right as
// the lists are stored, 1 the other diagonal, for which the letters of each
// code are moved by the host's quarter permutation. Correct rejections and
// false alarms are split by whether a memory letter stood on an irrelevant
// position.
#pragma once

#include "tasks/layers/letters/TaskLetters.h"
#include "tasks/plugins/fa4l/ui/Fa4lPage.h"

namespace qel {

class CTaskFocusedAttention4Letters final : public CTaskLetters {
 public:
  static constexpr int kVersions = 3;
  static constexpr int kParts = 2;
  // Memory sets: entry part x 9 + version x 3; one letter in part 1, three in part 2.
  static constexpr char kMemorySets[] = "c??x??m??jnsftzglv";

  CTaskFocusedAttention4Letters();

  bool SetupScreen(IDDDisplay* display, bool practice) override;
  void LoadTexts() override;
  bool SetupRun(IExpModelTask* context, intptr_t value) override;
  int32_t GetParamText(int line, int column) override;
  bool BeginRun(ITaskRunData* runData) override;
  bool SetTrial(const char* code) override;
  int32_t ClassifyResponse(int32_t category, int32_t code) override;
  bool Demonstrate(ITaskRunData* runData) override;
  int32_t ComputeVariables(ITaskRunData* runData) override;

  // The memory letters of a version and part (0-based; lower case); null
  // out of range.
  static const char* MemorySet(int version, int part);
  static int MemorySetSize(int part) { return part == 0 ? 1 : 3; }

 private:
  // Permutation mode and relevant positions from TaskParam word 0 of the
  // run context (0 without one).
  void ReadParameter();
  // The code's letters moved by the host's quarter permutation when the
  // other diagonal is relevant, so that the stored diagonal becomes it.
  void DisplayedCode(const char* code, char (&out)[kTrialCodeSize]) const override;

  CTaskPageFocusedAttention m_pageObject;
};

}  // namespace qel
