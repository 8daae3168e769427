// Each facial-emotion task end to end: the plug-in of the program folder
// loaded by the program's loader, a part run by the program's trial state
// machine on a virtual clock with a scripted testee, then command 29 into
// the program's run data. The variables are compared with values worked out
// by hand from the script; the lists are balanced (their kinds of trials
// come in fixed numbers), so the values do not depend on the order of the
// trials.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "tasks/tests/support/LoadedTask.h"
#include "tasks/tests/support/RunExpectations.h"
#include "tasks/tests/support/ScriptedRun.h"

namespace qel {

namespace {

using test::AddNorms;
using test::Answer;
using test::Expected;
using test::ExpectPartEmpty;
using test::ExpectValues;
using test::ExpectZFromOwnNorms;
using test::LoadedTask;
using test::Norm;
using test::NormsFor;
using test::ScriptedRun;

constexpr uint32_t kYes = 2;  // right button: the host's right code ("same", "yes")
constexpr uint32_t kNo = 1;

const QelTesteeRecord kTestee{QelDateTime::FromDate(1960, 6, 1)};
const QelDateTime kTestDate = QelDateTime::FromDate(2010, 6, 1);

// The SD of the run data: over all values, n - 1 in the denominator.
double Sd(const std::vector<double>& values) {
  double mean = 0.0;
  for (double v : values) mean += v;
  mean /= static_cast<double>(values.size());
  double squares = 0.0;
  for (double v : values) squares += (v - mean) * (v - mean);
  return std::sqrt(squares / static_cast<double>(values.size() - 1));
}

std::vector<double> Repeated(std::initializer_list<std::pair<int, double>> groups) {
  std::vector<double> values;
  for (const auto& [count, value] : groups) values.insert(values.end(), count, value);
  return values;
}

// ---- Matching Facial Emotions 4 -----------------------------------------

// The test list of 160: 80 pairs of one emotion (20 each of 1..4), 80 of two
// (happy-sad and angry-fear 14 times, the other four pairs 13 times). The
// testee answers same-emotion pairs after 400 + 50 x emotion ms, except the
// first happy pair ("different" after 800 ms: a miss), and different pairs
// after 700 ms, except the first happy-sad and the first angry-fear pair
// ("same" after 650 and 750 ms: false alarms).
TEST(FaceRunEndToEnd, MatchingFacialEmotionsFour) {
  LoadedTask t("MFE4", 800, 600);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_EQ(t.m_host.trialCount, 160u);

  std::map<std::string, int> seen;
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, false, [&](const std::string& code) {
    const int a = code[2] - '0';
    const int b = code[5] - '0';
    const std::string key = std::to_string(std::min(a, b)) + std::to_string(std::max(a, b));
    const int ordinal = seen[key]++;
    if (a == b) return a == 1 && ordinal == 0 ? Answer{800, kNo} : Answer{400 + 50 * a, kYes};
    if (key == "12" && ordinal == 0) return Answer{650, kYes};
    if (key == "34" && ordinal == 0) return Answer{750, kYes};
    return Answer{700, kNo};
  }));
  EXPECT_EQ(run.Shown().size(), 160u);
  EXPECT_EQ(seen["11"] + seen["22"] + seen["33"] + seen["44"], 80);
  EXPECT_EQ(seen["12"], 14);
  EXPECT_EQ(seen["34"], 14);
  EXPECT_EQ(seen["13"], 13);

