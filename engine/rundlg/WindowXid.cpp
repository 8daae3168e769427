#include "engine/rundlg/WindowXid.h"

#include <dlfcn.h>
#include <wx/window.h>

namespace {

// GTK and GDK are loaded with wx, but their headers and libraries are not
// part of our build: the two calls are looked up in the running process.
using WidgetWindowFn = void* (*)(void* widget);
using WindowXidFn = unsigned long (*)(void* window);

template <typename Fn>
Fn Lookup(const char* name) {
  return reinterpret_cast<Fn>(dlsym(RTLD_DEFAULT, name));
}

}  // namespace

unsigned long WindowXid(wxWindow* window) {
  static const WidgetWindowFn widgetWindow = Lookup<WidgetWindowFn>("gtk_widget_get_window");
  static const WindowXidFn windowXid = Lookup<WindowXidFn>("gdk_x11_window_get_xid");
  if (!window || !widgetWindow || !windowXid) return 0;
  void* widget = window->GetHandle();
  void* gdkWindow = widget ? widgetWindow(widget) : nullptr;
  return gdkWindow ? windowXid(gdkWindow) : 0;
}
