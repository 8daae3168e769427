#include "tests/support/x11/XTestInput.h"

#include <gtest/gtest.h>

// Last: the X headers define macros (None, Bool) that clash with the others.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace qel {

namespace test {

XTestInput::XTestInput() : display_(XOpenDisplay(nullptr)) {
  if (!display_) return;
  width_ = DisplayWidth(display_, DefaultScreen(display_));
  height_ = DisplayHeight(display_, DefaultScreen(display_));
}

XTestInput::~XTestInput() {
  if (!display_) return;
  for (unsigned key : std::set<unsigned>(keys_)) Key(key, false);
  for (unsigned button : std::set<unsigned>(buttons_)) Button(button, false);
  Sync();
  XCloseDisplay(display_);
}

void XTestInput::Key(unsigned x11Keycode, bool down) {
  if (!display_) return;
  if (x11Keycode == 0) {
    ADD_FAILURE() << "no X key code to press";
    return;
  }
  XTestFakeKeyEvent(display_, x11Keycode, down ? True : False, CurrentTime);
  if (down) {
    keys_.insert(x11Keycode);
  } else {
    keys_.erase(x11Keycode);
  }
}

void XTestInput::KeySym(unsigned long keysym, bool down) {
  if (!display_) return;
  const unsigned code = XKeysymToKeycode(display_, keysym);
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
  if (!display_) return;
  XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
  if (down) {
    buttons_.insert(button);
  } else {
    buttons_.erase(button);
  }
}

void XTestInput::Click(unsigned button) {
  Button(button, true);
  Button(button, false);
}

void XTestInput::Move(int dx, int dy) {
  if (display_) XTestFakeRelativeMotionEvent(display_, dx, dy, CurrentTime);
}

void XTestInput::MoveTo(int x, int y) {
  if (display_) XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
}

void XTestInput::Warp(int x, int y) {
  if (display_) XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, x, y);
}

void XTestInput::Flush() {
  if (display_) XFlush(display_);
}

void XTestInput::Sync() {
  if (display_) XSync(display_, False);
}

}  // namespace test

}  // namespace qel
