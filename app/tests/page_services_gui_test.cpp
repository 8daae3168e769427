// The program's page services and the update-history dialogs under the X
// server, on a real audited (CFR) project file: testees entered and edited
// from the Testees page are written through the project object as the
// logged-in user and keep their earlier rows; the history dialogs show the
// kept versions (old and new values, who and when), and the score history
// shows a rewritten score's saved versions.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/combobox.h>
#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/frame.h>
#include <wx/modalhook.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "admin/ui/DlgHistory.h"
#include "admin/ui/DlgTestee.h"
#include "admin/ui/DlgTesteeCode.h"
#include "app/services/ProgramServices.h"
#include "app/startup/AppStartup.h"
#include "app/ui/ProgramPageServices.h"
#include "app/ui/QelDoc.h"
#include "project/tests/CfrProjectSupport.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxControls.h"
#include "tests/support/gui/WxPump.h"
#include "ui/IconIndex.h"
#include "ui/ListRows.h"
#include "ui/ui/DlgTabTestee.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"
#include "ui/ui/QelViewTab.h"

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

void Type(wxWindow* dialog, int id, const char* text) {
  auto* edit = FindControl<wxTextCtrl>(dialog, id);
  ASSERT_NE(edit, nullptr) << id;
  edit->SetValue(wxString::FromUTF8(text));
}

void SetBirthDate(wxWindow* dialog, const wxDateTime& date) {
  auto* picker = FindControl<wxDatePickerCtrl>(dialog, CDlgTestee::kIdBirthDate);
  picker->SetValue(date);
  wxDateEvent event(picker, date, wxEVT_DATE_CHANGED);
  picker->GetEventHandler()->ProcessEvent(event);
}

void Press(wxWindow* dialog, int id) { SendControlEvent(dialog->FindWindow(id), wxEVT_BUTTON, 0); }

std::string Label(wxWindow* dialog, int id) { return dialog->FindWindow(id)->GetLabel().utf8_string(); }

std::vector<std::string> Column(const CListCtrlQel& list, int column) {
  std::vector<std::string> cells;
  for (int row = 0; row < list.GetItemCount(); ++row) cells.push_back(list.GetCellText(row, column));
  return cells;
}

std::string Date(int y, int m, int d) { return ListDateText(QelDateTime::FromDate(y, m, d)); }

// The testee list's row-selected notice to its page (the testees kind's code).
constexpr int kSelectedTesteeRow = 323;

class TestPage : public CDlgTabTestee {
 public:
  void UseProject(IDocProject* project) { m_pProject = project; }
};

