#include "tests/support/x11/XTestInput.h"

#include <gtest/gtest.h>

// Last: the X headers define macros (None, Bool) that clash with the others.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace qel {

namespace test {

XTestInput::XTestInput() : m_display(XOpenDisplay(nullptr)) {
  if (!m_display) return;
  m_width = DisplayWidth(m_display, DefaultScreen(m_display));
  m_height = DisplayHeight(m_display, DefaultScreen(m_display));
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

void XTestInput::Button(unsigned button, bool down) {
  if (!m_display) return;
  XTestFakeButtonEvent(m_display, button, down ? True : False, CurrentTime);
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
  if (m_display) XSync(m_display, False);
}

}  // namespace test

}  // namespace qel
