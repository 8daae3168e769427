// Small helpers of the main view's pages that apply a rule's result to a
// control, telling whether the page's layout has to follow (a caption or a
// control's visibility changed). Laying a page out is costly; pages whose
// controls are updated after every row event lay out only then.
#pragma once

#include <string>

#include "ui/TesteesPageRules.h"

class wxWindow;

namespace qel {

// Sets the window's label; true when it changed.
bool SetWindowText(wxWindow* window, const std::string& text);
// Shows and enables the window as the rule says; true when its visibility changed.
bool ApplyPageButton(wxWindow* window, const PageButton& rule);

}  // namespace qel