  const std::map<std::string, Norm> chosen = {
      {"Zh_me4", {500.0, 50.0}},  {"Zc_me4", {680.0, 40.0}},   {"Zm_me4", {2.0, 2.0}},  {"Zf_me4", {1.0, 0.5}},
      {"Zh2_me4", {450.0, 25.0}}, {"Zc12_me4", {720.0, 10.0}}, {"Zf34_me4", {0.0, 4.0}}};
  const std::map<std::string, Norm> norms = NormsFor(t, chosen);
  AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &kTestee, kTestDate), 136);
  EXPECT_EQ(t.m_runData->resultWord, 1);

  const std::vector<double> hits = Repeated({{19, 450}, {20, 500}, {20, 550}, {20, 600}});
  const double hitMean = (19 * 450 + 20 * 500 + 20 * 550 + 20 * 600) / 79.0;
  const double hitLog =
      (19 * std::log(450.0) + 20 * std::log(500.0) + 20 * std::log(550.0) + 20 * std::log(600.0)) / 79;
  ExpectValues(t, {
                      {"Ntot_me4", 160},
                      // 79 hits: the 19 slowest (n / 4) are 600 ms, the 19 fastest 450 ms.
                      {"Nh_me4", 79},
                      {"Th_me4", hitMean},
                      {"Sh_me4", Sd(hits)},
                      {"Mh_me4", 550},  // position 39 of 79
                      {"Lh_me4", hitLog},
                      {"Uh_me4", 600},
                      {"Dh_me4", 450},
                      {"Zh_me4", (hitMean - 500) / 50},
                      {"Nc_me4", 78},
                      {"Tc_me4", 700},
                      {"Sc_me4", 0},
                      {"Mc_me4", 700},
                      {"Lc_me4", std::log(700.0)},
                      {"Uc_me4", 700},
                      {"Dc_me4", 700},
                      {"Zc_me4", (700 - 680) / 40.0},
                      {"Nm_me4", 1},
                      {"Tm_me4", 800},
                      {"Zm_me4", (1 - 2) / 2.0},
                      {"Nf_me4", 2},
                      {"Tf_me4", 700},
                      {"Zf_me4", (2 - 1) / 1.0},  // an SD below 1 counts as 1
                      {"No_me4", 0},
                      {"Np_me4", 0},
                      {"Ni_me4", 0},
                      // Same-emotion pairs.
                      {"Nh1_me4", 19},
                      {"Th1_me4", 450},
                      {"Sh1_me4", 0},
                      {"Nh2_me4", 20},
                      {"Th2_me4", 500},
                      {"Mh2_me4", 500},
                      {"Uh2_me4", 500},
                      {"Zh2_me4", (500 - 450) / 25.0},
                      {"Nh3_me4", 20},
                      {"Th3_me4", 550},
                      {"Nh4_me4", 20},
                      {"Th4_me4", 600},
                      {"Dh4_me4", 600},
                      {"Nm1_me4", 1},
                      {"Tm1_me4", 800},
                      {"Nm2_me4", 0},
                      {"Tm2_me4", kNoValue},
                      {"Nm4_me4", 0},
                      // Pairs of two emotions.
                      {"Nc12_me4", 13},
                      {"Tc12_me4", 700},
                      {"Zc12_me4", (700 - 720) / 10.0},
                      {"Nc13_me4", 13},
                      {"Nc14_me4", 13},
                      {"Nc23_me4", 13},
                      {"Nc24_me4", 13},
                      {"Nc34_me4", 13},
                      {"Lc34_me4", std::log(700.0)},
                      {"Nf12_me4", 1},
                      {"Tf12_me4", 650},
                      {"Nf34_me4", 1},
                      {"Tf34_me4", 750},
                      {"Zf34_me4", (1 - 0) / 4.0},
                      {"Nf13_me4", 0},
                      {"Tf13_me4", kNoValue},
                      {"Nf24_me4", 0},
                  });
  ExpectZFromOwnNorms(t, norms);
}

// The larger members, with one time for every answer: same pairs 500 ms,
// different pairs 700 ms; the first happy pair missed and the first sad-angry
// pair taken for the same emotion.
struct MatchingRun {
  const char* task;
  const char* suffix;
  int emotions;
  uint32_t trials;
  int variables;
  int sadAngryPairs;  // how often the list shows sad beside angry
  int pairs;          // pairs of two emotions in the list
};

