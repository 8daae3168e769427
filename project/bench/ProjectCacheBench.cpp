// Project cache benchmark: the cache's part of loading a project, as the
// project loads do it (testee codes, testees, models, then score sets in
// testee order, then the counts and the outdated recount), without a
// database. Reports the time of each step and the process's peak resident
// memory (getrusage).
//
//   project_cache_bench [testees=10000] [score sets per testee=5] [runs=5]
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "project/ProjectData.h"
#include "project/TaskAvailability.h"

namespace qel {

namespace {

using Clock = std::chrono::steady_clock;

class AllLoaded final : public qel::ITaskAvailability {
 public:
  bool IsTaskLibraryLoaded(const std::string&) const override { return true; }
};

constexpr int kModels = 2;
constexpr int kTasksPerModel = 5;

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

struct Times {
  double testees = 0, scores = 0, counts = 0, total = 0;
};

Times Load(qel::CProjectData& data, int testees, int scoresPerTestee) {
  Times t;
  const auto start = Clock::now();
  for (int c = 0; c < 10; ++c) data.AddTesteeCode("Code" + std::to_string(c), "comment", nullptr, QelDateTime::Null());
  for (int m = 0; m < kModels; ++m) {
    qel::CModelData* model =
        data.AddModel("Model " + std::to_string(m), 4, "April 2010", "admin", QelDateTime::FromDate(2020, 1, 1));
    for (int j = 0; j < kTasksPerModel; ++j) model->AddTask(j + 1, "T" + std::to_string(m * 10 + j), "Task name");
  }
  std::vector<std::string> names;
  names.reserve(static_cast<size_t>(testees));
  for (int i = 0; i < testees; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "P%06d", i);
    names.emplace_back(name);
    data.AddTestee(names.back(), "Code" + std::to_string(i % 10), "First name", "Surname",
                   QelDateTime::FromDate(1950 + i % 50, 1 + i % 12, 1 + i % 28), i % 2, i % 2, "a description",
                   QelDateTime::FromDate(2023, 1, 1));
  }
  const auto afterTestees = Clock::now();
  for (int i = 0; i < testees; ++i) {
    for (int k = 0; k < scoresPerTestee; ++k) {
      const int m = k % kModels;
      const std::string model = "Model " + std::to_string(m);
      const std::string code = "T" + std::to_string(m * 10 + (k / kModels) % kTasksPerModel);
      data.AddScore(names[static_cast<size_t>(i)].c_str(), model.c_str(), code.c_str(),
                    static_cast<uint32_t>(1 + k / (kModels * kTasksPerModel)), QelDateTime::FromDate(2024, 1, 1), true,
                    QelDateTime::Null(), 0, 0, 120, "admin", QelDateTime::FromDate(2024, 1, 2));
    }
  }
  const auto afterScores = Clock::now();
  data.CountScores();
  data.CountAssessments();
  data.FindOutdatedScores();
  const auto end = Clock::now();
  t.testees = Ms(start, afterTestees);
  t.scores = Ms(afterTestees, afterScores);
  t.counts = Ms(afterScores, end);
  t.total = Ms(start, end);
  return t;
}

}  // namespace

}  // namespace qel

using namespace qel;

int main(int argc, char** argv) {
  const int testees = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int scores = argc > 2 ? std::atoi(argv[2]) : 5;
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  const long rssStart = PeakRssKb();

  AllLoaded tasks;
  std::vector<Times> times;
  long rssLoaded = 0;
  for (int r = 0; r < runs; ++r) {
    qel::CProjectData data(tasks);
    times.push_back(Load(data, testees, scores));
    if (r == 0) {
      rssLoaded = PeakRssKb();
      std::printf("loaded: %d testees, %u score sets, %d models\n", data.GetTesteeCount(), data.GetScoreTotal(),
                  data.GetModelCount());
    }
    const auto clearStart = Clock::now();
    data.Clear();
    if (r == 0) std::printf("clear: %.1f ms\n", Ms(clearStart, Clock::now()));
  }
  std::sort(times.begin(), times.end(), [](const Times& a, const Times& b) { return a.total < b.total; });
  const Times& median = times[times.size() / 2];
  std::printf("load over %d runs: median %.1f ms (testees %.1f, score sets %.1f, counts %.1f), best %.1f ms\n", runs,
              median.total, median.testees, median.scores, median.counts, times.front().total);
  std::printf("peak resident memory: %ld KiB before, %ld KiB after the first load (+%ld KiB)\n", rssStart, rssLoaded,
              rssLoaded - rssStart);
  return 0;
}
