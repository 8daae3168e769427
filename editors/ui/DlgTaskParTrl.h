// The Trials page: for the task's current part, the plug-in's TEST,
// PRACTICE and dummy trial lists, the number of trials with a step through
// the plug-in's allowed counts, the target, the interruption rules, the
// signal scale, and a preview of the selected trial that the plug-in draws
// on the page's own windowed display.
#pragma once

#include <memory>

#include "editors/ui/DlgTaskParPage.h"

class wxSlider;
class wxSpinButton;

namespace qel {

class CDDDisplay;
class CListCtrlQel;
class CQelNotifyEvent;

class CDlgTaskParTrl : public CDlgTaskParPage {
 public:
  enum ControlId : int {
    kIdInterruptionLabel = 1046,
    kIdTrials = 1047,
    kIdTrialsSpin = 1048,
    kIdInterruptionLimit = 1049,
    kIdTestList = 1121,
    kIdTestLabel = 1122,
    kIdPracticeList = 1123,
    kIdPracticeLabel = 1124,
    kIdTestLength = 1125,
    kIdPracticeLength = 1126,
    kIdPreview = 1131,
    kIdScale = 1201,
    kIdScaleText = 1202,
    kIdTarget = 1203,
    kIdZTrials = 1204,
    kIdContinuationLabel = 1272,
    kIdContinuation = 1273,
    kIdReplacementLabel = 1276,
    kIdReplacement = 1277,
    kIdDummyList = 1279,
    kIdDummyLength = 1280,
    kIdDummyLabel = 1281,
    kIdBeforeGroup = 1344,
    kIdAfterGroup = 1345,
    kIdTrialsGroup = 1346,
    kIdTargetGroup = 1347,
    kIdZGroup = 1348,
  };
  // The lists' row-selected codes.
  enum ListCode : int { kCodePractice = 1, kCodeTest = 2, kCodeDummy = 3 };
  enum Source : int { kSourcePractice = 0, kSourceTest = 1, kSourceDummy = 2 };

  CDlgTaskParTrl(wxWindow* parent, const EditorServices& services);
  ~CDlgTaskParTrl() override;

  void UpdateControls() override;
  void UpdatePage() override;
  void DrawPreview(int flag);

  // The operator's actions (also driven by tests).
  void SelectForPreview(int source, int row);
  void StepTrials(int delta);
  void MoveScale(int scrollCode, int sliderPosition);
  uint32_t ShownTrials() const { return m_trials; }
  bool HasPreviewDisplay() const { return m_displayAttached; }
  const char* PreviewedCode() const { return m_previewed; }
  CListCtrlQel& List(int source) const;

 private:
  void FitPreviewWindow();
  void FillTrialLists();
  void FillTrialListsOnce();
  void FillList(CListCtrlQel& list, const char (*codes)[17], uint32_t count);
  void RestorePreviewSelection();
  // The preview selections; the update request is not taken here.
  void OnPageNotify(CQelNotifyEvent& event) override;
  // The run engine's current trial list: the previewed list with the
  // previewed row as its index, or none.
  void PublishTrialList(const char (*codes)[17], uint32_t count, int row);
  void Refocus(int source);
  const char (*Codes(int source, uint32_t* count) const)[17];

  CListCtrlQel* m_lists[3] = {};
  int m_rows[3] = {0, 0, 0};  // remembered 1-based rows, 0 none
  int m_source = kSourcePractice;
  bool m_practicePreview = true;
  wxWindow* m_preview = nullptr;
  wxSpinButton* m_trialsSpin = nullptr;
  wxSlider* m_scale = nullptr;
  uint32_t m_trials = 0;
  int m_scaleStep = 20;
  std::unique_ptr<CDDDisplay> m_display;
  bool m_displayAttached = false;
  const char* m_previewed = nullptr;
};

}  // namespace qel
