// Lists and tree benchmark (needs an X server, e.g. xvfb-run): a project
// cache of N testees with S score sets each (two models of five tasks),
// then the times of
//   - filling the testee list (virtual) and the score list of all testees,
//   - building the project tree (root, then every part),
//   - the refreshes a stored run causes: the tree's score branch and labels
//     with the testee list, and the score list refilled (all rows, one testee),
//   - scrolling the testee list from top to bottom, one page at a time.
// Each step runs R times; the median is reported.
//
//   qel_lists_bench [testees=10000] [score sets per testee=5] [runs=5]
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

#include "project/ProjectData.h"
#include "project/TaskAvailability.h"
#include "ui/ui/LeftView.h"
#include "ui/ui/ProjectLists.h"

namespace qel {

namespace {

using Clock = std::chrono::steady_clock;

class AllLoaded final : public ITaskAvailability {
 public:
  bool IsTaskLibraryLoaded(const std::string&) const override { return true; }
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
  auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(1000, 700));
  auto* list = new CListCtrlTestees;
  list->Create(frame, wxID_ANY, wxPoint(300, 0), wxSize(700, 350));
  list->SetColumns(false);
  auto* scoreList = new CListCtrlVariables;
  scoreList->Create(frame, wxID_ANY, wxPoint(300, 350), wxSize(700, 350));
  scoreList->SetColumns(false);
  auto* tree = new CLeftView(frame, wxID_ANY);
  tree->SetSize(0, 0, 300, 700);
  frame->Show();
  wxTheApp->ProcessPendingEvents();

  std::vector<double> fillTestees, fillScores, buildTree, afterRun, afterRunScores, afterRunTesteeScores, scroll;
  for (int r = 0; r < runs; ++r) {
    fillTestees.push_back(TimeMs([&] { list->Fill(&data, nullptr, 0); }));
    fillScores.push_back(TimeMs([&] { scoreList->Fill(&data, "", "", "", 0); }));
    buildTree.push_back(TimeMs([&] { tree->SetProject(&data, "/bench/project.qep"); }));
    // A stored run: one more score set, then what code 112 with flag 32 refreshes.
    const std::string testee = "P00042";
    data.AddScore(testee.c_str(), "Model0", "T0", static_cast<uint32_t>(100 + r), Day(2024, 3, 1), true, {}, 0, 0, 20,
                  "nurse", Day(2024, 3, 1));
    afterRun.push_back(TimeMs([&] {
      tree->Refresh(kTreeScores, nullptr);
      tree->RefreshLabels(kTreeTestees);
      list->Refill(&data, nullptr, list->GetSelectedRow());
    }));
    afterRunScores.push_back(TimeMs([&] { scoreList->Refill(&data, "", "", "", scoreList->GetSelectedRow()); }));
    afterRunTesteeScores.push_back(
        TimeMs([&] { scoreList->Refill(&data, testee, "", "", scoreList->GetSelectedRow()); }));
    scroll.push_back(TimeMs([&] {
      const int page = std::max(1, list->GetCountPerPage());
      for (int row = 0; row < list->GetItemCount(); row += page) {
        list->EnsureVisible(std::min(row + page - 1, list->GetItemCount() - 1));
        list->Update();
      }
    }));
  }
  std::printf("testees %d, score sets per testee %d (%u score rows), runs %d; median ms\n", testees, scores,
              data.GetScoreTotal(), runs);
  std::printf("fill testee list            %8.1f\n", Median(fillTestees));
  std::printf("fill score list (all rows)  %8.1f\n", Median(fillScores));
  std::printf("build project tree          %8.1f\n", Median(buildTree));
  std::printf("after a stored run: tree and testee list %8.1f\n", Median(afterRun));
  std::printf("after a stored run: score list, all rows %8.1f\n", Median(afterRunScores));
  std::printf("after a stored run: score list, testee   %8.1f\n", Median(afterRunTesteeScores));
  std::printf("scroll testee list by pages %8.1f (%d pages)\n", Median(scroll),
              list->GetItemCount() / std::max(1, list->GetCountPerPage()));
  frame->Destroy();
  wxTheApp->ProcessIdle();
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
