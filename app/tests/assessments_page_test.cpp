// The Assessments page on the program's services over a real plain project
// file, the program's Tapping plug-in and a run dialog on the real devices
// (keys pressed through the X test extension, sound on SDL's disk driver):
// what it lists and enables, and a practice and a test run started from
// its buttons, the test run stored into the open project.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "app/model/ExpModel.h"
#include "app/services/ProgramServices.h"
#include "app/settings/SystemSettings.h"
#include "app/startup/AppStartup.h"
#include "app/ui/AssessmentsServices.h"
#include "engine/input/InputDevices.h"
#include "engine/library/TaskLibraries.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "project/TesteeInfo.h"
#include "scores/ScoreDocument.h"
#include "scores/ui/DlgScore.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxPump.h"
#include "tests/support/x11/XScreenShot.h"
#include "tests/support/x11/XTestInput.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/PageServices.h"
#include "ui/ui/ComboBoxQel.h"
#include "ui/ui/DlgTab.h"
#include "ui/ui/DlgTabAssessment.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"

namespace qel {
namespace test {
namespace {

using Page = CDlgTabAssessment;

constexpr char kModel[] = "Model";
constexpr char kOtherModel[] = "Other";
constexpr int kFrameWidth = 480;
constexpr int kFrameHeight = 340;
// The part of the screen's centre the counter is looked for in, and the
// frame's distance from the centre beyond it.
constexpr int kCentreHalf = 150;
constexpr int kCentreMargin = kCentreHalf + 10;
// Loose bounds for a machine under load.
constexpr int kRunEndMs = 30000;
constexpr int kCloserMs = 50;
// The first part of the test run taps this long after its lead-in of three seconds.
constexpr uint32_t kTestPartSeconds = 2;
constexpr int kTestTaps = 30;
// Tapping's practice part starts by itself after two seconds.
constexpr int kPracticeStartMs = 2500;

// The page with the project object the document would give it.
class TestPage : public CDlgTabAssessment {
 public:
  void UseProject(IDocProject* project) { m_pProject = project; }
};

class AssessmentsPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_x.Ok());
    ASSERT_EQ(EnumInputDevices(), 0);
    ResetSystemSettings();
    g_ButtonType = 0;  // the keyboard is the response device
    g_LoggedUser = CUserRecord();

    // The program's Tapping plug-in, alone in a plug-in folder.
    std::filesystem::create_symlink(QEL_OUTPUT_DIR "/QelTP.qet", m_dir.Path() / "QelTP.qet");
    SetTaskFolder((m_dir.Path() / "Qel").c_str());
    ASSERT_EQ(FindTaskLibraries(&Host()), 1);
    CTaskLibrary* tapping = FindTaskLibrary("TP");
    ASSERT_NE(tapping, nullptr);

    // A plain project (made with nobody logged in) with two testees, the
    // model of Tapping and a task whose plug-in is not loaded, and a
    // second model of Tapping alone.
    m_path = m_dir.File("Study.qep");
    ASSERT_TRUE(CQelProject::CreateProject(m_path, "Owner", "", nullptr, false, false));
    m_project = std::make_unique<CProgramProject>(&RunData());
    m_project->SetPath(m_path);
    ASSERT_TRUE(m_project->Project().Open(m_path, false, false));
    for (const char* name : {"P01", "P02"}) {
      CTesteeInfo testee;
      testee.m_testee = name;
      testee.m_firstName = "Pat";
      testee.m_surname = name;
      testee.m_dateBirth = QelDateTime::FromDate(1980, 5, 5);
      ASSERT_TRUE(m_project->Project().WriteTestee(testee, g_LoggedUser, nullptr, false, false));
    }
    CExpModelTask task;
    task.SetFromModelTask(tapping->modelDefault);
    task.TaskPartTrials[0] = kTestPartSeconds;
    CExpModelTask absent = task;
    absent.TaskIdStr = "ZZ";
    absent.TaskName = "Absent";
    CExpModel model;
    model.Reset();
    model.m_name = kModel;
    model.AddTask(task);
    model.AddTask(absent);
    ASSERT_TRUE(m_project->Project().WriteModel(&model, g_LoggedUser, nullptr));
    CExpModel other;
    other.Reset();
    other.m_name = kOtherModel;
    other.AddTask(task);
    ASSERT_TRUE(m_project->Project().WriteModel(&other, g_LoggedUser, nullptr));

