// Tracking as the program runs it: the plug-in of the program folder loaded
// by the program's loader, each part run by the run-self-timed command on a
// worker thread on the virtual clock, the variables computed into the
// program's run data. The testee's mouse jumps from waypoint to waypoint
// around the track every 20 ms, so every sample is known by design.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "tasks/layers/mouse/tests/support/LoadedMouseTask.h"

namespace qel {

namespace test {

namespace {

// 640 x 480 at scale 1.5, medium width: R = 170, w = 12 (circles at 158
// and 182), capture radius 6, the marker at (320, 70).
constexpr int kCx = 320;
constexpr int kCy = 240;
constexpr int kR = 170;

// A point of the testee's way: degrees counterclockwise from the top, and
// the distance from the centre.
struct Waypoint {
  double degrees;
  int radius;
};

QelPoint At(const Waypoint& w) {
  const double a = w.degrees * std::acos(-1.0) / 180.0;
  return QelPoint{kCx - static_cast<int>(std::lround(w.radius * std::sin(a))),
                  kCy - static_cast<int>(std::lround(w.radius * std::cos(a)))};
}

void Add(std::vector<Waypoint>& way, double from, double to, double step, int radius) {
  for (double d = from; step > 0 ? d <= to + 1e-9 : d >= to - 1e-9; d += step) way.push_back({d, radius});
}

// The left hand, counterclockwise: in the track, back twice, outside by
// +5 mm, back once outside, in the track by +1 mm, inside the inner circle
// by -5 mm, in the track by -1 mm, and on to the marker. Every step moves
// the pointer at least the capture radius along x or y.
std::vector<Waypoint> LeftWay() {
  std::vector<Waypoint> w;
  Add(w, 4.5, 58.5, 3, 170);
  w.push_back({55.5, 170});
  w.push_back({52.5, 170});
  w.push_back({55.5, 170});
  w.push_back({58.5, 170});
  Add(w, 61.5, 88.5, 3, 170);
  Add(w, 91.5, 148.5, 3, 188);
  w.push_back({145.5, 188});
  Add(w, 148.5, 178.5, 3, 170);
  Add(w, 181.5, 238.5, 3, 174);
  Add(w, 241.5, 298.5, 3, 152);
  Add(w, 301.5, 328.5, 3, 165);
  Add(w, 331.5, 361.5, 3, 170);
  return w;
}

// The right hand, clockwise, all in the middle of the track; early on it
// goes back onto the marker, which does not end the part.
std::vector<Waypoint> RightWay() {
  std::vector<Waypoint> w = {{-4.5, 170}, {-7.5, 170}, {-4.5, 170}, {-1.5, 170}, {-4.5, 170}};
  Add(w, -7.5, -361.5, -3, 170);
  return w;
}

// Deviation in whole mm of each distance used (0.29 mm a pixel).
int DeviationOf(int radius) {
  switch (radius) {
    case 188:
      return 5;
    case 152:
      return -5;
    case 174:
      return 1;
    case 165:
      return -1;
    default:
      return 0;
  }
}

class TrackingRun : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_t.Loaded()); }

  // The mouse: in the centre, on the marker at `marker` ms, then at one
  // waypoint after another every 20 ms from `first` ms.
  void Walk(const std::vector<Waypoint>& way, uint32_t marker = 500, uint32_t first = 520) {
    m_t.m_host.Reset(kCx, kCy);
    m_t.m_host.m_mouse = [way, marker, first](uint32_t now) {
      if (now < marker) return QelPoint{kCx, kCy};
      if (now < first) return QelPoint{kCx, kCy - kR};
      const size_t k = std::min<size_t>((now - first) / 20, way.size() - 1);
      return At(way[k]);
    };
  }
  // The stored samples against the way: category, time, deviation, sector.
  void ExpectSamples(int part, const std::vector<Waypoint>& way, bool counterclockwiseForward, int firstTime) {
    ASSERT_EQ(m_t.Stored(part), way.size());
    double previous = 0.0;
    for (size_t k = 0; k < way.size(); ++k) {
      SCOPED_TRACE(k);
      const double step = way[k].degrees - previous;
      previous = way[k].degrees;
      const bool outside = way[k].radius < 158 || way[k].radius > 182;
      const bool backward = counterclockwiseForward ? step < 0 : step > 0;
      EXPECT_EQ(m_t.m_runData->category[part][k], (outside ? 2 : 0) + (backward ? 1 : 0));
      EXPECT_EQ(m_t.m_runData->reactionTime[part][k], k == 0 ? firstTime : 20);
      EXPECT_EQ(m_t.m_runData->responseCode[part][k], DeviationOf(way[k].radius));
      const int progress = m_t.m_runData->taskCategory[part][k];
      EXPECT_NEAR(progress, std::fabs(way[k].degrees) * 60, 30) << "1/60 degree";
    }
  }