TEST(FaceRunEndToEnd, MatchingFacialEmotionsSixAndEight) {
  for (const MatchingRun& m :
       {MatchingRun{"MFE6", "_me6", 6, 192, 257, 7, 96}, MatchingRun{"MFE8", "_me8", 8, 224, 422, 4, 112}}) {
    SCOPED_TRACE(m.task);
    LoadedTask t(m.task, 800, 600);
    ASSERT_TRUE(t.Loaded());
    ASSERT_TRUE(t.Setup(1, 0));
    ASSERT_EQ(t.m_host.trialCount, m.trials);
    bool happyMissed = false;
    bool sadAngryTaken = false;
    ScriptedRun run(t);
    ASSERT_TRUE(run.RunPart(0, false, [&](const std::string& code) {
      const int a = code[2] - '0';
      const int b = code[5] - '0';
      if (a == b) {
        if (a == 1 && !happyMissed) {
          happyMissed = true;
          return Answer{900, kNo};
        }
        return Answer{500, kYes};
      }
      if (std::min(a, b) == 2 && std::max(a, b) == 3 && !sadAngryTaken) {
        sadAngryTaken = true;
        return Answer{650, kYes};
      }
      return Answer{700, kNo};
    }));
    AddNorms(t, NormsFor(t, {}));
    EXPECT_EQ(run.ComputeVariables(false, &kTestee, kTestDate), m.variables);
    const int perEmotion = static_cast<int>(m.trials) / 2 / m.emotions;
    const std::string s = m.suffix;
    std::vector<std::pair<std::string, double>> expected = {
        {"Ntot", m.trials},
        {"Nh", m.trials / 2 - 1},
        {"Th", 500},
        {"Sh", 0},
        {"Nc", m.pairs - 1},
        {"Tc", 700},
        {"Nm", 1},
        {"Tm", 900},
        {"Nf", 1},
        {"Tf", 650},
        {"Nh1", perEmotion - 1},
        {"Nm1", 1},
        {"Tm1", 900},
        {"Nc23", m.sadAngryPairs - 1},
        {"Nf23", 1},
        {"Tf23", 650},
        {"Nf12", 0},
    };
    for (int e = 2; e <= m.emotions; ++e) expected.push_back({"Nh" + std::to_string(e), perEmotion});
    const std::string last = std::to_string(m.emotions - 1) + std::to_string(m.emotions);
    expected.push_back({"Tc" + last, 700});
    for (const auto& [code, value] : expected) {
      const int row = test::Row(t, code + s);
      ASSERT_GE(row, 0) << code + s;
      double v = 0.0;
      EXPECT_TRUE(t.m_runData->GetValue(row, &v)) << code + s;
      EXPECT_NEAR(v, value, 1e-9) << code + s;
    }
  }
}

// ---- Identification Facial Emotions ---------------------------------------

// Part "Angry" of 40 faces, 20 of them angry. The first angry face is
// answered "no" after 900 ms (a miss), the others "yes" after 480 or 520 ms
// in turn; the first other face "yes" after 610 ms (a false alarm), the
// others "no" after 600 or 560 ms in turn.
TEST(FaceRunEndToEnd, IdentificationFacialEmotionsPartAngry) {
  LoadedTask t("IFE", 800, 600);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 2));
  ASSERT_EQ(t.m_host.trialCount, 40u);

  int seen[2] = {0, 0};
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(2, false, [&](const std::string& code) {
    const bool angry = code.size() == 3 && code[2] == '3';
    const int ordinal = seen[angry ? 1 : 0]++;
    if (angry) return ordinal == 0 ? Answer{900, kNo} : Answer{ordinal % 2 ? 480 : 520, kYes};
    return ordinal == 0 ? Answer{610, kYes} : Answer{ordinal % 2 ? 600 : 560, kNo};
  }));
  EXPECT_EQ(seen[1], 20);
  EXPECT_EQ(seen[0], 20);

  const std::map<std::string, Norm> chosen = {
      {"Zh3_ie", {450.0, 30.0}}, {"Zc3_ie", {600.0, 20.0}}, {"Zm3_ie", {0.0, 2.0}}, {"Zf3_ie", {3.0, 1.5}}};
  const std::map<std::string, Norm> norms = NormsFor(t, chosen);
  AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &kTestee, kTestDate), 208);

  // Hits: 10 of 480 and 9 of 520 ms; correct rejections 10 of 600 and 9 of 560 ms.
  const double hitMean = (10 * 480 + 9 * 520) / 19.0;
  const double crMean = (10 * 600 + 9 * 560) / 19.0;
  ExpectValues(t, {
                      {"Ntot3_ie", 40},
                      {"Nh3_ie", 19},
                      {"Th3_ie", hitMean},
                      {"Sh3_ie", Sd(Repeated({{10, 480}, {9, 520}}))},
                      {"Mh3_ie", 480},  // position 9 of 19
                      {"Lh3_ie", (10 * std::log(480.0) + 9 * std::log(520.0)) / 19},
                      {"Uh3_ie", 520},  // the 4 slowest (n / 4)
                      {"Dh3_ie", 480},
                      {"Zh3_ie", (hitMean - 450) / 30},
                      {"Nc3_ie", 19},
                      {"Tc3_ie", crMean},
                      {"Sc3_ie", Sd(Repeated({{10, 600}, {9, 560}}))},
                      {"Mc3_ie", 600},
                      {"Lc3_ie", (10 * std::log(600.0) + 9 * std::log(560.0)) / 19},
                      {"Uc3_ie", 600},
                      {"Dc3_ie", 560},
                      {"Zc3_ie", (crMean - 600) / 20},
                      {"Nm3_ie", 1},
                      {"Tm3_ie", 900},
                      {"Zm3_ie", (1 - 0) / 2.0},
                      {"Nf3_ie", 1},
                      {"Tf3_ie", 610},
                      {"Zf3_ie", (1 - 3) / 1.5},
                      {"No3_ie", 0},
                      {"Np3_ie", 0},
                      {"Ni3_ie", 0},
                  });
  ExpectZFromOwnNorms(t, norms);
  for (int part : {0, 1, 3, 4, 5, 6, 7}) ExpectPartEmpty(t, part);
}

