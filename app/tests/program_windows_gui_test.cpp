// The windows the program installs behind its buttons, on a real audited
// project whose one score was saved three times: the Data page's "Assessments"
// and "Scores history", the score history's "View" with the score dialog's
// "<- ChangesList", and the project dialog's detail buttons open the real
// dialogs on the project.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/modalhook.h>
#include <wx/testing.h>

#include <functional>
#include <memory>
#include <string>

#include "admin/ui/DlgHistory.h"
#include "admin/ui/DlgModelsAvailable.h"
#include "admin/ui/DlgProject.h"
#include "admin/ui/DlgUsers.h"
#include "admin/ui/UserDialogs.h"
#include "app/services/ProgramServices.h"
#include "app/startup/AppStartup.h"
#include "app/ui/ProgramWiring.h"
#include "editors/ui/DlgModel.h"
#include "project/tests/CfrProjectSupport.h"
#include "scores/ScoreDialog.h"
#include "scores/ScoreDocument.h"
#include "scores/ui/DlgScore.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxControls.h"
#include "tests/support/gui/WxPump.h"
#include "ui/ui/PageServices.h"
#include "ui/ui/ProjectLists.h"

namespace qel {
namespace test {
namespace {

// Runs the steps on the dialog the code under test shows modally; their
// answer is the dialog's result.
template <class Dialog>
class Drive : public wxExpectModalBase<Dialog, Drive<Dialog>> {
 public:
  explicit Drive(std::function<int(Dialog*)> steps) : m_steps(std::move(steps)) {}

 protected:
  int OnInvoked(Dialog* dialog) const override { return m_steps(dialog); }

 private:
  std::function<int(Dialog*)> m_steps;
};

void Press(wxWindow* dialog, int id) {
  wxWindow* button = dialog->FindWindow(id);
  ASSERT_NE(button, nullptr) << id;
  SendControlEvent(button, wxEVT_BUTTON, 0);
}

// Selects the list's first row and waits for OK to follow.
void ChooseFirst(CDlgHistoryBase* dialog, CListCtrlQel& list) {
  list.SelectRow(0);
  PumpUntil([&] { return dialog->FindWindow(wxID_OK)->IsEnabled(); });
}

// The program wired as it runs, its project object on an audited project
// with O'Neil's score stored by anna, saved again by bert, then by anna.
class ProgramWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LogIn("anna");
    CQelProject::SetLoggedUser(&g_LoggedUser);
    m_path = m_folder.File("Runs.qep");
    MakeCfrProjectForRuns(m_path);
    m_wiring.Install();
    m_project = dynamic_cast<CProgramProject*>(GetProgramProject());
    ASSERT_NE(m_project, nullptr);
    m_project->SetPath(m_path);
    ASSERT_TRUE(m_project->Project().Open(m_path, false, false));
    m_library.scoreVariables = kTestVariables;
    m_library.scoreVariableCount = static_cast<uint32_t>(std::size(kTestVariables));
    m_project->Project().SetScoreVariableTable(&m_library);
    m_runData->scoreVariableCount = 3;
    for (int i = 0; i < 3; ++i) m_runData->values[i] = 10.0 + i;
    CExpModelTask task = RunTask(kCfrCode, 1, 1, 20);
    bool added = false, newRow = false;
    ASSERT_TRUE(m_project->WriteResponses(kCfrTestee, kCfrModel, task, *m_runData, 3, QelDateTime::FromDate(2024, 4, 5),
                                          &added, &newRow));
    LogIn("bert");
    m_runData->values[0] = 20.0;
    ASSERT_TRUE(m_project->Project().WriteVariables(kCfrTestee, kCfrModel, kCfrCode, 1, g_LoggedUser, &added, 3));
    LogIn("anna");
    m_runData->values[0] = 30.0;
    ASSERT_TRUE(m_project->Project().WriteVariables(kCfrTestee, kCfrModel, kCfrCode, 1, g_LoggedUser, &added, 3));
    // Her comment corrected: the testee keeps the row as it stood.
    CTesteeInfo testee;
    ASSERT_TRUE(m_project->Project().ReadTestee(kCfrTestee, &testee));
    testee.m_comment = "corrected";
    ASSERT_TRUE(m_project->Project().WriteTestee(testee, g_LoggedUser, &added, true, true));
    m_frame = new wxFrame(nullptr, wxID_ANY, "Qel");
  }
  void TearDown() override {
    if (m_frame) m_frame->Destroy();
    Pump(20);
    m_wiring.Uninstall();
    LogoutCurrentUser();
    CQelProject::SetLoggedUser(nullptr);
  }

  static void LogIn(const std::string& id) {
    g_LoggedUser = TestUser(id);
    g_LoggedUser.m_type = 0;
  }

  // The score dialog as "View" opens it: the stored score of O'Neil's
  // assessment, never to be saved from there.
  static void ExpectViewedScore(CDlgScore* dialog) {
    CScoreDocument& doc = dialog->Document();
    EXPECT_EQ(doc.m_testee, kCfrTestee);
    EXPECT_EQ(doc.m_model, kCfrModel);
    EXPECT_EQ(doc.m_taskId, kCfrCode);
    EXPECT_EQ(doc.m_assessment, 1u);
    EXPECT_FALSE(doc.MaySave());
  }

