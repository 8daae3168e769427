// The mouse layer in a task of the test program, around the test host and
// the raster display: pointer movement by sensitivity, the mouse word, the
// pointer's feedback, the calibration ruler and the break dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "taskfw/TaskPlugin.h"
#include "tasks/layers/mouse/TaskMouse.h"
#include "tasks/layers/mouse/tests/support/MouseTestHost.h"
#include "tasks/layers/mouse/tests/support/RasterDisplay.h"
#include "tests/support/fakes/FakeModelTask.h"
#include "tests/support/fakes/FakeRunData.h"
#include "tests/support/fakes/FakeTaskLibrary.h"

namespace qel {

class MouseProbe : public CTaskMouse {
 public:
  MouseProbe();
  using CTaskMouse::m_centreX;
  using CTaskMouse::m_feedbackColour;
  using CTaskMouse::m_maxY;
  using CTaskMouse::m_textColour;
};

namespace {
const char* const kVersions[] = {"No versions"};
const char* const kParts[] = {"Mouse"};
}  // namespace

const QelModelTask g_ModelDefault = {61,           "MOU",
                                     "Mouse Test", {0, 0x1000, 0, 0, 0, 0, 100, 0, 1, 3, 0, 0, 0, 0, 0, 0, 0, 0},
                                     {10},         {MouseWord::kDefault}};

QEL_TASK_PLUGIN(MouseProbe, g_mouseProbe);

MouseProbe::MouseProbe() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersions;
  m_versionCount = 1;
  m_partNames = kParts;
  m_partCount = 1;
}

namespace test {

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kWhite = 0xFFFFFF;

class MouseLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    m_host.display = &m_display;
    m_record.host = &m_host;
    m_context.library = &m_record;
    m_context.w.TaskVersion = 1;
    m_context.w.TaskSSS = 100;
    m_context.TaskParam[0] = MouseWord::kDefault;
    m_host.Reset(0, 0);
  }
  MouseProbe& Task() { return g_mouseProbe; }
  // Commands 0, 2 and 5.
  bool Begin() {
    return Task().DispatchCommand(kCmdInit, reinterpret_cast<intptr_t>(&m_record), 0, 0, nullptr) &&
           Task().DispatchCommand(kCmdSetupRun, reinterpret_cast<intptr_t>(&m_context), 0, 0, nullptr) &&
           Task().DispatchCommand(kCmdBeginRun, reinterpret_cast<intptr_t>(&m_runData), 0, 0, nullptr);
  }

  MouseTestHost m_host;
  RasterDisplay m_display{640, 480, &m_host.m_now};
  FakeTaskLibrary m_record;
  FakeModelTask m_context;
  FakeRunData m_runData;
};

struct WordCase {
  uint32_t word;
  double mmPerPixel;
  int32_t sensitivity;
};

TEST_F(MouseLayer, TheMouseWordGivesPixelSizeAndSensitivity) {
  const WordCase cases[] = {
      {0x1220001, 0.290, 1},  // the default
      {0x1F40002, 0.290, 2},  // pixel size 500 is out of range
      {0x0C80000, 0.200, 0},  // 200, negative
      {0x1900005, 0.400, 1},  // 400; sensitivity 5 is out of range
      {0x0C70002, 0.290, 2},  // 199 is out of range
  };
  for (const WordCase& c : cases) {
    SCOPED_TRACE(c.word);
    m_context.TaskParam[0] = c.word;
    ASSERT_TRUE(Begin());
    ASSERT_TRUE(Task().LoadMouseParams());
    EXPECT_DOUBLE_EQ(Task().MmPerPixel(), c.mmPerPixel);
    EXPECT_EQ(Task().Sensitivity(), c.sensitivity);
  }
}

struct MoveCase {
  uint32_t word;
  QelPoint from;
  QelPoint move;
  QelPoint to;
};

