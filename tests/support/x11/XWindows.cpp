#include "tests/support/x11/XWindows.h"

// Last: the X headers define macros (None, Bool) that clash with the others.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace qel {

namespace test {

namespace {
// Errors of windows that went between the listing and the query are not the test's.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }
}  // namespace

XWindows::XWindows() : m_display(XOpenDisplay(nullptr)) {}

XWindows::~XWindows() {
  if (m_display) XCloseDisplay(m_display);
}

std::string XWindows::Title(unsigned long window) {
  const Atom netName = XInternAtom(m_display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(m_display, "UTF8_STRING", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(m_display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
          Success &&
      data) {
    title.assign(reinterpret_cast<const char*>(data), count);
    XFree(data);
  }
  if (title.empty()) {
    char* name = nullptr;
    if (XFetchName(m_display, window, &name) && name) {
      title = name;
      XFree(name);
    }
  }
  return title;
}

void XWindows::Collect(unsigned long window, std::vector<XTopWindow>* found) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(m_display, window, &root, &parent, &children, &count)) return;
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_display, children[i], &attributes) || attributes.map_state != IsViewable) continue;
    const std::string title = Title(children[i]);
    if (title.empty()) {
      // A window manager's frame holds the program's window.
      Collect(children[i], found);
      continue;
    }
    XTopWindow top;
    top.id = children[i];
    top.title = title;
    Window child = 0;
    XTranslateCoordinates(m_display, children[i], root, 0, 0, &top.x, &top.y, &child);
    top.width = attributes.width;
    top.height = attributes.height;
    found->push_back(top);
  }
  if (children) XFree(children);
}

std::vector<XTopWindow> XWindows::Viewable() {
  std::vector<XTopWindow> found;
  if (!m_display) return found;
  XSync(m_display, False);
  auto* previous = XSetErrorHandler(IgnoreErrors);
  Collect(DefaultRootWindow(m_display), &found);
  XSync(m_display, False);
  XSetErrorHandler(previous);
  return found;
}

std::optional<XTopWindow> XWindows::Find(const std::string& title) {
  std::optional<XTopWindow> topmost;
  for (const XTopWindow& window : Viewable()) {
    if (window.title.compare(0, title.size(), title) == 0) topmost = window;
  }
  return topmost;
}

bool XWindows::IsMenu(unsigned long window) {
  const Atom typeProperty = XInternAtom(m_display, "_NET_WM_WINDOW_TYPE", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool menu = false;
  if (XGetWindowProperty(m_display, window, typeProperty, 0, 16, False, XA_ATOM, &type, &format, &count, &after,
                         &data) == Success &&
      data) {
    const Atom* types = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count; ++i) {
      for (const char* name : {"_NET_WM_WINDOW_TYPE_COMBO", "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU",
                               "_NET_WM_WINDOW_TYPE_POPUP_MENU", "_NET_WM_WINDOW_TYPE_MENU"}) {
        if (types[i] == XInternAtom(m_display, name, False)) menu = true;
      }
    }
    XFree(data);
  }
  return menu;
}

int XWindows::MenusShown() {
  if (!m_display) return 0;
  XSync(m_display, False);
  auto* previous = XSetErrorHandler(IgnoreErrors);
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  int menus = 0;
  if (XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count; ++i) {
      XWindowAttributes attributes;
      if (XGetWindowAttributes(m_display, children[i], &attributes) && attributes.map_state == IsViewable &&
          IsMenu(children[i])) {
        ++menus;
      }
    }
    if (children) XFree(children);
  }
  XSync(m_display, False);
  XSetErrorHandler(previous);
  return menus;
}

void XWindows::Focus(unsigned long id) {
  if (!m_display) return;
  auto* previous = XSetErrorHandler(IgnoreErrors);
  XRaiseWindow(m_display, id);
  XSetInputFocus(m_display, id, RevertToPointerRoot, CurrentTime);
  XSync(m_display, False);
  XSetErrorHandler(previous);
}

}  // namespace test

}  // namespace qel
