#include "tests/support/x11/XServerHold.h"

#include <X11/Xlib.h>

namespace qel {

namespace test {

void XServerHold::SetUp() { m_display = XOpenDisplay(nullptr); }

void XServerHold::TearDown() {
  if (m_display != nullptr) XCloseDisplay(m_display);
  m_display = nullptr;
}

}  // namespace test

}  // namespace qel
