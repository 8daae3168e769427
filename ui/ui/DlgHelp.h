// The modal "Help" dialog: one rich text (RTF) shown read-only, the dialog
// sized as a percentage of its full size and centred over a window; and
// the rich-text view and window-layout helpers that the program's other
// text viewers share.
#pragma once

#include <wx/dialog.h>
#include <wx/html/htmlwin.h>

#include <string>

namespace qel {

// A read-only view of a rich text: the RTF is read into HTML (a text that
// is not RTF is shown as plain text); lines wrap at the view's edge.
class CRichTextView : public wxHtmlWindow {
 public:
  CRichTextView(wxWindow* parent, int id, const wxSize& size = wxDefaultSize);
  void SetRtf(const std::string& rtf);
  const std::string& GetRtf() const { return m_rtf; }
  // The text shown, without markup.
  std::string GetShownText() const;

 private:
  void OnLink(wxHtmlLinkEvent& event);
  std::string m_rtf;
};

// Scales the window to percent of its size (integer division) and centres
// it over centre (else it keeps its top-left corner); gives the changes of
// width and height.
wxSize ScaleAndCentreWindow(wxWindow* window, wxWindow* centre, int percent);
// The child gets its width + dx and height + dy; 0 for a null child.
int GrowChild(wxWindow* child, int dx, int dy);
// The child keeps its size and moves by (dx, dy); 0 for a null child.
int MoveChild(wxWindow* child, int dx, int dy);

class CDlgHelp : public wxDialog {
 public:
  static constexpr int kTemplateId = 198;
  static constexpr int kIdText = 1308;
  // The dialog at 100 percent (the template's size).
  static constexpr int kFullWidth = 720;
  static constexpr int kFullHeight = 540;

  // The empty document, no caption, 100 percent.
  explicit CDlgHelp(wxWindow* parent);
  // The TEXT resource of the program (empty when missing).
  CDlgHelp(unsigned textId, const char* caption, wxWindow* parent, int percent);
  // The given text (empty for null).
  CDlgHelp(const char* text, const char* caption, wxWindow* parent, int percent);

  const std::string& GetText() const { return m_text; }
  int GetPercent() const { return m_percent; }
  CRichTextView* GetView() const { return m_pView; }

 private:
  void Build(const char* caption);

  std::string m_text;
  CRichTextView* m_pView = nullptr;
  int m_percent = 100;
  wxWindow* m_pCentre = nullptr;
};

// A TEXT resource of the program; "" when missing.
std::string LoadProgramText(unsigned id);

}  // namespace qel
