// Scores in an audited (CFR) project, through the program's own score
// dialog of a run and its project object: a Tapping score saved, then
// recalculated and saved again by another user, and again; the saved score
// reopened lists its versions and shows the changes between them with who
// saved each one and when; the file read back with the sqlcipher shell
// holds the same versions. A plain project's run is saved through the same
// dialog and keeps its one version.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "app/model/ExpModel.h"
#include "app/services/ProgramServices.h"
#include "app/settings/SystemSettings.h"
#include "app/startup/AppStartup.h"
#include "app/text/DateTimeText.h"
#include "app/ui/ProgramWiring.h"
#include "db/tests/support/DbTestTools.h"
#include "engine/library/ModelTaskBinding.h"
#include "engine/library/TaskLibraries.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "project/QelProject.h"
#include "project/TesteeInfo.h"
#include "scores/ProjectScoreStore.h"
#include "scores/ui/DlgScore.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxPump.h"

namespace qel {
namespace test {
namespace {

namespace fs = std::filesystem;

constexpr char kTestee[] = "P01";
constexpr char kModel[] = "Model";
constexpr char kCode[] = "TP";
constexpr int kTappingVariables = 36;
constexpr int kZCountLeft = 4;  // ZNlu_tp
constexpr int kZMeanLeft = 5;   // ZTliu_tp

CUserRecord User(const std::string& id) {
  CUserRecord user;
  user.m_id = id;
  user.m_firstName = "First " + id;
  user.m_surname = "Sur " + id;
  user.m_type = 1;
  user.SetPassword("pw of " + id);
  user.m_registered = QelDateTime::FromDate(2024, 1, 2);
  return user;
}

// A double as the file stores it: 8 bytes, little-endian, in hex.
std::string StoredHex(double v) {
  unsigned char bytes[8];
  std::memcpy(bytes, &v, sizeof bytes);
  static const char* const kDigits = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char b : bytes) {
    hex += kDigits[b >> 4];
    hex += kDigits[b & 0xF];
  }
  return hex;
}

// The list of saved versions as the operator uses it: one row chosen.
class ChosenVersion final : public IScoreVersionsDialog {
 public:
  explicit ChosenVersion(int row) : m_row(row) {}
  int ChooseVersion(const ScoreVersionsRequest& request) override {
    m_requests.push_back(request);
    return m_row;
  }
  int m_row;
  std::vector<ScoreVersionsRequest> m_requests;
};

class CfrScores : public ::testing::Test {
 protected:
  void SetUp() override {
    // The program's Tapping plug-in, loaded as the program loads its plug-ins.
    fs::create_symlink(fs::path(QEL_OUTPUT_DIR) / "QelTP.qet", m_dir.Path() / "QelTP.qet");
    SetTaskFolder((m_dir.Path() / "program").c_str());
    ASSERT_EQ(FindTaskLibraries(&Host()), 1);

    m_loggedBefore = g_LoggedUser;
    g_LoggedUser = User("anna");
    // The program's project object writes as the logged-in user, who makes audited projects.
    m_program = std::make_unique<CProgramProject>(&RunData());
    m_task.SetFromModelTask(FindTaskLibrary(kCode)->modelDefault);
    BindModelTask(&m_task);
    ASSERT_TRUE(m_task.IsLibraryLoaded());
    m_task.currentAssessment = 1;
    m_task.currentPart = 0;
    RunData().SetTask(&m_task);
  }
  void TearDown() override {
    wxTheApp->ProcessIdle();
    m_program.reset();
    g_LoggedUser = m_loggedBefore;
    UnloadTaskLibraries();
  }

  // A project with the testee and a model of the Tapping task, open in the
  // program's project object: audited when a user is logged in.
  void MakeProject(const std::string& name) {
    m_path = m_dir.File(name);
    ASSERT_TRUE(CQelProject::CreateProject(m_path, "Clinic", "Study", nullptr, true, false));
    m_program->SetPath(m_path);
    ASSERT_TRUE(m_program->Project().Open(m_path, false, false));
    CTesteeInfo testee;
    testee.m_testee = kTestee;
    testee.m_code = "Default";
    testee.m_firstName = "Pat";
    testee.m_surname = "Doe";
    testee.m_dateBirth = QelDateTime::FromDate(1970, 5, 6);
    ASSERT_TRUE(m_program->Project().WriteTestee(testee, g_LoggedUser, nullptr, false, false));
    CExpModel model;
    model.Reset();
    model.m_name = kModel;
    model.m_header.m_taskCount = 1;
    model.m_tasks[0].SetFromModelTask(FindTaskLibrary(kCode)->modelDefault);
    ASSERT_TRUE(m_program->Project().WriteModel(&model, g_LoggedUser, nullptr));
  }

