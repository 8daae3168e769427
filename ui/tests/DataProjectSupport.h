// A small real project for the Data, Export and Import pages' tests and the
// window gallery: a project file of either format with the Tapping plug-in
// loaded, three testees (one with a "|" and a line break in its names, one
// without scores), the model "Motor" holding the
// Tapping task, and stored runs whose trials the test chooses.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/model/ExpModel.h"
#include "app/rundata/TaskRunData.h"
#include "engine/library/TaskLibraries.h"
#include "project/LoadedTaskLibraries.h"
#include "project/QelProject.h"
#include "project/TesteeInfo.h"
#include "project/tests/PlainProjectSupport.h"
#include "tests/support/common/TempFolder.h"

namespace qel {
namespace test {

inline constexpr char kDataModel[] = "Motor";

// The Tapping plug-in of the program folder, loaded while the object lives.
class TappingLoaded {
 public:
  TappingLoaded() {
    std::filesystem::copy_file(std::string(QEL_OUTPUT_DIR) + "/QelTP.qet", m_folder.File("QelTP.qet"));
    SetTaskFolder(m_folder.File("Qel").c_str());
    m_loaded = FindTaskLibraries(nullptr) == 1;
  }
  ~TappingLoaded() { UnloadTaskLibraries(); }
  bool Loaded() const { return m_loaded; }
  CTaskLibrary* Library() const { return GetTaskLibrary(0); }
  std::string Code() const { return m_loaded ? Library()->GetShortCode() : std::string(); }

 private:
  TempFolder m_folder;
  bool m_loaded = false;
};

// One trial as the run data keeps it.
struct StoredTrial {
  int32_t type, time, code, proc;
};

inline CUserRecord DataUser(const std::string& id, const std::string& first, const std::string& surname) {
  CUserRecord user;
  user.m_id = id;
  user.SetPassword("pw of " + id);
  user.m_type = 1;
  user.m_firstName = first;
  user.m_surname = surname;
  user.m_registered = QelDateTime::FromDate(2024, 1, 2);
  return user;
}

class DataProject {
 public:
  // Creates the project at path (CFR when cfr, created by the user "anna"),
  // opens it and writes the testees and the model.
  DataProject(const std::string& path, bool cfr, const std::string& taskCode)
      : m_project(m_tasks), m_code(taskCode), m_anna(DataUser("anna", "Anna", "Berg")) {
    m_library.scoreVariables = kTestVariables;
    m_library.scoreVariableCount = static_cast<uint32_t>(std::size(kTestVariables));
    if (cfr) CQelProject::SetLoggedUser(&m_anna);
    m_ok = CQelProject::CreateProject(path, "Clinic", "Study", nullptr, true, false);
    CQelProject::SetLoggedUser(nullptr);
    m_project.AttachRunData(m_runData.get());
    m_project.SetScoreVariableTable(&m_library);
    m_ok = m_ok && m_project.Open(path, false, false);
    m_ok = m_ok && AddTestee("T01", "Ann|Marie", "Lee\nSmith", QelDateTime::FromDate(1990, 1, 1), 1, 1);
    m_ok = m_ok && AddTestee("T02", "Bob", "Ray", QelDateTime::FromDate(1975, 2, 3), 0, 0);
    m_ok = m_ok && AddTestee("T03", "Cy", "Dunn", QelDateTime::FromDate(1980, 6, 15), 2, 0);
    CExpModel model;
    model.Reset();
    model.m_name = kDataModel;
    model.AddTask(RunTask(m_code, 1, 1, 0));
    m_ok = m_ok && m_project.WriteModel(&model, m_anna, nullptr);
  }

  bool Ok() const { return m_ok; }
  CQelProject& Project() { return m_project; }
  const CUserRecord& Anna() const { return m_anna; }

  bool AddTestee(const std::string& id, const std::string& first, const std::string& surname,
                 const QelDateTime& birth, int preference, int sex) {
    CTesteeInfo testee;
    testee.m_testee = id;
    testee.m_code = "Default";
    testee.m_firstName = first;
    testee.m_surname = surname;
    testee.m_dateBirth = birth;
    testee.m_preference = preference;
    testee.m_sex = sex;
    return m_project.WriteTestee(testee, m_anna, nullptr, false, false);
  }

  // Stores part (1-based) of the assessment of the testee with the trials, as
  // the user, on the date.
  bool Store(const std::string& testee, uint32_t assessment, int part, const std::vector<StoredTrial>& trials,
             const CUserRecord& user, const QelDateTime& date) {
    const int p = part - 1;
    for (size_t i = 0; i < trials.size(); ++i) {
      m_runData->category[p][i] = trials[i].type;
      m_runData->reactionTime[p][i] = trials[i].time;
      m_runData->responseCode[p][i] = trials[i].code;
      m_runData->taskCategory[p][i] = trials[i].proc;
    }
    m_runData->scoreVariableCount = static_cast<int32_t>(std::size(kTestVariables));
    for (int i = 0; i < m_runData->scoreVariableCount; ++i) {
      m_runData->values[i] = 10.0 + assessment + i;
      m_runData->attributes[i] = kVarValid | static_cast<uint32_t>(i);
    }
    const CExpModelTask task = RunTask(m_code, assessment, part, static_cast<uint32_t>(trials.size()));
    bool added = false;
    bool newRow = false;
    return m_project.WriteResponses(testee, kDataModel, &task, user, &added, m_runData->scoreVariableCount, date,
                                    &newRow);
  }

 private:
  CLoadedTaskLibraries m_tasks;
  CQelProject m_project;
  std::string m_code;
  CUserRecord m_anna;
  std::unique_ptr<CTaskRunData> m_runData = std::make_unique<CTaskRunData>();
  CTaskLibrary m_library;
  bool m_ok = false;
};

}  // namespace test
}  // namespace qel
