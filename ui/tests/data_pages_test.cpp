// The Data, Export and Import pages under the X server on a real project
// (plain, with the Tapping plug-in): their lists, choosers and buttons by
// the operator's state, and their actions through the page services, with
// the raw responses written by the real export.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/statbox.h>

#include <fstream>

#include "admin/AdminProject.h"
#include "app/DocProject.h"
#include "app/startup/AppStartup.h"
#include "tests/support/common/PromptRecorder.h"
#include "ui/NotifyCodes.h"
#include "ui/RawResponseExport.h"
#include "ui/tests/DataProjectSupport.h"
#include "ui/ui/ComboBoxQel.h"
#include "ui/ui/DataPageServices.h"
#include "ui/ui/DlgTabData.h"
#include "ui/ui/DlgTabExport.h"
#include "ui/ui/DlgTabImport.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"

namespace qel {
namespace test {
namespace {

// The project object as the pages see it, over the real one.
struct PageProject final : IDocProject {
  explicit PageProject(CQelProject& p) : project(p) {}
  void SetPath(const std::string&) override {}
  void SetPassword(const std::string&) override {}
  std::string GetPath() const override { return open ? project.GetPath() : std::string(); }
  std::string GetName() const override { return project.GetName(); }
  bool IsOpen() const override { return open && project.IsOpen(); }
  bool IsOpenCfr() const override { return open && project.IsOpenCfr(); }
  int GetVersionNumber() const override { return project.GetVersionNumber(); }
  int GetLastOpenResult() const override { return 0; }
  CQelProject& project;
  bool open = true;
};

// The services over the real project; the dialogs are recorded and answered.
struct PageServices final : IDataPageServices {
  const CProjectData* GetProjectData() override { return project && project->IsOpen() ? project : nullptr; }
  IAdminProject* GetProject() override { return nullptr; }
  void ShowSavedScore(wxWindow*, const DataPageScore& s) override {
    calls.push_back("score " + s.testee + " " + s.model + " " + s.task + " " + std::to_string(s.assessment));
  }
  bool SearchTestee(wxWindow*, IAdminProject*, CListCtrlQel* markList, const CTesteeSearchOptions& o,
                    std::string* selected) override {
    calls.push_back(std::string("search") + (markList ? " marking" : "") + (o.selectOne ? " one" : "") +
                    (o.marking ? " marks" : "") + (o.treeFilter ? " tree" : ""));
    *selected = found;
    if (markList && answer) markList->SetRowCheckByKey(found.c_str(), true, false);
    return answer;
  }
  void ShowAssessments(wxWindow*, const DataPageScore& f) override {
    calls.push_back("assessments " + f.testee + "/" + f.model + "/" + f.task);
  }
  void ShowScoreHistory(wxWindow*, const DataPageScore& f) override {
    calls.push_back("history " + f.testee + "/" + f.model + "/" + f.task);
  }
  bool ExportRawResponses(const std::string& path, const DataPageScore& score) override {
    return qel::ExportRawResponses(path, *project, score, kCfrMode && project->IsOpenCfr());
  }
  bool ExportScores(wxWindow*, const std::vector<std::string>& testees, const std::string& model,
                    const std::string& task, ScoreExportSettings* settings) override {
    std::string text = "export";
    for (const std::string& t : testees) text += " " + t;
    calls.push_back(text + " / " + model + " / " + task + " from '" + settings->path + "'");
    if (!answer) return false;
    settings->path = "/tmp/T_" + task + ".txt";
    settings->type = 3;
    settings->noTesteeName = true;
    return true;
  }
  CQelProject* project = nullptr;
  std::vector<std::string> calls;
  std::string found = "T02";
  bool answer = true;
};

template <class Page>
class TestPage : public Page {
 public:
  void UseProject(IDocProject* project) { this->m_pProject = project; }
};

class DataPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tapping_.Loaded());
    code_ = tapping_.Code();
    data_ = std::make_unique<DataProject>(dir_.File("Clinic.qep"), false, code_);
    ASSERT_TRUE(data_->Ok());
    const CUserRecord& anna = data_->Anna();
    const QelDateTime day = QelDateTime::FromDate(2023, 5, 6, 11, 0, 0);
    ASSERT_TRUE(data_->Store("T01", 1, 1, {{1, 300, 1, 1}, {2, 350, 2, 2}}, anna, day));
    ASSERT_TRUE(data_->Store("T01", 2, 1, {{1, 310, 1, 1}}, anna, day));
    ASSERT_TRUE(data_->Store("T02", 1, 1, {{1, 320, 2, 1}}, anna, day));
    project_ = std::make_unique<PageProject>(data_->Project());
    services_.project = &data_->Project();
    SetDataPageServices(&services_);
    SetRunInProgressQuery([this] { return running_; });
    frame_ = new wxFrame(nullptr, wxID_ANY, "Pages", wxDefaultPosition, wxSize(1000, 640));
  }
  void TearDown() override {
    wxTheApp->ProcessPendingEvents();
    if (frame_) frame_->Destroy();
    wxTheApp->ProcessPendingEvents();
    SetDataPageServices(nullptr);
    SetRunInProgressQuery(nullptr);
    LogoutCurrentUser();
  }
  template <class Page>
  TestPage<Page>* MakePage() {
    auto* page = new TestPage<Page>;
    page->UseProject(project_.get());
    page->CreatePage(frame_);
    frame_->Show();
    return page;
  }
  static void LogIn(int type) {
    g_LoggedUser.m_id = "anna";
    g_LoggedUser.m_type = type;
  }
  static bool Enabled(wxWindow* page, int id) { return page->FindWindow(id)->IsEnabled(); }
  static bool Shown(wxWindow* page, int id) { return page->FindWindow(id)->IsShown(); }
  static std::string Label(wxWindow* page, int id) { return page->FindWindow(id)->GetLabel().utf8_string(); }
  static void Click(wxWindow* page, int id) {
    wxWindow* button = page->FindWindow(id);
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
  }
  static void Check(wxWindow* page, int id, bool on) {
    auto* box = dynamic_cast<wxCheckBox*>(page->FindWindow(id));
    box->SetValue(on);
    wxCommandEvent event(wxEVT_CHECKBOX, id);
    event.SetEventObject(box);
    event.SetInt(on ? 1 : 0);
    box->GetEventHandler()->ProcessEvent(event);
  }

