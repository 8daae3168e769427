// X screenshots and key presses, kept apart from wx and gtest because of
// the macros the X headers define.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include "gui_test_support.h"

namespace qel::display::test {

ScreenShot::ScreenShot() {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return;
  display_ = d;
  width_ = DisplayWidth(d, DefaultScreen(d));
  height_ = DisplayHeight(d, DefaultScreen(d));
  image_ = XGetImage(d, DefaultRootWindow(d), 0, 0, width_, height_, AllPlanes, ZPixmap);
}

ScreenShot::~ScreenShot() {
  if (image_) XDestroyImage(static_cast<XImage*>(image_));
  if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

uint32_t ScreenShot::At(int x, int y) const {
  if (!image_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(XGetPixel(static_cast<XImage*>(image_), x, y)) & 0x00FFFFFFu;
}

void PressKeyAt(unsigned long keysym, int x, int y) {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return;
  XWarpPointer(d, 0, DefaultRootWindow(d), 0, 0, 0, 0, x, y);
  const KeyCode code = XKeysymToKeycode(d, keysym);
  XTestFakeKeyEvent(d, code, True, 0);
  XTestFakeKeyEvent(d, code, False, 0);
  XSync(d, False);
  XCloseDisplay(d);
}

}  // namespace qel::display::test
