// The Projects page under the X server: the project files of a working
// folder, the buttons by the operator's state and the selection, the
// project dialog on the chosen file, a double click's login rule, and a
// new model made from the checked plug-ins.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/DocProject.h"
#include "app/model/ExpModel.h"
#include "app/startup/AppStartup.h"
#include "app/ui/QelDoc.h"
#include "engine/library/TaskLibrary.h"
#include "include/qel/ModelTask.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"
#include "ui/NotifyCodes.h"
#include "ui/ProjectFileRows.h"
#include "ui/ui/DlgTabProject.h"
#include "ui/ui/FileLists.h"
#include "ui/ui/ProjectsPageServices.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

class FakeProbe final : public IProjectFileProbe {
 public:
  bool Check(const std::string& path, CProjectFileFacts* facts) override {
    facts->cfr = path.find("audited") != std::string::npos;
    return true;
  }
  bool Open(const std::string& path, CProjectFileFacts* facts) override { return Check(path, facts); }
};

struct FakeServices final : IProjectsPageServices {
  std::string ReadWorkingFolder() override { return stored; }
  void WriteWorkingFolder(const std::string& folder) override { written = folder; }
  std::string SharedDocumentsFolder() override { return "/srv/shared"; }
  bool BrowseFolder(wxWindow*, const std::string& title, std::string* folder) override {
    calls.push_back("browse " + title + " from " + *folder);
    *folder = browsed;
    return !browsed.empty();
  }
  IProjectFileProbe* GetProjectProbe() override { return &probe; }
  bool RunProjectDialog(const std::string& path, int mode) override {
    calls.push_back("dialog " + std::to_string(mode) + " " + path);
    return answer;
  }
  std::vector<const CTaskLibrary*> GetTaskLibraries() override { return libraries; }
  bool EditModel(wxWindow*, CExpModel* model) override {
    std::string tasks;
    for (int i = 0; i < model->GetTaskCount(); ++i) tasks += " " + model->GetTask(i)->TaskIdStr;
    calls.push_back("edit" + tasks);
    return answer;
  }
  bool NewModelFile() override {
    calls.push_back("new");
    doc->GetModel().Reset();
    return true;
  }
  std::string stored;
  std::string written;
  std::string browsed;
  FakeProbe probe;
  std::vector<const CTaskLibrary*> libraries;
  CQelDoc* doc = nullptr;
  bool answer = true;
  std::vector<std::string> calls;
};

class TestPage : public CDlgTabProject {
 public:
  void Use(CQelDoc* doc) { m_pDoc = doc; }
};

QelModelTask Record(uint32_t id, const char* code, const char* name) {
  QelModelTask record{};
  record.TaskId = id;
  std::snprintf(record.TaskIdStr, sizeof record.TaskIdStr, "%s", code);
  std::snprintf(record.TaskName, sizeof record.TaskName, "%s", name);
  return record;
}

class ProjectsPageTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* file : {"clinic.qep", "audited.qep"}) std::ofstream(m_folder.File(file)) << "project";
    for (size_t i = 0; i < 3; ++i) {
      m_libraries[i].version = 1;
      m_libraries[i].modelDefault = &m_records[i];
      services.libraries.push_back(&m_libraries[i]);
    }
    services.stored = m_folder.Path().string();
    services.doc = &doc;
    SetProjectsPageServices(&services);
    SetRunInProgressQuery([this] { return running; });
    m_frame = new wxFrame(nullptr, wxID_ANY, "Projects", wxDefaultPosition, wxSize(900, 600));
  }
  void TearDown() override {
    wxTheApp->ProcessPendingEvents();
    m_frame->Destroy();
    wxTheApp->ProcessPendingEvents();
    SetProjectsPageServices(nullptr);
    SetRunInProgressQuery(nullptr);
    LogoutCurrentUser();
  }
  TestPage* MakePage() {
    auto* page = new TestPage;
    page->Use(&doc);
    page->CreatePage(m_frame);
    m_frame->Show();
    m_page = page;
    return page;
  }
  static void LogIn() {
    g_LoggedUser.m_id = "anna";
    g_LoggedUser.m_type = 2;
  }
  bool Enabled(int id) { return m_page->FindWindow(id)->IsEnabled(); }
  bool Shown(int id) { return m_page->FindWindow(id)->IsShown(); }
  std::string Label(int id) { return m_page->FindWindow(id)->GetLabel().utf8_string(); }

  test::TempFolder m_folder;
  QelModelTask m_records[3] = {Record(35, "TP", "Tapping"), Record(7, "FL", "Flanker"), Record(12, "PU", "Pursuit")};
  CTaskLibrary m_libraries[3];
  CQelDoc doc;
  FakeServices services;
  bool running = false;
  wxFrame* m_frame = nullptr;
  TestPage* m_page = nullptr;
};

constexpr int kDblClkProject = 301;
constexpr int kDblClkPlugin = 302;
constexpr int kSelectedProject = 321;

}  // namespace

