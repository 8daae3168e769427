// Assessments page benchmark (needs an X server, e.g. xvfb-run): a project
// cache of N testees with S assessments each (two models of five tasks of
// four parts), the page on it, then the times of
//   - the page's whole refresh (choosers, model, testee, list),
//   - what code 112 with flag 32 (a stored run) does on the page: the list
//     of the current testee's assessments refilled and the controls updated,
//   - choosing another testee in the testee chooser.
// Each step runs R times; the median is reported.
//
//   qel_assess_bench [testees=10000] [assessments per testee=5] [runs=5]
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/DocProject.h"
#include "app/model/ExpModel.h"
#include "app/startup/AppStartup.h"
#include "project/ProjectData.h"
#include "project/TaskAvailability.h"
#include "project/TesteeInfo.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/AssessmentsPageServices.h"
#include "ui/ui/ComboBoxQel.h"
#include "ui/ui/DlgTabAssessment.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kModels = 2;
constexpr int kTasksPerModel = 5;
constexpr int kParts = 4;

class AllLoaded final : public ITaskAvailability {
 public:
  bool IsTaskLibraryLoaded(const std::string&) const override { return true; }
};

struct BenchProject final : IDocProject {
  void SetPath(const std::string&) override {}
  void SetPassword(const std::string&) override {}
  std::string GetPath() const override { return "/bench/project.qep"; }
  std::string GetName() const override { return "project"; }
  bool IsOpen() const override { return true; }
  bool IsOpenCfr() const override { return false; }
  int GetVersionNumber() const override { return 3; }
  int GetLastOpenResult() const override { return 0; }
};

// The page's records from the cache; models of tasks with no plug-in.
class BenchServices final : public IAssessmentsPageServices {
 public:
  explicit BenchServices(const CProjectData& data) : m_data(data) {}
  const CProjectData* GetProjectData() override { return &m_data; }
  bool ReadModel(const std::string& model, CExpModel* out) override {
    out->Reset();
    out->m_name = model;
    for (int t = 0; t < kTasksPerModel; ++t) {
      CExpModelTask task;
      task.TaskIdStr = "T" + std::to_string(t);
      task.TaskName = "Task";
      out->AddTask(task);
    }
    return true;
  }
  bool ReadTestee(const std::string& testee, CTesteeInfo* out) override {
    out->m_testee = testee;
    return m_data.FindTestee(testee.c_str()) != nullptr;
  }
  bool CheckModelAssessments(const std::string& testee, const std::string& model, CExpModel* expModel) override {
    expModel->ClearAssessmentCounts();
    for (int slot = 0; slot < expModel->GetTaskCount(); ++slot) {
      CExpModelTask* task = expModel->GetTask(slot);
      std::vector<uint32_t> numbers;
      std::vector<int32_t> parts;
      m_data.GetAssessmentRows(testee.c_str(), model.c_str(), task->TaskIdStr.c_str(), &numbers, &parts, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr);
      for (size_t i = 0; i < numbers.size(); ++i) {
        if (parts[i] >= 1 && parts[i] <= kMaxParts) task->assessmentCounts[parts[i] - 1] = numbers[i];
      }
    }
    expModel->SelectNewAssessments();
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

 private:
  const CProjectData& m_data;
};

class BenchPage : public CDlgTabAssessment {
 public:
  void UseProject(IDocProject* project) { m_pProject = project; }
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double TimeMs(const std::function<void()>& step) {
  const Clock::time_point start = Clock::now();
  step();
  wxTheApp->ProcessPendingEvents();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

QelDateTime Day(int y, int m, int d) { return QelDateTime::FromDate(y, m, d); }

void Fill(CProjectData& data, int testees, int assessments) {
  for (int m = 0; m < kModels; ++m) {
    CModelData* model = data.AddModel("Model" + std::to_string(m), 4, "", "admin", Day(2024, 1, 1));
    for (int t = 0; t < kTasksPerModel; ++t) model->AddTask(static_cast<uint32_t>(t + 1), "T" + std::to_string(t), "Task");
  }
  for (int i = 0; i < testees; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "P%05d", i);
    data.AddTestee(name, "Clinic", "First", "Surname", Day(1950 + i % 50, 1 + i % 12, 1 + i % 28), i % 3, i % 2,
                   "nurse", Day(2024, 1, 2));
    for (int s = 0; s < assessments; ++s) {
      const std::string model = "Model" + std::to_string(s % kModels);
      const std::string task = "T" + std::to_string(s % kTasksPerModel);
      const auto number = static_cast<uint32_t>(s / (kModels * kTasksPerModel) + 1);
      data.AddAssessment(name, model.c_str(), task.c_str(), number, 1 + s % kParts, Day(2024, 2, 1), 40, "nurse");
      data.AddScore(name, model.c_str(), task.c_str(), number, Day(2024, 2, 1), true, {}, 0, 0, 20, "nurse",
                    Day(2024, 2, 1));
    }
  }
  data.CountScores();
  data.CountAssessments();
  data.FindOutdatedScores();
}

int Run(int testees, int assessments, int runs) {
  AllLoaded tasks;
  CProjectData data(tasks);
  Fill(data, testees, assessments);
  BenchServices services(data);
  SetAssessmentsPageServices(&services);
  g_LoggedUser.m_id = "bench";
  BenchProject project;
  auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(900, 640));
  auto* page = new BenchPage;
  page->UseProject(&project);
  page->CreatePage(frame);
  frame->Show();
  wxTheApp->ProcessPendingEvents();

  std::vector<double> refresh, afterRun, chooseTestee;
  for (int r = 0; r < runs; ++r) {
    refresh.push_back(TimeMs([&] { page->Refresh(); }));
    // A stored run of the current testee, then what code 112 with flag 32 does.
    data.AddAssessment(page->GetCurrentTestee().c_str(), page->GetCurrentModel().c_str(),
                       page->GetCurrentTask().c_str(), static_cast<uint32_t>(100 + r), 1, Day(2024, 3, 1), 40, "nurse");
    afterRun.push_back(TimeMs([&] { SendNotify(page, kNotifyRefreshViews, kRefreshAfterRun); }));
    chooseTestee.push_back(TimeMs([&] { page->GetTesteeCombo()->SelectIndex(testees / 2 + r); }));
  }
  std::printf("testees %d, assessments per testee %d, runs %d; median ms\n", testees, assessments, runs);
  std::printf("page refresh                            %8.1f\n", Median(refresh));
  std::printf("after a stored run (code 112, flag 32)  %8.1f\n", Median(afterRun));
  std::printf("choose another testee                   %8.1f\n", Median(chooseTestee));
  page->UseProject(nullptr);
  frame->Destroy();
  wxTheApp->ProcessIdle();
  SetAssessmentsPageServices(nullptr);
  return 0;
}

}  // namespace

}  // namespace qel

int main(int argc, char** argv) {
  const int testees = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int assessments = argc > 2 ? std::atoi(argv[2]) : 5;
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  wxApp::SetInstance(new wxApp);
  int wxArgc = 1;  // the window system sees no benchmark arguments
  wxInitializer init(wxArgc, argv);
  if (!init.IsOk()) {
    std::fprintf(stderr, "no window system\n");
    return 1;
  }
  return qel::Run(testees, assessments, runs);
}
