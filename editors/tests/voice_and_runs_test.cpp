// The General page's voice-key level test on the capture device (SDL's disk
// driver reading a known input), the Feedback page's sound test on the
// output device, and the signal and practice runs started from the editors
// on the real devices, the editor being the run's notify window.
#include <gtest/gtest.h>
#include <wx/button.h>

#include "editors/GeneralPageRules.h"
#include "editors/tests/EditorFixture.h"
#include "engine/sound/voicekey/VoiceKeyChannel.h"
#include "engine/sound/voicekey/VoiceKey.h"
#include "editors/ui/DlgModel.h"
#include "editors/ui/DlgTaskPar.h"
#include "editors/ui/DlgTaskParFbk.h"
#include "editors/ui/DlgTaskParGen.h"
#include "editors/ui/EditorRunner.h"
#include "engine/input/InputDevices.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "engine/sound/SoundDevices.h"
#include "engine/sound/tests/SoundTestEnvironment.h"
#include "app/settings/SystemSettings.h"
#include "tests/support/fakes/FakeTaskLibrary.h"
#include "tests/support/gui/WxPump.h"
#include "ui/NotifyCodes.h"

namespace qel {

using namespace test;

namespace {

class VoiceTest : public EditorFixture {};

TEST_F(VoiceTest, TheLevelTestShowsTheLevelsOfTheCaptureInputAndStops) {
  TempFolder folder;
  // A 1 kHz tone, on the left channel at half scale, on the right at a fifth, for ten seconds.
  const std::string input = folder.File("voice.raw");
  ASSERT_TRUE(WriteCaptureFile(input, 8000 * 10, [](size_t i, int16_t& l, int16_t& r) {
    const double wave = std::sin(2 * M_PI * 1000.0 * static_cast<double>(i) / 8000.0);
    l = static_cast<int16_t>(std::lround(16384 * wave));
    r = static_cast<int16_t>(std::lround(6554 * wave));
  }));
  setenv("SDL_DISKAUDIOFILEIN", input.c_str(), 1);
  ASSERT_TRUE(EnumSoundDevices());

  FakeTaskLibrary library;  // a voice-key task's record
  library.loaded = 1;
  library.versionCount = 1;
  CExpModelTask task;
  task.TaskIdStr = "VK";
  task.TaskName = "Voice";
  task.w.TaskType = kResponseSingle;
  task.w.TaskFlags = kTaskFlagVoiceKey;
  task.w.TaskSSS = 100 | (30u << kSssVoiceKeyShift) | kSssVoiceKeyOption;
  task.library = &library;
  task.loaded = 1;
  auto* dlg = new CDlgTaskPar(nullptr, &task, "Model", true, m_services);
  dlg->Show();
  dlg->Tabs().SelectTab(kTabGeneral);
  Pump(20);
  CDlgTaskParGen& page = dlg->Tabs().General();
  EXPECT_TRUE(page.FindWindow(CDlgTaskParGen::kIdTestVoice)->IsEnabled());
  page.OnTestVoice();
  ASSERT_TRUE(page.IsTesting());
  EXPECT_FALSE(dlg->FindWindow(CDlgTaskPar::kIdSignals)->IsEnabled()) << "the test holds the run buttons";
  // What the voice key's level detector makes of the same input, fed directly.
  int expected[2] = {0, 0};
  for (int ch = 0; ch < 2; ++ch) {
    CVoiceKeyChannel detector;
    detector.SetRate(CVoiceKey::kCaptureRate, CVoiceKey::kBlocks);
    for (size_t i = 0; i < 8000; ++i) {
      const double wave = std::sin(2 * M_PI * 1000.0 * static_cast<double>(i) / 8000.0);
      detector.Feed(static_cast<int16_t>(std::lround((ch == 0 ? 16384 : 6554) * wave)));
    }
    expected[ch] = LevelPercent(detector.Level());
  }
  ASSERT_GT(expected[0], expected[1]);
  ASSERT_TRUE(PumpUntil([&] { return page.LeftPercent() >= expected[0] - 3; }, 5000));
  Pump(300);
  EXPECT_NEAR(page.LeftPercent(), expected[0], 3);
  EXPECT_NEAR(page.RightPercent(), expected[1], 3);
  // Another tab stops the test and gives the run buttons back.
  dlg->Tabs().SelectTab(kTabFeedback);
  Pump(20);
  EXPECT_FALSE(page.IsTesting());
  EXPECT_TRUE(dlg->FindWindow(CDlgTaskPar::kIdSignals)->IsEnabled());
  // Disabling the voice key ends a running test too.
  dlg->Tabs().SelectTab(kTabGeneral);
  page.OnTestVoice();
  ASSERT_TRUE(page.IsTesting());
  page.SetVoiceEnabled(false);
  EXPECT_FALSE(page.IsTesting());
  EXPECT_EQ(task.w.TaskSSS & kSssVoiceKeyOption, 0u);
  EXPECT_EQ(task.w.TaskSSS & kSssScaleMask, 100u) << "the other bits kept";
  dlg->Destroy();
  unsetenv("SDL_DISKAUDIOFILEIN");
}

TEST_F(VoiceTest, TheSoundTestPlaysTheChosenSoundAndAClickStopsIt) {
  TempFolder folder;
  setenv("SDL_DISKAUDIOFILE", folder.File("out.raw").c_str(), 1);
  ASSERT_TRUE(EnumSoundDevices());
  CTaskLibrary* library = LibraryWithFlags(0x10000);
  ASSERT_NE(library, nullptr);
  CExpModelTask task = DefaultTask(*library);
  task.library = library;
  task.loaded = 1;
  task.w.TaskFbk = FeedbackWord(kFeedbackAudio, 2);
  auto* dlg = new CDlgTaskPar(nullptr, &task, "Model", true, m_services);
  dlg->Show();
  dlg->Tabs().SelectTab(kTabFeedback);
  Pump(20);
  CDlgTaskParFbk& page = dlg->Tabs().Feedback();
  page.TestSound(2);
  ASSERT_TRUE(page.IsPlaying());
  EXPECT_EQ(page.FindWindow(CDlgTaskParFbk::kProbeIds[2])->GetLabel(), "Stop");
  page.TestSound(4);  // any Probe while playing only stops
  EXPECT_FALSE(page.IsPlaying());
  EXPECT_EQ(page.FindWindow(CDlgTaskParFbk::kProbeIds[2])->GetLabel(), "Probe");
  page.TestSound(0);
  ASSERT_TRUE(page.IsPlaying());
  EXPECT_TRUE(PumpUntil([&] { return !page.IsPlaying(); }, 7000)) << "the test ends by itself";
  EXPECT_TRUE(m_prompts.ShownTexts().empty());
  dlg->Destroy();
  unsetenv("SDL_DISKAUDIOFILE");
}

class EditorRuns : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    ASSERT_EQ(EnumInputDevices(), 0);
    ResetSystemSettings();
    g_ButtonType = 0;  // the keyboard
    SetScoreDialogFactory(&m_scores);
    m_library = std::make_unique<CTaskLibrary>();
    m_library->host = &Host();
    ASSERT_TRUE(m_library->Load(QEL_TEST_PLUGIN_DIR "/rundlg/QelRunDlgSquare.qet", true));
    m_runner = std::make_unique<CEditorRunner>(Host(), RunData());
    m_services.runs = m_runner.get();
    m_services.libraries.push_back(m_library.get());
  }
  void TearDown() override {
    m_runner.reset();
    SetScoreDialogFactory(nullptr);
    Pump(20);
    EditorFixture::TearDown();
    if (m_library) m_library->Unload();
  }
  ScoreRecorder m_scores;
  std::unique_ptr<CTaskLibrary> m_library;
  std::unique_ptr<CEditorRunner> m_runner;
};

