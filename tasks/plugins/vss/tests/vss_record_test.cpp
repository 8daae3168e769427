// What VisuoSpatial Sequencing publishes: its default model task, the lists
// of a run in the library record, the texts by language, the board's
// geometry by screen and scale, and the preview of a series.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "include/qel/TaskEntry.h"
#include "tasks/layers/mouse/tests/support/LoadedMouseTask.h"

namespace qel {

namespace test {

namespace {

TEST(VssRecord, TheDefaultModelTaskAndTheListsOfARun) {
  LoadedMouseTask t("VSS");
  ASSERT_TRUE(t.Loaded());
  const QelModelTask& d = *t.m_library.modelDefault;
  EXPECT_EQ(d.TaskId, 36u);
  EXPECT_STREQ(d.TaskIdStr, "VSS");
  EXPECT_STREQ(d.TaskName, "VisuoSpatial Sequencing");
  EXPECT_EQ(d.w.TaskFlags, 0x2001002u);
  EXPECT_EQ(d.w.TaskIntrContinue, 1u);
  EXPECT_EQ(d.w.TaskSSS, 200u);
  EXPECT_EQ(d.TaskPartTrials[0], 24u);
  EXPECT_EQ(d.TaskParam[0], 0x1220001u);
  EXPECT_EQ(d.TaskParam[1], 0u);
  EXPECT_EQ(d.TaskParam[2], 1000u);
  EXPECT_EQ(d.TaskParam[3], 750u);
  EXPECT_EQ(d.TaskParam[4], 0u);
  EXPECT_EQ(t.m_library.versionCount, 2);
  EXPECT_STREQ(t.m_library.versionNames[1], "Version 2");
  EXPECT_STREQ(t.m_library.partNames[0], "No parts");
  // Norms are found under the norms database's names.
  EXPECT_STREQ(t.m_library.normVariables[6].name, "ZTint_vs");
  EXPECT_STREQ(t.m_library.scoreVariables[t.m_library.normVariables[6].id].code, "Ztint_vs");

  ASSERT_TRUE(t.Setup(0));
  const CTaskLibrary& r = t.m_library;
  EXPECT_EQ(r.testTrialCount, 24u);
  EXPECT_STREQ(r.testTrialList[0], "123000000");
  EXPECT_STREQ(r.testTrialList[23], "841562000");
  EXPECT_EQ(r.practiceTrialCount, 1u);
  EXPECT_STREQ(r.practiceTrialList[0], "654000000");
  EXPECT_EQ(r.secondListCount, 1u);
  EXPECT_STREQ(r.secondList[0], "456000000");
  EXPECT_EQ(r.partWordsA[0], 24);
  EXPECT_EQ(r.partWordsB[0], 1);
  EXPECT_EQ(r.normTrialCounts[0], 24);
  EXPECT_EQ(t.m_host.trialCount, 24u);
  EXPECT_STREQ(t.m_host.trialList[4], "147890000");
}

TEST(VssRecord, TextsByLanguage) {
  LoadedMouseTask t("VSS");
  ASSERT_TRUE(t.Loaded());
  const struct {
    int language;
    const char *task, *parameters;
  } cases[] = {{0, "VisuoSpatial Sequencing", "VisuoSpatial Sequencing: parameters"},
               {2, "Visueel-ruimtelijke reeksen", "Visueel-ruimtelijke reeksen: parameters"},
               {3, "Sequenze visuospaziali", "Sequenze visuospaziali: parametri"}};
  for (const auto& c : cases) {
    t.m_host.language = c.language;
    ASSERT_TRUE(t.m_task.PrepareRun(t.m_runData.get()));
    EXPECT_TRUE(t.TextHas(0, c.task)) << c.language;
    EXPECT_TRUE(t.TextHas(2, c.parameters)) << c.language;
    EXPECT_TRUE(t.TextHas(1, "little hand")) << "one part text for all";
    EXPECT_TRUE(t.m_library.texts[3].empty());
  }
}

struct BoardCase {
  int width, height;
  uint32_t scale;
  int half, r1, r3, spacing;
};

class VssBoard : public ::testing::TestWithParam<BoardCase> {};

TEST_P(VssBoard, FollowsTheScreenAndScale) {
  const BoardCase& c = GetParam();
  LoadedMouseTask t("VSS", c.width, c.height);
  ASSERT_TRUE(t.Loaded());
  t.m_task.w.TaskSSS = c.scale;
  t.m_host.Reset(c.width / 2, c.height / 2);
  t.m_host.m_operatorKeys = {kScanEscape};
  t.m_display.m_breakAnswer = kBreakStop;
  t.RunPart(0);
  // The empty board: nine black discs of r1 with grey centres of r3.
  const Frame& f = t.m_display.Shown();
  ASSERT_EQ(f.ellipses.size(), 18u);
  const int cx = c.width / 2;
  const int cy = c.height / 2;
  EXPECT_EQ(f.ellipses[0].brush, 0u);
  EXPECT_EQ(f.ellipses[0].box.left, cx - c.spacing - c.r1) << "circle 1, top left";
  EXPECT_EQ(f.ellipses[0].box.top, cy - c.spacing - c.r1);
  EXPECT_EQ(f.ellipses[1].brush, 0x7F7F7Fu);
  EXPECT_EQ(f.ellipses[1].box.left, cx - c.spacing - c.r3);
  EXPECT_EQ(f.ellipses[17].box.right, cx + c.spacing + c.r3 + 1) << "circle 9, bottom right";
  EXPECT_EQ(t.m_display.FrontPixel(cx - c.half, cy - c.half), 0x3F3F3Fu) << "the board's corner";
  EXPECT_EQ(t.m_display.FrontPixel(cx - c.half - 1, cy), 0u);
  EXPECT_EQ(t.m_display.FrontPixel(cx + c.half, cy), 0x3F3F3Fu) << "the board's right edge";
  EXPECT_EQ(t.m_display.FrontPixel(cx + c.half + 1, cy), 0u);
}

INSTANTIATE_TEST_SUITE_P(Screens, VssBoard,
                         ::testing::Values(BoardCase{640, 480, 200, 240, 30, 21, 160},
                                           BoardCase{800, 600, 200, 300, 37, 26, 200},
                                           BoardCase{640, 480, 100, 120, 15, 11, 80}));

TEST(VssRecord, ThePreviewMarksTheSeriesCircles) {
  LoadedMouseTask t("VSS");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(0));
  ASSERT_TRUE(t.m_library.CallTaskEntry(kCmdPrepareScreen, reinterpret_cast<intptr_t>(&t.m_display), 0, 0, nullptr));
  char code[kTrialCodeSize] = {};
  std::strcpy(code, "159000000");  // version 1: circles 7, 5, 3
  ASSERT_TRUE(t.m_library.CallTaskEntry(kCmdDrawToSurface, reinterpret_cast<intptr_t>(code),
                                        reinterpret_cast<intptr_t>(&t.m_display), 0, nullptr));
  const int series[3] = {7, 5, 3};
  for (int circle = 1; circle <= 9; ++circle) {
    const int x = 320 + ((circle - 1) % 3 - 1) * 160;
    const int y = 240 + ((circle - 1) / 3 - 1) * 160;
    const bool inSeries = circle == series[0] || circle == series[1] || circle == series[2];
    EXPECT_EQ(t.m_display.FrontPixel(x, y), inSeries ? 0xFFFFFFu : 0x7F7F7Fu) << circle;
    // White discs of r2 = 27, grey ones of r3 = 21, in black discs of r1 = 30.
    EXPECT_EQ(t.m_display.FrontPixel(x + 24, y), inSeries ? 0xFFFFFFu : 0u) << circle;
    EXPECT_EQ(t.m_display.FrontPixel(x + 29, y), 0u) << circle;
  }
  std::strcpy(code, "15");
  CDC* dc = t.m_display.SurfaceGetDC(0);
  EXPECT_FALSE(t.m_library.CallTaskEntry(kCmdDrawStimulus, reinterpret_cast<intptr_t>(dc),
                                         reinterpret_cast<intptr_t>(code), 0, nullptr))
      << "a code shorter than nine characters";
  t.m_display.SurfaceReleaseDC(0, dc);
}

}  // namespace

}  // namespace test

}  // namespace qel
