// The Models page under the X server: a fixture project's models and the
// document's model file with its tasks, the buttons by the operator's
// state, and its actions through the page services (adding to the project,
// the editors, a new model file, the blinking "Save").
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>

#include <string>
#include <vector>

#include "app/DocProject.h"
#include "app/model/ExpModel.h"
#include "app/startup/AppStartup.h"
#include "app/ui/QelDoc.h"
#include "project/tests/CacheTestSupport.h"
#include "tests/support/common/PromptRecorder.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/ComboBoxQel.h"
#include "ui/ui/DlgTabModel.h"
#include "ui/ui/ModelsPageServices.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

using test::PromptRecorder;

struct FakeProject final : IDocProject {
  void SetPath(const std::string& p) override { path = p; }
  void SetPassword(const std::string&) override {}
  std::string GetPath() const override { return path; }
  std::string GetName() const override { return "Study"; }
  bool IsOpen() const override { return !path.empty(); }
  bool IsOpenCfr() const override { return false; }
  int GetVersionNumber() const override { return 3; }
  int GetLastOpenResult() const override { return 0; }
  std::string path = "/data/Study.qep";
};

CExpModelTask Task(uint32_t id, const char* code, const char* name) {
  CExpModelTask task;
  task.TaskId = id;
  task.TaskIdStr = code;
  task.TaskName = name;
  return task;
}

struct FakeServices final : IModelsPageServices {
  const CProjectData* GetProjectData() override { return data; }
  bool ReadModel(const std::string& name, CExpModel* model) override {
    calls.push_back("read " + name);
    if (!readable) return false;
    model->Reset();
    model->m_name = name;
    model->AddTask(Task(35, "TP", "Tapping"));
    return true;
  }
  bool WriteModel(const CExpModel& model, bool* usersAdded) override {
    calls.push_back("write " + model.m_name);
    *usersAdded = false;
    return true;
  }
  bool EditModel(wxWindow*, CExpModel* model) override {
    calls.push_back(std::string("edit ") + (model->m_loaded ? "loaded " : "viewed ") +
                    std::to_string(model->GetTaskCount()));
    // The operator adds a task and confirms.
    model->AddTask(Task(7, "FL", "Flanker"));
    return answer;
  }
  bool EditTask(wxWindow*, CExpModelTask* task, const std::string& modelName) override {
    calls.push_back("task " + task->TaskIdStr + " of " + modelName);
    task->TaskName = "Changed";
    return answer;
  }
  bool NewModelFile() override {
    calls.push_back("new");
    doc->GetModel().Reset();
    doc->SetFilename("");
    doc->SetDocumentSaved(false);
    return true;
  }
  bool OpenModelFile(const std::string& path) override {
    calls.push_back("open " + path);
    return false;
  }
  const CProjectData* data = nullptr;
  CQelDoc* doc = nullptr;
  bool readable = true;
  bool answer = true;
  std::vector<std::string> calls;
};

class TestPage : public CDlgTabModel {
 public:
  void Use(IDocProject* project, CQelDoc* doc) {
    m_pProject = project;
    m_pDoc = doc;
  }
};

class ModelsPageTest : public test::AttentionProjectTest {
 protected:
  void SetUp() override {
    test::AttentionProjectTest::SetUp();
    doc.GetModel().m_loaded = 1;
    doc.GetModel().AddTask(Task(35, "TP", "Tapping"));
    doc.GetModel().AddTask(Task(7, "FL", "Flanker"));
    doc.GetModel().SetModified(false, true);
    doc.SetFilename("/models/Screening.qem");
    doc.SetDocumentSaved(true);
    services.data = &data;
    services.doc = &doc;
    SetModelsPageServices(&services);
    SetRunInProgressQuery([this] { return running; });
    m_frame = new wxFrame(nullptr, wxID_ANY, "Models", wxDefaultPosition, wxSize(900, 600));
  }
  void TearDown() override {
    wxTheApp->ProcessPendingEvents();
    if (m_page) m_page->Use(nullptr, nullptr);
    m_frame->Destroy();
    SetModelsPageServices(nullptr);
    SetRunInProgressQuery(nullptr);
    LogoutCurrentUser();
  }
  TestPage* MakePage() {
    auto* page = new TestPage;
    page->Use(&project, &doc);
    page->CreatePage(m_frame);
    m_frame->Show();
    m_page = page;
    // The model file as the view hands it to the page at the start.
    SendNotify(page, kNotifyLoadModel, 0);
    return page;
  }
  static void LogIn(int type) {
    g_LoggedUser.m_id = "anna";
    g_LoggedUser.m_type = type;
  }
  bool Enabled(int id) { return m_page->FindWindow(id)->IsEnabled(); }
  bool Shown(int id) { return m_page->FindWindow(id)->IsShown(); }
  std::string Label(int id) { return m_page->FindWindow(id)->GetLabel().utf8_string(); }