TEST_F(EditorRuns, SignalAndPracticeRunsStartFromTheModelEditorAndEndCleanly) {
  CExpModel model;
  model.m_name = "Runs";
  model.m_loaded = 1;
  CExpModelTask task;
  task.SetFromModelTask(m_library->modelDefault);
  model.AddTask(task);
  auto* dlg = new CDlgModel(nullptr, &model, true, m_services);
  dlg->Show();
  Pump(30);
  ASSERT_EQ(model.GetTask(0)->library, m_library.get());
  wxWindow* signals = dlg->FindWindow(CDlgModel::kIdSignals);
  wxWindow* practice = dlg->FindWindow(CDlgModel::kIdPractice);
  ASSERT_TRUE(signals->IsEnabled());
  for (int kind = 0; kind < 2; ++kind) {
    SCOPED_TRACE(kind);
    if (kind == 0) dlg->RunSignals();
    else dlg->RunPractice();
    ASSERT_TRUE(PumpUntil([&] { return !m_runner->IsRunActive(); }, 30000)) << "the run ends by itself";
    Pump(50);
    const std::vector<int> told = {kNotifyRunStarted, kNotifyRunEnded, kNotifyRunStarted, kNotifyRunEnded};
    EXPECT_EQ(dlg->RunNotices(), std::vector<int>(told.begin(), told.begin() + 2 * (kind + 1)))
        << "the editor is the run's notify window";
    EXPECT_TRUE(signals->IsEnabled()) << "the editor was told of the end";
    EXPECT_EQ(wxWindow::FindFocus(), kind == 0 ? signals : practice) << "focus back on the button that started it";
  }
  EXPECT_EQ(m_scores.m_seen.size(), 1u) << "the practice run's score; the signals run has none";
  dlg->OnCancel();
  dlg->Destroy();
}

TEST_F(EditorRuns, ARunStartsFromTheTaskDialogToo) {
  CExpModelTask task;
  task.SetFromModelTask(m_library->modelDefault);
  task.library = m_library.get();
  task.loaded = 1;
  auto* dlg = new CDlgTaskPar(nullptr, &task, "Model", true, m_services);
  dlg->Show();
  Pump(20);
  dlg->RunPractice();
  ASSERT_TRUE(m_runner->IsRunActive());
  EXPECT_FALSE(dlg->FindWindow(CDlgTaskPar::kIdPractice)->IsEnabled()) << "no second run while one goes";
  // Closing the dialog ends the run.
  dlg->OnCancel();
  EXPECT_TRUE(PumpUntil([&] { return !m_runner->IsRunActive(); }, 10000));
  dlg->Destroy();
}

}  // namespace

}  // namespace qel
