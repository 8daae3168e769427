// A display object on the test's X screen (1024 x 768, 24 bits), with its
// messages recorded and its windows cleaned up after each test.
#pragma once

#include <gtest/gtest.h>

#include "display/tests/GuiTestSupport.h"
#include "display/ui/DDDisplay.h"
#include "display/ui/ScreenResources.h"

namespace qel {

namespace display::test {

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_display.DisplayEnum()); }
  void TearDown() override {
    m_display.Free();
    Pump(30);
  }

  // Back-buffer pixel (0x00RRGGBB) and front-frame pixel.
  uint32_t BackPixel(int x, int y) {
    CDC* dc = m_display.SurfaceGetDC(kSurfaceBack);
    const COLORREF c = dc->GetPixel(x, y);
    m_display.SurfaceReleaseDC(kSurfaceBack, dc);
    return PixelFromColorref(c);
  }
  uint32_t FrontPixel(int x, int y) {
    SurfacePtr f = m_display.GetFrontFrame();
    return f ? f->PixelAt(x, y) : 0xFFFFFFFFu;
  }

  CDDDisplay m_display;
  MessageRecorder m_messages;
};

}  // namespace display::test

}  // namespace qel
