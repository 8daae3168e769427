// "Gaze-Arrow Cueing" as the program loads it: the code parser and the
// categories (a table of cases), the catch window, the summary record, what
// the run draws, and whole parts run end to end on the virtual clock with
// their variables and Z-scores.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "include/qel/TaskEntry.h"
#include "tasks/tests/support/LoadedTask.h"
#include "tasks/tests/support/RasterDisplay.h"
#include "tasks/tests/support/ScriptedRun.h"
#include "tasks/tests/support/RunExpectations.h"
#include "tools/gazefaces/GazeFaces.h"

namespace qel {

namespace {

using test::Answer;
using test::LoadedTask;
using test::ScriptedRun;

constexpr int32_t kLeft = 1;
constexpr int32_t kRight = 2;
constexpr int32_t kBoth = 3;
constexpr int32_t kUnchanged = -1;
constexpr int32_t kSummary = 100;
constexpr COLORREF kRed = QelRGB(255, 0, 0);  // the crosses of catch trials

struct CodeCase {
  const char* code;
  bool accepted;  // the trial flag (command 25)
  int32_t correct;
  int32_t leftBecomes;
  int32_t rightBecomes;
};

std::ostream& operator<<(std::ostream& os, const CodeCase& c) { return os << "\"" << c.code << "\""; }

const CodeCase kCodes[] = {
    // Arrows: cue then ball; valid 14 / 17, invalid 15 / 16, wrong answers 8 above.
    {"aLL", true, kLeft, 14, 22},
    {"aRL", true, kLeft, 15, 23},  // the Part's edge case: 15 with the left button, 23 with the right
    {"aLR", true, kRight, 24, 16},
    {"aRR", true, kRight, 25, 17},
    {"arl", true, kLeft, 15, 23},  // either case
    // Faces (man 1, man 2, woman 1, woman 2; the third character is not read).
    {"m10LL", true, kLeft, 10, 18},
    {"m20RL", true, kLeft, 11, 19},
    {"w1xLR", true, kRight, 20, 12},
    {"w20RR", true, kRight, 21, 13},
    // A blank cue or ball side is read; without a cue (or ball) the category stays.
    {"a L", true, kLeft, kUnchanged, kUnchanged},
    {"aR ", true, kBoth, kUnchanged, kUnchanged},
    // Rejected: other first letters, short codes, other sides, faces 3 and up.
    {"xRL", false, kBoth, kUnchanged, kUnchanged},
    {"aRX", false, kBoth, kUnchanged, kUnchanged},
    {"aXL", false, kBoth, kUnchanged, kUnchanged},
    {"aR", false, kBoth, kUnchanged, kUnchanged},
    {"m1LL", false, kBoth, kUnchanged, kUnchanged},
    {"m30LL", false, kBoth, kUnchanged, kUnchanged},
    {"", false, kBoth, kUnchanged, kUnchanged},
};

class GazeCodes : public testing::TestWithParam<CodeCase> {};

TEST_P(GazeCodes, ParsedJudgedAndClassified) {
  const CodeCase& c = GetParam();
  LoadedTask t("GAC");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  char slot[kTrialCodeSize] = {};
  std::strncpy(slot, c.code, kTrialCodeSize - 1);
  const intptr_t code = reinterpret_cast<intptr_t>(slot);
  EXPECT_EQ(t.Command(kCmdSetTrial, code), c.accepted);
  // A rejected code reads no ball side: "none" asks for both buttons.
  EXPECT_EQ(t.Value(kCmdCorrectResponse, code), c.correct);
  for (const int32_t category : {kCatHit, kCatCorrectRejection, kCatFalseAlarm, kCatMiss}) {
    EXPECT_EQ(t.Value(kCmdClassifyResponse, category, kLeft), c.leftBecomes == kUnchanged ? category : c.leftBecomes);
    EXPECT_EQ(t.Value(kCmdClassifyResponse, category, kRight),
              c.rightBecomes == kUnchanged ? category : c.rightBecomes);
  }
  // Both buttons on a trial with a ball are a wrong answer.
  if (c.leftBecomes != kUnchanged) {
    EXPECT_EQ(t.Value(kCmdClassifyResponse, kCatHit, kBoth), std::max(c.leftBecomes, c.rightBecomes));
  }
  for (const int32_t other : {kCatNone, kCatAnticipation, kCatOmission, kCatSkipped, kCatExcluded}) {
    EXPECT_EQ(t.Value(kCmdClassifyResponse, other, kLeft), other) << "category " << other;
  }
  EXPECT_EQ(t.Value(kCmdOnResponse, kLeft, 0), 0);
  EXPECT_EQ(t.Value(kCmdOnNoResponse), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, GazeCodes, testing::ValuesIn(kCodes));

// A catch trial run through its window on the host's clock with the
// buttons of a script (times from the crosses' onset).
struct CatchCase {
  const char* name;
  int32_t leftAt;   // -1: never
  int32_t rightAt;  // -1: never
  int32_t category;
  int32_t sumGrows;  // by the slower press
  bool crossesLeftEarly;
};

std::ostream& operator<<(std::ostream& os, const CatchCase& c) { return os << c.name; }

const CatchCase kCatches[] = {
    {"both", 300, 420, 28, 420, true},           // the Part's edge case
    {"both late", 1800, 1500, 28, 1800, false},  // within 1200 + 700 ms
    {"one", 300, -1, 27, 0, false},
    {"right only", -1, 250, 27, 0, false},
    {"one in time", 1000, 1950, 27, 0, false},  // the second press after the window
    {"none", -1, -1, 26, 0, false},
};

class CatchWindow : public testing::TestWithParam<CatchCase> {};

TEST_P(CatchWindow, ButtonsDecideTheCategory) {
  const CatchCase& c = GetParam();
  LoadedTask t("GAC");
  ASSERT_TRUE(t.Loaded());
  test::RasterDisplay raster(640, 480);
  t.m_host.display = &raster;
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  char slot[kTrialCodeSize] = "c";
  const intptr_t code = reinterpret_cast<intptr_t>(slot);
  ASSERT_TRUE(t.Command(kCmdSetTrial, code));
  EXPECT_EQ(t.Value(kCmdCorrectResponse, code), kBoth);

  const uint32_t onset = t.m_host.m_now;
  std::vector<int32_t> ended;
  uint32_t crossesGoneAt = 0;
  t.m_host.m_buttonsAt = [&](uint32_t now) {
    const uint32_t at = now - onset;
    // What the timer thread would see meanwhile, and when the crosses left.
    ended.push_back(t.Value(kCmdIsTrialEnded));
    if (!crossesGoneAt && raster.Count(kSurfaceFront, kRed, 300, 220, 340, 260) == 0) crossesGoneAt = at;
    const auto pressed = [&](int32_t from) { return from >= 0 && at >= static_cast<uint32_t>(from); };
    return (pressed(c.leftAt) ? 1u : 0u) | (pressed(c.rightAt) ? 2u : 0u);
  };
  ASSERT_TRUE(t.Command(kCmdShowSignal, code, reinterpret_cast<intptr_t>(&raster)));
  t.m_host.m_buttonsAt = nullptr;

  EXPECT_EQ(t.m_host.m_now - onset, 1900u) << "the window: post-catch-cue interval 1200 + 700 ms";
  ASSERT_FALSE(ended.empty());
  for (const int32_t e : ended) EXPECT_EQ(e, 6) << "the run waits while the window is open";
  if (c.crossesLeftEarly) {
    EXPECT_EQ(crossesGoneAt, static_cast<uint32_t>(std::max(c.leftAt, c.rightAt)) + 1);
  } else {
    EXPECT_EQ(crossesGoneAt, 701u) << "the crosses stay 700 ms";
  }
  EXPECT_EQ(t.Value(kCmdIsTrialEnded), 1) << "once, after the window";
  EXPECT_EQ(t.Value(kCmdIsTrialEnded), 0);
  EXPECT_EQ(t.Value(kCmdOnResponse, kBoth, 0), kCatExcluded);
  EXPECT_EQ(t.Value(kCmdOnNoResponse), kCatExcluded);
  // The run engine ends the trial with category 8: it reaches the catch categories.
  EXPECT_EQ(t.Value(kCmdClassifyResponse, kCatExcluded, 0), c.category);
  EXPECT_EQ(t.Value(kCmdClassifyResponse, kCatHit, kBoth), c.category);
  EXPECT_EQ(t.Value(kCmdClassifyResponse, kCatSkipped, 0), kCatSkipped);

  // The summary record after the part: the sum of the slower times.
  t.m_host.responseCount = 1;
  ASSERT_TRUE(t.Command(kCmdEndRun));
  EXPECT_EQ(t.m_runData->category[0][1], kSummary);
  EXPECT_EQ(t.m_runData->reactionTime[0][1], c.sumGrows);
  EXPECT_EQ(t.m_runData->responseCode[0][1], c.sumGrows ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, CatchWindow, testing::ValuesIn(kCatches),
                         [](const testing::TestParamInfo<CatchCase>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name) {
                             if (ch == ' ') ch = '_';
                           }
                           return name;
                         });

// The summary record goes after the records the part stored, never onto
// the current trial's record, and is counted once.
TEST(GazeSummary, WrittenAfterTheStoredRecords) {
  LoadedTask t("GAC");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  // Seven records for six trials (one given again); the last trial is index 5.
  for (int i = 0; i < 7; ++i) {
    t.m_runData->category[0][i] = kCatHit;
    t.m_runData->reactionTime[0][i] = 400 + i;
    t.m_runData->responseCode[0][i] = kLeft;
    t.m_runData->taskCategory[0][i] = 14;
  }
  t.m_host.trialIndex = 5;
  t.m_host.responseCount = 7;
  ASSERT_TRUE(t.Command(kCmdEndRun));
  EXPECT_EQ(t.Value(kCmdExtraResponseCount), 1);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(t.m_runData->category[0][i], kCatHit) << i;
    EXPECT_EQ(t.m_runData->reactionTime[0][i], 400 + i) << i;
  }
  EXPECT_EQ(t.m_runData->category[0][7], kSummary);
  EXPECT_EQ(t.m_runData->taskCategory[0][7], 0);

  // Full response arrays: nothing written, nothing counted.
  ASSERT_TRUE(t.BeginRun());
  EXPECT_EQ(t.Value(kCmdExtraResponseCount), 0);
  t.m_host.responseCount = kMaxResponses;
  ASSERT_TRUE(t.Command(kCmdEndRun));
  EXPECT_EQ(t.Value(kCmdExtraResponseCount), 0);
  // A part end without a part start writes nothing.
  t.m_host.responseCount = 3;
  t.m_runData->category[0][3] = kCatMiss;
  ASSERT_TRUE(t.Command(kCmdEndRun));
  EXPECT_EQ(t.m_runData->category[0][3], kCatMiss);
  EXPECT_EQ(t.Value(kCmdExtraResponseCount), 0);
}

// What a trial shows, on a real raster display of 640 x 480: the ball is a
// disc of radius 50 (the second size, 133 % of the height, x 38 / 480) 174
// pixels beside the centre, with black meridians, clear of the cue; the
// arrow points to the cue's side; the face looks to the cue's side.
class GazeDrawing : public testing::Test {
 protected:
  GazeDrawing() : m_t("GAC"), m_raster(640, 480) {}
  void SetUp() override {
    ASSERT_TRUE(m_t.Loaded());
    m_t.m_host.display = &m_raster;
  }
  void Show(uint32_t version, const char* code) {
    ASSERT_TRUE(m_t.Setup(version, 0));
    ASSERT_TRUE(m_t.BeginRun());
    std::strncpy(m_slot, code, kTrialCodeSize - 1);
    ASSERT_TRUE(m_t.Command(kCmdSetTrial, reinterpret_cast<intptr_t>(m_slot)));
    ASSERT_TRUE(m_t.Command(kCmdShowSignal, reinterpret_cast<intptr_t>(m_slot), reinterpret_cast<intptr_t>(&m_raster)));
  }
  COLORREF Front(int x, int y) { return m_raster.Pixel(kSurfaceFront, x, y); }

