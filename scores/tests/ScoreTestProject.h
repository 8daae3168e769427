// A plain project with one testee and a model for the scores tests, open in
// the program's project object, and the run data of a finished run of its
// task.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "admin/UserRecord.h"
#include "app/model/ExpModel.h"
#include "project/QelProject.h"
#include "project/TesteeInfo.h"
#include "project/tests/PlainProjectSupport.h"
#include "scores/ProjectScoreStore.h"
#include "scores/ScoreDocument.h"
#include "tests/support/common/TempFolder.h"

namespace qel {
namespace test {

constexpr char kTestee[] = "T01";
constexpr char kModel[] = "Model A";
constexpr char kCode[] = "TP";

// The project object bound to run data, and the made-up plug-in whose
// variables it stores.
struct OpenPlainProject {
  OpenPlainProject() {
    project.AttachRunData(runData.get());
    library.scoreVariables = kTestVariables;
    library.scoreVariableCount = static_cast<uint32_t>(std::size(kTestVariables));
  }
  void FillRun(int part, int n, int seed, int variables) { FillRunData(*runData, part, n, seed, variables); }

  AllTasksLoaded tasks;
  CQelProject project{tasks};
  std::unique_ptr<CTaskRunData> runData = std::make_unique<CTaskRunData>();
  CTaskLibrary library;
  CUserRecord writer;  // a plain project records no user
};

class ScoreProjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.File("Scores.qep");
    ASSERT_TRUE(CProjectDbPlain::CreateProjectFile(path_, "me", "", nullptr, true, false));
    project_ = std::make_unique<OpenPlainProject>();
    ASSERT_TRUE(project_->project.Open(path_, false, false));
    ASSERT_FALSE(project_->project.IsOpenCfr());
    CTesteeInfo testee;
    testee.m_testee = kTestee;
    testee.m_firstName = "Ann";
    testee.m_surname = "Lee";
    testee.m_sex = 1;
    testee.m_preference = 1;
    testee.m_dateBirth = QelDateTime::FromDate(1990, 1, 1);
    ASSERT_TRUE(project_->project.WriteTestee(testee, project_->writer, nullptr, false, false));
    CExpModel model;
    model.Reset();
    model.m_name = kModel;
    model.AddTask(RunTask(kCode, 1, 1, 0));
    ASSERT_TRUE(project_->project.WriteModel(&model, project_->writer, nullptr));
    store_ = std::make_unique<CProjectScoreStore>(project_->project);
  }

  // The run data of a finished run of part 1, assessment 1, with a value missing.
  CExpModelTask FinishedRun() {
    project_->FillRun(0, 20, 3, 3);
    project_->runData->values[2] = kNoValue;
    project_->runData->variableCount = 3;
    project_->runData->scoreVariables = kTestVariables;
    project_->runData->testDate = QelDateTime::FromDate(2020, 7, 1, 10, 30, 15);
    return RunTask(kCode, 1, 1, 20);
  }

  // The document the score dialog shows for the finished run.
  std::unique_ptr<CScoreDocument> Computed(CExpModelTask& task) {
    CScoreDocument::Computed computed;
    computed.runData = project_->runData.get();
    computed.store = store_.get();
    computed.testee = kTestee;
    computed.model = kModel;
    computed.task = &task;
    computed.partFilter = 1;
    computed.maySave = true;
    return std::make_unique<CScoreDocument>(computed);
  }
  // Stores the run of the task as the program does: the rows of the stored
  // variables are the plug-in's (opening a project unbinds them).
  bool Write(const std::string& testee, const CExpModelTask& task) {
    project_->project.SetScoreVariableTable(&project_->library);
    bool newRow = false;
    return project_->project.WriteResponses(testee, kModel, &task, project_->writer, nullptr, 3,
                                            project_->runData->testDate, &newRow);
  }
  // Stores the run of a testee as its assessment, its values offset by seed.
  void Save(const std::string& testee, uint32_t assessment, double seed) {
    CExpModelTask task = FinishedRun();
    task.currentAssessment = assessment;
    for (int i = 0; i < 2; ++i) project_->runData->values[i] = seed + i;
    ASSERT_TRUE(Write(testee, task)) << testee << " " << assessment;
  }
  void AddTestee(const std::string& id, const std::string& first, const QelDateTime& birth) {
    CTesteeInfo testee;
    testee.m_testee = id;
    testee.m_firstName = first;
    testee.m_surname = "Smith";
    testee.m_dateBirth = birth;
    ASSERT_TRUE(project_->project.WriteTestee(testee, project_->writer, nullptr, false, false));
  }

  TempFolder dir_;
  std::string path_;
  std::unique_ptr<OpenPlainProject> project_;
  std::unique_ptr<CProjectScoreStore> store_;
};

}  // namespace test
}  // namespace qel
