// Sustained Attention Dots as the program loads it: the frame and dot sizes
// on screens of several heights, what each code shows and whether it is a
// target, the categories of fewer and more dots, the trial lists, and the
// per-series rows bounded by the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "include/qel/TaskEntry.h"
#include "tasks/tests/support/LoadedTask.h"
#include "tasks/tests/support/RunExpectations.h"

namespace qel {

namespace {

using test::LoadedTask;
using test::StoredTrial;

constexpr COLORREF kGrey = 0x7F7F7F;

// The dots drawn since the calls were cleared: grey squares of the side.
int DotsDrawn(const MemoryDC& dc, int side) {
  const std::string tail = " " + std::to_string(side) + " " + std::to_string(side) + " " + std::to_string(kGrey);
  return static_cast<int>(std::count_if(dc.Calls().begin(), dc.Calls().end(), [&](const std::string& call) {
    return call.rfind("FillSolidRect ", 0) == 0 && call.size() > tail.size() &&
           call.compare(call.size() - tail.size(), tail.size(), tail) == 0;
  }));
}

bool Show(LoadedTask& t, const char* code) {
  t.Judge(code);
  return t.ShowSignal(code);
}

// The frame F = centre y x 5 x scale x 0.114 (truncated), the dot unit
// F / 18, dots of max(2, unit / 2) pixels, the frame's half side F / 2 +
// unit: drawn as a square of 2h + 1 pixels at the centre.
TEST(DotsScreen, FrameAndDotsFollowTheScreenHeight) {
  struct Case {
    int width, height, scale;
    int frame, unit, side, half;
  };
  for (const Case& c : {Case{640, 480, 100, 136, 7, 3, 75}, Case{800, 600, 100, 171, 9, 4, 94},
                        Case{640, 480, 150, 205, 11, 5, 113}, Case{1024, 768, 100, 218, 12, 6, 121}}) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " at " << c.scale << " %");
    LoadedTask t("SAD", c.width, c.height);
    ASSERT_TRUE(t.Loaded());
    t.m_task.w.TaskSSS = static_cast<uint32_t>(c.scale);
    ASSERT_TRUE(t.Setup(1, 0));
    ASSERT_TRUE(t.BeginRun());
    const int x = c.width / 2, y = c.height / 2, h = c.half;
    MemoryDC& back = t.m_display.Surface(kSurfaceBack);
    const std::string frame = "Rectangle " + std::to_string(x - h) + " " + std::to_string(y - h) + " " +
                              std::to_string(x + h + 1) + " " + std::to_string(y + h + 1);
    EXPECT_TRUE(back.Logged(frame)) << "the empty frame when the part starts: " << frame;
    EXPECT_TRUE(back.Logged("SetPen " + std::to_string(kGrey) + " 1"));
    back.ClearCalls();
    ASSERT_TRUE(Show(t, "m"));
    EXPECT_TRUE(back.Logged(frame));
    EXPECT_EQ(DotsDrawn(back, c.side), 4);
    // Every dot stands inside the frame, at most 4 / 9 of F from the centre.
    for (const std::string& call : back.Calls()) {
      int dx = 0, dy = 0, w = 0, hh = 0;
      unsigned colour = 0;
      if (std::sscanf(call.c_str(), "FillSolidRect %d %d %d %d %u", &dx, &dy, &w, &hh, &colour) != 5) continue;
      if (colour != kGrey) continue;
      EXPECT_LE(std::abs(dx - x), c.frame * 4 / 9);
      EXPECT_LE(std::abs(dy - y), c.frame * 4 / 9);
    }
  }
}