  LoadedMouseTask m_t{"TR"};
};

struct Row {
  const char* code;
  int index;
  double value;
};

TEST_F(TrackingRun, BothHandsGiveEveryRowAndZScore) {
  const std::vector<Waypoint> left = LeftWay();
  const std::vector<Waypoint> right = RightWay();
  Walk(left);
  ASSERT_TRUE(m_t.RunPart(0));
  ExpectSamples(0, left, true, 521);
  EXPECT_EQ(m_t.m_host.breakFlag, 0);
  EXPECT_TRUE(m_t.m_library.runText.empty());
  // The part ends with the pointer gliding from the marker to the centre.
  EXPECT_GE(m_t.m_host.m_now, 520u + 20 * (left.size() - 1) + 1900);
  EXPECT_EQ(m_t.m_display.Shown().ellipses.back().box.top, kCy - 4) << "the pointer is back in the centre";

  Walk(right);
  ASSERT_TRUE(m_t.RunPart(1));
  ExpectSamples(1, right, false, 521);

  ASSERT_TRUE(m_t.AddNorm("ZPfil_tr", 80, 10));
  ASSERT_TRUE(m_t.AddNorm("ZSl_tr", 2, 1));
  ASSERT_TRUE(m_t.AddNorm("ZDal_tr", 1, 0.5));
  ASSERT_TRUE(m_t.AddNorm("ZPfir_tr", 90, 5));
  ASSERT_TRUE(m_t.AddNorm("ZSr_tr", 1, 1));
  ASSERT_TRUE(m_t.AddNorm("ZDar_tr", 0.5, 0.5));
  ASSERT_EQ(m_t.Compute(), 168);

  // By hand from the ways. Left: 126 samples, 83 forward in, 2 back in, 40
  // forward out (20 at +5 and 20 at -5 mm), 1 back out (+5); deviations
  // 21 x +5, 20 x -5, 20 x +1, 10 x -1, 75 x 0. Right: 124 samples, 122
  // forward in, 2 back in, all at 0 mm.
  const double pl = 83 * 100.0 / 126, pr = 122 * 100.0 / 124;
  const double dl = 15.0 / 126, sl = 2.902708095161188, dal = 235.0 / 126;
  const double zpl = (80 - pl) / 10, zsl = (sl - 2) / 1, zdal = (dal - 1) / 0.5;
  const double zpr = (90 - pr) / 5, zsr = (0.0 - 1) / 1, zdar = (0.0 - 0.5) / 0.5;
  const double tl = (521 + 20 * 125) * 0.001, tr = (521 + 20 * 123) * 0.001;
  const Row rows[] = {
      {"Nsaml_tr", 0, 126},
      {"Tl_tr", 1, tl},
      {"Nfil_tr", 2, 83},
      {"Pfil_tr", 3, pl},
      {"ZPfil_tr", 4, zpl},
      {"Nbil_tr", 5, 2},
      {"Pbil_tr", 6, 200.0 / 126},
      {"Nfol_tr", 7, 40},
      {"Pfol_tr", 8, 4000.0 / 126},
      {"Nbol_tr", 9, 1},
      {"Pbol_tr", 10, 100.0 / 126},
      {"Nl_tr", 11, 126},
      {"Dl_tr", 12, dl},
      {"Sl_tr", 13, sl},
      {"ZSl_tr", 14, zsl},
      {"Dal_tr", 15, dal},
      {"Mal_tr", 16, 1},
      {"ZDal_tr", 17, zdal},
      // Sectors of 6 degrees: 0 mm up to 90, +5 beyond, mixed at 144-150.
      {"Dl01_tr", 18, 0},
      {"Dl15_tr", 32, 0},
      {"Dl16_tr", 33, 5},
      {"Dl25_tr", 42, 3.75},
      {"Dl31_tr", 48, 1},
      {"Dl41_tr", 58, -5},
      {"Dl51_tr", 68, -1},
      {"Dl60_tr", 77, 0},
      {"Nsamr_tr", 78, 124},
      {"Tr_tr", 79, tr},
      {"Nfir_tr", 80, 122},
      {"Pfir_tr", 81, pr},
      {"ZPfir_tr", 82, zpr},
      {"Nbir_tr", 83, 2},
      {"Pbir_tr", 84, 200.0 / 124},
      {"Nfor_tr", 85, 0},
      {"Pfor_tr", 86, 0},
      {"Nbor_tr", 87, 0},
      {"Pbor_tr", 88, 0},
      {"Nr_tr", 89, 124},
      {"Dr_tr", 90, 0},
      {"Sr_tr", 91, 0},
      {"ZSr_tr", 92, zsr},
      {"Dar_tr", 93, 0},
      {"Mar_tr", 94, 0},
      {"ZDar_tr", 95, zdar},
      {"Dr01_tr", 96, 0},
      {"Dr60_tr", 155, 0},
      {"T_tr", 156, (tl + tr) / 2},
      {"Pfi_tr", 157, (pl + pr) / 2},
      {"ZPfi_tr", 158, (zpl + zpr) / 2},
      {"Pbi_tr", 159, (200.0 / 126 + 200.0 / 124) / 2},
      {"Pfo_tr", 160, 4000.0 / 126 / 2},
      {"Pbo_tr", 161, 100.0 / 126 / 2},
      {"D_tr", 162, dl / 2},
      {"S_tr", 163, sl / 2},
      {"ZS_tr", 164, (zsl + zsr) / 2},
      {"Da_tr", 165, dal / 2},
      {"Ma_tr", 166, 0.5},
      {"ZDa_tr", 167, (zdal + zdar) / 2},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.code);
    EXPECT_STREQ(m_t.m_library.scoreVariables[r.index].code, r.code);
    EXPECT_TRUE(m_t.Valid(r.index));
    EXPECT_NEAR(m_t.Value(r.index), r.value, 1e-9);
  }
}

