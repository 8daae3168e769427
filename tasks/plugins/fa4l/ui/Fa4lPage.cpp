#include "tasks/plugins/fa4l/ui/Fa4lPage.h"

#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

namespace qel {

bool CTaskPageFocusedAttention::BuildControls(wxWindow* panel, int templateId) {
  if (templateId != kTemplate) return false;
  auto* group = new wxStaticBoxSizer(wxVERTICAL, panel, "Relevant diagonal for letters");
  // "&&" shows one ampersand in a label.
  auto* leftTop = new wxRadioButton(group->GetStaticBox(), kIdLeftTop, "Left/Top && Right/Bottom", wxDefaultPosition,
                                    wxDefaultSize, wxRB_GROUP);
  auto* rightTop = new wxRadioButton(group->GetStaticBox(), kIdRightTop, "Right/Top && Left/Bottom");
  group->Add(leftTop, 0, wxALL, 4);
  group->Add(rightTop, 0, wxALL, 4);
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(group, 0, wxEXPAND | wxALL, 6);
  panel->SetSizer(sizer);
  leftTop->Bind(wxEVT_RADIOBUTTON, &CTaskPageFocusedAttention::OnChoose, this);
  rightTop->Bind(wxEVT_RADIOBUTTON, &CTaskPageFocusedAttention::OnChoose, this);
  return true;
}

void CTaskPageFocusedAttention::RefreshControls() {
  auto* leftTop = FindControl<wxRadioButton>(kIdLeftTop);
  auto* rightTop = FindControl<wxRadioButton>(kIdRightTop);
  if (!leftTop || !rightTop) return;
  const bool editable = IsEditable() && GetModelTask();
  leftTop->Enable(editable);
  rightTop->Enable(editable);
  // Any value but 1 is the stored diagonal.
  const bool other = ParamWord(0) == 1;
  rightTop->SetValue(other);
  leftTop->SetValue(!other);
  CTaskPage::RefreshControls();
}

void CTaskPageFocusedAttention::OnChoose(wxCommandEvent& event) {
  StoreParamWord(0, event.GetId() == kIdRightTop ? 1 : 0);
}

}  // namespace qel
