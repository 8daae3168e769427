// Each task end to end: the plug-in of the program folder loaded by the
// program's loader, a part run by the program's trial state machine on a
// virtual clock with a scripted testee, then the compute-variables command into the program's
// run data. The variables are compared with values worked out by hand from
// the script; the lists are balanced (their kinds of display come in fixed
// numbers), so the values do not depend on the order of the displays.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "include/qel/TrialCodes.h"
#include "tasks/tests/support/LoadedTask.h"
#include "tasks/tests/support/RunExpectations.h"
#include "tasks/tests/support/ScriptedRun.h"
#include "tasks/tests/support/RunExpectations.h"

namespace qel {

namespace {

using test::AddNorms;
using test::Answer;
using test::ExpectPartEmpty;
using test::ExpectValues;
using test::ExpectZFromOwnNorms;
using test::kTestDate;
using test::kTestee;
using test::LoadedTask;
using test::Norm;
using test::NormsFor;
using test::ScriptedRun;

constexpr uint32_t kYes = 2;  // right button: the host's right code
constexpr uint32_t kNo = 1;

// A letter display: how many of the memory letters it holds.
int MemoryLetters(const std::string& code, const std::string& memory) {
  int count = 0;
  for (char c : code) {
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    count += static_cast<int>(memory.find(lower) != std::string::npos);
  }
  return count;
}

// Memory Search Letters, version 1, part 2 (k and r), the whole test list
// of 72: 36 displays with both letters, 18 with one, 18 with none.
TEST(RunEndToEnd, MemorySearchLettersPartTwo) {
  LoadedTask t("MSL");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 1));
  ASSERT_EQ(t.m_host.trialCount, 72u);

  int seen[3] = {0, 0, 0};
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(1, false, [&](const std::string& code) {
    const int kind = MemoryLetters(code, "kr");
    const int ordinal = seen[kind]++;
    if (kind == 2) {
      // The first target answered "no" (a miss), then hits of 400 .. 600 ms.
      if (ordinal == 0) return Answer{700, kNo};
      return Answer{400 + 50 * (ordinal % 5), kYes};
    }
    if (kind == 1) return ordinal == 0 ? Answer{650, kYes} : Answer{600, kNo};
    if (ordinal < 2) return Answer{520 + 10 * ordinal, kYes};
    return Answer{550, kNo};
  }));
  EXPECT_EQ(run.Shown().size(), 72u);
  EXPECT_EQ(seen[2], 36);
  EXPECT_EQ(seen[1], 18);
  EXPECT_EQ(seen[0], 18);
  EXPECT_EQ(t.m_task.trialCounts[1], 72u);

  const std::map<std::string, Norm> chosen = {{"Zh2_ms", {480.0, 40.0}},
                                              {"Zc02_ms", {600.0, 25.0}},
                                              {"Zc12_ms", {500.0, 50.0}},
                                              {"Zm2_ms", {3.0, 2.0}},
                                              {"Zf02_ms", {1.0, 0.5}}};
  std::map<std::string, Norm> norms = NormsFor(t, chosen);
  norms.erase("Zf12_ms");  // no norms: no Z
  AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &kTestee, kTestDate), 111);
  EXPECT_EQ(t.m_runData->resultWord, 1);

  const double ln = std::log(400.0) + std::log(450.0) + std::log(500.0) + std::log(550.0) + std::log(600.0);
  ExpectValues(t, {
                      {"Ntot2_ms", 72},
                      // Hits: 7 each of 400, 450, 500, 550, 600 ms.
                      {"Nh2_ms", 35},
                      {"Th2_ms", 500},
                      {"Sh2_ms", std::sqrt(7 * (2 * 100.0 * 100.0 + 2 * 50.0 * 50.0) / 34.0)},
                      {"Mh2_ms", 500},
                      {"Lh2_ms", ln / 5},
                      {"Uh2_ms", (7 * 600 + 550) / 8.0},  // the 8 slowest (n / 4) over their count
                      {"Dh2_ms", (7 * 400 + 450) / 8.0},
                      {"Zh2_ms", (500 - 480) / 40.0},
                      // Correct rejections of displays without a memory letter: 16 of 550 ms.
                      {"Nc02_ms", 16},
                      {"Tc02_ms", 550},
                      {"Sc02_ms", 0},
                      {"Mc02_ms", 550},
                      {"Lc02_ms", std::log(550.0)},
                      {"Uc02_ms", 550},
                      {"Dc02_ms", 550},
                      {"Zc02_ms", (550 - 600) / 25.0},
                      // ... with one memory letter: 17 of 600 ms.
                      {"Nc12_ms", 17},
                      {"Tc12_ms", 600},
                      {"Sc12_ms", 0},
                      {"Mc12_ms", 600},
                      {"Lc12_ms", std::log(600.0)},
                      {"Uc12_ms", 600},
                      {"Dc12_ms", 600},
                      {"Zc12_ms", (600 - 500) / 50.0},
                      // One miss of 700 ms, false alarms 520 and 530 ms without and 650 ms with one memory letter.
                      {"Nm2_ms", 1},
                      {"Tm2_ms", 700},
                      {"Zm2_ms", (1 - 3) / 2.0},
                      {"Nf02_ms", 2},
                      {"Tf02_ms", 525},
                      {"Zf02_ms", (2 - 1) / 1.0},  // an SD below 1 counts as 1
                      {"Nf12_ms", 1},
                      {"Tf12_ms", 650},
                      {"Zf12_ms", kNoValue},
                      {"No2_ms", 0},
                      {"Np2_ms", 0},
                      {"Ni2_ms", 0},
                  });
  ExpectZFromOwnNorms(t, norms);
  ExpectPartEmpty(t, 0);
  ExpectPartEmpty(t, 2);
}

