// "Shifting Attentional Set Visual" as the program loads it: codes, buttons
// and categories (a table of cases), where the square is drawn as the list
// goes on, breaks, and the mixed part run end to end on the virtual clock
// with its variables and Z-scores.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

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

struct CodeCase {
  int part;
  const char* code;
  int32_t correct;
  int32_t rightAnswerBecomes;
  int32_t wrongAnswerBecomes;
};

std::ostream& operator<<(std::ostream& os, const CodeCase& c) {
  return os << "part " << c.part + 1 << " \"" << c.code << "\"";
}

const CodeCase kCodes[] = {
    {0, "CL", kLeft, 0x10, 0x30},
    {0, "CR", kRight, 0x11, 0x31},
    {1, "IL", kRight, 0x12, 0x32},  // the Part's edge case: the right button, 0x12
    {1, "IR", kLeft, 0x13, 0x33},
    {2, "ir", kLeft, 0x13, 0x33},  // either case
    {2, "CX", 0, -1, -1},          // no value: no button, categories unchanged
    {2, "", 0, -1, -1},
};

class ShiftingCodes : public testing::TestWithParam<CodeCase> {};

TEST_P(ShiftingCodes, ButtonAndCategories) {
  const CodeCase& c = GetParam();
  LoadedTask t("SSV");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, c.part));
  char slot[kTrialCodeSize] = {};
  std::strncpy(slot, c.code, kTrialCodeSize - 1);
  const intptr_t code = reinterpret_cast<intptr_t>(slot);
  t.Command(kCmdSetTrial, code);
  EXPECT_EQ(t.Value(kCmdCorrectResponse, code), c.correct);
  const int32_t wrongButton = c.correct == kLeft ? kRight : kLeft;
  for (const int32_t category : {kCatHit, kCatMiss}) {
    EXPECT_EQ(t.Value(kCmdClassifyResponse, category, c.correct),
              c.rightAnswerBecomes < 0 ? category : c.rightAnswerBecomes);
    EXPECT_EQ(t.Value(kCmdClassifyResponse, category, wrongButton),
              c.wrongAnswerBecomes < 0 ? category : c.wrongAnswerBecomes);
  }
  for (const int32_t other : {kCatCorrectRejection, kCatFalseAlarm, kCatAnticipation, kCatOmission, kCatSkipped}) {
    EXPECT_EQ(t.Value(kCmdClassifyResponse, other, c.correct), other) << "category " << other;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ShiftingCodes, testing::ValuesIn(kCodes));

TEST(ShiftingPositions, DrawnSquareWrapsOnlyAtTheEnds) {
  // From square 9 a right jump lands on 0; below 0 the square is drawn on 9.
  LoadedTask t("SSV");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  // 640 x 480: squares of 49 with gaps of 8 (pitch 57), the row from x 38.
  const auto squareAt = [&](int i) { return 38 + i * 57 + 24; };
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  constexpr COLORREF kGreen = QelRGB(0, 255, 0);
  constexpr COLORREF kRed = QelRGB(255, 0, 0);
  constexpr COLORREF kGrey = QelRGB(127, 127, 127);
  EXPECT_EQ(front.GetPixel(squareAt(4), 240), kGreen) << "the start, compatible colour";
  EXPECT_EQ(t.m_host.m_sleeps.back(), 1000u) << "a second before the first jump";
  EXPECT_EQ(front.Count(kGrey), 9 * 49 * 49);

  struct Step {
    const char* code;
    int square;
    COLORREF colour;
  };
  // The Part's edge case: CR, CR, CL go to 5, 6, 5; then on to the right end
  // and past it.
  const std::vector<Step> steps = {{"CR", 5, kGreen}, {"CR", 6, kGreen}, {"CL", 5, kGreen},
                                   {"IR", 6, kRed},   {"CR", 7, kGreen}, {"CR", 8, kGreen},
                                   {"IR", 9, kRed},   {"CR", 0, kGreen}, {"CL", 9, kGreen}};
  t.m_host.trialCount = static_cast<uint32_t>(steps.size());
  for (size_t i = 0; i < steps.size(); ++i) std::strcpy(t.m_host.trialList[i], steps[i].code);
  for (size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE(steps[i].code + std::string(" trial ") + std::to_string(i));
    t.m_host.trialIndex = static_cast<uint32_t>(i);
    ASSERT_TRUE(t.Command(kCmdShowSignal, reinterpret_cast<intptr_t>(t.m_host.trialList[i]),
                          reinterpret_cast<intptr_t>(&t.m_display)));
    EXPECT_EQ(front.GetPixel(squareAt(steps[i].square), 240), steps[i].colour);
    EXPECT_EQ(front.Count(kGrey), 9 * 49 * 49);
  }

  // A break shows the plain row; after it the square is back where the
  // previous trial left it, and the next trial waits a second more.
  t.m_host.trialIndex = 4;
  EXPECT_EQ(t.Value(kCmdBreakBegin), 0);
  EXPECT_EQ(front.Count(kGrey), 10 * 49 * 49);
  EXPECT_EQ(t.Value(kCmdBreakEnd), 1000);
  EXPECT_EQ(front.GetPixel(squareAt(6), 240), kRed) << "after trial 3 (IR to 6)";
}

