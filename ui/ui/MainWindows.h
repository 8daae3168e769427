// The main frame and the main view, as windows other subsystems notify.
// The main window registers them when it is made and clears them when it
// goes; until then they are null and notifications to them are dropped.
#pragma once

class wxWindow;

namespace qel {

void SetMainFrameWindow(wxWindow* frame);
wxWindow* GetMainFrameWindow();
void SetMainViewWindow(wxWindow* view);
wxWindow* GetMainViewWindow();

}  // namespace qel