  FakeProject project;
  CQelDoc doc;
  FakeServices services;
  bool running = false;
  wxFrame* m_frame = nullptr;
  TestPage* m_page = nullptr;
};

constexpr int kDblClkModel = 305;
constexpr int kDblClkTask = 306;
constexpr int kSelectedModel = 325;

}  // namespace

TEST_F(ModelsPageTest, ListsTheProjectsModelsAndTheModelFilesTasks) {
  LogIn(2);
  TestPage* page = MakePage();
  EXPECT_EQ(page->GetModelList()->GetItemCount(), 1);
  EXPECT_EQ(page->GetModelList()->GetKey(0), "Attention");
  EXPECT_EQ(page->GetTaskList()->GetItemCount(), 2);
  EXPECT_EQ(Label(CDlgTabModel::kIdModelsGroup), "Models in project (total 1)");
  EXPECT_EQ(Label(CDlgTabModel::kIdFileGroup), "Current model file (tasks 2)");
  EXPECT_EQ(page->GetModelFilePath(), "/models/Screening.qem");
  EXPECT_EQ(doc.GetModel().m_name, "Screening") << "the model takes the file's name";
  EXPECT_EQ(page->GetFileCombo()->GetCount(), 1u);
  EXPECT_EQ(page->GetFileCombo()->GetSelection(), 0);
  EXPECT_TRUE(services.calls.empty()) << "selecting the loaded file's path opens nothing";

  project.path.clear();
  page->Refresh();
  EXPECT_EQ(Label(CDlgTabModel::kIdModelsGroup), "Models in project");
  EXPECT_EQ(page->GetModelList()->GetItemCount(), 0);
}

TEST_F(ModelsPageTest, ButtonsFollowTheLoginTheRunAndTheModelFile) {
  TestPage* page = MakePage();
  for (int id : {CDlgTabModel::kIdNew, CDlgTabModel::kIdEdit, CDlgTabModel::kIdAddToProject}) {
    EXPECT_FALSE(Enabled(id)) << id << ": nobody logged in";
  }
  LogIn(2);
  page->UpdateControls();
  EXPECT_TRUE(Enabled(CDlgTabModel::kIdNew));
  EXPECT_TRUE(Enabled(CDlgTabModel::kIdEdit));
  EXPECT_TRUE(Enabled(CDlgTabModel::kIdAddToProject));
  EXPECT_FALSE(Enabled(CDlgTabModel::kIdSave));
  SendNotify(page, kSelectedModel, 0);
  EXPECT_EQ(page->GetCurrentModel(), "Attention");
  EXPECT_TRUE(Enabled(CDlgTabModel::kIdExtract));
  EXPECT_FALSE(Shown(CDlgTabModel::kIdDelete)) << "only a type 1 user sees Delete";
  LogIn(1);
  page->UpdateControls();
  EXPECT_TRUE(Shown(CDlgTabModel::kIdDelete));

  // A modified model file must be saved before it is added.
  doc.Modify(true);
  page->UpdateControls();
  EXPECT_TRUE(Enabled(CDlgTabModel::kIdSave));
  EXPECT_FALSE(Enabled(CDlgTabModel::kIdAddToProject));

  running = true;
  page->UpdateControls();
  for (int id : {CDlgTabModel::kIdNew, CDlgTabModel::kIdEdit, CDlgTabModel::kIdSave, CDlgTabModel::kIdExtract}) {
    EXPECT_FALSE(Enabled(id)) << id << ": a run is in progress";
  }
}