// ---- Identification of Averted Facial Emotions ----------------------------

// Part "Happy" of 64 faces: 32 happy (16 looking straight, 8 left, 8 right)
// and 32 others (16 straight, 16 averted). Straight happy faces: the first
// missed ("no", 800 ms), the rest "yes" after 500 ms; averted happy faces
// "yes" after 600 or 700 ms in turn; other straight faces: the first two
// taken for happy (650 and 670 ms), the rest "no" after 550 ms; other averted
// faces "no" after 580 ms but the first ("yes", 720 ms).
TEST(FaceRunEndToEnd, IdentificationOfAvertedFacialEmotionsPartHappy) {
  LoadedTask t("IAE", 800, 600);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_EQ(t.m_host.trialCount, 64u);

  int seen[2][2] = {};  // [happy][averted]
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, false, [&](const std::string& code) {
    const bool happy = code[2] == '1';
    const bool averted = code.size() > 3;
    const int ordinal = seen[happy][averted]++;
    if (happy && !averted) return ordinal == 0 ? Answer{800, kNo} : Answer{500, kYes};
    if (happy) return Answer{ordinal % 2 ? 700 : 600, kYes};
    if (!averted) return ordinal < 2 ? Answer{650 + 20 * ordinal, kYes} : Answer{550, kNo};
    return ordinal == 0 ? Answer{720, kYes} : Answer{580, kNo};
  }));
  EXPECT_EQ(seen[1][0], 16);
  EXPECT_EQ(seen[1][1], 16);
  EXPECT_EQ(seen[0][0], 16);
  EXPECT_EQ(seen[0][1], 16);

  const std::map<std::string, Norm> chosen = {
      {"Zhd1_ae", {480.0, 40.0}}, {"Zcd1_ae", {600.0, 25.0}}, {"Zmd1_ae", {0.0, 2.0}}, {"Zfd1_ae", {1.0, 2.0}},
      {"Zha1_ae", {600.0, 50.0}}, {"Zca1_ae", {560.0, 40.0}}, {"Zma1_ae", {1.0, 2.0}}, {"Zfa1_ae", {2.0, 4.0}}};
  const std::map<std::string, Norm> norms = NormsFor(t, chosen);
  AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &kTestee, kTestDate), 224);

  const double zhd = (500 - 480) / 40.0, zcd = (550 - 600) / 25.0;
  const double zmd = (1 - 0) / 2.0, zfd = (2 - 1) / 2.0;
  const double zha = (650 - 600) / 50.0, zca = (580 - 560) / 40.0;
  const double zma = (0 - 1) / 2.0, zfa = (1 - 2) / 4.0;
  ExpectValues(t, {
                      {"Ntot1_ae", 64},
                      // Straight gaze.
                      {"Nhd1_ae", 15},
                      {"Thd1_ae", 500},
                      {"Shd1_ae", 0},
                      {"Mhd1_ae", 500},
                      {"Zhd1_ae", zhd},
                      {"Ncd1_ae", 14},
                      {"Tcd1_ae", 550},
                      {"Lcd1_ae", std::log(550.0)},
                      {"Zcd1_ae", zcd},
                      {"Td1_ae", (500 + 550) / 2.0},  // mean RT overall: the mean of the two
                      {"Zd1_ae", (zhd + zcd) / 2},    // its Z: the mean of the two Z-scores
                      {"Nmd1_ae", 1},
                      {"Tmd1_ae", 800},
                      {"Zmd1_ae", zmd},
                      {"Nfd1_ae", 2},
                      {"Tfd1_ae", 660},
                      {"Zfd1_ae", zfd},
                      {"Ned1_ae", 3},                // errors overall: the sum of the two counts
                      {"Zed1_ae", (zmd + zfd) / 2},  // its Z: the mean of the two Z-scores
                      // Averted gaze: hits 8 of 600 and 8 of 700 ms.
                      {"Nha1_ae", 16},
                      {"Tha1_ae", 650},
                      {"Sha1_ae", Sd(Repeated({{8, 600}, {8, 700}}))},
                      {"Mha1_ae", 700},
                      {"Lha1_ae", (std::log(600.0) + std::log(700.0)) / 2},
                      {"Uha1_ae", 700},
                      {"Dha1_ae", 600},
                      {"Zha1_ae", zha},
                      {"Nca1_ae", 15},
                      {"Tca1_ae", 580},
                      {"Zca1_ae", zca},
                      {"Ta1_ae", (650 + 580) / 2.0},
                      {"Za1_ae", (zha + zca) / 2},
                      {"Nma1_ae", 0},
                      {"Tma1_ae", kNoValue},
                      {"Zma1_ae", zma},
                      {"Nfa1_ae", 1},
                      {"Tfa1_ae", 720},
                      {"Zfa1_ae", zfa},
                      {"Nea1_ae", 1},
                      {"Zea1_ae", (zma + zfa) / 2},
                      {"No1_ae", 0},
                      {"Np1_ae", 0},
                      {"Ni1_ae", 0},
                  });
  ExpectZFromOwnNorms(t, norms);
  for (int part : {1, 2, 3}) ExpectPartEmpty(t, part);
}

