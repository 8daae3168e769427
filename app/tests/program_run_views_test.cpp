// The program as it is wired, under the X server: its main frame with the
// main view's pages and the project tree, a real plain project and the
// program's Tapping plug-in. A practice run and a test run are started from
// the Assessments page and played with keys pressed through the X test
// extension; the test run's score, saved in the score dialog, shows in the
// Data page's list and as an assessment under the testee in the tree, with
// the project still open as it was.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/docview.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/treectrl.h>
#include <wx/weakref.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "admin/ui/DlgUser.h"
#include "app/model/ExpModel.h"
#include "app/rundata/TaskRunData.h"
#include "app/services/ProgramServices.h"
#include "app/settings/SystemSettings.h"
#include "app/startup/AppStartup.h"
#include "app/ui/ProgramWiring.h"
#include "app/ui/QelDoc.h"
#include "app/ui/QelProgram.h"
#include "engine/host/ui/TaskHost.h"
#include "engine/input/InputDevices.h"
#include "engine/library/TaskLibraries.h"
#include "engine/library/TaskLibrary.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "project/QelProject.h"
#include "project/TesteeInfo.h"
#include "scores/ScoreDocument.h"
#include "scores/ui/DlgScore.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxControls.h"
#include "tests/support/gui/WxPump.h"
#include "tests/support/x11/XScreenShot.h"
#include "tests/support/x11/XTestInput.h"
#include "ui/MainWindowRules.h"
#include "ui/NotifyCodes.h"
#include "ui/ProjectTree.h"
#include "ui/ui/DlgTabAssessment.h"
#include "ui/ui/DlgTabData.h"
#include "ui/ui/LeftView.h"
#include "ui/ui/MainFrame.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"
#include "ui/ui/QelViewTab.h"

