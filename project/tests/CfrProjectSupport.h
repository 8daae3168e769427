// What the tests of the CFR project files share: a CFR project on one
// connection with its cache, bound to run data, the acting user, and a
// project file with one testee and one model with one task, ready for runs.
#pragma once

#include <string>

#include "app/model/ExpModel.h"
#include "project/ProjectDbCfr.h"
#include "project/TesteeInfo.h"
#include "project/tests/PlainProjectSupport.h"

namespace qel {

namespace test {

inline constexpr char kCfrTestee[] = "O'Neil";
inline constexpr char kCfrModel[] = "Model";
inline constexpr char kCfrCode[] = "TP";

inline CUserRecord TestUser(const std::string& id) {
  CUserRecord user;
  user.m_id = id;
  user.SetPassword("pw of " + id);
  user.m_type = 1;
  user.m_firstName = "First " + id;
  user.m_surname = "Sur " + id;
  user.m_registered = QelDateTime::FromDate(2024, 1, 2);
  return user;
}

struct CfrProject {
  explicit CfrProject(const std::string& path) : cache(tasks), db(&connection) {
    db.SetProject(&cache);
    db.SetPath(path);
    db.AttachRunData(runData.get());
    library.scoreVariables = kTestVariables;
    library.scoreVariableCount = static_cast<uint32_t>(std::size(kTestVariables));
    db.SetVariableTable(&library);
  }

  void FillRun(int part, int n, int seed, int variables) {
    for (int i = 0; i < n && i < kMaxResponses; ++i) {
      runData->category[part][i] = RunValue(0, part, i, seed);
      runData->reactionTime[part][i] = RunValue(1, part, i, seed);
      runData->responseCode[part][i] = RunValue(2, part, i, seed);
      runData->taskCategory[part][i] = RunValue(3, part, i, seed);
    }
    runData->scoreVariableCount = static_cast<int32_t>(std::size(kTestVariables));
    for (int i = 0; i < variables && i < kMaxVariables; ++i) {
      runData->values[i] = seed + i * 0.5;
      runData->attributes[i] = kVarValid | static_cast<uint32_t>(i);
    }
  }

  // Stores part (1-based) of assessment with n trials of the run tagged seed.
  bool Store(const CUserRecord& user, uint32_t assessment, int part, int n, int seed, const QelDateTime& date,
             bool* newAssessment = nullptr, bool* userAdded = nullptr, const std::string& testee = kCfrTestee) {
    FillRun(part - 1, n, seed, 3);
    const CExpModelTask task = RunTask(kCfrCode, assessment, part, static_cast<uint32_t>(n));
    return db.WriteResponses(testee, kCfrModel, &task, user, userAdded, 3, QelDateTime::FromDate(1970, 5, 6), 1, 2,
                             date, newAssessment);
  }

  AllTasksLoaded tasks;
  CProjectData cache;
  CDbOdbcAccess connection;
  std::unique_ptr<CTaskRunData> runData = std::make_unique<CTaskRunData>();
  CTaskLibrary library;
  CProjectDbCfr db;
};

// A new CFR project (created by "admin") with the testee O'Neil and the
// model "Model" holding the task TP.
inline void MakeCfrProjectForRuns(const std::string& path, const char* password = nullptr) {
  const CUserRecord admin = TestUser("admin");
  if (!CProjectDbCfr::CreateProjectFile(path, admin, "Clinic", "Study", password, true, false)) {
    throw std::runtime_error("project not created");
  }
  CfrProject project(path);
  if (password) project.db.SetPassword(password);
  CTesteeInfo testee;
  testee.m_testee = kCfrTestee;
  testee.m_code = "Default";
  testee.m_firstName = "Pat";
  testee.m_surname = "O'Neil";
  testee.m_dateBirth = QelDateTime::FromDate(1970, 5, 6);
  testee.m_preference = 1;
  testee.m_sex = 2;
  CExpModel model;
  model.m_name = kCfrModel;
  model.m_header.m_taskCount = 1;
  model.m_tasks[0].TaskIdStr = kCfrCode;
  model.m_tasks[0].TaskName = "Tapping";
  model.m_tasks[0].TaskId = 7;
  if (!project.db.WriteTestee(testee, admin, nullptr, false, false) ||
      !project.db.WriteModel(&model, admin, nullptr)) {
    throw std::runtime_error("project not filled");
  }
}

}  // namespace test

}  // namespace qel
