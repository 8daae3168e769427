// The Models and Projects pages of the main view, on a small clinic
// project, with a type 1 user logged in.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/DocProject.h"
#include "app/model/ExpModel.h"
#include "app/startup/AppStartup.h"
#include "app/ui/QelDoc.h"
#include "engine/library/ModelTaskBinding.h"
#include "engine/library/TaskLibrary.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "include/qel/ModelTask.h"
#include "project/tests/CacheTestSupport.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/gui/WxPump.h"
#include "ui/NotifyCodes.h"
#include "ui/ProjectFileRows.h"
#include "ui/ui/DlgTabModel.h"
#include "ui/ui/DlgTabProject.h"
#include "ui/ui/FileLists.h"
#include "ui/ui/ModelsPageServices.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/ProjectsPageServices.h"
#include "ui/ui/QelNotify.h"

namespace qel {

using namespace test;

namespace {

struct ClinicProject final : IDocProject {
  void SetPath(const std::string&) override {}
  void SetPassword(const std::string&) override {}
  std::string GetPath() const override { return "/home/clinic/Study.qep"; }
  std::string GetName() const override { return "Study"; }
  bool IsOpen() const override { return true; }
  bool IsOpenCfr() const override { return true; }
  int GetVersionNumber() const override { return 4; }
  int GetLastOpenResult() const override { return 0; }
};

// Lists the project; the editors are not opened in the gallery.
struct ModelsServices final : IModelsPageServices {
  const CProjectData* GetProjectData() override { return data; }
  bool ReadModel(const std::string&, CExpModel*) override { return false; }
  bool WriteModel(const CExpModel&, bool*) override { return false; }
  bool EditModel(wxWindow*, CExpModel*) override { return false; }
  bool EditTask(wxWindow*, CExpModelTask*, const std::string&) override { return false; }
  bool NewModelFile() override { return false; }
  bool OpenModelFile(const std::string&) override { return false; }
  const CProjectData* data = nullptr;
};

class FolderProbe final : public IProjectFileProbe {
 public:
  bool Check(const std::string& path, CProjectFileFacts* facts) override {
    facts->passwordRequired = path.find("locked") != std::string::npos;
    facts->cfr = path.find("audited") != std::string::npos;
    return !facts->passwordRequired;
  }
  bool Open(const std::string& path, CProjectFileFacts* facts) override { return Check(path, facts); }
};

struct ProjectsServices final : IProjectsPageServices {
  std::string ReadWorkingFolder() override { return folder; }
  void WriteWorkingFolder(const std::string&) override {}
  std::string SharedDocumentsFolder() override { return folder; }
  bool BrowseFolder(wxWindow*, const std::string&, std::string*) override { return false; }
  IProjectFileProbe* GetProjectProbe() override { return &probe; }
  bool RunProjectDialog(const std::string&, int) override { return false; }
  std::vector<const CTaskLibrary*> GetTaskLibraries() override { return libraries; }
  bool EditModel(wxWindow*, CExpModel*) override { return false; }
  bool NewModelFile() override { return false; }
  std::string folder;
  FolderProbe probe;
  std::vector<const CTaskLibrary*> libraries;
};

QelModelTask Record(uint32_t id, const char* code, const char* name) {
  QelModelTask record{};
  record.TaskId = id;
  std::snprintf(record.TaskIdStr, sizeof record.TaskIdStr, "%s", code);
  std::snprintf(record.TaskName, sizeof record.TaskName, "%s", name);
  return record;
}

template <class Page>
class GalleryPage : public Page {
 public:
  void Use(IDocProject* project, CQelDoc* doc) {
    this->m_pProject = project;
    this->m_pDoc = doc;
  }
};

}  // namespace

TEST(ModelsGallery, ModelsPage) {
  FakeLoadedTasks tasks{{"TP", "FL", "VSS"}};
  CProjectData data{tasks};
  CModelData* screening = data.AddModel("Screening", 4, "April 2010", "admin", Day(2024, 1, 1));
  screening->AddTask(35, "TP", "Tapping");
  screening->AddTask(7, "FL", "Flanker");
  CModelData* memory = data.AddModel("Memory", 4, "April 2010", "nurse", Day(2024, 2, 12));
  memory->AddTask(20, "VSS", "VisuoSpatial Sequencing");
  ModelsServices services;
  services.data = &data;
  SetModelsPageServices(&services);
  g_LoggedUser.m_id = "admin";
  g_LoggedUser.m_type = 1;
  ClinicProject project;
  CQelDoc doc;
  doc.GetModel().m_loaded = 1;
  // The model file's tasks are the program's plug-ins' defaults.
  CTaskLibrary plugins[3];
  const char* files[] = {"QelTP.qet", "QelFL.qet", "QelVSS.qet"};
  for (int i = 0; i < 3; ++i) {
    plugins[i].host = &Host();
    ASSERT_TRUE(plugins[i].Load((std::string(QEL_OUTPUT_DIR "/") + files[i]).c_str(), false)) << files[i];
    CExpModelTask task;
    task.SetFromModelTask(plugins[i].modelDefault);
    const int at = doc.GetModel().AddTask(task);
    BindModelTaskTo(doc.GetModel().GetTask(at), &plugins[i]);
  }
  doc.GetModel().SetModified(false, true);
  doc.SetFilename("/home/clinic/models/Attention.qem");
  doc.SetDocumentSaved(true);

  auto* frame = new wxFrame(nullptr, wxID_ANY, "Models", wxDefaultPosition, wxSize(820, 600));
  auto* page = new GalleryPage<CDlgTabModel>;
  page->Use(&project, &doc);
  ASSERT_TRUE(page->CreatePage(frame));
  SendNotify(page, kNotifyLoadModel, 0);
  page->GetModelList()->SelectRow(0);
  SendNotify(page, 320 + kListKindModels, 0);
  frame->Show();
  Pump(50);
  ExpectDrawn(Snap(frame, "page_models"), "page_models");
  page->Use(nullptr, nullptr);
  frame->Destroy();
  Pump(30);
  SetModelsPageServices(nullptr);
  LogoutCurrentUser();
  doc.GetModel().Reset();
  for (CTaskLibrary& plugin : plugins) plugin.Unload();
}

TEST(ModelsGallery, ProjectsPage) {
  char name[] = "/tmp/qel-gallery-working-XXXXXX";
  const std::string folder = std::string(mkdtemp(name)) + "/";
  for (const char* file : {"clinic.qep", "audited-2024.qep", "locked.qep"})
    std::ofstream(folder + file) << std::string(8192, 'x');
  QelModelTask records[] = {Record(35, "TP", "Tapping"), Record(7, "FL", "Flanker"),
                            Record(20, "VSS", "VisuoSpatial Sequencing"), Record(12, "PU", "Pursuit")};
  const char* files[] = {"QelTP.qet", "QelFL.qet", "QelVSS.qet", "QelPU.qet"};
  CTaskLibrary libraries[4];
  ProjectsServices services;
  services.folder = folder;
  for (int i = 0; i < 4; ++i) {
    libraries[i].version = 1;
    libraries[i].modelDefault = &records[i];
    libraries[i].SetPath((std::string("/usr/lib/qel/") + files[i]).c_str());
    libraries[i].SetFileTime(1715000000);
    services.libraries.push_back(&libraries[i]);
  }
  SetProjectsPageServices(&services);
  g_LoggedUser.m_id = "admin";
  g_LoggedUser.m_type = 1;
  CQelDoc doc;

  auto* frame = new wxFrame(nullptr, wxID_ANY, "Projects", wxDefaultPosition, wxSize(820, 600));
  auto* page = new GalleryPage<CDlgTabProject>;
  page->Use(nullptr, &doc);
  ASSERT_TRUE(page->CreatePage(frame));
  page->GetProjectList()->SelectRow(1);
  SendNotify(page, 320 + kListKindProjects, 1);
  page->GetPluginList()->SetRowCheck(0, true, false);
  page->GetPluginList()->SetRowCheck(2, true, false);
  page->UpdateControls();
  frame->Show();
  Pump(50);
  ExpectDrawn(Snap(frame, "page_projects"), "page_projects");
  frame->Destroy();
  Pump(30);
  SetProjectsPageServices(nullptr);
  LogoutCurrentUser();
  std::system(("rm -rf '" + folder + "'").c_str());
}

}  // namespace qel