  TappingLoaded tapping_;
  TempFolder dir_;
  std::string code_;
  std::unique_ptr<DataProject> data_;
  std::unique_ptr<PageProject> project_;
  PageServices services_;
  bool running_ = false;
  wxFrame* frame_ = nullptr;
};

constexpr int kTesteeChosen = 401;
constexpr int kModelChosen = 403;
constexpr int kTaskChosen = 404;
constexpr int kScoreDblClk = 308;
constexpr int kScoreSelected = 328;

constexpr int kExportTesteeDblClk = 303;
constexpr int kExportTesteeSelected = 323;

}  // namespace

// ---- the Data page --------------------------------------------------------------------------

TEST_F(DataPagesTest, DataPageListsTheChosenTesteesScoresOrEveryones) {
  LogIn(2);
  auto* page = MakePage<CDlgTabData>();
  EXPECT_EQ(page->GetTesteeCombo()->GetCount(), 3u);
  EXPECT_EQ(page->GetTesteeCombo()->GetCurrentKey(), "T01");
  EXPECT_EQ(page->GetTaskCombo()->GetCurrentKey(), code_);
  EXPECT_EQ(page->GetScoreList()->GetItemCount(), 2);
  EXPECT_EQ(Label(page, CDlgTabData::kIdTesteeGroup), "Testee selected (total 3)");
  EXPECT_EQ(Label(page, CDlgTabData::kIdModelGroup), "Model selected (total 1)");
  EXPECT_EQ(Label(page, CDlgTabData::kIdTaskGroup), "Task selected (total 1)");
  EXPECT_EQ(Label(page, CDlgTabData::kIdScoreGroup), "Scores available (total 2)");
  EXPECT_FALSE(Label(page, CDlgTabData::kIdTaskName).empty());

  // Another testee: its scores only; T03 has none.
  SendNotify(page, kTesteeChosen, 1);
  EXPECT_EQ(page->GetScoreList()->GetItemCount(), 1);
  SendNotify(page, kTesteeChosen, 2);
  EXPECT_EQ(page->GetScoreList()->GetItemCount(), 0);
  EXPECT_EQ(Label(page, CDlgTabData::kIdScoreGroup), "Scores available (total 0)");
  EXPECT_FALSE(page->GetScoreList()->IsEnabled());
  // An index out of the combo's items is ignored.
  SendNotify(page, kTesteeChosen, 7);
  EXPECT_EQ(page->GetState().testeeCount, 3);

  Check(page, CDlgTabData::kIdAllTestees, true);
  EXPECT_EQ(page->GetScoreList()->GetItemCount(), 3);
  EXPECT_FALSE(Shown(page, CDlgTabData::kIdSearch));
  EXPECT_FALSE(Shown(page, CDlgTabData::kIdTesteeCombo));

  // "All models" sets "All tasks" too and hides the task chooser.
  Check(page, CDlgTabData::kIdAllModels, true);
  EXPECT_TRUE(dynamic_cast<wxCheckBox*>(page->FindWindow(CDlgTabData::kIdAllTasks))->GetValue());
  EXPECT_FALSE(Shown(page, CDlgTabData::kIdTaskCombo));
  EXPECT_FALSE(Shown(page, CDlgTabData::kIdModelCombo));
  EXPECT_FALSE(Enabled(page, CDlgTabData::kIdAllTasks));
  EXPECT_EQ(Label(page, CDlgTabData::kIdTaskGroup), "Task selected");
  Check(page, CDlgTabData::kIdAllModels, false);
  EXPECT_TRUE(Shown(page, CDlgTabData::kIdTaskCombo));
  EXPECT_EQ(page->GetScoreList()->GetItemCount(), 3);

  // The model and task choices refill the list.
  SendNotify(page, kModelChosen, 0);
  SendNotify(page, kTaskChosen, 0);
  EXPECT_EQ(page->GetScoreList()->GetItemCount(), 3);
}

