// Sustained Attention Objects 2 keys as the program loads it: the target
// animal by version and number of keys, the house with its animal, the
// window rotation after anticipations and omissions, the warning and
// feedback squares, the preview, the trial lists, and the complete series
// of a stopped run and per-series rows bounded by the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "include/qel/TaskEntry.h"
#include "tasks/tests/support/LoadedTask.h"
#include "tasks/tests/support/RunExpectations.h"

namespace qel {

namespace {

using test::LoadedTask;
using test::StoredTrial;

// Top-left corners of the four windows around the centre of a 640 x 480 screen.
constexpr int kWindows[4][2] = {{272, 150}, {112, 310}, {432, 310}, {272, 310}};

std::string AnimalAt(int window) {
  return "BitBlt " + std::to_string(kWindows[window][0]) + " " + std::to_string(kWindows[window][1]) + " 96 100";
}

// The target animal: bee, bird, butterfly with two keys; cat, snail, fish
// with one; the correct key names the right key for a target.
TEST(ObjectsJudging, TargetAnimalByVersionAndKeys) {
  struct Case {
    uint32_t version;
    uint32_t keys;
    const char* target;
    const char* other;
  };
  for (const Case& c : {Case{1, 2, "52", "42"}, Case{2, 2, "63", "53"}, Case{3, 2, "41", "61"}, Case{1, 1, "12", "52"},
                        Case{2, 1, "33", "13"}, Case{3, 1, "21", "11"}}) {
    SCOPED_TRACE(testing::Message() << "version " << c.version << ", " << c.keys << " key(s)");
    LoadedTask t("SAO2");
    ASSERT_TRUE(t.Loaded());
    t.m_task.w.TaskType = c.keys;
    ASSERT_TRUE(t.Setup(c.version, 0));
    EXPECT_EQ(t.m_library.runText, std::string(1, c.target[0]));
    EXPECT_TRUE(t.Judge(c.target));
    EXPECT_EQ(t.Value(kCmdCorrectResponse, 0), t.m_host.rightCode);
    EXPECT_FALSE(t.Judge(c.other));
    EXPECT_EQ(t.Value(kCmdCorrectResponse, 0), t.m_host.leftCode);
    EXPECT_FALSE(t.Judge(""));
  }
}

// The animal of a code shows 1:1 in its window of the house; anticipations
// and omissions move the next one window further each (round the four),
// any other category puts it back.
TEST(ObjectsDrawing, WindowRotationAfterAnticipationsAndOmissions) {
  LoadedTask t("SAO2");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  MemoryDC& back = t.m_display.Surface(kSurfaceBack);
  EXPECT_EQ(std::count(back.Calls().begin(), back.Calls().end(), "Polygon"), 2) << "the empty house: walls and roof";
  struct Step {
    const char* code;
    int shownIn;       // the window the animal shows in
    int32_t category;  // how the trial ends
  };
  const Step steps[] = {
      {"53", 2, kCatAnticipation},     {"53", 3, kCatAnticipation}, {"53", 0, kCatHit},      {"21", 0, kCatOmission},
      {"21", 1, kCatCorrectRejection}, {"34", 3, kCatOmission},     {"34", 0, kCatOmission}, {"34", 1, kCatOmission},
      {"34", 2, kCatOmission},         {"34", 3, kCatFalseAlarm},   {"12", 1, kCatMiss},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << s.code << " in window " << s.shownIn);
    back.ClearCalls();
    t.Judge(s.code);
    ASSERT_TRUE(t.ShowSignal(s.code));
    EXPECT_TRUE(back.Logged(AnimalAt(s.shownIn)));
    EXPECT_EQ(std::count_if(back.Calls().begin(), back.Calls().end(),
                            [](const std::string& c) { return c.rfind("BitBlt", 0) == 0; }),
              1);
    EXPECT_EQ(t.Value(kCmdClassifyResponse, s.category, 0), s.category) << "the category is kept";
    back.ClearCalls();
    ASSERT_TRUE(t.Command(kCmdHideSignal, 0));
    EXPECT_FALSE(back.Logged(AnimalAt(s.shownIn))) << "the empty house again";
  }
}

// The warning: a square of 2 x 7 + 1 pixels 40 pixels below the centre;
// visual feedback the same square in the feedback colour, then white.
TEST(ObjectsDrawing, WarningAndFeedbackSquares) {
  LoadedTask t("SAO2");
  ASSERT_TRUE(t.Loaded());
  t.m_task.w.TaskFbk = 2;
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  ASSERT_TRUE(t.Command(kCmdShowWarning));
  EXPECT_TRUE(front.Logged("FillSolidRect 313 273 15 15 16711680"));
  front.ClearCalls();
  ASSERT_TRUE(t.Command(kCmdHideWarning));
  EXPECT_TRUE(front.Calls().empty()) << "the warning stays until the animal comes";
  ASSERT_TRUE(t.Command(kCmdFeedbackOn));
  EXPECT_TRUE(front.Logged("FillSolidRect 313 273 15 15 255"));
  ASSERT_TRUE(t.Command(kCmdFeedbackOff));
  EXPECT_TRUE(front.Logged("FillSolidRect 313 273 15 15 16777215"));
}

// The editor's preview: the house scaled to the second size (the screen
// height), the code's animal stretched into its window.
TEST(ObjectsDrawing, PreviewOfACode) {
  LoadedTask t("SAO2", 640, 480);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Command(kCmdPrepareScreen, reinterpret_cast<intptr_t>(&t.m_display), 0));
  ASSERT_TRUE(t.DrawPreview("62"));
  EXPECT_TRUE(t.m_display.Surface(0).Logged("StretchBlt 112 310 96 100"));
}

