#include "display/ui/DlgDDBreak.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/html/htmlwin.h>
#include <wx/sizer.h>

#include "common/ui/WxText.h"
#include "display/ui/DDDisplay.h"
#include "display/ui/DisplayMessage.h"
#include "display/ui/WndDD.h"

namespace qel {

using namespace qel::display;

namespace {

// The break text is shown as it is given, as plain text.
wxString PlainTextPage(const std::string& text) {
  std::string page = "<html><body>";
  for (const char c : text) {
    switch (c) {
      case '&':
        page += "&amp;";
        break;
      case '<':
        page += "&lt;";
        break;
      case '>':
        page += "&gt;";
        break;
      case '\n':
        page += "<br>";
        break;
      case '\r':
        break;
      default:
        page += c;
        break;
    }
  }
  page += "</body></html>";
  return ToWx(page);
}

}  // namespace

CDlgDDBreak::CDlgDDBreak() = default;

CDlgDDBreak::~CDlgDDBreak() {
  if (m_pDlg) {
    m_pDlg->Unbind(wxEVT_DESTROY, &CDlgDDBreak::OnDestroy, this);
    m_pDlg->Unbind(wxEVT_BUTTON, &CDlgDDBreak::OnButton, this);
    m_pDlg->Unbind(wxEVT_CLOSE_WINDOW, &CDlgDDBreak::OnClose, this);
  }
}

bool CDlgDDBreak::Create(CWndDD* owner) {
  wxWindow* parent = owner ? owner->GetWindow() : nullptr;
  if (!parent || m_pDlg) return false;
  m_bExpanded = false;
  SetState(kBreakRequested);
  m_pOwner = owner;

  wxDialog* dlg = new wxDialog();
  // Its height is set by Layout through fixed size hints (see there).
  if (!dlg->Create(parent, wxID_ANY, "Break!", wxDefaultPosition, wxDefaultSize,
                   wxCAPTION | wxRESIZE_BORDER | wxSTAY_ON_TOP)) {
    delete dlg;
    m_pOwner = nullptr;
    return false;
  }
  wxBoxSizer* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(new wxButton(dlg, wxID_CANCEL, "Continue"), 0, wxALL, 6);
  buttons->Add(new wxButton(dlg, wxID_OK, "Stop"), 0, wxALL, 6);
  buttons->Add(new wxButton(dlg, kIdHelp, "Help"), 0, wxALL, 6);
  buttons->Add(new wxButton(dlg, kIdShow, "Show"), 0, wxALL, 6);
  m_richEdit = new wxHtmlWindow(dlg, kIdText, wxDefaultPosition, wxSize(480, 180), wxHW_SCROLLBAR_AUTO);
  wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
  column->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL);
  column->Add(m_richEdit, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
  dlg->SetSizer(column);
  column->Fit(dlg);
  dlg->Bind(wxEVT_BUTTON, &CDlgDDBreak::OnButton, this);
  dlg->Bind(wxEVT_CLOSE_WINDOW, &CDlgDDBreak::OnClose, this);
  dlg->Bind(wxEVT_DESTROY, &CDlgDDBreak::OnDestroy, this);
  m_pDlg = dlg;

  // At the top of the display, centred over it.
  const wxPoint top = parent->GetScreenPosition();
  dlg->Move(top.x + (parent->GetSize().x - dlg->GetSize().x) / 2, top.y);
  Init();
  dlg->Show();
  // The mouse goes to the middle of the top edge, ready for the buttons.
  dlg->WarpPointer(dlg->GetClientSize().x / 2, 0);
  return true;
}

void CDlgDDBreak::Init() {
  m_richEdit->SetPage(PlainTextPage(m_strText));
  // Collapsed: the title and the buttons; expanded: the text below them too.
  const int decoration = m_pDlg->GetSize().y - m_pDlg->GetClientSize().y;
  m_nHeightCollapsed = decoration + m_richEdit->GetPosition().y;
  m_nHeightExpanded = m_pDlg->GetSize().y;
  Layout();
  CDDDisplay* display = m_pOwner ? m_pOwner->GetDisplay() : nullptr;
  if (wxWindow* show = m_pDlg->FindWindow(kIdShow)) show->Enable(display && display->m_bShowButton);
  m_pDlg->SetTitle(ToWx(m_pszTitle ? m_pszTitle : ""));
  SetState(kBreakOnScreen);
  if (m_pOwner) m_pOwner->ApplyCursor();
}

void CDlgDDBreak::Layout() {
  if (!m_pDlg) return;
  // The text is hidden while collapsed. The size is pinned by size hints:
  // GTK keeps a window marked not resizable at what its content asks for.
  m_richEdit->Show(m_bExpanded);
  const wxSize size(m_pDlg->GetSize().x, m_bExpanded ? m_nHeightExpanded : m_nHeightCollapsed);
  m_pDlg->SetSizeHints(size, size);
  m_pDlg->SetSize(size);
  if (m_pOwner) m_pOwner->RestoreDisplay();
}

void CDlgDDBreak::ToggleText() {
  m_bExpanded = !m_bExpanded;
  Layout();
}

void CDlgDDBreak::OnButton(wxCommandEvent& event) {
  switch (event.GetId()) {
    case wxID_CANCEL:
      Continue();
      break;
    case wxID_OK:
      Stop();
      break;
    case kIdHelp:
      ToggleText();
      break;
    case kIdShow:
      break;  // enabled on request; it has no action of its own
    default:
      event.Skip();
      break;
  }
}

void CDlgDDBreak::OnClose(wxCloseEvent&) { Continue(); }

void CDlgDDBreak::OnDestroy(wxWindowDestroyEvent& event) {
  event.Skip();
  if (event.GetEventObject() == m_pDlg) {
    m_pDlg = nullptr;
    m_richEdit = nullptr;
    m_pOwner = nullptr;
  }
}

void CDlgDDBreak::DestroyWindow() {
  if (!m_pOwner) return;
  CWndDD* owner = m_pOwner;
  if (wxWindow* w = owner->GetWindow()) w->SetFocus();
  m_pOwner = nullptr;
  SetState(kBreakRequested);
  owner->ApplyCursor();
  if (m_pDlg) {
    wxDialog* dlg = m_pDlg;
    m_pDlg = nullptr;
    m_richEdit = nullptr;
    dlg->Unbind(wxEVT_DESTROY, &CDlgDDBreak::OnDestroy, this);
    dlg->Unbind(wxEVT_BUTTON, &CDlgDDBreak::OnButton, this);
    dlg->Unbind(wxEVT_CLOSE_WINDOW, &CDlgDDBreak::OnClose, this);
    dlg->Destroy();
  }
}

void CDlgDDBreak::Continue() {
  CWndDD* owner = m_pOwner;
  DestroyWindow();
  SetState(kBreakContinue);
  if (owner) owner->ApplyCursor();
}

void CDlgDDBreak::Stop() {
  CWndDD* owner = m_pOwner;
  CDDDisplay* display = owner ? owner->GetDisplay() : nullptr;
  if (owner && display && !display->m_bNoStopConfirm) {
    // The testee's cursor is hidden in full screen; the question needs it.
    const bool fullScreen = !display->IsWindowed();
    const bool cursor = owner->m_bCursorShow;
    if (fullScreen) {
      owner->m_bCursorShow = true;
      owner->ApplyCursor();
    }
    const int answer = ShowMessage(display->m_strStopQuestion, display->m_strStopCaption,
                                   kMsgYesNo | kMsgIconQuestion | kMsgDefault2, m_pDlg);
    if (fullScreen) {
      owner->m_bCursorShow = cursor;
      owner->ApplyCursor();
    }
    if (answer != kMsgAnswerYes) return;
  }
  DestroyWindow();
  SetState(kBreakStop);
  if (owner) owner->ApplyCursor();
}

}  // namespace qel
