#include "app/model/ExpModelTask.h"

#include <algorithm>
#include <cstring>

#include "app/model/ButtonMapping.h"
#include "app/model/ResponseCodeName.h"
#include "common/TextOrEmpty.h"
#include "include/qel/TaskEntry.h"

namespace qel {

namespace {

std::string FixedText(const char* field, size_t size) { return std::string(field, strnlen(field, size)); }

// Entry n (1-based) of a plug-in's name table of count entries.
std::string NameAt(const char* const* names, int count, int n) {
  if (!names || n < 1 || n > count) return std::string();
  return TextOrEmpty(names[n - 1]);
}

}  // namespace

CExpModelTask::CExpModelTask() {
  for (QelDateTime& d : partDates) d = QelDateTime::FromValue(0.0);
  Clear();
}

void CExpModelTask::Clear() {
  library = nullptr;
  currentPart = 0;
  currentAssessment = 1;
  reserved0 = 0;
  reserved1 = 0;
  ClearPartCounts();
  ClearAssessmentCounts();
  loaded = 0;
  modified = 0;
  m_editFlags = 0;
  TaskId = 0;
  TaskIdStr.clear();
  TaskName.clear();
  w = QelTaskWords{};
  std::fill(std::begin(TaskPartTrials), std::end(TaskPartTrials), 0u);
  std::fill(std::begin(TaskParam), std::end(TaskParam), 0u);
}

void CExpModelTask::SetFromModelTask(const QelModelTask* record) {
  Clear();
  if (!record) return;
  TaskId = record->TaskId;
  // The plug-in's fields need not be terminated: never read past them.
  TaskIdStr = FixedText(record->TaskIdStr, sizeof record->TaskIdStr);
  TaskName = FixedText(record->TaskName, sizeof record->TaskName);
  w = record->w;
  std::memcpy(TaskPartTrials, record->TaskPartTrials, sizeof TaskPartTrials);
  std::memcpy(TaskParam, record->TaskParam, sizeof TaskParam);
}

void CExpModelTask::SetVoiceKeyThreshold(uint8_t percent) {
  w.TaskSSS = (w.TaskSSS & ~kSssVoiceKeyMask) | (static_cast<uint32_t>(percent) << kSssVoiceKeyShift);
}

void CExpModelTask::ApplyKeysMapping(int hand) const {
  if (!library) return;
  ApplyButtonMapping(library->host, hand, (w.TaskFlags & kTaskFlagSwapKeys) != 0);
}

void CExpModelTask::ClearPartCounts() {
  std::fill(std::begin(partWordsA), std::end(partWordsA), 0u);
  std::fill(std::begin(trialCounts), std::end(trialCounts), 0u);
  std::fill(std::begin(partWordsB), std::end(partWordsB), 0u);
  for (QelDateTime& d : partDates) d = QelDateTime::Null();
}

void CExpModelTask::ClearAssessmentCounts() { std::fill(std::begin(assessmentCounts), std::end(assessmentCounts), 0u); }

// ---- parts and assessments -------------------------------------------------

int CExpModelTask::BoundPartCount() const {
  // The count comes from the plug-in: never beyond the 16 parts a slot holds.
  return library ? std::clamp<int>(library->partCount, 0, kMaxParts) : 0;
}

void CExpModelTask::ResetPart(bool allowSecond) {
  const bool second = allowSecond && (w.TaskFlags & kTaskFlagSecondPart) && BoundPartCount() > 1;
  currentPart = second ? 1 : 0;
  SelectNewAssessmentOfCurrentPart();
}

bool CExpModelTask::SelectPart(int n) {
  if (n < 1 || n > BoundPartCount()) return false;
  currentPart = n - 1;
  return true;
}

bool CExpModelTask::NextPart() {
  const int next = currentPart + 1;
  if (next < 0 || next >= BoundPartCount()) return false;
  currentPart = next;
  return true;
}

bool CExpModelTask::PreviousPart() {
  const int previous = currentPart - 1;
  if (previous < 0 || previous >= BoundPartCount()) return false;
  currentPart = previous;
  return true;
}

bool CExpModelTask::StepPart(int direction, bool forceNew) {
  bool moved;
  if (direction == -1) moved = NextPart();
  else if (direction == 1) moved = PreviousPart();
  else return false;
  if (!moved) return false;
  if (forceNew || currentAssessment > GetCurrentPartAssessmentCount() + 1) {
    SelectNewAssessmentOfCurrentPart();
  }
  return true;
}

uint32_t CExpModelTask::GetPartTrialCount(int n) const {
  if (n < 1 || n > BoundPartCount()) return 0;
  return trialCounts[n - 1];
}

uint32_t CExpModelTask::GetCurrentPartTrialCount() const { return GetPartTrialCount(currentPart + 1); }

bool CExpModelTask::SelectNewAssessment(int n) {
  if (n < 1 || n > BoundPartCount()) return false;
  currentAssessment = assessmentCounts[n - 1] + 1;
  return true;
}

bool CExpModelTask::SelectNewAssessmentOfCurrentPart() { return SelectNewAssessment(currentPart + 1); }

bool CExpModelTask::NextAssessment() {
  // Up to one past the stored assessments: a new one.
  if (currentAssessment > GetCurrentPartAssessmentCount()) return false;
  ++currentAssessment;
  return true;
}

bool CExpModelTask::PreviousAssessment() {
  if (currentAssessment <= 1) return false;
  --currentAssessment;
  return true;
}

bool CExpModelTask::StepAssessment(int direction) {
  if (direction == -1) return NextAssessment();
  if (direction == 1) return PreviousAssessment();
  return false;
}

uint32_t CExpModelTask::GetPartAssessmentCount(int n) const {
  if (n < 1 || n > BoundPartCount()) return 0;
  return assessmentCounts[n - 1];
}

uint32_t CExpModelTask::GetCurrentPartAssessmentCount() const { return GetPartAssessmentCount(currentPart + 1); }

// ---- virtual slots ---------------------------------------------------------

QelResModule CExpModelTask::UseLibraryResources() {
  if (!library || !library->resources) return nullptr;
  const QelResModule previous = g_qelCurrentResourceModule;
  g_qelCurrentResourceModule = library->resources;
  return previous;
}

bool CExpModelTask::IsLibraryLoaded() const { return library && library->loaded; }

int CExpModelTask::GetLibraryTaskWord() const { return library ? static_cast<int>(library->seriesLength) : 0; }

int CExpModelTask::GetPartTableEntry(bool second, int n) const {
  if (n < 1 || n > BoundPartCount()) return 0;
  // The plug-in publishes one word per part, part 1 first.
  return second ? library->partWordsB[n - 1] : library->partWordsA[n - 1];
}

int CExpModelTask::GetThirdPartTableEntry(bool flag, int n) const {
  if (flag || n < 1 || n > BoundPartCount()) return -1;
  return library->normTrialCounts[n - 1];
}

uint32_t CExpModelTask::GetPartTrials(int n) const {
  if (n < 1 || n > BoundPartCount()) return 0;
  return TaskPartTrials[n - 1];
}

uint32_t CExpModelTask::GetCurrentPartTrials() const {
  if (currentPart < 0 || currentPart >= kMaxParts) return 0;
  return TaskPartTrials[currentPart];
}

// ---- library views ---------------------------------------------------------

const QelTaskDescription* CExpModelTask::GetTaskDescription() const {
  return library ? library->taskDescription : nullptr;
}

int CExpModelTask::GetCodeRowCount() const {
  const QelTaskDescription* d = GetTaskDescription();
  return d ? static_cast<int>(d->codeRowCount) : 0;
}

int CExpModelTask::FindCodeRow(int column, uint32_t value) const {
  return library ? library->FindCodeRow(column, value) : -1;
}

std::string CExpModelTask::GetTaskInstruction() const { return library ? library->texts[0] : std::string(); }
std::string CExpModelTask::GetPartInstruction() const { return library ? library->texts[1] : std::string(); }
std::string CExpModelTask::GetParametersHelp() const { return library ? library->texts[2] : std::string(); }
std::string CExpModelTask::GetFeedbackText() const { return library ? library->texts[3] : std::string(); }

int CExpModelTask::GetVersionCount() const { return library ? library->versionCount : 0; }

std::string CExpModelTask::GetVersionName(int n) const {
  return library ? NameAt(library->versionNames, library->versionCount, n) : std::string();
}

int CExpModelTask::GetPartCount() const { return BoundPartCount(); }

std::string CExpModelTask::GetPartName(int n) const {
  return library ? NameAt(library->partNames, BoundPartCount(), n) : std::string();
}

std::string CExpModelTask::GetCurrentPartName() const { return GetPartName(currentPart + 1); }

int CExpModelTask::GetScoreVariableCount() const {
  return library ? static_cast<int>(std::min<uint32_t>(library->scoreVariableCount, INT32_MAX)) : 0;
}

const TaskVariableDef* CExpModelTask::GetScoreVariableTable() const {
  return library ? library->scoreVariables : nullptr;
}

const TaskVariableDef* CExpModelTask::GetScoreVariable(int i) const {
  const TaskVariableDef* table = GetScoreVariableTable();
  if (!table || i < 0 || i >= GetScoreVariableCount()) return nullptr;
  return &table[i];
}

std::string CExpModelTask::GetScoreVariableName(int i) const {
  const TaskVariableDef* row = GetScoreVariable(i);
  return row ? TextOrEmpty(row->code) : std::string();
}

std::string CExpModelTask::GetScoreVariableGroup(int i) const {
  const TaskVariableDef* row = GetScoreVariable(i);
  return row ? TextOrEmpty(row->group) : std::string();
}

std::string CExpModelTask::GetScoreVariableLabel(int i) const {
  const TaskVariableDef* row = GetScoreVariable(i);
  return row ? TextOrEmpty(row->description) : std::string();
}

uint32_t CExpModelTask::GetScoreVariableAttr(int i) const {
  const TaskVariableDef* row = GetScoreVariable(i);
  return row ? row->flags : 0;
}

std::string CExpModelTask::GetScoreVariableFormat(int i, bool forceTwoDecimals) const {
  const TaskVariableDef* row = GetScoreVariable(i);
  if (!row) return std::string();
  const int type = row->VariableType();
  if (forceTwoDecimals && (type == kVarTypeCount || type == kVarTypeFalseAlarm || type == kVarTypeMiss)) return "%.2f";
  return TextOrEmpty(row->format);
}

int CExpModelTask::GetScoreVariableCode(int i, bool withVariant) const {
  return GetVariableTypeCode(GetScoreVariable(i), withVariant);
}

int CExpModelTask::GetScoreVariableColumn(int i, bool allowVariant, bool excludeAlt) const {
  const TaskVariableDef* row = GetScoreVariable(i);
  return row ? row->GetColumn(allowVariant, excludeAlt) : 0;
}

bool CExpModelTask::GetVariableValue(int n, double* out, double value, double age, int kind, bool floor) const {
  if (out) *out = kNoValue;
  if (!library || !out) return false;
  return library->GetVariableValue(n, out, value, age, kind, floor);
}

bool CExpModelTask::UsesSdFloor(int i) const { return library && library->UsesSdFloor(i); }

int CExpModelTask::GetZVariableCount() const {
  if (!library || !library->normVariables) return 0;
  return static_cast<int>(std::min<uint32_t>(library->normVariableCount, INT32_MAX));
}

const TaskNormVariable* CExpModelTask::FindZVariable(int i, int* position) const {
  if (position) *position = 0;
  if (i < 0 || i >= GetScoreVariableCount()) return nullptr;
  const int count = GetZVariableCount();
  for (int k = 0; k < count; ++k) {
    const TaskNormVariable& entry = library->normVariables[k];
    if (entry.id == i) {
      if (position) *position = k;
      return &entry;
    }
  }
  return nullptr;
}

bool CExpModelTask::HasZScore(int i) const {
  const TaskNormVariable* e = FindZVariable(i);
  return e && (e->name || e->getter);
}

bool CExpModelTask::HasZName(int i) const {
  const TaskNormVariable* e = FindZVariable(i);
  return e && e->name;
}

bool CExpModelTask::IsZVariableFlagged(int i) const {
  const TaskNormVariable* e = FindZVariable(i);
  return e && (e->flags & kNormSummary);
}

int CExpModelTask::GetZSourceIndex(int i) const {
  const TaskNormVariable* e = FindZVariable(i);
  return e ? e->source : 0;
}

int CExpModelTask::GetScoreItemCount() const { return library && library->captions ? library->captionCount : 0; }
const char* const* CExpModelTask::GetScoreItemNames() const { return library ? library->captions : nullptr; }
int CExpModelTask::GetScoreItemCount2() const { return library && library->captions2 ? library->captionCount2 : 0; }
const char* const* CExpModelTask::GetScoreItemNames2() const { return library ? library->captions2 : nullptr; }

IQelTaskPage* CExpModelTask::GetPluginObject() const { return library ? library->page : nullptr; }

uint32_t CExpModelTask::GetSecondListCount() const { return library ? library->secondListCount : 0; }

std::string CExpModelTask::GetTrialListText() const { return library ? library->runText : std::string(); }

std::string CExpModelTask::GetResponseCodeText(uint32_t code, bool common) const {
  if (common && code < 9) return GetResponseCodeName(code);
  if (library) return library->GetCodeName(code);
  return std::to_string(code);
}

// ---- plug-in commands ------------------------------------------------------

bool CExpModelTask::Send(uint32_t command, intptr_t a, intptr_t b, intptr_t c) const {
  if (!library) return false;
  // A plug-in may write a result even where none is asked for: give it room.
  int32_t scratch = 0;
  return library->CallTaskEntry(command, a, b, c, &scratch);
}

int32_t CExpModelTask::Ask(uint32_t command, intptr_t a, intptr_t b, intptr_t c) const {
  if (!library) return 0;
  int32_t result = 0;
  return library->CallTaskEntry(command, a, b, c, &result) ? result : 0;
}

static intptr_t Arg(const void* p) { return reinterpret_cast<intptr_t>(p); }

bool CExpModelTask::PrepareRun(ITaskRunData* runData) {
  return Send(kCmdSetupRun, Arg(static_cast<IExpModelTask*>(this)), Arg(runData));
}
bool CExpModelTask::RunSignals(ITaskRunData* runData) { return Send(kCmdDemonstrate, Arg(runData)); }
bool CExpModelTask::RunWholeTask(ITaskRunData* runData) { return Send(kCmdRunSelfTimed, Arg(runData)); }
bool CExpModelTask::StartPart(ITaskRunData* runData) { return Send(kCmdBeginRun, Arg(runData)); }
bool CExpModelTask::EndPart() { return Send(kCmdEndRun); }
bool CExpModelTask::ShowWarning() { return Send(kCmdShowWarning); }
bool CExpModelTask::ShowFeedback() { return Send(kCmdFeedbackOn); }
bool CExpModelTask::HideFeedback() { return Send(kCmdFeedbackOff); }

bool CExpModelTask::PreparePreview(IDDDisplay* display, int flag) {
  return Send(kCmdPrepareScreen, Arg(display), flag > 0 ? 1 : 0);
}

bool CExpModelTask::DrawPreview(intptr_t a, intptr_t b, intptr_t c) { return Send(kCmdDrawToSurface, a, b, c); }
bool CExpModelTask::ShowSignal(intptr_t a, intptr_t b, intptr_t c) { return Send(kCmdShowSignal, a, b, c); }
bool CExpModelTask::HideSignal(int32_t code) { return Send(kCmdHideSignal, code); }
int32_t CExpModelTask::OnBreak() { return Ask(kCmdBreakBegin); }
int32_t CExpModelTask::GetResumeDelay() { return Ask(kCmdBreakEnd); }

int32_t CExpModelTask::GetStartDelay() {
  if (!library) return kDefaultStartDelay;
  int32_t delay = kDefaultStartDelay;
  return library->CallTaskEntry(kCmdWarningInterval, 0, 0, 0, &delay) ? delay : 0;
}

int32_t CExpModelTask::PollResponse() { return Ask(kCmdGetResponse); }
int32_t CExpModelTask::IsTrialEnded() { return Ask(kCmdIsTrialEnded); }
int32_t CExpModelTask::OnResponse(intptr_t a, intptr_t b) { return Ask(kCmdOnResponse, a, b); }
int32_t CExpModelTask::OnResponseTimeout() { return Ask(kCmdOnNoResponse); }
int32_t CExpModelTask::OnResponseRelease() { return Ask(kCmdOnResponseRelease); }
int32_t CExpModelTask::GetExtraResponseCount() { return Ask(kCmdExtraResponseCount); }
bool CExpModelTask::IsTargetTrial(const char* trialCode) { return Send(kCmdSetTrial, Arg(trialCode)); }
int32_t CExpModelTask::GetExpectedResponse(const char* trialCode) { return Ask(kCmdCorrectResponse, Arg(trialCode)); }

}  // namespace qel
