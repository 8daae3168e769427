#include "ui/ui/ChooserFit.h"

#include <gtk/gtk.h>
#include <wx/display.h>
#include <wx/toplevel.h>

#include <algorithm>

namespace qel {

wxRect ChooserRect(const wxRect& area) {
  const int width = std::min(kChooserWidth, area.width);
  const int height = std::min(kChooserHeight, area.height);
  return wxRect(area.x + (area.width - width) / 2, area.y + (area.height - height) / 2, width, height);
}

void KeepOnScreen(wxTopLevelWindow& chooser) {
  chooser.Bind(wxEVT_SHOW, [&chooser](wxShowEvent& event) {
    event.Skip();
    if (!event.IsShown()) return;
    chooser.CallAfter([&chooser] {
      // wx's file and folder dialogs ignore SetSize: the GTK window is sized itself.
      GtkWidget* widget = chooser.GetHandle();
      if (!widget || !GTK_IS_WINDOW(widget)) return;
      const int display = wxDisplay::GetFromWindow(&chooser);
      const wxRect rect =
          ChooserRect(wxDisplay(display != wxNOT_FOUND ? static_cast<unsigned>(display) : 0u).GetClientArea());
      gtk_window_resize(GTK_WINDOW(widget), rect.width, rect.height);
      gtk_window_move(GTK_WINDOW(widget), rect.x, rect.y);
    });
  });
}

}  // namespace qel
