// The main window's lists, drop-down lists and project tree, each filled
// from a small project: testees, testee codes, models, the tasks of a
// model, the parts of a task, responses, scores, users, the two change
// histories, the project files of a folder, the loaded plug-ins and the tree.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/sizer.h>

#include <cstdlib>
#include <fstream>

#include "app/model/ExpModel.h"
#include "app/model/ExpModelTask.h"
#include "engine/library/TaskLibrary.h"
#include "include/qel/ModelTask.h"
#include "project/tests/CacheTestSupport.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/gui/WxPump.h"
#include "ui/ui/ComboBoxQel.h"
#include "ui/ui/FileLists.h"
#include "ui/ui/LeftView.h"
#include "ui/ui/ProjectLists.h"

namespace qel {

using namespace test;

namespace {

// A clinic's small project: two models (one with a missing plug-in), four
// testees with scores and stored parts, codes, users and histories.
class GalleryProject {
 public:
  GalleryProject() {
    CModelData* attention = data.AddModel("Attention", 4, "April 2010", "admin", Day(2024, 1, 1));
    attention->AddTask(3, "TP", "Tapping");
    attention->AddTask(11, "FL", "Flanker");
    CModelData* memory = data.AddModel("Memory", 2, "May 2011", "editor", Day(2024, 3, 1));
    memory->AddTask(12, "MS", "Memory Search Objects 1 key");
    memory->AddTask(30, "ZZ", "Retired task");
    const QelDateTime birth = Day(1970, 6, 15);
    data.AddTestee("P-0001", "Clinic", "Anna", "Smith", birth, 0, 1, "nurse", Day(2024, 1, 2, 9, 30));
    data.AddTestee("P-0002", "Clinic", "Ben", "Jones", Day(1958, 2, 1), 1, 0, "nurse", Day(2024, 1, 3, 10, 0));
    data.AddTestee("P-0003", "Ward 3", "Clara", "Meyer", Day(1988, 11, 30), 2, 1, "doctor", Day(2024, 1, 4, 11, 15));
    data.AddTestee("P-0004", "Ward 3", "Dirk", "de Vries", Day(1992, 4, 12), 0, 0, "doctor", Day(2024, 1, 5, 8, 45));
    data.AddTesteeCode("Clinic", "Outpatients", "admin", Day(2024, 1, 1));
    data.AddTesteeCode("Ward 3", "Neurology ward", "admin", Day(2024, 1, 1));
    data.AddScore("P-0001", "Attention", "TP", 1, Day(2024, 2, 1, 9, 0), true, {}, 0, 0, 24, "nurse", Day(2024, 2, 1, 9, 20));
    data.AddScore("P-0001", "Attention", "FL", 1, Day(2024, 2, 1, 9, 30), true, {}, 0, 0, 31, "nurse", Day(2024, 2, 1, 9, 50));
    data.AddScore("P-0002", "Attention", "TP", 1, Day(2024, 2, 3, 14, 0), false, Day(1957, 2, 1), 0, 0, 24, "doctor",
                  Day(2024, 2, 3, 14, 10));
    data.AddScore("P-0003", "Memory", "MS", 1, Day(2024, 2, 5, 10, 0), true, {}, 0, 0, 18, "doctor", Day(2024, 2, 5, 10, 30));
    data.AddScoreChange("P-0001", "Attention", "TP", 1, Day(1970, 6, 16), Day(2024, 2, 1, 9, 0), "nurse", Day(2024, 2, 1, 9, 10));
    data.AddAssessment("P-0001", "Attention", "TP", 1, 1, Day(2024, 2, 1, 9, 0), 60, "nurse");
    data.AddAssessment("P-0001", "Attention", "TP", 1, 2, Day(2024, 2, 1, 9, 5), 60, "nurse");
    data.AddAssessment("P-0001", "Attention", "FL", 1, 1, Day(2024, 2, 1, 9, 30), 96, "nurse");
    data.AddAssessment("P-0002", "Attention", "TP", 1, 1, Day(2024, 2, 3, 14, 0), 60, "doctor");
    data.AddTesteeChange("P-0001", Day(1970, 6, 16), 1, "nurse", Day(2024, 1, 2, 9, 0));
    data.AddTesteeChange("P-0001", Day(1970, 1, 1), 0, "admin", Day(2023, 12, 1, 16, 0));
    data.CountScores();
    data.CountAssessments();
    data.FindOutdatedScores();
    bool found = false;
    data.SearchTestees(nullptr, &found);
  }

