#include "tasks/plugins/vss/ui/VssPage.h"

#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "tasks/plugins/vss/VssTask.h"

namespace qel {

namespace {

using Task = CTaskVisuoSpatialSequencing;

}  // namespace

int CTaskPageVisuoSpatialSequencing::StopCriterion() const {
  if (!GetModelTask() || GetModelTask()->currentPart == 0) return -1;
  return ParamWord(Task::kWordStopCriterion) == 1 ? 1 : 0;
}

bool CTaskPageVisuoSpatialSequencing::BuildControls(wxWindow* panel, int templateId) {
  if (templateId != kTemplate) return false;
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(BuildMouseControls(panel), 0, wxEXPAND);

  auto* line = new wxBoxSizer(wxHORIZONTAL);
  auto* pointer = new wxStaticBoxSizer(wxVERTICAL, panel, "Pointer type");
  auto* hand =
      new wxRadioButton(pointer->GetStaticBox(), kIdHand, "Hand", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  auto* popUp = new wxRadioButton(pointer->GetStaticBox(), kIdPopUp, "Pop Up");
  pointer->Add(hand, 0, wxALL, 3);
  pointer->Add(popUp, 0, wxALL, 3);
  line->Add(pointer, 0, wxALL, 6);

  auto* times = new wxFlexGridSizer(2, wxSize(8, 6));
  times->Add(new wxStaticText(panel, wxID_ANY, "Show duration, ms"), 0, wxALIGN_CENTER_VERTICAL);
  auto* duration = new wxTextCtrl(panel, kIdShowDuration, "", wxDefaultPosition, wxSize(70, -1));
  times->Add(duration, 0);
  times->Add(new wxStaticText(panel, wxID_ANY, "Show interval, ms"), 0, wxALIGN_CENTER_VERTICAL);
  auto* interval = new wxTextCtrl(panel, kIdShowInterval, "", wxDefaultPosition, wxSize(70, -1));
  times->Add(interval, 0);
  line->Add(times, 0, wxALL, 6);

  auto* stop = new wxStaticBox(panel, kIdStopGroup, "Stop criterium");
  auto* stopSizer = new wxStaticBoxSizer(stop, wxVERTICAL);
  auto* user = new wxRadioButton(stop, kIdUserBased, "User-based", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  auto* rule = new wxRadioButton(stop, kIdRuleBased, "Rule-based");
  stopSizer->Add(user, 0, wxALL, 3);
  stopSizer->Add(rule, 0, wxALL, 3);
  line->Add(stopSizer, 0, wxALL, 6);
  top->Add(line, 0, wxEXPAND);
  panel->SetSizer(top);

  hand->Bind(wxEVT_RADIOBUTTON, &CTaskPageVisuoSpatialSequencing::OnPointerType, this);
  popUp->Bind(wxEVT_RADIOBUTTON, &CTaskPageVisuoSpatialSequencing::OnPointerType, this);
  duration->Bind(wxEVT_TEXT, &CTaskPageVisuoSpatialSequencing::OnNumber, this);
  interval->Bind(wxEVT_TEXT, &CTaskPageVisuoSpatialSequencing::OnNumber, this);
  user->Bind(wxEVT_RADIOBUTTON, &CTaskPageVisuoSpatialSequencing::OnStopCriterion, this);
  rule->Bind(wxEVT_RADIOBUTTON, &CTaskPageVisuoSpatialSequencing::OnStopCriterion, this);
  return true;
}

void CTaskPageVisuoSpatialSequencing::RefreshControls() {
  RefreshMouseControls();
  auto* hand = Control<wxRadioButton>(kIdHand);
  auto* popUp = Control<wxRadioButton>(kIdPopUp);
  auto* duration = Control<wxTextCtrl>(kIdShowDuration);
  auto* interval = Control<wxTextCtrl>(kIdShowInterval);
  auto* stop = Control<wxStaticBox>(kIdStopGroup);
  auto* user = Control<wxRadioButton>(kIdUserBased);
  auto* rule = Control<wxRadioButton>(kIdRuleBased);
  if (!hand || !popUp || !duration || !interval || !stop || !user || !rule) return;
  m_refreshing = true;
  const bool editable = IsEditable() && GetModelTask();
  hand->Enable(editable);
  popUp->Enable(editable);
  user->Enable(editable);
  rule->Enable(editable);
  const bool isHand = ParamWord(Task::kWordPointerType) == 0;
  hand->SetValue(isHand);
  popUp->SetValue(!isHand);
  // The edits keep what is being typed when it already says the stored number.
  for (auto [edit, word] :
       {std::pair{duration, Task::kWordShowDuration}, std::pair{interval, Task::kWordShowInterval}}) {
    unsigned long typed = 0;
    const bool same = edit->GetValue().ToULong(&typed) && typed == ParamWord(word);
    if (!same) edit->ChangeValue(wxString::Format("%u", ParamWord(word)));
  }
  const int criterion = StopCriterion();
  const bool shown = criterion >= 0;
  stop->Show(shown);
  user->Show(shown);
  rule->Show(shown);
  user->SetValue(criterion == 0);
  rule->SetValue(criterion == 1);
  m_refreshing = false;
  CTaskPage::RefreshControls();
}

void CTaskPageVisuoSpatialSequencing::OnPointerType(wxCommandEvent& event) {
  StoreParamWord(Task::kWordPointerType, event.GetId() == kIdPopUp ? 1 : 0);
}

void CTaskPageVisuoSpatialSequencing::OnNumber(wxCommandEvent& event) {
  if (m_refreshing) return;
  auto* edit = Control<wxTextCtrl>(event.GetId());
  unsigned long value = 0;
  if (!edit || !edit->GetValue().ToULong(&value) || value > 0xFFFFFFFFul) return;
  StoreParamWord(event.GetId() == kIdShowDuration ? Task::kWordShowDuration : Task::kWordShowInterval,
                 static_cast<uint32_t>(value));
}

void CTaskPageVisuoSpatialSequencing::OnStopCriterion(wxCommandEvent& event) {
  StoreParamWord(Task::kWordStopCriterion, event.GetId() == kIdRuleBased ? 1 : 0);
}

}  // namespace qel
