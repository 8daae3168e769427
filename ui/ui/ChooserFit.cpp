#include "ui/ui/ChooserFit.h"

#include <gtk/gtk.h>
#include <wx/display.h>
#include <wx/toplevel.h>

#include <algorithm>

namespace qel {

namespace {

wxRect WorkAreaAt(int x, int y) {
  const int display = wxDisplay::GetFromPoint(wxPoint(x, y));
  return wxDisplay(display != wxNOT_FOUND ? static_cast<unsigned>(display) : 0u).GetClientArea();
}

// GTK sizes its chooser when it maps it and again when its settings are
// read; whenever the chooser is given more than the work area, it gets the
// chooser's size instead.
void OnAllocate(GtkWidget* widget, GdkRectangle*, gpointer) {
  if (!GTK_IS_WINDOW(widget)) return;
  int x = 0, y = 0, width = 0, height = 0;
  gtk_window_get_position(GTK_WINDOW(widget), &x, &y);
  gtk_window_get_size(GTK_WINDOW(widget), &width, &height);
  const wxRect area = WorkAreaAt(x + width / 2, y + height / 2);
  if (area.Contains(wxRect(x, y, width, height))) return;
  const wxRect rect = ChooserRect(area);
  gtk_window_resize(GTK_WINDOW(widget), rect.width, rect.height);
  gtk_window_move(GTK_WINDOW(widget), rect.x, rect.y);
}

}  // namespace

wxRect ChooserRect(const wxRect& area) {
  const int width = std::min(kChooserWidth, area.width);
  const int height = std::min(kChooserHeight, area.height);
  return wxRect(area.x + (area.width - width) / 2, area.y + (area.height - height) / 2, width, height);
}

void KeepOnScreen(wxTopLevelWindow& chooser) {
  // wx's file and folder dialogs ignore SetSize and do not learn their
  // window's size: the GTK window is watched and sized itself.
  GtkWidget* widget = chooser.GetHandle();
  if (widget && GTK_IS_WINDOW(widget)) g_signal_connect(widget, "size-allocate", G_CALLBACK(OnAllocate), nullptr);
}

}  // namespace qel
