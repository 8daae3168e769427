// A read-only view of an RTF text (instructions, descriptions, help).
#pragma once

#include <wx/html/htmlwin.h>

#include <string>

namespace qel {

class CRtfView : public wxHtmlWindow {
 public:
  CRtfView(wxWindow* parent, int id, const wxSize& size = wxDefaultSize);
  // Shows the text; nothing is redrawn when it is the one shown.
  void SetRtf(const std::string& rtf);
  const std::string& GetRtf() const { return m_rtf; }

 private:
  std::string m_rtf;
  bool m_set = false;
};

}  // namespace qel
