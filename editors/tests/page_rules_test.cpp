// The rules of the General, Feedback, Trials and Variables pages: which
// word or bit each edit reaches, as tables of cases.
#include <gtest/gtest.h>

#include "app/model/ExpModelTask.h"
#include "editors/FeedbackRules.h"
#include "editors/GeneralPageRules.h"
#include "editors/TrialsRules.h"
#include "editors/VariablesRows.h"
#include "tests/support/fakes/FakeTaskLibrary.h"

namespace qel {

namespace {

TEST(GeneralPage, TypeAndKeysTexts) {
  struct Case {
    uint32_t type, flags;
    const char* typeText;
    const char* keys;
    bool spaceBar;
  } cases[] = {
      {0, 0, "-", "-", false},
      {1, 0, "1 key", "Both key buttons are equivalent", true},
      {1, 0x40, "1 key (voice)", "Both key buttons are equivalent", false},
      {2, 0x100, "2 keys", "Exchange left/right keys", false},
      {2, 0x400, "2 keys, always responsed", "Initial keys mapping", false},
      {0x30001, 0x440, "1 key (voice), always responsed", "Both key buttons are equivalent", false},
      {5, 0, "?", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WorkingKeysText(c.type, c.flags), c.typeText);
    EXPECT_EQ(KeysMappingWords(c.type, c.flags), c.keys);
    EXPECT_EQ(OffersSpaceBar(c.type, c.flags), c.spaceBar) << c.typeText;
  }
}

TEST(GeneralPage, ThresholdAndBits) {
  EXPECT_EQ(ShownThreshold(0x010A0064), 10);
  EXPECT_EQ(ShownThreshold(0x00050064), 10);
  EXPECT_EQ(ShownThreshold(0x00FF0000), 90);
  EXPECT_EQ(ShownThreshold(0x00370000), 55);
  // Moving the threshold keeps the scale word and the voice-key bit.
  CExpModelTask task;
  task.w.TaskSSS = 0x010A0064;
  task.SetVoiceKeyThreshold(40);
  EXPECT_EQ(task.w.TaskSSS, 0x01280064u);
  SetSssBit(task.w, kSssKeyboardResponses, true);
  EXPECT_EQ(task.w.TaskSSS, 0x03280064u);
  SetSssBit(task.w, kSssVoiceKeyOption, false);
  EXPECT_EQ(task.w.TaskSSS, 0x02280064u);
}

TEST(GeneralPage, ThresholdSliderMoves) {
  struct Case {
    int code, position, threshold;
    bool taken;
  } cases[] = {
      {kScrollLineUp, 5, 10, false},  {kScrollLineUp, 20, 30, true},   {kScrollLineDown, 95, 90, false},
      {kScrollLineDown, 40, 30, true}, {kScrollThumbTrack, 5, 10, false}, {kScrollThumbTrack, 95, 90, false},
      {kScrollThumbPosition, 50, 40, true}, {kScrollBottom, 90, 80, true}, {8, 50, 40, false},
  };
  for (const Case& c : cases) EXPECT_EQ(ThresholdMoveTaken(c.code, c.position, c.threshold), c.taken) << c.code;
}

TEST(GeneralPage, VersionStepAndLevels) {
  EXPECT_EQ(SteppedVersion(1, -1, 3), 2u);
  EXPECT_EQ(SteppedVersion(3, -1, 3), 3u);
  EXPECT_EQ(SteppedVersion(3, 1, 3), 2u);
  EXPECT_EQ(SteppedVersion(1, 1, 3), 1u);
  EXPECT_EQ(SteppedVersion(1, -1, 1), 1u);
  EXPECT_EQ(SteppedVersion(2, 0, 3), 2u);
  EXPECT_EQ(LevelPercent(32767), 100);
  EXPECT_EQ(LevelPercent(16383), 49);
  EXPECT_EQ(LevelPercent(0), 0);
}

TEST(FeedbackPage, OptionsOfferedAndStored) {
  struct Case {
    uint32_t flags, fbk;
    std::vector<uint32_t> options;
    int selected;
  } cases[] = {
      {0x20000, 2, {0, 2}, 1},      {0x10000, 1, {0, 1}, 1}, {0x30000, 0x20002, {0, 1, 2}, 2},
      {0x10000, 2, {0, 1}, -1},     {0, 1, {}, -1},
  };
  for (const Case& c : cases) {
    const FeedbackChoices f = OfferedFeedback(c.flags, c.fbk);
    EXPECT_EQ(f.options, c.options) << c.flags;
    EXPECT_EQ(f.selected, c.selected) << c.flags;
  }
  // "Visual" stores 2 and keeps the sound; sound 4 stores 3 in the high half.
  EXPECT_EQ(WithFeedbackOption(0x00030001, FindFeedbackOption("Visual")), 0x00030002u);
  EXPECT_EQ(WithFeedbackSound(0x00000001, 3), 0x00030001u);
  EXPECT_EQ(FindFeedbackOption("Loud"), -1);
  EXPECT_EQ(FeedbackSoundResource(3), 179);
  EXPECT_EQ(FeedbackSoundResource(0), 181);
  EXPECT_EQ(FeedbackSoundResource(5), 0);
  EXPECT_EQ(FeedbackSoundResource(-1), 0);
  EXPECT_EQ(FeedbackOptionName(3), "?");
}

TEST(TrialsPage, NamesAndScale) {
  EXPECT_EQ(ContinuationName(1), "Dummy trials");
  EXPECT_EQ(ContinuationName(4), "?");
  EXPECT_EQ(ReplacementName(3), "Swap next");
  EXPECT_EQ(ReplacementName(9), "?");
  EXPECT_EQ(ScaleToSlider(20), 30);
  EXPECT_EQ(ScaleToSlider(10), 40);
  EXPECT_EQ(ScaleToSlider(40), 10);
  EXPECT_EQ(ScaleToSlider(0), 40);
  EXPECT_EQ(ShownScaleStep(300), 20);  // 60: out of range
  EXPECT_EQ(ScaleText(300), "300%");
  EXPECT_EQ(ShownScaleStep(0x01320064), 20);
  EXPECT_EQ(ShownScaleStep(150), 30);
  EXPECT_EQ(WithScaleStep(0x01320064, 30), 0x01320096u);
  EXPECT_EQ(TrialCountText(12), "  12 trials");
  struct Move {
    int code, step, newStep;
    bool taken;
  } moves[] = {
      {kScrollLineDown, 40, 41, false}, {kScrollLineDown, 30, 31, true}, {kScrollThumbTrack, 10, 9, false},
      {kScrollThumbTrack, 20, 25, true}, {kScrollLineUp, 10, 9, false},   {kScrollLineUp, 20, 19, true},
      {9, 20, 21, false},
  };
  for (const Move& m : moves) EXPECT_EQ(ScaleMoveTaken(m.code, m.step, m.newStep), m.taken) << m.code;
}

TEST(TrialsPage, Visibility) {
  const TrialsVisibility a = TrialsPageVisibility(2, 0x2012, kContinueReplaceTrial);
  EXPECT_TRUE(a.lists);
  EXPECT_TRUE(a.scale);
  EXPECT_TRUE(a.interruption);
  EXPECT_TRUE(a.afterInterruption);
  EXPECT_TRUE(a.timed);
  const TrialsVisibility b = TrialsPageVisibility(0, 0x801, kContinueDummyTrials);
  EXPECT_FALSE(b.lists);
  EXPECT_FALSE(b.scale);
  EXPECT_FALSE(b.interruption);
  EXPECT_TRUE(b.afterInterruption);
  EXPECT_FALSE(b.timed);
}

// A plug-in with three parts and three allowed-trials rows.
class TrialsStep : public ::testing::Test {
 protected:
  void SetUp() override {
    m_description.codeRowCount = 3;
    m_description.codeRows = kRows;
    m_library.taskDescription = &m_description;
    m_library.partCount = 3;
    m_library.loaded = 1;
    m_library.partWordsA[0] = 20;
    m_library.partWordsA[1] = 40;
    m_task.library = &m_library;
    m_task.TaskId = 5;
  }
  static constexpr uint32_t kRows[3][kMaxParts] = {{10, 20, 30}, {20, 40, 60}, {30, 60, 90}};
  QelTaskDescription m_description{};
  FakeTaskLibrary m_library;
  CExpModelTask m_task;
};

TEST_F(TrialsStep, UpAndDownThroughTheRows) {
  m_task.currentPart = 1;
  m_task.TaskPartTrials[1] = 40;
  uint32_t shown = 0;
  EXPECT_EQ(CurrentTrialsRow(m_task, &shown), 1);
  EXPECT_EQ(shown, 40u);
  EXPECT_TRUE(StepTrials(m_task, 1));
  EXPECT_EQ(m_task.TaskPartTrials[1], 60u);
  EXPECT_FALSE(StepTrials(m_task, 1));
  EXPECT_TRUE(StepTrials(m_task, -1));
  EXPECT_TRUE(StepTrials(m_task, -1));
  EXPECT_EQ(m_task.TaskPartTrials[1], 20u);
  EXPECT_FALSE(StepTrials(m_task, -1));
  EXPECT_FALSE(StepTrials(m_task, 2));
  EXPECT_EQ(m_task.TaskPartTrials[0], 0u);  // only the current part
  EXPECT_EQ(m_task.TaskPartTrials[2], 0u);
}

TEST_F(TrialsStep, UnmatchedTrialsShowZeroAndStepUpToTheFirstRow) {
  m_task.TaskPartTrials[0] = 0;  // falls back to the base count 20
  uint32_t shown = 0;
  EXPECT_EQ(CurrentTrialsRow(m_task, &shown), 1);
  EXPECT_EQ(shown, 20u);
  m_task.TaskPartTrials[0] = 17;
  EXPECT_EQ(CurrentTrialsRow(m_task, &shown), -1);
  EXPECT_EQ(shown, 0u);
  EXPECT_FALSE(StepTrials(m_task, -1));
  EXPECT_TRUE(StepTrials(m_task, 1));
  EXPECT_EQ(m_task.TaskPartTrials[0], 10u);
}

TEST_F(TrialsStep, OneCountForEveryPartOfTheTaskThatKeepsOne) {
  m_task.TaskId = kSameTrialsForAllPartsTask;
  m_task.TaskPartTrials[0] = 10;
  for (int p = 3; p < kMaxParts; ++p) m_task.TaskPartTrials[p] = 7;
  EXPECT_TRUE(StepTrials(m_task, 1));
  EXPECT_EQ(m_task.TaskPartTrials[0], 20u);
  EXPECT_EQ(m_task.TaskPartTrials[1], 20u);
  EXPECT_EQ(m_task.TaskPartTrials[2], 20u);
  // Parts the task does not have are left as they were.
  for (int p = 3; p < kMaxParts; ++p) EXPECT_EQ(m_task.TaskPartTrials[p], 7u) << p;
}

TEST_F(TrialsStep, NothingWithoutAPluginOrBeyondItsParts) {
  m_task.currentPart = 5;
  EXPECT_FALSE(StepTrials(m_task, 1));
  m_task.currentPart = 0;
  m_task.library = nullptr;
  EXPECT_FALSE(StepTrials(m_task, 1));
}

TEST(VariablesPage, FormatAndAttributes) {
  struct Case {
    const char* format;
    const char* shown;
  } formats[] = {{"%.2f", "2"}, {"%.3f", "3"}, {"%d", "%d"}, {"%.1", "%.1"}, {"%5.0f", "0"}, {"", ""}};
  for (const Case& c : formats) EXPECT_EQ(FormatColumnText(c.format), c.shown) << c.format;
  struct Attr {
    uint32_t attr;
    const char* letters;
  } attrs[] = {{0xA5, "LSE"}, {0x1F0, "LFTSB"}, {0x04, "E"}, {0x10, "F"}, {0x03, ""}};
  for (const Attr& a : attrs) EXPECT_EQ(AttributeLetters(a.attr), a.letters) << a.attr;
  EXPECT_EQ(VariableCountText(0), "Variables: 0");
}

TEST(VariablesPage, RowsOfThePlugin) {
  static const TaskVariableDef rows[] = {
      {"Nlu_tp", "<LEFT>", "%.2f", "Taps left", 0x10 | 0x80 | 5 | (3u << kVarColumnShift), 1},
      {"Mrt", nullptr, "%d", "Mean RT", 1, 1},
  };
  FakeTaskLibrary library;
  library.loaded = 1;
  library.scoreVariables = rows;
  library.scoreVariableCount = 2;
  CExpModelTask task;
  EXPECT_TRUE(BuildVariableRows(task).empty());  // unbound
  task.library = &library;
  const std::vector<VariableRow> r = BuildVariableRows(task);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].number, "1");
  EXPECT_EQ(r[0].name, "Nlu_tp");
  EXPECT_EQ(r[0].group, "<LEFT>");
  EXPECT_EQ(r[0].format, "2");
  EXPECT_EQ(r[0].column, "3");
  EXPECT_EQ(r[0].attributes, "FSE");
  EXPECT_EQ(r[0].label, "Taps left");
  EXPECT_EQ(r[1].format, "%d");
  EXPECT_EQ(r[1].column, "");
  EXPECT_EQ(r[1].group, "");
}

}  // namespace

}  // namespace qel
