#include "ui/ui/PageControls.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/window.h>

#include "ui/ui/DlgHelp.h"

namespace qel {

namespace {

constexpr int kBorder = 5;
constexpr int kHelpPercent = 100;  // the help dialog as large as the page

}  // namespace

wxButton* MakePageButton(wxWindow* parent, const PageButtonDef& def) {
  auto* button = new wxButton(parent, def.id, wxString::FromUTF8(def.caption));
  if (*def.tooltip) button->SetToolTip(wxString::FromUTF8(def.tooltip));
  return button;
}

wxSizer* MakeButtonColumn(wxWindow* parent, const PageButtonDef* defs, size_t count) {
  auto* column = new wxBoxSizer(wxVERTICAL);
  for (size_t i = 0; i < count; ++i) column->Add(MakePageButton(parent, defs[i]), 0, wxEXPAND | wxBOTTOM, kBorder);
  return column;
}

wxSizer* MakeButtonGrid(wxWindow* parent, const PageButtonDef* defs, size_t count, int columns) {
  auto* grid = new wxFlexGridSizer(columns, kBorder, kBorder);
  for (int c = 0; c < columns; ++c) grid->AddGrowableCol(c, 1);
  for (size_t i = 0; i < count; ++i) grid->Add(MakePageButton(parent, defs[i]), 0, wxEXPAND);
  return grid;
}

void ShowPageHelp(wxWindow* page, unsigned textId, const char* title) {
  CDlgHelp help(textId, title, page, kHelpPercent);
  help.CentreOnParent();
  help.ShowModal();
}

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
