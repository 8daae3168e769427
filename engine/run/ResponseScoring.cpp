// Scoring a finished trial into the run data, and the rules that decide
// whether a trial is given again, replaced or interrupted (UI thread).
#include <algorithm>
#include <cstring>

#include "app/model/ExpModelTask.h"
#include "engine/run/RunMachine.h"
#include "engine/run/RunTimes.h"
#include "include/qel/TaskEntry.h"
#include "include/qel/TaskHostInterface.h"
#include "include/qel/TaskLibraryInterface.h"
#include "include/qel/TaskRunDataInterface.h"
#include "include/qel/TrialCodes.h"

namespace qel {

int32_t CRunMachine::ResponseRule() const {
  if (ResponseTypeOf(m_words.TaskType) == kResponseTwoChoice) {
    if (m_responseCode.load() == m_expected) return m_target ? kCatHit : kCatCorrectRejection;
    return m_target ? kCatMiss : kCatFalseAlarm;
  }
  return m_target ? kCatHit : kCatFalseAlarm;
}

int32_t CRunMachine::NoResponseRule() const {
  if (m_responseRequired) return kCatOmission;
  return m_target ? kCatMiss : kCatCorrectRejection;
}

void CRunMachine::ScoreResponse() {
  int32_t category = kCatNone;
  int32_t rt = 0;
  if (m_disposition.load() == Disposition::kBreak) {
    category = kCatSkipped;  // a break fell in this trial
  } else {
    switch (m_outcome.load()) {
      case Outcome::kEarly:
        category = kCatAnticipation;
        break;
      case Outcome::kInWindow:
      case Outcome::kLate:
        rt = RoundedMs(m_responseNs.load() - m_signalOnNs.load());
        m_rtSum += rt;
        ++m_rtCount;
        m_meanRt = static_cast<int32_t>(m_rtSum / m_rtCount);
        category = m_outcome.load() == Outcome::kInWindow ? ResponseRule() : NoResponseRule();
        break;
      case Outcome::kSkipped:
        category = kCatSkipped;
        break;
      case Outcome::kPreset:
        category = m_presetCategory.load();
        break;
      default:
        category = NoResponseRule();
        break;
    }
  }

  if (FeedbackTypeOf(m_words.TaskFbk) != kFeedbackNone && (category == kCatFalseAlarm || category == kCatMiss)) {
    m_feedbackState.store(FeedbackState::kRequested);
  }
  if (category >= 0 && category <= kCatExcluded) ++m_categoryCounts[category];

  Disposition disposition = m_disposition.load();
  switch (category) {
    case kCatNone:
      disposition = Disposition::kUnclassified;
      break;
    case kCatHit:
    case kCatCorrectRejection:
    case kCatFalseAlarm:
    case kCatMiss:
      disposition = Disposition::kCounted;
      break;
    case kCatAnticipation:
      disposition = Disposition::kAnticipation;
      break;
    case kCatOmission:
      disposition = Disposition::kOmission;
      break;
    case kCatSkipped:
      disposition = ErrorOutcome();
      break;
    default:
      break;  // excluded: unchanged
  }

  // Nothing of the second list is stored.
  if (!m_secondPhase.load()) {
    const int32_t code = m_responseCode.load();
    const int32_t final = ClassifyResponse(category, code);
    if (final == kCatExcluded) {
      disposition = Disposition::kCounted;
      category = kCatNone;
    }
    AppendRecord(category, rt, code, final);
  }
  m_disposition.store(disposition);

  switch (disposition) {
    case Disposition::kCounted:
      m_acRun.store(0);
      m_omRun.store(0);
      break;
    case Disposition::kAnticipation:
      m_acRun.store(m_acRun.load() + 1);
      m_omRun.store(0);
      break;
    case Disposition::kOmission:
      m_acRun.store(0);
      m_omRun.store(m_omRun.load() + 1);
      HandleErrorTrial(m_trialIndex.load());
      break;
    default:
      break;
  }
}

int32_t CRunMachine::ClassifyResponse(int32_t category, int32_t code) {
  int32_t final = category;
  const ITaskLibrary* library = m_task->library;
  if (!library || !library->CallTaskEntry(kCmdClassifyResponse, category, code, 0, &final)) return category;
  return final;
}

void CRunMachine::AppendRecord(int32_t category, int32_t rt, int32_t code, int32_t final) {
  const uint32_t n = m_responseCount.load();
  // Records beyond the arrays are dropped (the part ends at the next trial).
  if (n >= static_cast<uint32_t>(kMaxResponses)) return;
  m_runData->category[m_part][n] = category;
  m_runData->reactionTime[m_part][n] = rt;
  m_runData->responseCode[m_part][n] = code;
  m_runData->taskCategory[m_part][n] = final;
  m_responseCount.store(n + 1);
  m_host->responseCount = n + 1;
}

void CRunMachine::RecordSkippedTrial() {
  if (!m_secondPhase.load()) AppendRecord(kCatSkipped, 0, 0, kCatSkipped);
}

CRunMachine::Disposition CRunMachine::ErrorOutcome() {
  Disposition disposition;
  switch (m_words.TaskIntrContinue) {
    case kContinueDummyTrials:
      disposition = Disposition::kSecondList;
      break;
    case kContinueRepeatTrial:
      disposition = Disposition::kAnticipation;
      break;
    case kContinueReplaceTrial:
      disposition = Disposition::kOmission;
      break;
    default:
      disposition = Disposition::kRepeat;
      break;
  }
  m_acRun.store(0);
  m_omRun.store(0);
  return disposition;
}

bool CRunMachine::HandleErrorTrial(uint32_t i) {
  // Only codes that exist in the host's list are touched.
  const uint32_t count = std::min<uint32_t>(m_host->trialCount, kMaxTrialCodes);
  const int offset = static_cast<int>(m_host->codeOffset);
  switch (m_words.TaskIntrReplaceTrial) {
    case kReplaceRotateHorizontally:
      return i < count && QelSwapCodeHalves(m_host->trialList[i], offset);
    case kReplaceRotateDiagonally:
      return i < count && QelPermuteCodeQuarters(m_host->trialList[i], false, offset);
    case kReplaceSwapNext:
      return SwapWithNextTrial(i);
    default:
      return false;
  }
}

bool CRunMachine::SwapWithNextTrial(uint32_t i) {
  const uint32_t count = std::min<uint32_t>(m_host->trialCount, kMaxTrialCodes);
  if (i >= count || i + 1 >= count) return false;
  char held[kTrialCodeSize];
  std::memcpy(held, m_host->trialList[i], kTrialCodeSize);
  std::memcpy(m_host->trialList[i], m_host->trialList[i + 1], kTrialCodeSize);
  std::memcpy(m_host->trialList[i + 1], held, kTrialCodeSize);
  return true;
}

}  // namespace qel