// An audited project made by anna, opened by the program's project object.
class PageServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LogIn("anna");
    // The project object writes, and makes new projects, as the program's logged-in user.
    CQelProject::SetLoggedUser(&g_LoggedUser);
    m_path = m_folder.File("Audited.qep");
    ASSERT_TRUE(CQelProject::CreateProject(m_path, "Clinic", "", nullptr, true, false));
    m_project = std::make_unique<CProgramProject>(m_runData.get());
    m_project->SetPath(m_path);
    ASSERT_TRUE(m_project->Project().Open(m_path, false, false));
    ASSERT_TRUE(m_project->IsOpenCfr());
    m_library.scoreVariables = kTestVariables;
    m_library.scoreVariableCount = static_cast<uint32_t>(std::size(kTestVariables));
    m_project->Project().SetScoreVariableTable(&m_library);
    m_frame = new wxFrame(nullptr, wxID_ANY, "Testees", wxDefaultPosition, wxSize(900, 560));
  }
  void TearDown() override {
    wxTheApp->ProcessPendingEvents();
    if (m_page) m_page->UseProject(nullptr);
    if (m_frame) m_frame->Destroy();
    Pump(20);
    SetPageServices(nullptr);
    LogoutCurrentUser();
  }

  static void LogIn(const std::string& id) {
    g_LoggedUser = TestUser(id);
    g_LoggedUser.m_type = 0;
  }

  // Ann as anna wrote her (born 1950, right-handed), then as bert with
  // another birth date, keeping the row as it stood.
  void WriteAnnTwice() {
    CTesteeInfo ann;
    ann.m_testee = "Ann";
    ann.m_code = "Default";
    ann.m_firstName = "Ann";
    ann.m_surname = "Smith";
    ann.m_dateBirth = QelDateTime::FromDate(1950, 1, 1);
    ann.m_preference = 0;
    ann.m_sex = 1;
    ASSERT_TRUE(m_project->Project().WriteTestee(ann, g_LoggedUser, nullptr, false, false));
    LogIn("bert");
    ann.m_dateBirth = QelDateTime::FromDate(1951, 2, 3);
    ann.m_preference = 1;
    ASSERT_TRUE(m_project->Project().WriteTestee(ann, g_LoggedUser, nullptr, true, true));
  }

  TestPage* MakePage() {
    SetPageServices(&m_services);
    auto* page = new TestPage;
    page->UseProject(m_project.get());
    page->CreatePage(m_frame);
    m_frame->Show();
    m_page = page;
    return page;
  }

  int KeptTesteeRows() {
    std::vector<std::string> users;
    return m_project->Project().ReadTesteeHistory(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                  &users, nullptr, nullptr);
  }

  TempFolder m_folder;
  std::string m_path;
  std::unique_ptr<CTaskRunData> m_runData = std::make_unique<CTaskRunData>();
  CTaskLibrary m_library;
  std::unique_ptr<CProgramProject> m_project;
  CProgramPageServices m_services{[this] { return m_project.get(); }};
  wxFrame* m_frame = nullptr;
  TestPage* m_page = nullptr;
};