    CProgramAssessments::Sources sources;
    sources.project = [this] { return m_project.get(); };
    sources.runData = [] { return &RunData(); };
    sources.host = [] { return &Host(); };
    m_services = std::make_unique<CProgramAssessments>(sources);
    SetAssessmentsPageServices(m_services.get());
    SetRunInProgressQuery([this] { return m_services && m_services->IsRunInProgress(); });
    m_scores.m_answer = kScoreDialogOk;
    SetScoreDialogFactory(&m_scores);
    XTestInput::SetSyncHook([] { SyncInputEvents(); });
    // Away from the screen's centre, where the testee's screen shows the
    // tap counter.
    const wxPoint corner(m_x.ScreenWidth() / 2 + kCentreMargin, m_x.ScreenHeight() / 2 + kCentreMargin);
    m_frame = new wxFrame(nullptr, wxID_ANY, "Assessments", corner, wxSize(kFrameWidth, kFrameHeight));
  }

  void TearDown() override {
    wxTheApp->ProcessPendingEvents();
    m_services->AbortRun();
    if (m_page) m_page->UseProject(nullptr);
    m_frame->Destroy();
    Pump(20);
    wxTheApp->ProcessIdle();
    SetScoreDialogFactory(nullptr);
    SetAssessmentsPageServices(nullptr);
    SetRunInProgressQuery(nullptr);
    m_services.reset();
    Pump(20);
    LogoutCurrentUser();
    m_project.reset();
    UnloadTaskLibraries();
  }

  TestPage* MakePage() {
    m_page = new TestPage;
    m_page->UseProject(m_project.get());
    EXPECT_TRUE(m_page->CreatePage(m_frame));
    m_frame->Show();
    Pump(50);
    return m_page;
  }

  static void LogIn() {
    g_LoggedUser.m_id = "anna";
    g_LoggedUser.m_type = 1;
  }

  bool Running() { return m_services->IsRunInProgress(); }
  bool Enabled(int id) { return m_page->FindWindow(id)->IsEnabled(); }
  bool Shown(int id) { return m_page->FindWindow(id)->IsShown(); }
  std::string Label(int id) { return m_page->FindWindow(id)->GetLabel().utf8_string(); }
  // A press of an enabled button, as the operator's click delivers it.
  bool Click(int id) {
    wxWindow* button = m_page->FindWindow(id);
    if (!button || !button->IsEnabled() || !button->IsShown()) return false;
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
    return true;
  }
  void Spin(int id, bool up) {
    wxSpinEvent event(up ? wxEVT_SPIN_UP : wxEVT_SPIN_DOWN, id);
    event.SetEventObject(m_page->FindWindow(id));
    m_page->FindWindow(id)->GetEventHandler()->ProcessEvent(event);
  }
  void PressKey(const char* key, int downMs, int upMs) {
    m_x.KeyNamed(key, true);
    m_x.Flush();
    Pump(downMs);
    m_x.KeyNamed(key, false);
    m_x.Flush();
    Pump(upMs);
  }
  bool CounterOnScreen() {
    return XScreenShot(m_x.ScreenWidth() / 2 - kCentreHalf, m_x.ScreenHeight() / 2 - kCentreHalf, 2 * kCentreHalf,
                       2 * kCentreHalf)
               .CountLit() > 0;
  }
  int StoredAssessments(const char* testee) {
    std::vector<uint32_t> numbers;
    std::vector<int32_t> parts;
    return m_project->GetData().GetAssessmentRows(testee, kModel, "TP", &numbers, &parts, nullptr, nullptr, nullptr,
                                                  nullptr, nullptr, nullptr);
  }

  XTestInput m_x;
  TempFolder m_dir;
  std::string m_path;
  std::unique_ptr<CProgramProject> m_project;
  std::unique_ptr<CProgramAssessments> m_services;
  ScoreRecorder m_scores;
  wxFrame* m_frame = nullptr;
  TestPage* m_page = nullptr;
};

}  // namespace