// Per version a practice list of 24 and a test list of 240 codes: every
// block of 12 (a series) holds 6 targets, 2 in each of windows 1-3, and
// cat, fish and snail twice each in two windows; no window twice in a row,
// at most four equal answers in a row (round the test list's end too).
TEST(ObjectsLists, BlocksOfTwelve) {
  for (uint32_t version = 1; version <= 3; ++version) {
    for (const bool practice : {false, true}) {
      SCOPED_TRACE(testing::Message() << "version " << version << (practice ? " practice" : " test"));
      LoadedTask t("SAO2");
      ASSERT_TRUE(t.Loaded());
      ASSERT_TRUE(t.Setup(version, 0, practice));
      const uint32_t n = t.m_host.trialCount;
      ASSERT_EQ(n, practice ? 24u : 240u);
      const char target = "564"[version - 1];
      std::map<std::string, int> placed;  // other animal and window over the list
      for (uint32_t block = 0; block < n / 12; ++block) {
        int targets[4] = {}, windows[4] = {};
        std::map<char, std::string> others;
        for (uint32_t i = block * 12; i < block * 12 + 12; ++i) {
          const std::string code = t.m_host.trialList[i];
          ASSERT_EQ(code.size(), 2u);
          ASSERT_TRUE(code[1] >= '1' && code[1] <= '3') << code;
          ++windows[code[1] - '0'];
          if (code[0] == target) {
            ++targets[code[1] - '0'];
          } else {
            ASSERT_TRUE(code[0] >= '1' && code[0] <= '3') << code;
            others[code[0]] += code[1];
            ++placed[code];
          }
        }
        for (int w = 1; w <= 3; ++w) {
          EXPECT_EQ(targets[w], 2) << "block " << block;
          EXPECT_EQ(windows[w], 4) << "block " << block;
        }
        for (char animal : {'1', '2', '3'}) {
          ASSERT_EQ(others[animal].size(), 2u) << "block " << block;
          EXPECT_NE(others[animal][0], others[animal][1]);
        }
      }
      int low = 1 << 30, high = 0;
      for (const auto& [code, count] : placed) {
        low = std::min(low, count);
        high = std::max(high, count);
      }
      EXPECT_EQ(placed.size(), 9u);
      EXPECT_LE(high - low, 1);
      const uint32_t steps = practice ? n - 1 : n;
      int run = 1;
      for (uint32_t i = 0; i < steps; ++i) {
        const char* a = t.m_host.trialList[i];
        const char* b = t.m_host.trialList[(i + 1) % n];
        EXPECT_NE(a[1], b[1]) << "trials " << i << " and " << i + 1 << " in one window";
        run = (a[0] == target) == (b[0] == target) ? run + 1 : 1;
        EXPECT_LE(run, 4) << "at trial " << i + 1;
      }
      std::vector<std::string> second;
      for (uint32_t i = 0; i < t.m_host.secondCount; ++i) second.push_back(t.m_host.secondList[i]);
      EXPECT_EQ(second, (std::vector<std::string>{"52", "41", "42", "63", "51", "63"}));
    }
  }
}

// A run stopped after 30 trials, 24 responses counted in its first 26
// (two anticipations among them): two complete series of 26 trials.
TEST(ObjectsVariables, AStoppedRunCountsItsCompleteSeries) {
  LoadedTask t("SAO2");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  std::vector<StoredTrial> trials;
  for (int i = 0; i < 30; ++i) {
    if (i == 5 || i == 6) {
      trials.push_back({kCatAnticipation, kCatAnticipation, 0});
    } else {
      trials.push_back(i % 2 ? StoredTrial{kCatHit, kCatHit, 400} : StoredTrial{kCatCorrectRejection, 2, 500});
    }
  }
  test::StoreTrials(t, 0, trials);
  EXPECT_EQ(test::ComputeVariables(t, false, &test::kTestee), 37 + 5 * 2);
  EXPECT_EQ(t.m_runData->resultWord, 2);
  test::ExpectValues(t, {{"Ntrl_s2", 26},
                         {"Nser_s2", 2},
                         {"Np_s2", 2},
                         {"Nh_s2", 12},
                         {"Nc_s2", 12},
                         {"T01_s2", 5.4},
                         {"T02_s2", 5.4},
                         {"T03_s2", kNoValue},
                         {"ZTser_s2", kNoValue},  // 2 series, the norms need 20
                         {"Zh_s2", kNoValue}});   // 26 trials, the norms rest on 240
}

// A part of 600 trials holds 50 series; the table has rows for 40: those
// are written, nothing after the table.
TEST(ObjectsVariables, SeriesRowsStopAtTheTable) {
  LoadedTask t("SAO2");
  ASSERT_TRUE(t.Loaded());
  t.m_task.TaskPartTrials[0] = 600;
  ASSERT_TRUE(t.Setup(1, 0));
  std::vector<StoredTrial> trials;
  for (int i = 0; i < 600; ++i) {
    trials.push_back(i % 2 ? StoredTrial{kCatHit, kCatHit, 450} : StoredTrial{kCatCorrectRejection, 2, 450});
  }
  test::StoreTrials(t, 0, trials);
  EXPECT_EQ(test::ComputeVariables(t, false, nullptr), 237);
  EXPECT_EQ(t.m_runData->resultWord, 50);
  test::ExpectValues(t, {{"Nser_s2", 50}, {"T40_s2", 5.4}, {"Nf40_s2", 0}, {"Tser_s2", 5.4}, {"Sser_s2", 0}});
  for (int i = 237; i < kMaxVariables; ++i) {
    double value = 0.0;
    EXPECT_FALSE(t.m_runData->GetValue(i, &value)) << "row " << i << " lies beyond the table";
  }
}

}  // namespace

}  // namespace qel
