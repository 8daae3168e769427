// Data and Export pages benchmark (needs an X server, e.g. xvfb-run): a
// project cache of N testees with S score sets each (two models of five
// tasks), then the times of
//   - making each page (its first fill),
//   - the refresh a stored run causes (the views' notice with the scores
//     flag): the Data page with one testee chosen and with every testee,
//     the Export page re-marking which testees have a score,
//   - "Select all" on the Export page.
// Each step runs R times; the median is reported.
//
//   qel_data_pages_bench [testees=10000] [score sets per testee=5] [runs=5]
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
#include "app/startup/AppStartup.h"
#include "project/ProjectData.h"
#include "project/TaskAvailability.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/DataPageServices.h"
#include "ui/ui/DlgTabData.h"
#include "ui/ui/DlgTabExport.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

using Clock = std::chrono::steady_clock;

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
  int GetVersionNumber() const override { return 4; }
  int GetLastOpenResult() const override { return 0; }
};

struct BenchServices final : IDataPageServices {
  const CProjectData* GetProjectData() override { return data; }
  IAdminProject* GetProject() override { return nullptr; }
  void ShowSavedScore(wxWindow*, const DataPageScore&) override {}
  bool SearchTestee(wxWindow*, IAdminProject*, CListCtrlQel*, const CTesteeSearchOptions&, std::string*) override {
    return false;
  }
  void ShowAssessments(wxWindow*, const DataPageScore&) override {}
  void ShowScoreHistory(wxWindow*, const DataPageScore&) override {}
  bool ExportRawResponses(const std::string&, const DataPageScore&) override { return false; }
  bool ExportScores(wxWindow*, const std::vector<std::string>&, const std::string&, const std::string&,
                    ScoreExportSettings*) override {
    return false;
  }
  const CProjectData* data = nullptr;
};

template <class Page>
class BenchPage : public Page {
 public:
  void UseProject(IDocProject* project) { this->m_pProject = project; }
};

constexpr int kModels = 2;
constexpr int kTasksPerModel = 5;

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

void Fill(CProjectData& data, int testees, int scores) {
  for (int m = 0; m < kModels; ++m) {
    CModelData* model = data.AddModel("Model" + std::to_string(m), 4, "", "admin", Day(2024, 1, 1));
    for (int t = 0; t < kTasksPerModel; ++t) model->AddTask(static_cast<uint32_t>(t + 1), "T" + std::to_string(t), "Task");
  }
  for (int i = 0; i < testees; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "P%05d", i);
    data.AddTestee(name, "Clinic", "First", "Surname", Day(1950 + i % 50, 1 + i % 12, 1 + i % 28), i % 3, i % 2,
                   "nurse", Day(2024, 1, 2));
    for (int s = 0; s < scores; ++s) {
      const std::string model = "Model" + std::to_string(s % kModels);
      const std::string task = "T" + std::to_string(s % kTasksPerModel);
      data.AddScore(name, model.c_str(), task.c_str(), static_cast<uint32_t>(s / (kModels * kTasksPerModel) + 1),
                    Day(2024, 2, 1), true, {}, 0, 0, 20, "nurse", Day(2024, 2, 1));
    }
  }
  bool found = false;
  data.SearchTestees(nullptr, &found);
  data.CountScores();
  data.CountAssessments();
  data.FindOutdatedScores();
}

int Run(int testees, int scores, int runs) {
  AllLoaded tasks;
  CProjectData data(tasks);
  Fill(data, testees, scores);
  BenchProject project;
  BenchServices services;
  services.data = &data;
  SetDataPageServices(&services);
  g_LoggedUser.m_id = "bench";
  g_LoggedUser.m_type = 1;

  auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(1000, 700));
  frame->Show();
  BenchPage<CDlgTabData>* dataPage = nullptr;
  BenchPage<CDlgTabExport>* exportPage = nullptr;
  const double makeData = TimeMs([&] {
    dataPage = new BenchPage<CDlgTabData>;
    dataPage->UseProject(&project);
    dataPage->CreatePage(frame);
  });
  const double makeExport = TimeMs([&] {
    exportPage = new BenchPage<CDlgTabExport>;
    exportPage->UseProject(&project);
    exportPage->CreatePage(frame);
  });
  wxTheApp->ProcessPendingEvents();

  std::vector<double> dataOne, dataAll, exportMark, selectAll;
  for (int r = 0; r < runs; ++r) {
    // A stored run: one more score set, then the views' notice with the scores flag.
    data.AddScore("P00042", "Model0", "T0", static_cast<uint32_t>(100 + r), Day(2024, 3, 1), true, {}, 0, 0, 20,
                  "nurse", Day(2024, 3, 1));
    dataPage->SetAllTestees(false);
    dataOne.push_back(TimeMs([&] { SendNotify(dataPage, kNotifyRefreshViews, kRefreshScores); }));
    dataPage->SetAllTestees(true);
    dataAll.push_back(TimeMs([&] { SendNotify(dataPage, kNotifyRefreshViews, kRefreshScores); }));
    exportMark.push_back(TimeMs([&] { SendNotify(exportPage, kNotifyRefreshViews, kRefreshScores); }));
    selectAll.push_back(TimeMs([&] { exportPage->SelectAll(); }));
  }
  std::printf("testees %d, score sets per testee %d (%u score rows), runs %d; median ms\n", testees, scores,
              data.GetScoreTotal(), runs);
  std::printf("make the Data page                         %8.1f\n", makeData);
  std::printf("make the Export page                       %8.1f\n", makeExport);
  std::printf("after a stored run: Data page, one testee  %8.1f\n", Median(dataOne));
  std::printf("after a stored run: Data page, all testees %8.1f\n", Median(dataAll));
  std::printf("after a stored run: Export page            %8.1f\n", Median(exportMark));
  std::printf("Export page: select all                    %8.1f\n", Median(selectAll));
  dataPage->UseProject(nullptr);
  exportPage->UseProject(nullptr);
  frame->Destroy();
  wxTheApp->ProcessIdle();
  SetDataPageServices(nullptr);
  return 0;
}

}  // namespace

}  // namespace qel

int main(int argc, char** argv) {
  const int testees = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int scores = argc > 2 ? std::atoi(argv[2]) : 5;
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  wxApp::SetInstance(new wxApp);
  int wxArgc = 1;  // the window system sees no benchmark arguments
  wxInitializer init(wxArgc, argv);
  if (!init.IsOk()) {
    std::fprintf(stderr, "no window system\n");
    return 1;
  }
  return qel::Run(testees, scores, runs);
}