TEST_F(ModelsPageTest, AddingToTheProjectRefusesANameItHoldsAndAsksFirst) {
  LogIn(2);
  TestPage* page = MakePage();
  {
    PromptRecorder prompts(kAnswerNo);
    page->AddModelToProject();
    ASSERT_EQ(prompts.ShownTexts().size(), 1u);
    EXPECT_EQ(prompts.Shown()[0].text.rfind("WARNING!\nOnce added", 0), 0u);
    EXPECT_TRUE(services.calls.empty()) << "No writes nothing";
  }
  {
    PromptRecorder prompts(kAnswerYes);
    page->AddModelToProject();
    EXPECT_EQ(services.calls, std::vector<std::string>{"write Screening"});
  }
  // The project now holds a model of the file's name.
  services.calls.clear();
  doc.SetFilename("/models/Attention.qem");
  SendNotify(page, kNotifyLoadModel, 0);
  PromptRecorder prompts(kAnswerYes);
  page->AddModelToProject();
  ASSERT_EQ(prompts.ShownTexts().size(), 1u);
  EXPECT_EQ(prompts.ShownTexts()[0], "Project \"/data/Study.qep\" \nalready contains\nmodel \"Attention\"!");
  EXPECT_TRUE(services.calls.empty());
}

TEST_F(ModelsPageTest, AProjectModelOpensForViewingAndNeverReachesTheDocument) {
  LogIn(2);
  TestPage* page = MakePage();
  SendNotify(page, kDblClkModel, 0);
  EXPECT_EQ(services.calls, (std::vector<std::string>{"read Attention", "edit viewed 1"}));
  EXPECT_EQ(doc.GetModel().GetTaskCount(), 2);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_FALSE(page->IsBlinking());

  // A project model that cannot be read opens nothing.
  services.calls.clear();
  services.readable = false;
  page->EditModel(0);
  EXPECT_EQ(services.calls, std::vector<std::string>{"read Attention"});
}

TEST_F(ModelsPageTest, TheEditedModelFileComesBackModifiedAndSaveBlinks) {
  LogIn(2);
  TestPage* page = MakePage();
  services.answer = false;
  page->EditModel(-1);
  EXPECT_EQ(doc.GetModel().GetTaskCount(), 2) << "a cancelled editor changes nothing";
  EXPECT_FALSE(page->IsBlinking());

  services.answer = true;
  page->EditModel(-1);
  EXPECT_EQ(services.calls.back(), "edit loaded 2");
  EXPECT_EQ(doc.GetModel().GetTaskCount(), 3);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(page->GetTaskList()->GetItemCount(), 3);
  EXPECT_EQ(Label(CDlgTabModel::kIdFileGroup), "Current model file (tasks 3)");
  EXPECT_TRUE(page->IsBlinking());
  page->Blink();
  EXPECT_EQ(Label(CDlgTabModel::kIdSave), "");
  page->Blink();
  EXPECT_EQ(Label(CDlgTabModel::kIdSave), "Save");
  page->Blink();
  EXPECT_EQ(Label(CDlgTabModel::kIdSave), "");
  // Saved: the caption comes back and the blinking stops.
  doc.Modify(false);
  page->Blink();
  EXPECT_EQ(Label(CDlgTabModel::kIdSave), "Save");
  EXPECT_FALSE(page->IsBlinking());
}

