// Pursuit as the program runs it: the plug-in of the program folder loaded
// by the program's loader, each part run by the run-self-timed command on a
// worker thread on the virtual clock, the variables computed into the
// program's run data. The testee watches the screen and holds the pointer
// at the target less an offset that changes with the samples, so each
// stored deviation is known.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tasks/layers/mouse/tests/support/LoadedMouseTask.h"

namespace qel {

namespace test {

namespace {

constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr double kMm = 0.29;  // the default pixel size

// The target of a frame: the middle of the green star's horizontal stroke.
QelPoint TargetOf(const Frame& f) {
  for (const DrawnLine& l : f.lines) {
    if (l.colour == kGreen && l.from.y == l.to.y) return QelPoint{(l.from.x + l.to.x - 1) / 2, l.from.y};
  }
  return QelPoint{-1, -1};
}

// The pointer's colour in a frame: its strokes are the lines that are not green.
COLORREF PointerColourOf(const Frame& f) {
  for (const DrawnLine& l : f.lines) {
    if (l.colour != kGreen) return l.colour;
  }
  return kNoBrush;
}

class PursuitRun : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_t.Loaded()); }

  // The testee of a part: the offset (target - pointer, pixels) of sample k.
  void Follow(std::function<QelPoint(int)> offset) {
    m_t.m_host.Reset(320, 240);
    m_started = false;
    m_t.m_host.m_mouse = [this, offset](uint32_t now) {
      if (!m_started) {
        m_started = true;
        m_first = now;
      }
      const QelPoint target = TargetOf(m_t.m_display.Shown());
      const QelPoint o = offset(static_cast<int>((now - m_first) / 100));
      return QelPoint{target.x - o.x, target.y - o.y};
    };
  }
  const int32_t* Times(int part) const { return m_t.m_runData->responseCode[part]; }

  LoadedMouseTask m_t{"PU"};
  bool m_started = false;
  uint32_t m_first = 0;
};

// Left hand: 150 samples each at 0, 5, 20 and 50 pixels (0, 1.45, 5.8 and
// 14.5 mm); right hand: 300 at 0 and 300 at 40 pixels (11.6 mm).
QelPoint LeftOffset(int k) {
  if (k < 150) return {0, 0};
  if (k < 300) return {3, 4};
  if (k < 450) return {12, 16};
  return {30, 40};
}
QelPoint RightOffset(int k) { return k < 300 ? QelPoint{0, 0} : QelPoint{24, 32}; }

struct Row {
  const char* code;
  int index;
  double value;  // 9999.0: no value
};