TEST_F(MouseLayer, MovementFollowsTheSensitivityAndStaysOnTheScreen) {
  const MoveCase cases[] = {
      {0x1220000, {100, 100}, {3, -3}, {101, 99}},   // negative: halved toward zero
      {0x1220000, {100, 100}, {1, -1}, {100, 100}},  // a single count is lost
      {0x1220001, {100, 100}, {3, -3}, {103, 97}},   // equal
      {0x1220002, {100, 100}, {3, -3}, {106, 94}},   // positive: doubled
      {0x1220001, {10, 10}, {-500, 900}, {0, 479}},  // kept on the 640 x 480 screen
      {0x1220002, {630, 5}, {20, -20}, {639, 0}},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.word) + " " + std::to_string(c.move.x));
    m_context.TaskParam[0] = c.word;
    ASSERT_TRUE(Begin());
    ASSERT_TRUE(Task().LoadMouseParams());
    m_host.Reset(0, 0);
    m_host.m_mouse = [&c](uint32_t) { return c.move; };
    int x = c.from.x;
    int y = c.from.y;
    Task().MovePointer(x, y);
    EXPECT_EQ(x, c.to.x);
    EXPECT_EQ(y, c.to.y);
    // The movement is reported once.
    Task().MovePointer(x, y);
    EXPECT_EQ(x, c.to.x);
  }
}

TEST_F(MouseLayer, FeedbackTurnsThePointerRedOrSoundsByType) {
  m_context.w.TaskFbk = 2;
  ASSERT_TRUE(Begin());
  ASSERT_TRUE(Task().LoadMouseParams());
  EXPECT_EQ(Task().PointerColour(), kWhite);
  Task().SetFeedback(true);
  EXPECT_EQ(Task().PointerColour(), kRed);
  Task().SetFeedback(false);
  EXPECT_EQ(Task().PointerColour(), kWhite);
  // A new run starts white.
  Task().SetFeedback(true);
  ASSERT_TRUE(Begin());
  EXPECT_EQ(Task().PointerColour(), kWhite);

  m_context.w.TaskFbk = 1;  // sound 0 of the program's feedback sounds
  ASSERT_TRUE(Begin());
  ASSERT_TRUE(Task().LoadMouseParams());
  m_host.ClearCalls();
  Task().SetFeedback(true);
  Task().SetFeedback(true);
  EXPECT_EQ(m_host.CountCalls("PlaySound"), 1) << "one sound while the feedback lasts";
  Task().SetFeedback(false);
  EXPECT_EQ(m_host.CountCalls("StopSound"), 1);
  EXPECT_EQ(Task().PointerColour(), kWhite);

  m_context.w.TaskFbk = 0;
  ASSERT_TRUE(Begin());
  ASSERT_TRUE(Task().LoadMouseParams());
  m_host.ClearCalls();
  Task().SetFeedback(true);
  EXPECT_EQ(Task().PointerColour(), kWhite);
  EXPECT_EQ(m_host.CountCalls("PlaySound"), 0);
}

// What DrawRuler drew, through the display's record.
Frame DrawRuler(MouseProbe& task, RasterDisplay& display, int rulerY, double threshold, QelPoint target,
                QelPoint pointer) {
  display.SurfaceClear(kSurfaceBack, 0);
  CDC* dc = display.SurfaceGetDC(kSurfaceBack);
  task.DrawRuler(dc, rulerY, threshold, target.x, target.y, pointer.x, pointer.y);
  display.SurfaceReleaseDC(kSurfaceBack, dc);
  display.Present(true);
  return display.Shown();
}

