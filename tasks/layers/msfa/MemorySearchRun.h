// The parts of a run that the memory-search tasks set up and score alike:
// the texts of the current part, the record's words of every part, the
// memory set as the run text, and the category splits of every part.
#pragma once

#include <cstdint>
#include <string>

#include "taskfw/TaskBase.h"

namespace qel {

namespace msfa {

constexpr int kMaxMemorySearchParts = 3;

// TEXT resources of one language: the description, the help on the task's
// parameters (0: none) and the instruction of each part.
struct LanguageTexts {
  uint32_t description;
  uint32_t parameters;
  uint32_t parts[kMaxMemorySearchParts];
};

// The texts of the run context's part (the first part without a run
// context) in the host's language: English, Dutch, Italian rows.
void LoadPartTexts(CTaskBase& task, const LanguageTexts (&texts)[3], int parts);

// For every part q: the test-list length, the practice-list length and the
// default trial count (the norm trial count) into the record's per-part words.
void PublishPartWords(ITaskLibrary& record, int parts, const int* testLengths, int practiceLength,
                      const uint32_t* defaultTrials);

// The memory items joined by ",".
std::string MemorySetText(const char* items, int count);

// From index on, per part: the full statistics of the categories of the
// first list and the short ones of the second, then the part's omissions,
// premature responses and interrupts; stops at a negative index.
int32_t ComputePartSplits(ITaskRunData& runData, const IExpModelTask& context, int32_t index, int parts,
                          const QelCodeList* fullLists, const QelCodeList* shortLists);

}  // namespace msfa

}  // namespace qel
