#include "tests/support/x11/XTestInput.h"

#include <gtest/gtest.h>

// Last: the X headers define macros (None, Bool) that clash with the others.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <poll.h>

#include <chrono>

namespace qel {

namespace test {

namespace {
// How long Sync waits for the server to hand out the keys and buttons sent.
constexpr auto kDeliveryLimit = std::chrono::seconds(2);
void (*g_syncHook)() = nullptr;
}  // namespace

void XTestInput::SetSyncHook(void (*hook)()) { g_syncHook = hook; }

XTestInput::XTestInput() : m_display(XOpenDisplay(nullptr)) {
  if (!m_display) return;
  m_width = DisplayWidth(m_display, DefaultScreen(m_display));
  m_height = DisplayHeight(m_display, DefaultScreen(m_display));
  // The keys and buttons sent come back here as raw events: once they are
  // here, the server has handed them to every client (see Sync).
  int opcode = 0, event = 0, error = 0, major = 2, minor = 2;
  if (XQueryExtension(m_display, "XInputExtension", &opcode, &event, &error) &&
      XIQueryVersion(m_display, &major, &minor) == Success) {
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(mask, XI_RawKeyPress);
    XISetMask(mask, XI_RawKeyRelease);
    XISetMask(mask, XI_RawButtonPress);
    XISetMask(mask, XI_RawButtonRelease);
    XIEventMask masks[1] = {{XIAllMasterDevices, sizeof mask, mask}};
    XISelectEvents(m_display, DefaultRootWindow(m_display), masks, 1);
    XSync(m_display, False);
    m_xiOpcode = opcode;
  }
}

XTestInput::~XTestInput() {
  if (!m_display) return;
  for (unsigned key : std::set<unsigned>(m_keys)) Key(key, false);
  for (unsigned button : std::set<unsigned>(m_buttons)) Button(button, false);
  Sync();
  XCloseDisplay(m_display);
}

void XTestInput::Key(unsigned x11Keycode, bool down) {
  if (!m_display) return;
  if (x11Keycode == 0) {
    ADD_FAILURE() << "no X key code to press";
    return;
  }
  XTestFakeKeyEvent(m_display, x11Keycode, down ? True : False, CurrentTime);
  // A release of a key that is up makes no event.
  if (down || m_keys.count(x11Keycode) != 0) ++m_sent;
  if (down) {
    m_keys.insert(x11Keycode);
  } else {
    m_keys.erase(x11Keycode);
  }
}

void XTestInput::KeySym(unsigned long keysym, bool down) {
  if (!m_display) return;
  const unsigned code = XKeysymToKeycode(m_display, keysym);
  if (code == 0) {
    ADD_FAILURE() << "no X key for keysym " << keysym;
    return;
  }
  Key(code, down);
}

void XTestInput::KeyNamed(const char* keysymName, bool down) {
  const unsigned long keysym = XStringToKeysym(keysymName);
  if (keysym == NoSymbol) {
    ADD_FAILURE() << "no keysym named " << keysymName;
    return;
  }
  KeySym(keysym, down);
}

void XTestInput::Type(const std::string& text) {
  if (!m_display) return;
  for (const char c : text) {
    // Printable ASCII characters are their own Latin-1 keysyms.
    const unsigned long keysym = c == '\n' ? XK_Return : static_cast<unsigned char>(c);
    const unsigned code = XKeysymToKeycode(m_display, keysym);
    if (code == 0) {
      ADD_FAILURE() << "no X key types '" << c << "'";
      return;
    }
    const bool shifted = XkbKeycodeToKeysym(m_display, static_cast<KeyCode>(code), 0, 0) != keysym;
    if (shifted) KeySym(XK_Shift_L, true);
    Key(code, true);
    Key(code, false);
    if (shifted) KeySym(XK_Shift_L, false);
  }
}

void XTestInput::Button(unsigned button, bool down) {
  if (!m_display) return;
  XTestFakeButtonEvent(m_display, button, down ? True : False, CurrentTime);
  if (down || m_buttons.count(button) != 0) ++m_sent;
  if (down) {
    m_buttons.insert(button);
  } else {
    m_buttons.erase(button);
  }
}

void XTestInput::Click(unsigned button) {
  Button(button, true);
  Button(button, false);
}

void XTestInput::Move(int dx, int dy) {
  if (m_display) XTestFakeRelativeMotionEvent(m_display, dx, dy, CurrentTime);
}

void XTestInput::MoveTo(int x, int y) {
  if (m_display) XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
}

void XTestInput::Warp(int x, int y) {
  if (m_display) XWarpPointer(m_display, None, DefaultRootWindow(m_display), 0, 0, 0, 0, x, y);
}

void XTestInput::Flush() {
  if (m_display) XFlush(m_display);
}

void XTestInput::Sync() {
  if (!m_display) return;
  XSync(m_display, False);
  // The server hands the events of an input to its clients some time after
  // it has answered the request that sent it. Once this connection has its
  // own copy of every key and button sent, the server is handing them out;
  // the answer to one more request comes after it has done so to all.
  const auto end = std::chrono::steady_clock::now() + kDeliveryLimit;
  while (m_xiOpcode >= 0 && m_seen < m_sent && std::chrono::steady_clock::now() < end) {
    if (XPending(m_display) == 0) {
      pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
      poll(&fd, 1, 10);
      continue;
    }
    XEvent event;
    XNextEvent(m_display, &event);
    if (event.xcookie.type == GenericEvent && event.xcookie.extension == m_xiOpcode) ++m_seen;
  }
  m_seen = m_sent;  // what did not come is not waited for again
  XSync(m_display, False);
  if (g_syncHook) g_syncHook();
}

}  // namespace test

}  // namespace qel
