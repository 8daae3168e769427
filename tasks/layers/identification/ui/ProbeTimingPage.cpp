#include "tasks/layers/identification/ui/ProbeTimingPage.h"

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "tasks/layers/identification/TaskIdentification.h"

namespace qel {

namespace {

template <typename T>
T* Find(wxWindow* panel, int id) {
  return panel ? dynamic_cast<T*>(panel->FindWindow(id)) : nullptr;
}

struct DurationEdit {
  int id;
  int word;
  const char* caption;
};

constexpr DurationEdit kDurations[] = {
    {CTaskPageProbeTiming::kIdProbeDuration, kParamProbeDuration, "Probe duration, ms"},
    {CTaskPageProbeTiming::kIdPostProbe, kParamPostProbe, "Post probe interval, ms"},
    {CTaskPageProbeTiming::kIdProbeStimulus, kParamProbeStimulus, "Probe-stimul interval, ms"},
};

// The number an edit holds; false unless it is digits only and fits 32 bits.
bool ReadNumber(const wxString& text, uint32_t* value) {
  unsigned long number = 0;
  if (text.empty() || !text.IsNumber() || text.Find('-') != wxNOT_FOUND || text.Find('+') != wxNOT_FOUND ||
      !text.ToULong(&number) || number > 0xFFFFFFFFul) {
    return false;
  }
  *value = static_cast<uint32_t>(number);
  return true;
}

}  // namespace

bool CTaskPageProbeTiming::BuildControls(wxWindow* panel, int templateId) {
  if (templateId != kTemplate) return false;
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* modes = new wxStaticBoxSizer(wxVERTICAL, panel, "Probe timing option");
  wxWindow* box = modes->GetStaticBox();
  auto* fixed = new wxRadioButton(box, kIdFixed, "Fixed", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  auto* user = new wxRadioButton(box, kIdUserTerminated, "User terminated");
  auto* stimulus = new wxRadioButton(box, kIdStimulusTerminated, "Stimul terminated");
  for (wxRadioButton* radio : {fixed, user, stimulus}) {
    modes->Add(radio, 0, wxALL, 4);
    radio->Bind(wxEVT_RADIOBUTTON, &CTaskPageProbeTiming::OnMode, this);
  }
  top->Add(modes, 0, wxEXPAND | wxALL, 6);

  auto* grid = new wxFlexGridSizer(2, 4, 8);
  for (const DurationEdit& d : kDurations) {
    grid->Add(new wxStaticText(panel, wxID_ANY, d.caption), 0, wxALIGN_CENTER_VERTICAL);
    auto* edit = new wxTextCtrl(panel, d.id, "", wxDefaultPosition, wxSize(80, -1));
    grid->Add(edit, 0);
    edit->Bind(wxEVT_TEXT, &CTaskPageProbeTiming::OnDuration, this);
  }
  top->Add(grid, 0, wxALL, 6);

  auto* text = new wxCheckBox(panel, kIdProbeAsText, "Probe as text");
  text->Bind(wxEVT_CHECKBOX, &CTaskPageProbeTiming::OnProbeText, this);
  top->Add(text, 0, wxALL, 6);
  auto* languageLine = new wxBoxSizer(wxHORIZONTAL);
  languageLine->Add(new wxStaticText(panel, wxID_ANY, "Language"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  const wxString languages[] = {"English", "Dutch"};
  auto* language =
      new wxComboBox(panel, kIdLanguage, languages[0], wxDefaultPosition, wxDefaultSize, 2, languages, wxCB_READONLY);
  language->Bind(wxEVT_COMBOBOX, &CTaskPageProbeTiming::OnLanguage, this);
  languageLine->Add(language, 0);
  top->Add(languageLine, 0, wxALL, 6);
  panel->SetSizer(top);
  return true;
}

void CTaskPageProbeTiming::RefreshControls() {
  wxWindow* panel = GetWindow();
  auto* fixed = Find<wxRadioButton>(panel, kIdFixed);
  auto* user = Find<wxRadioButton>(panel, kIdUserTerminated);
  auto* stimulus = Find<wxRadioButton>(panel, kIdStimulusTerminated);
  auto* text = Find<wxCheckBox>(panel, kIdProbeAsText);
  auto* language = Find<wxComboBox>(panel, kIdLanguage);
  if (!fixed || !user || !stimulus || !text || !language) return;
  IExpModelTask* task = GetModelTask();
  const bool editable = IsEditable() && task;
  const bool eventRate = task && task->w.TaskControl == kEventRate;
  if (eventRate && ParamWord(kParamProbeMode) == kProbeUserTerminated) {
    StoreParamWord(kParamProbeMode, kProbeFixed);  // refreshes again
    return;
  }

  const uint32_t mode = ParamWord(kParamProbeMode);
  fixed->SetValue(mode == kProbeFixed);
  user->SetValue(mode == kProbeUserTerminated);
  stimulus->SetValue(mode == kProbeStimulusTerminated);
  fixed->Enable(editable);
  user->Enable(editable && !eventRate);
  stimulus->Enable(editable);

  for (const DurationEdit& d : kDurations) {
    auto* edit = Find<wxTextCtrl>(panel, d.id);
    if (!edit) continue;
    // A number being typed keeps its spelling while it means the stored value.
    uint32_t shown = 0;
    if (!ReadNumber(edit->GetValue(), &shown) || shown != ParamWord(d.word)) {
      edit->ChangeValue(wxString::Format("%u", ParamWord(d.word)));
    }
    const bool used = (d.word == kParamProbeDuration && mode == kProbeFixed) ||
                      (d.word == kParamPostProbe && (mode == kProbeFixed || mode == kProbeUserTerminated)) ||
                      (d.word == kParamProbeStimulus && mode == kProbeStimulusTerminated);
    edit->Enable(editable && used);
  }

  const uint32_t word = ParamWord(kParamProbeText);
  text->SetValue((word & kProbeTextMask) != 0);
  text->Enable(editable);
  const uint32_t chosen = word >> kProbeLanguageShift;
  language->SetSelection(chosen < kLabelLanguages ? static_cast<int>(chosen) : 0);
  language->Enable(editable);
  CTaskPage::RefreshControls();
}

void CTaskPageProbeTiming::OnMode(wxCommandEvent& event) {
  const int id = event.GetId();
  const uint32_t mode = id == kIdFixed            ? kProbeFixed
                        : id == kIdUserTerminated ? kProbeUserTerminated
                                                  : kProbeStimulusTerminated;
  StoreParamWord(kParamProbeMode, mode);
}

void CTaskPageProbeTiming::OnDuration(wxCommandEvent& event) {
  auto* edit = dynamic_cast<wxTextCtrl*>(event.GetEventObject());
  uint32_t value = 0;
  if (!edit || !ReadNumber(edit->GetValue(), &value)) return;
  for (const DurationEdit& d : kDurations) {
    if (d.id == event.GetId()) StoreParamWord(d.word, value);
  }
}

void CTaskPageProbeTiming::OnProbeText(wxCommandEvent& event) {
  const uint32_t word = ParamWord(kParamProbeText);
  StoreParamWord(kParamProbeText, (word & ~kProbeTextMask) | (event.IsChecked() ? 1u : 0u));
}

void CTaskPageProbeTiming::OnLanguage(wxCommandEvent& event) {
  const int chosen = event.GetSelection();
  if (chosen < 0 || chosen >= kLabelLanguages) return;
  const uint32_t word = ParamWord(kParamProbeText);
  StoreParamWord(kParamProbeText, (word & kProbeTextMask) | (static_cast<uint32_t>(chosen) << kProbeLanguageShift));
}

}  // namespace qel