TEST_F(AssessmentsPageTest, ChoosersShowTheProjectsTesteesModelsAndTasks) {
  LogIn();
  MakePage();
  EXPECT_EQ(m_page->GetTesteeCombo()->GetCount(), 2u);
  EXPECT_EQ(m_page->GetCurrentTestee(), "P01");
  EXPECT_EQ(m_page->GetModelCombo()->GetCount(), 2u);
  EXPECT_EQ(m_page->GetCurrentModel(), kModel);
  EXPECT_EQ(m_page->GetTaskCombo()->GetCount(), 2u);
  EXPECT_EQ(m_page->GetCurrentTask(), "TP");
  EXPECT_EQ(Label(Page::kIdTesteeGroup), "Current testee (total in project 2)");
  EXPECT_EQ(Label(Page::kIdModelGroup), "Current model (total in project 2)");
  EXPECT_EQ(Label(Page::kIdTaskGroup), "Current task (total in model 2)");
  EXPECT_EQ(Label(Page::kIdAssessmentGroup), "Current assessment (filed 0)");
  EXPECT_EQ(Label(Page::kIdKeysMapping), "Initial keys mapping");
  // Tapping's four parts: one list row each, the part controls shown.
  EXPECT_EQ(m_page->GetList()->GetItemCount(), 4);
  EXPECT_EQ(m_page->GetPartNumber(), 1);
  EXPECT_EQ(m_page->GetAssessmentNumber(), 1u);
  EXPECT_TRUE(Shown(Page::kIdPart));
  EXPECT_EQ(Label(Page::kIdPartName), "Left");
  EXPECT_EQ(m_page->GetTesteeRecord().m_surname, "P01");
}