TEST_F(DataPagesTest, DataPageButtonsFollowLoginRunUserTypeAndSelection) {
  auto* page = MakePage<CDlgTabData>();
  // Nobody logged in: the program keeps the 21 CFR rules.
  for (int id : {CDlgTabData::kIdSearch, CDlgTabData::kIdTesteeCombo, CDlgTabData::kIdAllTestees,
                 CDlgTabData::kIdAssessments, CDlgTabData::kIdExportRaw, CDlgTabData::kIdScores}) {
    EXPECT_FALSE(Enabled(page, id)) << id;
  }
  EXPECT_FALSE(Shown(page, CDlgTabData::kIdResponsesHistory));
  EXPECT_FALSE(Shown(page, CDlgTabData::kIdScoresHistory));  // a plain project keeps no versions

  LogIn(2);
  page->UpdateControls();
  EXPECT_TRUE(Enabled(page, CDlgTabData::kIdSearch));
  EXPECT_TRUE(Enabled(page, CDlgTabData::kIdAssessments));
  EXPECT_FALSE(Enabled(page, CDlgTabData::kIdExportRaw));  // no row selected
  EXPECT_FALSE(Shown(page, CDlgTabData::kIdDeleteAll));
  page->GetScoreList()->SelectRow(1);
  page->UpdateControls();
  EXPECT_TRUE(Enabled(page, CDlgTabData::kIdExportRaw));
  EXPECT_FALSE(Shown(page, CDlgTabData::kIdDelete));

  LogIn(1);
  page->UpdateControls();
  EXPECT_TRUE(Shown(page, CDlgTabData::kIdDelete));
  EXPECT_TRUE(Shown(page, CDlgTabData::kIdDeleteAll));

  running_ = true;
  page->UpdateControls();
  for (int id : {CDlgTabData::kIdSearch, CDlgTabData::kIdAssessments, CDlgTabData::kIdExportRaw,
                 CDlgTabData::kIdTesteeCombo}) {
    EXPECT_FALSE(Enabled(page, id)) << id;
  }
  EXPECT_FALSE(Shown(page, CDlgTabData::kIdDelete));

  running_ = false;
  project_->open = false;
  page->Refresh();
  EXPECT_EQ(Label(page, CDlgTabData::kIdTesteeGroup), "Testee selected");
  EXPECT_EQ(Label(page, CDlgTabData::kIdScoreGroup), "Scores available");
  EXPECT_FALSE(Enabled(page, CDlgTabData::kIdSearch));
}

