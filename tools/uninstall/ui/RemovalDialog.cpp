#include "tools/uninstall/ui/RemovalDialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

namespace qel {

namespace {

constexpr int kBorder = 10;
constexpr int kMessageWidth = 420;
constexpr int kOutputHeight = 120;

wxString Utf8(const std::string& text) { return wxString::FromUTF8(text.c_str()); }

}  // namespace

CRemovalDialog::CRemovalDialog(wxWindow* parent, const std::string& productName, const std::string& package,
                               Runner runner)
    : wxDialog(parent, wxID_ANY, Utf8("Remove " + productName)),
      m_productName(productName),
      m_package(package),
      m_runner(std::move(runner)) {
  auto* column = new wxBoxSizer(wxVERTICAL);
  m_message = new wxStaticText(
      this, wxID_ANY,
      Utf8(productName + " will be removed from this computer (package \"" + package +
           "\").\n\nProjects, experiment models and the workstation users list are kept."));
  m_message->Wrap(kMessageWidth);
  column->Add(m_message, 0, wxALL | wxEXPAND, kBorder);
  m_output = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(kMessageWidth, kOutputHeight),
                            wxTE_MULTILINE | wxTE_READONLY);
  m_output->Hide();
  column->Add(m_output, 1, wxLEFT | wxRIGHT | wxEXPAND, kBorder);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  m_remove = new wxButton(this, wxID_OK, "&Remove");
  m_cancel = new wxButton(this, wxID_CANCEL, "Cancel");
  buttons->Add(m_remove, 0, wxRIGHT, kBorder);
  buttons->Add(m_cancel, 0);
  column->Add(buttons, 0, wxALL | wxALIGN_RIGHT, kBorder);
  SetSizerAndFit(column);
  m_remove->SetDefault();
  m_remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Remove(); });
}

void CRemovalDialog::Remove() {
  if (m_result != kNotRun || !m_runner) return;
  wxBusyCursor busy;
  m_remove->Disable();
  m_cancel->Disable();
  std::string output;
  m_result = m_runner(&output);
  ShowResult(output);
}

void CRemovalDialog::ShowResult(const std::string& output) {
  std::string text;
  if (m_result == 0) {
    text = m_productName + " was removed.";
  } else if (m_result < 0) {
    text = "The package manager could not be started; " + m_productName + " was not removed.";
  } else {
    text = "The removal of " + m_productName + " failed: the package manager ended with status " +
           std::to_string(m_result) + ".";
  }
  m_message->SetLabel(Utf8(text));
  m_message->Wrap(kMessageWidth);
  m_output->SetValue(Utf8(output));
  m_output->Show(!output.empty());
  m_remove->Hide();
  m_cancel->SetLabel("Close");
  m_cancel->SetId(m_result == 0 ? wxID_OK : wxID_CANCEL);
  m_cancel->Enable();
  SetEscapeId(m_cancel->GetId());
  SetAffirmativeId(m_cancel->GetId());
  Layout();
  Fit();
}

}  // namespace qel
