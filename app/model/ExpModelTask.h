// One task slot of an experiment model: the model-task record's fields, the
// run-time state (current part and assessment, per-part counts and dates),
// the bound plug-in library and the wrappers of the plug-in commands.
#pragma once

#include <cstdint>
#include <string>

#include "include/qel/ExpModelTaskInterface.h"
#include "include/qel/TaskLibraryInterface.h"
#include "include/qel/TaskTables.h"

namespace qel {

class IDDDisplay;
class ITaskHost;
class ITaskRunData;

class CExpModelTask : public IExpModelTask {
 public:
  CExpModelTask();
  CExpModelTask(const CExpModelTask& other) = default;
  CExpModelTask& operator=(const CExpModelTask& other) = default;
  virtual ~CExpModelTask() = default;

  // State and record.
  void Clear();
  void SetFromModelTask(const QelModelTask* record);
  void SetVoiceKeyThreshold(uint8_t percent);
  void ApplyKeysMapping(int hand) const;
  void ClearPartCounts();
  void ClearAssessmentCounts();

  // Parts and assessments (n is a 1-based part number).
  void ResetPart(bool allowSecond);
  bool SelectPart(int n);
  bool NextPart();
  bool PreviousPart();
  bool StepPart(int direction, bool forceNew);
  uint32_t GetPartTrialCount(int n) const;
  uint32_t GetCurrentPartTrialCount() const;
  bool SelectNewAssessment(int n);
  bool SelectNewAssessmentOfCurrentPart();
  bool NextAssessment();
  bool PreviousAssessment();
  bool StepAssessment(int direction);
  uint32_t GetPartAssessmentCount(int n) const;
  uint32_t GetCurrentPartAssessmentCount() const;

  // Virtual slots.
  QelResModule UseLibraryResources() override;                  // 0
  bool IsLibraryLoaded() const override;                        // 1
  int GetLibraryTaskWord() const override;                      // 2
  int GetPartTableEntry(bool second, int n) const override;     // 3
  int GetThirdPartTableEntry(bool flag, int n) const override;  // 4
  uint32_t GetPartTrials(int n) const override;                 // 5
  uint32_t GetCurrentPartTrials() const override;               // 6

  // Views of the bound plug-in library; each gives its empty value when unbound.
  const QelTaskDescription* GetTaskDescription() const;
  int GetCodeRowCount() const;
  int FindCodeRow(int column, uint32_t value) const;
  std::string GetTaskInstruction() const;
  std::string GetPartInstruction() const;
  std::string GetParametersHelp() const;
  std::string GetFeedbackText() const;
  int GetVersionCount() const;
  std::string GetVersionName(int n) const;
  int GetPartCount() const;
  std::string GetPartName(int n) const;
  std::string GetCurrentPartName() const;
  int GetScoreVariableCount() const;
  const TaskVariableDef* GetScoreVariableTable() const;
  const TaskVariableDef* GetScoreVariable(int i) const;
  std::string GetScoreVariableName(int i) const;
  std::string GetScoreVariableGroup(int i) const;
  std::string GetScoreVariableLabel(int i) const;
  uint32_t GetScoreVariableAttr(int i) const;
  std::string GetScoreVariableFormat(int i, bool forceTwoDecimals) const;
  int GetScoreVariableCode(int i, bool withVariant) const;
  int GetScoreVariableColumn(int i, bool allowVariant, bool excludeAlt) const;
  bool GetVariableValue(int n, double* out, double value, double age, int kind, bool floor) const;
  bool UsesSdFloor(int i) const;
  int GetZVariableCount() const;
  const TaskNormVariable* FindZVariable(int i, int* position = nullptr) const;
  bool HasZScore(int i) const;
  bool HasZName(int i) const;
  bool IsZVariableFlagged(int i) const;
  int GetZSourceIndex(int i) const;
  int GetScoreItemCount() const;
  const char* const* GetScoreItemNames() const;
  int GetScoreItemCount2() const;
  const char* const* GetScoreItemNames2() const;
  IQelTaskPage* GetPluginObject() const;
  uint32_t GetSecondListCount() const;
  std::string GetTrialListText() const;
  std::string GetResponseCodeText(uint32_t code, bool common) const;

  // Plug-in commands: false or 0 without a bound library (nothing sent).
  // Commands with a result return it when the plug-in answers true, else 0.
  bool PrepareRun(ITaskRunData* runData);                // kCmdSetupRun
  bool RunSignals(ITaskRunData* runData);                // kCmdDemonstrate
  bool RunWholeTask(ITaskRunData* runData);              // kCmdRunSelfTimed
  bool StartPart(ITaskRunData* runData);                 // kCmdBeginRun
  bool EndPart();                                        // kCmdEndRun
  bool ShowWarning();                                    // kCmdShowWarning
  bool ShowFeedback();                                   // kCmdFeedbackOn
  bool HideFeedback();                                   // kCmdFeedbackOff
  bool PreparePreview(IDDDisplay* display, int flag);    // kCmdPrepareScreen
  bool DrawPreview(intptr_t a, intptr_t b, intptr_t c);  // kCmdDrawToSurface
  bool ShowSignal(intptr_t a, intptr_t b, intptr_t c);   // kCmdShowSignal
  bool HideSignal(int32_t code);                         // kCmdHideSignal
  int32_t OnBreak();                                     // kCmdBreakBegin
  int32_t GetResumeDelay();                              // kCmdBreakEnd
  int32_t GetStartDelay();                               // kCmdWarningInterval: 500 when unbound
  int32_t PollResponse();                                // kCmdGetResponse
  int32_t IsTrialEnded();                                // kCmdIsTrialEnded
  int32_t OnResponse(intptr_t a, intptr_t b);            // kCmdOnResponse
  int32_t OnResponseTimeout();                           // kCmdOnNoResponse
  int32_t OnResponseRelease();                           // kCmdOnResponseRelease
  int32_t GetExtraResponseCount();                       // kCmdExtraResponseCount
  bool IsTargetTrial(const char* trialCode);             // kCmdSetTrial
  int32_t GetExpectedResponse(const char* trialCode);    // kCmdCorrectResponse

  // The start delay a plug-in presets and the one used without a plug-in.
  static constexpr int32_t kDefaultStartDelay = 500;

  // The editors' flags of the slot (not stored in model files).
  static constexpr uint32_t kEditTimingError = 1;  // the Timing page found inconsistent values
  uint32_t m_editFlags = 0;
  bool HasTimingError() const { return (m_editFlags & kEditTimingError) != 0; }
  void SetTimingError(bool error) {
    m_editFlags = error ? (m_editFlags | kEditTimingError) : (m_editFlags & ~kEditTimingError);
  }

 private:
  int BoundPartCount() const;
  bool Send(uint32_t command, intptr_t a = 0, intptr_t b = 0, intptr_t c = 0) const;
  int32_t Ask(uint32_t command, intptr_t a = 0, intptr_t b = 0, intptr_t c = 0) const;
};

// The caption code of a score-variable row: type (0 above 12) x 3 + 17; with
// the variant, +1 for an extended row or else +2 for a Z row.
inline int GetVariableTypeCode(const TaskVariableDef* row, bool variant) {
  return row ? row->GetCaptionCode(variant) : 0;
}

}  // namespace qel