namespace qel {
namespace {

namespace fs = std::filesystem;
using test::FindControl;
using test::PromptRecorder;
using test::Pump;
using test::PumpUntil;
using test::SendControlEvent;
using test::TempFolder;
using test::XScreenShot;
using test::XTestInput;
using Page = CDlgTabAssessment;

constexpr char kUser[] = "anna";
constexpr char kPassword[] = "a1";
constexpr char kTestee[] = "P01";
constexpr char kModel[] = "Model";
constexpr char kTask[] = "TP";
// The part of the screen's centre the tap counter is looked for in, and the
// main frame's distance from the centre beyond it.
constexpr int kCentreHalf = 150;
constexpr int kCentreMargin = kCentreHalf + 10;
// Loose bounds for a machine under load.
constexpr int kScreenUpMs = 10000;
constexpr int kRunEndMs = 30000;
constexpr int kViewsMs = 10000;
constexpr int kCloserMs = 50;
// The test part taps this long after its lead-in of three seconds.
constexpr uint32_t kTestPartSeconds = 2;
constexpr int kPracticeTaps = 8;
constexpr int kTestTaps = 30;

// Runs `act` on the first shown top-level window of type T once one is open
// (the dialog a later modal call opens); it looks again on each pass of the
// event loop, a limited number of times.
template <typename T>
void WhenShown(std::function<void(T*)> act, int passes = 5000) {
  wxTheApp->CallAfter([act, passes] {
    for (wxWindow* window : wxTopLevelWindows) {
      if (auto* dialog = dynamic_cast<T*>(window); dialog && dialog->IsShown()) {
        act(dialog);
        return;
      }
    }
    if (passes > 0) {
      WhenShown<T>(act, passes - 1);
    } else {
      ADD_FAILURE() << "no dialog of the expected kind opened";
    }
  });
}

class ProgramRunViewsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_x.Ok());
    ResetSystemSettings();
    LogoutCurrentUser();
    for (const auto& entry : fs::directory_iterator(QEL_OUTPUT_DIR)) {
      const std::string name = entry.path().filename().string();
      if ((name.rfind("Qel", 0) == 0 && entry.path().extension() == ".qet") || name == kDisplayLibraryName) {
        fs::create_symlink(entry.path(), m_folder.Path() / name);
      }
    }
    XTestInput::SetSyncHook([] { SyncInputEvents(); });
  }
  void TearDown() override {
    XTestInput::SetSyncHook(nullptr);
    ResetSystemSettings();
    LogoutCurrentUser();
    Pump(20);
  }

  std::string Folder() const { return m_folder.Path().string() + "/"; }
  std::string SettingsPath() const { return m_config.File("Qel.conf"); }

  // A plain project holding one testee and a model of the program's Tapping
  // task; closed again before the program opens it.
  std::string MakeProject(CQelProgram& program) {
    const std::string path = m_data.File("Study.qep");
    EXPECT_TRUE(CQelProject::CreateProject(path, "Owner", "", nullptr, false, false));
    CTaskLibrary* tapping = FindTaskLibrary(kTask);
    EXPECT_NE(tapping, nullptr);
    if (!tapping) return path;
    CProgramProject project(&program.RunData());
    project.SetPath(path);
    EXPECT_TRUE(project.Project().Open(path, false, false));
    CTesteeInfo testee;
    testee.m_testee = kTestee;
    testee.m_firstName = "Pat";
    testee.m_surname = "Lane";
    testee.m_dateBirth = QelDateTime::FromDate(1980, 5, 5);
    EXPECT_TRUE(project.Project().WriteTestee(testee, g_LoggedUser, nullptr, false, false));
    CExpModelTask task;
    task.SetFromModelTask(tapping->modelDefault);
    task.TaskPartTrials[0] = kTestPartSeconds;
    CExpModel model;
    model.Reset();
    model.m_name = kModel;
    model.AddTask(task);
    EXPECT_TRUE(project.Project().WriteModel(&model, g_LoggedUser, nullptr));
    return path;
  }

  // The workstation's users in a file of the test's own, holding one
  // registered user, who logs in when the start-up asks; its other
  // messages (a program folder without a norms file) are answered. The
  // program's main frame is up and the keyboard is the response device.
  void StartLoggedIn(CQelProgram& program, CWorkstationUsersService& users) {
    const std::string usersPath = m_config.File("Users.qeu");
    ASSERT_TRUE(users.Create(usersPath));
    ASSERT_TRUE(users.Load(usersPath));
    CUserRecord anna;
    anna.m_id = kUser;
    anna.m_firstName = "Anna";
    anna.m_surname = "Berg";
    anna.m_type = 1;
    anna.SetPassword(kPassword);
    ASSERT_TRUE(users.SaveUser(anna, kUser, true));
    AppServices services = GetAppServices();
    services.users = &users;
    SetAppServices(services);
    std::string loginTitle;
    WhenShown<CDlgUser>([&](CDlgUser* dialog) {
      loginTitle = dialog->GetTitle().utf8_string();
      FindControl<wxTextCtrl>(dialog, CDlgUser::kIdUserId)->SetValue(kUser);
      FindControl<wxTextCtrl>(dialog, CDlgUser::kIdPassword)->SetValue(kPassword);
      SendControlEvent(dialog->FindWindow(wxID_OK), wxEVT_BUTTON, 0);
    });
    {
      PromptRecorder startup(kAnswerOk);
      ASSERT_TRUE(program.InitInstance({"Qel"}));
    }
    EXPECT_EQ(loginTitle, "Qel workstation: Login existing user");
    ASSERT_EQ(g_LoggedUser.m_id, kUser) << "logged in at the start";
    CProgramWiring::EnumDevices();
    g_ButtonType = 0;  // the keyboard is the response device
    ASSERT_NE(program.GetMainFrame(), nullptr);
  }
  // The project made by MakeProject opened as the operator's stored path
  // opens it, after the login.
  std::string OpenProject(CQelProgram& program) {
    const std::string path = MakeProject(program);
    IDocProject* project = GetProgramProject();
    EXPECT_NE(project, nullptr);
    if (!project) return path;
    project->SetPath(path);
    project->SetPassword("");
    EXPECT_TRUE(program.GetMainFrame()->GetMainView()->OpenWorkingProject(false));
    return path;
  }

  // A press of an enabled button of the page, as the operator's click delivers it.
  static bool Click(wxWindow* page, int id) {
    wxWindow* button = page->FindWindow(id);
    if (!button || !button->IsEnabled() || !button->IsShown()) return false;
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
    return true;
  }
  // A key pressed and let go; each change has reached the program's input
  // before the test pumps on.
  void PressKey(const char* key, int downMs, int upMs) {
    m_x.KeyNamed(key, true);
    m_x.Sync();
    Pump(downMs);
    m_x.KeyNamed(key, false);
    m_x.Sync();
    Pump(upMs);
  }
  bool CounterOnScreen() {
    return XScreenShot(m_x.ScreenWidth() / 2 - kCentreHalf, m_x.ScreenHeight() / 2 - kCentreHalf, 2 * kCentreHalf,
                       2 * kCentreHalf)
               .CountLit() > 0;
  }

  // The child of a tree item named `name` (its text is the name, then a
  // label after a blank); the item is expanded first, as the operator
  // opens it. Invalid when there is none.
  static wxTreeItemId ChildNamed(CLeftView* tree, const wxTreeItemId& parent, const std::string& name) {
    if (!parent.IsOk()) return wxTreeItemId();
    if (tree->ItemHasChildren(parent)) tree->wxTreeCtrl::Expand(parent);
    wxTreeItemIdValue cookie;
    for (wxTreeItemId item = tree->GetFirstChild(parent, cookie); item.IsOk(); item = tree->GetNextChild(parent, cookie)) {
      const std::string text = tree->GetItemText(item).utf8_string();
      if (text == name || text.rfind(name + " ", 0) == 0) return item;
    }
    return wxTreeItemId();
  }
  // The assessment's item under the testee in the tree's scores branch.
  static wxTreeItemId AssessmentItem(CLeftView* tree, uint32_t number) {
    CProjectTreeNode* scores = tree->GetTree().m_root.FindKind(CProjectTreeNode::kScoresGroup);
    if (!scores || !scores->m_item) return wxTreeItemId();
    wxTreeItemId item(scores->m_item);
    for (const std::string& name : {std::string(kTestee), std::string(kModel), std::string(kTask)}) {
      item = ChildNamed(tree, item, name);
    }
    return ChildNamed(tree, item, std::to_string(number));
  }
  // The Data page's rows that name the testee, the model and the task.
  static int ScoreRowsOfTheRun(CDlgTabData* data) {
    CListCtrlVariables* list = data->GetScoreList();
    int rows = 0;
    for (int row = 0; row < list->GetItemCount(); ++row) {
      std::vector<std::string> cells;
      for (int column = 0; column < list->GetColumnCount(); ++column) cells.push_back(list->GetCellText(row, column));
      auto has = [&](const char* text) { return std::find(cells.begin(), cells.end(), text) != cells.end(); };
      if (has(kTestee) && has(kModel) && has(kTask)) ++rows;
    }
    return rows;
  }

  static void CloseAndExit(CQelProgram& program) {
    program.AbortTaskRun();
    if (CMainFrame* frame = program.GetMainFrame()) frame->Close(true);
    Pump(50);
    program.ExitInstance();
  }

  XTestInput m_x;
  TempFolder m_folder;
  TempFolder m_config;
  TempFolder m_data;
};

