// Sustained Attention Auditory as the program loads it: targets and false
// alarms by version, the tones of the model's pitches, pitches the host
// cannot play, the notes of warning, feedback and preview, the lists, the
// demonstration, and the series times and rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "include/qel/TaskEntry.h"
#include "tasks/tests/support/LoadedTask.h"
#include "tasks/tests/support/RunExpectations.h"

namespace qel {

namespace {

using test::LoadedTask;
using test::StoredTrial;

// Targets by version ('3' high, '1' low, '2' middle); a false alarm becomes
// the category of its tone; every other category stays.
TEST(AuditoryJudging, TargetsAndFalseAlarmsByVersion) {
  struct Case {
    uint32_t version;
    const char* code;
    bool target;
    int32_t category;
    int32_t final;
  };
  const Case cases[] = {
      {1, "3", true, kCatHit, kCatHit},
      {1, "1", false, kCatFalseAlarm, 10},
      {1, "2", false, kCatFalseAlarm, 11},
      {1, "3", true, kCatMiss, kCatMiss},
      {2, "1", true, kCatHit, kCatHit},
      {2, "3", false, kCatFalseAlarm, 12},
      {2, "2", false, kCatCorrectRejection, kCatCorrectRejection},
      {3, "2", true, kCatHit, kCatHit},
      {3, "1", false, kCatFalseAlarm, 10},
      {3, "3", false, kCatAnticipation, kCatAnticipation},
      {1, "x", false, kCatFalseAlarm, kCatFalseAlarm},
      {2, "", false, kCatCorrectRejection, kCatExcluded},  // no tone: kept out of the scores
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "version " << c.version << ", code '" << c.code << "'");
    LoadedTask t("SAA");
    ASSERT_TRUE(t.Loaded());
    ASSERT_TRUE(t.Setup(c.version, 0));
    EXPECT_EQ(t.Judge(c.code), c.target);
    t.ShowSignal(c.code);
    EXPECT_EQ(t.Value(kCmdClassifyResponse, c.category, 0), c.final);
    EXPECT_EQ(t.m_library.runText, std::string(1, "312"[c.version - 1]));
  }
  LoadedTask t("SAA");
  EXPECT_EQ(t.m_library.GetCodeName(10), "LOFA");
  EXPECT_EQ(t.m_library.GetCodeName(11), "MEFA");
  EXPECT_EQ(t.m_library.GetCodeName(12), "HIFA");
}

// A tone sounds from the signal on to the signal off: the model task's
// pitches for '1', '2', '3' at 22050 Hz on two channels, 100 Hz for any
// other code; an empty code plays nothing and ends the trial.
TEST(AuditoryTones, ThePitchesOfTheModelTask) {
  struct Case {
    uint32_t low, middle, high;
    const char* codes;
    std::vector<int> heard;
  };
  const Case cases[] = {
      {400, 550, 700, "123x", {400, 550, 700, 100}},
      {350, 630, 1050, "3321", {1050, 1050, 630, 350}},
  };
  for (const Case& c : cases) {
    LoadedTask t("SAA");
    ASSERT_TRUE(t.Loaded());
    t.m_task.TaskParam[1] = c.low;
    t.m_task.TaskParam[2] = c.middle;
    t.m_task.TaskParam[3] = c.high;
    ASSERT_TRUE(t.Setup(1, 0));
    ASSERT_TRUE(t.BeginRun());
    for (const char* p = c.codes; *p; ++p) {
      const char code[2] = {*p, '\0'};
      t.Judge(code);
      t.m_host.m_now += 1000;
      ASSERT_TRUE(t.ShowSignal(code));
      EXPECT_TRUE(t.m_host.IsSoundPlaying()) << "looping while the signal is on";
      t.m_host.m_now += 100;
      ASSERT_TRUE(t.Command(kCmdHideSignal, 0));
      EXPECT_FALSE(t.m_host.IsSoundPlaying());
    }
    std::vector<int> heard;
    for (const auto& tone : t.m_host.m_tones) {
      heard.push_back(tone.frequency);
      EXPECT_EQ(tone.stop - tone.start, 100u);
    }
    EXPECT_EQ(heard, c.heard);
    EXPECT_TRUE(t.m_host.Called("MakeTone " + std::to_string(c.high) + " 22050 2"));
    EXPECT_TRUE(t.m_host.Called("PlaySound 1"));
    EXPECT_FALSE(t.ShowSignal(""));
  }
}

// The host makes tones of 100 to 5512 Hz at 22050 Hz: a model task with
// another pitch does not start, so no trial is ever silent.
TEST(AuditoryTones, PitchesTheHostCannotPlayRefuseTheRun) {
  struct Case {
    uint32_t low, middle, high;
    bool runs;
  };
  for (const Case& c : {Case{400, 550, 700, true}, Case{100, 2000, 5512, true}, Case{99, 550, 700, false},
                        Case{400, 5513, 700, false}, Case{400, 550, 0, false}, Case{400, 550, 4000000000u, false}}) {
    SCOPED_TRACE(testing::Message() << c.low << " " << c.middle << " " << c.high);
    LoadedTask t("SAA");
    ASSERT_TRUE(t.Loaded());
    t.m_task.TaskParam[1] = c.low;
    t.m_task.TaskParam[2] = c.middle;
    t.m_task.TaskParam[3] = c.high;
    EXPECT_EQ(t.Setup(1, 0), c.runs);
    EXPECT_EQ(t.m_host.trialCount, c.runs ? 360u : 0u);
  }
}

// The note of the warning and of the visual feedback on the front surface,
// and of the preview: second size f = 38 at 480 lines; head 2 x 7 wide and
// 2 x 6 high; pen and stem by kind (low 3 and 4, middle 2 and 6, high 1 and 8).
TEST(AuditoryNotes, WarningFeedbackAndPreview) {
  LoadedTask t("SAA");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  front.ClearCalls();
  ASSERT_TRUE(t.Command(kCmdShowWarning));
  for (const char* call : {"SetPen 16777215 2", "SetBrush 16777215", "Ellipse 313 234 327 246", "MoveTo 327 240",
                           "LineTo 327 202", "LineTo 334 221"}) {
    EXPECT_TRUE(front.Logged(call)) << call;
  }
  front.ClearCalls();
  ASSERT_TRUE(t.Command(kCmdFeedbackOn));
  EXPECT_TRUE(front.Logged("SetBrush 255")) << "a red note";
  EXPECT_TRUE(front.Logged("Ellipse 313 234 327 246"));
  ASSERT_TRUE(t.Command(kCmdFeedbackOff));
  EXPECT_TRUE(front.Logged("SetBrush 0")) << "erased in the background colour";

  struct Kind {
    const char* code;
    const char* pen;
    const char* stem;
    const char* flag;
  };
  for (const Kind& k : {Kind{"1", "SetPen 16777215 3", "LineTo 327 215", "LineTo 334 228"},
                        Kind{"2", "SetPen 16777215 2", "LineTo 327 202", "LineTo 334 221"},
                        Kind{"3", "SetPen 16777215 1", "LineTo 327 190", "LineTo 334 215"}}) {
    MemoryDC& surface = t.m_display.Surface(0);
    surface.ClearCalls();
    ASSERT_TRUE(t.DrawPreview(k.code));
    EXPECT_TRUE(surface.Logged(k.pen)) << k.code;
    EXPECT_TRUE(surface.Logged(k.stem)) << k.code;
    EXPECT_TRUE(surface.Logged(k.flag)) << k.code;
  }
}

// Per version a practice list of 36 and a test list of 360 codes in blocks
// of 36 with twelve of each tone; a test part begins with the second list.
TEST(AuditoryLists, BlocksOfThirtySixAndTheSecondList) {
  for (uint32_t version = 1; version <= 3; ++version) {
    for (const bool practice : {false, true}) {
      SCOPED_TRACE(testing::Message() << "version " << version << (practice ? " practice" : " test"));
      LoadedTask t("SAA");
      ASSERT_TRUE(t.Loaded());
      ASSERT_TRUE(t.Setup(version, 0, practice));
      ASSERT_EQ(t.m_host.trialCount, practice ? 36u : 360u);
      EXPECT_EQ(t.m_library.seriesLength, 36u);
      EXPECT_EQ(t.m_library.partWordsA[0], 360);
      EXPECT_EQ(t.m_library.partWordsB[0], 36);
      EXPECT_EQ(t.m_library.normTrialCounts[0], 360);
      for (uint32_t block = 0; block < t.m_host.trialCount / 36; ++block) {
        std::string codes;
        for (uint32_t i = 0; i < 36; ++i) codes += t.m_host.trialList[block * 36 + i];
        ASSERT_EQ(codes.size(), 36u);
        for (char tone : {'1', '2', '3'}) EXPECT_EQ(std::count(codes.begin(), codes.end(), tone), 12) << codes;
      }
      std::string second;
      for (uint32_t i = 0; i < t.m_host.secondCount; ++i) second += t.m_host.secondList[i];
      EXPECT_EQ(second, "123312");
    }
  }
}

// The demonstration: after the warning note the three tones three times
// (low, middle, high), then after a second note the target tone three
// times; each as long as the signal, then 500 ms of silence.
TEST(AuditoryDemonstration, NineTonesThenTheTarget) {
  LoadedTask t("SAA");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(2, 0, true));
  ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
  std::vector<int> heard;
  for (const auto& tone : t.m_host.m_tones) {
    heard.push_back(tone.frequency);
    EXPECT_EQ(tone.stop - tone.start, 100u);
  }
  EXPECT_EQ(heard, (std::vector<int>{400, 550, 700, 400, 550, 700, 400, 550, 700, 400, 400, 400}));
  ASSERT_GE(t.m_host.m_tones.size(), 2u);
  EXPECT_EQ(t.m_host.m_tones[1].start - t.m_host.m_tones[0].stop, 500u);
  EXPECT_FALSE(t.m_host.IsSoundPlaying());
}