  LoadedTask m_t;
  test::RasterDisplay m_raster;
  char m_slot[kTrialCodeSize] = {};
};

TEST_F(GazeDrawing, BallHasItsSizeAndSide) {
  constexpr COLORREF kOrange = QelRGB(255, 127, 0);
  Show(2, "aLR");
  EXPECT_TRUE(m_t.m_host.Called("FillEllipse 444 190 545 291 " + std::to_string(kOrange)));
  // A disc of radius 50 around (494, 240) less its meridians: black lines
  // inside the disc, the ball's colour between them.
  const int ball = m_raster.Count(kSurfaceFront, kOrange, 440, 185, 550, 295);
  EXPECT_GT(ball, 5500);
  EXPECT_LT(ball, 8100);
  int meridians = 0;
  for (int y = 200; y < 280; ++y) {
    for (int x = 460; x < 530; ++x) meridians += Front(x, y) == 0u;
  }
  EXPECT_GT(meridians, 300);
  EXPECT_EQ(Front(494 + 35, 240), kOrange);
  EXPECT_EQ(m_raster.Count(kSurfaceFront, kOrange, 0, 0, 320, 480), 0) << "nothing on the left";
  EXPECT_EQ(m_raster.Count(kSurfaceFront, kOrange, 320, 0, 443, 480), 0) << "clear of the cue";
}

TEST_F(GazeDrawing, ArrowPointsToTheCue) {
  constexpr COLORREF kYellow = QelRGB(255, 255, 0);
  Show(1, "aRL");
  // 241 x 49 pixels around the centre, the head (48 long) on the right.
  EXPECT_EQ(Front(320 + 115, 240), kYellow);
  EXPECT_EQ(Front(320 + 75, 240 - 20), kYellow) << "the head is as high as the arrow";
  EXPECT_EQ(Front(320 - 115, 240), kYellow);
  EXPECT_EQ(Front(320 - 100, 240 - 20), 0u) << "the shaft is half as high";
  EXPECT_EQ(Front(320 + 125, 240), 0u);
  EXPECT_EQ(Front(146 - 35, 240), QelRGB(0, 255, 0)) << "the ball on the left, green in version 1";
}

TEST_F(GazeDrawing, NeutralCueThenFaceLookingToItsSide) {
  // The sleeps between the phases go through the host: 150 + 150 ms.
  Show(1, "w20LR");
  ASSERT_GE(m_t.m_host.m_sleeps.size(), 2u);
  EXPECT_EQ(m_t.m_host.m_sleeps[0], 150u);
  EXPECT_EQ(m_t.m_host.m_sleeps[1], 150u);
  // Woman 2 (face 3) looking left, her picture's corner at (200, 104).
  for (const int eye : {0, 1}) {
    double x = 0;
    double y = 0;
    pictures::GazePupilCentre(3, pictures::kGazeLeft, eye, &x, &y);
    const COLORREF pupil = Front(200 + static_cast<int>(x), 104 + static_cast<int>(y));
    EXPECT_LT(QelGetR(pupil) + QelGetG(pupil) + QelGetB(pupil), 0x60) << "eye " << eye;
    pictures::GazePupilCentre(3, pictures::kGazeStraight, eye, &x, &y);
    const COLORREF straight = Front(200 + static_cast<int>(x), 104 + static_cast<int>(y));
    EXPECT_GT(QelGetR(straight) + QelGetG(straight) + QelGetB(straight), 0x60) << "eye " << eye;
  }
}

TEST_F(GazeDrawing, CatchCrossesAreRed) {
  ASSERT_TRUE(m_t.Setup(1, 0));
  ASSERT_TRUE(m_t.BeginRun());
  char slot[kTrialCodeSize] = "c";
  ASSERT_TRUE(m_t.Command(kCmdSetTrial, reinterpret_cast<intptr_t>(slot)));
  int redAtStart = -1;
  m_t.m_host.m_buttonsAt = [&](uint32_t) {
    if (redAtStart < 0) redAtStart = m_raster.Count(kSurfaceFront, kRed, 300, 220, 340, 260);
    return 0u;
  };
  ASSERT_TRUE(m_t.Command(kCmdShowSignal, reinterpret_cast<intptr_t>(slot), reinterpret_cast<intptr_t>(&m_raster)));
  // Two crosses of 14 x 14 pixels (the first size) centred 7 pixels off the centre.
  EXPECT_GT(redAtStart, 60);
  EXPECT_EQ(m_raster.Count(kSurfaceFront, kRed, 0, 0, 640, 480), 0) << "removed at the end";
}

// Version 1, the whole test list of 104 with a scripted testee.
TEST(GazeRun, TestListVariablesCatchTrialsAndSummary) {
  LoadedTask t("GAC");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_EQ(t.m_host.trialCount, 104u);

  std::map<std::string, int> seen;
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, false, [&](const std::string& code) {
    if (code == "c") {
      const int ordinal = seen["c"]++;
      if (ordinal < 5) return Answer{300, kLeft, 50, 380, kRight};  // both: the slower at 380 ms
      if (ordinal == 5) return Answer{350, kLeft};                  // one button
      return Answer{};                                              // none
    }
    const bool face = code[0] != 'a';
    const char cue = code[code.size() - 2];
    const char ball = code[code.size() - 1];
    const std::string kind = std::string(face ? "g" : "a") + (cue == ball ? "v" : "i") + ball;
    const int ordinal = seen[kind]++;
    const uint32_t button = ball == 'L' ? kLeft : kRight;
    const uint32_t wrong = ball == 'L' ? kRight : kLeft;
    if (kind == "gvL") return Answer{420, button};
    if (kind == "gvR") return Answer{430, button};
    if (kind == "giL") return ordinal == 0 ? Answer{600, wrong} : Answer{470, button};
    if (kind == "giR") return Answer{460, button};
    if (kind == "avL") return Answer{400, button};
    if (kind == "avR") return ordinal == 0 ? Answer{450, wrong} : Answer{410, button};
    if (kind == "aiL") return Answer{ordinal % 2 ? 520 : 480, button};
    return ordinal < 2 ? Answer{300, wrong} : Answer{500, button};  // aiR
  }));
  EXPECT_EQ(run.Shown().size(), 104u);
  EXPECT_EQ(seen["c"], 8);
  for (const char* kind : {"gvL", "gvR", "giL", "giR", "avL", "avR", "aiL", "aiR"}) EXPECT_EQ(seen[kind], 12) << kind;

