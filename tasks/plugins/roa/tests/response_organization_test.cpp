// "Response Organization Arrows" as the program loads it: codes, buttons
// and categories (a table of cases), the box and the arrows on a real
// raster display, and parts run end to end on the virtual clock with their
// variables and Z-scores.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "include/qel/TaskEntry.h"
#include "tasks/tests/support/LoadedTask.h"
#include "tasks/tests/support/RasterDisplay.h"
#include "tasks/tests/support/ScriptedRun.h"
#include "tasks/tests/support/RunExpectations.h"

namespace qel {

namespace {

using test::Answer;
using test::LoadedTask;
using test::ScriptedRun;

constexpr int32_t kLeft = 1;
constexpr int32_t kRight = 2;

struct CodeCase {
  const char* code;
  bool target;  // asks for the right button
  int32_t leftBecomes;
  int32_t rightBecomes;
};

std::ostream& operator<<(std::ostream& os, const CodeCase& c) { return os << "\"" << c.code << "\""; }

const CodeCase kCodes[] = {
    {"L", false, 10, 14}, {"R", true, 15, 11},
    {"r", false, 12, 16}, {"l", true, 17, 13},  // the Part's edge case: "l" with the right button is 13
    {"x", false, -1, -1}, {"", false, -1, -1},
};

class ArrowCodes : public testing::TestWithParam<CodeCase> {};

TEST_P(ArrowCodes, ButtonAndCategories) {
  const CodeCase& c = GetParam();
  LoadedTask t("ROA");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 2));
  EXPECT_EQ(t.m_library.runText, "Rl");
  char slot[kTrialCodeSize] = {};
  std::strncpy(slot, c.code, kTrialCodeSize - 1);
  const intptr_t code = reinterpret_cast<intptr_t>(slot);
  EXPECT_EQ(t.Command(kCmdSetTrial, code), c.target);
  EXPECT_EQ(t.Value(kCmdCorrectResponse, code), c.target ? kRight : kLeft);
  for (const int32_t category : {kCatHit, kCatCorrectRejection, kCatFalseAlarm, kCatMiss}) {
    EXPECT_EQ(t.Value(kCmdClassifyResponse, category, kLeft), c.leftBecomes < 0 ? category : c.leftBecomes);
    EXPECT_EQ(t.Value(kCmdClassifyResponse, category, kRight), c.rightBecomes < 0 ? category : c.rightBecomes);
  }
  for (const int32_t other : {kCatAnticipation, kCatOmission, kCatSkipped}) {
    EXPECT_EQ(t.Value(kCmdClassifyResponse, other, kLeft), other);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ArrowCodes, testing::ValuesIn(kCodes));

// 640 x 480: the second size is the screen height, so a unit is a pixel: a
// box of 176 x 80 framed in the warning colour, arrows of 88 x 40 in the
// colour of their kind, the head (40 long) on their side.
TEST(ArrowDrawing, BoxWarningAndArrows) {
  LoadedTask t("ROA");
  ASSERT_TRUE(t.Loaded());
  test::RasterDisplay raster(640, 480);
  t.m_host.display = &raster;
  ASSERT_TRUE(t.Setup(2, 2));
  ASSERT_TRUE(t.BeginRun());
  constexpr COLORREF kWhite = QelRGB(255, 255, 255);
  ASSERT_TRUE(t.Command(kCmdShowWarning));
  // The frame: 176 x 80 around the centre, its inside empty.
  EXPECT_EQ(raster.Pixel(kSurfaceFront, 232, 240), kWhite);
  EXPECT_EQ(raster.Pixel(kSurfaceFront, 407, 240), kWhite);
  EXPECT_EQ(raster.Pixel(kSurfaceFront, 320, 200), kWhite);
  EXPECT_EQ(raster.Pixel(kSurfaceFront, 320, 279), kWhite);
  EXPECT_EQ(raster.Count(kSurfaceFront, kWhite, 233, 201, 407, 279), 0);

  struct Shown {
    const char* code;
    COLORREF colour;
    int tipX;   // a pixel of the head near the point
    int tailX;  // a pixel of the shaft at the other end
  };
  // Version 2: blue compatible, yellow incompatible arrows.
  for (const Shown& s :
       {Shown{"L", QelRGB(0, 0, 255), 320 - 40, 320 + 40}, Shown{"r", QelRGB(255, 255, 0), 320 + 40, 320 - 40}}) {
    SCOPED_TRACE(s.code);
    char slot[kTrialCodeSize] = {};
    std::strcpy(slot, s.code);
    ASSERT_TRUE(t.Command(kCmdSetTrial, reinterpret_cast<intptr_t>(slot)) == (s.code[0] == 'l'));
    ASSERT_TRUE(t.Command(kCmdShowSignal, reinterpret_cast<intptr_t>(slot), reinterpret_cast<intptr_t>(&raster)));
    EXPECT_EQ(raster.Pixel(kSurfaceFront, s.tipX, 240), s.colour);
    EXPECT_EQ(raster.Pixel(kSurfaceFront, s.tailX, 240), s.colour);
    // At 15 pixels above the middle: inside the head, outside the shaft.
    const int headX = s.tipX + (s.tipX < 320 ? 32 : -32);
    const int shaftX = s.tailX + (s.tailX < 320 ? 5 : -5);
    EXPECT_EQ(raster.Pixel(kSurfaceFront, headX, 225), s.colour);
    EXPECT_EQ(raster.Pixel(kSurfaceFront, shaftX, 225), 0u);
    EXPECT_EQ(raster.Pixel(kSurfaceFront, 232, 240), kWhite) << "in its box";
  }
}

// Part 1 (compatible arrows, 24 of each side) of version 2 with a scripted
// testee; one right arrow answered with the left button.
TEST(ArrowRun, CompatiblePartVariablesAndZScores) {
  LoadedTask t("ROA");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(2, 0));
  ASSERT_EQ(t.m_host.trialCount, 48u);
  std::map<std::string, int> seen;
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, false, [&](const std::string& code) {
    const int ordinal = seen[code]++;
    if (code == "L") return Answer{380, kLeft};
    return ordinal == 0 ? Answer{420, kLeft} : Answer{390, kRight};
  }));
  EXPECT_EQ(seen["L"], 24);
  EXPECT_EQ(seen["R"], 24);

  const std::map<std::string, test::Norm> chosen = {{"Zcl1_ac", {400.0, 20.0}}, {"Zcr1_ac", {350.0, 20.0}}};
  const std::map<std::string, test::Norm> norms = test::NormsFor(t, chosen);
  test::AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &test::kTestee, test::kTestDate), 116);
  const auto z = [&](const char* name, double value) { return (value - norms.at(name).mean) / norms.at(name).sd; };
  test::ExpectValues(t, {
                            {"Ntot1_ac", 48},
                            {"Ncl1_ac", 24},
                            {"Tcl1_ac", 380},
                            {"Zcl1_ac", -1.0},
                            {"Ncr1_ac", 23},
                            {"Tcr1_ac", 390},
                            {"Zcr1_ac", 2.0},
                            {"Tc1_ac", 385},
                            {"Zc1_ac", 0.5},
                            {"Necl1_ac", 0},
                            {"Necr1_ac", 1},
                            {"Tecr1_ac", 420},
                            {"Nec1_ac", 1},
                            {"Zec1_ac", (z("Zecl1_ac", 0) + z("Zecr1_ac", 1)) / 2},
                            {"No1_ac", 0},
                            {"Np1_ac", 0},
                            {"Ni1_ac", 0},
                        });
  test::ExpectZFromOwnNorms(t, norms);
  test::ExpectPartEmpty(t, 1);
  test::ExpectPartEmpty(t, 2);
}

// The demonstration of the mixed part: the empty box, then the four arrows,
// each until the space key; a wait answered 1 ends it at once.
TEST(ArrowDemonstration, ShowsTheArrowsOfThePart) {
  for (const int part : {0, 1, 2}) {
    LoadedTask t("ROA");
    ASSERT_TRUE(t.Loaded());
    ASSERT_TRUE(t.Setup(1, part));
    const int before = t.m_display.m_presents;
    ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
    EXPECT_EQ(t.m_display.m_presents - before, part == 2 ? 5 : 3) << "part " << part + 1;
  }
  LoadedTask t("ROA");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 2));
  t.m_host.m_spaceChange = 1;
  const int before = t.m_display.m_presents;
  ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
  EXPECT_EQ(t.m_display.m_presents - before, 1);
}

// A whole code slot without its NUL (the first character counts), and no
// code at all.
TEST(ArrowCodes, WholeSlotAndNoCode) {
  test::ExpectWholeSlots("ROA", 1, 2, {{'R', true}, {'r', false}, {'\0', false}});
}

}  // namespace

}  // namespace qel