// A series' time is the sum of its hit reaction times scaled to 12 hits:
// 10 hits of 400 ms give 4.8 s; a series without hits gives 0.
TEST(AuditoryVariables, SeriesTimeOfTwelveHits) {
  LoadedTask t("SAA");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  std::vector<StoredTrial> trials;
  for (int i = 0; i < 36; ++i) {
    if (i < 10) trials.push_back({kCatHit, kCatHit, 400});
    else if (i < 12) trials.push_back({kCatMiss, kCatMiss, 0});
    else trials.push_back({kCatCorrectRejection, kCatCorrectRejection, 0});
  }
  for (int i = 0; i < 36; ++i) {
    trials.push_back(i < 12 ? StoredTrial{kCatMiss, kCatMiss, 0} : StoredTrial{kCatFalseAlarm, 11, 300});
  }
  test::StoreTrials(t, 0, trials);
  EXPECT_EQ(test::ComputeVariables(t, false, nullptr), 29 + 6 * 2);
  test::ExpectValues(t, {{"Nser_st", 2},
                         {"T01_st", 4.8},
                         {"Nh01_st", 10},
                         {"Nm01_st", 2},
                         {"T02_st", 0},
                         {"Nh02_st", 0},
                         {"Nm02_st", 12},
                         {"Nfm02_st", 24},
                         {"Tser_st", 2.4},
                         {"Nfm_st", 24},
                         {"Tfm_st", 300}});
}