  // 104 trial records, then the summary record.
  ASSERT_EQ(t.m_task.trialCounts[0], 105u);
  const ITaskRunData& data = *t.m_runData;
  EXPECT_EQ(data.category[0][104], kSummary);
  EXPECT_EQ(data.reactionTime[0][104], 5 * 380);
  EXPECT_EQ(data.responseCode[0][104], 5);
  EXPECT_EQ(data.taskCategory[0][104], 0);
  std::map<int32_t, int> categories;
  for (int i = 0; i < 104; ++i) ++categories[data.taskCategory[0][i]];
  EXPECT_EQ(categories[28], 5);
  EXPECT_EQ(categories[27], 1);
  EXPECT_EQ(categories[26], 2);
  for (int i = 0; i < 104; ++i) EXPECT_NE(data.category[0][i], kSummary) << i;

  const std::map<std::string, test::Norm> chosen = {
      {"Zvgl_gac", {400.0, 40.0}}, {"Zvgr_gac", {420.0, 20.0}}, {"Ziar_gac", {450.0, 25.0}}, {"Zeiar_gac", {1.0, 2.0}}};
  const std::map<std::string, test::Norm> norms = test::NormsFor(t, chosen);
  test::AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &test::kTestee, test::kTestDate), 114);

  const auto z = [&](const char* name, double value) {
    const test::Norm& n = norms.at(name);
    const double sd = n.sd;  // all at least 1 but those chosen above
    return (value - n.mean) / sd;
  };
  const double zvgl = (420 - 400) / 40.0;
  const double zvgr = (430 - 420) / 20.0;
  const double ziar = (500 - 450) / 25.0;
  const double zeiar = (2 - 1) / 2.0;
  test::ExpectValues(t, {
                            {"Ntot_gac", 104},
                            {"Nvgl_gac", 12},
                            {"Tvgl_gac", 420},
                            {"Svgl_gac", 0},
                            {"Mvgl_gac", 420},
                            {"Lvgl_gac", std::log(420.0)},
                            {"Uvgl_gac", 420},
                            {"Dvgl_gac", 420},
                            {"Zvgl_gac", zvgl},
                            {"Nvgr_gac", 12},
                            {"Tvgr_gac", 430},
                            {"Zvgr_gac", zvgr},
                            {"Nvgo_gac", 24},
                            {"Tvgo_gac", 425},
                            {"Zvgo_gac", (zvgl + zvgr) / 2},
                            {"Nigl_gac", 11},
                            {"Tigl_gac", 470},
                            {"Nigr_gac", 12},
                            {"Tigr_gac", 460},
                            {"Nigo_gac", 23},
                            {"Tigo_gac", 465},
                            {"Zigo_gac", (z("Zigl_gac", 470) + z("Zigr_gac", 460)) / 2},
                            {"Nval_gac", 12},
                            {"Tval_gac", 400},
                            {"Nvar_gac", 11},
                            {"Tvar_gac", 410},
                            {"Nvao_gac", 23},
                            {"Tvao_gac", 405},
                            // Invalid arrow left: six of 480 and six of 520 ms.
                            {"Nial_gac", 12},
                            {"Tial_gac", 500},
                            {"Sial_gac", std::sqrt(12 * 20.0 * 20.0 / 11)},
                            {"Mial_gac", 520},
                            {"Lial_gac", (std::log(480.0) + std::log(520.0)) / 2},
                            {"Uial_gac", 520},
                            {"Dial_gac", 480},
                            {"Niar_gac", 10},
                            {"Tiar_gac", 500},
                            {"Ziar_gac", ziar},
                            {"Niao_gac", 22},
                            {"Tiao_gac", 500},
                            {"Ziao_gac", (z("Zial_gac", 500) + ziar) / 2},
                            // Wrong answers.
                            {"Nevgl_gac", 0},
                            {"Tevgl_gac", kNoValue},
                            {"Nevgr_gac", 0},
                            {"Nevgo_gac", 0},
                            {"Neigl_gac", 1},
                            {"Teigl_gac", 600},
                            {"Neigr_gac", 0},
                            {"Neigo_gac", 1},
                            {"Zeigo_gac", (z("Zeigl_gac", 1) + z("Zeigr_gac", 0)) / 2},
                            {"Neval_gac", 0},
                            {"Nevar_gac", 1},
                            {"Tevar_gac", 450},
                            {"Nevao_gac", 1},
                            {"Neial_gac", 0},
                            {"Neiar_gac", 2},
                            {"Teiar_gac", 300},
                            {"Zeiar_gac", zeiar},
                            {"Neiao_gac", 2},
                            {"Zeiao_gac", (z("Zeial_gac", 0) + zeiar) / 2},
                            // Catch trials: five with both buttons, the slower at 380 ms.
                            {"Ncb_gac", 5},
                            {"Tcb_gac", 380},
                            {"No_gac", 0},
                            {"Np_gac", 0},
                            {"Ni_gac", 0},
                        });
  test::ExpectZFromOwnNorms(t, norms);
}