TEST_F(ProgramRunViewsTest, ATestRunFromTheAssessmentsPageShowsInTheDataPageAndTheTreeAtOnce) {
  // The program's wiring, its workstation users in a file of the test's own.
  CProgramWiring wiring;
  wiring.Install();
  const std::string usersPath = m_config.File("Users.qeu");
  CWorkstationUsersService users(usersPath);
  CQelProgram program(Folder(), SettingsPath());
  StartLoggedIn(program, users);
  if (HasFatalFailure()) return;
  CMainFrame* frame = program.GetMainFrame();
  ASSERT_NE(frame, nullptr);
  // Away from the screen's centre, where the testee's screen shows the tap counter.
  frame->Move(m_x.ScreenWidth() / 2 + kCentreMargin, m_x.ScreenHeight() / 2 + kCentreMargin);
  Pump(100);
  CQelViewTab* view = frame->GetMainView();
  auto* assessments = dynamic_cast<CDlgTabAssessment*>(view->GetPage(kPageAssessments));
  auto* data = dynamic_cast<CDlgTabData*>(view->GetPage(kPageData));
  CLeftView* tree = GetTreeWindow();
  ASSERT_NE(assessments, nullptr);
  ASSERT_NE(data, nullptr);
  ASSERT_NE(tree, nullptr);

  // The project opened as the operator's stored path opens it, after the login.
  const std::string path = OpenProject(program);
  ASSERT_EQ(tree->GetProjectPath(), path);
  ASSERT_EQ(assessments->GetCurrentTestee(), kTestee);
  ASSERT_EQ(assessments->GetCurrentModel(), kModel);
  ASSERT_EQ(assessments->GetCurrentTask(), kTask);
  EXPECT_EQ(ScoreRowsOfTheRun(data), 0);
  EXPECT_FALSE(AssessmentItem(tree, 1).IsOk()) << "nothing filed yet";

  // Every score dialog of a run is read and closed as the operator closes
  // it; the test run's question whether to save is answered Yes.
  PromptRecorder prompts(kAnswerYes);
  std::vector<bool> savable;
  wxTimer closer;
  closer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    for (wxWindow* w : wxTopLevelWindows) {
      auto* dialog = dynamic_cast<CDlgScore*>(w);
      if (!dialog || !dialog->IsModal()) continue;
      savable.push_back(dialog->Document().MaySave());
      dialog->CloseAsked();
      return;
    }
  });
  closer.Start(kCloserMs);
  auto running = [] { return IsAnyRunInProgress(); };

  // Practice: the part starts by itself; the left key taps. Nothing is stored.
  ASSERT_TRUE(Click(assessments, Page::kIdPractice));
  ASSERT_TRUE(PumpUntil([&] { return program.Host().Display().GetWndDD()->GetWindow() != nullptr; }, kScreenUpMs))
      << "the testee's screen is up";
  ASSERT_TRUE(PumpUntil([&] { return CounterOnScreen(); }, kScreenUpMs)) << "the counter is on the screen";
  for (int tap = 0; tap < kPracticeTaps; ++tap) PressKey("Shift_L", 60, 120);
  ASSERT_TRUE(PumpUntil([&] { return !running(); }, kRunEndMs));
  ASSERT_TRUE(PumpUntil([&] { return savable.size() == 1; }, kViewsMs));
  EXPECT_FALSE(savable[0]) << "a practice run offers no saving";
  Pump(300);
  EXPECT_EQ(ScoreRowsOfTheRun(data), 0) << "a practice run is not stored";
  EXPECT_FALSE(AssessmentItem(tree, 1).IsOk());

  // Test: Space starts the part and taps; the score is saved.
  ASSERT_TRUE(PumpUntil([&] { return assessments->FindWindow(Page::kIdTest)->IsEnabled(); }, kViewsMs));
  ASSERT_TRUE(Click(assessments, Page::kIdTest));
  ASSERT_TRUE(PumpUntil([&] { return program.Host().Display().GetWndDD()->GetWindow() != nullptr; }, kScreenUpMs));
  Pump(300);
  PressKey("space", 60, 300);
  ASSERT_TRUE(PumpUntil([&] { return CounterOnScreen(); }, kScreenUpMs)) << "the counter is on the screen";
  // Only while the run goes on: a Space after it would press the page's
  // focused Test button.
  for (int tap = 0; tap < kTestTaps && running(); ++tap) PressKey("space", 60, 120);
  ASSERT_TRUE(PumpUntil([&] { return !running(); }, kRunEndMs));
  ASSERT_TRUE(PumpUntil([&] { return savable.size() == 2; }, kViewsMs));
  closer.Stop();
  EXPECT_TRUE(savable[1]);
  const std::vector<std::string> asked = prompts.ShownTexts();
  EXPECT_NE(std::find(asked.begin(), asked.end(), "Save this score into database?"), asked.end());

  // Without the project opened again: the Data page lists the new score and
  // the tree shows the assessment under the testee.
  EXPECT_TRUE(PumpUntil([&] { return ScoreRowsOfTheRun(data) == 1; }, kViewsMs))
      << "the Data page lists " << data->GetScoreList()->GetItemCount() << " rows";
  EXPECT_TRUE(PumpUntil([&] { return AssessmentItem(tree, 1).IsOk(); }, kViewsMs))
      << "the tree shows assessment 1 of the testee";
  EXPECT_TRUE(tree->GetSelection() == AssessmentItem(tree, 1)) << "the run's assessment is selected";
  EXPECT_EQ(tree->GetProjectPath(), path);

  // "<- Find" of the testee selects the testee in the tree through the document.
  CQelDoc* doc = wxDynamicCast(program.GetDocManager()->GetCurrentDocument(), CQelDoc);
  ASSERT_NE(doc, nullptr);
  ASSERT_EQ(doc->GetTreeWindow(), tree);
  doc->SelectTesteeInTree("P01");
  ASSERT_TRUE(tree->GetSelection().IsOk());
  EXPECT_NE(tree->GetItemText(tree->GetSelection()).utf8_string().find("P01"), std::string::npos)
      << tree->GetItemText(tree->GetSelection()).utf8_string();
  CloseAndExit(program);
}

