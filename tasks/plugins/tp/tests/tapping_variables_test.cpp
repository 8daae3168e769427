// The four parts of Tapping run on the virtual clock from scripted taps,
// then the 36 variables computed by the compute-variables command into the program's run
// data, Z-scores from norm functions added to the plug-in's record. Every
// expected value below is worked out by hand from the scripts.
#include <cmath>

#include "tasks/plugins/tp/tests/TappingHarness.h"

namespace qel {

namespace {

using K = KeySource;

// Part Left, a test run of 10 s: the first tap at 5000 opens the 3 s lead-in,
// so entries are kept from 8000 to 18000. The running time of the taps
// starts at the last change before recording (the release at 7100).
//   tap        press  release  running       interval
//   T1 Ctrl     8000   8090     900 -  990     -
//   T2 button   8200   8280    1100 - 1180    200
//   T3 Space    8450   8550    1350 - 1450    250
//   T4 Ctrl     8600   8700    1500 - 1600    150
//   T5 button   8800   8860    1700 - 1760    200
//   T6 Ctrl    17950  18000   10850 - 10900  9150   (outside the 10 s norm window)
// T0 (7000) is before recording; T7 at 18001 is after the end; right Ctrl
// does not count in part Left.
std::vector<KeyPress> LeftScript() {
  return Taps(K::kLeftCtrl, {5000, 7000}, 100) + std::vector<KeyPress>{{K::kLeftCtrl, 8000, 8090}} +
         Taps(K::kLeftButton, {8200}, 80) + Taps(K::kRightCtrl, {8300}, 50) + Taps(K::kSpace, {8450}, 100) +
         Taps(K::kLeftCtrl, {8600}, 100) + Taps(K::kLeftButton, {8800}, 60) +
         std::vector<KeyPress>{{K::kLeftCtrl, 17950, 18000}, {K::kLeftCtrl, 18001, 18100}};
}

// Part Right: first tap at 4000 (released 4050), entries from 7000.
//   R1 button 7000-7100 (running 2950-3050), R2 Space 7300-7380 (3250-3330),
//   R3 Ctrl 7700-7750 (3650-3700); intervals 300 and 400. Left Ctrl is ignored.
std::vector<KeyPress> RightScript() {
  return Taps(K::kRightCtrl, {4000}, 50) + Taps(K::kRightButton, {7000}, 100) + Taps(K::kLeftCtrl, {7150}, 50) +
         Taps(K::kSpace, {7300}, 80) + Taps(K::kRightCtrl, {7700}, 50);
}

// Part Alt: first tap at 3000 (released 3050), entries from 6000; running
// time = clock - 3050.
//   L1 6000-6100 (2950-3050)   R1 6085-6185 (3035-3135): 15 % overlap
//   L2 6300-6380 (3250-3330)   L3 6500-6560 (3450-3510): second left in a row
//   R2 6700-6780 (3650-3730)   L4 6900-6960 (3850-3910)   R3 7100-7150 (4050-4100)
// Space (6400) is no key in this part.
// Without overlap: L1 and R1 are invalid; L2 (first), R2 +200 from the
// dropped L3, L4 +200, R3 +200: 4 taps, intervals 200, 200, 200.
// Criterion 20: all valid; L1, R1 +85, L2 +215, L3 dropped, R2 +200, L4
// +200, R3 +200: 6 taps, intervals 85, 215, 200, 200, 200.
std::vector<KeyPress> AltScript() {
  return Taps(K::kLeftCtrl, {3000}, 50) + Taps(K::kLeftCtrl, {6000}, 100) + Taps(K::kRightCtrl, {6085}, 100) +
         Taps(K::kLeftButton, {6300}, 80) + Taps(K::kSpace, {6400}, 20) + Taps(K::kLeftCtrl, {6500}, 60) +
         Taps(K::kRightButton, {6700}, 80) + Taps(K::kLeftCtrl, {6900}, 60) + Taps(K::kRightCtrl, {7100}, 50);
}

// Part Sync: first tap with both keys at 2500 (released 2560), entries
// from 5500; running time = clock - 2560.
//   P1 L 5500-5600 (2940-3040)  R 5510-5600 (2950-3040): 94 % overlap
//   P2 L 5800-5900 (3240-3340)  R 5850-5950 (3290-3390): 50 %
//   P3 L 6100-6300 (3540-3740)  R 6100-6190 and 6210-6300: one left tap over two right taps
//   P4 L 6500-6600 (3940-4040)  R 6505-6600 (3945-4040): 97 %
// Without overlap: pairs at 2945 and 3265 (interval 320); P4 comes after the
// invalid P3 taps and is not kept. Criterion 60: P2 is invalid too, only P1
// is kept.
std::vector<KeyPress> SyncScript() {
  return Taps(K::kBothCtrl, {2500}, 60) + Taps(K::kLeftCtrl, {5500}, 100) + Taps(K::kRightCtrl, {5510}, 90) +
         Taps(K::kLeftCtrl, {5800}, 100) + Taps(K::kRightCtrl, {5850}, 100) + Taps(K::kLeftCtrl, {6100}, 200) +
         Taps(K::kRightButton, {6100}, 90) + Taps(K::kRightCtrl, {6210}, 90) + Taps(K::kLeftButton, {6500}, 100) +
         Taps(K::kRightCtrl, {6505}, 95);
}

struct Entry {
  int32_t category, reactionTime, left, right;
};

class TappingVariables : public TappingTest {
 protected:
  void RunAllParts() {
    ASSERT_TRUE(RunPart(0, LeftScript()));
    ASSERT_TRUE(RunPart(1, RightScript()));
    m_task->TaskParam[0] = 1;  // counters in Alt
    ASSERT_TRUE(RunPart(2, AltScript()));
    m_task->TaskParam[0] = 0;
    ASSERT_TRUE(RunPart(3, SyncScript()));
  }
  void AddNorms() {
    AddNorm("ZNlu_tp", 40, 8);
    AddNorm("ZTliu_tp", 200, 50);
    AddNorm("ZNru_tp", 40, 8);
    AddNorm("ZTriu_tp", 300, 25);
    AddNorm("ZNva_tp", 30, 5);
    AddNorm("ZTia_tp", 250, 25);
    AddNorm("ZNvac_tp", 30, 5);
    AddNorm("ZTiac_tp", 250, 35);
    AddNorm("ZNvs_tp", 20, 4);
    AddNorm("ZTis_tp", 300, 40);
    AddNorm("ZNvsc_tp", 20, 4);
    AddNorm("ZTisc_tp", 300, 40);
  }
  void ExpectEntries(int part, const std::vector<Entry>& expected) {
    ASSERT_EQ(Entries(part), expected.size()) << "part " << part;
    for (size_t i = 0; i < expected.size(); ++i) {
      SCOPED_TRACE("part " + std::to_string(part) + " entry " + std::to_string(i));
      EXPECT_EQ(m_runData->category[part][i], expected[i].category);
      EXPECT_EQ(m_runData->reactionTime[part][i], expected[i].reactionTime);
      EXPECT_EQ(m_runData->responseCode[part][i], expected[i].left);
      EXPECT_EQ(m_runData->taskCategory[part][i], expected[i].right);
    }
  }
};

TEST_F(TappingVariables, EachChangeOfTheKeysIsOneEntry) {
  RunAllParts();
  // Category: keys after the change (1 left, 2 right) + changed keys x 4.
  // The counters count every press from the first tap on.
  ExpectEntries(0, {{5, 900, 3, 0},
                    {4, 90, 3, 0},
                    {5, 110, 4, 0},
                    {4, 80, 4, 0},
                    {5, 170, 5, 0},
                    {4, 100, 5, 0},
                    {5, 50, 6, 0},
                    {4, 100, 6, 0},
                    {5, 100, 7, 0},
                    {4, 60, 7, 0},
                    {5, 9090, 8, 0},
                    {4, 50, 8, 0}});
  ExpectEntries(1, {{10, 2950, 0, 2}, {8, 100, 0, 2}, {10, 200, 0, 3}, {8, 80, 0, 3}, {10, 320, 0, 4}, {8, 50, 0, 4}});
  ExpectEntries(2, {{5, 2950, 2, 0},
                    {11, 85, 2, 1},
                    {6, 15, 2, 1},
                    {8, 85, 2, 1},
                    {5, 115, 3, 1},
                    {4, 80, 3, 1},
                    {5, 120, 4, 1},
                    {4, 60, 4, 1},
                    {10, 140, 4, 2},
                    {8, 80, 4, 2},
                    {5, 120, 5, 2},
                    {4, 60, 5, 2},
                    {10, 140, 5, 3},
                    {8, 50, 5, 3}});
  // No counters in Sync without TaskParam word 0: both counts stay 0. Two
  // keys changing in one ms make one entry (12: both up, 15: both down).
  ExpectEntries(3, {{5, 2940, 0, 0},
                    {11, 10, 0, 0},
                    {12, 90, 0, 0},
                    {5, 200, 0, 0},
                    {11, 50, 0, 0},
                    {6, 50, 0, 0},
                    {8, 50, 0, 0},
                    {15, 150, 0, 0},
                    {9, 90, 0, 0},
                    {11, 20, 0, 0},
                    {12, 90, 0, 0},
                    {5, 200, 0, 0},
                    {11, 5, 0, 0},
                    {12, 95, 0, 0}});
}

struct Expected {
  int index;
  const char* code;
  double value;  // 9999.0: no value
};

const Expected kExpected[] = {
    {0, "Nlu_tp", 6},           {1, "Nliu_tp", 5},
    {2, "Tliu_tp", 1990},       {3, "Sliu_tp", 4002.717826677269},  // sqrt(|(5 x 83887500 - 9950^2) / 20|)
    {4, "ZNlu_tp", 4.5},    // 5 taps in the window: (40 - 4) / 8, more is better
    {5, "ZTliu_tp", 35.8},  // (1990 - 200) / 50
    {6, "Nru_tp", 3},           {7, "Nriu_tp", 2},
    {8, "Triu_tp", 350},        {9, "Sriu_tp", 70.71067811865476},  // sqrt(5000)
    {10, "ZNru_tp", 4.75},      {11, "ZTriu_tp", 2.0},
    {12, "Nla_tp", 4},          {13, "Nra_tp", 3},
    {14, "Nva_tp", 3},          {15, "Tia_tp", 200},
    {16, "Sia_tp", 0},          {17, "ZNva_tp", 5.4},
    {18, "ZTia_tp", -2.0},      {19, "Nvac_tp", 5},
    {20, "Tiac_tp", 180},       {21, "Siac_tp", 53.50233639758174},  // sqrt(|(5 x 173450 - 900^2) / 20|)
    {22, "ZNvac_tp", 5.0},      {23, "ZTiac_tp", -2.0},
    {24, "Nls_tp", 4},          {25, "Nrs_tp", 5},
    {26, "Nvs_tp", 1},          {27, "Tis_tp", 320},
    {28, "Sis_tp", kNoValue},  // one interval has no SD
    {29, "ZNvs_tp", 4.75},      {30, "ZTis_tp", 0.5},
    {31, "Nvsc_tp", 0},         {32, "Tisc_tp", kNoValue},
    {33, "Sisc_tp", kNoValue},  {34, "ZNvsc_tp", 5.0},  // one pair in the window: (20 - 0) / 4
    {35, "ZTisc_tp", kNoValue},
};

TEST_F(TappingVariables, ThirtySixVariablesWithZScores) {
  RunAllParts();
  AddNorms();
  m_task->TaskParam[1] = 20;
  m_task->TaskParam[2] = 60;
  EXPECT_EQ(Compute(), 36);
  EXPECT_EQ(m_runData->resultWord, 1);
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(e.code);
    EXPECT_STREQ(m_runData->scoreVariables[e.index].code, e.code);
    if (e.value == kNoValue) {
      EXPECT_FALSE(Valid(e.index));
      EXPECT_EQ(m_runData->values[e.index], kNoValue);
    } else {
      EXPECT_TRUE(Valid(e.index));
      EXPECT_NEAR(Value(e.index), e.value, 1e-9);
    }
  }
}

TEST_F(TappingVariables, NoZScoresWithoutTesteeAge) {
  RunAllParts();
  AddNorms();
  m_runData->testee = nullptr;
  EXPECT_EQ(Compute(), 36);
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(e.code);
    if (e.code[0] == 'Z') {
      EXPECT_FALSE(Valid(e.index));
    } else if (e.value != kNoValue) {
      EXPECT_NEAR(Value(e.index), e.value, 1e-9);
    }
  }
}

