// One real run of Sustained Attention Auditory: the program's plug-in run by
// the run dialog on the real devices (the 1 ms timer, the full-screen display
// on the X server, the sound on SDL's disk driver). The tones are found in
// the sound the driver wrote, one per trial, at the model task's pitches.
#include <gtest/gtest.h>
#include <wx/app.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/settings/SystemSettings.h"
#include "engine/input/InputDevices.h"
#include "engine/library/TaskLibrary.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "engine/sound/tests/AudioAnalysis.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxPump.h"
#include "tests/support/x11/XTestInput.h"

namespace qel {

using namespace test;

namespace {

constexpr double kRate = 22050;  // the sound output's rate, which the disk driver keeps
constexpr int kSilence = 300;    // louder samples belong to a tone (its amplitude is 4095)
// Two output buffers of silence end a tone. (The trials are 600 ms apart,
// but a driver thread that runs late writes fewer buffers of the silence.)
constexpr size_t kGap = 512;

// The stretches of sound between silences of at least kGap samples.
std::vector<Span> Tones(const std::vector<int16_t>& s) {
  std::vector<Span> tones;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && std::abs(static_cast<int>(s[i])) <= kSilence) ++i;
    if (i == s.size()) break;
    Span tone{i, i + 1};
    size_t quiet = 0;
    for (; i < s.size() && quiet < kGap; ++i) {
      if (std::abs(static_cast<int>(s[i])) > kSilence) {
        tone.end = i + 1;
        quiet = 0;
      } else {
        ++quiet;
      }
    }
    tones.push_back(tone);
  }
  return tones;
}

TEST(RealAuditoryRun, EveryTrialSoundsTheModelsPitch) {
  XTestInput x;
  ASSERT_TRUE(x.Ok());
  XTestInput::SetSyncHook([] { qel::SyncInputEvents(); });
  ASSERT_EQ(qel::EnumInputDevices(), 0);
  ResetSystemSettings();
  g_ButtonType = 0;  // the keyboard is the response device
  TempFolder folder;
  const std::string sound = folder.File("sound.raw");
  setenv("SDL_DISKAUDIOFILE", sound.c_str(), 1);

  CTaskLibrary library;
  library.host = &Host();
  ASSERT_TRUE(library.Load(QEL_OUTPUT_DIR "/QelSAA.qet", true));
  CExpModelTask task;
  task.SetFromModelTask(library.modelDefault);
  task.library = &library;
  // Pitches whose periods are whole samples at 22050 Hz; a trial every
  // 600 ms, answers up to 450 ms.
  const int pitches[3] = {350, 630, 1050};
  for (int i = 0; i < 3; ++i) task.TaskParam[1 + i] = static_cast<uint32_t>(pitches[i]);
  task.w.TaskIntLow = task.w.TaskIntHigh = 600;
  task.w.TaskVRHigh = 450;
  RunData().SetTask(&task);
  ScoreRecorder scores;
  // The run's score dialog is the recorder while the test runs.
  struct ScoreDialogScope {
    explicit ScoreDialogScope(IScoreDialogFactory* factory) { SetScoreDialogFactory(factory); }
    ~ScoreDialogScope() { SetScoreDialogFactory(nullptr); }
  } scoreDialog(&scores);
  auto* dialog = new CDlgRun(nullptr, Host(), RunData());
  dialog->SetTask(&task);
  dialog->SetTitle(true);

  ASSERT_TRUE(dialog->RunPractice(nullptr, "P01", "Model"));
  ASSERT_TRUE(PumpUntil([&] { return !dialog->IsRunActive(); }, 90000)) << "the 36 practice trials end";
  ASSERT_EQ(scores.m_seen.size(), 1u);
  EXPECT_EQ(scores.m_seen[0].variableCount, 29 + 6) << "one complete series of 36";
  ASSERT_EQ(dialog->Machine().GetResponseCount(), 36u);

  // The practice list of version 1, one tone per trial in its order.
  std::string codes;
  for (int i = 0; i < 36; ++i) codes += Host().trialList[i][0];
  const std::vector<int16_t> left = Channel(ReadS16File(sound), 2, 0);
  const std::vector<Span> tones = Tones(left);
  ASSERT_EQ(tones.size(), 36u) << "one tone per trial";
  for (size_t i = 0; i < tones.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "trial " << i << ", code " << codes[i]);
    const double expected = pitches[codes[i] - '1'];
    // How long each tone lasts in the file depends on how promptly the
    // driver's thread ran (buffers of ~12 ms); its pitch does not.
    EXPECT_NEAR(ToneFrequency(left, tones[i].first, tones[i].end, kRate), expected, expected * 0.005);
  }
  // No key was pressed: misses of the high tone, correct rejections else.
  for (int i = 0; i < 36; ++i) {
    EXPECT_EQ(RunData().category[0][i], codes[i] == '3' ? kCatMiss : kCatCorrectRejection) << i;
  }

  dialog->Destroy();
  Pump(20);
  wxTheApp->ProcessIdle();
  library.Unload();
}

}  // namespace

}  // namespace qel
