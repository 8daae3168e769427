#include "admin/ui/DlgTesteeCode.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "common/Prompt.h"
#include "common/ui/WxText.h"

namespace qel {

namespace {

const CControlTip kTips[] = {
    {CDlgTesteeCode::kIdCode, "Unique testee code in the project"},
    {CDlgTesteeCode::kIdLabel, "Label for this testee code"},
    {CDlgTesteeCode::kIdComment, "Comment of this testee code"},
    {CDlgTesteeCode::kIdPutComment, "Comment field will be saved into text file"},
    {CDlgTesteeCode::kIdGetComment, "Comment field will be read from text file"},
    {wxID_OK, "Save changes into project and close this window"},
    {wxID_CANCEL, "Close this window"},
};

}  // namespace

CDlgTesteeCode::CDlgTesteeCode(wxWindow* parent, RecordMode mode, const CTesteeCodeInfo& record)
    : wxDialog(parent, wxID_ANY, "Testee Code data", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_form(mode, record) {
  m_pCode = new wxTextCtrl(this, kIdCode, wxEmptyString, wxDefaultPosition, wxSize(260, -1));
  m_pLabel = new wxTextCtrl(this, kIdLabel, wxEmptyString, wxDefaultPosition, wxSize(260, -1));
  m_pComment = new wxTextCtrl(this, kIdComment, wxEmptyString, wxDefaultPosition, wxSize(260, 90), wxTE_MULTILINE);
  auto* fields = new wxFlexGridSizer(2, 5, 8);
  fields->AddGrowableCol(1);
  fields->AddGrowableRow(2);
  fields->Add(new wxStaticText(this, wxID_ANY, "Code"), 0, wxALIGN_CENTER_VERTICAL);
  fields->Add(m_pCode, 1, wxEXPAND);
  fields->Add(new wxStaticText(this, wxID_ANY, "Label*"), 0, wxALIGN_CENTER_VERTICAL);
  fields->Add(m_pLabel, 1, wxEXPAND);
  fields->Add(new wxStaticText(this, wxID_ANY, "Comment*"), 0);
  fields->Add(m_pComment, 1, wxEXPAND);

  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(fields, 1, wxEXPAND | wxALL, 8);
  auto* files = new wxBoxSizer(wxHORIZONTAL);
  files->Add(new wxButton(this, kIdGetComment, "Get comment from file..."), 0, wxRIGHT, 8);
  files->Add(new wxButton(this, kIdPutComment, "Put comment into file..."), 0);
  top->Add(files, 0, wxLEFT | wxRIGHT, 8);
  auto* notice = new wxBoxSizer(wxHORIZONTAL);
  notice->Add(new wxStaticBitmap(this, kIdNoticeIcon, wxArtProvider::GetBitmap(wxART_WARNING, wxART_MESSAGE_BOX)), 0,
              wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  notice->Add(new wxStaticText(this, kIdNotice, "After saving Testee Code information, it can not be edited later!"),
              1, wxALIGN_CENTER_VERTICAL);
  top->Add(notice, 0, wxEXPAND | wxALL, 8);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_OK, "Save"), 0, wxRIGHT, 8);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Close"), 0);
  top->Add(buttons, 0, wxEXPAND | wxALL, 8);
  SetSizer(top);

  const bool editable = m_form.Editable();
  m_pCode->SetEditable(editable);
  m_pLabel->SetEditable(editable);
  m_pComment->SetEditable(editable);
  FindWindow(kIdGetComment)->Show(editable);
  FindWindow(kIdPutComment)->Show(editable);
  FindWindow(kIdNotice)->Show(editable);
  FindWindow(kIdNoticeIcon)->Show(editable);
  ShowFields();
  UpdateControls();
  SetToolTips(this, kTips, std::size(kTips));
  Fit();

  Bind(wxEVT_TEXT, &CDlgTesteeCode::OnText, this, kIdCode);
  Bind(wxEVT_TEXT, &CDlgTesteeCode::OnText, this, kIdLabel);
  Bind(wxEVT_TEXT, &CDlgTesteeCode::OnText, this, kIdComment);
  Bind(wxEVT_BUTTON, &CDlgTesteeCode::OnOk, this, wxID_OK);
  Bind(wxEVT_BUTTON, &CDlgTesteeCode::OnCancel, this, wxID_CANCEL);
  Bind(wxEVT_BUTTON, &CDlgTesteeCode::OnGetComment, this, kIdGetComment);
  Bind(wxEVT_BUTTON, &CDlgTesteeCode::OnPutComment, this, kIdPutComment);
  Bind(wxEVT_CLOSE_WINDOW, &CDlgTesteeCode::OnClose, this);
}

void CDlgTesteeCode::ShowFields() {
  ++m_showing;
  m_pCode->ChangeValue(ToWx(m_form.Info().m_code));
  m_pLabel->ChangeValue(ToWx(m_form.Info().m_description));
  m_pComment->ChangeValue(ToWx(m_form.Info().m_comment));
  --m_showing;
}

void CDlgTesteeCode::UpdateControls() {
  SetTitle(m_form.Caption());
  wxWindow* save = FindWindow(wxID_OK);
  save->Show(m_form.SaveShown());
  save->Enable(m_form.IsComplete());
  FindWindow(kIdPutComment)->Enable(m_form.PutCommentEnabled());
  Layout();
}

void CDlgTesteeCode::OnText(wxCommandEvent&) {
  if (m_showing) return;
  CTesteeCodeInfo& info = m_form.Edit();
  info.m_code = m_pCode->GetValue().utf8_string();
  info.m_description = m_pLabel->GetValue().utf8_string();
  info.m_comment = m_pComment->GetValue().utf8_string();
  m_form.SetModified();
  UpdateControls();
}

void CDlgTesteeCode::Save() {
  m_form.TrimTexts();
  ShowFields();
  UpdateControls();
  if (m_form.IsComplete()) {
    FinishDialog(this, wxID_OK);
  } else {
    ShowStopMessage(kEmptyFieldsMessage);
  }
}

void CDlgTesteeCode::OnOk(wxCommandEvent&) { Save(); }

void CDlgTesteeCode::AskAndClose() {
  if (!m_form.IsModified()) {
    FinishDialog(this, wxID_CANCEL);
    return;
  }
  const int answer =
      ShowPrompt(m_form.CloseQuestion(), "Qel", kPromptYesNoCancel | kPromptIconQuestion | kPromptDefault3);
  if (answer == kAnswerNo) {
    FinishDialog(this, wxID_CANCEL);
  } else if (answer == kAnswerYes && m_form.IsComplete()) {
    Save();
  }
}

void CDlgTesteeCode::OnCancel(wxCommandEvent&) { AskAndClose(); }

void CDlgTesteeCode::OnClose(wxCloseEvent& event) {
  if (!event.CanVeto()) {
    event.Skip();
    return;
  }
  event.Veto();
  AskAndClose();
}

void CDlgTesteeCode::OnGetComment(wxCommandEvent&) {
  const std::string path = m_chooser(this, false, m_form.DefaultCommentFile());
  if (path.empty()) return;
  std::string error;
  if (!ReadCommentFile(path, &m_form.Edit().m_comment, &error)) {
    ShowStopMessage(error);
    return;
  }
  ShowFields();
  m_form.SetModified();
  UpdateControls();
}

void CDlgTesteeCode::OnPutComment(wxCommandEvent&) {
  const std::string path = m_chooser(this, true, m_form.DefaultCommentFile());
  if (path.empty()) return;
  std::string error;
  if (!WriteCommentFile(path, m_form.Info().m_comment, &error)) ShowStopMessage(error);
}

}  // namespace qel
