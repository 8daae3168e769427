// What Tracking publishes: its default model task, the parameter texts and
// the texts by language, part and feedback type; no trial lists.
#include <gtest/gtest.h>

#include <string>

#include "include/qel/TaskEntry.h"
#include "tasks/layers/mouse/tests/support/LoadedMouseTask.h"

namespace qel {

namespace test {

namespace {

class TrackingRecord : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_t.Loaded()); }

  LoadedMouseTask m_t{"TR"};
};

TEST_F(TrackingRecord, TheDefaultModelTaskAndNoTrialLists) {
  const QelModelTask& d = *m_t.m_library.modelDefault;
  EXPECT_EQ(d.TaskId, 31u);
  EXPECT_STREQ(d.TaskIdStr, "TR");
  EXPECT_STREQ(d.TaskName, "Tracking");
  EXPECT_EQ(d.w.TaskFlags, 0x39000u);
  EXPECT_EQ(d.w.TaskSSS, 150u);
  EXPECT_EQ(d.w.TaskIntLow, 20u);
  EXPECT_EQ(d.TaskPartTrials[0], 0u);
  EXPECT_EQ(d.TaskParam[0], 0x1220001u);
  EXPECT_EQ(d.TaskParam[1], 0u);
  EXPECT_EQ(d.TaskParam[2], 1u);
  EXPECT_EQ(m_t.m_library.scoreVariableCount, 168u);
  EXPECT_EQ(m_t.m_library.normVariableCount, 9u);
  EXPECT_EQ(m_t.m_library.captionCount, 12);
  EXPECT_EQ(m_t.m_library.taskDescription->codeRowCount, 0u);
  ASSERT_TRUE(m_t.Setup(1));
  EXPECT_EQ(m_t.m_library.testTrialList, nullptr);
  EXPECT_EQ(m_t.m_library.practiceTrialList, nullptr);
}

TEST_F(TrackingRecord, ParameterTexts) {
  int32_t count = -1;
  m_t.ParamText(0, 0, &count);
  EXPECT_EQ(count, 0) << "no run context yet";
  m_t.m_task.TaskParam[1] = 1;
  m_t.m_task.TaskParam[2] = 2;
  m_t.m_task.TaskParam[0] = 0x1220000;
  ASSERT_TRUE(m_t.Setup(0));
  const struct {
    int parameter, which;
    const char* text;
    int32_t count;
  } cases[] = {
      {0, 0, "", 3},
      {1, 0, "Mouse sensitivity", 3},
      {1, 1, "Negative", 3},
      {2, 0, "Direction", 2},
      {2, 1, "Counterclockwise", 2},
      {3, 0, "Track width", 3},
      {3, 1, "Wide", 3},
      {4, 0, "", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(m_t.ParamText(c.parameter, c.which, &count), c.text) << c.parameter << " " << c.which;
    EXPECT_EQ(count, c.count) << c.parameter << " " << c.which;
  }
}

TEST_F(TrackingRecord, TextsFollowLanguagePartAndFeedback) {
  const struct {
    int language, part;
    uint32_t feedback;
    const char *task, *partText, *parameters, *feedbackText;
  } cases[] = {
      {0, 0, 0, "Tracking", "LEFT hand", "Tracking: parameters", "No feedback"},
      {1, 1, 2, "Tracking", "RIGHT hand", "Tracking: parameters", "turns red"},
      {2, 1, 1, "Spoor volgen", "RECHTERhand", "Spoor volgen: parameters", "Geluid"},
      {3, 0, 2, "Tracciamento", "mano SINISTRA", "Tracciamento: parametri", "diventa rosso"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.language) + " " + std::to_string(c.part));
    m_t.m_task.w.TaskFbk = c.feedback;
    m_t.m_host.language = c.language;
    m_t.m_task.currentPart = c.part;
    ASSERT_TRUE(m_t.m_task.PrepareRun(m_t.m_runData.get()));
    EXPECT_TRUE(m_t.TextHas(0, c.task));
    EXPECT_TRUE(m_t.TextHas(1, c.partText));
    EXPECT_TRUE(m_t.TextHas(2, c.parameters));
    EXPECT_TRUE(m_t.TextHas(3, c.feedbackText));
  }
}

TEST_F(TrackingRecord, APartOtherThanTheTwoHandsDoesNotRun) {
  ASSERT_TRUE(m_t.Setup(0));
  m_t.m_task.currentPart = 2;
  EXPECT_FALSE(m_t.m_task.RunWholeTask(m_t.m_runData.get()));
  EXPECT_FALSE(m_t.m_task.RunSignals(m_t.m_runData.get()));
}

}  // namespace

}  // namespace test

}  // namespace qel
