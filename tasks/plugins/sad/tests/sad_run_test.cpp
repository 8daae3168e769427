// Sustained Attention Dots end to end: the plug-in of the program folder
// loaded by the program's loader, a part run by the program's trial state
// machine on a virtual clock with a scripted testee who sees the dots on the
// screen, then command 29 into the program's run data. The values are
// worked out by hand from the script and the task's lists.
#include <gtest/gtest.h>

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
constexpr COLORREF kGrey = 0x7F7F7F;
constexpr int kSecondList = 6;

// Dots on the testee's screen: grey pixels inside the frame, 3 x 3 each at
// 480 lines.
int DotsOnScreen(LoadedTask& t) {
  const MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  int grey = 0;
  for (int y = 240 - 75; y <= 240 + 75; ++y) {
    for (int x = 320 - 75; x <= 320 + 75; ++x) grey += front.GetPixel(x, y) == kGrey ? 1 : 0;
  }
  return grey / 9;
}

// Dots of a code with the dot set 3-4-5 and balance by presentation.
int DotsOf(char code) { return code == 'm' ? 4 : (code == 'L' || code == 'l') ? 3 : 5; }

// A test run with the defaults: the second list, then the list of 300 twice
// (600 trials, 50 series of 12: each holds 4 patterns of 4 dots, 4 of 3 and
// 4 of 5). The testee answers hits in 400 and 500 ms by turns, rejects 3
// dots in 520 ms and 5 dots in 580 ms, and errs on the last trial of each
// of the first four series: trial 11 ('m') and 35 ('m') answered "no" in
// 700 ms, trial 23 ('H') "yes" in 660 ms, trial 47 ('L') "yes" in 610 ms.
// The trials after them are 'l' (3 dots), 'h' and 'h' (5 dots) and 'm'.
TEST(DotsRun, TestRunOfTheDefaults) {
  LoadedTask t("SAD");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_EQ(t.m_host.trialCount, 600u);

  int shown = 0;
  int hits = 0;
  int wrongDots = 0;
  const std::map<int, std::pair<char, Answer>> errors = {{11, {'m', Answer{700, kNo}}},
                                                         {23, {'H', Answer{660, kYes}}},
                                                         {35, {'m', Answer{700, kNo}}},
                                                         {47, {'L', Answer{610, kYes}}}};
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, false, [&](const std::string& code) {
    const int i = shown++ - kSecondList;  // the second list comes first and is not stored
    if (code.size() != 1) return Answer{};
    if (DotsOnScreen(t) != DotsOf(code[0])) ++wrongDots;
    if (i >= 0) {
      if (const auto e = errors.find(i); e != errors.end()) {
        EXPECT_EQ(code[0], e->second.first) << "trial " << i;
        return e->second.second;
      }
    }
    if (code[0] == 'm') {
      if (i < 0) return Answer{450, kYes};
      return Answer{hits++ % 2 == 0 ? 400 : 500, kYes};
    }
    return Answer{DotsOf(code[0]) == 3 ? 520 : 580, kNo};
  }));
  EXPECT_EQ(shown, 606);
  EXPECT_EQ(wrongDots, 0) << "every pattern shows the dots of its code";
  EXPECT_EQ(t.m_task.trialCounts[0], 600u);

  const std::map<std::string, Norm> chosen = {{"ZTser_sd", {6.0, 0.1}}, {"ZSser_sd", {0.05, 0.02}},
                                              {"Zh_sd", {430.0, 20.0}}, {"Zcl_sd", {500.0, 10.0}},
                                              {"Zm_sd", {1.0, 0.5}},    {"Zfh_sd", {3.0, 2.0}}};
  const std::map<std::string, Norm> norms = test::NormsFor(t, chosen);
  test::AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &test::kTestee, test::kTestDate), 48 + 7 * 50);
  EXPECT_EQ(t.m_runData->resultWord, 50);

  // Series times: 6400, 6280, 6500, 6290 ms, then 46 of 6200 ms.
  const double mean = (6400 + 6280 + 6500 + 6290 + 46 * 6200) / 50.0;
  const double squares = std::pow(6400 - mean, 2) + std::pow(6280 - mean, 2) + std::pow(6500 - mean, 2) +
                         std::pow(6290 - mean, 2) + 46 * std::pow(6200 - mean, 2);
  const double sd = std::sqrt(squares / 49);
  test::ExpectValues(t, {
                            {"Ntrl_sd", 600},
                            {"Nser_sd", 50},
                            {"Tser_sd", mean / 1000},
                            {"Sser_sd", sd / 1000},
                            {"ZTser_sd", (mean / 1000 - 6.0) / 0.1},
                            {"ZSser_sd", (sd / 1000 - 0.05) / 0.02},
                            // 198 hits, 99 each of 400 and 500 ms.
                            {"Nh_sd", 198},
                            {"Th_sd", 450},
                            {"Sh_sd", 50 * std::sqrt(198.0 / 197.0)},
                            {"Mh_sd", 500},
                            {"Lh_sd", (std::log(400.0) + std::log(500.0)) / 2},
                            {"Uh_sd", 500},
                            {"Dh_sd", 400},
                            {"Zh_sd", (450 - 430) / 20.0},
                            // Correct rejections: 199 of 3 dots in 520 ms, 199 of 5 dots in 580 ms.
                            {"Ncl_sd", 199},
                            {"Tcl_sd", 520},
                            {"Scl_sd", 0},
                            {"Mcl_sd", 520},
                            {"Lcl_sd", std::log(520.0)},
                            {"Ucl_sd", 520},
                            {"Dcl_sd", 520},
                            {"Zcl_sd", (520 - 500) / 10.0},
                            {"Nch_sd", 199},
                            {"Tch_sd", 580},
                            {"Mch_sd", 580},
                            // Two misses in 700 ms; one false alarm to 3 dots (610 ms), one to 5 (660 ms).
                            {"Nm_sd", 2},
                            {"Tm_sd", 700},
                            {"Zm_sd", (2 - 1.0) / 1.0},  // an SD below 1 counts as 1
                            {"Nfl_sd", 1},
                            {"Tfl_sd", 610},
                            {"Nfh_sd", 1},
                            {"Tfh_sd", 660},
                            {"Zfh_sd", (1 - 3.0) / 2.0},
                            // After the errors: the 15th hit (400 ms), 3 dots rejected, twice 5 dots rejected.
                            {"Nhae_sd", 1},
                            {"Thae_sd", 400},
                            {"Nclae_sd", 1},
                            {"Tclae_sd", 520},
                            {"Nchae_sd", 2},
                            {"Tchae_sd", 580},
                            {"No_sd", 0},
                            {"Np_sd", 0},
                            {"Ni_sd", 0},
                            // The first four series, the fifth and the last.
                            {"T001_sd", 6.4},
                            {"Nh001_sd", 3},
                            {"Ncl001_sd", 4},
                            {"Nch001_sd", 4},
                            {"Nm001_sd", 1},
                            {"Nfl001_sd", 0},
                            {"Nfh001_sd", 0},
                            {"T002_sd", 6.28},
                            {"Nh002_sd", 4},
                            {"Nch002_sd", 3},
                            {"Nfh002_sd", 1},
                            {"T003_sd", 6.5},
                            {"Nh003_sd", 3},
                            {"Nm003_sd", 1},
                            {"T004_sd", 6.29},
                            {"Ncl004_sd", 3},
                            {"Nfl004_sd", 1},
                            {"T005_sd", 6.2},
                            {"Nh005_sd", 4},
                            {"Nm005_sd", 0},
                            {"T050_sd", 6.2},
                            {"Nch050_sd", 4},
                            {"T051_sd", kNoValue},
                            {"Nh051_sd", kNoValue},
                        });
  test::ExpectZFromOwnNorms(t, norms);
}

// A practice run: the 24 practice patterns, no second list, two series; no
// Z-scores (no norm trial count, fewer series than the norms need).
TEST(DotsRun, PracticeRunHasNoZScores) {
  LoadedTask t("SAD");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0, true));
  int hits = 0;
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, true, [&](const std::string& code) {
    if (code == "m") return Answer{hits++ % 2 == 0 ? 400 : 500, kYes};
    return Answer{DotsOf(code[0]) == 3 ? 520 : 580, kNo};
  }));
  EXPECT_EQ(run.Shown().size(), 24u);
  test::AddNorms(t, test::NormsFor(t, {}));
  EXPECT_EQ(run.ComputeVariables(true, &test::kTestee, test::kTestDate), 48 + 7 * 2);
  test::ExpectValues(t, {{"Ntrl_sd", 24},
                         {"Nser_sd", 2},
                         {"Tser_sd", 6.2},
                         {"Sser_sd", 0},
                         {"Nh_sd", 8},
                         {"Th_sd", 450},
                         {"Ncl_sd", 8},
                         {"Nch_sd", 8},
                         {"T002_sd", 6.2},
                         {"T003_sd", kNoValue}});
  test::ExpectNoZScores(t);
}

}  // namespace

}  // namespace qel