TEST_F(PursuitRun, TwoOneMinutePartsGiveEveryRowAndZScore) {
  m_t.m_task.w.TaskFbk = 2;  // the pointer turns red beyond the threshold
  std::vector<std::pair<uint32_t, COLORREF>> pointer;
  m_t.m_display.m_onPresent = [&](const Frame& f) { pointer.emplace_back(f.at, PointerColourOf(f)); };
  Follow(LeftOffset);
  ASSERT_TRUE(m_t.RunPart(0));
  ASSERT_EQ(m_t.Stored(0), 600u);
  // A sample every 100 ms from the start, each the offset of its time.
  const uint32_t t0 = static_cast<uint32_t>(Times(0)[0]);
  for (int k = 0; k < 600; ++k) {
    ASSERT_EQ(Times(0)[k], static_cast<int32_t>(t0 + 100 * k)) << k;
    const QelPoint o = LeftOffset(k);
    ASSERT_EQ(m_t.m_runData->category[0][k], o.x) << k;
    ASSERT_EQ(m_t.m_runData->reactionTime[0][k], o.y) << k;
  }
  EXPECT_EQ(m_t.m_host.breakFlag, 0);
  // The frame drawn at each sample shows the pointer red beyond 12 mm only.
  int red = 0;
  int white = 0;
  for (const auto& [at, colour] : pointer) {
    if (at < t0 || (at - t0) % 100 != 1) continue;
    const int k = static_cast<int>((at - t0) / 100);
    EXPECT_EQ(colour, k >= 450 ? kRed : kWhite) << k;
    (colour == kRed ? red : white)++;
  }
  EXPECT_EQ(red, 149) << "the part ends with its last sample, before drawing";
  EXPECT_EQ(white, 450);

  Follow(RightOffset);
  ASSERT_TRUE(m_t.RunPart(1));
  ASSERT_EQ(m_t.Stored(1), 600u);

  // Norms: constant means and SDs; the percentages' Z-scores are reversed.
  const struct {
    const char* name;
    double mean, sd;
  } norms[] = {{"ZDl_pu", 5, 2}, {"ZSl_pu", 4, 1}, {"Z3l_pu", 60, 10}, {"Z6l_pu", 70, 10}, {"Z12l_pu", 80, 10},
               {"ZDr_pu", 6, 3}, {"ZSr_pu", 5, 2}, {"Z3r_pu", 40, 20}, {"Z6r_pu", 50, 20}, {"Z12r_pu", 90, 5}};
  for (const auto& n : norms) ASSERT_TRUE(m_t.AddNorm(n.name, n.mean, n.sd)) << n.name;
  ASSERT_EQ(m_t.Compute(), 1232);

  // By hand: left D = (0 + 1.45 + 5.8 + 14.5) / 4 = 5.4375, SD 5.655531 (599
  // degrees of freedom), 50 % within 3 mm, 75 % within 6 and 12 mm; right
  // D = 5.8, SD = 5.8 x sqrt(600 / 599), 50 %, 50 %, 100 %.
  const double dl = 5.4375, sl = 5.655530667280253, dr = 5.8, sr = 5.804839383403464;
  const double zdl = (dl - 5) / 2, zsl = (sl - 4) / 1, z3l = (60 - 50.0) / 10, z6l = (70 - 75.0) / 10,
               z12l = (80 - 75.0) / 10;
  const double zdr = (dr - 6) / 3, zsr = (sr - 5) / 2, z3r = (40 - 50.0) / 20, z6r = (50 - 50.0) / 20,
               z12r = (90 - 100.0) / 5;
  const Row rows[] = {
      {"Nl_pu", 0, 600},
      {"Dl_pu", 1, dl},
      {"ZDl_pu", 2, zdl},
      {"Sl_pu", 3, sl},
      {"ZSl_pu", 4, zsl},
      {"P3l_pu", 5, 50},
      {"Z3l_pu", 6, z3l},
      {"P6l_pu", 7, 75},
      {"Z6l_pu", 8, z6l},
      {"P12l_pu", 9, 75},
      {"Z12l_pu", 10, z12l},
      {"Nr_pu", 11, 600},
      {"Dr_pu", 12, dr},
      {"ZDr_pu", 13, zdr},
      {"Sr_pu", 14, sr},
      {"ZSr_pu", 15, zsr},
      {"P3r_pu", 16, 50},
      {"Z3r_pu", 17, z3r},
      {"P6r_pu", 18, 50},
      {"Z6r_pu", 19, z6r},
      {"P12r_pu", 20, 100},
      {"Z12r_pu", 21, z12r},
      {"D_pu", 22, (dl + dr) / 2},
      {"ZD_pu", 23, (zdl + zdr) / 2},
      {"S_pu", 24, (sl + sr) / 2},
      {"ZS_pu", 25, (zsl + zsr) / 2},
      {"P3_pu", 26, 50},
      {"Z3_pu", 27, (z3l + z3r) / 2},
      {"P6_pu", 28, 62.5},
      {"Z6_pu", 29, (z6l + z6r) / 2},
      {"P12_pu", 30, 87.5},
      {"Z12_pu", 31, (z12l + z12r) / 2},
      // Seconds: rows 32-91 the left hand's 1-60, 92-151 the right hand's.
      {"Dl001_pu", 32, 0},
      {"Dl015_pu", 46, 0},
      {"Dl016_pu", 47, 5 * kMm},
      {"Dl031_pu", 62, 20 * kMm},
      {"Dl046_pu", 77, 50 * kMm},
      {"Dl060_pu", 91, 50 * kMm},
      {"Dr001_pu", 92, 0},
      {"Dr030_pu", 121, 0},
      {"Dr031_pu", 122, 40 * kMm},
      {"Dr060_pu", 151, 40 * kMm},
      // With one-minute parts only the first block of seconds is computed.
      {"Dl061_pu", 152, kNoValue},
      {"Dr061_pu", 212, kNoValue},
      {"Dl600_pu", 1231 - 300, kNoValue},
      {"Dr600_pu", 1231, kNoValue},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.code);
    EXPECT_STREQ(m_t.m_library.scoreVariables[r.index].code, r.code);
    if (r.value == kNoValue) {
      EXPECT_FALSE(m_t.Valid(r.index));
    } else {
      EXPECT_TRUE(m_t.Valid(r.index));
      EXPECT_NEAR(m_t.Value(r.index), r.value, 1e-9);
    }
  }
  for (int s = 1; s <= 60; ++s) {
    EXPECT_NEAR(m_t.Value(31 + s), LeftOffset((s - 1) * 10).x * 5 / 3 * kMm, 1e-9) << s;
  }
}