// A part of 1000 trials holds 27 series; the table has rows for 20: those
// are written, nothing after the table.
TEST(AuditoryVariables, SeriesRowsStopAtTheTable) {
  LoadedTask t("SAA");
  ASSERT_TRUE(t.Loaded());
  t.m_task.TaskPartTrials[0] = 1000;
  ASSERT_TRUE(t.Setup(1, 0));
  std::vector<StoredTrial> trials;
  for (int i = 0; i < 1000; ++i) {
    trials.push_back(i % 3 == 0 ? StoredTrial{kCatHit, kCatHit, 500} : StoredTrial{kCatCorrectRejection, 2, 0});
  }
  test::StoreTrials(t, 0, trials);
  EXPECT_EQ(test::ComputeVariables(t, false, nullptr), 149);
  EXPECT_EQ(t.m_runData->resultWord, 27);
  test::ExpectValues(t, {{"Nser_st", 27}, {"Ntrl_st", 27 * 36}, {"T20_st", 6.0}, {"Nfh20_st", 0}, {"Tser_st", 6.0}});
  for (int i = 149; i < kMaxVariables; ++i) {
    double value = 0.0;
    EXPECT_FALSE(t.m_runData->GetValue(i, &value)) << "row " << i << " lies beyond the table";
  }
}

}  // namespace

}  // namespace qel