TEST_F(MouseLayer, TheRulerIs100MmAndTheThresholdCircleIsDrawnAroundTheTarget) {
  ASSERT_TRUE(Begin());
  ASSERT_TRUE(Task().LoadMouseParams());
  const int row = Task().m_maxY;
  const Frame f = DrawRuler(Task(), m_display, row, 12.0, {300, 200}, {310, 200});
  // 100 / 0.29 = 344 pixels, centred: from 148; a threshold of 12 mm is 41 pixels.
  EXPECT_EQ(Task().PixelsOf(100), 344);
  ASSERT_EQ(f.ellipses.size(), 1u);
  EXPECT_EQ(f.ellipses[0].pen, kRed);
  EXPECT_EQ(f.ellipses[0].brush, kNoBrush);
  EXPECT_EQ(f.ellipses[0].box.left, 300 - 41);
  EXPECT_EQ(f.ellipses[0].box.right, 300 + 42);
  ASSERT_GE(f.lines.size(), 13u);
  EXPECT_EQ(f.lines[0].colour, kWhite) << "the pointer lies inside the circle";
  const DrawnLine& ruler = f.lines[1];
  EXPECT_EQ(ruler.from.x, 148);
  EXPECT_EQ(ruler.to.x, 148 + 344 + 1);
  EXPECT_EQ(ruler.from.y, row);
  for (int k = 0; k <= 10; ++k) {
    const DrawnLine& tick = f.lines[2 + static_cast<size_t>(k)];
    EXPECT_EQ(tick.from.x, 148 + k * 344 / 10) << k;
    EXPECT_EQ(tick.to.y, row - 3) << k;
  }
  ASSERT_EQ(f.texts.size(), 3u);
  EXPECT_EQ(f.texts[0].text, "12mm");
  EXPECT_EQ(f.texts[0].colour, kRed);
  EXPECT_EQ(f.texts[0].at.x, 300 + 42);
  EXPECT_EQ(f.texts[1].text, "100mm");
  EXPECT_EQ(f.texts[1].at.x, 148 + 344);
  EXPECT_EQ(f.texts[2].text, "0");
  EXPECT_EQ(f.texts[2].at.x, 147);
  // The ruler's pixels are on the screen, in the text colour.
  EXPECT_EQ(m_display.FrontPixel(148, row), kWhite);
  EXPECT_EQ(m_display.FrontPixel(492, row), kWhite);
  EXPECT_EQ(m_display.FrontPixel(300 - 41, 200), kRed);

  // Outside the circle the line is red; without a ruler row only the circle
  // and the line; without a threshold only the ruler.
  const Frame outside = DrawRuler(Task(), m_display, -1, 12.0, {300, 200}, {300, 241});
  ASSERT_EQ(outside.lines.size(), 1u);
  EXPECT_EQ(outside.lines[0].colour, kRed);
  EXPECT_TRUE(outside.texts.empty());
  const Frame noThreshold = DrawRuler(Task(), m_display, row, 0.0, {300, 200}, {300, 241});
  EXPECT_TRUE(noThreshold.ellipses.empty());
  EXPECT_EQ(noThreshold.lines.size(), 12u);
}

TEST_F(MouseLayer, TheBreakDialogOpensAnswersAndIsRefusedWhileTheRunEnds) {
  ASSERT_TRUE(Begin());
  static bool restored = false;
  const QelRestoreCallback restore = [](void*) {
    restored = true;
    return true;
  };
  m_display.m_breakAnswer = kBreakContinue;
  m_display.m_breakAnswerAfterMs = 50;
  ASSERT_TRUE(Task().OpenBreakDialog("5 second from 60: User Break!", restore));
  EXPECT_EQ(m_display.m_breakTitles.back(), "5 second from 60: User Break!");
  ASSERT_NE(m_host.m_restoreCallback, nullptr);
  m_host.m_restoreCallback(m_host.m_restoreContext);
  EXPECT_TRUE(restored);
  EXPECT_EQ(Task().PollBreakDialog(), CTaskMouse::BreakAnswer::kPending);
  m_host.m_now += 50;
  EXPECT_EQ(Task().PollBreakDialog(), CTaskMouse::BreakAnswer::kContinue);
  EXPECT_EQ(m_host.m_restoreCallback, nullptr) << "the callback goes with the dialog";

  m_display.m_breakAnswer = kBreakStop;
  ASSERT_TRUE(Task().OpenBreakDialog("again", restore));
  m_host.m_now += 50;
  EXPECT_EQ(Task().PollBreakDialog(), CTaskMouse::BreakAnswer::kStop);

  // The run is being ended (the break state says stop): no dialog.
  const int opened = m_display.m_breakOpened;
  m_display.BreakSetState(kBreakStop);
  EXPECT_FALSE(Task().OpenBreakDialog("late", restore));
  EXPECT_EQ(m_display.m_breakOpened, opened);
  // A display that cannot show it.
  m_display.BreakSetState(kBreakRequested);
  m_display.m_breakOpens = false;
  EXPECT_FALSE(Task().OpenBreakDialog("none", restore));
  EXPECT_EQ(m_host.m_restoreCallback, nullptr);
}

}  // namespace

}  // namespace test

}  // namespace qel