  FakeLoadedTasks tasks{{"TP", "FL", "MS"}};
  CProjectData data{tasks};
};

// A frame holding one window that fills it.
template <class Window>
Window* InFrame(const char* title, wxSize size, Window* window = nullptr) {
  auto* frame = new wxFrame(nullptr, wxID_ANY, title, wxDefaultPosition, size);
  if (!window) window = new Window;
  window->Create(frame, wxID_ANY, wxDefaultPosition, frame->GetClientSize());
  return window;
}

void SnapFrame(wxWindow* window, const std::string& name) {
  wxWindow* frame = wxGetTopLevelParent(window);
  ExpectDrawn(Snap(frame, name), name);
  frame->Destroy();
  Pump(30);
  wxTheApp->ProcessIdle();
}

}  // namespace

TEST(ListsGallery, ProjectDataLists) {
  GalleryProject project;
  auto* testees = InFrame<CListCtrlTestees>("Testees", wxSize(820, 200));
  testees->SetColumns(true);
  testees->Fill(&project.data, nullptr, 0);
  testees->SetRowCheck(2, true, false);
  SnapFrame(testees, "list_testees");

  auto* codes = InFrame<CListCtrlTesteeCodes>("Testee codes", wxSize(520, 140));
  codes->SetColumns(false);
  codes->Fill(&project.data, -1);
  SnapFrame(codes, "list_testee_codes");

  auto* models = InFrame<CListCtrlModels>("Models", wxSize(640, 140));
  models->SetColumns(false);
  models->Fill(&project.data, 0);
  SnapFrame(models, "list_models");

  auto* responses = InFrame<CListCtrlResponses>("Responses", wxSize(720, 180));
  responses->SetColumns(false);
  responses->Fill(&project.data, "", "", "", -1);
  SnapFrame(responses, "list_responses");

  auto* scores = InFrame<CListCtrlVariables>("Scores", wxSize(820, 180));
  scores->SetColumns(false);
  scores->Fill(&project.data, "", "", "", 1);
  SnapFrame(scores, "list_scores");
}

TEST(ListsGallery, TasksPartsAndUsers) {
  GalleryProject project;
  CTaskLibrary tapping;
  tapping.loaded = 1;
  tapping.partCount = 2;
  tapping.scoreVariableCount = 24;
  CExpModel model;
  CExpModelTask task;
  task.TaskId = 3;
  task.TaskIdStr = "TP";
  task.TaskName = "Tapping";
  task.w.TaskVersion = 1;
  task.library = &tapping;
  task.assessmentCounts[0] = 1;
  task.assessmentCounts[1] = 1;
  model.AddTask(task);
  CExpModelTask missing;
  missing.TaskId = 30;
  missing.TaskIdStr = "ZZ";
  missing.TaskName = "Retired task";
  model.AddTask(missing);

  auto* tasks = InFrame<CListCtrlTasks>("Tasks", wxSize(560, 140));
  tasks->SetColumns(false);
  tasks->Fill(&model, 0);
  SnapFrame(tasks, "list_tasks");

  auto* parts = InFrame<CListCtrlAssessments>("Parts", wxSize(640, 140));
  parts->SetColumns(false);
  parts->Fill(&project.data, "P-0001", "Attention", model.GetTask(0), 0);
  SnapFrame(parts, "list_assessments");

  std::vector<CUserRecord> users(2);
  users[0].m_id = "anna";
  users[0].m_firstName = "Anna";
  users[0].m_surname = "Berg";
  users[0].m_institute = "Neurology";
  users[0].m_registered = Day(2023, 5, 1);
  users[1].m_id = "tom";
  users[1].m_firstName = "Tom";
  users[1].m_surname = "Klein";
  users[1].m_comment = "Research assistant";
  users[1].m_registered = Day(2024, 1, 9);
  auto* userList = InFrame<CListCtrlUsers>("Users", wxSize(620, 140));
  userList->SetColumns(false);
  userList->Fill(&users, -1);
  SnapFrame(userList, "list_users");
}

TEST(ListsGallery, ChangeHistories) {
  GalleryProject project;
  auto* testee = InFrame<CListCtrlTesteeUpdates>("Testee history", wxSize(760, 140));
  testee->Fill(&project.data, "P-0001", 0);
  SnapFrame(testee, "list_testee_updates");
  auto* score = InFrame<CListCtrlVariablesUpdates>("Score history", wxSize(760, 120));
  score->Fill(&project.data, "P-0001", "Attention", "TP", 1, 0);
  SnapFrame(score, "list_score_updates");
}

namespace {

class FolderProbe final : public IProjectFileProbe {
 public:
  bool Check(const std::string& path, CProjectFileFacts* facts) override {
    facts->passwordRequired = path.find("locked") != std::string::npos;
    facts->cfr = path.find("trial") != std::string::npos;
    return !facts->passwordRequired;
  }
  bool Open(const std::string& path, CProjectFileFacts* facts) override {
    if (!Check(path, facts)) return false;
    facts->versionText = facts->cfr ? "1" : "4";
    facts->testees = 148;
    facts->models = 3;
    facts->tasks = 12;
    facts->scores = 870;
    facts->user = "admin";
    facts->date = "2023.09.14";
    facts->comment = "Memory clinic";
    return true;
  }
};

}  // namespace

TEST(ListsGallery, ProjectFilesAndPlugIns) {
  char name[] = "/tmp/qel-gallery-projects-XXXXXX";
  const std::string folder = std::string(mkdtemp(name)) + "/";
  for (const char* file : {"clinic.qep", "trial-2024.qep", "locked.qep"})
    std::ofstream(folder + file) << std::string(4096, 'x');
  FolderProbe probe;
  auto* files = InFrame("Projects", wxSize(480, 140), new CListCtrlProjects(&probe));
  files->SetColumns(false);
  files->Fill(folder, 0);
  SnapFrame(files, "list_projects_files");
  auto* projects = InFrame("Projects", wxSize(900, 140), new CListCtrlProjects(&probe));
  projects->SetProjectMode(true);
  projects->SetColumns(false);
  projects->Fill(folder, 0);
  SnapFrame(projects, "list_projects");
  std::system(("rm -rf '" + folder + "'").c_str());

  QelModelTask tapping{};
  tapping.TaskId = 3;
  std::snprintf(tapping.TaskIdStr, sizeof tapping.TaskIdStr, "TP");
  std::snprintf(tapping.TaskName, sizeof tapping.TaskName, "Tapping");
  CTaskLibrary library;
  library.version = 1;
  library.modelDefault = &tapping;
  library.SetPath(QEL_OUTPUT_DIR "/QelTP.qet");
  library.SetFileTime(1715000000);
  auto* plugins = InFrame<CListCtrlDlls>("Plug-ins", wxSize(640, 120));
  plugins->SetColumns(true);
  plugins->Fill({&library}, -1);
  SnapFrame(plugins, "list_plugins");
}

TEST(ListsGallery, DropDownListsAndTheProjectTree) {
  GalleryProject project;
  auto* frame = new wxFrame(nullptr, wxID_ANY, "Drop-down lists", wxDefaultPosition, wxSize(420, 160));
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  auto* testees = new CComboBoxTestees;
  testees->Create(frame, wxID_ANY);
  testees->Fill(&project.data, "P-0002");
  auto* models = new CComboBoxModels;
  models->Create(frame, wxID_ANY);
  models->Fill(&project.data);
  auto* tasks = new CComboBoxTasks;
  tasks->Create(frame, wxID_ANY);
  tasks->Fill(&project.data, "Attention", nullptr);
  auto* paths = new CComboBoxFilePath;
  paths->Create(frame, wxID_ANY);
  paths->AddToTop("/home/clinic/projects/trial-2024.qep", true);
  for (wxWindow* combo : {static_cast<wxWindow*>(testees), static_cast<wxWindow*>(models),
                          static_cast<wxWindow*>(tasks), static_cast<wxWindow*>(paths)})
    sizer->Add(combo, 0, wxEXPAND | wxALL, 4);
  frame->SetSizer(sizer);
  frame->Layout();
  ExpectDrawn(Snap(frame, "combo_boxes"), "combo boxes");
  frame->Destroy();
  Pump(30);

  auto* treeFrame = new wxFrame(nullptr, wxID_ANY, "Project", wxDefaultPosition, wxSize(520, 560));
  auto* tree = new CLeftView(treeFrame, wxID_ANY);
  treeFrame->Show();
  tree->SetProject(&project.data, "/home/clinic/projects/clinic.qep");
  QelAssessmentNotice notice{"P-0002", "Attention", "TP", 1};
  tree->OnNotifyCode(kTreeSelectScore, reinterpret_cast<intptr_t>(&notice));
  tree->GetTree().SelectTask("Memory", "ZZ");
  tree->GetTree().SelectTestee("P-0001");
  ExpectDrawn(Snap(treeFrame, "project_tree"), "project tree");
  treeFrame->Destroy();
  Pump(30);
  wxTheApp->ProcessIdle();
}

}  // namespace qel