TEST_F(PursuitRun, APracticePartLasts15SecondsAndHasNoZScores) {
  ASSERT_TRUE(m_t.AddNorm("ZDl_pu", 5, 2));
  Follow([](int) { return QelPoint{6, 8}; });
  ASSERT_TRUE(m_t.RunPart(0, true));
  EXPECT_EQ(m_t.Stored(0), 150u);
  EXPECT_EQ(Times(0)[149] - Times(0)[0], 14900);
  EXPECT_EQ(m_t.m_host.trialCount, 150u) << "the practice list's length";
  ASSERT_EQ(m_t.Compute(true), 1232);
  EXPECT_EQ(m_t.Value(0), 150);
  EXPECT_NEAR(m_t.Value(1), 10 * kMm, 1e-9);
  EXPECT_NEAR(m_t.Value(3), 0.0, 1e-12) << "every sample alike";
  EXPECT_FALSE(m_t.Valid(2)) << "no norm window in a practice run";
  EXPECT_EQ(m_t.Value(11), 0.0) << "the right hand has no samples";
  EXPECT_FALSE(m_t.Valid(12));
  EXPECT_FALSE(m_t.Valid(32)) << "15 s make no block of seconds";
}

TEST_F(PursuitRun, LongPartsAreCutToTenMinutes) {
  m_t.m_task.TaskPartTrials[0] = 700;
  m_t.m_host.Reset(320, 240);  // the testee keeps the pointer in the centre
  ASSERT_TRUE(m_t.RunPart(0));
  ASSERT_EQ(m_t.Stored(0), 6000u);
  EXPECT_EQ(Times(0)[5999] - Times(0)[0], 599900);
  ASSERT_EQ(m_t.Compute(), 1232);
  // Every block of seconds of the left hand; the right hand has none.
  EXPECT_TRUE(m_t.Valid(32));
  EXPECT_TRUE(m_t.Valid(1231 - 300)) << "Dl600_pu";
  EXPECT_FALSE(m_t.Valid(92)) << "Dr001_pu";
}

TEST_F(PursuitRun, APauseInTheBreakDialogExtendsThePart) {
  Follow([](int) { return QelPoint{3, 4}; });
  // Escape 10 s into the part; the dialog answers Continue after 20 s.
  m_t.m_host.m_keys.push_back({kScanEscape, 10000, 10050});
  m_t.m_display.m_breakAnswer = kBreakContinue;
  m_t.m_display.m_breakAnswerAfterMs = 20000;
  ASSERT_TRUE(m_t.RunPart(0));
  ASSERT_EQ(m_t.Stored(0), 600u);
  ASSERT_EQ(m_t.m_display.m_breakOpened, 1);
  EXPECT_EQ(m_t.m_display.m_breakTitles[0], "10 second from 60: User Break!");
  EXPECT_EQ(m_t.m_host.breakFlag, 0);
  // The sampling resumes where it stopped: one gap of the pause, then 100 ms again.
  const int32_t* t = Times(0);
  int gaps = 0;
  int32_t pause = 0;
  for (int k = 1; k < 600; ++k) {
    if (t[k] - t[k - 1] != 100) {
      ++gaps;
      pause = t[k] - t[k - 1] - 100;
      EXPECT_EQ(k, 100) << "the pause falls before the 101st sample";
    }
  }
  EXPECT_EQ(gaps, 1);
  EXPECT_GE(pause, 20000);
  EXPECT_LE(pause, 20004);
  EXPECT_EQ(t[599] - t[0], 59900 + pause) << "the part is longer by the pause";
  for (int k = 0; k < 600; ++k) EXPECT_EQ(m_t.m_runData->category[0][k], 3) << k;
}

