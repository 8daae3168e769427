#include "display/ui/XServerFlush.h"

// wx first: the X headers define macros (None, Status, ...) that wx must not see.
#include <wx/utils.h>

#include <X11/Xlib.h>

namespace qel {

namespace display {

void FlushToXServer(bool wait) {
  Display* display = wxGetX11Display();
  if (!display) return;
  if (wait) {
    XSync(display, False);
  } else {
    XFlush(display);
  }
}

}  // namespace display

}  // namespace qel