TEST_F(PageServicesTest, TesteesEnteredAndEditedOnTheTesteesPageAreWrittenThroughTheProjectObject) {
  PromptRecorder messages(kAnswerYes);
  TestPage* page = MakePage();
  EXPECT_EQ(m_services.GetProjectData(), &m_project->GetData());

  // A new testee code, then a new testee.
  wxTEST_DIALOG(page->NewTesteeCode(), Drive<CDlgTesteeCode>([](CDlgTesteeCode* dialog) {
                  Type(dialog, CDlgTesteeCode::kIdCode, "Ward");
                  Type(dialog, CDlgTesteeCode::kIdLabel, "Inpatients");
                  Press(dialog, wxID_OK);
                  return wxID_OK;
                }));
  EXPECT_EQ(page->GetCurrentCode(), "Ward");
  wxTEST_DIALOG(page->NewTestee(), Drive<CDlgTestee>([](CDlgTestee* dialog) {
                  Pump(30);
                  Type(dialog, CDlgTestee::kIdTestee, "T01");
                  Type(dialog, CDlgTestee::kIdFirstName, "Pat");
                  Type(dialog, CDlgTestee::kIdSurname, "O'Neil");
                  SetBirthDate(dialog, wxDateTime(17, wxDateTime::May, 1980));
                  Select(FindControl<wxComboBox>(dialog, CDlgTestee::kIdPreference), 0);
                  Select(FindControl<wxComboBox>(dialog, CDlgTestee::kIdSex), 1);
                  Pump(20);
                  Press(dialog, wxID_OK);
                  return dialog->IsComplete() ? wxID_OK : wxID_CANCEL;
                }));
  EXPECT_EQ(page->GetCurrentTestee(), "T01");

  // Read back from the file by a project object of its own.
  CLoadedTaskLibraries tasks;
  auto reread = [&](CTesteeInfo* out) {
    CQelProject other(tasks);
    ASSERT_TRUE(other.Open(m_path, false, false));
    ASSERT_TRUE(other.ReadTestee("T01", out));
  };
  CTesteeInfo stored;
  reread(&stored);
  EXPECT_EQ(stored.m_surname, "O'Neil");
  EXPECT_EQ(stored.m_preference, 0);
  EXPECT_EQ(stored.m_sex, 1);
  EXPECT_EQ(ListDateText(stored.m_dateBirth), Date(1980, 5, 17));
  CTesteeCodeInfo ward;
  ASSERT_TRUE(m_project->Project().ReadTesteeCode("Ward", &ward));
  EXPECT_EQ(ward.m_description, "Inpatients");
  EXPECT_EQ(KeptTesteeRows(), 0);

  // bert changes the birth date: the row as anna left it is kept.
  LogIn("bert");
  page->Refresh();
  // The operator picks T01's row in the page's list.
  ASSERT_EQ(page->GetTesteeList()->GetKey(0), "T01");
  SendNotify(page, kSelectedTesteeRow, 0);
  ASSERT_EQ(page->GetCurrentTestee(), "T01");
  wxTEST_DIALOG(page->EditTestee(), Drive<CDlgTestee>([](CDlgTestee* dialog) {
                  Pump(30);
                  SetBirthDate(dialog, wxDateTime(18, wxDateTime::May, 1980));
                  Pump(20);
                  Press(dialog, wxID_OK);
                  return wxID_OK;
                }));
  reread(&stored);
  EXPECT_EQ(ListDateText(stored.m_dateBirth), Date(1980, 5, 18));
  std::vector<std::string> users;
  std::vector<QelDateTime> births;
  ASSERT_EQ(m_project->Project().ReadTesteeHistory(nullptr, nullptr, nullptr, nullptr, nullptr, &births, nullptr,
                                                   &users, nullptr, nullptr),
            1);
  EXPECT_EQ(users[0], "anna");
  EXPECT_EQ(ListDateText(births[0]), Date(1980, 5, 17));
  EXPECT_EQ(m_project->GetData().GetTesteeChangeCount("T01"), 1);
  EXPECT_TRUE(m_project->GetData().IsUser("bert"));

  // A change of the comment alone is audited too: its earlier row is kept.
  LogIn("carl");
  wxTEST_DIALOG(page->EditTestee(), Drive<CDlgTestee>([](CDlgTestee* dialog) {
                  Pump(30);
                  Type(dialog, CDlgTestee::kIdComment, "Wears glasses");
                  Pump(20);
                  Press(dialog, wxID_OK);
                  return wxID_OK;
                }));
  reread(&stored);
  EXPECT_EQ(stored.m_comment, "Wears glasses");
  EXPECT_EQ(KeptTesteeRows(), 2);

  // Saving without a change rewrites nothing: who wrote the row last stays.
  LogIn("dora");
  wxTEST_DIALOG(page->EditTestee(), Drive<CDlgTestee>([](CDlgTestee* dialog) {
                  Pump(30);
                  Press(dialog, wxID_OK);
                  return wxID_OK;
                }));
  EXPECT_EQ(KeptTesteeRows(), 2);
  EXPECT_EQ(m_project->GetData().GetTesteeDescription("T01"), "carl") << "the audited cache keeps the writer";

  // A cancelled dialog writes nothing.
  wxTEST_DIALOG(page->EditTestee(), Drive<CDlgTestee>([](CDlgTestee* dialog) {
                  Type(dialog, CDlgTestee::kIdComment, "Never saved");
                  return wxID_CANCEL;
                }));
  reread(&stored);
  EXPECT_EQ(stored.m_comment, "Wears glasses");
  EXPECT_EQ(KeptTesteeRows(), 2);
}

