#include "tasks/plugins/tr/ui/TrackingPage.h"

#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "tasks/plugins/tr/TrackingTask.h"

namespace qel {

namespace {

constexpr int kWordDirection = CTaskTracking::kWordDirection;
constexpr int kWordWidth = CTaskTracking::kWordWidth;

}  // namespace

bool CTaskPageTracking::BuildControls(wxWindow* panel, int templateId) {
  if (templateId != kTemplate) return false;
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(BuildMouseControls(panel), 0, wxEXPAND);

  auto* line = new wxBoxSizer(wxHORIZONTAL);
  auto* group = new wxStaticBoxSizer(wxVERTICAL, panel, "Direction");
  auto* clockwise =
      new wxRadioButton(group->GetStaticBox(), kIdClockwise, "Clockwise", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  auto* counter = new wxRadioButton(group->GetStaticBox(), kIdCounterclockwise, "Counterclockwise");
  group->Add(clockwise, 0, wxALL, 3);
  group->Add(counter, 0, wxALL, 3);
  line->Add(group, 0, wxALL, 6);

  auto* width = new wxBoxSizer(wxVERTICAL);
  width->Add(new wxStaticText(panel, wxID_ANY, "Track width"), 0, wxBOTTOM, 4);
  const wxString widths[3] = {"Narrow", "Medium", "Wide"};
  auto* choice = new wxChoice(panel, kIdWidth, wxDefaultPosition, wxDefaultSize, 3, widths);
  width->Add(choice, 0);
  line->Add(width, 0, wxALL, 6);
  top->Add(line, 0, wxEXPAND);
  panel->SetSizer(top);

  clockwise->Bind(wxEVT_RADIOBUTTON, &CTaskPageTracking::OnDirection, this);
  counter->Bind(wxEVT_RADIOBUTTON, &CTaskPageTracking::OnDirection, this);
  choice->Bind(wxEVT_CHOICE, &CTaskPageTracking::OnWidth, this);
  return true;
}

void CTaskPageTracking::RefreshControls() {
  RefreshMouseControls();
  auto* clockwise = Control<wxRadioButton>(kIdClockwise);
  auto* counter = Control<wxRadioButton>(kIdCounterclockwise);
  auto* width = Control<wxChoice>(kIdWidth);
  if (!clockwise || !counter || !width) return;
  const bool editable = IsEditable() && GetModelTask();
  clockwise->Enable(editable);
  counter->Enable(editable);
  width->Enable(editable);
  const uint32_t w = ParamWord(kWordWidth);
  width->SetSelection(w <= 2 ? static_cast<int>(w) : wxNOT_FOUND);
  const uint32_t direction = ParamWord(kWordDirection);
  clockwise->SetValue(direction == 0);
  counter->SetValue(direction == 1);
  CTaskPage::RefreshControls();
}

void CTaskPageTracking::OnDirection(wxCommandEvent& event) {
  StoreParamWord(kWordDirection, event.GetId() == kIdCounterclockwise ? 1 : 0);
}

void CTaskPageTracking::OnWidth(wxCommandEvent& event) {
  const int selection = event.GetSelection();
  if (selection >= 0 && selection <= 2) StoreParamWord(kWordWidth, static_cast<uint32_t>(selection));
}

}  // namespace qel
