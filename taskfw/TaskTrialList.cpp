// Publishing the trial list of a run into the host.
#include <cstring>

#include "taskfw/TaskBase.h"

namespace qel {

void CTaskBase::PublishTrialList() {
  if (!m_host) return;

  const char(*list)[kTrialCodeSize] = nullptr;
  uint32_t listCount = 0;
  uint32_t slots = 0;
  const char(*second)[kTrialCodeSize] = nullptr;
  uint32_t secondCount = 0;
  if (m_record) {
    second = m_record->secondList;
    secondCount = m_record->secondListCount;
    if (m_practice) {
      list = m_record->practiceTrialList;
      listCount = m_record->practiceTrialCount;
      slots = listCount;
    } else {
      list = m_record->testTrialList;
      listCount = m_record->testTrialCount;
      slots = m_runContext ? m_runContext->GetCurrentPartTrials() + m_record->answerWord : 0;
    }
  }
  m_trialList = list;
  m_trialCount = listCount;

  if (listCount != 0 && list) {
    const uint32_t limit = static_cast<uint32_t>(kMaxTrialCodes);
    if (listCount > limit) listCount = limit;
    if (slots > limit) slots = limit;
    // The list repeats from its first code until every slot is filled.
    for (uint32_t i = 0; i < slots; ++i) {
      std::memcpy(m_host->trialList[i], list[i % listCount], kTrialCodeSize);
    }
  }
  m_host->trialCount = slots;
  m_host->secondCount = secondCount;
  m_host->secondList = second;
}

}  // namespace qel
