// CFR project benchmark: an audited store of one finished run of 6000
// responses with its variables that replaces the part stored before (the
// old response and variables rows copied to their twins, the acting user
// checked, one transaction flushed to disk); the conversion of a plain
// project of many testees with their score sets into a CFR project; and
// opening and loading that CFR project into the cache.
//
//   cfr_project_bench [folder=$TMPDIR or /tmp] [testees=10000] [score sets per testee=5] [runs=10]
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/model/ExpModel.h"
#include "app/rundata/TaskRunData.h"
#include "db/DbOdbcAccess.h"
#include "db/PackedArrays.h"
#include "db/SqliteConnection.h"
#include "db/plain/PlainTables.h"
#include "engine/library/TaskLibrary.h"
#include "project/ProjectData.h"
#include "project/ProjectDbCfr.h"
#include "project/ProjectDbPlain.h"
#include "project/TaskAvailability.h"
#include "project/TesteeInfo.h"

namespace qel {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kModels = 2;
constexpr int kTasksPerModel = 5;
constexpr int kStoredTrials = 200;
constexpr int kStoredVariables = 100;

class AllLoaded final : public ITaskAvailability {
 public:
  bool IsTaskLibraryLoaded(const std::string&) const override { return true; }
};

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::string ModelName(int m) { return "Model " + std::to_string(m); }
std::string TaskCode(int m, int j) { return "T" + std::to_string(m * 10 + j); }

CUserRecord BenchUser() {
  CUserRecord user;
  user.m_id = "bench";
  user.SetPassword("bench password");
  user.m_firstName = "Bench";
  user.m_surname = "Mark";
  return user;
}

void BenchStore(const std::string& folder, int runs) {
  const std::string path = folder + "/cfr-store-bench.qep";
  ::unlink(path.c_str());
  const CUserRecord user = BenchUser();
  if (!CProjectDbCfr::CreateProjectFile(path, user, "bench", "", nullptr, true, false)) {
    std::printf("cannot create %s\n", path.c_str());
    return;
  }
  AllLoaded tasks;
  CProjectData cache(tasks);
  CDbOdbcAccess connection;
  CProjectDbCfr db(&connection);
  db.SetProject(&cache);
  db.SetPath(path);
  db.Reload(nullptr, true);
  CTesteeInfo testee;
  testee.m_testee = "P000001";
  testee.m_code = "Default";
  testee.m_firstName = "First";
  testee.m_surname = "Last";
  testee.m_dateBirth = QelDateTime::FromDate(1960, 1, 1);
  CExpModel model;
  model.m_name = "Model";
  model.m_header.m_taskCount = 1;
  model.m_tasks[0].TaskIdStr = "TP";
  model.m_tasks[0].TaskName = "Tapping";
  if (!db.WriteTestee(testee, user, nullptr, false, false) || !db.WriteModel(&model, user, nullptr)) {
    std::printf("cannot fill %s\n", path.c_str());
    return;
  }
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
  CExpModelTask task;
  task.TaskIdStr = "TP";
  task.currentAssessment = 1;
  task.currentPart = 0;
  task.trialCounts[0] = kMaxResponses;
  const QelDateTime birth = QelDateTime::FromDate(1960, 1, 1);
  // The earlier run that each measured store replaces.
  db.WriteResponses("P000001", "Model", &task, user, nullptr, kMaxVariables, birth, 0, 1,
                    QelDateTime::FromDate(2024, 1, 1), nullptr);
  std::vector<double> times, cpu;
  for (int r = 0; r < runs; ++r) {
    const auto start = Clock::now();
    const double cpuStart = CpuMs();
    const bool ok = db.WriteResponses("P000001", "Model", &task, user, nullptr, kMaxVariables, birth, 0, 1,
                                      QelDateTime::FromDate(2024, 1, 2 + r), nullptr);
    cpu.push_back(CpuMs() - cpuStart);
    times.push_back(Ms(start, Clock::now()));
    if (!ok) std::printf("run %d was not stored\n", r);
  }
  std::printf(
      "audited store replacing a stored run of %d responses and %d variables (history copies, one transaction): "
      "median %.1f ms, best %.1f ms, processor time median %.1f ms (%d runs)\n",
      kMaxResponses, kMaxVariables, Median(times), *std::min_element(times.begin(), times.end()), Median(cpu), runs);
  ::unlink(path.c_str());
}

// A plain project of testees with their score sets, written directly in one transaction.
bool MakePlainProject(const std::string& path, int testees, int scoresPerTestee) {
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

void BenchConvertAndLoad(const std::string& folder, int testees, int scoresPerTestee) {
  const std::string plainPath = folder + "/cfr-bench-plain.qep";
  const std::string cfrPath = folder + "/cfr-bench.qep";
  ::unlink(cfrPath.c_str());
  if (!MakePlainProject(plainPath, testees, scoresPerTestee)) {
    std::printf("cannot create %s\n", plainPath.c_str());
    return;
  }
  {
    CDbOdbcAccess plain;
    plain.Open(plainPath, kDbOpenReadOnly);
    const auto start = Clock::now();
    const double cpuStart = CpuMs();
    const bool ok = CProjectDbCfr::ConvertFromPlain(&plain, cfrPath, BenchUser(), "bench", "", nullptr, QelDateTime());
    std::printf("conversion of a plain project of %d testees with %d score sets each: %.2f s, processor time %.2f s%s\n",
                testees, scoresPerTestee, Ms(start, Clock::now()) / 1000.0, (CpuMs() - cpuStart) / 1000.0,
                ok ? "" : " (FAILED)");
    plain.Close();
  }
  AllLoaded tasks;
  CProjectData cache(tasks);
  CDbOdbcAccess connection;
  CProjectDbCfr db(&connection);
  db.SetProject(&cache);
  for (const char* which : {"first", "second"}) {
    const auto start = Clock::now();
    const double cpuStart = CpuMs();
    const bool loaded = db.Reload(cfrPath.c_str(), true);
    std::printf(
        "open and load the CFR project into the cache (%s): %.1f ms, processor time %.1f ms (%s: %d testees, %u "
        "score sets, %u assessments)\n",
        which, Ms(start, Clock::now()), CpuMs() - cpuStart, loaded ? "loaded" : "FAILED", cache.GetTesteeCount(),
        cache.GetScoreTotal(), cache.GetAssessmentTotal());
  }
  ::unlink(plainPath.c_str());
  ::unlink(cfrPath.c_str());
}

}  // namespace

}  // namespace qel

int main(int argc, char** argv) {
  const char* tmp = std::getenv("TMPDIR");
  const std::string folder = argc > 1 ? argv[1] : (tmp && *tmp ? tmp : "/tmp");
  const int testees = argc > 2 ? std::atoi(argv[2]) : 10000;
  const int scores = argc > 3 ? std::atoi(argv[3]) : 5;
  const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 10;
  std::printf("folder: %s\n", folder.c_str());
  qel::BenchConvertAndLoad(folder, testees, scores);
  qel::BenchStore(folder, runs);
  return 0;
}
