// The host's own operations, as the program and the run engine use them:
// its state after construction, trial codes of the published list, the
// button mapping, the clock and resources the program hands over, the
// break state word and the response device by the settings.
#include <gtest/gtest.h>

#include <cstring>

#include "app/settings/SystemSettings.h"
#include "engine/host/TimerRunClock.h"
#include "engine/host/tests/support/HostTestSupport.h"
#include "engine/host/tests/support/VirtualRunClock.h"
#include "engine/host/ui/TaskHost.h"
#include "engine/input/InputDevices.h"
#include "engine/timer/TimerMs.h"

namespace qel {

namespace test {
namespace {

class TaskHostTest : public testing::Test {
 protected:
  void SetList(std::initializer_list<const char*> codes, uint32_t offset) {
    uint32_t i = 0;
    for (const char* c : codes) std::strncpy(m_host.trialList[i++], c, kTrialCodeSize - 1);
    m_host.trialCount = i;
    m_host.codeOffset = offset;
  }

  CTaskHost m_host;
};

TEST_F(TaskHostTest, StartsEmptyWithCodesOneAndTwo) {
  EXPECT_EQ(m_host.display, &m_host.Display());
  EXPECT_EQ(m_host.reserved0, 0u);
  EXPECT_EQ(m_host.leftCode, 1);
  EXPECT_EQ(m_host.rightCode, 2);
  EXPECT_EQ(m_host.trialCount, 0u);
  EXPECT_EQ(m_host.responseCount, 0u);
  EXPECT_EQ(m_host.practiceFlag, 0);
  EXPECT_EQ(m_host.breakFlag, 0);
  EXPECT_EQ(m_host.secondList, nullptr);
  EXPECT_EQ(m_host.codeOffset, 0u);
  EXPECT_EQ(m_host.GetButtonType(), -1);
  EXPECT_EQ(m_host.Tone().Period(), 0);
}

TEST_F(TaskHostTest, SixLetterCodesSwapHalvesButRefuseQuarters) {
  char code[kTrialCodeSize] = "ABCDEF";
  EXPECT_TRUE(m_host.SwapCodeHalves(code, 0));
  EXPECT_STREQ(code, "DEFABC");
  EXPECT_FALSE(m_host.PermuteCodeQuarters(code, true, 0));
  EXPECT_STREQ(code, "DEFABC");
  char five[kTrialCodeSize] = "ABCDE";
  EXPECT_FALSE(m_host.SwapCodeHalves(five, 0));
  EXPECT_STREQ(five, "ABCDE");
}

TEST_F(TaskHostTest, TrialsArePermutedFromTheCodeOffsetWithinTheCount) {
  SetList({"P1ABCDEFGH", "P2ABCDEFGH", "P3ABCD"}, 2);
  EXPECT_TRUE(m_host.PermuteTrialQuarters(0, true));
  EXPECT_STREQ(m_host.trialList[0], "P1EFGHABCD");
  EXPECT_TRUE(m_host.PermuteTrialQuarters(1, false));
  EXPECT_STREQ(m_host.trialList[1], "P2GHEFCDAB");
  EXPECT_TRUE(m_host.SwapTrialHalves(2));
  EXPECT_STREQ(m_host.trialList[2], "P3CDAB");
  // Trial 3 is past the count: untouched even though a code sits there.
  std::strcpy(m_host.trialList[3], "P4ABCD");
  EXPECT_FALSE(m_host.SwapTrialHalves(3));
  EXPECT_FALSE(m_host.PermuteTrialQuarters(3, true));
  EXPECT_STREQ(m_host.trialList[3], "P4ABCD");
  // A count beyond the list's capacity never reaches past it.
  m_host.trialCount = 5000;
  EXPECT_FALSE(m_host.SwapTrialHalves(kMaxTrialCodes));
  // An offset past the slot changes nothing.
  m_host.codeOffset = 40;
  EXPECT_FALSE(m_host.SwapTrialHalves(0));
  EXPECT_STREQ(m_host.trialList[0], "P1EFGHABCD");
}

TEST_F(TaskHostTest, ButtonCodesAreExchangedOnlyForASwappableTaskAndHandOne) {
  const struct {
    int hand;
    bool swappable;
    int left, right;
  } cases[] = {{1, true, 2, 1}, {0, true, 1, 2}, {1, false, 1, 2}, {2, true, 1, 2}, {0, false, 1, 2}};
  for (const auto& c : cases) {
    m_host.SetButtonMapping(c.hand, c.swappable);
    EXPECT_EQ(m_host.leftCode, c.left) << c.hand << " " << c.swappable;
    EXPECT_EQ(m_host.rightCode, c.right) << c.hand << " " << c.swappable;
  }
}

TEST_F(TaskHostTest, ProgramResourcesAreTheModulesOwnUntilHandedOver) {
  EXPECT_EQ(m_host.GetProgramResources(), &QelModuleResources());
  EXPECT_EQ(m_host.LoadText(245), "Stop the task now?");
  static const unsigned char kText[] = {'H', 'i'};
  static const QelResource kEntries[] = {{"TEXT", 245, kText, sizeof kText}};
  static const QelResourceTable kTable = {kEntries, 1};
  m_host.SetProgramResources(&kTable);
  EXPECT_EQ(m_host.GetProgramResources(), &kTable);
  EXPECT_EQ(m_host.LoadText(245), "Hi");
  m_host.SetProgramResources(nullptr);
  EXPECT_EQ(m_host.LoadText(245), "Stop the task now?");
}

TEST_F(TaskHostTest, TheRunClockIsTheOneHandedOver) {
  VirtualRunClock clock(3);
  m_host.SetRunClock(&clock);
  EXPECT_EQ(m_host.GetRunClock(), &clock);
  EXPECT_EQ(m_host.GetRunTimeMs(), 0u);
  EXPECT_EQ(m_host.GetRunTimeMs(), 3u);  // busy pollers see time move
  m_host.SleepMs(100);
  EXPECT_EQ(clock.Peek(), 106u);
  m_host.SetRunClock(nullptr);
  EXPECT_NE(m_host.GetRunClock(), &clock);
  const uint32_t start = m_host.GetRunTimeMs();
  m_host.SleepMs(10);
  EXPECT_GE(m_host.GetRunTimeMs(), start + 10);
}

TEST_F(TaskHostTest, TheRunTimersClockDrivesTheRunTime) {
  CTimerMs timer;
  ASSERT_TRUE(timer.Init());
  CTimerRunClock clock(timer);
  m_host.SetRunClock(&clock);
  m_host.SleepMs(15);
  EXPECT_GE(timer.GetElapsedMs(), 15u);
  const uint32_t runTime = m_host.GetRunTimeMs();
  EXPECT_GE(runTime, 15u);
  EXPECT_LE(runTime, timer.GetElapsedMs());
  timer.Reset();
  EXPECT_LT(m_host.GetRunTimeMs(), runTime + 1000);  // loose: the timer's origin moved
  m_host.SetRunClock(nullptr);
}

TEST_F(TaskHostTest, BreakStateWordGoesThroughTheDisplay) {
  ASSERT_TRUE(m_host.Display().DisplayEnum());
  for (int state : {kBreakOnScreen, kBreakContinue, kBreakStop, kBreakStopSeen, kBreakRequested}) {
    m_host.BreakSetState(state);
    EXPECT_EQ(m_host.BreakGetState(), state);
    EXPECT_EQ(m_host.Display().BreakGetState(), state);
  }
}

TEST_F(TaskHostTest, InterruptingTheWaitsAnswersTheBreakDialogWithStop) {
  ASSERT_TRUE(m_host.Display().DisplayEnum());
  m_host.BreakSetState(kBreakOnScreen);
  m_host.SetWaitsInterrupted(true);
  EXPECT_EQ(m_host.BreakGetState(), kBreakStop) << "a plug-in waiting in its break dialog ends its part";
  m_host.SetWaitsInterrupted(false);
  EXPECT_EQ(m_host.BreakGetState(), kBreakStop) << "the next run sets the word again";
  m_host.BreakSetState(kBreakRequested);
}

TEST_F(TaskHostTest, FullScreenFailureLeavesTheResourcesUnset) {
  ASSERT_GE(m_host.DisplayEnum(), 1);
  EXPECT_FALSE(m_host.CreateFullScreen(5, 0));
  EXPECT_EQ(m_host.Display().GetInstResource(), nullptr);
  static const QelResourceTable kTable = {nullptr, 0};
  m_host.SetProgramResources(&kTable);
  ASSERT_TRUE(m_host.CreateFullScreen(0, 0));
  EXPECT_EQ(m_host.Display().GetInstResource(), &kTable);
  m_host.FreeDisplay();
  Pump(30);
}

TEST_F(TaskHostTest, ResponseDeviceOpensByTheSettingsAndCloses) {
  PromptRecorder log;
  const int savedType = g_ButtonType, savedIndex = g_ButtonInd;
  ASSERT_EQ(EnumInputDevices(), kInputOk);
  ASSERT_EQ(CreateDirectInput(), kInputOk);
  g_ButtonType = 1;
  g_ButtonInd = 0;
  ASSERT_TRUE(m_host.OpenResponseDevice(0));
  EXPECT_EQ(m_host.GetButtonType(), 1);
  EXPECT_EQ(m_host.ResponseDevice().Index(), 0);
  m_host.CloseResponseDevice();
  EXPECT_EQ(m_host.GetButtonType(), -1);
  EXPECT_EQ(m_host.ResponseDevice().Index(), -1);
  // Without the device system nothing can be acquired.
  ReleaseDirectInput();
  g_ButtonType = 0;
  EXPECT_FALSE(m_host.OpenResponseDevice(0));
  g_ButtonType = savedType;
  g_ButtonInd = savedIndex;
  EXPECT_TRUE(log.Shown().empty());
}

}  // namespace
}  // namespace test

}  // namespace qel
