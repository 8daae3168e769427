// A plain project with one testee and a model for the scores tests, and
// the run data of a finished run of its task.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/model/ExpModel.h"
#include "project/TesteeInfo.h"
#include "project/tests/PlainProjectSupport.h"
#include "scores/PlainScoreStore.h"
#include "scores/ScoreDocument.h"
#include "tests/support/common/TempFolder.h"

namespace qel {
namespace test {

constexpr char kTestee[] = "T01";
constexpr char kModel[] = "Model A";
constexpr char kCode[] = "TP";

class ScoreProjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.File("Scores.qep");
    ASSERT_TRUE(CProjectDbPlain::CreateProjectFile(path_, "me", "", nullptr, true, false));
    project_ = std::make_unique<PlainProject>(path_);
    CTesteeInfo testee;
    testee.m_testee = kTestee;
    testee.m_firstName = "Ann";
    testee.m_surname = "Lee";
    testee.m_sex = 1;
    testee.m_preference = 1;
    testee.m_dateBirth = QelDateTime::FromDate(1990, 1, 1);
    ASSERT_TRUE(project_->db.WriteTestee(testee, false));
    CExpModel model;
    model.Reset();
    model.m_name = kModel;
    model.AddTask(RunTask(kCode, 1, 1, 0));
    ASSERT_TRUE(project_->db.WriteModel(&model));
    store_ = std::make_unique<CPlainScoreStore>(project_->db, project_->cache);
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
  // Stores the run of a testee as its assessment, its values offset by seed.
  void Save(const std::string& testee, uint32_t assessment, double seed) {
    CExpModelTask task = FinishedRun();
    task.currentAssessment = assessment;
    for (int i = 0; i < 2; ++i) project_->runData->values[i] = seed + i;
    bool newRow = false;
    ASSERT_TRUE(project_->db.WriteResponses(testee, kModel, &task, 3, project_->runData->testDate, &newRow))
        << testee << " " << assessment;
  }
  void AddTestee(const std::string& id, const std::string& first, const QelDateTime& birth) {
    CTesteeInfo testee;
    testee.m_testee = id;
    testee.m_firstName = first;
    testee.m_surname = "Smith";
    testee.m_dateBirth = birth;
    ASSERT_TRUE(project_->db.WriteTestee(testee, false));
  }

  TempFolder dir_;
  std::string path_;
  std::unique_ptr<PlainProject> project_;
  std::unique_ptr<CPlainScoreStore> store_;
};

}  // namespace test
}  // namespace qel