TEST_F(TappingVariables, NoZScoresWithoutNorms) {
  RunAllParts();
  EXPECT_EQ(Compute(), 36);
  for (const Expected& e : kExpected) {
    if (e.code[0] == 'Z') {
      EXPECT_FALSE(Valid(e.index)) << e.code;
    }
  }
  EXPECT_NEAR(Value(2), 1990, 1e-9);
}

TEST_F(TappingVariables, TheCriteriaComeFromTheModelTask) {
  RunAllParts();
  // Alt at 10 %: L1 and R1 (15 %) are invalid as without overlap.
  // Sync at 40 %: P2 (50 %) is a pair again: the same as without overlap.
  m_task->TaskParam[1] = 10;
  m_task->TaskParam[2] = 40;
  EXPECT_EQ(Compute(), 36);
  EXPECT_EQ(Value(19), 3);
  EXPECT_EQ(Value(20), 200);
  EXPECT_EQ(Value(31), 1);
  EXPECT_EQ(Value(32), 320);
}

TEST_F(TappingVariables, PartsWithAtMostOneEntryHaveNoValues) {
  RunAllParts();
  m_task->trialCounts[0] = 1;
  m_task->trialCounts[2] = 0;
  EXPECT_EQ(Compute(), 36);
  for (int i = 0; i < 6; ++i) EXPECT_FALSE(Valid(i)) << i;
  for (int i = 12; i < 24; ++i) EXPECT_FALSE(Valid(i)) << i;
  EXPECT_EQ(Value(6), 3);
  EXPECT_EQ(Value(24), 4);
}

TEST_F(TappingVariables, WithoutRunDataNothingIsComputed) {
  int32_t out = 0;
  EXPECT_TRUE(m_record->CallTaskEntry(kCmdComputeVariables, 0, 0, 0, &out));
  EXPECT_EQ(out, -1);
  // The compute-variables command without a result pointer computes nothing.
  m_runData->resultWord = 5;
  EXPECT_TRUE(
      m_record->CallTaskEntry(kCmdComputeVariables, reinterpret_cast<intptr_t>(m_runData.get()), 0, 0, nullptr));
  EXPECT_EQ(m_runData->resultWord, 5);
}

}  // namespace

}  // namespace qel
