// Small helpers of the main view's pages that apply a rule's result to a
// control, telling whether the page's layout has to follow (a caption or a
// control's visibility changed). Laying a page out is costly; pages whose
// controls are updated after every row event lay out only then.
#pragma once

#include <cstddef>
#include <string>

#include "ui/TesteesPageRules.h"

class wxButton;
class wxSizer;
class wxWindow;

namespace qel {

// A page's button: its id, caption and tool tip ("" for none).
struct PageButtonDef {
  int id;
  const char* caption;
  const char* tooltip;
};

// The button of a definition, with its tool tip.
wxButton* MakePageButton(wxWindow* parent, const PageButtonDef& def);
// The buttons of the definitions one below the other, each as wide as the
// column, with the pages' gap below each.
wxSizer* MakeButtonColumn(wxWindow* parent, const PageButtonDef* defs, size_t count);
// The buttons of the definitions in rows of `columns`, left to right, each
// as wide as its column, with the pages' gap between them: a page with many
// buttons beside a list stays low enough for a small screen.
wxSizer* MakeButtonGrid(wxWindow* parent, const PageButtonDef* defs, size_t count, int columns);

// A page's help: the help text of the id in a dialog of the page's size,
// with the title, centred on the page.
void ShowPageHelp(wxWindow* page, unsigned textId, const char* title);

// Sets the window's label; true when it changed.
bool SetWindowText(wxWindow* window, const std::string& text);
// Shows and enables the window as the rule says; true when its visibility changed.
bool ApplyPageButton(wxWindow* window, const PageButton& rule);

}  // namespace qel