// A practice run: the practice list, no Z-scores; with a false alarm only,
// the mean RT overall still needs both means, the errors overall one count.
TEST(FaceRunEndToEnd, AvertedPracticeWithoutZScores) {
  LoadedTask t("IAE", 800, 600);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 3, true));
  ASSERT_EQ(t.m_host.trialCount, 8u);
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(3, true, [&](const std::string& code) {
    const bool fear = code[2] == '4';
    if (fear) return Answer{500, kYes};
    return code.size() > 3 ? Answer{620, kYes} : Answer{540, kNo};
  }));
  AddNorms(t, NormsFor(t, {}));
  EXPECT_EQ(run.ComputeVariables(true, &kTestee, kTestDate), 224);
  ExpectValues(t, {
                      {"Ntot4_ae", 8},
                      {"Nhd4_ae", 2},
                      {"Ncd4_ae", 2},
                      {"Td4_ae", (500 + 540) / 2.0},
                      {"Zhd4_ae", kNoValue},
                      {"Zd4_ae", kNoValue},
                      {"Nha4_ae", 2},
                      {"Nca4_ae", 0},
                      {"Ta4_ae", kNoValue},  // no correct rejection of an averted face
                      {"Nfa4_ae", 2},
                      {"Tfa4_ae", 620},
                      {"Nma4_ae", 0},
                      {"Nea4_ae", 2},
                      {"Zea4_ae", kNoValue},
                  });
}

}  // namespace

}  // namespace qel
