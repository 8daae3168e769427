// A real Tapping run (the program's plug-in, keys pressed through the X test
// extension) ends in the real score dialog; the operator answers "Yes" to
// saving, the run is stored in a plain project, and the score reopened from
// the project shows the same values.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/listctrl.h>

#include <algorithm>
#include <memory>

#include "app/model/ExpModel.h"
#include "app/settings/SystemSettings.h"
#include "engine/input/InputDevices.h"
#include "engine/library/TaskLibrary.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "project/QelProject.h"
#include "project/TesteeInfo.h"
#include "project/tests/PlainProjectSupport.h"
#include "scores/ProjectScoreStore.h"
#include "scores/ValueFormat.h"
#include "scores/ui/DlgScore.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxPump.h"
#include "tests/support/x11/XScreenShot.h"
#include "tests/support/x11/XTestInput.h"

namespace qel {
namespace test {
namespace {

constexpr char kTestee[] = "P01";
constexpr char kModel[] = "Model";
constexpr int kLeadInMs = 3000;        // Tapping's test part records from 3 s after the first tap
constexpr int kLeadInMarginMs = 400;
constexpr int kRecordedTaps = 6;

// The program's score dialog, shown modally and read by the test before the
// operator closes it.
class ShownScores final : public IScoreDialogFactory {
 public:
  int RunScoreDialog(const ScoreDialogRequest& request) override {
    wxTheApp->CallAfter([this] {
      for (wxWindow* w : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<CDlgScore*>(w);
        if (!dialog) continue;
        m_title = dialog->GetTitle().ToStdString();
        m_values = dialog->Document().Sheet().ListedValues();
        m_names = dialog->Document().Sheet().ListedNames();
        m_rows = dialog->List()->GetItemCount();
        dialog->CloseAsked();
      }
    });
    return m_real.RunScoreDialog(request);
  }
  CScoreDialogFactory m_real;
  std::string m_title;
  std::vector<std::string> m_names, m_values;
  int m_rows = 0;
};

TEST(ScoreRealRun, ATappingRunIsShownSavedAndReopenedWithTheSameValues) {
  XTestInput x;
  ASSERT_TRUE(x.Ok());
  ASSERT_EQ(EnumInputDevices(), 0);
  ResetSystemSettings();
  g_ButtonType = 0;  // the keyboard is the response device
  TempFolder dir;
  const std::string path = dir.File("Run.qep");
  ASSERT_TRUE(CProjectDbPlain::CreateProjectFile(path, "me", "", nullptr, true, false));
  // The program's project object, bound to the run data and the plug-in's
  // variables as the program binds it before a run is stored.
  AllTasksLoaded tasks;
  CQelProject project(tasks);
  project.AttachRunData(&RunData());
  ASSERT_TRUE(project.Open(path, false, false));
  ASSERT_FALSE(project.IsOpenCfr());
  const CUserRecord writer;  // a plain project records no user
  CTesteeInfo testee;
  testee.m_testee = kTestee;
  testee.m_firstName = "Pat";
  testee.m_surname = "Doe";
  testee.m_dateBirth = QelDateTime::FromDate(1980, 5, 5);
  ASSERT_TRUE(project.WriteTestee(testee, writer, nullptr, false, false));
  CExpModel model;
  model.Reset();
  model.m_name = kModel;
  model.AddTask(RunTask("TP", 1, 1, 0));
  ASSERT_TRUE(project.WriteModel(&model, writer, nullptr));
  CProjectScoreStore store(project);

  ShownScores scores;
  scores.m_real.SetStore(&store);
  SetScoreDialogFactory(&scores);
  PromptRecorder prompts(kAnswerOk);
  CTaskLibrary library;
  library.host = &Host();
  ASSERT_TRUE(library.Load(QEL_OUTPUT_DIR "/QelTP.qet", true));
  project.SetScoreVariableTable(&library);
  CExpModelTask task;
  task.SetFromModelTask(library.modelDefault);
  task.library = &library;
  RunData().SetTask(&task);
  auto* dialog = new CDlgRun(nullptr, Host(), RunData());
  dialog->SetTask(&task);
  dialog->SetTitle(true);
  ASSERT_TRUE(dialog->RunTest(&project, kTestee, kModel)) << ::testing::PrintToString(prompts.ShownTexts());
  prompts.SetAnswer(kAnswerYes);
  const size_t promptsBefore = prompts.ShownTexts().size();
  Pump(300);
  auto press = [&](int downMs, int upMs) {
    x.KeyNamed("space", true);
    x.Flush();
    Pump(downMs);
    x.KeyNamed("space", false);
    x.Flush();
    Pump(upMs);
  };
  press(120, 300);  // starts the part
  ASSERT_TRUE(PumpUntil(
      [&] {
        return XScreenShot(x.ScreenWidth() / 2 - 150, x.ScreenHeight() / 2 - 150, 300, 300).CountLit() > 0;
      },
      10000))
      << "the counter is on the screen";
  // A test part records from 3 s after the first tap: taps before that are
  // counted on the screen but not stored.
  press(120, 150);  // the first tap
  Pump(kLeadInMs + kLeadInMarginMs);
  for (int tap = 0; tap < kRecordedTaps; ++tap) press(120, 150);
  ASSERT_TRUE(PumpUntil([&] { return !dialog->IsRunActive(); }, 15000));
  Pump(100);

  EXPECT_EQ(scores.m_title, "Test Scores");
  EXPECT_GT(scores.m_rows, 0);
  ASSERT_FALSE(scores.m_values.empty());
  ASSERT_EQ(scores.m_names[0], "Nlu_tp");
  EXPECT_EQ(RunData().values[0], kRecordedTaps) << "Nlu_tp: the left taps stored";
  EXPECT_EQ(scores.m_values[0], std::to_string(kRecordedTaps));
  // Every value the dialog listed is the run's own value as its format prints it.
  const TaskVariableDef* table = RunData().scoreVariables;
  const int tableSize = RunData().scoreVariableCount;
  ASSERT_NE(table, nullptr);
  int shown = 0;
  for (size_t i = 0; i < scores.m_names.size(); ++i) {
    int v = 0;
    while (v < tableSize && scores.m_names[i] != table[v].code) ++v;
    ASSERT_LT(v, tableSize) << scores.m_names[i];
    EXPECT_EQ(scores.m_values[i], HasValue(RunData().values[v]) ? FormatValue(RunData().values[v], table[v].format)
                                                                  : std::string())
        << scores.m_names[i];
    if (!scores.m_values[i].empty()) ++shown;
  }
  EXPECT_GE(shown, 1);
  ASSERT_GT(prompts.ShownTexts().size(), promptsBefore);
  EXPECT_EQ(prompts.ShownTexts().back(), "Save this score into database?");

  // Reopened from the project: the same values.
  CScoreDocument::Saved saved;
  saved.store = &store;
  saved.key = {kTestee, kModel, "TP", 1};
  const CScoreDocument reopened(saved);
  EXPECT_EQ(reopened.Caption(), "Saved Scores");
  const std::vector<std::string>& values = reopened.Sheet().ListedValues();
  ASSERT_FALSE(values.empty());
  // Every variable the dialog showed has the same value in the stored score.
  const std::vector<std::string>& names = reopened.Sheet().ListedNames();
  for (size_t i = 0; i < scores.m_names.size(); ++i) {
    const auto at = std::find(names.begin(), names.end(), scores.m_names[i]);
    ASSERT_NE(at, names.end()) << scores.m_names[i];
    EXPECT_EQ(values[static_cast<size_t>(at - names.begin())], scores.m_values[i]) << scores.m_names[i];
  }
  EXPECT_EQ(reopened.Versions().size(), 1u) << "a plain project keeps one version";

  dialog->Destroy();
  Pump(20);
  wxTheApp->ProcessIdle();
  SetScoreDialogFactory(nullptr);
  library.Unload();
}

}  // namespace
}  // namespace test
}  // namespace qel