// Focused Attention 4 letters, version 1, part 1 (c) with the other
// diagonal: the list of 40 twice, 40 displays with c on the relevant
// diagonal, 20 with c only on the other, 20 without c. The testee sees the
// letters where the plug-in draws them.
TEST(RunEndToEnd, FocusedAttentionOtherDiagonal) {
  LoadedTask t("FA4L");
  ASSERT_TRUE(t.Loaded());
  t.m_task.TaskParam[0] = 1;
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_EQ(t.m_host.trialCount, 80u);

  int seen[3] = {0, 0, 0};  // relevant, irrelevant, none
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, false, [&](const std::string& code) {
    char shown[kTrialCodeSize] = {};
    std::strncpy(shown, code.c_str(), kTrialCodeSize - 1);
    QelPermuteCodeQuarters(shown, true, 0);
    const bool relevant = shown[2] == 'c' || shown[2] == 'C' || shown[1] == 'c' || shown[1] == 'C';
    const int kind = relevant ? 0 : MemoryLetters(code, "c") > 0 ? 1 : 2;
    const int ordinal = seen[kind]++;
    if (kind == 0) return ordinal < 2 ? Answer{800, kNo} : Answer{ordinal % 2 ? 600 : 500, kYes};
    if (kind == 1) return ordinal == 0 ? Answer{700, kYes} : Answer{650, kNo};
    return Answer{580, kNo};
  }));
  EXPECT_EQ(seen[0], 40);
  EXPECT_EQ(seen[1], 20);
  EXPECT_EQ(seen[2], 20);

  const std::map<std::string, Norm> chosen = {
      {"Zh1_l4", {500.0, 100.0}}, {"Zcit1_l4", {650.0, 10.0}}, {"Zm1_l4", {1.0, 2.0}}, {"Zfrn1_l4", {1.0, 4.0}}};
  const std::map<std::string, Norm> norms = NormsFor(t, chosen);
  AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &kTestee, kTestDate), 74);

  ExpectValues(t, {
                      {"Ntot1_l4", 80},
                      // Hits: 19 of 500 and 19 of 600 ms.
                      {"Nh1_l4", 38},
                      {"Th1_l4", 550},
                      {"Sh1_l4", std::sqrt(38 * 50.0 * 50.0 / 37.0)},
                      {"Mh1_l4", 600},  // the upper of the two middle values
                      {"Lh1_l4", (std::log(500.0) + std::log(600.0)) / 2},
                      {"Uh1_l4", 600},
                      {"Dh1_l4", 500},
                      {"Zh1_l4", (550 - 500) / 100.0},
                      // Correct rejections with c on the other diagonal (19 of 650 ms) and without c (20 of 580 ms).
                      {"Ncit1_l4", 19},
                      {"Tcit1_l4", 650},
                      {"Scit1_l4", 0},
                      {"Mcit1_l4", 650},
                      {"Lcit1_l4", std::log(650.0)},
                      {"Ucit1_l4", 650},
                      {"Dcit1_l4", 650},
                      {"Zcit1_l4", 0},
                      {"Ncrn1_l4", 20},
                      {"Tcrn1_l4", 580},
                      {"Scrn1_l4", 0},
                      {"Mcrn1_l4", 580},
                      {"Ucrn1_l4", 580},
                      {"Dcrn1_l4", 580},
                      // Two misses of 800 ms, one false alarm of 700 ms to c on the other diagonal, none without c.
                      {"Nm1_l4", 2},
                      {"Tm1_l4", 800},
                      {"Zm1_l4", (2 - 1) / 2.0},
                      {"Nfit1_l4", 1},
                      {"Tfit1_l4", 700},
                      {"Nfrn1_l4", 0},
                      {"Zfrn1_l4", (0 - 1) / 4.0},
                      {"No1_l4", 0},
                      {"Np1_l4", 0},
                      {"Ni1_l4", 0},
                  });
  ExpectZFromOwnNorms(t, norms);
  ExpectPartEmpty(t, 1);
}

