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
    m_image = XGetImage(d, DefaultRootWindow(d), x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                        AllPlanes, ZPixmap);
  }
  if (m_image) {
    m_width = width;
    m_height = height;
  }
  XCloseDisplay(d);
}

XScreenShot::~XScreenShot() {
  if (m_image) XDestroyImage(static_cast<XImage*>(m_image));
}

uint32_t XScreenShot::At(int x, int y) const {
  if (!m_image || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(XGetPixel(static_cast<XImage*>(m_image), x, y)) & 0x00FFFFFFu;
}

int XScreenShot::CountLit() const {
  if (!m_image) return -1;
  int lit = 0;
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) lit += At(x, y) != 0 ? 1 : 0;
  }
  return lit;
}

}  // namespace test

}  // namespace qel
