// The score of a run shown as computed, saved into a plain project and
// reopened from the stored score: the same values and texts.
#include <gtest/gtest.h>

#include "scores/tests/ScoreTestProject.h"
#include "tests/support/common/PromptRecorder.h"

namespace qel {
namespace test {
namespace {

TEST_F(ScoreProjectTest, AComputedScoreSavedAndReopenedShowsTheSameValues) {
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
  ASSERT_TRUE(Write(kTestee, task));

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

TEST_F(ScoreProjectTest, PracticeAndMissingScores) {
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