TEST_F(ModelsPageTest, ATaskIsEditedOnACopyThatOkWritesBack) {
  LogIn(2);
  TestPage* page = MakePage();
  services.answer = false;
  SendNotify(page, kDblClkTask, 1);
  EXPECT_EQ(services.calls, std::vector<std::string>{"task FL of Screening"});
  EXPECT_EQ(doc.GetModel().GetTask(1)->TaskName, "Flanker");
  EXPECT_FALSE(doc.IsModified());

  services.answer = true;
  SendNotify(page, kDblClkTask, 1);
  EXPECT_EQ(doc.GetModel().GetTask(1)->TaskName, "Changed");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(page->IsBlinking());
  // A row beyond the model's tasks opens nothing.
  services.calls.clear();
  SendNotify(page, kDblClkTask, 2);
  EXPECT_TRUE(services.calls.empty());
}

TEST_F(ModelsPageTest, NewAndClearAskAboutUnsavedChangesFirst) {
  LogIn(2);
  TestPage* page = MakePage();
  doc.Modify(true);
  {
    PromptRecorder prompts(kAnswerCancel);
    page->NewModelFile();
    page->ClearModelFile();
    ASSERT_EQ(prompts.Shown().size(), 2u);
    EXPECT_EQ(prompts.Shown()[0].text, "Save changes to the model \"Screening\"?");
    EXPECT_TRUE(prompts.Shown()[0].style & kPromptDefault3) << "Cancel is the default";
    EXPECT_TRUE(services.calls.empty());
    EXPECT_EQ(doc.GetModel().GetTaskCount(), 2);
  }
  PromptRecorder prompts(kAnswerNo);
  page->NewModelFile();
  EXPECT_EQ(services.calls, std::vector<std::string>{"new"});
  // The page reloads the new model file, then opens the editor on it.
  wxTheApp->ProcessPendingEvents();
  EXPECT_EQ(services.calls, (std::vector<std::string>{"new", "edit loaded 0"}));
  EXPECT_EQ(page->GetModelFilePath(), "");
  EXPECT_EQ(page->GetFileCombo()->GetSelection(), wxNOT_FOUND);
}

TEST_F(ModelsPageTest, ExtractingMakesTheProjectModelANewUnsavedModelFile) {
  LogIn(2);
  TestPage* page = MakePage();
  SendNotify(page, kSelectedModel, 0);
  page->ExtractToFile();
  EXPECT_EQ(services.calls, (std::vector<std::string>{"read Attention", "new"}));
  EXPECT_EQ(doc.GetModel().GetTaskCount(), 1);
  EXPECT_EQ(doc.GetModel().m_loaded, 1);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetTitle(), "Attention");
  EXPECT_TRUE(page->IsBlinking());
  EXPECT_TRUE(Enabled(CDlgTabModel::kIdSave));
}

TEST_F(ModelsPageTest, AModelFileThatCannotBeOpenedLeavesTheComboWithoutSelection) {
  LogIn(2);
  TestPage* page = MakePage();
  page->GetFileCombo()->InsertItem(1, "/models/Gone.qem", false);
  page->GetFileCombo()->SetSelection(1);
  wxCommandEvent pick(wxEVT_COMBOBOX, CDlgTabModel::kIdFilePath);
  pick.SetEventObject(page->GetFileCombo());
  pick.SetInt(1);
  page->GetFileCombo()->ProcessWindowEvent(pick);
  wxTheApp->ProcessPendingEvents();
  EXPECT_EQ(services.calls, std::vector<std::string>{"open /models/Gone.qem"});
  EXPECT_EQ(page->GetFileCombo()->GetSelection(), wxNOT_FOUND);
}

TEST_F(ModelsPageTest, AStoredModelRefillsTheListOnTheViewsNotice) {
  LogIn(2);
  TestPage* page = MakePage();
  data.AddModel("Memory", 4, "April 2010", "anna", test::Day(2024, 2, 1));
  SendNotify(page, kNotifyRefreshViews, kRefreshTestees);
  EXPECT_EQ(page->GetModelList()->GetItemCount(), 1);
  SendNotify(page, kNotifyRefreshViews, kRefreshModels);
  EXPECT_EQ(page->GetModelList()->GetItemCount(), 2);
  EXPECT_EQ(Label(CDlgTabModel::kIdModelsGroup), "Models in project (total 2)");
}

}  // namespace qel