TEST_F(DataPagesTest, DataPageWritesTheSelectedScoresRawResponses) {
  LogIn(2);
  auto* page = MakePage<CDlgTabData>();
  std::string proposed;
  std::string chosen;
  page->SetFileChooser([&](wxWindow*, const std::string& name) {
    proposed = name;
    return chosen;
  });
  // Without a selected score nothing is asked.
  page->ExportRawData();
  EXPECT_TRUE(proposed.empty());

  const int row = page->GetScoreList()->GetKey(0) == "1" ? 0 : 1;
  SendNotify(page, kScoreSelected, row);
  EXPECT_EQ(page->GetSelectedScore().assessment, 1u);
  EXPECT_EQ(page->GetRawFileName(), "R_" + code_ + "_1_T01");

  // A cancelled file dialog writes nothing.
  Click(page, CDlgTabData::kIdExportRaw);
  EXPECT_EQ(proposed, "R_" + code_ + "_1_T01");
  EXPECT_TRUE(page->GetRawFilePath().empty());

  chosen = dir_.File("R_" + code_ + "_1_T01.txt");
  Click(page, CDlgTabData::kIdExportRaw);
  EXPECT_EQ(page->GetRawFilePath(), chosen);
  std::ifstream in(chosen, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 3u);
  // A plain project in 21 CFR mode: no tester columns.
  EXPECT_EQ(lines[0].substr(0, 14), "TesteeId|Code|");
  EXPECT_NE(lines[1].find("|HI|300|R|HI\r"), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find("|CR|350|L|CR\r"), std::string::npos) << lines[2];

  // A refill keeps the selected score.
  SendNotify(page, kNotifyRefreshViews, kRefreshScores);
  EXPECT_EQ(page->GetSelectedScore().assessment, 1u);
}

TEST_F(DataPagesTest, DataPageOpensTheScoreTheSearchAndTheListsThroughItsServices) {
  LogIn(2);
  auto* page = MakePage<CDlgTabData>();
  const int row = page->GetScoreList()->GetKey(0) == "2" ? 0 : 1;
  SendNotify(page, kScoreDblClk, row);
  SendNotify(page, kScoreDblClk, 9);  // no such row
  Click(page, CDlgTabData::kIdAssessments);
  Check(page, CDlgTabData::kIdAllTasks, true);
  Click(page, CDlgTabData::kIdScoresHistory);
  ASSERT_EQ(services_.calls.size(), 3u);
  EXPECT_EQ(services_.calls[0], "score T01 Motor " + code_ + " 2");
  EXPECT_EQ(services_.calls[1], "assessments T01/Motor/" + code_);
  EXPECT_EQ(services_.calls[2], "history T01/Motor/");

  // The search selects the found testee in the chooser and lists its scores.
  Click(page, CDlgTabData::kIdSearch);
  EXPECT_EQ(services_.calls.back(), "search one");
  EXPECT_EQ(page->GetTesteeCombo()->GetCurrentKey(), "T02");
  EXPECT_EQ(page->GetTesteeCombo()->GetSelection(), 1);
  Check(page, CDlgTabData::kIdAllTasks, false);
  EXPECT_EQ(page->GetScoreList()->GetItemCount(), 1);
}

TEST_F(DataPagesTest, DataPageShowsAStoredRunOnTheViewsNotice) {
  LogIn(2);
  auto* page = MakePage<CDlgTabData>();
  ASSERT_TRUE(data_->Store("T01", 3, 1, {{1, 299, 1, 1}}, data_->Anna(), QelDateTime::FromDate(2023, 6, 1)));
  SendNotify(page, kNotifyRefreshViews, 0);  // no flags: nothing is refilled
  EXPECT_EQ(page->GetScoreList()->GetItemCount(), 2);
  SendNotify(page, kNotifyRefreshViews, kRefreshScores);
  EXPECT_EQ(page->GetScoreList()->GetItemCount(), 3);
  EXPECT_EQ(Label(page, CDlgTabData::kIdScoreGroup), "Scores available (total 3)");
}


// ---- the Export page ------------------------------------------------------------------------

