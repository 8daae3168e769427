// A display object on the test's X screen (1024 x 768, 24 bits), with its
// messages recorded and its windows cleaned up after each test.
#pragma once

#include <gtest/gtest.h>

#include "display/ui/DDDisplay.h"
#include "display/ui/ScreenResources.h"
#include "display/tests/GuiTestSupport.h"

namespace qel {

namespace display::test {

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(display_.DisplayEnum()); }
  void TearDown() override {
    display_.Free();
    Pump(30);
  }

  // Back-buffer pixel (0x00RRGGBB) and front-frame pixel.
  uint32_t BackPixel(int x, int y) {
    CDC* dc = display_.SurfaceGetDC(kSurfaceBack);
    const COLORREF c = dc->GetPixel(x, y);
    display_.SurfaceReleaseDC(kSurfaceBack, dc);
    return PixelFromColorref(c);
  }
  uint32_t FrontPixel(int x, int y) {
    SurfacePtr f = display_.GetFrontFrame();
    return f ? f->PixelAt(x, y) : 0xFFFFFFFFu;
  }

  CDDDisplay display_;
  MessageRecorder messages_;
};

}  // namespace display::test

}  // namespace qel