TEST_F(ProjectsPageTest, ListsTheWorkingFoldersProjectsAndTheLoadedPlugins) {
  LogIn();
  TestPage* page = MakePage();
  EXPECT_EQ(page->GetWorkingFolder(), m_folder.Path().string() + "/");
  EXPECT_EQ(page->GetProjectList()->GetItemCount(), 2);
  EXPECT_EQ(page->GetProjectList()->GetKey(0), "audited");
  EXPECT_EQ(page->GetPluginList()->GetItemCount(), 3);
  EXPECT_EQ(Label(CDlgTabProject::kIdProjectsGroup), "Projects in working folder (total 2)");
  EXPECT_EQ(Label(CDlgTabProject::kIdPluginsGroup), "Tasks available (total 3)");
  for (int id : {CDlgTabProject::kIdCompact, CDlgTabProject::kIdUsers, CDlgTabProject::kIdLongList}) {
    EXPECT_FALSE(Shown(id)) << id;
  }
  // No row selected: only New.
  EXPECT_TRUE(Enabled(CDlgTabProject::kIdNew));
  for (int id : {CDlgTabProject::kIdPassword, CDlgTabProject::kIdProperties, CDlgTabProject::kIdSelect,
                 CDlgTabProject::kIdConvert, CDlgTabProject::kIdMakeModel}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
}

TEST_F(ProjectsPageTest, AFirstStartTakesTheSharedDocumentsFolderAndTheFolderIsKept) {
  services.stored.clear();
  TestPage* page = MakePage();
  EXPECT_EQ(page->GetWorkingFolder(), "/srv/shared/");
  services.browsed = m_folder.Path().string();
  page->Browse();
  EXPECT_EQ(services.calls, std::vector<std::string>{"browse Select working folder from /srv/shared/"});
  EXPECT_EQ(page->GetProjectList()->GetItemCount(), 2);
  // A cancelled browser keeps the folder.
  services.browsed.clear();
  page->Browse();
  EXPECT_EQ(page->GetWorkingFolder(), m_folder.Path().string() + "/");
  delete m_frame;
  m_frame = new wxFrame(nullptr, wxID_ANY, "Projects");
  EXPECT_EQ(services.written, m_folder.Path().string() + "/") << "the page stores its folder when it goes";
}

TEST_F(ProjectsPageTest, TheProjectDialogRunsOnTheSelectedFile) {
  LogIn();
  TestPage* page = MakePage();
  SendNotify(page, kSelectedProject, 1);
  EXPECT_EQ(page->GetSelectedPath(), m_folder.File("clinic.qep"));
  EXPECT_TRUE(Enabled(CDlgTabProject::kIdPassword));
  EXPECT_TRUE(Enabled(CDlgTabProject::kIdProperties));
  EXPECT_TRUE(Enabled(CDlgTabProject::kIdSelect));
  EXPECT_EQ(Enabled(CDlgTabProject::kIdConvert), kCfrMode);
  page->ProjectDialog(kProjectProperties);
  page->ProjectDialog(kProjectPassword);
  page->ProjectDialog(kProjectCreate);
  EXPECT_EQ(services.calls, (std::vector<std::string>{"dialog 0 " + m_folder.File("clinic.qep"),
                                                      "dialog 6 " + m_folder.File("clinic.qep"), "dialog 4 "}));
  EXPECT_EQ(page->GetSelectedRow(), -1) << "a new project refills the list";

  // A CFR project is not converted again.
  SendNotify(page, kSelectedProject, 0);
  EXPECT_FALSE(Enabled(CDlgTabProject::kIdConvert));
}

TEST_F(ProjectsPageTest, ADoubleClickSelectsOnlyWhenTheOperatorMayAct) {
  TestPage* page = MakePage();
  SendNotify(page, kDblClkProject, 1);
  EXPECT_EQ(page->GetSelectedRow(), kCfrMode ? -1 : 1) << "a CFR program needs a login";
  LogIn();
  running = true;
  SendNotify(page, kDblClkProject, 1);
  EXPECT_EQ(page->GetSelectedRow(), kCfrMode ? -1 : 1) << "never during a run";
  running = false;
  SendNotify(page, kDblClkProject, 1);
  EXPECT_EQ(page->GetSelectedRow(), 1);
  SendNotify(page, kDblClkProject, 7);
  EXPECT_EQ(page->GetSelectedRow(), 1) << "a row that is not listed changes nothing";
}

TEST_F(ProjectsPageTest, MakeModelEditsTheCheckedPluginsInListOrderAndClearsTheChecks) {
  LogIn();
  TestPage* page = MakePage();
  doc.GetModel().m_loaded = 1;
  SendNotify(page, kDblClkPlugin, 2);
  page->GetPluginList()->SetRowCheck(0, true, false);
  page->UpdateControls();
  EXPECT_TRUE(Enabled(CDlgTabProject::kIdMakeModel));

  services.answer = false;
  page->MakeModel();
  EXPECT_EQ(services.calls, std::vector<std::string>{"edit TP PU"});
  EXPECT_EQ(doc.GetModel().GetTaskCount(), 0) << "Cancel leaves the document";
  EXPECT_EQ(page->GetPluginList()->CountCheckedRows(), 0) << "but still clears the checks";
  EXPECT_FALSE(Enabled(CDlgTabProject::kIdMakeModel));

  services.answer = true;
  services.calls.clear();
  page->GetPluginList()->SetRowCheck(1, true, false);
  page->MakeModel();
  EXPECT_EQ(services.calls, (std::vector<std::string>{"edit FL", "new"}));
  ASSERT_EQ(doc.GetModel().GetTaskCount(), 1);
  EXPECT_EQ(doc.GetModel().GetTask(0)->TaskName, "Flanker");
  EXPECT_TRUE(doc.IsModified());
}

}  // namespace qel
