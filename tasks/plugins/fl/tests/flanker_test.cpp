// "Flanker" as the program loads it: how a code is judged and its answer
// classified (a table of cases), what the grid and the warning look like,
// and a part run end to end on the virtual clock with its variables and
// Z-scores, including the norms of the combined rows.
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

constexpr int32_t kLeft = 1;
constexpr int32_t kRight = 2;
constexpr int32_t kUnchanged = -1;

// Version 1: blue (left), yellow (right), green (neutral).
constexpr COLORREF kBlue = QelRGB(0, 0, 255);
constexpr COLORREF kYellow = QelRGB(255, 255, 0);
constexpr COLORREF kGreen = QelRGB(0, 255, 0);

struct CodeCase {
  const char* code;
  bool target;
  COLORREF centre;
  COLORREF flank;
  int32_t correct;  // expected response (command 26)
  int32_t leftBecomes;
  int32_t rightBecomes;
};

std::ostream& operator<<(std::ostream& os, const CodeCase& c) { return os << "\"" << c.code << "\""; }

const CodeCase kCodes[] = {
    {"1", true, kBlue, kBlue, kLeft, 10, 14},              // compatible left
    {"2", true, kYellow, kYellow, kRight, 15, 11},         // compatible right
    {"3", false, kBlue, kGreen, kLeft, 12, 16},            // neutral left: the Part's edge case
    {"4", false, kYellow, kGreen, kRight, 17, 13},         // neutral right
    {"5", false, kBlue, kYellow, kLeft, 12, 16},           // incompatible left
    {"6", false, kYellow, kBlue, kRight, 17, 13},          // incompatible right
    {"", false, kBlue, kBlue, 0, kUnchanged, kUnchanged},  // no code: colours 0/0, no button
    {"7", false, kBlue, kBlue, 0, kUnchanged, kUnchanged},
};

class FlankerCodes : public testing::TestWithParam<CodeCase> {};

TEST_P(FlankerCodes, TargetColoursButtonAndCategories) {
  const CodeCase& c = GetParam();
  LoadedTask t("FL");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.Command(kCmdPrepareScreen, reinterpret_cast<intptr_t>(&t.m_display), 0));
  char slot[kTrialCodeSize] = {};
  std::strncpy(slot, c.code, kTrialCodeSize - 1);
  const intptr_t code = reinterpret_cast<intptr_t>(slot);

  EXPECT_EQ(t.Command(kCmdSetTrial, code), c.target);
  // The preview draws the grid in the code's colours (640 x 480: squares of
  // 36 pixels, 43 apart).
  MemoryDC dc(640, 480);
  ASSERT_TRUE(t.Command(kCmdDrawStimulus, reinterpret_cast<intptr_t>(&dc), code));
  EXPECT_EQ(dc.GetPixel(320, 240), c.centre);
  EXPECT_EQ(dc.GetPixel(320 - 43, 240 - 43), c.flank);
  EXPECT_EQ(dc.GetPixel(320 + 43, 240 + 43), c.flank);

  EXPECT_EQ(t.Value(kCmdCorrectResponse, code), c.correct);
  for (const int32_t category : {kCatHit, kCatCorrectRejection, kCatFalseAlarm, kCatMiss}) {
    const int32_t left = t.Value(kCmdClassifyResponse, category, kLeft);
    const int32_t right = t.Value(kCmdClassifyResponse, category, kRight);
    EXPECT_EQ(left, c.leftBecomes == kUnchanged ? category : c.leftBecomes) << "category " << category;
    EXPECT_EQ(right, c.rightBecomes == kUnchanged ? category : c.rightBecomes) << "category " << category;
  }
  for (const int32_t other : {kCatNone, kCatAnticipation, kCatOmission, kCatSkipped, kCatExcluded}) {
    EXPECT_EQ(t.Value(kCmdClassifyResponse, other, kLeft), other) << "category " << other << " passes unchanged";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, FlankerCodes, testing::ValuesIn(kCodes));

