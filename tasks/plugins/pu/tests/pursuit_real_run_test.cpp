// One real Pursuit run: the run dialog with the real 1 ms timer, the full
// screen on the X server, the mouse moved through the X test extension
// (read back as XInput 2 raw motion), sound on SDL's disk driver. The
// screen is looked at while the part runs: the green target and the white
// pointer, moved by exactly the mouse's movement.
#include <gtest/gtest.h>
#include <wx/app.h>

#include <climits>
#include <memory>

#include "app/settings/SystemSettings.h"
#include "engine/input/InputDevices.h"
#include "engine/library/TaskLibrary.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
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

constexpr uint32_t kGreenRgb = 0x00FF00;
constexpr uint32_t kWhiteRgb = 0xFFFFFF;

// The bounding box of the pixels of one colour.
struct Box {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN, count = 0;
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (top + bottom) / 2; }
};

Box Find(const XScreenShot& shot, uint32_t rgb) {
  Box b;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      if (shot.At(x, y) != rgb) continue;
      b.left = std::min(b.left, x);
      b.right = std::max(b.right, x);
      b.top = std::min(b.top, y);
      b.bottom = std::max(b.bottom, y);
      ++b.count;
    }
  }
  return b;
}

class PursuitRealRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_x.Ok());
    ASSERT_EQ(qel::EnumInputDevices(), 0);
    ResetSystemSettings();
    g_ButtonType = 0;  // the keyboard is the response device; the mouse moves the pointer
    SetScoreDialogFactory(&m_scores);
    m_library = std::make_unique<CTaskLibrary>();
    m_library->host = &Host();
    ASSERT_TRUE(m_library->Load(QEL_OUTPUT_DIR "/QelPU.qet", true));
    m_task.SetFromModelTask(m_library->modelDefault);
    m_task.library = m_library.get();
    RunData().SetTask(&m_task);
    XTestInput::SetSyncHook([] { qel::SyncInputEvents(); });
    m_dialog = new CDlgRun(nullptr, Host(), RunData());
    m_dialog->SetTask(&m_task);
    m_dialog->SetTitle(true);
    SetScoreDialogFactory(&m_scores);
  }
  void TearDown() override {
    SetScoreDialogFactory(nullptr);
    if (m_dialog) m_dialog->Destroy();
    Pump(20);
    wxTheApp->ProcessIdle();
    if (m_library) m_library->Unload();
  }

  XTestInput m_x;
  std::unique_ptr<CTaskLibrary> m_library;
  CExpModelTask m_task;
  ScoreRecorder m_scores;
  CDlgRun* m_dialog = nullptr;
};

TEST_F(PursuitRealRun, ThePointerFollowsTheMouseOnTheScreenAndTheSamplesReachTheScores) {
  ASSERT_TRUE(m_dialog->RunPractice(nullptr, "P01", "Model"));
  const int cx = m_x.ScreenWidth() / 2;
  const int cy = m_x.ScreenHeight() / 2;
  // The part starts at once: the target and the pointer in the centre.
  ASSERT_TRUE(PumpUntil([&] { return Find(XScreenShot(), kGreenRgb).count > 0; }, 10000)) << "the target is shown";
  Pump(200);

  m_x.Move(150, 100);
  m_x.Flush();
  Pump(400);
  const XScreenShot shot;
  ASSERT_TRUE(shot.IsOk());
  const Box target = Find(shot, kGreenRgb);
  const Box pointer = Find(shot, kWhiteRgb);
  ASSERT_GT(target.count, 0);
  ASSERT_GT(pointer.count, 0);
  // The pointer's four strokes (a = 768 x 3 % / 4 = 5 pixels; from 5 to 9
  // around it) are centred where the mouse moved it.
  EXPECT_EQ(pointer.CentreX(), cx + 150);
  EXPECT_EQ(pointer.CentreY(), cy + 100);
  EXPECT_EQ(pointer.right - pointer.left, 18);
  EXPECT_EQ(pointer.bottom - pointer.top, 18);
  // The target glides near the centre, well away from the pointer.
  EXPECT_LT(std::abs(target.CentreX() - cx), m_x.ScreenHeight() / 2);
  EXPECT_LT(target.right - target.left, 12);

  ASSERT_TRUE(PumpUntil([&] { return !m_dialog->IsRunActive(); }, 30000));
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_EQ(m_scores.m_seen[0].variableCount, 1232);
  EXPECT_TRUE(m_scores.m_seen[0].request.practice);
  // A practice part: 15 s of samples, the first with the pointer on the
  // target, the last ones 150 and 100 pixels off it.
  ASSERT_EQ(m_task.trialCounts[0], 150u);
  EXPECT_EQ(RunData().values[0], 150.0) << "Nl_pu";
  EXPECT_EQ(RunData().category[0][0], 0);
  EXPECT_EQ(RunData().reactionTime[0][0], 0);
  const int32_t* times = RunData().responseCode[0];
  EXPECT_GE(times[149] - times[0], 14900);
  EXPECT_LE(times[149] - times[0], 14900 + 200) << "on the real clock, loosely";
}

}  // namespace

}  // namespace qel