// What a code shows and whether it is a target, by dot set and balance.
TEST(DotsCodes, DotsAndTargetsByDotSetAndBalance) {
  struct Case {
    uint32_t dotSet, balance;
    const char* code;
    int dots;
    bool target;
  };
  const Case cases[] = {
      // 3-4-5, balance by presentation: 'h' and 'l' are non-targets.
      {0, 0, "H", 5, false},
      {0, 0, "h", 5, false},
      {0, 0, "m", 4, true},
      {0, 0, "l", 3, false},
      {0, 0, "L", 3, false},
      // 3-4-5, balance by response: 'h', 'm' and 'l' are targets of 4 dots.
      {0, 1, "H", 5, false},
      {0, 1, "h", 4, true},
      {0, 1, "m", 4, true},
      {0, 1, "l", 4, true},
      {0, 1, "L", 3, false},
      // 4-5-6: the target is 5 dots.
      {1, 0, "H", 6, false},
      {1, 0, "h", 6, false},
      {1, 0, "m", 5, true},
      {1, 0, "l", 4, false},
      {1, 1, "h", 5, true},
      {1, 1, "l", 5, true},
      {1, 1, "L", 4, false},
      // Another character shows nothing and is no target.
      {0, 0, "x", 0, false},
      {1, 1, "5", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "set " << c.dotSet << ", balance " << c.balance << ", code " << c.code);
    LoadedTask t("SAD");
    ASSERT_TRUE(t.Loaded());
    t.m_task.TaskParam[1] = c.dotSet;
    t.m_task.TaskParam[2] = c.balance;
    ASSERT_TRUE(t.Setup(1, 0));
    ASSERT_TRUE(t.BeginRun());
    EXPECT_EQ(t.Judge(c.code), c.target);
    EXPECT_EQ(t.Value(kCmdCorrectResponse, 0), c.target ? t.m_host.rightCode : t.m_host.leftCode);
    MemoryDC& back = t.m_display.Surface(kSurfaceBack);
    back.ClearCalls();
    ASSERT_TRUE(Show(t, c.code));
    EXPECT_EQ(DotsDrawn(back, 3), c.dots);
  }
  LoadedTask t("SAD");
  ASSERT_TRUE(t.Setup(1, 0));
  EXPECT_TRUE(t.Judge("")) << "an empty code counts as a target";
}

// The engine's correct rejections and false alarms become the task's own
// categories by fewer and more dots; other categories stay as they are.
TEST(DotsCategories, FewerAndMoreDots) {
  struct Case {
    const char* code;
    int32_t category;
    int32_t final;
  };
  const Case cases[] = {
      {"L", kCatCorrectRejection, 10},   {"l", kCatCorrectRejection, 10}, {"H", kCatCorrectRejection, 11},
      {"h", kCatCorrectRejection, 11},   {"L", kCatFalseAlarm, 12},       {"H", kCatFalseAlarm, 13},
      {"m", kCatHit, kCatHit},           {"m", kCatMiss, kCatMiss},       {"L", kCatAnticipation, kCatAnticipation},
      {"H", kCatOmission, kCatOmission}, {"x", kCatCorrectRejection, 10},
  };
  LoadedTask t("SAD");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  for (const Case& c : cases) {
    EXPECT_EQ(t.Classify(c.code, c.category), c.final) << c.code << " " << c.category;
  }
  EXPECT_EQ(t.m_library.GetCodeName(10), "LOCR");
  EXPECT_EQ(t.m_library.GetCodeName(11), "HICR");
  EXPECT_EQ(t.m_library.GetCodeName(12), "LOFA");
  EXPECT_EQ(t.m_library.GetCodeName(13), "HIFA");
  EXPECT_EQ(t.m_library.GetCodeName(14), "14");
}

