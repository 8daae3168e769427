// The Models and Projects pages in the running program under the X server,
// with the program's own page services over a real plain project: a model
// file opened through the document, edited in the model editor, saved,
// added to the project and listed; a project model viewed; a project chosen
// on the Projects page by a double click; a model made from checked
// plug-ins; the working folder kept for the next start.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/docview.h>
#include <wx/filedlg.h>
#include <wx/modalhook.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/model/ExpModel.h"
#include "app/modelfile/ModelFile.h"
#include "app/rundata/TaskRunData.h"
#include "app/services/ProgramServices.h"
#include "app/settings/QelSettings.h"
#include "app/settings/SystemSettings.h"
#include "app/startup/AppStartup.h"
#include "app/ui/ProgramPages.h"
#include "app/ui/QelDoc.h"
#include "app/ui/QelProgram.h"
#include "editors/ui/DlgModel.h"
#include "editors/ui/DlgTaskPar.h"
#include "engine/library/TaskLibraries.h"
#include "engine/library/TaskLibrary.h"
#include "project/LoadedTaskLibraries.h"
#include "project/QelProject.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxPump.h"
#include "ui/MainWindowRules.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/DlgHelp.h"
#include "ui/ui/DlgTabModel.h"
#include "ui/ui/DlgTabProject.h"
#include "ui/ui/FileLists.h"
#include "ui/ui/MainFrame.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"
#include "ui/ui/QelViewTab.h"

namespace qel {
namespace {

namespace fs = std::filesystem;
using test::PromptRecorder;
using test::Pump;
using test::PumpUntil;
using test::TempFolder;

// Runs `act` on the first top-level window of type T once one is open
// (the dialog that a later call or a posted notification opens); it looks
// again on each pass of the event loop, a limited number of times.
template <typename T>
void WhenShown(std::function<void(T*)> act, int passes = 2000) {
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

class ProgramPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSystemSettings();
    LogoutCurrentUser();
    for (const auto& entry : fs::directory_iterator(QEL_OUTPUT_DIR)) {
      const std::string name = entry.path().filename().string();
      if ((name.rfind("Qel", 0) == 0 && entry.path().extension() == ".qet") || name == kDisplayLibraryName) {
        fs::create_symlink(entry.path(), m_folder.Path() / name);
      }
    }
    std::ofstream(NormsFilePath(Folder())) << "norms";
    SetDocProjectFactory([]() -> std::unique_ptr<IDocProject> {
      CQelProgram* program = GetProgram();
      return std::make_unique<CProgramProject>(program ? &program->RunData() : nullptr);
    });
    // The project dialog's part the pages need: an open by path opens the
    // file; every other mode is recorded and confirmed.
    SetProjectDialogRunner([this](IDocProject* project, int mode) {
      m_dialogs.push_back(std::to_string(mode) + " " + project->GetPath());
      auto* own = dynamic_cast<CProgramProject*>(project);
      if (mode == kProjectOpenPath) return own && own->Project().Open(own->GetPath(), true, false);
      return true;
    });
    SetModelsPageServices(&m_modelsPage);
    SetProjectsPageServices(&m_projectsPage);
    // A plain project (nobody logged in while it is made) holding no model yet.
    m_projectPath = m_data.File("Study.qep");
    ASSERT_TRUE(CQelProject::CreateProject(m_projectPath, "admin", "Memory clinic", nullptr, false, false));
  }
  void TearDown() override {
    SetModelsPageServices(nullptr);
    SetProjectsPageServices(nullptr);
    SetProjectDialogRunner(nullptr);
    ResetProgramProject();
    SetDocProjectFactory(nullptr);
    ResetSystemSettings();
    LogoutCurrentUser();
    Pump(20);
  }

  std::string Folder() const { return m_folder.Path().string() + "/"; }
  std::string SettingsPath() const { return m_config.File("Qel.conf"); }

