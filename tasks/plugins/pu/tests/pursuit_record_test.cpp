// What Pursuit publishes: its default model task, the words of a run in the
// library record, the parameter texts, the texts by language, part and
// feedback type, and the preview of the editors.
#include <gtest/gtest.h>

#include <string>

#include "include/qel/TaskEntry.h"
#include "tasks/layers/mouse/tests/support/LoadedMouseTask.h"

namespace qel {

namespace test {

namespace {

class PursuitRecord : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_t.Loaded()); }

  LoadedMouseTask m_t{"PU"};
};

TEST_F(PursuitRecord, TheDefaultModelTask) {
  const QelModelTask& d = *m_t.m_library.modelDefault;
  EXPECT_EQ(d.TaskId, 29u);
  EXPECT_STREQ(d.TaskIdStr, "PU");
  EXPECT_STREQ(d.TaskName, "Pursuit");
  EXPECT_EQ(d.w.TaskFlags, 0x3B000u);
  EXPECT_EQ(d.w.TaskFlags & kTaskFlagSelfTimed, kTaskFlagSelfTimed);
  EXPECT_EQ(d.w.TaskIntrContinue, 2u);
  EXPECT_EQ(d.w.TaskSSS, 100u);
  EXPECT_EQ(d.w.TaskSDType, 3u);
  EXPECT_EQ(d.w.TaskControl, 1u);
  EXPECT_EQ(d.w.TaskIntType, 1u);
  EXPECT_EQ(d.w.TaskIntLow, 100u);
  EXPECT_EQ(d.w.TaskIntHigh, 100u);
  EXPECT_EQ(d.TaskPartTrials[0], 60u);
  EXPECT_EQ(d.TaskPartTrials[1], 60u);
  EXPECT_EQ(d.TaskParam[0], 0x1220001u);
  EXPECT_EQ(d.TaskParam[1], 1u);
  EXPECT_EQ(d.TaskParam[2], 3u);
  EXPECT_EQ(d.TaskParam[3], 12u);
  EXPECT_EQ(m_t.m_library.scoreVariableCount, 1232u);
  EXPECT_EQ(m_t.m_library.normVariableCount, 15u);
  EXPECT_EQ(m_t.m_library.captionCount, 13);
  EXPECT_EQ(m_t.m_library.captionCount2, 10);
  EXPECT_STREQ(m_t.m_library.partNames[1], "Right hand");
}

TEST_F(PursuitRecord, ARunPublishesItsSampleCountsAndNormWindow) {
  m_t.m_task.TaskPartTrials[0] = 700;
  ASSERT_TRUE(m_t.Setup(0));
  const CTaskLibrary& r = m_t.m_library;
  EXPECT_EQ(r.practiceTrialCount, 150u);
  EXPECT_EQ(r.testTrialCount, 6000u) << "700 s are cut to 600";
  EXPECT_EQ(r.partWordsA[0], 6000);
  EXPECT_EQ(r.partWordsA[1], 600);
  EXPECT_EQ(r.partWordsB[0], 150);
  EXPECT_EQ(r.normTrialCounts[0], 60);
  EXPECT_EQ(r.normTrialCounts[1], 60);
  EXPECT_EQ(r.normTrialCounts[2], -1);
  EXPECT_EQ(m_t.m_task.GetThirdPartTableEntry(false, 2), 60);
  EXPECT_EQ(m_t.m_task.GetThirdPartTableEntry(true, 2), -1) << "none in a practice run";
}

TEST_F(PursuitRecord, ParameterTexts) {
  m_t.m_task.TaskParam[0] = 0x1220002;
  m_t.m_task.TaskParam[1] = 0;
  m_t.m_task.TaskParam[2] = 5;
  ASSERT_TRUE(m_t.Setup(0));
  struct {
    int parameter, which;
    const char* text;
    int32_t count;
  } cases[] = {
      {0, 0, "", 3},    {1, 0, "Mouse sensitivity", 3}, {1, 1, "Positive", 3}, {2, 0, "Moving speed", 3},
      {2, 1, "Low", 3}, {3, 0, "Track smoothing", 6},   {3, 1, "6", 6},        {4, 0, "", 0},
  };
  for (const auto& c : cases) {
    int32_t count = 0;
    EXPECT_EQ(m_t.ParamText(c.parameter, c.which, &count), c.text) << c.parameter << " " << c.which;
    EXPECT_EQ(count, c.count) << c.parameter << " " << c.which;
  }
}

TEST_F(PursuitRecord, TextsFollowLanguagePartAndFeedback) {
  struct {
    int language, part;
    uint32_t feedback;
    const char *task, *partText, *parameters, *feedbackText;
  } cases[] = {
      {0, 0, 0, "Pursuit", "LEFT hand", "Pursuit: parameters", "No feedback"},
      {1, 1, 1, "Pursuit", "RIGHT hand", "Pursuit: parameters", "Sound feedback"},
      {2, 0, 2, "Achtervolgen", "LINKERhand", "Achtervolgen: parameters", "de aanwijzer wordt rood"},
      {3, 1, 0, "Inseguimento", "mano DESTRA", "Inseguimento: parametri", "Nessun feedback"},
      {3, 0, 2, "Inseguimento", "mano SINISTRA", "Inseguimento: parametri", "diventa rosso"},
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
  m_t.m_task.w.TaskFbk = 3;
  ASSERT_TRUE(m_t.Setup(0));
  EXPECT_TRUE(m_t.m_library.texts[3].empty()) << "no text for another feedback type";
}

TEST_F(PursuitRecord, ThePreviewShowsTheTargetInTheCentre) {
  ASSERT_TRUE(
      m_t.m_library.CallTaskEntry(kCmdDrawToSurface, 0, reinterpret_cast<intptr_t>(&m_t.m_display), 0, nullptr));
  const Frame& f = m_t.m_display.Shown();
  ASSERT_EQ(f.lines.size(), 0u) << "drawn on the off-screen surface, then shown";
  EXPECT_EQ(m_t.m_display.FrontPixel(320, 240), 0x00FF00u);
  EXPECT_EQ(m_t.m_display.FrontPixel(323, 240), 0x00FF00u);
}

}  // namespace

}  // namespace test

}  // namespace qel
