#include "XTestDriver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace rundlgtest {

XTestDriver::XTestDriver() {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return;
  display_ = d;
  width_ = DisplayWidth(d, DefaultScreen(d));
  height_ = DisplayHeight(d, DefaultScreen(d));
}

XTestDriver::~XTestDriver() {
  if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

void XTestDriver::Key(const char* keysymName, bool down) {
  Display* d = static_cast<Display*>(display_);
  if (!d) return;
  const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(keysymName));
  XTestFakeKeyEvent(d, code, down ? True : False, 0);
  XFlush(d);
}

int XTestDriver::CountLitPixels(int x, int y, int width, int height) {
  Display* d = static_cast<Display*>(display_);
  if (!d) return -1;
  XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, width, height, AllPlanes, ZPixmap);
  if (!image) return -1;
  int lit = 0;
  for (int j = 0; j < height; ++j) {
    for (int i = 0; i < width; ++i) lit += (XGetPixel(image, i, j) & 0x00FFFFFF) != 0 ? 1 : 0;
  }
  XDestroyImage(image);
  return lit;
}

}  // namespace rundlgtest
