#include "tests/support/x11/XScreenShot.h"

// Last: the X headers define macros (None, Bool) that clash with the others.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace qel {

namespace test {

XScreenShot::XScreenShot() { Read(0, 0, 0, 0, true); }

XScreenShot::XScreenShot(int x, int y, int width, int height) { Read(x, y, width, height, false); }

void XScreenShot::Read(int x, int y, int width, int height, bool wholeScreen) {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return;
  if (wholeScreen) {
    width = DisplayWidth(d, DefaultScreen(d));
    height = DisplayHeight(d, DefaultScreen(d));
  }
  if (width > 0 && height > 0) {
    image_ = XGetImage(d, DefaultRootWindow(d), x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                       AllPlanes, ZPixmap);
  }
  if (image_) {
    width_ = width;
    height_ = height;
  }
  XCloseDisplay(d);
}

XScreenShot::~XScreenShot() {
  if (image_) XDestroyImage(static_cast<XImage*>(image_));
}

uint32_t XScreenShot::At(int x, int y) const {
  if (!image_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(XGetPixel(static_cast<XImage*>(image_), x, y)) & 0x00FFFFFFu;
}

int XScreenShot::CountLit() const {
  if (!image_) return -1;
  int lit = 0;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) lit += At(x, y) != 0 ? 1 : 0;
  }
  return lit;
}

}  // namespace test

}  // namespace qel
