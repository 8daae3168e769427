#include "admin/ui/MySysCfg.h"

#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/sizer.h>

#include "admin/ui/MySysCfgBtn.h"
#include "admin/ui/MySysCfgPages.h"
#include "admin/ui/MySysCfgScr.h"

namespace qel {

CSysCfgPage::CSysCfgPage(CMySysCfg* sheet, wxWindow* parent) : wxPanel(parent, wxID_ANY), m_pSheet(sheet) {}

void CSysCfgPage::LockSheet(bool locked) { m_pSheet->Lock(locked); }

CSysCfgValues& CSysCfgPage::Values() { return m_pSheet->EditValues(); }

CMySysCfg::CMySysCfg(const wxString& caption, wxWindow* parent, const CSysCfgValues& values, int selectPage)
    : m_values(values) {
  Create(parent, wxID_ANY, caption);
  CreateButtons(wxOK | wxCANCEL);
  wxBookCtrlBase* book = GetBookCtrl();
  // Every page is offered, so that the display and the feedback device can be chosen too.
  m_pButton = new CMySysCfgBtn(this, book);
  m_pSound = new CMySysCfgSnd(this, book);
  m_pDisplay = new CMySysCfgScr(this, book);
  m_pFeedback = new CMySysCfgFbk(this, book);
  m_pOptions = new CMySysCfgOpt(this, book);
  book->AddPage(m_pButton, "Button");
  book->AddPage(m_pSound, "Sound");
  book->AddPage(m_pDisplay, "Display");
  book->AddPage(m_pFeedback, "Feedback");
  book->AddPage(m_pOptions, "Options");
  if (selectPage >= 0 && selectPage < kPageCount) book->SetSelection(static_cast<size_t>(selectPage));
  LayoutDialog();

  book->Bind(wxEVT_BOOKCTRL_PAGE_CHANGING, &CMySysCfg::OnPageChanging, this);
  Bind(wxEVT_BUTTON, &CMySysCfg::OnButton, this, wxID_OK);
  Bind(wxEVT_BUTTON, &CMySysCfg::OnButton, this, wxID_CANCEL);
  Bind(wxEVT_CLOSE_WINDOW, &CMySysCfg::OnClose, this);
}

CMySysCfg::~CMySysCfg() { StopAllTests(); }

void CMySysCfg::StopAllTests() {
  CSysCfgPage* pages[] = {m_pOptions, m_pFeedback, m_pDisplay, m_pSound, m_pButton};
  for (CSysCfgPage* page : pages)
    if (page) page->StopTests();
}

void CMySysCfg::Lock(bool locked) {
  if (locked && !m_locked) m_lockedPage = GetBookCtrl()->GetSelection();
  m_locked = locked;
  if (wxWindow* ok = FindWindow(wxID_OK)) ok->Enable(!locked);
  if (wxWindow* cancel = FindWindow(wxID_CANCEL)) cancel->Enable(!locked);
}

void CMySysCfg::OnPageChanging(wxBookCtrlEvent& event) {
  if (!m_locked) return;
  event.Veto();
  // Where the toolkit switches all the same, the testing page comes back.
  CallAfter([this] { RestoreLockedPage(); });
}

void CMySysCfg::RestoreLockedPage() {
  if (m_locked && GetBookCtrl()->GetSelection() != m_lockedPage)
    GetBookCtrl()->ChangeSelection(static_cast<size_t>(m_lockedPage));
}

void CMySysCfg::OnButton(wxCommandEvent& event) {
  StopAllTests();
  event.Skip();
}

void CMySysCfg::OnClose(wxCloseEvent& event) {
  StopAllTests();
  event.Skip();
}

bool RunSystemConfig(wxWindow* parent) {
  CMySysCfg sheet("System Config", parent, ReadSystemConfig());
  if (sheet.ShowModal() != wxID_OK) return false;
  WriteSystemConfig(sheet.GetValues());
  return true;
}

}  // namespace qel