TEST_F(PursuitRun, StopInTheBreakDialogKeepsTheSamplesWithTheBreakFlag) {
  Follow([](int) { return QelPoint{0, 0}; });
  m_t.m_host.m_keys.push_back({kScanEscape, 5000, 5050});
  m_t.m_display.m_breakAnswer = kBreakStop;
  EXPECT_TRUE(m_t.RunPart(0)) << "samples were stored";
  EXPECT_EQ(m_t.Stored(0), 50u);
  EXPECT_EQ(m_t.m_host.breakFlag, 1);
  EXPECT_EQ(m_t.m_host.m_restoreCallback, nullptr);
}

TEST_F(PursuitRun, ARunBeingEndedStopsThePartWithoutADialog) {
  Follow([](int) { return QelPoint{0, 0}; });
  m_t.m_host.m_keys.push_back({kScanEscape, 2000, 100000});
  m_t.m_display.BreakSetState(kBreakStop);  // what the host does when the run is ended
  ASSERT_TRUE(m_t.Setup(0));
  m_t.m_display.BreakSetState(kBreakStop);
  EXPECT_TRUE(m_t.m_task.RunWholeTask(m_t.m_runData.get()));
  EXPECT_EQ(m_t.Stored(0), 20u);
  EXPECT_EQ(m_t.m_display.m_breakOpened, 0);
  EXPECT_EQ(m_t.m_host.breakFlag, 1);
}

TEST_F(PursuitRun, TheDemonstrationShowsTheRulerAndStoresNothing) {
  m_t.m_task.trialCounts[0] = 0;
  Follow([](int) { return QelPoint{3, 4}; });
  bool ruler = false;
  bool threshold = false;
  m_t.m_display.m_onPresent = [&](const Frame& f) {
    for (const DrawnText& text : f.texts) {
      if (text.text == "100mm") ruler = true;
      if (text.text == "12mm") threshold = true;
    }
  };
  m_t.Demonstrate(0);
  EXPECT_TRUE(ruler);
  EXPECT_TRUE(threshold);
  EXPECT_EQ(m_t.Stored(0), 0u);
  EXPECT_GE(m_t.m_host.m_now, 15000u) << "15 s of target";
  EXPECT_LT(m_t.m_host.m_now, 16000u);
}

TEST_F(PursuitRun, TheSceneShowsTheGreenStarAndThePointer) {
  m_t.m_task.TaskPartTrials[0] = 1;
  Follow([](int) { return QelPoint{30, 30}; });
  ASSERT_TRUE(m_t.RunPart(0));
  // 640 x 480 at scale 1: the star's arms are 14 / 4 = 3 pixels.
  const Frame& f = m_t.m_display.Shown();
  const QelPoint target = TargetOf(f);
  ASSERT_GE(target.x, 0);
  EXPECT_EQ(m_t.m_display.FrontPixel(target.x + 3, target.y), kGreen);
  EXPECT_EQ(m_t.m_display.FrontPixel(target.x, target.y - 3), kGreen);
  EXPECT_EQ(m_t.m_display.FrontPixel(target.x + 2, target.y + 2), kGreen) << "a diagonal arm";
  EXPECT_EQ(m_t.m_display.FrontPixel(target.x + 4, target.y), 0u);
  // The pointer: four white strokes from 3 to 6 pixels around it.
  ASSERT_EQ(f.lines.size(), 8u);
  QelPoint pointer{-1, -1};
  for (const DrawnLine& l : f.lines) {
    if (l.colour == kWhite && l.from.y == l.to.y && l.to.x < l.from.x) pointer = QelPoint{l.from.x + 3, l.from.y};
  }
  ASSERT_GE(pointer.x, 0);
  for (const QelPoint d : {QelPoint{-5, 0}, QelPoint{5, 0}, QelPoint{0, -5}, QelPoint{0, 5}}) {
    EXPECT_EQ(m_t.m_display.FrontPixel(pointer.x + d.x, pointer.y + d.y), kWhite) << d.x << "," << d.y;
  }
  EXPECT_EQ(m_t.m_display.FrontPixel(pointer.x, pointer.y), 0u) << "the pointer's centre is open";
}

}  // namespace

}  // namespace test

}  // namespace qel