TEST_F(PageServicesTest, TheTesteeHistoryShowsTheKeptRowsAndTheUpdatesCompareNewWithOld) {
  WriteAnnTwice();
  TestPage* page = MakePage();
  page->Refresh();
  // The page's "Testees history": every kept row, as it stood, with who wrote it.
  wxCommandEvent history(wxEVT_BUTTON, CDlgTabTestee::kIdHistory);
  wxTEST_DIALOG(page->ProcessWindowEvent(history),
                Drive<CDlgTesteeHistory>([](CDlgTesteeHistory* dialog) {
                  EXPECT_EQ(dialog->GetTitle(), "Project Audited: History of updates of testees data");
                  EXPECT_EQ(Label(dialog, CDlgHistoryBase::kIdCount), "1");
                  EXPECT_FALSE(dialog->FindWindow(CDlgHistoryBase::kIdEmpty)->IsShown());
                  EXPECT_FALSE(dialog->FindWindow(CDlgHistoryBase::kIdChanges)->IsShown());
                  const CListCtrlTestees& list = dialog->List();
                  EXPECT_EQ(Column(list, 1), std::vector<std::string>{"Ann"});
                  EXPECT_EQ(Column(list, 3), std::vector<std::string>{Date(1950, 1, 1)});
                  EXPECT_EQ(Column(list, 6), std::vector<std::string>{"R, Female"});
                  EXPECT_EQ(Column(list, 7), std::vector<std::string>{"anna"});
                  EXPECT_EQ(list.GetRowImage(0), kIconTesteeHistory);
                  return wxID_CANCEL;
                }));

  // The list of testees: Ann as bert left her; "Changes" opens her updates,
  // newest first against the one before.
  CDlgTesteeHistory testees(m_frame, m_project.get(), "", false);
  testees.Show();
  EXPECT_EQ(testees.GetTitle(), "Project Audited: Testees available");
  ASSERT_EQ(testees.List().GetItemCount(), 1);
  EXPECT_EQ(testees.List().GetCellText(0, 3), Date(1951, 2, 3));
  EXPECT_EQ(testees.List().GetCellText(0, 7), "bert");
  // No score of hers has become outdated: nothing to rebuild.
  EXPECT_EQ(testees.List().GetCellText(0, 9), "");
  EXPECT_EQ(testees.List().GetRowImage(0), kIconTestee);
  wxWindow* changes = testees.FindWindow(CDlgHistoryBase::kIdChanges);
  EXPECT_TRUE(changes->IsShown());
  EXPECT_FALSE(changes->IsEnabled());
  EXPECT_FALSE(testees.FindWindow(wxID_OK)->IsEnabled());
  testees.List().SelectRow(0);
  ASSERT_TRUE(PumpUntil([&] { return changes->IsEnabled(); }));
  EXPECT_EQ(testees.GetChosenTestee(), "Ann");
  const std::string written = ListDateText(m_project->GetData().GetTesteeDate("Ann"));
  wxTEST_DIALOG(testees.ShowChanges(), Drive<CDlgTesteeUpdates>([&](CDlgTesteeUpdates* dialog) {
                  EXPECT_EQ(dialog->GetTitle(), "Project Audited, testee Ann: History of updates of testees data");
                  EXPECT_EQ(Label(dialog, CDlgHistoryBase::kIdCount), "1");
                  const CListCtrlTesteeUpdates& list = dialog->List();
                  EXPECT_EQ(list.GetItemCount(), 1);
                  // No., DateNew, UserNew, BirthDateNew, PrefNew, DateOld, UserOld, BirthDateOld, PrefOld
                  EXPECT_EQ(list.GetCellText(0, 0), "  1");
                  EXPECT_EQ(list.GetCellText(0, 1), written);
                  EXPECT_EQ(list.GetCellText(0, 2), "bert");
                  EXPECT_EQ(list.GetCellText(0, 3), Date(1951, 2, 3));
                  EXPECT_EQ(list.GetCellText(0, 4), "L");
                  EXPECT_EQ(list.GetCellText(0, 6), "anna");
                  EXPECT_EQ(list.GetCellText(0, 7), Date(1950, 1, 1));
                  EXPECT_EQ(list.GetCellText(0, 8), "R");
                  return wxID_CANCEL;
                }));
  testees.Hide();
}

