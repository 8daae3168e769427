// Real runs: the real 1 ms timer, the full-screen display on the X server,
// keys pressed through the X test extension, sound on SDL's disk driver.
// The program's Tapping plug-in runs a self-timed part; the tests' square
// plug-in runs a host-timed one.
#include <gtest/gtest.h>
#include <wx/app.h>

#include <cstring>
#include <memory>

#include "app/settings/SystemSettings.h"
#include "engine/input/InputDevices.h"
#include "engine/library/TaskLibrary.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "engine/rundlg/tests/RunSessionFakes.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "tests/support/gui/WxPump.h"
#include "tests/support/x11/XScreenShot.h"
#include "tests/support/x11/XTestInput.h"

namespace qel {

using namespace test;

namespace {

using qel::test::Pump;
using qel::test::PumpUntil;
using qel::test::XScreenShot;
using qel::test::XTestInput;

class RealRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_x.Ok());
    ASSERT_EQ(qel::EnumInputDevices(), 0);
    ResetSystemSettings();
    g_ButtonType = 0;  // the keyboard is the response device
    SetScoreDialogFactory(&m_scores);
  }
  void TearDown() override {
    SetScoreDialogFactory(nullptr);
    if (m_dialog) m_dialog->Destroy();
    Pump(20);
    wxTheApp->ProcessIdle();
    if (m_library) m_library->Unload();
  }
  void Load(const char* path) {
    m_library = std::make_unique<CTaskLibrary>();
    m_library->host = &Host();
    ASSERT_TRUE(m_library->Load(path, true));
    m_task.SetFromModelTask(m_library->modelDefault);
    m_task.library = m_library.get();
    RunData().SetTask(&m_task);
    // Keys read right after a sync see it: the input layer's reader is waited for.
    XTestInput::SetSyncHook([] { qel::SyncInputEvents(); });
    m_dialog = new CDlgRun(nullptr, Host(), RunData());
    m_dialog->SetTask(&m_task);
    m_dialog->SetTitle(true);
  }
  int LitAroundCentre(int half) {
    return XScreenShot(m_x.ScreenWidth() / 2 - half, m_x.ScreenHeight() / 2 - half, 2 * half, 2 * half).CountLit();
  }

  XTestInput m_x;
  std::unique_ptr<CTaskLibrary> m_library;
  CExpModelTask m_task;
  ScoreRecorder m_scores;
  CDlgRun* m_dialog = nullptr;
};

}  // namespace

TEST_F(RealRun, ATappingPartRunsOnItsWorkerAndItsVariablesReachTheScoreDialog) {
  Load(QEL_OUTPUT_DIR "/QelTP.qet");
  ASSERT_EQ(m_task.TaskIdStr, "TP");
  ASSERT_TRUE(m_dialog->RunPractice(nullptr, "P01", "Model"));
  EXPECT_NE(Host().Display().GetWndDD()->GetWindow(), nullptr) << "the testee's screen is up";

  // The part starts by itself after two seconds and shows its counter at
  // the centre of the testee's screen; then the left key taps.
  ASSERT_TRUE(PumpUntil([&] { return LitAroundCentre(150) > 0; }, 10000)) << "the counter is on the screen";
  Pump(100);
  int lit = 0;
  for (int tap = 0; tap < 8; ++tap) {
    // Held and released long enough for a beat slowed by a loaded machine to see both.
    m_x.KeyNamed("Shift_L", true);
    m_x.Flush();
    Pump(120);
    m_x.KeyNamed("Shift_L", false);
    m_x.Flush();
    Pump(150);
    // The tap counter is drawn at the centre of the testee's screen.
    if (tap == 3) lit = LitAroundCentre(150);
  }
  EXPECT_GT(lit, 0) << "the running task shows its counter";

  ASSERT_TRUE(PumpUntil([&] { return !m_dialog->IsRunActive(); }, 15000));
  EXPECT_EQ(Host().Display().GetWndDD()->GetWindow(), nullptr) << "the testee's screen is given back";
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  const ScoreRecorder::Seen& seen = m_scores.m_seen[0];
  EXPECT_EQ(seen.variableCount, 36);
  EXPECT_TRUE(seen.request.practice);
  EXPECT_FALSE(seen.request.savable);
  EXPECT_EQ(seen.request.part, 1);
  // Eight presses and releases: the left taps counted, and their entries.
  EXPECT_EQ(RunData().values[0], 8.0) << "Nlu_tp";
  EXPECT_GE(m_task.trialCounts[0], 15u);
  EXPECT_GT(m_dialog->Timer().GetElapsedMs(), 4000u);
}