// With the buttons exchanged the colours keep their meaning: the correct
// answer is the host's code of the colour's side.
TEST(FlankerButtons, ExchangedButtonsFollowTheHostsCodes) {
  LoadedTask t("FL");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(2, 1));
  t.m_host.leftCode = 2;
  t.m_host.rightCode = 1;
  char slot[kTrialCodeSize] = "5";
  ASSERT_FALSE(t.Command(kCmdSetTrial, reinterpret_cast<intptr_t>(slot)));
  EXPECT_EQ(t.Value(kCmdCorrectResponse, reinterpret_cast<intptr_t>(slot)), 2);
  EXPECT_EQ(t.Value(kCmdClassifyResponse, kCatHit, 2), 12);
  EXPECT_EQ(t.Value(kCmdClassifyResponse, kCatHit, 1), 16);
}

// 640 x 480: the second size is 23 % of the height (110), squares of 36
// pixels with gaps of 7; the warning is a framed square over the centre
// square on the front surface, the grid comes on the back surface and is
// presented.
TEST(FlankerDrawing, WarningAndGrid) {
  LoadedTask t("FL");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(3, 1));
  ASSERT_TRUE(t.BeginRun());
  ASSERT_TRUE(t.Command(kCmdShowWarning));
  EXPECT_TRUE(t.m_host.Called("DrawFramedSquare 320 240 18"));

  char slot[kTrialCodeSize] = "6";  // version 3: green centre, red flanks
  ASSERT_FALSE(t.Command(kCmdSetTrial, reinterpret_cast<intptr_t>(slot)));
  const int presents = t.m_display.m_presents;
  ASSERT_TRUE(t.Command(kCmdShowSignal, reinterpret_cast<intptr_t>(slot), reinterpret_cast<intptr_t>(&t.m_display)));
  EXPECT_EQ(t.m_display.m_presents, presents + 1);
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  constexpr COLORREF kRed = QelRGB(255, 0, 0);
  constexpr COLORREF kGreenV3 = QelRGB(0, 255, 0);
  // Centre square 302..337, flanks 43 pixels apart, 7 pixels of gap between.
  EXPECT_EQ(front.GetPixel(302, 222), kGreenV3);
  EXPECT_EQ(front.GetPixel(337, 257), kGreenV3);
  EXPECT_EQ(front.GetPixel(338, 240), 0u) << "gap";
  EXPECT_EQ(front.GetPixel(345, 240), kRed) << "right flank";
  EXPECT_EQ(front.GetPixel(277 - 18, 197 - 18), kRed) << "top-left flank";
  EXPECT_EQ(front.Count(kGreenV3), 36 * 36);
  EXPECT_EQ(front.Count(kRed), 8 * 36 * 36);
}

// The demonstration: four grids around the centre, 75 pixels off in x and
// y; part 2 shows incompatible grids below.
TEST(FlankerDrawing, DemonstrationShowsFourGrids) {
  LoadedTask t("FL");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 1));
  ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  EXPECT_EQ(front.GetPixel(245, 165), kBlue);
  EXPECT_EQ(front.GetPixel(245 + 43, 165), kBlue);
  EXPECT_EQ(front.GetPixel(395, 165), kYellow);
  EXPECT_EQ(front.GetPixel(245, 315), kBlue);
  EXPECT_EQ(front.GetPixel(245 + 43, 315), kYellow) << "incompatible flanks in part 2";
  EXPECT_EQ(front.GetPixel(395, 315), kYellow);
  EXPECT_EQ(front.GetPixel(395 - 43, 315), kBlue);
  EXPECT_EQ(front.Count(kGreen), 0);
}

