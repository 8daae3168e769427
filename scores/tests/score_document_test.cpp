// The score of a run shown as computed, saved into a plain project and
// reopened from the stored score: the same values and texts.
#include <gtest/gtest.h>

#include "app/model/ExpModel.h"
#include "project/TesteeInfo.h"
#include "project/tests/PlainProjectSupport.h"
#include "scores/PlainScoreStore.h"
#include "scores/ScoreDocument.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {
namespace test {
namespace {

constexpr char kTestee[] = "T01";
constexpr char kModel[] = "Model A";
constexpr char kCode[] = "TP";

class ScoreDocumentTest : public ::testing::Test {
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

  TempFolder dir_;
  std::string path_;
  std::unique_ptr<PlainProject> project_;
  std::unique_ptr<CPlainScoreStore> store_;
};

TEST_F(ScoreDocumentTest, AComputedScoreSavedAndReopenedShowsTheSameValues) {
  CExpModelTask task = FinishedRun();
  CScoreDocument::Computed computed;
  computed.runData = project_->runData.get();
  computed.store = store_.get();
  computed.testee = kTestee;
  computed.model = kModel;
  computed.task = &task;
  computed.partFilter = 1;
  computed.maySave = true;
  const ScoreUser user{"u1", "Uma", "Doe", false};
  const CScoreDocument shown(computed, user);
  EXPECT_TRUE(shown.MaySave());
  EXPECT_EQ(shown.Caption(), "Test Scores");
  EXPECT_EQ(shown.m_firstName, "Ann");
  EXPECT_EQ(shown.m_sexText, "Female");
  EXPECT_EQ(shown.m_handednessText, "L");
  EXPECT_EQ(shown.m_ageText, "30.50");
  EXPECT_EQ(shown.m_testTimeText, "10:30:15, 01.07.2020");
  EXPECT_EQ(shown.m_testerId, "u1");
  EXPECT_TRUE(shown.m_durationText.empty()) << "a computed score has no duration";
  EXPECT_FALSE(shown.ChangesAvailable());
  const std::vector<std::string> values = shown.Sheet().ListedValues();
  EXPECT_EQ(values, (std::vector<std::string>{"3", "3.5", ""}));

  // The operator saves: the run engine stores the run.
  bool newRow = false;
  ASSERT_TRUE(project_->db.WriteResponses(kTestee, kModel, &task, 3, project_->runData->testDate, &newRow));

  CScoreDocument::Saved saved;
  saved.store = store_.get();
  saved.key = {kTestee, kModel, kCode, 1};
  const CScoreDocument reopened(saved, user);
  EXPECT_FALSE(reopened.MaySave());
  EXPECT_EQ(reopened.Caption(), "Saved Scores");
  EXPECT_EQ(reopened.Sheet().ListedNames(), shown.Sheet().ListedNames());
  EXPECT_EQ(reopened.Sheet().ListedValues(), values);
  EXPECT_EQ(reopened.m_ageText, "30.50");
  EXPECT_EQ(reopened.m_testTimeText, shown.m_testTimeText);
  EXPECT_FALSE(reopened.m_savedDateText.empty());
  // A plain project keeps one version: no changes view.
  EXPECT_EQ(reopened.Versions().size(), 1u);
  EXPECT_FALSE(reopened.ChangesAvailable());
  EXPECT_FALSE(reopened.BirthDateDiffers());
}

TEST_F(ScoreDocumentTest, PracticeAndMissingScores) {
  CExpModelTask task = FinishedRun();
  CScoreDocument::Computed computed;
  computed.runData = project_->runData.get();
  computed.store = store_.get();
  computed.testee = kTestee;
  computed.model = kModel;
  computed.task = &task;
  computed.maySave = true;
  computed.practice = true;
  const CScoreDocument practice(computed);
  EXPECT_FALSE(practice.MaySave()) << "a practice run saves no score";
  EXPECT_EQ(practice.Caption(), "Practice Scores");
  EXPECT_EQ(FormatTaskHeader(practice.Headers(ScoreHeaderData::Mode::kShown, false)).find("Ano:"), std::string::npos);

  PromptRecorder prompts;
  CScoreDocument::Saved saved;
  saved.store = store_.get();
  saved.key = {kTestee, kModel, kCode, 7};
  const CScoreDocument missing(saved);
  EXPECT_EQ(missing.Caption(), "<TASK NOT AVAILABLE>");
  EXPECT_FALSE(missing.TaskAvailable());
}

}  // namespace
}  // namespace test
}  // namespace qel