TEST_F(TrackingRun, TheDirectionWordSaysWhichWayIsForward) {
  // Word 1 = 0: clockwise is backward in part 1.
  Walk(RightWay());
  ASSERT_TRUE(m_t.RunPart(0));
  ExpectSamples(0, RightWay(), true, 521);
  EXPECT_EQ(m_t.m_runData->category[0][0], 1);
  // Word 1 = 1 (the right hand counterclockwise): clockwise is forward in
  // part 1, counterclockwise in part 2.
  m_t.m_task.TaskParam[1] = 1;
  Walk(RightWay());
  ASSERT_TRUE(m_t.RunPart(0));
  ExpectSamples(0, RightWay(), false, 521);
  EXPECT_EQ(m_t.m_runData->category[0][0], 0);
  Walk(RightWay());
  ASSERT_TRUE(m_t.RunPart(1));
  ExpectSamples(1, RightWay(), true, 521);
  EXPECT_EQ(m_t.m_runData->category[1][0], 1);
}

TEST_F(TrackingRun, TheFirstSampleMayComeUpTo30SecondsAfterTheStart) {
  Walk(LeftWay(), 29000, 29990);
  ASSERT_TRUE(m_t.RunPart(0));
  ExpectSamples(0, LeftWay(), true, 29991);
}

struct DiscardCase {
  const char* what;
  uint32_t marker;
  uint32_t first;
  bool around;  // a turn and a half outside the track
  const char* text;
};

class TrackingDiscard : public TrackingRun, public ::testing::WithParamInterface<DiscardCase> {};

TEST_P(TrackingDiscard, ThePartSaysWhyNothingWasStored) {
  const DiscardCase& c = GetParam();
  std::vector<Waypoint> way;
  if (c.around) {
    Add(way, 4.5, 600, 3, 188);  // never back on the marker
  } else {
    way = LeftWay();
  }
  m_t.m_task.trialCounts[0] = 77;
  Walk(way, c.marker, c.first);
  EXPECT_FALSE(m_t.RunPart(0));
  EXPECT_EQ(m_t.Stored(0), 0u);
  EXPECT_EQ(m_t.m_host.breakFlag, 1) << "not offered as a complete run";
  EXPECT_EQ(m_t.m_library.runText, c.text);
  // The reason stands on the testee's screen until the operator's key.
  ASSERT_FALSE(m_t.m_display.Shown().texts.empty());
  EXPECT_EQ(m_t.m_display.Shown().texts[0].text, c.text);
  EXPECT_EQ(m_t.m_host.m_waits, 1);
  ASSERT_EQ(m_t.Compute(), 168);
  EXPECT_FALSE(m_t.Valid(0)) << "its rows stay empty";
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, TrackingDiscard,
    ::testing::Values(
        DiscardCase{
            "first sample after 30 s", 29000, 30000, false,
            "Tracking stopped: more than 30 seconds passed without a sample. Nothing was stored for this part."},
        DiscardCase{"a turn and a half", 500, 520, true,
                    "Tracking stopped: the pointer went one and a half turns around the track. Nothing was stored "
                    "for this part."}),
    [](const auto& info) { return std::string(info.param.around ? "TurnAndAHalf" : "ThirtySeconds"); });

