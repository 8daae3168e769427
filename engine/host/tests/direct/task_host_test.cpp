// The host's own operations, as the program and the run engine use them:
// its state after construction, trial codes of the published list, the
// button mapping, the clock and resources the program hands over, the
// break state word and the response device by the settings.
#include <gtest/gtest.h>

#include <cstring>

#include "app/settings/SystemSettings.h"
#include "engine/host/ui/TaskHost.h"
#include "engine/host/TimerRunClock.h"
#include "engine/input/InputDevices.h"
#include "engine/timer/TimerMs.h"
#include "engine/host/tests/support/HostTestSupport.h"
#include "engine/host/tests/support/VirtualRunClock.h"

namespace qel {

namespace test {
namespace {

class TaskHostTest : public testing::Test {
 protected:
  void SetList(std::initializer_list<const char*> codes, uint32_t offset) {
    uint32_t i = 0;
    for (const char* c : codes) std::strncpy(host_.trialList[i++], c, kTrialCodeSize - 1);
    host_.trialCount = i;
    host_.codeOffset = offset;
  }

  CTaskHost host_;
};

TEST_F(TaskHostTest, StartsEmptyWithCodesOneAndTwo) {
  EXPECT_EQ(host_.display, &host_.Display());
  EXPECT_EQ(host_.reserved0, 0u);
  EXPECT_EQ(host_.leftCode, 1);
  EXPECT_EQ(host_.rightCode, 2);
  EXPECT_EQ(host_.trialCount, 0u);
  EXPECT_EQ(host_.responseCount, 0u);
  EXPECT_EQ(host_.practiceFlag, 0);
  EXPECT_EQ(host_.breakFlag, 0);
  EXPECT_EQ(host_.secondList, nullptr);
  EXPECT_EQ(host_.codeOffset, 0u);
  EXPECT_EQ(host_.GetButtonType(), -1);
  EXPECT_EQ(host_.Tone().Period(), 0);
}

TEST_F(TaskHostTest, SixLetterCodesSwapHalvesButRefuseQuarters) {
  char code[kTrialCodeSize] = "ABCDEF";
  EXPECT_TRUE(host_.SwapCodeHalves(code, 0));
  EXPECT_STREQ(code, "DEFABC");
  EXPECT_FALSE(host_.PermuteCodeQuarters(code, true, 0));
  EXPECT_STREQ(code, "DEFABC");
  char five[kTrialCodeSize] = "ABCDE";
  EXPECT_FALSE(host_.SwapCodeHalves(five, 0));
  EXPECT_STREQ(five, "ABCDE");
}

TEST_F(TaskHostTest, TrialsArePermutedFromTheCodeOffsetWithinTheCount) {
  SetList({"P1ABCDEFGH", "P2ABCDEFGH", "P3ABCD"}, 2);
  EXPECT_TRUE(host_.PermuteTrialQuarters(0, true));
  EXPECT_STREQ(host_.trialList[0], "P1EFGHABCD");
  EXPECT_TRUE(host_.PermuteTrialQuarters(1, false));
  EXPECT_STREQ(host_.trialList[1], "P2GHEFCDAB");
  EXPECT_TRUE(host_.SwapTrialHalves(2));
  EXPECT_STREQ(host_.trialList[2], "P3CDAB");
  // Trial 3 is past the count: untouched even though a code sits there.
  std::strcpy(host_.trialList[3], "P4ABCD");
  EXPECT_FALSE(host_.SwapTrialHalves(3));
  EXPECT_FALSE(host_.PermuteTrialQuarters(3, true));
  EXPECT_STREQ(host_.trialList[3], "P4ABCD");
  // A count beyond the list's capacity never reaches past it.
  host_.trialCount = 5000;
  EXPECT_FALSE(host_.SwapTrialHalves(kMaxTrialCodes));
  // An offset past the slot changes nothing.
  host_.codeOffset = 40;
  EXPECT_FALSE(host_.SwapTrialHalves(0));
  EXPECT_STREQ(host_.trialList[0], "P1EFGHABCD");
}

TEST_F(TaskHostTest, ButtonCodesAreExchangedOnlyForASwappableTaskAndHandOne) {
  const struct {
    int hand;
    bool swappable;
    int left, right;
  } cases[] = {{1, true, 2, 1}, {0, true, 1, 2}, {1, false, 1, 2}, {2, true, 1, 2}, {0, false, 1, 2}};
  for (const auto& c : cases) {
    host_.SetButtonMapping(c.hand, c.swappable);
    EXPECT_EQ(host_.leftCode, c.left) << c.hand << " " << c.swappable;
    EXPECT_EQ(host_.rightCode, c.right) << c.hand << " " << c.swappable;
  }
}

TEST_F(TaskHostTest, ProgramResourcesAreTheModulesOwnUntilHandedOver) {
  EXPECT_EQ(host_.GetProgramResources(), &QelModuleResources());
  EXPECT_EQ(host_.LoadText(245), "Stop the task now?");
  static const unsigned char kText[] = {'H', 'i'};
  static const QelResource kEntries[] = {{"TEXT", 245, kText, sizeof kText}};
  static const QelResourceTable kTable = {kEntries, 1};
  host_.SetProgramResources(&kTable);
  EXPECT_EQ(host_.GetProgramResources(), &kTable);
  EXPECT_EQ(host_.LoadText(245), "Hi");
  host_.SetProgramResources(nullptr);
  EXPECT_EQ(host_.LoadText(245), "Stop the task now?");
}

TEST_F(TaskHostTest, TheRunClockIsTheOneHandedOver) {
  VirtualRunClock clock(3);
  host_.SetRunClock(&clock);
  EXPECT_EQ(host_.GetRunClock(), &clock);
  EXPECT_EQ(host_.GetRunTimeMs(), 0u);
  EXPECT_EQ(host_.GetRunTimeMs(), 3u);  // busy pollers see time move
  host_.SleepMs(100);
  EXPECT_EQ(clock.Peek(), 106u);
  host_.SetRunClock(nullptr);
  EXPECT_NE(host_.GetRunClock(), &clock);
  const uint32_t start = host_.GetRunTimeMs();
  host_.SleepMs(10);
  EXPECT_GE(host_.GetRunTimeMs(), start + 10);
}

TEST_F(TaskHostTest, TheRunTimersClockDrivesTheRunTime) {
  CTimerMs timer;
  ASSERT_TRUE(timer.Init());
  CTimerRunClock clock(timer);
  host_.SetRunClock(&clock);
  host_.SleepMs(15);
  EXPECT_GE(timer.GetElapsedMs(), 15u);
  const uint32_t runTime = host_.GetRunTimeMs();
  EXPECT_GE(runTime, 15u);
  EXPECT_LE(runTime, timer.GetElapsedMs());
  timer.Reset();
  EXPECT_LT(host_.GetRunTimeMs(), runTime + 1000);  // loose: the timer's origin moved
  host_.SetRunClock(nullptr);
}

TEST_F(TaskHostTest, BreakStateWordGoesThroughTheDisplay) {
  ASSERT_TRUE(host_.Display().DisplayEnum());
  for (int state : {kBreakOnScreen, kBreakContinue, kBreakStop, kBreakStopSeen, kBreakRequested}) {
    host_.BreakSetState(state);
    EXPECT_EQ(host_.BreakGetState(), state);
    EXPECT_EQ(host_.Display().BreakGetState(), state);
  }
}

TEST_F(TaskHostTest, FullScreenFailureLeavesTheResourcesUnset) {
  ASSERT_GE(host_.DisplayEnum(), 1);
  EXPECT_FALSE(host_.CreateFullScreen(5, 0));
  EXPECT_EQ(host_.Display().GetInstResource(), nullptr);
  static const QelResourceTable kTable = {nullptr, 0};
  host_.SetProgramResources(&kTable);
  ASSERT_TRUE(host_.CreateFullScreen(0, 0));
  EXPECT_EQ(host_.Display().GetInstResource(), &kTable);
  host_.FreeDisplay();
  Pump(30);
}

TEST_F(TaskHostTest, ResponseDeviceOpensByTheSettingsAndCloses) {
  PromptRecorder log;
  const int savedType = g_ButtonType, savedIndex = g_ButtonInd;
  ASSERT_EQ(EnumInputDevices(), kInputOk);
  ASSERT_EQ(CreateDirectInput(), kInputOk);
  g_ButtonType = 1;
  g_ButtonInd = 0;
  ASSERT_TRUE(host_.OpenResponseDevice(0));
  EXPECT_EQ(host_.GetButtonType(), 1);
  EXPECT_EQ(host_.ResponseDevice().Index(), 0);
  host_.CloseResponseDevice();
  EXPECT_EQ(host_.GetButtonType(), -1);
  EXPECT_EQ(host_.ResponseDevice().Index(), -1);
  // Without the device system nothing can be acquired.
  ReleaseDirectInput();
  g_ButtonType = 0;
  EXPECT_FALSE(host_.OpenResponseDevice(0));
  g_ButtonType = savedType;
  g_ButtonInd = savedIndex;
  EXPECT_TRUE(log.Shown().empty());
}

}  // namespace
}  // namespace test

}  // namespace qel
