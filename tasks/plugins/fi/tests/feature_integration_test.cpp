// "Feature Integration" as the program loads it: how a display is judged
// and an answer classified (a table of cases), what the patterns look like,
// and a run of the test list end to end on the virtual clock with its
// variables and Z-scores.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>

#include "include/qel/TaskEntry.h"
#include "tasks/tests/support/LoadedTask.h"
#include "tasks/tests/support/ScriptedRun.h"
#include "tasks/tests/support/RunExpectations.h"
#include "tests/support/fakes/MemoryDC.h"

namespace qel {

namespace {

using test::Answer;
using test::LoadedTask;
using test::ScriptedRun;

constexpr uint32_t kYes = 2;  // right button
constexpr uint32_t kNo = 1;
constexpr int32_t kUnchanged = -1;

struct DisplayCase {
  uint32_t version;
  const char* code;
  bool target;
  int32_t hit;    // category 1 becomes; for non-targets the correct rejection (2)
  int32_t error;  // category 4 (miss) or 3 (false alarm) becomes
};

std::ostream& operator<<(std::ostream& os, const DisplayCase& c) {
  return os << "version " << c.version << " \"" << c.code << "\"";
}

const DisplayCase kDisplays[] = {
    {1, "FAJG", true, 10, 16},   // the target with three similar: a hit is 10
    {1, "PMRS", false, 13, 15},  // four dissimilar: a correct rejection is 13
    {2, "BKHF", true, 10, 16},   // version B: a hit is 10
    {2, "PMTN", false, 13, 15},
    {3, "SCNO", true, 11, 17},                  // the target with three dissimilar
    {3, "FBLG", false, 12, 14},                 // four similar, target types A and B among them
    {1, "fajg", true, 10, 16},                  // either case
    {1, "ABCD", true, 10, 16},                  // other target types count as similar
    {1, "AMBN", true, kUnchanged, kUnchanged},  // a mixture keeps its category
    {1, "DEMN", false, kUnchanged, kUnchanged},
    {1, "AAMN", true, kUnchanged, kUnchanged},  // the target twice
    {1, "PM", true, kUnchanged, kUnchanged},    // too short: a target, no split
    {1, "", true, kUnchanged, kUnchanged},
};

class FeatureDisplays : public testing::TestWithParam<DisplayCase> {};

TEST_P(FeatureDisplays, JudgedAndClassified) {
  const DisplayCase& c = GetParam();
  LoadedTask t("FI");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(c.version, 0));
  char slot[kTrialCodeSize] = {};
  std::strncpy(slot, c.code, kTrialCodeSize - 1);
  const intptr_t code = reinterpret_cast<intptr_t>(slot);
  EXPECT_EQ(t.Command(kCmdSetTrial, code), c.target);
  EXPECT_EQ(t.Value(kCmdCorrectResponse, code), c.target ? kYes : kNo);
  const int32_t right = c.target ? kCatHit : kCatCorrectRejection;
  const int32_t wrong = c.target ? kCatMiss : kCatFalseAlarm;
  EXPECT_EQ(t.Value(kCmdClassifyResponse, right, 0), c.hit == kUnchanged ? right : c.hit);
  EXPECT_EQ(t.Value(kCmdClassifyResponse, wrong, 0), c.error == kUnchanged ? wrong : c.error);
  for (const int32_t other : {kCatNone, kCatAnticipation, kCatOmission, kCatSkipped}) {
    EXPECT_EQ(t.Value(kCmdClassifyResponse, other, 0), other);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, FeatureDisplays, testing::ValuesIn(kDisplays));

// 640 x 480: the second size is 14 % of the height (67): cells of 22 with
// gaps of 4, items 71 pixels from the centre in x and y. The signal shows
// the four patterns in white and red with the centre cross; hiding it
// leaves 36 framed empty cells.
TEST(FeatureDrawing, PatternsAtTheirPlaces) {
  LoadedTask t("FI");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  EXPECT_EQ(t.m_host.CountCalls("DrawFramedSquare"), 36);
  EXPECT_TRUE(t.m_host.Called("DrawFramedSquare 223 143 12")) << "top-left cell of item 0, half side 67 / 6 + 1";

  char slot[kTrialCodeSize] = "AMRS";
  ASSERT_TRUE(t.Command(kCmdShowSignal, reinterpret_cast<intptr_t>(slot), reinterpret_cast<intptr_t>(&t.m_display)));
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  constexpr COLORREF kRed = QelRGB(255, 0, 0);
  constexpr COLORREF kWhite = QelRGB(255, 255, 255);
  const auto cell = [&](int itemX, int itemY, int dx, int dy) {
    return front.GetPixel(itemX + dx * 26, itemY + dy * 26);
  };
  // A (item 0 at 249, 169): red top left, right, bottom.
  EXPECT_EQ(cell(249, 169, -1, -1), kRed);
  EXPECT_EQ(cell(249, 169, 1, 0), kRed);
  EXPECT_EQ(cell(249, 169, 0, 1), kRed);
  EXPECT_EQ(cell(249, 169, 0, 0), kWhite);
  EXPECT_EQ(cell(249, 169, 1, -1), kWhite);
  // M (item 1 at 391, 169): bottom left only. R (item 2 at 249, 311): bottom. S (item 3): left.
  EXPECT_EQ(cell(391, 169, -1, 1), kRed);
  EXPECT_EQ(cell(249, 311, 0, 1), kRed);
  EXPECT_EQ(cell(391, 311, -1, 0), kRed);
  EXPECT_EQ(front.Count(kRed), (3 + 1 + 1 + 1) * 22 * 22);
  EXPECT_EQ(front.Count(kWhite), (36 - 6) * 22 * 22 + (2 * 7 + 1) * 3 * 2 - 3 * 3)
      << "white cells and the centre cross";

  ASSERT_TRUE(t.Command(kCmdHideSignal, 0));
  EXPECT_EQ(front.Count(kRed), 0);
}

// The demonstration shows the version's target pattern at the centre.
TEST(FeatureDrawing, DemonstrationShowsTheTarget) {
  LoadedTask t("FI");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(3, 0));
  ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  constexpr COLORREF kRed = QelRGB(255, 0, 0);
  // C: left, top, bottom right; squares of half side 11 (23 pixels) 26 apart.
  EXPECT_EQ(front.GetPixel(320 - 26, 240), kRed);
  EXPECT_EQ(front.GetPixel(320, 240 - 26), kRed);
  EXPECT_EQ(front.GetPixel(320 + 26, 240 + 26), kRed);
  EXPECT_EQ(front.Count(kRed), 3 * 23 * 23);
}

// Version A, the test list of 80: 20 displays of each mixture.
TEST(FeatureRun, TestListVariablesAndZScores) {
  LoadedTask t("FI");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_EQ(t.m_host.trialCount, 80u);
  EXPECT_STREQ(t.m_host.trialList[0], "FAJG");

  std::map<std::string, int> seen;
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, false, [&](const std::string& code) {
    int similar = 0;
    bool target = false;
    for (const char c : code) {
      if (c == 'A') target = true;
      else if (c < 'M') ++similar;
    }
    const std::string kind = std::string(target ? "t" : "n") + (similar >= 3 ? "s" : "d");
    const int ordinal = seen[kind]++;
    if (kind == "ts") return ordinal == 0 ? Answer{800, kNo} : Answer{600, kYes};
    if (kind == "td") return Answer{500, kYes};
    if (kind == "ns") return ordinal < 2 ? Answer{650, kYes} : Answer{700, kNo};
    return Answer{550, kNo};
  }));
  for (const char* kind : {"ts", "td", "ns", "nd"}) EXPECT_EQ(seen[kind], 20) << kind;

  const std::map<std::string, test::Norm> chosen = {
      {"Zhs_fi", {550.0, 50.0}}, {"Zcs_fi", {650.0, 25.0}}, {"Zfs_fi", {1.0, 0.5}}};
  const std::map<std::string, test::Norm> norms = test::NormsFor(t, chosen);
  test::AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &test::kTestee, test::kTestDate), 56);

  const auto z = [&](const char* name, double value) { return (value - norms.at(name).mean) / norms.at(name).sd; };
  const double zhs = (600 - 550) / 50.0;
  const double zcs = (700 - 650) / 25.0;
  const double zfs = (2 - 1) / 1.0;  // an SD below 1 counts as 1
  test::ExpectValues(t, {
                            {"Ntot_fi", 80}, {"Nhs_fi", 19},
                            {"Ths_fi", 600}, {"Shs_fi", 0},
                            {"Mhs_fi", 600}, {"Lhs_fi", std::log(600.0)},
                            {"Uhs_fi", 600}, {"Dhs_fi", 600},
                            {"Zhs_fi", zhs}, {"Nhd_fi", 20},
                            {"Thd_fi", 500}, {"Ncs_fi", 18},
                            {"Tcs_fi", 700}, {"Zcs_fi", zcs},
                            {"Ncd_fi", 20},  {"Tcd_fi", 550},
                            {"Ts_fi", 650},  {"Zs_fi", (zhs + zcs) / 2},
                            {"Td_fi", 525},  {"Zd_fi", (z("Zhd_fi", 500) + z("Zcd_fi", 550)) / 2},
                            {"Nms_fi", 1},   {"Tms_fi", 800},
                            {"Nmd_fi", 0},   {"Tmd_fi", kNoValue},
                            {"Nfs_fi", 2},   {"Tfs_fi", 650},
                            {"Zfs_fi", zfs}, {"Nfd_fi", 0},
                            {"Nes_fi", 3},   {"Zes_fi", (z("Zms_fi", 1) + zfs) / 2},
                            {"Ned_fi", 0},   {"Zed_fi", (z("Zmd_fi", 0) + z("Zfd_fi", 0)) / 2},
                            {"No_fi", 0},    {"Np_fi", 0},
                            {"Ni_fi", 0},
                        });
  test::ExpectZFromOwnNorms(t, norms);
}

// A whole code slot without its NUL (the first four letters count), and no
// code at all (a target).
TEST(FeatureDisplays, WholeSlotAndNoCode) {
  test::ExpectWholeSlots("FI", 1, 0, {{'A', true}, {'M', false}, {'\0', true}});
}

}  // namespace

}  // namespace qel