  PromptRecorder m_messages;
  TempFolder m_folder;
  std::string m_path;
  std::unique_ptr<CTaskRunData> m_runData = std::make_unique<CTaskRunData>();
  CTaskLibrary m_library;
  CProgramWiring m_wiring;
  CProgramProject* m_project = nullptr;
  wxFrame* m_frame = nullptr;
};

TEST_F(ProgramWindowsTest, TheDataPagesListsAreTheHistoryDialogsAndViewOpensTheSavedVersion) {
  DataPageScore filter;
  filter.testee = kCfrTestee;
  wxTEST_DIALOG(m_wiring.DataPages().ShowAssessments(m_frame, filter),
                Drive<CDlgAssessmentHistory>([](CDlgAssessmentHistory* dialog) {
                  EXPECT_EQ(dialog->GetModeText(), CDlgAssessmentHistory::kListMode);
                  EXPECT_EQ(dialog->GetTitle(), "Project Runs: Testees assessments available");
                  EXPECT_EQ(dialog->GetRowCount(), 1);
                  return wxID_CANCEL;
                }));
  // A kept version opens in the score dialog as it was saved.
  wxTEST_DIALOG(m_wiring.DataPages().ShowScoreHistory(m_frame, filter),
                Drive<CDlgScoreHistory>([](CDlgScoreHistory* dialog) {
                  EXPECT_EQ(dialog->GetModeText(), CDlgScoreHistory::kHistoryMode);
                  EXPECT_EQ(dialog->List().GetItemCount(), 2);
                  ChooseFirst(dialog, dialog->List());
                  EXPECT_TRUE(dialog->ViewChosen());
                  return wxID_CANCEL;
                }),
                Drive<CDlgScore>([](CDlgScore* dialog) {
                  ExpectViewedScore(dialog);
                  EXPECT_FALSE(dialog->Document().ChangesAvailable()) << "a saved version has no later changes";
                  return wxID_CANCEL;
                }));

  // Another testee's filter: the lists are empty.
  filter.testee = "Nobody";
  wxTEST_DIALOG(m_wiring.DataPages().ShowScoreHistory(m_frame, filter),
                Drive<CDlgScoreHistory>([](CDlgScoreHistory* dialog) {
                  EXPECT_EQ(dialog->List().GetItemCount(), 0);
                  return wxID_CANCEL;
                }));

  // Uninstalled, the buttons open nothing.
  m_wiring.Uninstall();
  m_wiring.DataPages().ShowAssessments(m_frame, filter);
  m_wiring.DataPages().ShowScoreHistory(m_frame, filter);
  EXPECT_EQ(GetScoreVersionsDialog(), nullptr);
  EXPECT_FALSE(HasProjectWindow(ProjectWindow::kScores));
}

TEST_F(ProgramWindowsTest, TheStandingScoreViewedListsItsSavedVersionsInTheAssessmentScoreHistory) {
  ASSERT_NE(GetPageServices(), nullptr);
  ASSERT_NE(GetScoreVersionsDialog(), nullptr);
  int chosen = -1;
  wxTEST_DIALOG(GetPageServices()->ShowScores(m_frame, false, kCfrTestee, "", ""),
                Drive<CDlgScoreHistory>([](CDlgScoreHistory* dialog) {
                  EXPECT_EQ(dialog->GetModeText(), CDlgScoreHistory::kListMode);
                  EXPECT_EQ(dialog->List().GetItemCount(), 1);
                  ChooseFirst(dialog, dialog->List());
                  EXPECT_TRUE(dialog->ViewChosen());
                  return wxID_CANCEL;
                }),
                Drive<CDlgScore>([&](CDlgScore* dialog) {
                  ExpectViewedScore(dialog);
                  EXPECT_TRUE(dialog->Document().ChangesAvailable());
                  dialog->ShowView(ScoreView::kChanges);
                  EXPECT_TRUE(dialog->ChangesButton()->IsShown());
                  SendControlEvent(dialog->ChangesButton(), wxEVT_BUTTON, 0);
                  chosen = dialog->Document().SelectedVersion();
                  return wxID_CANCEL;
                }),
                Drive<CDlgAssessmentScoreHistory>([](CDlgAssessmentScoreHistory* dialog) {
                  EXPECT_EQ(dialog->GetTitle(),
                            std::string("Project Runs, testee ") + kCfrTestee +
                                ", model Model, task TP, assno 1: " + CDlgAssessmentScoreHistory::kMode);
                  EXPECT_EQ(dialog->List().GetItemCount(), 2);
                  EXPECT_EQ(dialog->GetSelectedRow(), 0) << "the version shown is marked";
                  EXPECT_EQ(dialog->GetNewUser(), "anna");
                  EXPECT_EQ(dialog->GetOldUser(), "bert");
                  // The older pair: bert's version against anna's first.
                  dialog->List().SelectRow(1);
                  PumpUntil([&] { return dialog->GetSelectedRow() == 1; });
                  EXPECT_EQ(dialog->GetNewUser(), "bert");
                  EXPECT_EQ(dialog->GetOldUser(), "anna");
                  return wxID_OK;
                }));
  EXPECT_EQ(chosen, 1) << "the score dialog shows the version chosen";

  // A score of another project file finds no list of versions here.
  ScoreVersionsRequest other;
  other.projectPath = m_folder.File("Other.qep");
  other.testee = kCfrTestee;
  other.model = kCfrModel;
  other.task = kCfrCode;
  other.assessment = 1;
  EXPECT_EQ(GetScoreVersionsDialog()->ChooseVersion(other), -1);
}

TEST_F(ProgramWindowsTest, TheProjectDialogsDetailButtonsOpenTheProjectsWindows) {
  InstallUserDialogs();
  CDlgProject* dialog =
      new CDlgProject(m_frame, &m_project->Project(), ProjectDlgMode::kProperties, m_project->Tasks());
  ASSERT_EQ(dialog->Start(), 0);
  dialog->Show();
  Pump(20);
  for (int id : {CDlgProject::kIdModels, CDlgProject::kIdTestees, CDlgProject::kIdAssessments, CDlgProject::kIdScores,
                 CDlgProject::kIdUsers, CDlgProject::kIdTesteesHistory, CDlgProject::kIdScoresHistory}) {
    EXPECT_TRUE(dialog->FindWindow(id)->IsShown()) << id;
  }

  wxTEST_DIALOG(Press(dialog, CDlgProject::kIdTestees), Drive<CDlgTesteeHistory>([](CDlgTesteeHistory* testees) {
                  EXPECT_EQ(testees->GetModeText(), CDlgTesteeHistory::kListMode);
                  EXPECT_EQ(testees->List().GetItemCount(), 1);
                  return wxID_CANCEL;
                }));
  wxTEST_DIALOG(Press(dialog, CDlgProject::kIdTesteesHistory), Drive<CDlgTesteeHistory>([](CDlgTesteeHistory* testees) {
                  EXPECT_EQ(testees->GetModeText(), CDlgTesteeHistory::kHistoryMode);
                  EXPECT_EQ(testees->List().GetItemCount(), 1);
                  return wxID_CANCEL;
                }));
  wxTEST_DIALOG(Press(dialog, CDlgProject::kIdAssessments),
                Drive<CDlgAssessmentHistory>([](CDlgAssessmentHistory* assessments) {
                  EXPECT_EQ(assessments->GetModeText(), CDlgAssessmentHistory::kListMode);
                  EXPECT_EQ(assessments->List().GetItemCount(), 1);
                  return wxID_CANCEL;
                }));
  wxTEST_DIALOG(Press(dialog, CDlgProject::kIdScores), Drive<CDlgScoreHistory>([](CDlgScoreHistory* scores) {
                  EXPECT_EQ(scores->GetModeText(), CDlgScoreHistory::kListMode);
                  EXPECT_EQ(scores->List().GetItemCount(), 1);
                  ChooseFirst(scores, scores->List());
                  EXPECT_TRUE(scores->ViewChosen());
                  return wxID_CANCEL;
                }),
                Drive<CDlgScore>([](CDlgScore* score) {
                  ExpectViewedScore(score);
                  EXPECT_TRUE(score->Document().ChangesAvailable());
                  return wxID_CANCEL;
                }));
  wxTEST_DIALOG(Press(dialog, CDlgProject::kIdScoresHistory), Drive<CDlgScoreHistory>([](CDlgScoreHistory* scores) {
                  EXPECT_EQ(scores->GetModeText(), CDlgScoreHistory::kHistoryMode);
                  EXPECT_EQ(scores->List().GetItemCount(), 2);
                  return wxID_CANCEL;
                }));
  const size_t users = m_project->Project().GetUsers().size();
  ASSERT_GE(users, 2u);  // admin made it, anna and bert wrote to it
  wxTEST_DIALOG(Press(dialog, CDlgProject::kIdUsers), Drive<CDlgUsers>([&](CDlgUsers* list) {
                  EXPECT_EQ(list->List().GetItemCount(), static_cast<int>(users));
                  return wxID_CANCEL;
                }));
  // "View" in the model picker opens the model read from the project in the model editor.
  wxTEST_DIALOG(Press(dialog, CDlgProject::kIdModels), Drive<CDlgModelsAvailable>([](CDlgModelsAvailable* models) {
                  EXPECT_EQ(models->GetRowCount(), 1);
                  models->List().SelectRow(0);
                  PumpUntil([&] { return models->GetChosenModel() == kCfrModel; });
                  EXPECT_TRUE(models->ViewChosen());
                  return wxID_CANCEL;
                }),
                Drive<CDlgModel>([](CDlgModel* editor) {
                  EXPECT_EQ(editor->Editing().Model()->m_name, kCfrModel);
                  EXPECT_EQ(editor->Editing().TaskCount(), 1);
                  return wxID_CANCEL;
                }));
  dialog->Destroy();
  Pump(10);
  AppServices services = GetAppServices();
  services.userDialogs = nullptr;
  SetAppServices(services);
}

}  // namespace
}  // namespace test
}  // namespace qel