  // The run's values: the left part's Z-scores given, the rest counted up.
  void SetRun(double zCount, double zMean) {
    for (int i = 0; i < kTappingVariables; ++i) RunData().SetValue(i, 10.0 + i, true);
    RunData().SetValue(kZCountLeft, zCount, true);
    RunData().SetValue(kZMeanLeft, zMean, true);
    RunData().variableCount = kTappingVariables;
    RunData().testDate = QelDateTime::FromDate(2024, 3, 4, 9, 15, 0);
    m_task.trialCounts[0] = 4;
    for (int i = 0; i < 4; ++i) {
      RunData().category[0][i] = 1;
      RunData().reactionTime[0][i] = 150 + i;
    }
  }

  // The program's score dialog of the run, as the run dialog opens it; the
  // operator reads it and clicks Save. The modal result.
  struct Offered {
    bool save = false;  // the Save button is shown
    bool cfr = false;   // the dialog knows an audited project
  };
  int ShowAndSave(Offered* offered) {
    ScoreDialogRequest request;
    request.runData = &RunData();
    request.project = m_program->GetRunProject();
    request.testeeCode = kTestee;
    request.modelName = kModel;
    request.task = &m_task;
    request.part = 1;
    request.savable = true;
    wxTheApp->CallAfter([offered] {
      for (wxWindow* w : wxTopLevelWindows) {
        auto* d = dynamic_cast<CDlgScore*>(w);
        if (!d || !d->IsModal()) continue;
        offered->save = d->SaveButton()->IsShown();
        offered->cfr = d->Document().IsCfr();
        wxCommandEvent click(wxEVT_BUTTON, d->SaveButton()->GetId());
        click.SetEventObject(d->SaveButton());
        d->SaveButton()->GetEventHandler()->ProcessEvent(click);
      }
    });
    CProgramScoreDialogs dialogs;
    return dialogs.RunScoreDialog(request);
  }

  std::vector<std::string> Row(wxListCtrl* list, const std::string& name) {
    std::vector<std::string> cells;
    for (long r = 0; r < list->GetItemCount(); ++r) {
      if (list->GetItemText(r, 1).utf8_string() != name) continue;
      for (int c = 0; c < list->GetColumnCount(); ++c) cells.push_back(list->GetItemText(r, c).utf8_string());
      break;
    }
    return cells;
  }

