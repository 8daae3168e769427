// Sustained Attention Auditory end to end: the plug-in of the program
// folder loaded by the program's loader, a part run by the program's trial
// state machine on a virtual clock with a scripted testee who hears the
// tones the host makes, then command 29 into the program's run data. The
// values are worked out by hand from the script and the task's lists.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
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

constexpr uint32_t kKey = 1;
constexpr int kSecondList = 6;

int PitchOf(const std::string& code) { return code == "1" ? 400 : code == "2" ? 550 : code == "3" ? 700 : 0; }

// Version 2 (the low tone is the target), a test run with the defaults: the
// second list, then 360 trials in 10 series of 36, each with 12 tones of
// each pitch. The testee misses the first target and presses for the others
// in 400 and 500 ms by turns; presses once for a middle tone (650 ms) and
// once for a high one (600 ms), both in the first series, and never else.
TEST(AuditoryRun, TestRunOfVersionTwo) {
  LoadedTask t("SAA");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(2, 0));
  ASSERT_EQ(t.m_host.trialCount, 360u);

  int shown = 0;
  int targets = 0, hits = 0, middles = 0, highs = 0;
  int wrongPitch = 0;
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, false, [&](const std::string& code) {
    const int i = shown++ - kSecondList;  // the second list comes first and is not stored
    // The tone that is playing now is the code's.
    if (t.m_host.m_tones.size() != static_cast<size_t>(shown) || t.m_host.m_tones.back().frequency != PitchOf(code)) {
      ++wrongPitch;
    }
    if (i < 0) return Answer{};
    if (code == "1") {
      if (targets++ == 0) return Answer{};
      return Answer{hits++ % 2 == 0 ? 400 : 500, kKey};
    }
    if (code == "2" && middles++ == 0) return Answer{650, kKey};
    if (code == "3" && highs++ == 0) return Answer{600, kKey};
    return Answer{};
  }));
  EXPECT_EQ(shown, 366);
  EXPECT_EQ(wrongPitch, 0) << "every trial sounds the tone of its code";
  for (const auto& tone : t.m_host.m_tones) {
    EXPECT_GE(tone.stop - tone.start, 100u) << "a tone lasts the signal's 100 ms";
    EXPECT_LE(tone.stop - tone.start, 101u);
  }
  EXPECT_EQ(t.m_task.trialCounts[0], 360u);

  const std::map<std::string, Norm> chosen = {
      {"ZTser_st", {5.0, 0.2}}, {"Zh_st", {420.0, 30.0}}, {"Zm_st", {2.0, 4.0}}, {"Zfh_st", {0.0, 0.5}}};
  const std::map<std::string, Norm> norms = test::NormsFor(t, chosen);
  test::AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &test::kTestee, test::kTestDate), 29 + 6 * 10);
  EXPECT_EQ(t.m_runData->resultWord, 10);

  // 119 hits: 60 of 400 and 59 of 500 ms.
  const double th = (60 * 400.0 + 59 * 500.0) / 119;
  const double sh = std::sqrt((60 * std::pow(400 - th, 2) + 59 * std::pow(500 - th, 2)) / 118);
  // Series times: 11 hits (6 x 400 + 5 x 500 ms) scaled to 12 give 5345 ms
  // (integer division), then nine series of 12 hits (6 x 400 + 6 x 500).
  const double mean = (5345 + 9 * 5400) / 10.0;
  const double sd = std::sqrt((std::pow(5345 - mean, 2) + 9 * std::pow(5400 - mean, 2)) / 9);
  test::ExpectValues(t, {
                            {"Ntrl_st", 360},
                            {"Nser_st", 10},
                            {"Tser_st", mean / 1000},
                            {"Sser_st", sd / 1000},
                            {"ZTser_st", (mean / 1000 - 5.0) / 0.2},
                            {"Nh_st", 119},
                            {"Th_st", th},
                            {"Sh_st", sh},
                            {"Mh_st", 400},
                            {"Lh_st", (60 * std::log(400.0) + 59 * std::log(500.0)) / 119},
                            {"Uh_st", 500},
                            {"Dh_st", 400},
                            {"Zh_st", (th - 420) / 30},
                            // One miss, without a response.
                            {"Nm_st", 1},
                            {"Tm_st", 0},
                            {"Zm_st", (1 - 2.0) / 4.0},
                            // The low tone is the target: no false alarms to it.
                            {"Nfl_st", 0},
                            {"Tfl_st", kNoValue},
                            {"Nfm_st", 1},
                            {"Tfm_st", 650},
                            {"Nfh_st", 1},
                            {"Tfh_st", 600},
                            {"Zfh_st", (1 - 0.0) / 1.0},  // an SD below 1 counts as 1
                            {"No_st", 0},
                            {"Np_st", 0},
                            {"Ni_st", 0},
                            {"T01_st", 5.345},
                            {"Nh01_st", 11},
                            {"Nm01_st", 1},
                            {"Nfl01_st", 0},
                            {"Nfm01_st", 1},
                            {"Nfh01_st", 1},
                            {"T02_st", 5.4},
                            {"Nh02_st", 12},
                            {"Nfm02_st", 0},
                            {"T10_st", 5.4},
                            {"Nm10_st", 0},
                            {"T11_st", kNoValue},
                        });
  test::ExpectZFromOwnNorms(t, norms);
}

// Tones the host does not play (a sound device that fails during the run):
// those trials are stored as excluded and count for nothing; the others
// stay as the engine scored them.
TEST(AuditoryRun, TrialsWithoutTheirToneAreExcluded) {
  LoadedTask t("SAA");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0, true));
  int shown = 0;
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, true, [&](const std::string&) {
    // Trials 10..14 find the sound output failing.
    const int i = shown++;
    if (i == 9) t.m_host.m_toneFails = true;
    if (i == 14) t.m_host.m_toneFails = false;
    return Answer{};
  }));
  ASSERT_EQ(t.m_task.trialCounts[0], 36u);
  EXPECT_EQ(t.m_host.m_tones.size(), 31u);
  for (int i = 0; i < 36; ++i) {
    SCOPED_TRACE(i);
    const bool excluded = i >= 10 && i <= 14;
    const bool target = t.m_host.trialList[i][0] == '3';
    EXPECT_EQ(t.m_runData->category[0][i], excluded ? kCatNone : target ? kCatMiss : kCatCorrectRejection);
    EXPECT_EQ(t.m_runData->taskCategory[0][i], excluded ? kCatExcluded : t.m_runData->category[0][i]);
  }
  EXPECT_EQ(run.ComputeVariables(true, &test::kTestee, test::kTestDate), 29);
  test::ExpectValues(t, {{"Ntrl_st", 0}, {"Nser_st", 0}, {"Nh_st", kNoValue}, {"No_st", 0}, {"T01_st", kNoValue}});
}

}  // namespace

}  // namespace qel