TEST_F(DataPagesTest, ExportPageOffersCheckBoxesOnlyToTesteesWithAScore) {
  LogIn(2);
  auto* page = MakePage<CDlgTabExport>();
  CListCtrlTestees* list = page->GetTesteeList();
  ASSERT_EQ(list->GetItemCount(), 3);
  EXPECT_EQ(Label(page, CDlgTabExport::kIdTesteeGroup), "Testees in project (total 3)");
  EXPECT_EQ(Label(page, CDlgTabExport::kIdTaskGroup), "Task selected (total 1)");
  // T01 and T02 have scores: an empty box; T03 none.
  EXPECT_EQ(list->GetCheckState(0), 1);
  EXPECT_EQ(list->GetCheckState(1), 1);
  EXPECT_EQ(list->GetCheckState(2), 0);
  EXPECT_TRUE(page->IsRowScored(0));
  EXPECT_FALSE(page->IsRowScored(2));
  EXPECT_TRUE(Enabled(page, CDlgTabExport::kIdSelectAll));
  EXPECT_FALSE(Enabled(page, CDlgTabExport::kIdExportScore));
  EXPECT_FALSE(Enabled(page, CDlgTabExport::kIdUnselectAll));

  // "Select all" leaves the testee without a score unchecked and enables the export.
  Click(page, CDlgTabExport::kIdSelectAll);
  EXPECT_TRUE(list->IsRowChecked(0));
  EXPECT_TRUE(list->IsRowChecked(1));
  EXPECT_FALSE(list->IsRowChecked(2));
  EXPECT_EQ(list->GetCheckState(2), 0);
  EXPECT_TRUE(Enabled(page, CDlgTabExport::kIdExportScore));
  EXPECT_TRUE(Enabled(page, CDlgTabExport::kIdUnselectAll));

  // Double-clicking toggles a scored testee's box, never one without a score.
  SendNotify(page, kExportTesteeDblClk, 1);
  EXPECT_FALSE(list->IsRowChecked(1));
  EXPECT_EQ(page->GetCurrentTestee(), "T02");
  SendNotify(page, kExportTesteeDblClk, 2);
  EXPECT_FALSE(list->IsRowChecked(2));
  EXPECT_EQ(list->GetCheckState(2), 0);
  // The veto guards only the check box: the row can still be selected.
  SendNotify(page, kExportTesteeSelected, 2);
  EXPECT_EQ(page->GetCurrentTestee(), "T03");

  Click(page, CDlgTabExport::kIdUnselectAll);
  EXPECT_EQ(list->CountCheckedRows(), 0);
  EXPECT_EQ(list->GetCheckState(2), 0);
  EXPECT_FALSE(Enabled(page, CDlgTabExport::kIdExportScore));
}

TEST_F(DataPagesTest, ExportPageChoosingATaskAgainUnchecksEveryoneAndReevaluates) {
  LogIn(2);
  auto* page = MakePage<CDlgTabExport>();
  CListCtrlTestees* list = page->GetTesteeList();
  Click(page, CDlgTabExport::kIdSelectAll);
  ASSERT_EQ(list->CountCheckedRows(), 2);
  // T03's first score arrives; the views' notice re-marks the rows.
  ASSERT_TRUE(data_->Store("T03", 1, 1, {{1, 280, 1, 1}}, data_->Anna(), QelDateTime::FromDate(2023, 7, 1)));
  SendNotify(page, kNotifyRefreshViews, kRefreshScores);
  EXPECT_EQ(list->CountCheckedRows(), 0);
  EXPECT_EQ(list->GetCheckState(2), 1);
  SendNotify(page, kTaskChosen, 0);
  EXPECT_EQ(list->CountCheckedRows(), 0);
  Click(page, CDlgTabExport::kIdSelectAll);
  EXPECT_EQ(list->CountCheckedRows(), 3);
}

TEST_F(DataPagesTest, ExportPageSelectionButtonsNeedAScoredTestee) {
  LogIn(2);
  // A second model whose task nobody has done.
  CExpModel model;
  model.Reset();
  model.m_name = "Attention";
  model.AddTask(RunTask(code_, 1, 1, 0));
  ASSERT_TRUE(data_->Project().WriteModel(&model, data_->Anna(), nullptr));
  auto* page = MakePage<CDlgTabExport>();
  const int attention = page->GetModelCombo()->FindKey("Attention");
  ASSERT_GE(attention, 0);
  SendNotify(page, kModelChosen, attention);
  EXPECT_EQ(page->GetState().scoredCount, 0);
  for (int id : {CDlgTabExport::kIdSelectAll, CDlgTabExport::kIdSelectGroup, CDlgTabExport::kIdSelectOne}) {
    EXPECT_FALSE(Enabled(page, id)) << id;
  }
  EXPECT_EQ(page->GetTesteeList()->GetCheckState(0), 0);

  running_ = true;
  SendNotify(page, kModelChosen, 1 - attention);
  EXPECT_FALSE(Enabled(page, CDlgTabExport::kIdSelectAll));
  EXPECT_FALSE(page->GetTesteeList()->IsEnabled());
}

