// Scoring a finished trial into the run data, and the rules that decide
// whether a trial is given again, replaced or interrupted (UI thread).
#include <algorithm>
#include <cstring>

#include "app/model/ExpModelTask.h"
#include "engine/run/RunMachine.h"
#include "include/qel/TaskEntry.h"
#include "include/qel/TaskHostInterface.h"
#include "include/qel/TaskLibraryInterface.h"
#include "include/qel/TaskRunDataInterface.h"
#include "include/qel/TrialCodes.h"

namespace qel {

int32_t CRunMachine::ResponseRule() const {
  if ((words_.TaskType & 0xFFFF) == 2) {
    if (responseCode_.load() == expected_) return target_ ? kCatHit : kCatCorrectRejection;
    return target_ ? kCatMiss : kCatFalseAlarm;
  }
  return target_ ? kCatHit : kCatFalseAlarm;
}

int32_t CRunMachine::NoResponseRule() const {
  if (responseRequired_) return kCatOmission;
  return target_ ? kCatMiss : kCatCorrectRejection;
}

void CRunMachine::ScoreResponse() {
  int32_t category = kCatNone;
  int32_t rt = 0;
  if (disposition_.load() == 6) {
    category = kCatSkipped;  // a break fell in this trial
  } else {
    switch (outcome_.load()) {
      case kOutcomeEarly: category = kCatAnticipation; break;
      case kOutcomeInWindow:
      case kOutcomeLate:
        rt = static_cast<int32_t>(responseTime_.load() - signalOnTime_.load());
        rtSum_ += rt;
        ++rtCount_;
        meanRt_ = static_cast<int32_t>(rtSum_ / rtCount_);
        category = outcome_.load() == kOutcomeInWindow ? ResponseRule() : NoResponseRule();
        break;
      case kOutcomeSkipped: category = kCatSkipped; break;
      case kOutcomePreset: category = presetCategory_.load(); break;
      default: category = NoResponseRule(); break;
    }
  }

  if ((words_.TaskFbk & 0xFFFF) != 0 && (category == kCatFalseAlarm || category == kCatMiss)) {
    feedbackState_.store(1);
  }
  if (category >= 0 && category <= kCatExcluded) ++categoryCounts_[category];

  int32_t disposition = disposition_.load();
  switch (category) {
    case kCatNone: disposition = 5; break;
    case kCatHit:
    case kCatCorrectRejection:
    case kCatFalseAlarm:
    case kCatMiss: disposition = 0; break;
    case kCatAnticipation: disposition = 1; break;
    case kCatOmission: disposition = 2; break;
    case kCatSkipped: disposition = ErrorOutcome(); break;
    default: break;  // 8: unchanged
  }

  // Nothing of the second list is stored.
  if (!secondPhase_.load()) {
    const int32_t code = responseCode_.load();
    const int32_t final = ClassifyResponse(category, code);
    if (final == kCatExcluded) {
      disposition = 0;
      category = kCatNone;
    }
    AppendRecord(category, rt, code, final);
  }
  disposition_.store(disposition);

  switch (disposition) {
    case 0:
      acRun_.store(0);
      omRun_.store(0);
      break;
    case 1:
      acRun_.store(acRun_.load() + 1);
      omRun_.store(0);
      break;
    case 2:
      acRun_.store(0);
      omRun_.store(omRun_.load() + 1);
      HandleErrorTrial(trialIndex_.load());
      break;
    default: break;
  }
}

int32_t CRunMachine::ClassifyResponse(int32_t category, int32_t code) {
  int32_t final = category;
  const ITaskLibrary* library = task_->library;
  if (!library || !library->CallTaskEntry(kCmdClassifyResponse, category, code, 0, &final)) return category;
  return final;
}

void CRunMachine::AppendRecord(int32_t category, int32_t rt, int32_t code, int32_t final) {
  const uint32_t n = responseCount_.load();
  // Records beyond the arrays are dropped (the part ends at the next trial).
  if (n >= static_cast<uint32_t>(kMaxResponses)) return;
  runData_->category[part_][n] = category;
  runData_->reactionTime[part_][n] = rt;
  runData_->responseCode[part_][n] = code;
  runData_->taskCategory[part_][n] = final;
  responseCount_.store(n + 1);
  host_->responseCount = n + 1;
}

void CRunMachine::RecordSkippedTrial() {
  if (!secondPhase_.load()) AppendRecord(kCatSkipped, 0, 0, kCatSkipped);
}

int32_t CRunMachine::ErrorOutcome() {
  int32_t disposition;
  switch (words_.TaskIntrContinue) {
    case 1: disposition = 7; break;  // switch to the second list
    case 2: disposition = 1; break;
    case 3: disposition = 2; break;
    default: disposition = 4; break;
  }
  acRun_.store(0);
  omRun_.store(0);
  return disposition;
}

bool CRunMachine::HandleErrorTrial(uint32_t i) {
  // Only codes that exist in the host's list are touched.
  const uint32_t count = std::min<uint32_t>(host_->trialCount, kMaxTrialCodes);
  const int offset = static_cast<int>(host_->codeOffset);
  switch (words_.TaskIntrReplaceTrial) {
    case 1: return i < count && QelSwapCodeHalves(host_->trialList[i], offset);
    case 2: return i < count && QelPermuteCodeQuarters(host_->trialList[i], false, offset);
    case 3: return SwapWithNextTrial(i);
    default: return false;
  }
}

bool CRunMachine::SwapWithNextTrial(uint32_t i) {
  const uint32_t count = std::min<uint32_t>(host_->trialCount, kMaxTrialCodes);
  if (i >= count || i + 1 >= count) return false;
  char held[kTrialCodeSize];
  std::memcpy(held, host_->trialList[i], kTrialCodeSize);
  std::memcpy(host_->trialList[i], host_->trialList[i + 1], kTrialCodeSize);
  std::memcpy(host_->trialList[i + 1], held, kTrialCodeSize);
  return true;
}

}  // namespace qel