  static void LogIn() {
    g_LoggedUser.m_id = "anna";
    g_LoggedUser.m_type = 2;
  }
  static CQelDoc* CurrentDoc(CQelProgram& program) {
    return wxDynamicCast(program.GetDocManager()->GetCurrentDocument(), CQelDoc);
  }
  static void CloseAndExit(CQelProgram& program) {
    if (CMainFrame* frame = program.GetMainFrame()) frame->Close(true);
    Pump(50);
    program.ExitInstance();
  }
  // A model file of the first two loaded plug-ins' default tasks.
  std::string WriteTwoTaskModel(const char* name) {
    CExpModel model;
    model.Reset();
    for (int i = 0; i < 2; ++i) {
      CExpModelTask task;
      task.SetFromModelTask(GetTaskLibrary(i)->modelDefault);
      model.AddTask(task);
    }
    const std::string path = m_models.File(name);
    std::string error;
    EXPECT_TRUE(WriteModelFile(path, &model, &error)) << error;
    return path;
  }

  TempFolder m_folder;
  TempFolder m_config;
  TempFolder m_models;
  TempFolder m_data;
  std::string m_projectPath;
  CProgramModelsPage m_modelsPage;
  CProgramProjectsPage m_projectsPage;
  std::vector<std::string> m_dialogs;
  CLoadedTaskLibraries m_tasks;
};

// A new model file has a made-up name until it is saved: Save asks where it
// goes (the file dialog), and cancelled it writes nothing, not even under
// the made-up name in the working folder.
TEST_F(ProgramPagesTest, SavingANewModelFileAsksWhereItGoes) {
  CQelProgram program(Folder(), SettingsPath());
  ASSERT_TRUE(program.InitInstance({"Qel"}));
  ASSERT_GE(GetTaskLibraryCount(), 1);
  CQelDoc* doc = CurrentDoc(program);
  ASSERT_NE(doc, nullptr);
  ASSERT_FALSE(doc->GetDocumentSaved());
  CExpModelTask task;
  task.SetFromModelTask(GetTaskLibrary(0)->modelDefault);
  doc->GetModel().AddTask(task);
  doc->Modify(true);
  const std::string madeUp = doc->GetFilename().utf8_string();
  // The operator cancels every dialog the program opens.
  struct Cancelling : wxModalDialogHook {
    int Enter(wxDialog* dialog) override {
      auto* file = wxDynamicCast(dialog, wxFileDialog);
      asked.push_back(file ? file->GetMessage().utf8_string() : "not a file dialog");
      return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
    std::vector<std::string> asked;
  } cancelling;
  cancelling.Register();
  EXPECT_FALSE(doc->SaveModelFile());
  cancelling.Unregister();
  EXPECT_EQ(cancelling.asked, std::vector<std::string>{"Save Qel model"});
  EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(madeUp.empty() || !fs::exists(madeUp)) << madeUp << " written unasked";
  doc->Modify(false);
  CloseAndExit(program);
}

TEST_F(ProgramPagesTest, AModelFileIsEditedSavedAddedToTheProjectAndListed) {
  CQelProgram program(Folder(), SettingsPath());
  ASSERT_TRUE(program.InitInstance({"Qel"}));
  ASSERT_GE(GetTaskLibraryCount(), 2);
  CQelViewTab* view = program.GetMainFrame()->GetMainView();
  auto* page = dynamic_cast<CDlgTabModel*>(view->GetPage(kPageModels));
  ASSERT_NE(page, nullptr);
  LogIn();
  IDocProject* project = GetProgramProject();
  project->SetPath(m_projectPath);
  project->SetPassword("");
  ASSERT_TRUE(view->OpenWorkingProject(false));
  EXPECT_EQ(page->GetModelList()->GetItemCount(), 0);

  // The model file opened through the document shows on the page.
  const std::string path = WriteTwoTaskModel("Screening.qem");
  ASSERT_TRUE(program.OpenModelFile(path));
  ASSERT_TRUE(PumpUntil([&] { return page->GetModelFilePath() == path; }));
  CQelDoc* doc = CurrentDoc(program);
  EXPECT_EQ(page->GetDocument(), doc);
  EXPECT_EQ(page->GetTaskList()->GetItemCount(), 2);
  EXPECT_EQ(doc->GetModel().m_name, "Screening");

  // The model editor on the model file: its tasks, bound to their plug-ins; OK hands them back.
  int editorTasks = -1;
  bool editable = false;
  bool bound = false;
  WhenShown<CDlgModel>([&](CDlgModel* dialog) {
    editorTasks = dialog->TaskList().GetItemCount();
    editable = dialog->GetCanEdit() != 0;
    bound = dialog->Editing().Model()->GetTask(0)->IsLibraryLoaded();
    dialog->StepPart(-1);
    dialog->OnOk();
  });
  page->EditModel(-1);
  EXPECT_EQ(editorTasks, 2);
  EXPECT_TRUE(editable);
  EXPECT_TRUE(bound);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(page->IsBlinking());

  // The task dialog on the second task; OK writes its copy back.
  std::string taskCaption;
  WhenShown<CDlgTaskPar>([&](CDlgTaskPar* dialog) {
    taskCaption = dialog->GetTitle().utf8_string();
    dialog->OnOk();
  });
  SendNotify(page, 300 + kListKindTasks, 1);
  EXPECT_NE(taskCaption.find(doc->GetModel().GetTask(1)->TaskName), std::string::npos) << taskCaption;

  // Saved: the file holds the model, the blinking stops.
  page->SaveModelFile();
  EXPECT_FALSE(doc->IsModified());
  CExpModel reread;
  uint32_t format = 0;
  std::string error;
  ASSERT_TRUE(ReadModelFile(path, &reread, &format, &error)) << error;
  ASSERT_EQ(reread.GetTaskCount(), 2);
  EXPECT_EQ(reread.GetTask(1)->TaskIdStr, doc->GetModel().GetTask(1)->TaskIdStr);
  page->Blink();
  EXPECT_FALSE(page->IsBlinking());

  // Added to the project after the warning: the page lists it.
  {
    PromptRecorder prompts(kAnswerYes);
    page->AddModelToProject();
    ASSERT_EQ(prompts.ShownTexts().size(), 1u);
    EXPECT_NE(prompts.ShownTexts()[0].find("ADD MODEL \"Screening\""), std::string::npos);
  }
  EXPECT_EQ(page->GetModelList()->GetItemCount(), 1);
  EXPECT_EQ(page->GetModelList()->GetKey(0), "Screening");
  // A second time the project refuses the name and writes nothing.
  {
    PromptRecorder prompts(kAnswerYes);
    page->AddModelToProject();
    ASSERT_EQ(prompts.ShownTexts().size(), 1u);
    EXPECT_NE(prompts.ShownTexts()[0].find("already contains"), std::string::npos);
  }
  CQelProject other(m_tasks);
  ASSERT_TRUE(other.Open(m_projectPath, false, false));
  EXPECT_EQ(other.GetModelCount(), 1);
  EXPECT_EQ(other.GetModelTaskCount(0), 2);

  // The project's model opens in the editor for viewing only; the document stays.
  editorTasks = -1;
  WhenShown<CDlgModel>([&](CDlgModel* dialog) {
    editorTasks = dialog->TaskList().GetItemCount();
    editable = dialog->GetCanEdit() != 0 && dialog->Editing().Model() && dialog->Editing().Model()->m_loaded;
    dialog->OnCancel();
  });
  SendNotify(page, 300 + kListKindModels, 0);
  EXPECT_EQ(editorTasks, 2);
  EXPECT_FALSE(editable);
  EXPECT_FALSE(doc->IsModified());

  // "New": a new, empty model document, which the page shows and opens the editor on.
  bool newEditorShown = false;
  WhenShown<CDlgModel>([&](CDlgModel* dialog) {
    newEditorShown = dialog->TaskList().GetItemCount() == 0;
    dialog->OnCancel();
  });
  page->NewModelFile();
  ASSERT_TRUE(PumpUntil([&] { return newEditorShown; }));
  CQelDoc* fresh = CurrentDoc(program);
  EXPECT_EQ(page->GetDocument(), fresh);
  EXPECT_EQ(fresh->GetModel().GetTaskCount(), 0);
  EXPECT_EQ(page->GetModelFilePath(), "");
  EXPECT_EQ(page->GetTaskList()->GetItemCount(), 0);

  // The editors' texts are the program's own resources, apart from the About box's.
  EXPECT_NE(LoadProgramText(205).find("Visual feedback"), std::string::npos);
  EXPECT_NE(LoadProgramText(static_cast<unsigned>(AboutPageText(0, 1))).find("Copyright"), std::string::npos);
  CloseAndExit(program);
}

TEST_F(ProgramPagesTest, TheProjectsPageChoosesAProjectAndMakesAModel) {
  {
    CQelSettings settings(SettingsPath());
    ASSERT_TRUE(settings.SetWorkingFolder(m_data.Path().string()));
  }
  CQelProgram program(Folder(), SettingsPath());
  ASSERT_TRUE(program.InitInstance({"Qel"}));
  CQelViewTab* view = program.GetMainFrame()->GetMainView();
  auto* page = dynamic_cast<CDlgTabProject*>(view->GetPage(kPageProjects));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->GetWorkingFolder(), m_data.Path().string() + "/");
  ASSERT_EQ(page->GetProjectList()->GetItemCount(), 1);
  EXPECT_EQ(page->GetProjectList()->GetKey(0), "Study");
  EXPECT_EQ(page->GetPluginList()->GetItemCount(), GetTaskLibraryCount());

  // Nobody logged in: a double click does nothing in a CFR program.
  SendNotify(page, 300 + kListKindProjects, 0);
  EXPECT_EQ(GetProgramProject()->GetPath().empty(), kCfrMode);
  LogIn();
  SendNotify(page, 300 + kListKindProjects, 0);
  EXPECT_EQ(GetProgramProject()->GetPath(), m_projectPath);
  EXPECT_TRUE(GetProgramProject()->IsOpen());
  EXPECT_EQ(m_dialogs.back(), "3 " + m_projectPath);

  // The project dialog runs on the selected file.
  page->ProjectDialog(kProjectProperties);
  EXPECT_EQ(m_dialogs.back(), "0 " + m_projectPath);

  // Two checked plug-ins make a two-task model in list order, which the document takes.
  page->GetPluginList()->SetRowCheck(1, true, false);
  page->GetPluginList()->SetRowCheck(0, true, false);
  std::vector<std::string> codes;
  WhenShown<CDlgModel>([&](CDlgModel* dialog) {
    for (int i = 0; i < dialog->Editing().Model()->GetTaskCount(); ++i)
      codes.push_back(dialog->Editing().Model()->GetTask(i)->TaskIdStr);
    dialog->OnOk();
  });
  page->MakeModel();
  ASSERT_EQ(codes.size(), 2u);
  EXPECT_EQ(codes[0], GetTaskLibrary(0)->GetShortCode());
  EXPECT_EQ(codes[1], GetTaskLibrary(1)->GetShortCode());
  EXPECT_EQ(page->GetPluginList()->CountCheckedRows(), 0);
  CQelDoc* doc = CurrentDoc(program);
  ASSERT_EQ(doc->GetModel().GetTaskCount(), 2);
  EXPECT_TRUE(doc->IsModified());
  ASSERT_TRUE(PumpUntil([&] { return view->GetCurrentPage() == kPageModels; }));
  auto* models = dynamic_cast<CDlgTabModel*>(view->GetPage(kPageModels));
  EXPECT_EQ(models->GetTaskList()->GetItemCount(), 2);

  // The working folder is kept for the next start.
  doc->Modify(false);
  CloseAndExit(program);
  CQelSettings settings(SettingsPath());
  EXPECT_EQ(settings.GetWorkingFolder(), m_data.Path().string() + "/");
}

}  // namespace
}  // namespace qel