TEST_F(DataPagesTest, ExportPageKeepsTheExportSettingsUntilTheSelectionChanges) {
  LogIn(2);
  auto* page = MakePage<CDlgTabExport>();
  PromptRecorder prompts;
  Click(page, CDlgTabExport::kIdExportScore);
  EXPECT_EQ(prompts.ShownTexts(), std::vector<std::string>{"No selected testees!"});
  EXPECT_EQ(prompts.Shown()[0].style, static_cast<unsigned>(kPromptOk));
  EXPECT_TRUE(services_.calls.empty());

  // "Select one" checks and selects the found testee.
  Click(page, CDlgTabExport::kIdSelectOne);
  EXPECT_EQ(services_.calls.back(), "search one");
  EXPECT_TRUE(page->GetTesteeList()->IsRowChecked(1));
  EXPECT_EQ(page->GetTesteeList()->GetSelectedRow(), 1);
  // "Select group" hands the list for marking.
  services_.found = "T01";
  Click(page, CDlgTabExport::kIdSelectGroup);
  EXPECT_EQ(services_.calls.back(), "search marking marks");
  EXPECT_TRUE(page->GetTesteeList()->IsRowChecked(0));
  wxTheApp->ProcessPendingEvents();

  Click(page, CDlgTabExport::kIdExportScore);
  EXPECT_EQ(services_.calls.back(), "export T01 T02 / Motor / " + code_ + " from ''");
  EXPECT_EQ(page->GetExportSettings().path, "/tmp/T_" + code_ + ".txt");
  EXPECT_EQ(page->GetExportSettings().type, 3);
  // Again without a change: the same target is proposed.
  Click(page, CDlgTabExport::kIdExportScore);
  EXPECT_EQ(services_.calls.back(), "export T01 T02 / Motor / " + code_ + " from '/tmp/T_" + code_ + ".txt'");
  // A cancelled export keeps the settings; a change of selection forgets the target only.
  services_.answer = false;
  SendNotify(page, kExportTesteeSelected, 0);
  Click(page, CDlgTabExport::kIdExportScore);
  EXPECT_EQ(services_.calls.back(), "export T01 T02 / Motor / " + code_ + " from ''");
  EXPECT_TRUE(page->GetExportSettings().path.empty());
  EXPECT_EQ(page->GetExportSettings().type, 3);
  EXPECT_TRUE(page->GetExportSettings().noTesteeName);
}


// ---- the Import page ------------------------------------------------------------------------

namespace {

// The source project as the Import page would read it.
struct SourceProject final : IAdminProject {
  explicit SourceProject(CQelProject& p) : project(p) {}
  std::string GetPath() const override { return project.GetPath(); }
  std::string GetName() const override { return project.GetName(); }
  const CProjectData& GetData() const override { return project; }
  bool ReadModel(const std::string& model, CExpModel* out) override { return project.ReadModel(model, out); }
  CQelProject& project;
};

class SourcedImportPage : public CDlgTabImport {
 public:
  void UseSource(IAdminProject* source) { m_pSource = source; }
  void UseProject(IDocProject* project) { m_pProject = project; }
};

constexpr int kImportTesteeSelected = 323;
constexpr int kImportModelSelected = 325;
constexpr int kImportScoreDblClk = 308;

}  // namespace

TEST_F(DataPagesTest, ImportPageWithoutASourceProjectOffersNothing) {
  LogIn(1);
  auto* page = MakePage<CDlgTabImport>();
  page->Refresh();
  EXPECT_EQ(page->GetTesteeList()->GetItemCount(), 0);
  EXPECT_EQ(page->GetModelList()->GetItemCount(), 0);
  EXPECT_EQ(page->GetScoreList()->GetItemCount(), 0);
  for (int id : {CDlgTabImport::kIdTestees, CDlgTabImport::kIdModels, CDlgTabImport::kIdScores,
                 CDlgTabImport::kIdSelectAll, CDlgTabImport::kIdSelectGroup, CDlgTabImport::kIdSelectFound,
                 CDlgTabImport::kIdUnselectAll, CDlgTabImport::kIdImportTestees, CDlgTabImport::kIdImportModels,
                 CDlgTabImport::kIdImportScores}) {
    EXPECT_FALSE(Enabled(page, id)) << id;
  }
  EXPECT_EQ(Label(page, CDlgTabImport::kIdTesteeGroup), "Testees");
  EXPECT_EQ(Label(page, CDlgTabImport::kIdModelGroup), "Models");
  EXPECT_EQ(Label(page, CDlgTabImport::kIdScoreGroup), "Score");
  // The views' notices and the selection buttons change nothing; no search opens.
  SendNotify(page, kNotifyRefreshViews, kRefreshTestees | kRefreshModels | kRefreshScores);
  page->SelectGroup();
  page->SelectFound();
  EXPECT_EQ(page->GetTesteeList()->GetItemCount(), 0);
  EXPECT_TRUE(services_.calls.empty());
}

