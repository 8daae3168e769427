#include "ui/ui/DlgHelp.h"

#include <wx/button.h>
#include <wx/html/htmprint.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include "common/RtfHtml.h"
#include "include/qel/Resources.h"
#include "ui/MainWindowRules.h"

namespace qel {

namespace {
constexpr const char* kEmptyRtf = "{\\rtf1}";
constexpr int kMargin = 8;
}  // namespace

std::string LoadProgramText(unsigned id) { return QelLoadTextResource(QelGetResourceModule(), id); }

CRichTextView::CRichTextView(wxWindow* parent, int id, const wxSize& size)
    : wxHtmlWindow(parent, id, wxDefaultPosition, size, wxHW_SCROLLBAR_AUTO | wxBORDER_THEME) {
  Bind(wxEVT_HTML_LINK_CLICKED, &CRichTextView::OnLink, this);
}

void CRichTextView::SetRtf(const std::string& rtf) {
  m_rtf = rtf;
  SetPage(wxString::FromUTF8(RtfToHtml(rtf)));
  Scroll(0, 0);
}

std::string CRichTextView::GetShownText() const { return const_cast<CRichTextView*>(this)->ToText().utf8_string(); }

void CRichTextView::OnLink(wxHtmlLinkEvent& event) { wxLaunchDefaultBrowser(event.GetLinkInfo().GetHref()); }

wxSize ScaleAndCentreWindow(wxWindow* window, wxWindow* centre, int percent) {
  if (!window) return wxSize();
  const wxRect before = window->GetRect();
  const int width = before.width * percent / 100;
  const int height = before.height * percent / 100;
  int x = before.x, y = before.y;
  if (centre) {
    const wxRect over = centre->GetScreenRect();
    x = over.x + (over.width - width) / 2;
    y = over.y + (over.height - height) / 2;
  }
  window->SetSize(x, y, width, height);
  window->Show();
  return wxSize(width - before.width, height - before.height);
}

int GrowChild(wxWindow* child, int dx, int dy) {
  if (!child) return 0;
  const wxSize size = child->GetSize();
  child->SetSize(size.x + dx, size.y + dy);
  return 1;
}

int MoveChild(wxWindow* child, int dx, int dy) {
  if (!child) return 0;
  const wxPoint at = child->GetPosition();
  child->Move(at.x + dx, at.y + dy);
  return 1;
}

CDlgHelp::CDlgHelp(wxWindow* parent) : m_text(std::string(kEmptyRtf)), m_pCentre(parent) {
  wxDialog::Create(parent, kTemplateId, "Help", wxDefaultPosition, wxSize(kFullWidth, kFullHeight),
                   wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
  Build(nullptr);
}

CDlgHelp::CDlgHelp(unsigned textId, const char* caption, wxWindow* parent, int percent)
    : m_text(LoadProgramText(textId)), m_percent(ClampHelpPercent(percent)), m_pCentre(parent) {
  wxDialog::Create(parent, kTemplateId, "Help", wxDefaultPosition, wxSize(kFullWidth, kFullHeight),
                   wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
  Build(caption);
}

CDlgHelp::CDlgHelp(const char* text, const char* caption, wxWindow* parent, int percent)
    : m_text(text ? text : ""), m_percent(ClampHelpPercent(percent)), m_pCentre(parent) {
  wxDialog::Create(parent, kTemplateId, "Help", wxDefaultPosition, wxSize(kFullWidth, kFullHeight),
                   wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
  Build(caption);
}

void CDlgHelp::Build(const char* caption) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  m_pView = new CRichTextView(this, kIdText);
  m_pView->SetRtf(m_text);
  sizer->Add(m_pView, 1, wxEXPAND | wxALL, kMargin);
  auto* close = new wxButton(this, wxID_CANCEL, "Close");
  sizer->Add(close, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, kMargin);
  SetSizer(sizer);
  SetEscapeId(wxID_CANCEL);
  SetSize(kFullWidth, kFullHeight);
  // The sizer grows the text and keeps the button in its corner.
  ScaleAndCentreWindow(this, m_pCentre, m_percent);
  Hide();
  Layout();
  if (caption) SetTitle(wxString::FromUTF8(caption));
}

}  // namespace qel
