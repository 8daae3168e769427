#include "editors/ui/RtfView.h"

#include "common/RtfHtml.h"

namespace qel {

CRtfView::CRtfView(wxWindow* parent, int id, const wxSize& size)
    : wxHtmlWindow(parent, id, wxDefaultPosition, size, wxHW_SCROLLBAR_AUTO | wxBORDER_SUNKEN) {}

void CRtfView::SetRtf(const std::string& rtf) {
  if (m_set && rtf == m_rtf) return;
  m_rtf = rtf;
  m_set = true;
  SetPage(wxString::FromUTF8(RtfToHtml(rtf)));
}

}  // namespace qel