// Version 1, part 1 (codes 1-4, ten each) with a scripted testee.
TEST(FlankerRun, PartOneVariablesAndZScores) {
  LoadedTask t("FL");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_EQ(t.m_host.trialCount, 40u);

  std::map<std::string, int> seen;
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, false, [&](const std::string& code) {
    const int ordinal = seen[code]++;
    if (code == "1") return ordinal == 0 ? Answer{500, kRight} : Answer{450, kLeft};
    if (code == "2") return Answer{470, kRight};
    if (code == "3") return Answer{ordinal % 2 ? 540 : 500, kLeft};
    return ordinal < 2 ? Answer{600, kLeft} : Answer{520, kRight};
  }));
  EXPECT_EQ(run.Shown().size(), 40u);
  for (const char* code : {"1", "2", "3", "4"}) EXPECT_EQ(seen[code], 10) << code;
  for (const auto& [code, n] : seen) EXPECT_NE(code, "5") << "part 1 holds no incompatible display";

  const std::map<std::string, test::Norm> chosen = {
      {"Zlc1_fl", {400.0, 50.0}}, {"Zrc1_fl", {500.0, 20.0}}, {"Zln1_fl", {480.0, 40.0}}, {"Zelc1_fl", {0.5, 0.25}}};
  const std::map<std::string, test::Norm> norms = test::NormsFor(t, chosen);
  test::AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &test::kTestee, test::kTestDate), 112);

  const double zlc = (450 - 400) / 50.0;
  const double zrc = (470 - 500) / 20.0;
  const double zelc = (1 - 0.5) / 1.0;  // an error count's SD of at least 1
  const double zerc = (0 - norms.at("Zerc1_fl").mean) / norms.at("Zerc1_fl").sd;
  const double zln = (520 - 480) / 40.0;
  const double zrn = (520 - norms.at("Zrn1_fl").mean) / norms.at("Zrn1_fl").sd;
  const double zeln = (0 - norms.at("Zeln1_fl").mean) / norms.at("Zeln1_fl").sd;
  const double zern = (2 - norms.at("Zern1_fl").mean) / norms.at("Zern1_fl").sd;
  test::ExpectValues(t, {
                            {"Ntot1_fl", 40},
                            // Compatible left: 9 of 450 ms; right: 10 of 470 ms.
                            {"Nlc1_fl", 9},
                            {"Tlc1_fl", 450},
                            {"Slc1_fl", 0},
                            {"Mlc1_fl", 450},
                            {"Llc1_fl", std::log(450.0)},
                            {"Ulc1_fl", 450},
                            {"Dlc1_fl", 450},
                            {"Zlc1_fl", zlc},
                            {"Nrc1_fl", 10},
                            {"Trc1_fl", 470},
                            {"Zrc1_fl", zrc},
                            {"Tc1_fl", 460},
                            {"Zc1_fl", (zlc + zrc) / 2},
                            // One error left (500 ms), none right.
                            {"Nelc1_fl", 1},
                            {"Telc1_fl", 500},
                            {"Zelc1_fl", zelc},
                            {"Nerc1_fl", 0},
                            {"Terc1_fl", kNoValue},
                            {"Zerc1_fl", zerc},
                            {"Nec1_fl", 1},
                            {"Zec1_fl", (zelc + zerc) / 2},
                            // Neutral left: 5 of 500 and 5 of 540 ms.
                            {"Nln1_fl", 10},
                            {"Tln1_fl", 520},
                            {"Sln1_fl", std::sqrt(10 * 20.0 * 20.0 / 9)},
                            {"Mln1_fl", 540},
                            {"Lln1_fl", (std::log(500.0) + std::log(540.0)) / 2},
                            {"Uln1_fl", 540},
                            {"Dln1_fl", 500},
                            {"Zln1_fl", zln},
                            // Neutral right: 8 of 520 ms, two errors of 600 ms.
                            {"Nrn1_fl", 8},
                            {"Trn1_fl", 520},
                            {"Zrn1_fl", zrn},
                            {"Tn1_fl", 520},
                            {"Zn1_fl", (zln + zrn) / 2},
                            {"Neln1_fl", 0},
                            {"Zeln1_fl", zeln},
                            {"Nern1_fl", 2},
                            {"Tern1_fl", 600},
                            {"Zern1_fl", zern},
                            {"Nen1_fl", 2},
                            {"Zen1_fl", (zeln + zern) / 2},
                            {"No1_fl", 0},
                            {"Np1_fl", 0},
                            {"Ni1_fl", 0},
                        });
  test::ExpectZFromOwnNorms(t, norms);
  test::ExpectPartEmpty(t, 1);
}