TEST_F(DataPagesTest, ImportPageListsASourceProjectsRecordsAndImportsNothing) {
  LogIn(1);
  SourceProject source(data_->Project());
  auto* page = new SourcedImportPage;
  page->UseProject(project_.get());
  page->UseSource(&source);
  page->CreatePage(frame_);
  frame_->Show();
  page->Refresh();
  EXPECT_EQ(page->GetTesteeList()->GetItemCount(), 3);
  EXPECT_EQ(page->GetModelList()->GetItemCount(), 1);
  EXPECT_EQ(Label(page, CDlgTabImport::kIdTesteeGroup), "Testees (total 3)");
  EXPECT_EQ(Label(page, CDlgTabImport::kIdModelGroup), "Models (total 1)");
  // No row is current yet: the scores of every testee and model.
  EXPECT_EQ(page->GetScoreList()->GetItemCount(), 3);
  EXPECT_EQ(Label(page, CDlgTabImport::kIdScoreGroup), "Score (total 3)");
  EXPECT_TRUE(Enabled(page, CDlgTabImport::kIdSelectAll));
  EXPECT_FALSE(Enabled(page, CDlgTabImport::kIdImportTestees));

  // A testee and a model selected: their scores, named below the list.
  SendNotify(page, kImportTesteeSelected, 0);
  EXPECT_EQ(page->GetScoreList()->GetItemCount(), 2);
  EXPECT_EQ(Label(page, CDlgTabImport::kIdScoresTestee), "T01");
  SendNotify(page, kImportModelSelected, 0);
  SendNotify(page, kImportTesteeSelected, 1);
  EXPECT_EQ(page->GetScoreList()->GetItemCount(), 1);
  EXPECT_EQ(Label(page, CDlgTabImport::kIdScoresTestee), "T02");
  EXPECT_EQ(Label(page, CDlgTabImport::kIdScoresModel), "Motor");

  // Checked rows enable the "Import checked" buttons, which change nothing.
  Click(page, CDlgTabImport::kIdSelectAll);
  EXPECT_EQ(page->GetTesteeList()->CountCheckedRows(), 3);
  SendNotify(page, kImportScoreDblClk, 0);
  EXPECT_EQ(page->GetScoreList()->CountCheckedRows(), 1);
  EXPECT_TRUE(Enabled(page, CDlgTabImport::kIdImportTestees));
  EXPECT_TRUE(Enabled(page, CDlgTabImport::kIdImportScores));
  EXPECT_FALSE(Enabled(page, CDlgTabImport::kIdImportModels));
  for (int id : {CDlgTabImport::kIdImportTestees, CDlgTabImport::kIdImportScores, CDlgTabImport::kIdBrowse}) {
    Click(page, id);
  }
  EXPECT_EQ(data_->Project().GetTesteeCount(), 3);
  EXPECT_EQ(page->GetTesteeList()->CountCheckedRows(), 3);
  EXPECT_TRUE(services_.calls.empty());
  Click(page, CDlgTabImport::kIdUnselectAll);
  EXPECT_EQ(page->GetTesteeList()->CountCheckedRows(), 0);
  EXPECT_FALSE(Enabled(page, CDlgTabImport::kIdImportTestees));

  // "Select found" searches the source project and checks the found testee.
  Click(page, CDlgTabImport::kIdSelectFound);
  EXPECT_EQ(services_.calls.back(), "search");
  EXPECT_TRUE(page->GetTesteeList()->IsRowChecked(1));

  running_ = true;
  page->UpdateControls();
  EXPECT_FALSE(Enabled(page, CDlgTabImport::kIdSelectAll));
  EXPECT_FALSE(page->GetTesteeList()->IsEnabled());
  page->UseSource(nullptr);
}

}  // namespace test
}  // namespace qel
