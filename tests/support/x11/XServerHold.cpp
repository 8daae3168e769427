#include "tests/support/x11/XServerHold.h"

#include <X11/Xlib.h>

namespace qel {

namespace test {

void XServerHold::SetUp() { display_ = XOpenDisplay(nullptr); }

void XServerHold::TearDown() {
  if (display_ != nullptr) XCloseDisplay(display_);
  display_ = nullptr;
}

}  // namespace test

}  // namespace qel