// Tapping starts its part on Space and takes Space as its left key. Before,
// the testee's first Space covered the task with the display's "Break!"
// dialog while the part ran on, and the run was still offered as savable.
TEST_F(RealRun, SpaceIsTappingsKeyAndOpensNoBreakDuringATestRun) {
  Load(QEL_OUTPUT_DIR "/QelTP.qet");
  FakeProject project;
  ASSERT_TRUE(m_dialog->RunTest(&project, "P01", "Model"));
  ASSERT_NE(Host().Display().GetWndDD()->GetWindow(), nullptr);
  Pump(300);
  bool breakSeen = false;
  auto press = [&](int downMs, int upMs) {
    m_x.KeyNamed("space", true);
    m_x.Flush();
    Pump(downMs);
    breakSeen = breakSeen || Host().Display().BreakGetState() == kBreakOnScreen;
    m_x.KeyNamed("space", false);
    m_x.Flush();
    Pump(upMs);
    breakSeen = breakSeen || Host().Display().BreakGetState() == kBreakOnScreen;
  };
  press(120, 300);  // starts the part
  ASSERT_TRUE(PumpUntil([&] { return LitAroundCentre(150) > 0; }, 10000)) << "the counter is on the screen";
  // A test part stores the taps from 3 s after the first tap on.
  constexpr int kLeadInMs = 3000;
  constexpr int kMarginMs = 400;
  press(120, 150);  // the first tap
  Pump(kLeadInMs + kMarginMs);
  for (int tap = 0; tap < 6; ++tap) press(120, 150);
  ASSERT_TRUE(PumpUntil([&] { return !m_dialog->IsRunActive(); }, 15000));
  EXPECT_FALSE(breakSeen) << "Space opened the display's break dialog";
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_TRUE(m_scores.m_seen[0].request.savable);
  // Exact: no value (9999.0) would pass a lower bound.
  EXPECT_EQ(RunData().values[0], 6.0) << "Nlu_tp: the taps with Space";
}

TEST_F(RealRun, AHostTimedPartShowsItsSignalAndTimesTheKeys) {
  Load(QEL_TEST_PLUGIN_DIR "/rundlg/QelRunDlgSquare.qet");
  ASSERT_TRUE(m_dialog->RunPractice(nullptr, "P01", "Model"));
  // Two trials: each signal is answered 250 ms after it shows.
  for (int trial = 0; trial < 2; ++trial) {
    ASSERT_TRUE(PumpUntil([&] { return std::strcmp(m_dialog->Machine().GetIndicator(1), "!") == 0; }, 5000));
    Pump(30);
    EXPECT_GT(LitAroundCentre(40), 0) << "the square is on the testee's screen";
    Pump(220);
    m_x.KeyNamed("Shift_L", true);
    m_x.Flush();
    Pump(80);
    m_x.KeyNamed("Shift_L", false);
    m_x.Flush();
    ASSERT_TRUE(PumpUntil([&] { return std::strcmp(m_dialog->Machine().GetIndicator(1), "!") != 0; }, 5000));
  }
  ASSERT_TRUE(PumpUntil([&] { return !m_dialog->IsRunActive(); }, 10000));
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_EQ(m_scores.m_seen[0].variableCount, 2) << "one Present per signal";
  ASSERT_EQ(m_dialog->Machine().GetResponseCount(), 2u);
  for (int i = 0; i < 2; ++i) {
    // Loose bounds: the point is that the key reached the run, timed.
    EXPECT_GT(RunData().reactionTime[0][i], 200) << i;
    EXPECT_LT(RunData().reactionTime[0][i], 800) << i;
    EXPECT_EQ(RunData().responseCode[0][i], 1) << "the left key";
  }
}

}  // namespace qel
