// Plain project benchmark: storing one finished run of 6000 responses with
// its variables (one transaction, flushed to disk), and opening and loading
// a plain project of many testees with their score sets into the cache,
// with the process's peak resident memory of that load (getrusage).
//
//   plain_project_bench [folder=$TMPDIR or /tmp] [testees=10000] [score sets per testee=5]
//                       [variables per run=1500] [runs=10]
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "common/Prompt.h"
#include "db/DbOdbcAccess.h"
#include "db/PackedArrays.h"
#include "db/SqliteConnection.h"
#include "db/plain/PlainTables.h"
#include "engine/library/TaskLibrary.h"
#include "project/ProjectData.h"
#include "project/ProjectDbPlain.h"
#include "project/TaskAvailability.h"

namespace qel {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kModels = 2;
constexpr int kTasksPerModel = 5;
constexpr int kStoredTrials = 200;  // responses of each stored part of the load's project
constexpr int kStoredVariables = 100;

class AllLoaded final : public ITaskAvailability {
 public:
  bool IsTaskLibraryLoaded(const std::string&) const override { return true; }
};

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

// The process's processor time (user and system), which the machine's other
// work does not lengthen as it does the wall-clock time.
double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::string ModelName(int m) { return "Model " + std::to_string(m); }
std::string TaskCode(int m, int j) { return "T" + std::to_string(m * 10 + j); }

// Stores runs of 6000 responses and the variables through the project's own write.
void BenchStore(const std::string& folder, int variables, int runs) {
  const std::string path = folder + "/store-bench.qep";
  ::unlink(path.c_str());
  if (!CProjectDbPlain::CreateProjectFile(path, "bench", "", nullptr, true, false)) {
    std::printf("cannot create %s\n", path.c_str());
    return;
  }
  AllLoaded tasks;
  CProjectData cache(tasks);
  CDbOdbcAccess connection;
  CProjectDbPlain db(&connection);
  db.SetProject(&cache);
  db.SetPath(path);
  auto runData = std::make_unique<CTaskRunData>();
  db.AttachRunData(runData.get());
  std::vector<TaskVariableDef> rows(static_cast<size_t>(kMaxVariables));
  std::vector<std::string> names(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    names[i] = "Nlu" + std::to_string(i) + "_tp";
    rows[i] = TaskVariableDef{names[i].c_str(), nullptr, "%.2f", "A variable of the benchmark", 0x10001u, 1};
  }
  CTaskLibrary library;
  library.scoreVariables = rows.data();
  library.scoreVariableCount = static_cast<uint32_t>(rows.size());
  db.SetVariableTable(&library);
  runData->scoreVariableCount = kMaxVariables;
  for (int i = 0; i < kMaxResponses; ++i) {
    runData->category[0][i] = i % 8;
    runData->reactionTime[0][i] = 250 + i % 400;
    runData->responseCode[0][i] = i % 3;
    runData->taskCategory[0][i] = 10 + i % 5;
  }
  for (int i = 0; i < kMaxVariables; ++i) {
    runData->values[i] = i * 0.25;
    runData->attributes[i] = kVarValid;
  }
  std::vector<double> times, cpu;
  for (int r = 0; r < runs; ++r) {
    CExpModelTask task;
    task.TaskIdStr = "TP";
    task.currentAssessment = static_cast<uint32_t>(r + 1);
    task.currentPart = 0;
    task.trialCounts[0] = kMaxResponses;
    bool newRow = false;
    const auto start = Clock::now();
    const double cpuStart = CpuMs();
    const bool ok = db.WriteResponses("P000001", "Model", &task, variables, QelDateTime::FromDate(2024, 1, 1), &newRow);
    cpu.push_back(CpuMs() - cpuStart);
    times.push_back(Ms(start, Clock::now()));
    if (!ok) std::printf("run %d was not stored\n", r);
  }
  std::printf(
      "store: one run of %d responses and %d variables, one transaction: median %.1f ms, best %.1f ms "
      "(%d runs)\n",
      kMaxResponses, variables, Median(times), *std::min_element(times.begin(), times.end()), runs);
  ::unlink(path.c_str());
}

// A plain project of testees with their score sets, written directly in one transaction.
bool MakeLoadProject(const std::string& path, int testees, int scoresPerTestee) {
  ::unlink(path.c_str());
  if (!CProjectDbPlain::CreateProjectFile(path, "bench", "", nullptr, true, false)) return false;
  SqliteConnection db;
  db.Open(path, "", false);
  db.Execute("BEGIN IMMEDIATE");
  std::string words;
  for (const char* w : kTaskWordColumns) words += std::string(", ") + w;
  SqliteStatement model(db, "INSERT INTO Model (Model, TaskNo, TaskId, TaskIdStr, TaskName" + words +
                                ") VALUES (?, ?, ?, ?, 'name', ?, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)");
  for (int m = 0; m < kModels; ++m) {
    for (int j = 0; j <= kTasksPerModel; ++j) {
      model.Reset();
      model.BindAll({DbValue(ModelName(m)), DbValue(j), DbValue(j == 0 ? 4 : j),
                     DbValue(j == 0 ? std::string("April 2010") : TaskCode(m, j - 1)),
                     DbValue(j == 0 ? kTasksPerModel : 0)});
      model.Step();
    }
  }
  SqliteStatement testee(db,
                         "INSERT INTO Testee (Testee, Code, FirstName, Surname, DateBirth, Preference, Sex, Comment) "
                         "VALUES (?, 'Default', 'First name', 'Surname', ?, 1, 1, 'a description')");
  SqliteStatement response(db,
                           "INSERT INTO Response (Testee, Model, Task, Assessment, PartNo, SerNo, Date, RespNum, "
                           "RespType, RespTime, RespCode, ProcType) VALUES (?, ?, ?, ?, 1, 0, ?, ?, ?, ?, ?, ?)");
  SqliteStatement variable(db,
                           "INSERT INTO Variable (Testee, Model, Task, Assessment, Date, VarNum, VarAttrs, VarNames, "
                           "VarFrmts, VarLabels, VarValues) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  std::vector<int32_t> trials(kStoredTrials, 300);
  DbBytes responses;
  ByteArrayFromDWords(responses, trials.data(), kStoredTrials);
  std::vector<uint32_t> attributes(kStoredVariables, kVarValid);
  std::vector<double> values(kStoredVariables, 1.5);
  DbBytes attributeBytes, valueBytes, texts(static_cast<size_t>(kStoredVariables) * 20, 0);
  ByteArrayFromDWords(attributeBytes, attributes.data(), kStoredVariables);
  ByteArrayFromDoubles(valueBytes, values.data(), kStoredVariables);
  const QelDateTime runDate = QelDateTime::FromDate(2024, 1, 1);
  for (int i = 0; i < testees; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "P%06d", i);
    testee.Reset();
    testee.BindAll({DbValue(name), DbValue(QelDateTime::FromDate(1950 + i % 50, 1 + i % 12, 1 + i % 28))});
    testee.Step();
    for (int k = 0; k < scoresPerTestee; ++k) {
      const int m = k % kModels;
      const std::string code = TaskCode(m, (k / kModels) % kTasksPerModel);
      const int assessment = 1 + k / (kModels * kTasksPerModel);
      response.Reset();
      response.BindAll({DbValue(name), DbValue(ModelName(m)), DbValue(code), DbValue(assessment), DbValue(runDate),
                        DbValue(kStoredTrials), DbValue(responses), DbValue(responses), DbValue(responses),
                        DbValue(responses)});
      response.Step();
      variable.Reset();
      variable.BindAll({DbValue(name), DbValue(ModelName(m)), DbValue(code), DbValue(assessment), DbValue(runDate),
                        DbValue(kStoredVariables), DbValue(attributeBytes), DbValue(texts), DbValue(texts),
                        DbValue(texts), DbValue(valueBytes)});
      variable.Step();
    }
  }
  db.Execute("COMMIT");
  return true;
}

void BenchLoad(const std::string& folder, int testees, int scoresPerTestee) {
  const std::string path = folder + "/load-bench.qep";
  const auto made = Clock::now();
  if (!MakeLoadProject(path, testees, scoresPerTestee)) {
    std::printf("cannot create %s\n", path.c_str());
    return;
  }
  std::printf("load project: %d testees, %d score sets each, written in %.0f ms\n", testees, scoresPerTestee,
              Ms(made, Clock::now()));
  AllLoaded tasks;
  const long rssBefore = PeakRssKb();
  CProjectData cache(tasks);
  CDbOdbcAccess connection;
  CProjectDbPlain db(&connection);
  db.SetProject(&cache);
  // The second load finds the memory that the first one freed (Reload
  // empties the cache first): the difference is the cost of the process's
  // first touch of that memory.
  for (const char* which : {"first", "second"}) {
    const auto start = Clock::now();
    const double cpuStart = CpuMs();
    const bool loaded = db.Reload(path.c_str(), true);
    const double cpu = CpuMs() - cpuStart;
    const auto end = Clock::now();
    std::printf(
        "open and load into the cache (%s): %.1f ms, processor time %.1f ms (%s: %d testees, %u score sets, "
        "%u assessments, %d models)\n",
        which, Ms(start, end), cpu, loaded ? "loaded" : "FAILED", cache.GetTesteeCount(), cache.GetScoreTotal(),
        cache.GetAssessmentTotal(), cache.GetModelCount());
    if (which[0] == 'f') {
      const long rssAfter = PeakRssKb();
      std::printf("peak resident memory: %ld KiB before, %ld KiB after the load (+%ld KiB)\n", rssBefore, rssAfter,
                  rssAfter - rssBefore);
    }
  }
  ::unlink(path.c_str());
}

}  // namespace

}  // namespace qel

int main(int argc, char** argv) {
  const char* tmp = std::getenv("TMPDIR");
  const std::string folder = argc > 1 ? argv[1] : (tmp && *tmp ? tmp : "/tmp");
  const int testees = argc > 2 ? std::atoi(argv[2]) : 10000;
  const int scores = argc > 3 ? std::atoi(argv[3]) : 5;
  const int variables = argc > 4 ? std::clamp(std::atoi(argv[4]), 0, qel::kMaxVariables) : qel::kMaxVariables;
  const int runs = argc > 5 ? std::max(1, std::atoi(argv[5])) : 10;
  std::printf("folder: %s\n", folder.c_str());
  // The load is measured first, so that its peak memory is its own.
  qel::BenchLoad(folder, testees, scores);
  qel::BenchStore(folder, variables, runs);
  return 0;
}
