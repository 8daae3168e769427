// The series layer in a run: the length published at the set-up command, the
// counter and the overlay, through the task's commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "include/qel/TaskEntry.h"
#include "tasks/layers/series/tests/SeriesTask.h"

namespace qel {

namespace {

intptr_t P(const void* p) { return reinterpret_cast<intptr_t>(p); }

bool HasCall(const MemoryDC& dc, const std::string& call) {
  return std::find(dc.Calls().begin(), dc.Calls().end(), call) != dc.Calls().end();
}

TEST(SeriesSetupRun, PublishesTheSeriesLength) {
  BoundSeriesTask b;
  b.record.seriesLength = 7;
  ASSERT_TRUE(b.InitAndSetup());
  EXPECT_EQ(b.record.seriesLength, 24u);
}

TEST(SeriesSetupRun, AFailedSetupPublishesNoLength) {
  BoundSeriesTask b;
  b.context.w.TaskVersion = 2;  // the task has one version
  b.record.seriesLength = 7;
  ASSERT_TRUE(b.task.DispatchCommand(kCmdInit, P(&b.record), 0, 0, nullptr));
  EXPECT_FALSE(b.task.DispatchCommand(kCmdSetupRun, P(&b.context), 0, 0, nullptr));
  EXPECT_EQ(b.record.seriesLength, 0u);
}

struct OverlaySwitch {
  uint32_t word0;
  bool on;
};

class SeriesBeginRun : public ::testing::TestWithParam<OverlaySwitch> {};

TEST_P(SeriesBeginRun, ResetsTheCounterAndMakesTheOverlayFont) {
  BoundSeriesTask b;
  b.context.TaskParam[0] = GetParam().word0;
  ASSERT_TRUE(b.InitAndSetup());
  b.task.m_responseCounter = 5;
  ASSERT_TRUE(b.Begin());
  EXPECT_EQ(b.task.ResponseCount(), 0);
  EXPECT_EQ(b.task.OverlayOn(), GetParam().on);
  EXPECT_EQ(b.task.m_overlayFont.IsCreated(), GetParam().on);
  if (GetParam().on) {
    // 12 points at 96 pixels per inch.
    EXPECT_EQ(b.task.m_overlayFont.Height(), -16);
    EXPECT_EQ(b.task.m_overlayFont.Weight(), 400);
  }
  // The back surface's context was taken for the font and given back.
  EXPECT_TRUE(b.display.Called("SurfaceGetDC " + std::to_string(kSurfaceBack)));
  EXPECT_TRUE(b.display.Called("SurfaceReleaseDC " + std::to_string(kSurfaceBack)));
}

INSTANTIATE_TEST_SUITE_P(Word0, SeriesBeginRun,
                         ::testing::Values(OverlaySwitch{0, false}, OverlaySwitch{1, true}, OverlaySwitch{3, true}));

TEST(SeriesBeginRun, FailsWithTheBaseAndKeepsTheCounter) {
  BoundSeriesTask b;
  ASSERT_TRUE(b.InitAndSetup());
  b.task.m_responseCounter = 5;
  EXPECT_FALSE(b.task.DispatchCommand(kCmdBeginRun, 0, 0, 0, nullptr));  // no run data
  EXPECT_EQ(b.task.ResponseCount(), 5);
  b.display.m_clearFails = true;
  EXPECT_FALSE(b.Begin());
}

TEST(SeriesClassify, CountsScoredCategoriesAndKeepsThem) {
  BoundSeriesTask b;
  ASSERT_TRUE(b.InitAndSetup());
  ASSERT_TRUE(b.Begin());
  int expectedCount = 0;
  for (int32_t category = 0; category <= 8; ++category) {
    int32_t out = -1;
    ASSERT_TRUE(b.task.DispatchCommand(kCmdClassifyResponse, category, 77, 0, &out));
    EXPECT_EQ(out, category);
    if (category >= 1 && category <= 4) ++expectedCount;
    EXPECT_EQ(b.task.ResponseCount(), expectedCount) << "after category " << category;
  }
}

struct OverlayCase {
  int length;
  int counted;
  bool marked;
  const char* text;
};

class SeriesOverlay : public ::testing::TestWithParam<OverlayCase> {};

TEST_P(SeriesOverlay, ShowsTheSeriesNumberAtTheBottomRight) {
  const OverlayCase& c = GetParam();
  BoundSeriesTask b;
  b.task.m_seriesLength = c.length;
  ASSERT_TRUE(b.InitAndSetup());
  ASSERT_TRUE(b.Begin());
  for (int i = 0; i < c.counted; ++i) b.task.ClassifyResponse(1 + i % 4, 0);
  b.host.secondListFlag = c.marked ? 1 : 0;
  EXPECT_EQ(b.task.SeriesOverlayText(), c.text);

  const char code[17] = "A";
  ASSERT_TRUE(b.task.DispatchCommand(kCmdShowSignal, P(code), P(&b.display), 0, nullptr));
  const MemoryDC& back = b.display.Surface(kSurfaceBack);
  EXPECT_TRUE(HasCall(back, std::string("TextOut 799 599 ") + c.text));
  // Aligned right and bottom, in the task's colours, with the font chosen
  // for the output only.
  const auto& calls = back.Calls();
  const auto text = std::find(calls.begin(), calls.end(), std::string("TextOut 799 599 ") + c.text);
  ASSERT_NE(text, calls.end());
  EXPECT_NE(std::find(calls.begin(), text, "SetTextAlign"), text);
  EXPECT_NE(std::find(calls.begin(), text, "SetTextColor"), text);
  EXPECT_NE(std::find(calls.begin(), text, "SetBkColor"), text);
  EXPECT_NE(std::find(calls.begin(), text, "SetFont"), text);
  EXPECT_NE(std::find(text, calls.end(), "SetFont"), calls.end());
}

INSTANTIATE_TEST_SUITE_P(Numbers, SeriesOverlay,
                         ::testing::Values(OverlayCase{24, 50, false, "3"}, OverlayCase{24, 50, true, "*3"},
                                           OverlayCase{24, 0, false, "1"}, OverlayCase{24, 23, false, "1"},
                                           OverlayCase{24, 24, false, "2"}, OverlayCase{0, 9, false, "0"}));

TEST(SeriesSignal, DrawsNoOverlayWhenItIsOff) {
  BoundSeriesTask b;
  b.context.TaskParam[0] = 0;
  ASSERT_TRUE(b.InitAndSetup());
  ASSERT_TRUE(b.Begin());
  const char code[17] = "A";
  EXPECT_TRUE(b.task.DispatchCommand(kCmdShowSignal, P(code), P(&b.display), 0, nullptr));
  EXPECT_TRUE(b.task.DispatchCommand(kCmdHideSignal, 0, 0, 0, nullptr));
  for (const std::string& call : b.display.Surface(kSurfaceBack).Calls()) {
    EXPECT_NE(call.rfind("TextOut", 0), 0u) << call;
  }
}

TEST(SeriesSignal, ShowFailsWithoutCodeClearOrContext) {
  BoundSeriesTask b;
  ASSERT_TRUE(b.InitAndSetup());
  ASSERT_TRUE(b.Begin());
  const char code[17] = "A";
  EXPECT_FALSE(b.task.DispatchCommand(kCmdShowSignal, 0, P(&b.display), 0, nullptr));
  b.display.m_dcFails = true;
  EXPECT_FALSE(b.task.DispatchCommand(kCmdShowSignal, P(code), P(&b.display), 0, nullptr));
  b.display.m_dcFails = false;
  b.display.m_clearFails = true;
  EXPECT_FALSE(b.task.DispatchCommand(kCmdShowSignal, P(code), P(&b.display), 0, nullptr));
}

TEST(SeriesSignal, HideIsTrueEvenWithoutOverlay) {
  BoundSeriesTask b;
  ASSERT_TRUE(b.InitAndSetup());
  ASSERT_TRUE(b.Begin());
  b.display.m_dcFails = true;
  b.display.m_clearFails = true;
  EXPECT_TRUE(b.task.DispatchCommand(kCmdHideSignal, 3, 0, 0, nullptr));
  SeriesTask unbound;
  EXPECT_TRUE(unbound.DispatchCommand(kCmdHideSignal, 3, 0, 0, nullptr));
}

TEST(SeriesEndRun, DeletesTheOverlayFont) {
  BoundSeriesTask b;
  ASSERT_TRUE(b.InitAndSetup());
  ASSERT_TRUE(b.Begin());
  ASSERT_TRUE(b.task.m_overlayFont.IsCreated());
  EXPECT_TRUE(b.task.DispatchCommand(kCmdEndRun, 0, 0, 0, nullptr));
  EXPECT_FALSE(b.task.m_overlayFont.IsCreated());
  SeriesTask unbound;
  EXPECT_FALSE(unbound.DispatchCommand(kCmdEndRun, 0, 0, 0, nullptr));
}

}  // namespace

}  // namespace qel
