#include "ui/ui/PageControls.h"

#include <wx/window.h>

namespace qel {

bool SetWindowText(wxWindow* window, const std::string& text) {
  if (!window) return false;
  const wxString label = wxString::FromUTF8(text);
  if (window->GetLabel() == label) return false;
  window->SetLabel(label);
  return true;
}

bool ApplyPageButton(wxWindow* window, const PageButton& rule) {
  if (!window) return false;
  const bool changed = window->IsShown() != rule.shown;
  window->Show(rule.shown);
  window->Enable(rule.enabled);
  return changed;
}

}  // namespace qel