TEST_F(TrackingRun, APauseBetweenSamplesOfMoreThan30SecondsDiscardsThePart) {
  std::vector<Waypoint> way = LeftWay();
  m_t.m_host.Reset(kCx, kCy);
  // Twenty samples, then the mouse rests for 31 s.
  m_t.m_host.m_mouse = [way](uint32_t now) {
    if (now < 500) return QelPoint{kCx, kCy};
    if (now < 520) return QelPoint{kCx, kCy - kR};
    const size_t k = (now - 520) / 20;
    if (k < 20) return At(way[k]);
    if (now < 520 + 19 * 20 + 31000) return At(way[19]);
    return At(way[std::min<size_t>(20 + (now - 520 - 19 * 20 - 31000) / 20, way.size() - 1)]);
  };
  EXPECT_FALSE(m_t.RunPart(0));
  EXPECT_EQ(m_t.Stored(0), 0u);
  EXPECT_EQ(m_t.m_host.breakFlag, 1);
  EXPECT_NE(m_t.m_library.runText.find("30 seconds"), std::string::npos);
}

TEST_F(TrackingRun, EscapeEndsThePartAtOnceWithTheBreakFlag) {
  Walk(LeftWay());
  m_t.m_host.m_keys.push_back({kScanEscape, 1000, 1050});
  EXPECT_FALSE(m_t.RunPart(0));
  EXPECT_EQ(m_t.Stored(0), 0u);
  EXPECT_EQ(m_t.m_host.breakFlag, 1);
  EXPECT_TRUE(m_t.m_library.runText.empty()) << "the operator knows why";
  EXPECT_EQ(m_t.m_host.m_waits, 0);
  EXPECT_LT(m_t.m_host.m_now, 1100u);
}

TEST_F(TrackingRun, TheTrackFollowsTheScreenAndTheWidthWord) {
  const struct {
    uint32_t width;
    int halfWidth;
  } widths[] = {{1, 12}, {0, 6}, {2, 24}};
  for (const auto& w : widths) {
    SCOPED_TRACE(w.width);
    m_t.m_task.TaskParam[2] = w.width;
    m_t.m_host.Reset(kCx, kCy);
    m_t.m_host.m_keys.push_back({kScanEscape, 5, 10});
    m_t.RunPart(0);
    // The first scene: two grey circles at R -/+ w, the yellow marker at
    // (320, 70) of radius w / 2, the white pointer of radius w / 4 + 1.
    const Frame& f = m_t.m_display.Shown();
    ASSERT_EQ(f.ellipses.size(), 4u);
    EXPECT_EQ(f.ellipses[0].pen, 0x7F7F7Fu);
    EXPECT_EQ(f.ellipses[0].box.left, kCx - (kR - w.halfWidth));
    EXPECT_EQ(f.ellipses[1].box.left, kCx - (kR + w.halfWidth));
    EXPECT_EQ(f.ellipses[2].brush, 0x00FFFFu);
    EXPECT_EQ(f.ellipses[2].box.left, kCx - w.halfWidth / 2);
    EXPECT_EQ(f.ellipses[2].box.top, 70 - w.halfWidth / 2);
    EXPECT_EQ(f.ellipses[3].brush, 0xFFFFFFu);
    EXPECT_EQ(f.ellipses[3].box.left, kCx - (w.halfWidth / 4 + 1));
    EXPECT_EQ(m_t.m_display.FrontPixel(kCx, 70), 0x00FFFFu);
    int grey = 0;
    for (int y = kCy - (kR - w.halfWidth) - 1; y <= kCy - (kR - w.halfWidth) + 1; ++y) {
      if (m_t.m_display.FrontPixel(kCx, y) == 0x7F7F7Fu) ++grey;
    }
    EXPECT_EQ(grey, 1) << "the inner circle crosses the centre column";
  }
}

