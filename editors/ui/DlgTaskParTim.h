// The Timing page: the timing model of a task (signal duration, valid
// response window, events interval, interval duration) with the plug-in's
// presets, the check of the values, a rich-text description and the time
// line drawn in a picture. A fault sets the task's timing-error flag
// whether or not the picture is drawn.
#pragma once

#include "editors/TimingRules.h"
#include "editors/ui/DlgTaskParPage.h"

class wxChoice;
class wxTextCtrl;

namespace qel {

class CRtfView;
class CStaticTaskParTim;

class CDlgTaskParTim : public CDlgTaskParPage {
 public:
  enum ControlId : int {
    kIdSdName = 1025,
    kIdSdLow = 1026,
    kIdSdHigh = 1027,
    kIdSdGroup = 1028,
    kIdSdValueLabel = 1029,
    kIdPreset = 1031,
    kIdPresetGroup = 1032,
    kIdVrLow = 1033,
    kIdVrHigh = 1035,
    kIdIntName = 1037,
    kIdIntGroup = 1038,
    kIdIntLow = 1039,
    kIdIntValueLabel = 1040,
    kIdIntHigh = 1041,
    kIdOnsetGroup = 1045,
    kIdEventsName = 1048,
    kIdDescription = 1226,
    kIdPicture = 1227,
    kIdNoTiming = 1228,  // the note shown for a task without a timing
  };

  CDlgTaskParTim(wxWindow* parent, const EditorServices& services);

  void UpdatePage() override;
  // The check and the picture's layout for a picture of that size (the
  // picture paints it); sets the task's timing-error flag and the description.
  TimingPicture DrawTiming(int width, int height);

  // The operator's actions (also driven by tests).
  void ChoosePreset(int index);
  void EditValue(TimingField field, int32_t value);
  bool HasTiming() const { return m_hasTiming; }
  std::string Description() const;
  std::vector<std::string> PresetCodes() const;
  int SelectedPreset() const;

 private:
  TimingInput Input() const;
  void OnEdit(int id);

  wxChoice* m_preset = nullptr;
  CRtfView* m_description = nullptr;
  CStaticTaskParTim* m_picture = nullptr;
  std::string m_descriptionLines;
  bool m_hasTiming = false;
  bool m_filling = false;
};

// The picture of the time line: it paints what its page lays out.
class CStaticTaskParTim : public wxWindow {
 public:
  CStaticTaskParTim(wxWindow* parent, int id, CDlgTaskParTim* owner);

 private:
  void OnPaint(wxPaintEvent& event);
  CDlgTaskParTim* m_owner;
};

}  // namespace qel
