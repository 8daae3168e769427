// The Assessments page on a small clinic project: a testee with one filed
// Tapping assessment, the model "Attention" with the program's Tapping
// plug-in and a task whose plug-in is not loaded, a user of type 1 logged in.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

#include "app/DocProject.h"
#include "app/model/ExpModel.h"
#include "app/startup/AppStartup.h"
#include "engine/library/ModelTaskBinding.h"
#include "engine/library/TaskLibrary.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "project/TesteeInfo.h"
#include "project/tests/CacheTestSupport.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/gui/WxPump.h"
#include "ui/ui/AssessmentsPageServices.h"
#include "ui/ui/DlgTabAssessment.h"
#include "ui/ui/ProjectLists.h"

namespace qel {

using namespace test;

namespace {

constexpr char kModel[] = "Attention";

struct AssessProject final : IDocProject {
  void SetPath(const std::string&) override {}
  void SetPassword(const std::string&) override {}
  std::string GetPath() const override { return "/home/clinic/Study.qdb"; }
  std::string GetName() const override { return "Study"; }
  bool IsOpen() const override { return true; }
  bool IsOpenCfr() const override { return true; }
  int GetVersionNumber() const override { return 4; }
  int GetLastOpenResult() const override { return 0; }
};

// Reads the clinic's records; runs and dialogs are not started in the gallery.
struct AssessServices final : IAssessmentsPageServices {
  const CProjectData* GetProjectData() override { return data; }
  bool ReadModel(const std::string& model, CExpModel* out) override {
    out->Reset();
    out->m_name = model;
    CExpModelTask tapping;
    tapping.SetFromModelTask(library->modelDefault);
    out->AddTask(tapping);
    BindModelTaskTo(out->GetTask(0), library);
    CExpModelTask flanker;
    flanker.TaskIdStr = "FL";
    flanker.TaskName = "Flanker";
    out->AddTask(flanker);
    return true;
  }
  bool ReadTestee(const std::string& testee, CTesteeInfo* out) override {
    out->m_testee = testee;
    out->m_firstName = "Anna";
    out->m_surname = "Smith";
    out->m_dateBirth = Day(1970, 6, 15);
    return true;
  }
  bool CheckModelAssessments(const std::string&, const std::string&, CExpModel* model) override {
    model->ClearAssessmentCounts();
    model->GetTask(0)->assessmentCounts[0] = 1;
    model->SelectNewAssessments();
    return true;
  }
  bool IsRunInProgress() override { return false; }
  bool RunSignals(CExpModelTask*, const std::string&, const std::string&, wxWindow*) override { return false; }
  bool RunPractice(CExpModelTask*, const std::string&, const std::string&, wxWindow*) override { return false; }
  bool RunTest(CExpModelTask*, const CTesteeInfo&, const std::string&, wxWindow*) override { return false; }
  void AbortRun() override {}
  bool NewTestee(wxWindow*, std::string*, bool*) override { return false; }
  bool SearchTestee(wxWindow*, std::string*) override { return false; }
  void ViewTestee(wxWindow*, const CTesteeInfo&) override {}
  void ViewModel(wxWindow*, const std::string&) override {}
  void ShowScore(wxWindow*, const std::string&, const std::string&, const std::string&, uint32_t, int,
                 const std::string&) override {}
  bool RebuildScore(wxWindow*, const CTesteeInfo&, const std::string&, CExpModelTask*, RebuiltScore*) override {
    return false;
  }

  const CProjectData* data = nullptr;
  CTaskLibrary* library = nullptr;
};

class GalleryAssessmentPage : public CDlgTabAssessment {
 public:
  void UseProject(IDocProject* project) { m_pProject = project; }
};

}  // namespace

TEST(AssessGallery, AssessmentsPage) {
  CTaskLibrary tapping;
  tapping.host = &Host();
  ASSERT_TRUE(tapping.Load(QEL_OUTPUT_DIR "/QelTP.qet", true));
  FakeLoadedTasks tasks{{"TP"}};
  CProjectData data{tasks};
  CModelData* model = data.AddModel(kModel, 4, "April 2010", "admin", Day(2024, 1, 1));
  ASSERT_NE(model, nullptr);
  model->AddTask(1, "TP", "Tapping");
  model->AddTask(2, "FL", "Flanker");
  data.AddTestee("P-0001", "Clinic", "Anna", "Smith", Day(1970, 6, 15), 0, 1, "nurse", Day(2024, 1, 2, 9, 30));
  data.AddTestee("P-0002", "Clinic", "Ben", "Jones", Day(1958, 2, 1), 1, 0, "nurse", Day(2024, 1, 3, 10, 0));
  data.AddAssessment("P-0001", kModel, "TP", 1, 1, Day(2024, 2, 5, 10, 30), 120, "nurse");
  data.CountAssessments();
  AssessServices services;
  services.data = &data;
  services.library = &tapping;
  SetAssessmentsPageServices(&services);
  g_LoggedUser.m_id = "admin";
  g_LoggedUser.m_type = 1;
  AssessProject project;

  auto* frame = new wxFrame(nullptr, wxID_ANY, "Assessments", wxDefaultPosition, wxSize(860, 620));
  auto* page = new GalleryAssessmentPage;
  page->UseProject(&project);
  ASSERT_TRUE(page->CreatePage(frame));
  frame->Show();
  Pump(50);
  ExpectDrawn(Snap(frame, "page_assessments"), "page_assessments");

  page->UseProject(nullptr);
  frame->Destroy();
  Pump(30);
  SetAssessmentsPageServices(nullptr);
  LogoutCurrentUser();
  tapping.Unload();
}

}  // namespace qel