// The mixed part of version 1 with a scripted testee: compatible jumps
// answered at 400 / 420 ms, incompatible ones at 500 / 520 ms, two
// incompatible left jumps answered with the wrong button.
TEST(ShiftingRun, MixedPartVariablesAndZScores) {
  LoadedTask t("SSV");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 2));
  ASSERT_EQ(t.m_host.trialCount, 80u);
  std::map<std::string, int> seen;
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(2, false, [&](const std::string& code) {
    const int ordinal = seen[code]++;
    if (code == "CL") return Answer{400, kLeft};
    if (code == "CR") return Answer{420, kRight};
    if (code == "IL") return ordinal < 2 ? Answer{450, kLeft} : Answer{500, kRight};
    return Answer{520, kLeft};  // IR
  }));
  for (const char* code : {"CL", "CR", "IL", "IR"}) EXPECT_EQ(seen[code], 20) << code;

  const std::map<std::string, test::Norm> chosen = {{"Zcl3_sv", {380.0, 10.0}}, {"Zeil3_sv", {1.0, 0.5}}};
  const std::map<std::string, test::Norm> norms = test::NormsFor(t, chosen);
  test::AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &test::kTestee, test::kTestDate), 116);
  const auto z = [&](const char* name, double value) { return (value - norms.at(name).mean) / norms.at(name).sd; };
  const double zcl = (400 - 380) / 10.0;
  const double zeil = (2 - 1) / 1.0;  // an SD below 1 counts as 1
  test::ExpectValues(t, {
                            {"Ntot3_sv", 80},
                            {"Ncl3_sv", 20},
                            {"Tcl3_sv", 400},
                            {"Scl3_sv", 0},
                            {"Zcl3_sv", zcl},
                            {"Ncr3_sv", 20},
                            {"Tcr3_sv", 420},
                            {"Tc3_sv", 410},
                            {"Zc3_sv", (zcl + z("Zcr3_sv", 420)) / 2},
                            {"Necl3_sv", 0},
                            {"Necr3_sv", 0},
                            {"Nec3_sv", 0},
                            {"Nil3_sv", 18},
                            {"Til3_sv", 500},
                            {"Nir3_sv", 20},
                            {"Tir3_sv", 520},
                            {"Ti3_sv", 510},
                            {"Neil3_sv", 2},
                            {"Teil3_sv", 450},
                            {"Zeil3_sv", zeil},
                            {"Neir3_sv", 0},
                            {"Nei3_sv", 2},
                            {"Zei3_sv", (zeil + z("Zeir3_sv", 0)) / 2},
                            {"No3_sv", 0},
                            {"Np3_sv", 0},
                            {"Ni3_sv", 0},
                        });
  test::ExpectZFromOwnNorms(t, norms);
  test::ExpectPartEmpty(t, 0);
  test::ExpectPartEmpty(t, 1);
}

// A whole code slot without its NUL ("CC..." has no value), and no code at
// all: every trial asks for an answer.
TEST(ShiftingCodes, WholeSlotAndNoCode) {
  test::ExpectWholeSlots("SSV", 1, 2, {{'C', true}, {'I', true}, {'\0', true}});
}

// The demonstration: the square jumps along the part's six codes, a second
// each, until a key ends it; then the space key.
TEST(ShiftingDemonstration, JumpsOfThePart) {
  {
    LoadedTask t("SSV");
    ASSERT_TRUE(t.Loaded());
    ASSERT_TRUE(t.Setup(1, 0));
    const int before = t.m_display.m_presents;
    const uint32_t start = t.m_host.m_now;
    ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
    EXPECT_EQ(t.m_display.m_presents - before, 7);
    EXPECT_EQ(t.m_host.m_now - start, 6000u);
    // CR, CR, CL, CR, CL, CL: from square 4 back to square 4.
    EXPECT_EQ(t.m_display.Surface(kSurfaceFront).GetPixel(38 + 4 * 57 + 24, 240), QelRGB(0, 255, 0));
  }
  // A key after 2.5 s ends the jumps.
  LoadedTask t("SSV");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 2));
  const uint32_t keyAt = t.m_host.m_now + 2500;
  t.m_host.m_spaceKey = [keyAt](uint32_t now) { return now >= keyAt ? 57 : 0; };
  const int before = t.m_display.m_presents;
  ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
  EXPECT_EQ(t.m_display.m_presents - before, 3);
}

}  // namespace

}  // namespace qel