TEST_F(PageServicesTest, AProjectWithoutTesteesOrChangesSaysSo) {
  CDlgTesteeHistory testees(m_frame, m_project.get(), "", false);
  EXPECT_EQ(Label(&testees, CDlgHistoryBase::kIdCount), "0");
  EXPECT_TRUE(testees.FindWindow(CDlgHistoryBase::kIdEmpty)->IsShown());
  EXPECT_EQ(Label(&testees, CDlgHistoryBase::kIdEmpty), "NO TESTEES AVAILABLE!");
  CDlgTesteeUpdates updates(m_frame, m_project.get(), "Nobody");
  EXPECT_EQ(Label(&updates, CDlgHistoryBase::kIdCount), "0");
  EXPECT_EQ(Label(&updates, CDlgHistoryBase::kIdEmpty), "NO UPDATES!");
  CDlgTesteeUpdates none(m_frame, nullptr, "Nobody");
  EXPECT_EQ(none.GetTitle(), "History of updates of testees data");
}

TEST_F(PageServicesTest, TheScoreHistoriesShowARewrittenScoresSavedVersions) {
  MakeCfrProjectForRuns(m_folder.File("Runs.qep"));
  m_project->SetPath(m_folder.File("Runs.qep"));
  ASSERT_TRUE(m_project->Project().Open(m_folder.File("Runs.qep"), false, false));
  // anna stores a run; bert stores the scores again.
  m_runData->scoreVariableCount = 3;
  for (int i = 0; i < 3; ++i) m_runData->values[i] = 10.0 + i;
  CExpModelTask task = RunTask(kCfrCode, 1, 1, 20);
  bool added = false, newRow = false;
  ASSERT_TRUE(m_project->WriteResponses(kCfrTestee, kCfrModel, task, *m_runData, 3, QelDateTime::FromDate(2024, 4, 5),
                                        &added, &newRow));
  LogIn("bert");
  m_runData->values[0] = 20.0;
  ASSERT_TRUE(m_project->Project().WriteVariables(kCfrTestee, kCfrModel, kCfrCode, 1, g_LoggedUser, &added, 3));

  // The stored scores: one, as bert saved it; its kept version as anna saved it.
  std::vector<CScoreChoice> viewed;
  std::vector<bool> asVersion;
  auto viewer = [&](wxWindow*, const CScoreChoice& score, const QelDateTime* asOf) {
    viewed.push_back(score);
    asVersion.push_back(asOf != nullptr);
  };
  CDlgScoreHistory scores(m_frame, m_project.get(), false, "", "", "", viewer);
  scores.Show();
  EXPECT_EQ(scores.GetTitle(), "Project Runs: Testees scores available");
  EXPECT_EQ(Label(&scores, wxID_OK), "View");
  ASSERT_EQ(scores.List().GetItemCount(), 1);
  EXPECT_EQ(scores.List().GetCellText(0, 1), kCfrTestee);
  EXPECT_EQ(scores.List().GetCellText(0, 7), "bert");
  EXPECT_FALSE(scores.FindWindow(wxID_OK)->IsEnabled());
  scores.List().SelectRow(0);
  ASSERT_TRUE(PumpUntil([&] { return scores.FindWindow(wxID_OK)->IsEnabled(); }));
  Press(&scores, wxID_OK);
  ASSERT_EQ(viewed.size(), 1u);
  EXPECT_EQ(viewed[0].testee, kCfrTestee);
  EXPECT_EQ(viewed[0].model, kCfrModel);
  EXPECT_EQ(viewed[0].task, kCfrCode);
  EXPECT_EQ(viewed[0].assessment, 1u);
  EXPECT_FALSE(asVersion[0]);
  EXPECT_TRUE(scores.IsShown()) << "the history stays open";
  scores.Hide();

  CDlgScoreHistory kept(m_frame, m_project.get(), true, kCfrTestee, "", "", viewer);
  kept.Show();
  EXPECT_EQ(kept.GetTitle(), "Project Runs: History of updates of testees scores");
  ASSERT_EQ(kept.List().GetItemCount(), 1);
  EXPECT_EQ(kept.List().GetCellText(0, 7), "anna");
  EXPECT_EQ(kept.List().GetRowImage(0), kIconScoreHistory);
  kept.List().SelectRow(0);
  ASSERT_TRUE(PumpUntil([&] { return kept.FindWindow(wxID_OK)->IsEnabled(); }));
  EXPECT_TRUE(kept.ViewChosen());
  ASSERT_EQ(viewed.size(), 2u);
  EXPECT_TRUE(asVersion[1]) << "a kept version opens as the version saved at its date";
  EXPECT_EQ(viewed[1].savedDate.value, kept.List().GetRowDate(0).value);
  kept.Hide();

  // The pages reach both lists through the page services, with their viewer.
  m_services.SetScoreViewer(viewer);
  wxTEST_DIALOG(m_services.ShowScores(m_frame, true, kCfrTestee, kCfrModel, ""),
                Drive<CDlgScoreHistory>([&](CDlgScoreHistory* dialog) {
                  EXPECT_EQ(dialog->GetModeText(), CDlgScoreHistory::kHistoryMode);
                  EXPECT_EQ(dialog->List().GetItemCount(), 1);
                  dialog->List().SelectRow(0);
                  PumpUntil([&] { return dialog->FindWindow(wxID_OK)->IsEnabled(); });
                  EXPECT_TRUE(dialog->ViewChosen());
                  return wxID_CANCEL;
                }));
  EXPECT_EQ(viewed.size(), 3u);
  wxTEST_DIALOG(m_services.ShowAssessments(m_frame, false, kCfrTestee, "", ""),
                Drive<CDlgAssessmentHistory>([&](CDlgAssessmentHistory* dialog) {
                  EXPECT_EQ(dialog->GetModeText(), CDlgAssessmentHistory::kListMode);
                  EXPECT_EQ(dialog->List().GetItemCount(), 1);
                  return wxID_CANCEL;
                }));

  // The versions of the assessment's score: bert's against anna's, and past
  // the oldest nothing.
  CDlgAssessmentScoreHistory versions(m_frame, m_project.get(), kCfrTestee, kCfrModel, kCfrCode, 1, 0);
  EXPECT_EQ(versions.GetTitle(),
            std::string("Project Runs, testee ") + kCfrTestee + ", model Model, task TP, assno 1: " +
                CDlgAssessmentScoreHistory::kMode);
  EXPECT_EQ(Label(&versions, CDlgHistoryBase::kIdCount), "1");
  ASSERT_EQ(versions.List().GetItemCount(), 1);
  EXPECT_EQ(versions.GetNewUser(), "bert");
  EXPECT_EQ(versions.GetOldUser(), "anna");
  EXPECT_TRUE(versions.GetOldDate().IsValid());
  EXPECT_EQ(versions.List().GetOldUser(1), "");
  EXPECT_FALSE(versions.List().GetOldDate(1).IsValid());

  // Her birth date corrected afterwards: the lists tell why her scores need rebuilding.
  CTesteeInfo testee;
  ASSERT_TRUE(m_project->Project().ReadTestee(kCfrTestee, &testee));
  testee.m_dateBirth = QelDateTime::FromDate(1971, 5, 6);
  ASSERT_TRUE(m_project->Project().WriteTestee(testee, g_LoggedUser, &added, true, true));
  m_project->Project().FindOutdatedScores();
  CDlgTesteeHistory outdated(m_frame, m_project.get(), kCfrTestee, false);
  ASSERT_EQ(outdated.List().GetItemCount(), 1);
  EXPECT_EQ(outdated.List().GetCellText(0, 9), "Testee modified, Maybe some scores must be rebuilt");
  EXPECT_EQ(outdated.List().GetRowImage(0), kIconTesteeOutdated);
  CDlgScoreHistory rebuild(m_frame, m_project.get(), false, kCfrTestee, "", "", viewer);
  ASSERT_EQ(rebuild.List().GetItemCount(), 1);
  EXPECT_EQ(rebuild.List().GetCellText(0, 9), "Testee modified");
  EXPECT_EQ(rebuild.List().GetRowImage(0), kIconScoreOutdated);

  // Without a whole key the list stays empty under the template's caption.
  CDlgAssessmentScoreHistory noKey(m_frame, m_project.get(), kCfrTestee, kCfrModel, kCfrCode, 0, 0);
  EXPECT_EQ(noKey.GetTitle(), "Score updates");
  EXPECT_EQ(Label(&noKey, CDlgHistoryBase::kIdCount), "");
  EXPECT_EQ(noKey.List().GetItemCount(), 0);

  // The stored assessments: OK hands back the chosen row; the kept versions
  // are only shown.
  CDlgAssessmentHistory assessments(m_frame, m_project.get(), false, kCfrTestee, "", "");
  assessments.Show();
  EXPECT_EQ(assessments.GetTitle(), "Project Runs: Testees assessments available");
  ASSERT_EQ(assessments.List().GetItemCount(), 1);
  EXPECT_EQ(assessments.List().GetCellText(0, 8), "anna");
  assessments.List().SelectRow(0);
  ASSERT_TRUE(PumpUntil([&] { return assessments.FindWindow(wxID_OK)->IsEnabled(); }));
  Press(&assessments, wxID_OK);
  EXPECT_EQ(assessments.GetChosenRow(), 0);
  assessments.Hide();
  CDlgAssessmentHistory keptResponses(m_frame, m_project.get(), true, "", "", "");
  keptResponses.Show();
  EXPECT_EQ(keptResponses.GetTitle(), "Project Runs: History of updates of testees responses");
  if (keptResponses.List().GetItemCount() > 0) {
    keptResponses.List().SelectRow(0);
    Pump(50);
  }
  EXPECT_FALSE(keptResponses.FindWindow(wxID_OK)->IsEnabled());
  keptResponses.Hide();
}

