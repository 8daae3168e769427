#include "admin/ui/DlgTestee.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <vector>

#include "admin/AdminProject.h"
#include "admin/ui/AdminListKinds.h"
#include "common/Prompt.h"
#include "common/ui/WxText.h"
#include "project/ProjectData.h"
#include "project/TesteeTexts.h"
#include "ui/ui/ListCtrlQel.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

const CControlTip kTips[] = {
    {CDlgTestee::kIdTestee, "Unique identifier of testee in the project"},
    {CDlgTestee::kIdFirstName, "Testee's first name"},
    {CDlgTestee::kIdSurname, "Testee's surname"},
    {CDlgTestee::kIdSex, "Testee's sex"},
    {CDlgTestee::kIdPreference, "Testee's handness"},
    {CDlgTestee::kIdBirthDate, "Testee's date of birth"},
    {CDlgTestee::kIdCodes, "List of testees codes available"},
    {CDlgTestee::kIdComment, "Comment for this testee"},
    {CDlgTestee::kIdPutComment, "Comment field will be saved into text file"},
    {CDlgTestee::kIdGetComment, "Comment field will be read from text file"},
    {wxID_OK, "Save changes into project and close this window"},
    {wxID_CANCEL, "Close this window"},
};

const char* const kCodeCaptions[] = {"No.", "Code", "Label"};
const int kCodeWidths[] = {40, 120, 200};

wxDateTime ToWxDate(const QelDateTime& date) {
  int y = 0, m = 0, d = 0;
  if (!date.Split(&y, &m, &d)) return wxInvalidDateTime;
  return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(d), static_cast<wxDateTime::Month>(m - 1), y);
}

QelDateTime FromWxDate(const wxDateTime& date) {
  if (!date.IsValid()) return QelDateTime::Null();
  return QelDateTime::FromDate(date.GetYear(), static_cast<int>(date.GetMonth()) + 1, date.GetDay());
}

std::string Text(const wxTextCtrl* edit) { return edit->GetValue().utf8_string(); }

}  // namespace