// Memory Search Objects 1 key, version 1, part 1 (picture 2): 20 displays
// with it, 20 without; one key, pressed for the memory picture only.
TEST(RunEndToEnd, MemorySearchObjectsPartOne) {
  LoadedTask t("MSO1", 800, 600);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));

  int seen[2] = {0, 0};
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, false, [&](const std::string& code) {
    const int kind = code.find('2') != std::string::npos ? 0 : 1;
    const int ordinal = seen[kind]++;
    if (kind == 0) return ordinal == 0 ? Answer{} : Answer{350 + 10 * (ordinal - 1), 1};
    return ordinal < 2 ? Answer{450 + 20 * ordinal, 1} : Answer{};
  }));
  EXPECT_EQ(seen[0], 20);
  EXPECT_EQ(seen[1], 20);

  const std::map<std::string, Norm> chosen = {
      {"Zh1_mo1", {400.0, 80.0}}, {"Zm1_mo1", {0.0, 0.5}}, {"Zf1_mo1", {1.0, 2.0}}};
  const std::map<std::string, Norm> norms = NormsFor(t, chosen);
  AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &kTestee, kTestDate), 36);

  double logSum = 0.0;
  for (int rt = 350; rt <= 530; rt += 10) logSum += std::log(static_cast<double>(rt));
  ExpectValues(t, {
                      {"Ntot1_mo1", 40},
                      // Hits: 350, 360, ..., 530 ms.
                      {"Nh1_mo1", 19},
                      {"Th1_mo1", 440},
                      {"Sh1_mo1", std::sqrt(100.0 * 19 * 20 / 12)},
                      {"Mh1_mo1", 440},
                      {"Lh1_mo1", logSum / 19},
                      {"Uh1_mo1", (530 + 520 + 510 + 500) / 4.0},
                      {"Dh1_mo1", (350 + 360 + 370 + 380) / 4.0},
                      {"Zh1_mo1", (440 - 400) / 80.0},
                      // One miss (no press, no time), two false alarms of 450 and 470 ms.
                      {"Nm1_mo1", 1},
                      {"Tm1_mo1", 0},
                      {"Zm1_mo1", (1 - 0) / 1.0},
                      {"Nf1_mo1", 2},
                      {"Tf1_mo1", 460},
                      {"Zf1_mo1", (2 - 1) / 2.0},
                      // A one-key task counts no omissions.
                      {"No1_mo1", kNoValue},
                      {"Np1_mo1", 0},
                      {"Ni1_mo1", 0},
                  });
  ExpectZFromOwnNorms(t, norms);
  ExpectPartEmpty(t, 1);
}