// A practice run with a trial given again after an anticipation: ten
// records for nine trials, the summary record as the eleventh; no catch
// trial answered with both buttons, so no mean time; no Z-scores.
TEST(GazeRun, PracticeWithATrialGivenAgain) {
  LoadedTask t("GAC");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(2, 0, true));
  ASSERT_EQ(t.m_host.trialCount, 9u);
  bool anticipated = false;
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, true, [&](const std::string& code) {
    if (code == "c") return Answer{};
    const uint32_t button = code.back() == 'L' ? kLeft : kRight;
    if (code == "aLR" && !anticipated) {
      anticipated = true;
      return Answer{50, button};  // before the valid window: given again
    }
    return Answer{450, button};
  }));
  EXPECT_EQ(run.Shown().size(), 10u);
  ASSERT_EQ(t.m_task.trialCounts[0], 11u);
  EXPECT_EQ(t.m_runData->category[0][10], kSummary);
  EXPECT_EQ(t.m_runData->responseCode[0][10], 0);
  EXPECT_EQ(t.m_runData->category[0][9], kCatHit) << "the last trial's record is kept";

  test::AddNorms(t, test::NormsFor(t, {}));
  EXPECT_EQ(run.ComputeVariables(true, &test::kTestee, test::kTestDate), 114);
  test::ExpectValues(t, {{"Ntot_gac", 10},
                         {"Nvao_gac", 2},
                         {"Tvao_gac", 450},
                         {"Zvao_gac", kNoValue},
                         {"Niar_gac", 1},
                         {"Ncb_gac", 0},
                         {"Tcb_gac", kNoValue},
                         {"Np_gac", 1},
                         {"No_gac", 0}});
}