CDlgTestee::CDlgTestee(wxWindow* parent, IAdminProject* project, RecordMode mode, const CTesteeInfo& record)
    : wxDialog(parent, wxID_ANY, "Testee data", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_pProject(project),
      m_form(mode, record) {
  m_pTestee = new wxTextCtrl(this, kIdTestee);
  m_pFirstName = new wxTextCtrl(this, kIdFirstName);
  m_pSurname = new wxTextCtrl(this, kIdSurname);
  m_pBirth = new wxDatePickerCtrl(this, kIdBirthDate, wxInvalidDateTime, wxDefaultPosition, wxDefaultSize,
                                  wxDP_DROPDOWN | wxDP_SHOWCENTURY | wxDP_ALLOWNONE);
  m_pPreference = new wxComboBox(this, kIdPreference, wxEmptyString, wxDefaultPosition, wxSize(120, -1), 0, nullptr,
                                 wxCB_READONLY);
  m_pSex = new wxComboBox(this, kIdSex, wxEmptyString, wxDefaultPosition, wxSize(120, -1), 0, nullptr, wxCB_READONLY);
  m_pCodes = new CListCtrlQel(this, kIdCodes, wxDefaultPosition, wxSize(380, 130));
  SetListKind(*m_pCodes, kListKindTesteeCodes);
  m_pCodes->m_keyList.m_pOwner = this;
  m_pComment = new wxTextCtrl(this, kIdComment, wxEmptyString, wxDefaultPosition, wxSize(380, 80), wxTE_MULTILINE);

  auto* fields = new wxFlexGridSizer(2, 5, 8);
  fields->AddGrowableCol(1);
  auto addRow = [&](const char* caption, wxWindow* control) {
    fields->Add(new wxStaticText(this, wxID_ANY, caption), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(control, 1, wxEXPAND);
  };
  addRow("Testee Id", m_pTestee);
  addRow("First name", m_pFirstName);
  addRow("Surname", m_pSurname);
  addRow("Birth date", m_pBirth);
  addRow("Preference", m_pPreference);
  addRow("Sex", m_pSex);

  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(fields, 0, wxEXPAND | wxALL, 8);
  top->Add(new wxStaticText(this, wxID_ANY, "Testee code"), 0, wxLEFT | wxRIGHT, 8);
  top->Add(m_pCodes, 1, wxEXPAND | wxALL, 8);
  top->Add(new wxStaticText(this, wxID_ANY, "Comment"), 0, wxLEFT | wxRIGHT, 8);
  top->Add(m_pComment, 1, wxEXPAND | wxALL, 8);
  auto* files = new wxBoxSizer(wxHORIZONTAL);
  files->Add(new wxButton(this, kIdGetComment, "Get comment from file..."), 0, wxRIGHT, 8);
  files->Add(new wxButton(this, kIdPutComment, "Put comment into file..."), 0);
  top->Add(files, 0, wxLEFT | wxRIGHT | wxBOTTOM, 8);
  auto* notice = new wxBoxSizer(wxHORIZONTAL);
  notice->Add(new wxStaticBitmap(this, kIdNoticeIcon, wxArtProvider::GetBitmap(wxART_WARNING, wxART_MESSAGE_BOX)), 0,
              wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  notice->Add(new wxStaticText(this, kIdNotice, "After saving Testee information, only Birth date and Preference can be edited!"),
              1, wxALIGN_CENTER_VERTICAL);
  top->Add(notice, 0, wxEXPAND | wxALL, 8);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(new wxButton(this, kIdChanges, "Changes"), 0);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_OK, "Save"), 0, wxRIGHT, 8);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Close"), 0);
  top->Add(buttons, 0, wxEXPAND | wxALL, 8);
  SetSizer(top);

  // The picker shows a null birth date empty and offers no date after today.
  m_pBirth->SetRange(wxInvalidDateTime, wxDateTime::Now());
  FillCodes();

  const CTesteeFormAccess access = m_form.Access(m_codesReady);
  m_pTestee->SetEditable(access.id);
  m_pFirstName->SetEditable(access.id);
  m_pSurname->SetEditable(access.id);
  m_pCodes->Enable(access.code);
  m_pSex->Enable(access.code);
  m_pBirth->Enable(access.date);
  m_pPreference->Enable(access.date);
  m_pComment->SetEditable(access.comment);
  FindWindow(kIdGetComment)->Show(access.commentFiles);
  FindWindow(kIdPutComment)->Show(access.commentFiles);
  FindWindow(kIdNotice)->Show(access.notice);
  FindWindow(kIdNoticeIcon)->Show(access.notice);
  FindWindow(kIdChanges)->Show(access.changes);
  const bool hasChanges = m_pProject && m_pProject->GetData().GetTesteeChangeCount(record.m_testee.c_str()) > 0;
  FindWindow(kIdChanges)->Enable(access.changes && hasChanges);
  if (!m_codesReady) {
    for (wxWindow* w : std::initializer_list<wxWindow*>{m_pTestee, m_pFirstName, m_pSurname, m_pCodes, m_pBirth,
                                                        m_pPreference, m_pSex, m_pComment})
      w->Enable(false);
  }

  for (int i = 0; i < kOfferedHandednessCount; ++i) m_pPreference->Append(GetHandednessCode(i));
  for (int i = 0; i < kSexCount; ++i) m_pSex->Append(GetSexName(i));
  ShowFields();
  UpdateControls();
  SetToolTips(this, kTips, std::size(kTips));
  Fit();

  Bind(wxEVT_TEXT, &CDlgTestee::OnText, this, kIdTestee);
  Bind(wxEVT_TEXT, &CDlgTestee::OnText, this, kIdFirstName);
  Bind(wxEVT_TEXT, &CDlgTestee::OnText, this, kIdSurname);
  Bind(wxEVT_TEXT, &CDlgTestee::OnText, this, kIdComment);
  Bind(wxEVT_COMBOBOX, &CDlgTestee::OnCombo, this, kIdPreference);
  Bind(wxEVT_COMBOBOX, &CDlgTestee::OnCombo, this, kIdSex);
  Bind(wxEVT_DATE_CHANGED, &CDlgTestee::OnDate, this, kIdBirthDate);
  Bind(QEL_EVT_NOTIFY, &CDlgTestee::OnNotify, this);
  Bind(wxEVT_BUTTON, &CDlgTestee::OnOk, this, wxID_OK);
  Bind(wxEVT_BUTTON, &CDlgTestee::OnCancel, this, wxID_CANCEL);
  Bind(wxEVT_BUTTON, &CDlgTestee::OnGetComment, this, kIdGetComment);
  Bind(wxEVT_BUTTON, &CDlgTestee::OnPutComment, this, kIdPutComment);
  Bind(wxEVT_BUTTON, &CDlgTestee::OnChanges, this, kIdChanges);
  Bind(wxEVT_CLOSE_WINDOW, &CDlgTestee::OnClose, this);
}

void CDlgTestee::FillCodes() {
  m_pCodes->DeleteAllRows();
  m_pCodes->SetColumns(kCodeCaptions, kCodeWidths, static_cast<int>(std::size(kCodeCaptions)), false);
  std::vector<std::string> codes, descriptions;
  if (m_pProject) m_pProject->GetData().GetTesteeCodes(&codes, nullptr, &descriptions, nullptr);
  for (size_t i = 0; i < codes.size(); ++i) {
    const int row = static_cast<int>(i);
    if (!m_pCodes->InsertRow(row, codes[i].c_str(), false)) continue;
    m_pCodes->SetItem(row, 1, ToWx(codes[i]));
    m_pCodes->SetItem(row, 2, ToWx(descriptions[i]));
  }
  m_pCodes->AutoSizeColumns();
  m_codesReady = !codes.empty();
}

void CDlgTestee::ShowFields() {
  ++m_showing;
  const CTesteeInfo& t = m_form.Info();
  m_pTestee->ChangeValue(ToWx(t.m_testee));
  m_pFirstName->ChangeValue(ToWx(t.m_firstName));
  m_pSurname->ChangeValue(ToWx(t.m_surname));
  m_pComment->ChangeValue(ToWx(t.m_comment));
  m_pBirth->SetValue(ToWxDate(t.m_dateBirth));
  m_pPreference->SetSelection(t.m_preference >= 0 && t.m_preference < kOfferedHandednessCount ? t.m_preference
                                                                                               : wxNOT_FOUND);
  m_pSex->SetSelection(t.m_sex >= 0 && t.m_sex < kSexCount ? t.m_sex : wxNOT_FOUND);
  --m_showing;
}

void CDlgTestee::TakeFields() {
  CTesteeInfo& t = m_form.Edit();
  t.m_testee = Text(m_pTestee);
  t.m_firstName = Text(m_pFirstName);
  t.m_surname = Text(m_pSurname);
  t.m_comment = Text(m_pComment);
}

void CDlgTestee::UpdateControls() {
  m_codeRowSelected = m_pCodes->SelectRowByKey(m_form.Info().m_code.c_str()) && m_pCodes->GetSelectedRow() >= 0;
  m_complete = m_form.IsComplete(m_codeRowSelected);
  SetTitle(m_form.Caption(m_complete));
  wxWindow* save = FindWindow(wxID_OK);
  save->Show(m_form.SaveShown());
  save->Enable(m_complete);
  FindWindow(kIdPutComment)->Enable(m_form.PutCommentEnabled());
  Layout();
}

void CDlgTestee::Edited() {
  m_form.SetModified();
  UpdateControls();
}

void CDlgTestee::OnText(wxCommandEvent&) {
  if (m_showing) return;
  TakeFields();
  Edited();
}

void CDlgTestee::OnCombo(wxCommandEvent& event) {
  CTesteeInfo& t = m_form.Edit();
  int32_t& stored = event.GetId() == kIdSex ? t.m_sex : t.m_preference;
  const int chosen = event.GetId() == kIdSex ? m_pSex->GetSelection() : m_pPreference->GetSelection();
  if (chosen == stored) return;
  stored = chosen;
  Edited();
}

void CDlgTestee::OnDate(wxDateEvent& event) {
  if (m_showing) return;
  // Only the date part counts; no date leaves the birth date null.
  m_form.Edit().m_dateBirth = FromWxDate(event.GetDate());
  Edited();
}

void CDlgTestee::OnNotify(CQelNotifyEvent& event) {
  if (event.GetCode() != m_pCodes->m_nEventCodes[CListCtrlQel::kEventSelected]) return;
  // An existing testee's own code is selected once as the dialog opens.
  ++m_codeNotices;
  if (m_form.Mode() != RecordMode::kNew && m_codeNotices < 2) return;
  const int row = static_cast<int>(event.GetPayload());
  const std::string key = m_pCodes->GetKey(row);
  if (key.empty() || key == m_form.Info().m_code) return;
  m_form.Edit().m_code = key;
  Edited();
}

void CDlgTestee::Save() {
  m_form.TrimTexts();
  UpdateControls();
  ShowFields();
  if (m_complete) {
    FinishDialog(this, wxID_OK);
  } else {
    ShowStopMessage(kEmptyFieldsMessage);
  }
}

void CDlgTestee::OnOk(wxCommandEvent&) { Save(); }

void CDlgTestee::AskAndClose() {
  if (!m_form.IsModified()) {
    FinishDialog(this, wxID_CANCEL);
    return;
  }
  const int answer = ShowPrompt(m_form.CloseQuestion(m_complete), "Qel",
                                kPromptYesNoCancel | kPromptIconQuestion | kPromptDefault3);
  if (answer == kAnswerNo) {
    FinishDialog(this, wxID_CANCEL);
  } else if (answer == kAnswerYes && m_complete) {
    Save();
  }
}

void CDlgTestee::OnCancel(wxCommandEvent&) { AskAndClose(); }

void CDlgTestee::OnClose(wxCloseEvent& event) {
  if (!event.CanVeto()) {
    event.Skip();
    return;
  }
  event.Veto();
  AskAndClose();
}

void CDlgTestee::OnGetComment(wxCommandEvent&) {
  const std::string path = m_chooser(this, false, m_form.DefaultCommentFile());
  if (path.empty()) return;
  std::string error;
  if (!ReadCommentFile(path, &m_form.Edit().m_comment, &error)) {
    ShowStopMessage(error);
    return;
  }
  ShowFields();
  Edited();
}

void CDlgTestee::OnPutComment(wxCommandEvent&) {
  const std::string path = m_chooser(this, true, m_form.DefaultCommentFile());
  if (path.empty()) return;
  std::string error;
  if (!WriteCommentFile(path, m_form.Info().m_comment, &error)) ShowStopMessage(error);
}

void CDlgTestee::OnChanges(wxCommandEvent&) {
  if (m_changesOpener) m_changesOpener(this, m_form.Info().m_testee);
}

}  // namespace qel