// The lists the run takes: the test list (300 codes, 600 trials by default)
// and the practice list in blocks of 12 with 4 'm', 3 'L', 3 'H', 1 'l',
// 1 'h'; a test part begins with the six codes of the second list.
TEST(DotsLists, BlocksOfTwelveAndTheSecondList) {
  for (const bool practice : {false, true}) {
    SCOPED_TRACE(practice ? "practice" : "test");
    LoadedTask t("SAD");
    ASSERT_TRUE(t.Loaded());
    ASSERT_TRUE(t.Setup(1, 0, practice));
    ASSERT_EQ(t.m_host.trialCount, practice ? 24u : 600u);
    EXPECT_EQ(t.m_library.seriesLength, 12u);
    EXPECT_EQ(t.m_library.partWordsA[0], 300);
    EXPECT_EQ(t.m_library.partWordsB[0], 24);
    EXPECT_EQ(t.m_library.normTrialCounts[0], 600);
    EXPECT_EQ(t.m_library.runText, "m");
    for (uint32_t block = 0; block < t.m_host.trialCount / 12; ++block) {
      std::string codes;
      for (uint32_t i = 0; i < 12; ++i) codes += t.m_host.trialList[block * 12 + i];
      ASSERT_EQ(codes.size(), 12u) << "one character per code";
      EXPECT_EQ(std::count(codes.begin(), codes.end(), 'm'), 4) << codes;
      EXPECT_EQ(std::count(codes.begin(), codes.end(), 'L'), 3) << codes;
      EXPECT_EQ(std::count(codes.begin(), codes.end(), 'H'), 3) << codes;
      EXPECT_EQ(std::count(codes.begin(), codes.end(), 'l'), 1) << codes;
      EXPECT_EQ(std::count(codes.begin(), codes.end(), 'h'), 1) << codes;
    }
    if (!practice) {
      EXPECT_STREQ(t.m_host.trialList[300], t.m_host.trialList[0]) << "the 300 codes again";
      EXPECT_STREQ(t.m_host.trialList[0], "L");
      EXPECT_STREQ(t.m_host.trialList[299], "h");
    }
    ASSERT_EQ(t.m_host.secondCount, 6u);
    std::string second;
    for (uint32_t i = 0; i < 6; ++i) second += t.m_host.secondList[i];
    EXPECT_EQ(second, "LmHmLh");
  }
}

// A part of 1500 trials holds 125 series; the table has rows for 100. The
// rows of the first 100 are written, nothing after the table, and the
// series mean and SD take all 125.
TEST(DotsVariables, SeriesRowsStopAtTheTable) {
  LoadedTask t("SAD");
  ASSERT_TRUE(t.Loaded());
  t.m_task.TaskPartTrials[0] = 1500;
  ASSERT_TRUE(t.Setup(1, 0));
  std::vector<StoredTrial> trials;
  for (int i = 0; i < 1500; ++i) {
    // Series 101..125 take 600 ms a response, the others 500 ms.
    const int32_t rt = i / 12 >= 100 ? 600 : 500;
    trials.push_back(i % 3 == 0 ? StoredTrial{kCatHit, kCatHit, rt} : StoredTrial{kCatCorrectRejection, 10, rt});
  }
  test::StoreTrials(t, 0, trials);
  EXPECT_EQ(test::ComputeVariables(t, false, nullptr), 748) << "the index after the last row of the table";
  EXPECT_EQ(t.m_runData->resultWord, 125);
  test::ExpectValues(t, {{"Ntrl_sd", 1500},
                         {"Nser_sd", 125},
                         {"Tser_sd", (100 * 6.0 + 25 * 7.2) / 125},
                         {"T001_sd", 6.0},
                         {"Nh001_sd", 4},
                         {"Ncl001_sd", 8},
                         {"T100_sd", 6.0},
                         {"Nfh100_sd", 0},
                         {"ZTser_sd", kNoValue}});
  for (int i = 748; i < kMaxVariables; ++i) {
    double value = 0.0;
    EXPECT_FALSE(t.m_runData->GetValue(i, &value)) << "row " << i << " lies beyond the table";
  }
}

// Command 29 before the part has trials, or without a run context.
TEST(DotsVariables, RefusedWithoutTrialsOrContext) {
  LoadedTask t("SAD");
  ASSERT_TRUE(t.Loaded());
  EXPECT_EQ(test::ComputeVariables(t, false, nullptr), -1) << "no run context";
  ASSERT_TRUE(t.Setup(1, 0));
  EXPECT_EQ(test::ComputeVariables(t, false, nullptr), -1) << "no stored trials";
}

}  // namespace

}  // namespace qel