  TempFolder m_dir;
  std::string m_path;
  CUserRecord m_loggedBefore;
  std::unique_ptr<CProgramProject> m_program;
  CExpModelTask m_task;
};

TEST_F(CfrScores, SavedRecalculatedAndSavedAgainTheVersionsAndTheirChangesShowWhoAndWhen) {
  PromptRecorder prompts(kAnswerNo);
  MakeProject("Audited.qep");
  ASSERT_TRUE(m_program->IsOpenCfr());
  // 1. Anna's run, saved with the dialog's Save, stored as the run dialog stores it.
  SetRun(1.5, -0.75);
  Offered offered;
  ASSERT_EQ(ShowAndSave(&offered), kScoreDialogOk);
  EXPECT_TRUE(offered.save && offered.cfr) << "the dialog knows the audited project and offers saving";
  bool added = false, newRow = false;
  ASSERT_TRUE(m_program->WriteResponses(kTestee, kModel, m_task, RunData(), kTappingVariables, RunData().testDate,
                                        &added, &newRow));
  EXPECT_TRUE(newRow);
  // 2. Bob recalculates: the left Z-scores change; saved again.
  g_LoggedUser = User("bob");
  SetRun(2.25, -0.5);
  ASSERT_EQ(ShowAndSave(&offered), kScoreDialogOk);
  ASSERT_TRUE(m_program->Project().WriteVariables(kTestee, kModel, kCode, 1, g_LoggedUser, &added, kTappingVariables));
  EXPECT_TRUE(added) << "bob joins the project's users";
  // 3. Anna once more.
  g_LoggedUser = User("anna");
  SetRun(3.0, -0.5);
  ASSERT_EQ(ShowAndSave(&offered), kScoreDialogOk);
  ASSERT_TRUE(m_program->Project().WriteVariables(kTestee, kModel, kCode, 1, g_LoggedUser, &added, kTappingVariables));

  // The saved score, reopened by a viewer in the program's 21 CFR mode.
  CProjectScoreStore store(m_program->Project());
  CScoreDocument::Saved saved;
  saved.store = &store;
  saved.key = {kTestee, kModel, kCode, 1};
  ScoreUser viewer{"anna", "First anna", "Sur anna", true};
  CDlgScore dialog(nullptr, std::make_unique<CScoreDocument>(saved, viewer));
  const CScoreDocument& doc = dialog.Document();
  EXPECT_EQ(dialog.GetTitle(), "Saved Scores");
  EXPECT_TRUE(doc.IsCfr());
  EXPECT_EQ(doc.m_testerId, "anna");
  EXPECT_EQ(doc.m_testerFirstName, "First anna");
  ASSERT_EQ(doc.Versions().size(), 3u);
  const char* const users[3] = {"anna", "bob", "anna"};
  for (size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(doc.Versions()[k].user, users[k]) << k;
    EXPECT_TRUE(doc.Versions()[k].savedDate.IsValid()) << k;
  }
  EXPECT_EQ(doc.Versions()[0].seq, 0) << "the version that stands";
  EXPECT_LT(doc.Versions()[2].seq, doc.Versions()[1].seq) << "kept in the order they were saved";
  EXPECT_LE(doc.Versions()[1].savedDate.value, doc.Versions()[0].savedDate.value);

  // Opened as saved at the newest version's date: the score that stands, without versions.
  {
    CScoreDocument::Saved asSaved = saved;
    const QelDateTime newest = doc.Versions()[0].savedDate;
    asSaved.asOf = &newest;
    const CScoreDocument atDate(asSaved, viewer);
    ASSERT_EQ(atDate.Sheet().VariableCount(), kTappingVariables);
    EXPECT_EQ(atDate.Sheet().GetValue(kZCountLeft), 3.0);
    EXPECT_FALSE(atDate.ChangesAvailable());
  }

  // The changes view: the newest version against the one before it.
  wxRadioButton* changes = dialog.ViewButton(ScoreView::kChanges);
  ASSERT_TRUE(changes->IsShown());
  ASSERT_TRUE(changes->IsEnabled());
  changes->SetValue(true);
  wxCommandEvent pick(wxEVT_RADIOBUTTON, changes->GetId());
  pick.SetEventObject(changes);
  changes->GetEventHandler()->ProcessEvent(pick);
  ASSERT_EQ(dialog.GetView(), ScoreView::kChanges);
  wxListCtrl* list = dialog.List();
  EXPECT_EQ(Row(list, "ZNlu_tp"), (std::vector<std::string>{"  5", "ZNlu_tp", "2.25", "3.00",
                                                            "Z-score N of left unimanual taps"}));
  EXPECT_EQ(Row(list, "ZTliu_tp"), (std::vector<std::string>{"  6", "ZTliu_tp", "-0.50", "-0.50",
                                                             "Z-score time intervals left unimanual taps"}));
  EXPECT_TRUE(Row(list, "Nlu_tp").empty()) << "the changes view compares the Z-scores";
  const std::vector<std::string> who = Row(list, "<User>");
  ASSERT_EQ(who.size(), 5u);
  EXPECT_EQ(who[2], "bob");
  EXPECT_EQ(who[3], "anna");
  const std::vector<std::string> when = Row(list, "<Date>");
  ASSERT_EQ(when.size(), 5u);
  EXPECT_EQ(when[2], FormatDateTimeLocale(doc.Versions()[1].savedDate));
  EXPECT_EQ(when[3], FormatDateTimeLocale(doc.Versions()[0].savedDate));
  EXPECT_FALSE(when[2].empty());
  // Three versions, a viewer, the program's CFR mode: the ChangeNo; the
  // versions button once the program has a list of versions to open.
  EXPECT_EQ(doc.ChangeNoText(), "ChangeNo: 2");
  EXPECT_FALSE(dialog.SaveButton()->IsShown());
  EXPECT_FALSE(dialog.ChangesButton()->IsShown()) << "no list of versions installed";

  // Grouped, the two sides stand side by side under their headings.
  ASSERT_TRUE(dialog.GroupListBox()->IsShown());
  dialog.SetListOption(true, false, false);
  ASSERT_GT(list->GetColumnCount(), 4);
  wxListItem heading;
  heading.SetMask(wxLIST_MASK_TEXT);
  list->GetColumn(2, heading);
  EXPECT_EQ(heading.GetText(), "<OLD>  ->  ");
  bool sawOld = false, sawNew = false;
  for (long r = 0; r < list->GetItemCount(); ++r) {
    std::string line;
    for (int c = 0; c < list->GetColumnCount(); ++c) line += list->GetItemText(r, c).utf8_string() + "|";
    if (line.find("<LEFT>") == std::string::npos) continue;
    sawOld = line.find("|2.25|") != std::string::npos;
    sawNew = line.find("|3.00|") != std::string::npos;
  }
  EXPECT_TRUE(sawOld && sawNew) << "the left group's row holds the old and the new Z-score";

  // The older pair, chosen in the list of versions: bob's version against anna's first.
  dialog.SetListOption(false, false, false);
  ChosenVersion chooser(1);
  SetScoreVersionsDialog(&chooser);
  dialog.ShowView(ScoreView::kBasic);
  dialog.ShowView(ScoreView::kChanges);
  ASSERT_TRUE(dialog.ChangesButton()->IsShown());
  wxCommandEvent open(wxEVT_BUTTON, dialog.ChangesButton()->GetId());
  open.SetEventObject(dialog.ChangesButton());
  dialog.ChangesButton()->GetEventHandler()->ProcessEvent(open);
  ASSERT_EQ(chooser.m_requests.size(), 1u);
  EXPECT_EQ(chooser.m_requests[0].parent, &dialog);
  EXPECT_EQ(chooser.m_requests[0].projectName, "Audited");
  EXPECT_EQ(chooser.m_requests[0].testee, kTestee);
  EXPECT_EQ(chooser.m_requests[0].task, kCode);
  EXPECT_EQ(chooser.m_requests[0].assessment, 1u);
  EXPECT_EQ(chooser.m_requests[0].selected, 0) << "the newest version is shown";
  EXPECT_EQ(Row(list, "ZNlu_tp"), (std::vector<std::string>{"  5", "ZNlu_tp", "1.50", "2.25",
                                                            "Z-score N of left unimanual taps"}));
  EXPECT_EQ(Row(list, "<User>"), (std::vector<std::string>{" 38", "<User>", "anna", "bob", ""}));
  EXPECT_EQ(doc.ChangeNoText(), "ChangeNo: 1");
  // The oldest version has none before it: the view stays as it was.
  chooser.m_row = 2;
  dialog.ChangesButton()->GetEventHandler()->ProcessEvent(open);
  EXPECT_EQ(Row(list, "ZNlu_tp")[2], "1.50");
  EXPECT_EQ(doc.ChangeNoText(), "ChangeNo: 1");
  SetScoreVersionsDialog(nullptr);

  // The file read back by the sqlcipher shell: the standing row by anna,
  // the two kept versions by anna and bob with the values they stood with.
  if (!HaveProgram("sqlcipher")) GTEST_SKIP() << "the sqlcipher shell is needed";
  const std::string zAt = std::to_string(kZCountLeft * 8 + 1);
  const ProgramResult standing = RunSqlShell(
      "sqlcipher", m_path, "SELECT User, hex(substr(VarValues, " + zAt + ", 8)) FROM Variables WHERE Testee = 'P01';");
  ASSERT_EQ(standing.exitCode, 0) << standing.errors;
  EXPECT_EQ(standing.output, "anna|" + StoredHex(3.0) + "\n");
  const ProgramResult kept =
      RunSqlShell("sqlcipher", m_path,
                  "SELECT User, hex(substr(VarValues, " + zAt + ", 8)) FROM VariablesHistory WHERE Testee = 'P01' "
                  "AND AssNo = 1 ORDER BY Seq;");
  ASSERT_EQ(kept.exitCode, 0) << kept.errors;
  EXPECT_EQ(kept.output, "anna|" + StoredHex(1.5) + "\nbob|" + StoredHex(2.25) + "\n");
  EXPECT_EQ(RunSqlShell("sqlcipher", m_path, "SELECT Id FROM Users ORDER BY Id;").output, "anna\nbob\n");
}

// Nobody logged in: a plain project. Its run is offered for saving as well,
// and its score has the one version that stands.
TEST_F(CfrScores, APlainProjectsRunIsSavedAndKeepsOneVersion) {
  PromptRecorder prompts(kAnswerNo);
  g_LoggedUser = CUserRecord();
  MakeProject("Plain.qep");
  ASSERT_TRUE(m_program->IsOpen());
  ASSERT_FALSE(m_program->IsOpenCfr());
  SetRun(1.5, -0.75);
  Offered offered;
  ASSERT_EQ(ShowAndSave(&offered), kScoreDialogOk);
  EXPECT_TRUE(offered.save);
  EXPECT_FALSE(offered.cfr);
  bool added = false, newRow = false;
  ASSERT_TRUE(m_program->WriteResponses(kTestee, kModel, m_task, RunData(), kTappingVariables, RunData().testDate,
                                        &added, &newRow));
  CProjectScoreStore store(m_program->Project());
  CScoreDocument::Saved saved;
  saved.store = &store;
  saved.key = {kTestee, kModel, kCode, 1};
  const CScoreDocument doc(saved);
  EXPECT_FALSE(doc.IsCfr());
  ASSERT_EQ(doc.Sheet().VariableCount(), kTappingVariables);
  for (int i = 0; i < kTappingVariables; ++i) EXPECT_EQ(doc.Sheet().GetValue(i), RunData().values[i]) << i;
  EXPECT_EQ(doc.Versions().size(), 1u);
  EXPECT_FALSE(doc.ChangesAvailable());
  EXPECT_EQ(doc.m_firstName, "Pat");
  EXPECT_EQ(doc.m_birthDateText, FormatDateDay(QelDateTime::FromDate(1970, 5, 6), true));
}

}  // namespace
}  // namespace test
}  // namespace qel