// The users dialogs as the main view hands them their lists.
class RecordedUserDialogs final : public IUserDialogs {
 public:
  bool Login(const std::vector<CUserRecord>&, CUserRecord*) override { return false; }
  bool RegisterUser(CUserRecord*) override { return false; }
  void ShowUser(const CUserRecord& user) override { calls.push_back("user " + user.m_id); }
  void ShowProjectUsers(const std::vector<CUserRecord>& users, const std::string& name,
                        const std::string& id) override {
    calls.push_back("users of " + name + " (" + std::to_string(users.size()) + ") looking for '" + id + "'");
  }
  void CompareProjectUsers(const std::vector<CUserRecord>& users, const std::string& name,
                           const std::string& path) override {
    calls.push_back("compare " + name + " (" + std::to_string(users.size()) + ") at " + path);
  }
  std::vector<std::string> calls;
};

TEST_F(PageServicesTest, TheMainViewsUsersCommandsHandTheProjectsUsersToTheUsersDialogs) {
  // The document's project object is the program's one, opened on this test's project.
  SetDocProjectFactory([]() -> std::unique_ptr<IDocProject> { return std::make_unique<CProgramProject>(nullptr); });
  ResetProgramProject();
  auto* programProject = dynamic_cast<CProgramProject*>(GetProgramProject());
  ASSERT_NE(programProject, nullptr);
  programProject->SetPath(m_path);
  ASSERT_TRUE(programProject->Project().Open(m_path, false, false));
  RecordedUserDialogs dialogs;
  AppServices services = GetAppServices();
  services.userDialogs = &dialogs;
  SetAppServices(services);
  std::vector<int> dialogModes;
  SetProjectDialogRunner([&](IDocProject*, int mode) {
    dialogModes.push_back(mode);
    return true;
  });

  auto* doc = new CQelDoc;
  auto* view = new CQelViewTab(m_frame);
  view->OnInitialUpdate(doc);
  view->ShowLoggedUser();
  // anna made the project and is its user.
  view->ShowProjectUsers();
  view->CompareUsers();
  EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"user anna", "users of Audited (1) looking for ''",
                                                     "compare Audited (1) at " + m_path}));

  view->Destroy();
  Pump(20);
  delete doc;
  SetProjectDialogRunner(nullptr);
  SetAppServices(AppServices());
  ResetProgramProject();
  SetDocProjectFactory(nullptr);
}

}  // namespace
}  // namespace test
}  // namespace qel