// A practice run of Memory Search Letters, part 3 (k, r, s): the 12
// practice displays (6 with all three letters, 2 each with two, one and
// none), with an anticipation and an omission, both given again. No Z-scores
// in a practice run.
TEST(RunEndToEnd, MemorySearchLettersPracticeWithRepeatedTrials) {
  LoadedTask t("MSL");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 2, true));
  ASSERT_EQ(t.m_host.trialCount, 12u);

  int targets = 0;
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(2, true, [&](const std::string& code) {
    if (MemoryLetters(code, "krs") < 3) return Answer{600, kNo};
    const int ordinal = targets++;
    if (ordinal == 0) return Answer{100, kYes};  // before the valid window
    if (ordinal == 1) return Answer{};           // no answer in time
    return Answer{500, kYes};
  }));
  ASSERT_EQ(run.Shown().size(), 14u);
  size_t first = 0;
  while (first < run.Shown().size() && MemoryLetters(run.Shown()[first], "krs") < 3) ++first;
  ASSERT_LT(first + 2, run.Shown().size());
  EXPECT_EQ(run.Shown()[first + 1], run.Shown()[first]) << "given again after the anticipation";
  EXPECT_EQ(run.Shown()[first + 2], run.Shown()[first]) << "given again after the omission";
  EXPECT_EQ(t.m_task.trialCounts[2], 14u) << "the anticipation and the omission are stored too";

  AddNorms(t, NormsFor(t, {}));
  EXPECT_EQ(run.ComputeVariables(true, &kTestee, kTestDate), 111);
  ExpectValues(t, {
                      {"Ntot3_ms", 14},     {"Nh3_ms", 6},    {"Th3_ms", 500},  {"Mh3_ms", 500},       {"Uh3_ms", 500},
                      {"Zh3_ms", kNoValue}, {"Nc03_ms", 2},   {"Tc03_ms", 600}, {"Zc03_ms", kNoValue}, {"Nc13_ms", 2},
                      {"Nc23_ms", 2},       {"Tc23_ms", 600}, {"Nm3_ms", 0},    {"Zm3_ms", kNoValue},  {"Nf03_ms", 0},
                      {"Nf13_ms", 0},       {"Nf23_ms", 0},   {"No3_ms", 1},    {"Np3_ms", 1},         {"Ni3_ms", 0},
                  });
  ExpectPartEmpty(t, 0);
  ExpectPartEmpty(t, 1);
}

// The compute-variables command without run data, or before any run context is bound.
TEST(ComputeVariablesRefused, WithoutRunDataOrRunContext) {
  for (const char* task : {"MSL", "FA4L", "MSO1"}) {
    LoadedTask t(task);
    ASSERT_TRUE(t.Loaded());
    int32_t v = 0;
    EXPECT_TRUE(t.m_library.CallTaskEntry(kCmdComputeVariables, 0, 0, 0, &v));
    EXPECT_EQ(v, -1) << task;
    EXPECT_TRUE(
        t.m_library.CallTaskEntry(kCmdComputeVariables, reinterpret_cast<intptr_t>(t.m_runData.get()), 0, 0, &v));
    EXPECT_EQ(v, -1) << task << ": nothing to count the parts' trials by";
  }
}

}  // namespace

}  // namespace qel
