#include "display/ui/DlgDDWndSet.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

namespace qel {

namespace {

struct Box {
  int id;
  const char* label;
  int CDlgDDWndSet::*state;
  bool general;  // in "General settings", else in "Test settings"
};

constexpr Box kBoxes[] = {
    {CDlgDDWndSet::kIdFullScreen, "FullScreen mode", &CDlgDDWndSet::m_bFullScreen, true},
    {CDlgDDWndSet::kIdFlip, "Flip in FullScreen mode", &CDlgDDWndSet::m_bFlip, true},
    {CDlgDDWndSet::kIdSysMem, "Surface in system memory", &CDlgDDWndSet::m_bSysMem, false},
    {CDlgDDWndSet::kIdStretch, "Stretch bitmap onto surface", &CDlgDDWndSet::m_bStretch, false},
    {CDlgDDWndSet::kIdNegate, "Negate bitmap", &CDlgDDWndSet::m_bNegate, false},
};

}  // namespace

CDlgDDWndSet::CDlgDDWndSet(wxWindow* parent) : wxDialog(parent, wxID_ANY, "Direct Draw settings") {
  wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
  for (const bool general : {true, false}) {
    wxStaticBoxSizer* sizer = new wxStaticBoxSizer(wxVERTICAL, this, general ? "General settings" : "Test settings");
    for (const Box& b : kBoxes) {
      if (b.general == general) sizer->Add(new wxCheckBox(sizer->GetStaticBox(), b.id, b.label), 0, wxALL, 4);
    }
    column->Add(sizer, 0, wxEXPAND | wxALL, 6);
  }
  wxBoxSizer* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(new wxButton(this, wxID_OK, "OK"), 0, wxALL, 6);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxALL, 6);
  column->Add(buttons, 0, wxALIGN_RIGHT);
  SetSizerAndFit(column);
  Bind(wxEVT_INIT_DIALOG, &CDlgDDWndSet::OnInitDialog, this);
  Bind(wxEVT_CHECKBOX, &CDlgDDWndSet::OnCheck, this);
}

void CDlgDDWndSet::OnInitDialog(wxInitDialogEvent& event) {
  event.Skip();  // the default initialisation moves the states into the boxes
  SetView(false);
}

bool CDlgDDWndSet::TransferDataToWindow() {
  for (const Box& b : kBoxes) {
    if (wxCheckBox* box = dynamic_cast<wxCheckBox*>(FindWindow(b.id))) box->SetValue(this->*(b.state) != 0);
  }
  return true;
}

bool CDlgDDWndSet::TransferDataFromWindow() {
  for (const Box& b : kBoxes) {
    if (wxCheckBox* box = dynamic_cast<wxCheckBox*>(FindWindow(b.id))) this->*(b.state) = box->GetValue() ? 1 : 0;
  }
  return true;
}

void CDlgDDWndSet::SetView(bool enable) { EnableDlgItem(wxID_OK, enable); }

void CDlgDDWndSet::EnableDlgItem(int id, bool enable) {
  if (wxWindow* control = FindWindow(id)) control->Enable(enable);
}

void CDlgDDWndSet::OnCheck(wxCommandEvent& event) {
  event.Skip();
  SetView(true);
}

}  // namespace qel