// The norms of a combined row, as the program asks for them through the
// record: a mean RT of two sides has the mean of their norms, a count of
// both sides' errors the sum; no Z-score comes from a combined row's getter.
TEST(FlankerNorms, CombinedRowsMeanForTimesSumForCounts) {
  LoadedTask t("FL");
  ASSERT_TRUE(t.Loaded());
  test::AddNorms(
      t, {{"Zlc2_fl", {400.0, 40.0}}, {"Zrc2_fl", {500.0, 60.0}}, {"Zelc2_fl", {1.0, 2.0}}, {"Zerc2_fl", {3.0, 4.0}}});
  const auto normRow = [&](const char* z) {
    const int id = test::Row(t, z);
    for (uint32_t n = 0; n < t.m_library.normVariableCount; ++n) {
      if (t.m_library.normVariables[n].id == id) return static_cast<int>(n);
    }
    return -1;
  };
  struct Case {
    const char* row;
    int kind;
    double expected;
  };
  for (const Case& c :
       {Case{"Zc2_fl", 1, 450.0}, Case{"Zc2_fl", 2, 50.0}, Case{"Zec2_fl", 1, 4.0}, Case{"Zec2_fl", 2, 6.0}}) {
    SCOPED_TRACE(std::string(c.row) + " kind " + std::to_string(c.kind));
    const int n = normRow(c.row);
    ASSERT_GE(n, 0);
    EXPECT_EQ(t.m_library.normVariables[n].name, nullptr) << "a combined row";
    double out = 0.0;
    ASSERT_TRUE(t.m_library.GetVariableValue(n, &out, 0.0, 40.0, c.kind, true));
    EXPECT_DOUBLE_EQ(out, c.expected);
  }
  double out = 0.0;
  EXPECT_FALSE(t.m_library.GetVariableValue(normRow("Zc2_fl"), &out, 430.0, 40.0, 0, true));
  EXPECT_EQ(out, kNoValue);
}

// The published lists: part 1 never shows an incompatible display, part 2
// never a neutral one, in every version, practice and test.
TEST(FlankerLists, PartsHoldTheirKindsOnly) {
  LoadedTask t("FL");
  ASSERT_TRUE(t.Loaded());
  for (uint32_t version = 1; version <= 3; ++version) {
    for (int part = 0; part < 2; ++part) {
      for (const bool practice : {true, false}) {
        SCOPED_TRACE("version " + std::to_string(version) + " part " + std::to_string(part + 1));
        ASSERT_TRUE(t.Setup(version, part, practice));
        const uint32_t expected = practice ? (part == 0 ? 8u : 12u) : (part == 0 ? 40u : 80u);
        ASSERT_EQ(t.m_host.trialCount, expected);
        std::map<char, int> counts;
        for (uint32_t i = 0; i < t.m_host.trialCount; ++i) ++counts[t.m_host.trialList[i][0]];
        const std::string kinds = part == 0 ? "1234" : "1256";
        for (const char k : kinds) EXPECT_EQ(counts[k], static_cast<int>(expected / 4)) << k;
        EXPECT_EQ(counts.size(), 4u);
      }
    }
  }
}

// A whole code slot without its NUL, and no code at all.
TEST(FlankerCodes, WholeSlotAndNoCode) {
  test::ExpectWholeSlots("FL", 1, 0, {{'1', true}, {'4', false}, {'\0', false}});
}

}  // namespace

}  // namespace qel
