// Screen geometry of a run and drawing into a display's surfaces.
#include <gtest/gtest.h>

#include <cstring>

#include "include/qel/TaskEntry.h"
#include "taskfw/tests/core/CoreTask.h"

namespace qel {

namespace {

struct GeometryCase {
  int width;
  int height;
  uint32_t sss;  // 0: no run context
  int centreX, centreY, maxX, maxY;
  int size0, size1, size2;
};

class ScreenGeometry : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(ScreenGeometry, FromTheBackSurfaceAndTheScale) {
  const GeometryCase& g = GetParam();
  FakeDisplay display(g.width, g.height);
  BoundTask b;
  if (g.sss) {
    ASSERT_TRUE(b.InitAndSetup());
    b.context.w.TaskSSS = g.sss;
  }
  ASSERT_TRUE(b.task.SetupScreen(&display, false));
  EXPECT_EQ(b.task.m_centreX, g.centreX);
  EXPECT_EQ(b.task.m_centreY, g.centreY);
  EXPECT_EQ(b.task.m_maxX, g.maxX);
  EXPECT_EQ(b.task.m_maxY, g.maxY);
  EXPECT_EQ(b.task.m_minX, 0);
  EXPECT_EQ(b.task.m_size[0], g.size0);
  EXPECT_EQ(b.task.m_size[1], g.size1);
  EXPECT_EQ(b.task.m_size[2], g.size2);
  EXPECT_TRUE(display.Called("SurfaceGetSize " + std::to_string(kSurfaceBack)));
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenGeometry,
                         ::testing::Values(GeometryCase{800, 600, 100, 400, 300, 799, 599, 18, 60, 18},
                                           GeometryCase{800, 600, 150, 400, 300, 799, 599, 27, 90, 27},
                                           GeometryCase{800, 600, 0, 400, 300, 799, 599, 18, 60,
                                                        18},  // scale 1 without a run
                                           GeometryCase{640, 480, 100, 320, 240, 639, 479, 14, 48, 14},
                                           GeometryCase{1024, 768, 50, 512, 384, 1023, 767, 11, 38, 11},
                                           GeometryCase{801, 601, 100, 400, 300, 800, 600, 18, 60, 18}));

TEST(ScreenSetup, ConstructorGeometry) {
  CoreTask task;
  EXPECT_EQ(task.m_maxX, 640);
  EXPECT_EQ(task.m_maxY, 480);
  EXPECT_EQ(task.m_centreX, 320);
  EXPECT_EQ(task.m_centreY, 240);
  EXPECT_EQ(task.m_size[1], 48);
  EXPECT_EQ(task.m_sizePercent[1], 10);
  EXPECT_EQ(task.m_scale, 1.0);
  EXPECT_EQ(task.m_backColour, 0u);
  EXPECT_EQ(task.m_warningColour, 0xFFFFFFu);
  EXPECT_EQ(task.m_feedbackColour, 255u);
}

TEST(ScreenSetup, FailsWithoutDisplayOrSize) {
  CoreTask task;
  EXPECT_FALSE(task.SetupScreen(nullptr, false));
  FakeDisplay display(800, 600);
  display.m_sizeFails = true;
  EXPECT_FALSE(task.SetupScreen(&display, false));
  EXPECT_EQ(task.m_centreX, 320) << "geometry untouched";
}

TEST(ScreenSetup, CurrentCodeFromTheRecord) {
  BoundTask b;
  ASSERT_TRUE(b.InitAndSetup());
  char practice[kTrialCodeSize] = "PRACTICE";
  char test[kTrialCodeSize] = "TEST0123456789AB";
  b.record.practiceCode = practice;
  b.record.testCode = test;
  ASSERT_TRUE(b.task.SetupScreen(&b.display, true));
  EXPECT_STREQ(b.task.m_currentCode, "PRACTICE");
  ASSERT_TRUE(b.task.SetupScreen(&b.display, false));
  EXPECT_EQ(std::memcmp(b.task.m_currentCode, test, kTrialCodeSize), 0);
  // Seventeen letters without an end: the task's copy still ends after 16.
  const char unterminated[kTrialCodeSize] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I',
                                             'J', 'K', 'L', 'M', 'N', 'O', 'P', 'Q'};
  b.record.testCode = unterminated;
  ASSERT_TRUE(b.task.SetupScreen(&b.display, false));
  EXPECT_STREQ(b.task.m_currentCode, "ABCDEFGHIJKLMNOP");
  b.record.testCode = nullptr;
  ASSERT_TRUE(b.task.SetupScreen(&b.display, false));
  const char zeros[kTrialCodeSize] = {};
  EXPECT_EQ(std::memcmp(b.task.m_currentCode, zeros, kTrialCodeSize), 0);
}

TEST(ScreenSetup, PrepareScreenIsCommand9) {
  CoreTask task;
  FakeDisplay display(800, 600);
  EXPECT_TRUE(task.DispatchCommand(kCmdPrepareScreen, reinterpret_cast<intptr_t>(&display), 1, 0, nullptr));
  EXPECT_EQ(task.m_centreY, 300);
  EXPECT_FALSE(task.DispatchCommand(kCmdPrepareScreen, 0, 0, 0, nullptr));
}

// Draws a red square at the centre, over whatever is there.
class SquareTask final : public CoreTask {
 public:
  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override {
    m_code = a;
    m_extra = b;
    dc->FillSolidRect(m_centreX - 5, m_centreY - 5, 10, 10, 0x0000FF);
    return true;
  }
  intptr_t m_code = 0;
  intptr_t m_extra = 0;
};

TEST(DrawToSurface, DrawsIntoSurfaceZeroAndPresents) {
  SquareTask task;
  FakeDisplay display(200, 100);
  task.SetupScreen(&display, false);
  display.Surface(0).Fill(0x777777);
  const char code[kTrialCodeSize] = "A1";
  ASSERT_TRUE(task.DispatchCommand(kCmdDrawToSurface, reinterpret_cast<intptr_t>(code),
                                   reinterpret_cast<intptr_t>(&display), 42, nullptr));
  EXPECT_EQ(task.m_code, reinterpret_cast<intptr_t>(code));
  EXPECT_EQ(task.m_extra, 42);
  MemoryDC& s0 = display.Surface(0);
  EXPECT_EQ(s0.GetPixel(100, 50), 0x0000FFu);
  EXPECT_EQ(s0.GetPixel(0, 0), 0u) << "cleared to black first";
  EXPECT_EQ(display.m_presents, 1);
  EXPECT_EQ(display.Surface(kSurfaceFront).GetPixel(100, 50), 0x0000FFu);
  const std::vector<std::string> expected = {"SurfaceClear 0 0", "SurfaceGetDC 0", "SurfaceReleaseDC 0",
                                             "SurfaceBltBack1 0", "Present 1"};
  std::vector<std::string> calls(display.Calls().end() - 5, display.Calls().end());
  EXPECT_EQ(calls, expected);
}

TEST(DrawToSurface, FailuresOfTheDisplay) {
  SquareTask task;
  EXPECT_FALSE(task.DrawToSurface(0, nullptr, 0));
  FakeDisplay display(200, 100);
  display.m_clearFails = true;
  EXPECT_FALSE(task.DrawToSurface(0, &display, 0));
  EXPECT_FALSE(display.Called("SurfaceGetDC 0"));
  display.m_clearFails = false;
  display.m_bltFails = true;
  EXPECT_TRUE(task.DrawToSurface(0, &display, 0));
  EXPECT_EQ(display.m_presents, 0) << "nothing to present when the copy failed";
  display.m_bltFails = false;
  display.m_dcFails = true;
  task.m_code = 99;
  EXPECT_TRUE(task.DrawToSurface(0, &display, 0));
  EXPECT_EQ(task.m_code, 99) << "nothing drawn without a context";
  EXPECT_EQ(display.m_presents, 1);
}

TEST(DrawStimulus, Command11DrawsWithoutClearingOrPresenting) {
  SquareTask task;
  FakeDisplay display(200, 100);
  task.SetupScreen(&display, false);
  MemoryDC dc(200, 100, 0x777777);
  ASSERT_TRUE(task.DispatchCommand(kCmdDrawStimulus, reinterpret_cast<intptr_t>(&dc), 5, 6, nullptr));
  EXPECT_EQ(dc.GetPixel(100, 50), 0x0000FFu);
  EXPECT_EQ(dc.GetPixel(0, 0), 0x777777u);
  EXPECT_EQ(task.m_code, 5);
  EXPECT_EQ(display.m_presents, 0);
  CoreTask base;
  EXPECT_TRUE(base.DispatchCommand(kCmdDrawStimulus, reinterpret_cast<intptr_t>(&dc), 0, 0, nullptr));
}

}  // namespace

}  // namespace qel
