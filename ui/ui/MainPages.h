// The pages of the main view that are built, made for the view's tabs by
// page index (QelMainPage); null for a page that is not, which the view
// shows as the plain page base. The program installs it with
// SetTabPageFactory.
#pragma once

#include "ui/ui/DlgTab.h"

namespace qel {

CDlgTab* MakeMainPage(int page);

}  // namespace qel