TEST_F(AssessmentsPageTest, ButtonsFollowTheLoginAndTheTasksPlugin) {
  MakePage();
  // The program keeps the 21 CFR rules: nobody logged in may not act.
  for (int id : {Page::kIdInstruct, Page::kIdPractice, Page::kIdTest, Page::kIdNewTestee, Page::kIdSearch}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
  EXPECT_FALSE(Shown(Page::kIdStop));
  EXPECT_FALSE(m_page->GetTesteeCombo()->IsEnabled());

  LogIn();
  m_page->UpdateControls();
  for (int id : {Page::kIdInstruct, Page::kIdPractice, Page::kIdTest, Page::kIdNewTestee, Page::kIdSearch,
                 Page::kIdFindTestee, Page::kIdFilterTree}) {
    EXPECT_TRUE(Enabled(id)) << id;
  }
  EXPECT_FALSE(Enabled(Page::kIdFindAssessment)) << "nothing filed yet";
  EXPECT_FALSE(Shown(Page::kIdStop));

  // A task whose plug-in is not loaded can run nothing.
  ASSERT_TRUE(m_page->GetTaskCombo()->SelectIndex(1));
  EXPECT_EQ(m_page->GetCurrentTask(), "ZZ");
  EXPECT_EQ(Label(Page::kIdVersionName), "<NOT AVAILABLE>");
  for (int id : {Page::kIdInstruct, Page::kIdPractice, Page::kIdTest}) EXPECT_FALSE(Enabled(id)) << id;
  EXPECT_FALSE(Click(Page::kIdTest));
}

// The list dialogs the page opens, as the page services are asked for them.
class ListRecorder final : public IPageServices {
 public:
  const CProjectData* GetProjectData() override { return nullptr; }
  bool EditTesteeCode(wxWindow*, std::string*, bool*) override { return false; }
  bool EditTestee(wxWindow*, std::string*, bool*, bool*) override { return false; }
  bool SearchTestee(wxWindow*, CListCtrlQel*, std::string*) override { return false; }
  void ShowTesteeHistory(wxWindow*) override {}
  void ShowTesteeChanges(wxWindow*, const std::string&) override {}
  void ShowAssessments(wxWindow*, bool history, const std::string& testee, const std::string& model,
                       const std::string& task) override {
    calls.push_back("assessments " + Keys(history, testee, model, task));
  }
  void ShowScores(wxWindow*, bool history, const std::string& testee, const std::string& model,
                  const std::string& task) override {
    calls.push_back("scores " + Keys(history, testee, model, task));
  }
  static std::string Keys(bool history, const std::string& testee, const std::string& model, const std::string& task) {
    return (history ? "history " : "") + testee + "/" + model + "/" + task;
  }
  std::vector<std::string> calls;
};

TEST_F(AssessmentsPageTest, TheTaskListsShowTheCurrentTesteesAssessmentsAndScoresOfTheTask) {
  ListRecorder lists;
  SetPageServices(&lists);
  MakePage();
  EXPECT_FALSE(Click(Page::kIdTaskAssessments)) << "nobody logged in";
  LogIn();
  m_page->UpdateControls();
  ASSERT_TRUE(Click(Page::kIdTaskAssessments));
  ASSERT_TRUE(Click(Page::kIdTaskScores));
  const std::string keys = std::string("P01/") + kModel + "/TP";
  EXPECT_EQ(lists.calls, (std::vector<std::string>{"assessments " + keys, "scores " + keys}));
  SetPageServices(nullptr);
}

TEST_F(AssessmentsPageTest, ThePartSpinStopsAtTheFirstAndLastPart) {
  LogIn();
  MakePage();
  Spin(Page::kIdPartSpin, false);  // before the first part: refused
  EXPECT_EQ(m_page->GetPartNumber(), 1);
  for (int i = 0; i < 5; ++i) Spin(Page::kIdPartSpin, true);
  EXPECT_EQ(m_page->GetPartNumber(), 4) << "no step beyond the last part";
  EXPECT_EQ(Label(Page::kIdPartName), "Sync");
  Spin(Page::kIdPartSpin, false);
  EXPECT_EQ(m_page->GetPartNumber(), 3);
  // A new assessment is at most one past the filed ones.
  Spin(Page::kIdAssessmentSpin, true);
  EXPECT_EQ(m_page->GetAssessmentNumber(), 1u);
}

// A model that cannot be read leaves no task of the former model behind,
// and the task chooser follows the model even without a testee.
TEST_F(AssessmentsPageTest, AModelThatCannotBeReadLeavesNothingToRun) {
  LogIn();
  MakePage();
  ASSERT_EQ(std::system(("sqlcipher '" + m_path + "' \"DELETE FROM Model WHERE Model='Other';\"").c_str()), 0);
  PromptRecorder prompts(kAnswerOk);
  ASSERT_TRUE(m_page->GetModelCombo()->SelectKey(kOtherModel));
  EXPECT_EQ(m_page->GetCurrentModel(), kOtherModel);
  EXPECT_EQ(m_page->GetTaskCombo()->GetCount(), 1u) << "the other model's tasks";
  EXPECT_FALSE(Enabled(Page::kIdInstruct));
  EXPECT_FALSE(Enabled(Page::kIdTest));
  EXPECT_FALSE(Click(Page::kIdPractice));
  EXPECT_FALSE(Running());
}

// A testee whose record cannot be read does not run with the former
// testee's birth date.
TEST_F(AssessmentsPageTest, ATesteeThatCannotBeReadKeepsNoFormerRecord) {
  LogIn();
  MakePage();
  ASSERT_EQ(m_page->GetTesteeRecord().m_testee, "P01");
  ASSERT_EQ(std::system(("sqlcipher '" + m_path + "' \"DELETE FROM Testee WHERE Testee='P02';\"").c_str()), 0);
  PromptRecorder prompts(kAnswerOk);
  ASSERT_TRUE(m_page->GetTesteeCombo()->SelectKey("P02"));
  EXPECT_EQ(m_page->GetCurrentTestee(), "P02");
  EXPECT_TRUE(m_page->GetTesteeRecord().m_testee.empty());
  EXPECT_FALSE(m_page->GetTesteeRecord().m_dateBirth.IsValid());
}

TEST_F(AssessmentsPageTest, StopEndsATestRunAndNothingIsStored) {
  LogIn();
  MakePage();
  ASSERT_TRUE(Click(Page::kIdTest));
  ASSERT_TRUE(Running());
  ASSERT_TRUE(Shown(Page::kIdStop));
  Pump(300);
  ASSERT_TRUE(Click(Page::kIdStop));
  ASSERT_TRUE(PumpUntil([&] { return !Running(); }, kRunEndMs));
  Pump(100);
  EXPECT_FALSE(Shown(Page::kIdStop));
  EXPECT_TRUE(Enabled(Page::kIdTest));
  for (const ScoreRecorder::Seen& seen : m_scores.m_seen) EXPECT_FALSE(seen.request.savable);
  EXPECT_EQ(StoredAssessments("P01"), 0) << "a stopped run is not stored";
}

TEST_F(AssessmentsPageTest, APracticeRunStoresNothingAndATestRunIsStoredInTheOpenProject) {
  LogIn();
  MakePage();
  // Practice: the part starts by itself; the left key taps.
  ASSERT_TRUE(Click(Page::kIdPractice));
  ASSERT_TRUE(Running());
  EXPECT_TRUE(Shown(Page::kIdStop)) << "the run's start reached the page";
  EXPECT_FALSE(Enabled(Page::kIdTest));
  EXPECT_FALSE(m_page->GetTesteeCombo()->IsEnabled());
  EXPECT_EQ(RunData().testee, nullptr) << "a practice run knows no testee";
  ASSERT_NE(Host().Display().GetWndDD()->GetWindow(), nullptr) << "the testee's screen is up";
  Pump(kPracticeStartMs);
  ASSERT_TRUE(PumpUntil([&] { return CounterOnScreen(); }, 10000)) << "the counter is on the screen";
  for (int tap = 0; tap < 8; ++tap) PressKey("Shift_L", 60, 120);
  ASSERT_TRUE(PumpUntil([&] { return !Running(); }, kRunEndMs));
  Pump(100);
  ASSERT_EQ(m_scores.m_seen.size(), 1u);
  EXPECT_TRUE(m_scores.m_seen[0].request.practice);
  EXPECT_EQ(StoredAssessments("P01"), 0) << "a practice run is not stored";
  EXPECT_FALSE(Shown(Page::kIdStop)) << "the run's end reached the page";
  EXPECT_TRUE(Enabled(Page::kIdTest));

  // Test: Space starts the part and taps.
  ASSERT_TRUE(Click(Page::kIdTest));
  ASSERT_TRUE(Running());
  ASSERT_NE(RunData().testee, nullptr);
  EXPECT_TRUE(RunData().testee->birthDate.IsValid()) << "the age comes from the testee's birth date";
  Pump(300);
  PressKey("space", 60, 300);
  ASSERT_TRUE(PumpUntil([&] { return CounterOnScreen(); }, 10000)) << "the counter is on the screen";
  for (int tap = 0; tap < kTestTaps; ++tap) PressKey("space", 60, 120);
  ASSERT_TRUE(PumpUntil([&] { return !Running(); }, kRunEndMs));
  Pump(100);
  ASSERT_EQ(m_scores.m_seen.size(), 2u);
  EXPECT_TRUE(m_scores.m_seen[1].request.savable);
  EXPECT_GT(m_scores.m_seen[1].firstValue, 0.0) << "Nlu_tp: taps after the lead-in counted";
  EXPECT_LT(m_scores.m_seen[1].firstValue, kTestTaps);
  EXPECT_EQ(m_scores.m_seen[1].request.testeeCode, "P01");
  EXPECT_EQ(m_scores.m_seen[1].request.modelName, kModel);
  EXPECT_EQ(StoredAssessments("P01"), 1) << "the run is in the open project";

  // The view passes the stored run's refresh on: the list shows it filed,
  // and the next assessment is a new one.
  SendNotify(m_page, kNotifyRefreshViews, kRefreshScores);
  EXPECT_EQ(m_page->GetList()->GetCompletedCount(1), 1);
  EXPECT_EQ(Label(Page::kIdAssessmentGroup), "Current assessment (filed 1)");
  EXPECT_EQ(m_page->GetAssessmentNumber(), 2u);
  EXPECT_TRUE(Enabled(Page::kIdTest));
  // Back to the filed assessment: no second test run over it.
  Spin(Page::kIdAssessmentSpin, false);
  EXPECT_EQ(m_page->GetAssessmentNumber(), 1u);
  EXPECT_FALSE(Enabled(Page::kIdTest));
  EXPECT_TRUE(Enabled(Page::kIdFindAssessment));

  // The stored score as View shows it: the saved score dialog with the
  // run's values, read back from the project.
  ASSERT_TRUE(Enabled(Page::kIdViewScore));
  std::string title;
  std::vector<std::string> names, values;
  wxTheApp->CallAfter([&] {
    for (wxWindow* w : wxTopLevelWindows) {
      auto* dialog = dynamic_cast<CDlgScore*>(w);
      if (!dialog) continue;
      title = dialog->GetTitle().utf8_string();
      names = dialog->Document().Sheet().ListedNames();
      values = dialog->Document().Sheet().ListedValues();
      dialog->CloseAsked();
    }
  });
  {
    PromptRecorder prompts(kAnswerNo);
    ASSERT_TRUE(Click(Page::kIdViewScore));
  }
  EXPECT_NE(title.find("Saved Scores"), std::string::npos) << title;
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names[0], "Nlu_tp");
  ASSERT_FALSE(values.empty());
  EXPECT_DOUBLE_EQ(std::stod(values[0]), m_scores.m_seen[1].firstValue) << values[0];

  // Build score: the plug-in recomputes the score from the stored responses;
  // saved, it is written and shown again as stored.
  ASSERT_TRUE(Enabled(Page::kIdBuildScore));
  std::vector<std::string> titles;
  std::vector<std::vector<std::string>> shownValues;
  // Each score dialog that comes up modally is read and closed (as the
  // operator would, answering the save question) on a timer.
  wxTimer closer;
  closer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    for (wxWindow* w : wxTopLevelWindows) {
      auto* dialog = dynamic_cast<CDlgScore*>(w);
      if (!dialog || !dialog->IsModal()) continue;
      const std::string title = dialog->GetTitle().utf8_string();
      if (std::find(titles.begin(), titles.end(), title) != titles.end()) continue;
      titles.push_back(title);
      shownValues.push_back(dialog->Document().Sheet().ListedValues());
      dialog->CloseAsked();
      return;
    }
  });
  closer.Start(kCloserMs);
  {
    PromptRecorder prompts(kAnswerYes);
    ASSERT_TRUE(Click(Page::kIdBuildScore));
    ASSERT_FALSE(prompts.ShownTexts().empty());
    EXPECT_EQ(prompts.ShownTexts().front(), "Save this score into database?");
  }
  closer.Stop();
  ASSERT_EQ(titles.size(), 2u);
  EXPECT_NE(titles[0].find("recalculated and destined for new saving!"), std::string::npos) << titles[0];
  EXPECT_NE(titles[1].find("after recalculation!"), std::string::npos) << titles[1];
  ASSERT_FALSE(shownValues[0].empty());
  ASSERT_FALSE(shownValues[1].empty());
  EXPECT_EQ(shownValues[0][0], values[0]) << "the same responses give the same score";
  EXPECT_EQ(shownValues[1][0], values[0]);
  EXPECT_EQ(StoredAssessments("P01"), 1) << "rewritten, not added";

  // The file itself holds it: a project object opened anew reads it.
  CProgramProject reopened(nullptr);
  ASSERT_TRUE(reopened.Project().Open(m_path, false, false));
  std::vector<uint32_t> numbers;
  std::vector<int32_t> parts;
  ASSERT_EQ(reopened.GetData().GetAssessmentRows("P01", kModel, "TP", &numbers, &parts, nullptr, nullptr, nullptr,
                                                 nullptr, nullptr, nullptr),
            1);
  EXPECT_EQ(numbers[0], 1u);
  EXPECT_EQ(parts[0], 1);
  // The rewritten score keeps its variables' names and labels.
  std::vector<std::string> storedNames;
  std::vector<std::string> labels;
  ASSERT_GT(reopened.Project().ReadVariables("P01", kModel, "TP", 1, nullptr, nullptr, &storedNames, nullptr, &labels, nullptr,
                                             nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
            0);
  ASSERT_EQ(storedNames.size(), labels.size());
  for (size_t i = 0; i < storedNames.size(); ++i) {
    EXPECT_FALSE(storedNames[i].empty()) << "variable " << i + 1;
    EXPECT_FALSE(labels[i].empty()) << "variable " << i + 1;
  }
}

}  // namespace test
}  // namespace qel
