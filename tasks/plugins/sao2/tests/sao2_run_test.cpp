// Sustained Attention Objects 2 keys end to end: the plug-in of the program
// folder loaded by the program's loader, a part run by the program's trial
// state machine on a virtual clock with a scripted testee who sees the
// animal in its window, then command 29 into the program's run data. The
// values are worked out by hand from the script and the task's lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "tasks/tests/support/LoadedTask.h"
#include "tasks/tests/support/RunExpectations.h"
#include "tasks/tests/support/ScriptedRun.h"

namespace qel {

namespace {

using test::Answer;
using test::LoadedTask;
using test::Norm;
using test::ScriptedRun;

constexpr uint32_t kYes = 2;  // right button: the host's right code
constexpr uint32_t kNo = 1;
constexpr int kWindows[4][2] = {{272, 150}, {112, 310}, {432, 310}, {272, 310}};

// The window (0..3) the animal was drawn in since the calls were cleared;
// -1 when none or more than one.
int AnimalWindow(MemoryDC& back) {
  int found = -1, count = 0;
  for (int w = 0; w < 4; ++w) {
    const std::string call =
        "BitBlt " + std::to_string(kWindows[w][0]) + " " + std::to_string(kWindows[w][1]) + " 96 100";
    if (std::find(back.Calls().begin(), back.Calls().end(), call) != back.Calls().end()) {
      found = w;
      ++count;
    }
  }
  back.ClearCalls();
  return count == 1 ? found : -1;
}

// Version 1 (the bee, '5', is the target), a test run with the defaults: 240
// trials in 20 series of 12, each with 6 bees. The testee answers bees in
// 400 and 500 ms by turns and other animals "no" in 550 ms, and errs three
// times: trial 11 (a snail, "32") "yes" in 620 ms, trials 23 and 26 (bees)
// "no" in 700 ms. After them come a snail and a snail (rejected in 550 ms)
// and a bee (the 12th hit, 500 ms).
TEST(ObjectsRun, TestRunOfVersionOne) {
  LoadedTask t("SAO2");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_EQ(t.m_host.trialCount, 240u);

  int i = 0;
  int hits = 0;
  int wrongWindow = 0;
  const std::map<int, std::pair<std::string, Answer>> errors = {
      {11, {"32", Answer{620, kYes}}}, {23, {"51", Answer{700, kNo}}}, {26, {"52", Answer{700, kNo}}}};
  MemoryDC& back = t.m_display.Surface(kSurfaceBack);
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, false, [&](const std::string& code) {
    const int trial = i++;
    if (code.size() != 2 || AnimalWindow(back) != code[1] - '1') ++wrongWindow;
    if (const auto e = errors.find(trial); e != errors.end()) {
      EXPECT_EQ(code, e->second.first) << "trial " << trial;
      return e->second.second;
    }
    if (code[0] == '5') return Answer{hits++ % 2 == 0 ? 400 : 500, kYes};
    return Answer{550, kNo};
  }));
  EXPECT_EQ(i, 240);
  EXPECT_EQ(wrongWindow, 0) << "every animal in the window of its code";

