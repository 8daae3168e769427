// Keeps a chooser of the toolkit's own (file, folder) on the screen. GTK
// sizes its file chooser from the font when it shows (1096x822 with the
// default font), larger than a 1024x768 screen, so that its Open/Save and
// Cancel buttons lie off the screen; and wx neither learns nor sets that
// window's size. Once shown, the chooser gets a size that fits the screen's
// work area, centred in it.
#pragma once

#include <wx/gdicmn.h>

class wxTopLevelWindow;

namespace qel {

// A chooser's size: room for its places, a list of files and its buttons.
constexpr int kChooserWidth = 900;
constexpr int kChooserHeight = 640;

// The chooser's rectangle on a work area: its size, or the area's where
// that is smaller, centred in the area.
wxRect ChooserRect(const wxRect& area);

// Sizes the chooser whenever the toolkit makes it larger than the work area.
void KeepOnScreen(wxTopLevelWindow& chooser);

}  // namespace qel
