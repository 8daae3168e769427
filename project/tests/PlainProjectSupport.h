// What the tests of the plain project files share: a cache whose every
// task is loaded, a project on one connection, run data with recognisable
// values and a model task whose current part and assessment say what a run
// writes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "db/DbOdbcAccess.h"
#include "engine/library/TaskLibrary.h"
#include "include/qel/TaskTables.h"
#include "project/ProjectData.h"
#include "project/ProjectDbPlain.h"
#include "project/TaskAvailability.h"

namespace qel {

namespace test {

class AllTasksLoaded final : public ITaskAvailability {
 public:
  bool IsTaskLibraryLoaded(const std::string&) const override { return true; }
};

// The score variables of a made-up plug-in.
inline constexpr TaskVariableDef kTestVariables[] = {
    {"Nlu_tp", nullptr, "%.0f", "Number of taps", 0x10001u, 1},
    {"Tlu_tp", nullptr, "%.1f", "Mean tap time", 0x20002u, 1},
    {"Slu_tp", nullptr, "%.2f", "SD of tap time", 0x30003u, 1},
};

// Value i of the run data's arrays for a run tagged with seed.
inline int32_t RunValue(int array, int part, int i, int seed) { return seed * 100000 + array * 20000 + part * 7 + i; }

// Fills part p of the run data with n values of the run tagged seed, and
// the variables with count values.
inline void FillRunData(CTaskRunData& runData, int part, int n, int seed, int variables) {
  for (int i = 0; i < n && i < kMaxResponses; ++i) {
    runData.category[part][i] = RunValue(0, part, i, seed);
    runData.reactionTime[part][i] = RunValue(1, part, i, seed);
    runData.responseCode[part][i] = RunValue(2, part, i, seed);
    runData.taskCategory[part][i] = RunValue(3, part, i, seed);
  }
  runData.scoreVariableCount = static_cast<int32_t>(std::size(kTestVariables));
  for (int i = 0; i < variables; ++i) {
    runData.values[i] = seed + i * 0.5;
    runData.attributes[i] = kVarValid | static_cast<uint32_t>(i);
  }
}

// A project file's cache, connection and plain database, bound to run data.
struct PlainProject {
  explicit PlainProject(const std::string& path) : cache(tasks), db(&connection) {
    db.SetProject(&cache);
    db.SetPath(path);
    db.AttachRunData(runData.get());
    library.scoreVariables = kTestVariables;
    library.scoreVariableCount = static_cast<uint32_t>(std::size(kTestVariables));
    db.SetVariableTable(&library);
  }

  void FillRun(int part, int n, int seed, int variables) { FillRunData(*runData, part, n, seed, variables); }

  AllTasksLoaded tasks;
  CProjectData cache;
  CDbOdbcAccess connection;
  std::unique_ptr<CTaskRunData> runData = std::make_unique<CTaskRunData>();
  CTaskLibrary library;
  CProjectDbPlain db;
};

// A task of code whose run writes part (1-based) of assessment with n trials.
inline CExpModelTask RunTask(const std::string& code, uint32_t assessment, int part, uint32_t n) {
  CExpModelTask task;
  task.TaskIdStr = code;
  task.TaskName = "Task " + code;
  task.currentAssessment = assessment;
  task.currentPart = part - 1;
  task.trialCounts[part - 1] = n;
  return task;
}

}  // namespace test

}  // namespace qel