  const std::map<std::string, Norm> chosen = {
      {"ZTser_s2", {6.5, 0.25}}, {"Zh_s2", {470.0, 40.0}}, {"Zc_s2", {600.0, 25.0}}, {"Zf_s2", {2.0, 3.0}}};
  const std::map<std::string, Norm> norms = test::NormsFor(t, chosen);
  test::AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &test::kTestee, test::kTestDate), 37 + 5 * 20);
  EXPECT_EQ(t.m_runData->resultWord, 20);

  // Series times: 6070 (6 hits, 5 rejections, the false alarm), 6200 and
  // 6300 (5 hits, a miss, 6 rejections), then 17 of 6000 ms.
  const double mean = (6070 + 6200 + 6300 + 17 * 6000) / 20.0;
  const double sd = std::sqrt(
      (std::pow(6070 - mean, 2) + std::pow(6200 - mean, 2) + std::pow(6300 - mean, 2) + 17 * std::pow(6000 - mean, 2)) /
      19);
  test::ExpectValues(t, {
                            {"Ntrl_s2", 240},
                            {"Nser_s2", 20},
                            {"Tser_s2", mean / 1000},
                            {"Sser_s2", sd / 1000},
                            {"ZTser_s2", (mean / 1000 - 6.5) / 0.25},
                            // 118 hits, 59 each of 400 and 500 ms.
                            {"Nh_s2", 118},
                            {"Th_s2", 450},
                            {"Sh_s2", 50 * std::sqrt(118.0 / 117.0)},
                            {"Mh_s2", 500},
                            {"Lh_s2", (std::log(400.0) + std::log(500.0)) / 2},
                            {"Uh_s2", 500},
                            {"Dh_s2", 400},
                            {"Zh_s2", (450 - 470) / 40.0},
                            {"Nc_s2", 119},
                            {"Tc_s2", 550},
                            {"Sc_s2", 0},
                            {"Mc_s2", 550},
                            {"Lc_s2", std::log(550.0)},
                            {"Uc_s2", 550},
                            {"Dc_s2", 550},
                            {"Zc_s2", (550 - 600) / 25.0},
                            {"Nm_s2", 2},
                            {"Tm_s2", 700},
                            {"Nf_s2", 1},
                            {"Tf_s2", 620},
                            {"Zf_s2", (1 - 2.0) / 3.0},
                            // After the errors: one hit (one value, no SD), two rejections.
                            {"Nhae_s2", 1},
                            {"Thae_s2", 500},
                            {"Shae_s2", kNoValue},
                            {"Ncae_s2", 2},
                            {"Tcae_s2", 550},
                            {"Scae_s2", 0},
                            {"No_s2", 0},
                            {"Np_s2", 0},
                            {"Ni_s2", 0},
                            {"T01_s2", 6.07},
                            {"Nh01_s2", 6},
                            {"Nc01_s2", 5},
                            {"Nm01_s2", 0},
                            {"Nf01_s2", 1},
                            {"T02_s2", 6.2},
                            {"Nh02_s2", 5},
                            {"Nc02_s2", 6},
                            {"Nm02_s2", 1},
                            {"T03_s2", 6.3},
                            {"Nm03_s2", 1},
                            {"T20_s2", 6.0},
                            {"Nh20_s2", 6},
                            {"Nc20_s2", 6},
                            {"T21_s2", kNoValue},
                        });
  test::ExpectZFromOwnNorms(t, norms);
}

// A practice run: two anticipations on the fourth trial (a bee, "53") move
// it to window 4 and then window 1; the answer in time puts the next animal
// back in its own window. Both anticipations are stored; 24 responses make
// two series of 26 trials; no Z-scores in a practice run.
TEST(ObjectsRun, PracticeRunWithTwoAnticipations) {
  LoadedTask t("SAO2");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0, true));
  ASSERT_STREQ(t.m_host.trialList[3], "53");
  int i = 0;
  int hits = 0;
  std::vector<int> windows;
  MemoryDC& back = t.m_display.Surface(kSurfaceBack);
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, true, [&](const std::string& code) {
    const int shown = i++;
    windows.push_back(AnimalWindow(back));
    if (shown == 3 || shown == 4) return Answer{100, kYes};  // before the valid window opens
    if (code[0] == '5') return Answer{hits++ % 2 == 0 ? 400 : 500, kYes};
    return Answer{550, kNo};
  }));
  ASSERT_EQ(run.Shown().size(), 26u);
  EXPECT_EQ(run.Shown()[4], "53");
  EXPECT_EQ(run.Shown()[5], "53");
  // "53" in window 3, then one and two windows further; then "51" in window 1.
  EXPECT_EQ(windows[3], 2);
  EXPECT_EQ(windows[4], 3);
  EXPECT_EQ(windows[5], 0);
  EXPECT_EQ(run.Shown()[6], "51");
  EXPECT_EQ(windows[6], 0);
  EXPECT_EQ(t.m_runData->category[0][3], kCatAnticipation);
  EXPECT_EQ(t.m_runData->category[0][4], kCatAnticipation);

  test::AddNorms(t, test::NormsFor(t, {}));
  EXPECT_EQ(run.ComputeVariables(true, &test::kTestee, test::kTestDate), 37 + 5 * 2);
  test::ExpectValues(t, {{"Ntrl_s2", 26},
                         {"Nser_s2", 2},
                         {"Np_s2", 2},
                         {"Nh_s2", 12},
                         {"Th_s2", 450},
                         {"Nc_s2", 12},
                         {"Tc_s2", 550},
                         {"T01_s2", 6.0},
                         {"T02_s2", 6.0}});
  test::ExpectNoZScores(t);
}

}  // namespace

}  // namespace qel
