// "Memory Search Letters": the testee keeps one, two or three letters in
// mind (part 1, 2, 3) and answers for each display of four letters whether
// it holds all of them (yes-key) or not (no-key). Correct rejections and
// false alarms are split by how many memory letters the display held.
#pragma once

#include "tasks/layers/letters/TaskLetters.h"

namespace qel {

class CTaskMemorySearchLetters final : public CTaskLetters {
 public:
  static constexpr int kVersions = 3;
  static constexpr int kParts = 3;
  // Memory sets: entry part x 9 + version x 3, the first part + 1 letters.
  static constexpr char kMemorySets[] = "k??j??g??kr?jm?gt?krsjmzgtv";

  CTaskMemorySearchLetters();

  void LoadTexts() override;
  bool SetupRun(IExpModelTask* context, intptr_t value) override;
  bool BeginRun(ITaskRunData* runData) override;
  bool SetTrial(const char* code) override;
  int32_t ClassifyResponse(int32_t category, int32_t code) override;
  bool Demonstrate(ITaskRunData* runData) override;
  int32_t ComputeVariables(ITaskRunData* runData) override;

  // The memory letters of a version and part (0-based; lower case); null
  // out of range.
  static const char* MemorySet(int version, int part);
};

}  // namespace qel