// A whole code slot without its NUL, and no code at all: judged, shown
// (a catch window for "ccc..."), hidden and previewed.
TEST(GazeCodes, WholeSlotAndNoCode) {
  test::ExpectWholeSlots("GAC", 1, 0, {{'a', false}, {'m', false}, {'c', true}, {'\0', false}});
}

// The demonstration: fixation, the ball on each side, a face and an arrow
// cue to each side with their phases, the catch crosses for 700 ms,
// fixation; each screen but the crosses waits for the space key, and a
// wait answered 1 ends it.
TEST(GazeDemonstration, ScreensInOrder) {
  {
    LoadedTask t("GAC");
    ASSERT_TRUE(t.Loaded());
    ASSERT_TRUE(t.Setup(1, 0));
    t.m_runData->ClearPart(0);
    const int before = t.m_display.m_presents;
    ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
    EXPECT_EQ(t.m_display.m_presents - before, 1 + 2 + 4 * 3 + 1 + 1);
    EXPECT_EQ(t.m_host.m_sleeps, (std::vector<uint32_t>{150, 150, 150, 150, 150, 150, 150, 150, 700}));
    EXPECT_EQ(t.m_runData->category[0][0], 0) << "no summary record from a demonstration";
    EXPECT_EQ(t.Value(kCmdExtraResponseCount), 0);
  }
  LoadedTask s("GAC");
  ASSERT_TRUE(s.Loaded());
  ASSERT_TRUE(s.Setup(1, 0));
  s.m_host.m_spaceChange = 1;
  const int before = s.m_display.m_presents;
  ASSERT_TRUE(s.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(s.m_runData.get())));
  EXPECT_EQ(s.m_display.m_presents - before, 1);
}

}  // namespace

}  // namespace qel
