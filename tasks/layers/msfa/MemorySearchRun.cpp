#include "tasks/layers/msfa/MemorySearchRun.h"

namespace qel {

namespace msfa {

void LoadPartTexts(CTaskBase& task, const LanguageTexts (&texts)[3], int parts) {
  int part = task.RunContext() ? task.RunContext()->currentPart : 0;
  if (part < 0 || part >= parts || part >= kMaxMemorySearchParts) part = 0;
  TaskTextIds ids[3];
  for (int language = 0; language < 3; ++language) {
    ids[language] = {texts[language].description, texts[language].parts[part], texts[language].parameters, 0};
  }
  task.LoadTextsForLanguage(ids);
}

void PublishPartWords(ITaskLibrary& record, int parts, const int* testLengths, int practiceLength,
                      const uint32_t* defaultTrials) {
  for (int q = 0; q < parts && q < qel::kMaxParts; ++q) {
    record.partWordsA[q] = testLengths[q];
    record.partWordsB[q] = practiceLength;
    record.normTrialCounts[q] = static_cast<int32_t>(defaultTrials[q]);
  }
}

std::string MemorySetText(const char* items, int count) {
  std::string text;
  for (int i = 0; items && i < count && items[i] != '\0'; ++i) {
    if (i > 0) text += ',';
    text += items[i];
  }
  return text;
}

int32_t ComputePartSplits(ITaskRunData& runData, const IExpModelTask& context, int32_t index, int parts,
                          const QelCodeList* fullLists, const QelCodeList* shortLists) {
  for (int q = 0; q < parts && index >= 0; ++q) {
    index = runData.ComputePart(&context, index, q, &fullLists[q], &shortLists[q]);
  }
  return index;
}

}  // namespace msfa

}  // namespace qel
