#include "scores/ResponseSequence.h"

#include <algorithm>
#include <limits>

#include "include/qel/ExpModelTaskInterface.h"
#include "include/qel/TaskRunDataInterface.h"

namespace qel {

namespace {

constexpr int kMsPerSecond = 1000;
constexpr int kAllowParameter = 1;   // task parameter: overlap allowed in part 3, percent
constexpr int kDemandParameter = 2;  // task parameter: overlap demanded in part 4, percent
constexpr uint32_t kChannels[2] = {CIntervalList::kLeftChannel, CIntervalList::kRightChannel};

}  // namespace

CResponseSequence::CResponseSequence(const IExpModelTask* task, const ITaskRunData* runData)
    : m_task(task), m_runData(runData) {
  if (m_task && m_runData) {
    uint32_t first = std::numeric_limits<uint32_t>::max();
    bool all = true;
    for (int p = 0; p < kSequenceParts; ++p) {
      if (m_task->trialCounts[p] < 1) all = false;
      first = std::min(first, static_cast<uint32_t>(m_runData->reactionTime[p][0]));
    }
    m_firstTap = all ? static_cast<int>(first) : 0;
  }
  Recompute(false);
}

void CResponseSequence::Recompute(bool useCriteria) {
  for (int p = 0; p < kSequenceParts; ++p) {
    int n = 0;
    if (m_task && m_runData) n = static_cast<int>(std::min<uint32_t>(m_task->trialCounts[p], kMaxResponses));
    for (int k = 0; k < 2; ++k) {
      m_keys[static_cast<size_t>(p)][static_cast<size_t>(k)].Build(
          n, m_runData ? m_runData->category[p] : nullptr, m_runData ? m_runData->reactionTime[p] : nullptr,
          kChannels[k]);
    }
  }
  // One-hand parts: part 1 counts only the left hand, part 2 only the right.
  int32_t unimanual = 0;
  for (int p = 0; p < 2; ++p)
    for (int k = 0; k < 2; ++k) unimanual = std::max(unimanual, Key(p, k).GetTime());
  m_keys[0][1].ClearInSpan(0, unimanual);
  m_keys[1][0].ClearInSpan(0, unimanual);
  m_valid[0] = std::max(0, Key(0, 0).GetCount() - 1);
  m_valid[1] = std::max(0, Key(1, 1).GetCount() - 1);
  RebuildBimanual(useCriteria);
  m_totalLength = 0;
  for (int p = 0; p < kSequenceParts; ++p)
    for (int k = 0; k < 2; ++k) m_totalLength = std::max(m_totalLength, static_cast<int>(Key(p, k).GetTime()));
  m_maximum = std::min(kSequenceMaxSeconds, (m_totalLength + kMsPerSecond - 1) / kMsPerSecond);
  m_to = m_maximum;
  m_from = std::min(m_from, std::max(0, m_to - 1));
}

void CResponseSequence::RebuildBimanual(bool useCriteria) {
  m_allow = useCriteria && m_task ? static_cast<int>(m_task->TaskParam[kAllowParameter]) : 0;
  m_demand = useCriteria && m_task ? static_cast<int>(m_task->TaskParam[kDemandParameter]) : 0;
  for (int p = 2; p < kSequenceParts; ++p) {
    int n = 0;
    if (m_task && m_runData) n = static_cast<int>(std::min<uint32_t>(m_task->trialCounts[p], kMaxResponses));
    for (int k = 0; k < 2; ++k) {
      m_keys[static_cast<size_t>(p)][static_cast<size_t>(k)].Build(
          n, m_runData ? m_runData->category[p] : nullptr, m_runData ? m_runData->reactionTime[p] : nullptr,
          kChannels[k]);
    }
  }
  m_alternating.BuildAlternating(m_keys[2][0], m_keys[2][1], m_allow);
  m_simultaneous.BuildSimultaneous(m_keys[3][0], m_keys[3][1], m_demand);
  m_valid[2] = std::max(0, m_alternating.GetCount() - 1);
  m_valid[3] = std::max(0, m_simultaneous.GetCount() - 1);
}

const CIntervalList& CResponseSequence::Band(int part) const {
  switch (part) {
    case 0:
      return Key(0, 0);
    case 1:
      return Key(1, 1);
    case 2:
      return m_alternating;
    default:
      return m_simultaneous;
  }
}

std::string CResponseSequence::Title() const {
  return "Total length = " + std::to_string(m_totalLength) + "ms, First tap = " + std::to_string(m_firstTap) + "ms";
}

bool CResponseSequence::StepFrom(int step) {
  if (step == -1 && m_from + 1 < m_to) {
    ++m_from;
    return true;
  }
  if (step == 1 && m_from >= 1) {
    --m_from;
    return true;
  }
  return false;
}

bool CResponseSequence::StepTo(int step) {
  if (step == -1 && m_to < m_maximum) {
    ++m_to;
    return true;
  }
  if (step == 1 && m_to > m_from + 1) {
    --m_to;
    return true;
  }
  return false;
}

int SequenceX(int32_t t, int left, int width, int fromSeconds, int toSeconds) {
  const int64_t span = static_cast<int64_t>(toSeconds - fromSeconds) * kMsPerSecond;
  if (span <= 0) return left;  // no time scale: everything at the left edge
  const int64_t t0 = static_cast<int64_t>(fromSeconds) * kMsPerSecond;
  return left + static_cast<int>((static_cast<int64_t>(t) - t0) * width / span);
}

}  // namespace qel