TEST_F(TrackingRun, OnTheMarkerPointerAndMarkerExchangeColours) {
  Walk(LeftWay());
  std::vector<Frame> frames;
  m_t.m_display.m_onPresent = [&](const Frame& f) {
    if (f.ellipses.size() == 4) frames.push_back(f);
  };
  ASSERT_TRUE(m_t.RunPart(0));
  // Before the marker: a white pointer in the centre, the marker yellow.
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.front().ellipses[2].brush, 0x00FFFFu);
  EXPECT_EQ(frames.front().ellipses[3].brush, 0xFFFFFFu);
  EXPECT_EQ(frames.front().ellipses[3].box.top, kCy - 4);
  // The first frame with the pointer on the marker: the colours exchanged.
  const auto on =
      std::find_if(frames.begin(), frames.end(), [](const Frame& f) { return f.ellipses[3].box.top == 70 - 4; });
  ASSERT_NE(on, frames.end());
  EXPECT_EQ(on->at, 501u);
  EXPECT_EQ(on->ellipses[2].brush, 0xFFFFFFu) << "the marker turns white";
  EXPECT_EQ(on->ellipses[3].brush, 0x00FFFFu) << "the pointer turns yellow";
  // Back on the marker after the turn: white pointer, yellow marker again.
  EXPECT_EQ(frames.back().ellipses[2].brush, 0x00FFFFu);
  EXPECT_EQ(frames.back().ellipses[3].brush, 0xFFFFFFu);
}

TEST_F(TrackingRun, SectorsAndTheSignedDeviationsStatistics) {
  ASSERT_TRUE(m_t.Setup(0));
  // Four samples at 4 and 6 degrees of progress (sectors 1 and 2), two
  // inside the middle line and two outside it.
  const int32_t categories[4] = {0, 0, 1, 2};
  const int32_t times[4] = {1000, 20, 20, 20};
  const int32_t deviations[4] = {-3, -1, 1, 3};
  const int32_t progress[4] = {240, 240, 360, 359};
  for (int k = 0; k < 4; ++k) {
    m_t.m_runData->category[0][k] = categories[k];
    m_t.m_runData->reactionTime[0][k] = times[k];
    m_t.m_runData->responseCode[0][k] = deviations[k];
    m_t.m_runData->taskCategory[0][k] = progress[k];
  }
  m_t.m_task.trialCounts[0] = 4;
  m_t.m_task.trialCounts[1] = 0;
  ASSERT_EQ(m_t.Compute(false, false), 168);
  const Row rows[] = {
      {"Nsaml_tr", 0, 4},
      {"Tl_tr", 1, 1.06},
      {"Nfil_tr", 2, 2},
      {"Pfil_tr", 3, 50},
      {"Nbil_tr", 5, 1},
      {"Pbil_tr", 6, 25},
      {"Nfol_tr", 7, 1},
      {"Pfol_tr", 8, 25},
      {"Nbol_tr", 9, 0},
      {"Pbol_tr", 10, 0},
      {"Nl_tr", 11, 4},
      {"Dl_tr", 12, 0},
      // The SD over all four signed values: sqrt((9 + 1 + 1 + 9) / 3).
      {"Sl_tr", 13, 2.5819888974716112},
      {"Dal_tr", 15, 2},
      {"Mal_tr", 16, 3},
      {"Dl01_tr", 18, (-3 - 1 + 3) / 3.0},
      {"Dl02_tr", 19, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.code);
    EXPECT_STREQ(m_t.m_library.scoreVariables[r.index].code, r.code);
    EXPECT_TRUE(m_t.Valid(r.index));
    EXPECT_NEAR(m_t.Value(r.index), r.value, 1e-9);
  }
  // A sector without samples shows "no value" as its value.
  EXPECT_TRUE(m_t.Valid(20));
  EXPECT_EQ(m_t.Value(20), kNoValue);
  // Without the testee's age no Z-score; the right hand's rows stay empty.
  EXPECT_FALSE(m_t.Valid(4));
  EXPECT_FALSE(m_t.Valid(14));
  EXPECT_FALSE(m_t.Valid(78));
  EXPECT_FALSE(m_t.Valid(156)) << "no right hand, no mean of both";
}

TEST_F(TrackingRun, TheDemonstrationGoesOnceAroundAndStoresNothing) {
  m_t.m_host.Reset(kCx, kCy);
  bool ruler = false;
  int onTrack = 0;
  m_t.m_display.m_onPresent = [&](const Frame& f) {
    for (const DrawnText& text : f.texts) ruler = ruler || text.text == "100mm";
    if (f.ellipses.size() == 4 && f.ellipses[3].box.left + 4 < kCx - 100) ++onTrack;
  };
  EXPECT_TRUE(m_t.Demonstrate(0));
  EXPECT_TRUE(ruler);
  EXPECT_GT(onTrack, 100) << "the pointer travels the track's left half";
  EXPECT_EQ(m_t.Stored(0), 0u);
  EXPECT_EQ(m_t.m_host.m_waits, 4) << "the operator steps through it with Space";
}

}  // namespace

}  // namespace test

}  // namespace qel