// The program ends while a test run started from the Assessments page goes
// on (the page's runs go on a run dialog of their own, which outlives the
// program): the run ends with the program, unscored, before the plug-in it
// calls is unloaded.
TEST_F(ProgramRunViewsTest, TheProgramEndsWhileATestRunOfTheAssessmentsPageGoesOn) {
  CProgramWiring wiring;
  wiring.Install();
  const std::string usersPath = m_config.File("Users.qeu");
  CWorkstationUsersService users(usersPath);
  CQelProgram program(Folder(), SettingsPath());
  StartLoggedIn(program, users);
  if (HasFatalFailure()) return;
  OpenProject(program);
  auto* assessments =
      dynamic_cast<CDlgTabAssessment*>(program.GetMainFrame()->GetMainView()->GetPage(kPageAssessments));
  ASSERT_NE(assessments, nullptr);
  ASSERT_EQ(assessments->GetCurrentTask(), kTask);

  PromptRecorder prompts(kAnswerOk);
  ASSERT_TRUE(Click(assessments, Page::kIdTest));
  ASSERT_TRUE(PumpUntil([] { return IsAnyRunInProgress(); }, kScreenUpMs));
  CDlgRun* run = nullptr;
  for (wxWindow* window : wxTopLevelWindows) {
    if (auto* dialog = dynamic_cast<CDlgRun*>(window); dialog && dialog->IsRunInProgress()) run = dialog;
  }
  ASSERT_NE(run, nullptr) << "the page's run dialog";
  ASSERT_NE(run, program.GetRunDialog());
  // The dialog may go with the program: it is only read while it lives, and
  // the plug-ins still loaded at the moment it goes are counted.
  wxWeakRef<CDlgRun> watched(run);
  auto librariesWhenItWent = std::make_shared<int>(-1);
  run->Bind(wxEVT_DESTROY, [run, librariesWhenItWent](wxWindowDestroyEvent& event) {
    if (event.GetEventObject() == run) *librariesWhenItWent = GetTaskLibraryCount();
    event.Skip();
  });
  Pump(300);

  // The operator's window goes and the program ends, the run still going.
  program.GetMainFrame()->Close(true);
  Pump(50);
  program.ExitInstance();
  if (watched) {
    EXPECT_FALSE(watched->IsRunInProgress()) << "the run ended with the program";
    EXPECT_FALSE(watched->Timer().IsRunning()) << "its beat stopped before the plug-ins went";
  } else {
    // Its end aborts the run and waits for the task's worker.
    EXPECT_GT(*librariesWhenItWent, 0) << "the run went with its dialog before the plug-ins";
  }
}

}  // namespace
}  // namespace qel
