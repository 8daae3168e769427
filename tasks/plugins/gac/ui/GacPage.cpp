#include "tasks/plugins/gac/ui/GacPage.h"

#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <string>

namespace qel {

namespace {

struct EditRow {
  int id;
  const char* caption;
  uint32_t low;
  uint32_t high;
};

constexpr EditRow kRows[CTaskPageGazeArrowCueing::kEdits] = {
    {CTaskPageGazeArrowCueing::kIdCueStart, "CueStart, ms", 50, 2000},
    {CTaskPageGazeArrowCueing::kIdCueEnd, "CueEnd, ms", 50, 2000},
    {CTaskPageGazeArrowCueing::kIdPostCatch, "PostCatchCue interval, ms", 1000, 5000},
};

wxTextCtrl* Edit(wxWindow* panel, int id) { return panel ? dynamic_cast<wxTextCtrl*>(panel->FindWindow(id)) : nullptr; }

// The number an edit holds: digits only, at most nine of them.
bool ReadNumber(const wxString& text, uint32_t* value) {
  const std::string digits = text.Strip(wxString::both).ToStdString();
  if (digits.empty() || digits.size() > 9) return false;
  uint32_t n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + static_cast<uint32_t>(c - '0');
  }
  *value = n;
  return true;
}

}  // namespace

bool CTaskPageGazeArrowCueing::BuildControls(wxWindow* panel, int templateId) {
  if (templateId != kTemplate) return false;
  auto* box = new wxStaticBoxSizer(wxVERTICAL, panel, "Cue timing");
  wxWindow* group = box->GetStaticBox();
  auto* grid = new wxFlexGridSizer(3, 6, 8);
  for (const EditRow& row : kRows) {
    grid->Add(new wxStaticText(group, wxID_ANY, row.caption), 0, wxALIGN_CENTER_VERTICAL);
    auto* edit = new wxTextCtrl(group, row.id, wxEmptyString, wxDefaultPosition, wxSize(70, -1));
    grid->Add(edit, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new wxStaticText(group, wxID_ANY, wxString::Format("Min-Max=%u-%u", row.low, row.high)), 0,
              wxALIGN_CENTER_VERTICAL);
    edit->Bind(wxEVT_TEXT, &CTaskPageGazeArrowCueing::OnEdit, this);
  }
  box->Add(grid, 0, wxALL, 6);
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(box, 0, wxEXPAND | wxALL, 6);
  panel->SetSizer(sizer);
  return true;
}

void CTaskPageGazeArrowCueing::RefreshControls() {
  wxWindow* panel = GetWindow();
  const bool editable = IsEditable() && GetModelTask();
  for (int i = 0; i < kEdits; ++i) {
    wxTextCtrl* edit = Edit(panel, kRows[i].id);
    if (!edit) continue;
    edit->Enable(editable);
    // An edit that already shows the word is left alone (the caret stays
    // where the operator types); ChangeValue sends no change event.
    uint32_t shown = 0;
    const uint32_t word = ParamWord(i);
    if (!ReadNumber(edit->GetValue(), &shown) || shown != word) edit->ChangeValue(wxString::Format("%u", word));
  }
  CTaskPage::RefreshControls();
}

void CTaskPageGazeArrowCueing::OnEdit(wxCommandEvent& event) {
  for (int i = 0; i < kEdits; ++i) {
    if (kRows[i].id != event.GetId()) continue;
    uint32_t value = 0;
    if (ReadNumber(event.GetString(), &value) && value != ParamWord(i)) StoreParamWord(i, value);
    return;
  }
}

}  // namespace qel
