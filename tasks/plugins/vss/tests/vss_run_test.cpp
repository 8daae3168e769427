// VisuoSpatial Sequencing as the program runs it: the plug-in of the
// program folder loaded by the program's loader, the part run by the
// run-self-timed command on a worker thread on the virtual clock, the
// variables computed into the program's run data. The testee watches the
// screen: when the small hand appears it points at its planned circles,
// one every `pace` ms with a click of the left button, and the operator
// then presses Space; the operator starts every series with Space.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "tasks/layers/mouse/tests/support/LoadedMouseTask.h"

namespace qel {

namespace test {

namespace {

// 640 x 480 at scale 2: board half-side 240, circles 160 apart, radii 30, 27, 21.
constexpr int kCx = 320;
constexpr int kCy = 240;
constexpr int kSpacing = 160;

QelPoint Centre(int circle) {
  return QelPoint{kCx + ((circle - 1) % 3 - 1) * kSpacing, kCy + ((circle - 1) / 3 - 1) * kSpacing};
}

// The testee's answer to one response phase.
struct Plan {
  std::vector<int> circles;
  uint32_t pace = 200;
  int endKey = kScanSpace;  // pressed by the operator after the last pointing
};

// The small hand of the response phase: a 21-point polygon at scale 1.
bool ShowsPointer(const Frame& f, QelPoint* at) {
  for (const DrawnPolygon& p : f.polygons) {
    if (p.points.size() == 21 && p.points[1].x - p.points[0].x == 3) {
      *at = p.points[0];
      return true;
    }
  }
  return false;
}

class Testee {
 public:
  explicit Testee(LoadedMouseTask& t) : m_t(t) {}

  void Start(std::deque<Plan> plans) {
    m_plans = std::move(plans);
    m_t.m_host.Reset(kCx, kCy);
    m_t.m_host.m_mouse = [this](uint32_t now) { return Mouse(now); };
  }
  int PhasesSeen() const { return m_phases; }
  std::vector<QelPoint> m_starts;  // where the pointer started in each phase

 private:
  QelPoint Mouse(uint32_t now) {
    QelPoint start;
    const Frame& f = m_t.m_display.Shown();
    if (!m_active && f.at >= m_idleSince && ShowsPointer(f, &start) && !m_plans.empty()) {
      m_active = true;
      ++m_phases;
      m_plan = m_plans.front();
      m_plans.pop_front();
      m_t0 = f.at;
      m_start = start;
      m_starts.push_back(start);
      m_mouseAtStart = m_t.m_host.m_reported;
      const uint32_t n = static_cast<uint32_t>(m_plan.circles.size());
      // The button goes down the ms after the pointer reached the circle.
      for (uint32_t i = 0; i < n; ++i) {
        const uint32_t down = m_t0 + m_plan.pace * (i + 1) + 1;
        m_t.m_host.m_buttons.push_back({down, down + 50});
      }
      m_end = m_t0 + m_plan.pace * (n + 1) + 100;
      m_t.m_host.m_keys.push_back({m_plan.endKey, m_end, m_end + 30});
    }
    if (!m_active) return m_t.m_host.m_reported;
    if (now >= m_end + 30) {
      m_active = false;
      m_idleSince = m_end + 30;
    }
    int pointed = -1;
    for (size_t i = 0; i < m_plan.circles.size(); ++i) {
      if (now >= m_t0 + m_plan.pace * (i + 1)) pointed = static_cast<int>(i);
    }
    if (pointed < 0) return m_mouseAtStart;
    const QelPoint c = Centre(m_plan.circles[static_cast<size_t>(pointed)]);
    return QelPoint{m_mouseAtStart.x + c.x - m_start.x, m_mouseAtStart.y + c.y - m_start.y};
  }

  LoadedMouseTask& m_t;
  std::deque<Plan> m_plans;
  Plan m_plan;
  bool m_active = false;
  uint32_t m_idleSince = 0;
  uint32_t m_t0 = 0;
  uint32_t m_end = 0;
  QelPoint m_start{0, 0};
  QelPoint m_mouseAtStart{0, 0};
  int m_phases = 0;
};

// The 24 series of the test list in version 1 (top and bottom rows exchanged).
const std::vector<std::vector<int>> kSeries = {
    {7, 8, 9},       {9, 6, 3},    {1, 5, 9},          {7, 5, 3},          {7, 4, 1, 2, 3},       {7, 8, 9, 6, 3},
    {7, 4, 5},       {3, 2, 5},    {7, 5, 3, 2, 1},    {3, 5, 7, 8, 9},    {7, 8, 9, 4},          {3, 2, 1, 6},
    {7, 4, 1, 8},    {3, 6, 9, 2}, {7, 6, 1},          {3, 8, 1},          {7, 8, 9, 5, 1, 2, 3}, {9, 6, 7, 4, 1},
    {5, 9, 8, 7, 2}, {5, 2, 3, 8}, {1, 5, 2, 3, 6, 7}, {3, 6, 5, 7, 2, 1}, {8, 7, 2, 3, 6, 1},    {2, 4, 7, 5, 6, 8}};

// The answers: trial 1 with two circles swapped, trial 2 with a circle
// after the perfect series, trial 3 not answered, trial 10 answered half;
// the others in order. Even trials at 200 ms a pointing, odd at 300.
std::deque<Plan> TestPlans() {
  std::deque<Plan> plans;
  for (int j = 0; j < 24; ++j) {
    std::vector<int> a = kSeries[static_cast<size_t>(j)];
    if (j == 1) a = {9, 3, 6};
    if (j == 2) a.push_back(2);
    if (j == 3) a.clear();
    if (j == 10) a.resize(2);
    plans.push_back(Plan{a, j % 2 == 0 ? 200u : 300u, kScanSpace});
  }
  return plans;
}

class VssRun : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_t.Loaded()); }
  int Entries() const { return static_cast<int>(m_t.Stored(0)); }
  const int32_t* Categories() const { return m_t.m_runData->category[0]; }
  const int32_t* Codes() const { return m_t.m_runData->responseCode[0]; }
  const int32_t* Times() const { return m_t.m_runData->reactionTime[0]; }

  LoadedMouseTask m_t{"VSS", 640, 480};
  Testee m_testee{m_t};
};

struct Row {
  const char* code;
  int index;
  double value;
};

TEST_F(VssRun, TwentyFourSeriesGiveEveryRowAndZScore) {
  m_testee.Start(TestPlans());
  ASSERT_TRUE(m_t.RunPart(0));
  EXPECT_EQ(m_testee.PhasesSeen(), 24);
  EXPECT_EQ(m_t.m_host.m_waits, 24) << "the operator started every series";
  // Per trial: nine presentation entries, then one per pointing.
  ASSERT_EQ(Entries(), 24 * 9 + 101);
  int e = 0;
  const std::deque<Plan> plans = TestPlans();
  for (int j = 0; j < 24; ++j) {
    SCOPED_TRACE(j);
    const std::vector<int>& series = kSeries[static_cast<size_t>(j)];
    for (int m = 0; m < 9; ++m, ++e) {
      EXPECT_EQ(Categories()[e], j);
      EXPECT_EQ(Times()[e], 0);
      EXPECT_EQ(Codes()[e], m < static_cast<int>(series.size()) ? series[static_cast<size_t>(m)] : 0);
    }
    const Plan& p = plans[static_cast<size_t>(j)];
    for (size_t i = 0; i < p.circles.size(); ++i, ++e) {
      EXPECT_EQ(Categories()[e], j);
      EXPECT_EQ(Codes()[e], p.circles[i]);
      EXPECT_EQ(Times()[e], static_cast<int32_t>(i == 0 ? p.pace + 1 : p.pace)) << "from the end of the series";
    }
  }
  // Odd trials start right of the centre, even ones left.
  ASSERT_EQ(m_testee.m_starts.size(), 24u);
  EXPECT_EQ(m_testee.m_starts[0].x, kCx - 80);
  EXPECT_EQ(m_testee.m_starts[1].x, kCx + 80);
  EXPECT_EQ(m_testee.m_starts[1].y, kCy);

  // Norms with constant means and SDs; the first three reversed, the
  // counts of false alarms and misses with an SD of at least 1.
  const struct {
    const char* name;
    double mean, sd;
  } norms[] = {{"Zct_vs", 18, 2}, {"Zit_vs", 90, 5},     {"Zitco_vs", 95, 3},   {"Zf_vs", 2, 0.5},
               {"Zm_vs", 4, 2},   {"Zend_vs", 0.5, 0.5}, {"ZTint_vs", 250, 25}, {"ZSint_vs", 40, 10}};
  for (const auto& n : norms) ASSERT_TRUE(m_t.AddNorm(n.name, n.mean, n.sd)) << n.name;
  // The stored entries stay as they are: the intervals are not put into them.
  for (int i = 0; i < Entries(); ++i) m_t.m_runData->taskCategory[0][i] = 4242;
  ASSERT_EQ(m_t.Compute(), 16);
  for (int i = 0; i < Entries(); ++i) ASSERT_EQ(m_t.m_runData->taskCategory[0][i], 4242) << i;

  // By hand: 20 correct (not 1, 2, 3, 10); 105 targets, 100 identified, 98
  // in order, 1 false alarm (after the perfect trial 2), 5 missed; 78
  // intervals, 41 x 200 ms (even trials) and 37 x 300 ms (odd ones).
  const double mean = (41 * 200.0 + 37 * 300.0) / 78;
  const double sd = 50.25741264537526;
  const Row rows[] = {
      {"Nct_vs", 0, 20},
      {"Nit_vs", 1, 100},
      {"Nitco_vs", 2, 98},
      {"Nf_vs", 3, 1},
      {"Nm_vs", 4, 5},
      {"Nend_vs", 5, 1},
      {"Tint_vs", 6, mean},
      {"Sint_vs", 7, sd},
      {"Zct_vs", 8, -1},
      {"Zit_vs", 9, -2},
      {"Zitco_vs", 10, -1},
      {"Zf_vs", 11, -1},
      {"Zm_vs", 12, 0.5},
      {"Zend_vs", 13, 0.5},
      {"Ztint_vs", 14, (mean - 250) / 25},
      {"Zsint_vs", 15, (sd - 40) / 10},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.code);
    EXPECT_STREQ(m_t.m_library.scoreVariables[r.index].code, r.code);
    EXPECT_TRUE(m_t.Valid(r.index));
    EXPECT_NEAR(m_t.Value(r.index), r.value, 1e-9);
  }
}

struct SeriesCase {
  uint32_t version;
  int pointerType;  // 0 hand, 1 pop up
  std::vector<int> circles;
};

class VssVersions : public VssRun, public ::testing::WithParamInterface<SeriesCase> {};

TEST_P(VssVersions, TheFirstSeriesIsShownOnTheVersionsCircles) {
  const SeriesCase& c = GetParam();
  m_t.m_task.w.TaskVersion = c.version;
  m_t.m_task.TaskParam[1] = static_cast<uint32_t>(c.pointerType);
  std::vector<QelPoint> lit;
  bool answering = false;
  m_t.m_display.m_onPresent = [&](const Frame& f) {
    QelPoint at;
    if (ShowsPointer(f, &at)) answering = true;
    if (answering) return;
    for (const DrawnPolygon& p : f.polygons) {
      // The large hand (scale -3) points at the circle from above.
      if (p.points.size() == 21 && p.points[1].x - p.points[0].x == -9) lit.push_back(p.points[0]);
    }
    for (const DrawnEllipse& e : f.ellipses) {
      if (e.brush == 0x7F7F7F && e.box.right - e.box.left == 2 * 27 + 1) {
        lit.push_back(QelPoint{(e.box.left + e.box.right - 1) / 2, (e.box.top + e.box.bottom - 1) / 2});
      }
    }
  };
  std::deque<Plan> plans = {Plan{c.circles, 200, kScanEscape}};
  m_testee.Start(plans);
  m_t.m_display.m_breakAnswer = kBreakStop;
  EXPECT_FALSE(m_t.RunPart(0)) << "stopped in the break dialog";
  ASSERT_EQ(lit.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(lit[i].x, Centre(c.circles[i]).x) << i;
    EXPECT_EQ(lit[i].y, Centre(c.circles[i]).y) << i;
  }
  EXPECT_EQ(m_t.m_display.m_breakTitles.at(0), "Trial 1 from 24: User Break!");
  EXPECT_EQ(Entries(), 0) << "nothing of an interrupted trial is kept";
}

INSTANTIATE_TEST_SUITE_P(Series, VssVersions,
                         ::testing::Values(SeriesCase{1, 0, {7, 8, 9}},    // "123": the bottom row
                                           SeriesCase{2, 1, {3, 2, 1}},    // the top row from right to left
                                           SeriesCase{1, 1, {7, 8, 9}}));  // circles popping up

TEST_F(VssRun, APracticeRunShowsOneSeriesAndStartsRightOfTheCentre) {
  m_t.m_task.w.TaskVersion = 1;
  m_testee.Start({Plan{{6, 5, 4}, 200, kScanSpace}});
  ASSERT_TRUE(m_t.RunPart(0, true));
  EXPECT_EQ(m_t.m_host.trialCount, 1u);
  ASSERT_EQ(Entries(), 12);
  EXPECT_EQ(Codes()[0], 6) << "654 in version 1";
  EXPECT_EQ(Codes()[1], 5);
  EXPECT_EQ(Codes()[2], 4);
  ASSERT_EQ(m_testee.m_starts.size(), 1u);
  EXPECT_EQ(m_testee.m_starts[0].x, kCx + 80);
  // A practice run has no norm trial count: no Z-scores.
  ASSERT_TRUE(m_t.AddNorm("Zct_vs", 1, 1));
  ASSERT_EQ(m_t.Compute(true), 16);
  EXPECT_EQ(m_t.Value(0), 1);
  EXPECT_FALSE(m_t.Valid(8));
}

TEST_F(VssRun, AfterContinueAWarmUpSeriesIsShownAndTheTrialRunsAgain) {
  std::deque<Plan> plans = TestPlans();
  plans.resize(3);
  // Trial 2 (index 1) is broken off after two pointings; the warm-up "456"
  // (circles 4, 5, 6) is answered, then trial 2 again from its start.
  plans.insert(plans.begin() + 1, Plan{{9, 6}, 300, kScanEscape});
  plans.insert(plans.begin() + 2, Plan{{4, 5, 6}, 200, kScanSpace});
  m_testee.Start(plans);
  m_t.m_display.m_breakAnswer = kBreakContinue;
  m_t.m_display.m_breakAnswerAfterMs = 2000;
  // The run is stopped in the break dialog opened before the fourth series.
  m_t.m_host.m_operatorKeys = {kScanSpace, kScanSpace, kScanSpace, kScanSpace, kScanSpace, kScanEscape};
  bool done = false;
  m_t.m_display.m_onPresent = [&](const Frame&) {
    if (m_t.m_display.m_breakOpened == 2 && !done) {
      done = true;
      m_t.m_display.m_breakAnswer = kBreakStop;
    }
  };
  EXPECT_FALSE(m_t.RunPart(0));
  EXPECT_EQ(m_t.m_display.m_breakTitles.at(0), "Trial 2 from 24: User Break!");
  EXPECT_EQ(m_t.m_display.m_breakTitles.at(1), "Trial 4 from 24: User Break!");
  EXPECT_EQ(m_testee.PhasesSeen(), 5);
  // Trials 1 to 3 whole, nothing of the warm-up or of the broken-off try.
  ASSERT_EQ(Entries(), 3 * 9 + 3 + 3 + 4);
  EXPECT_EQ(Categories()[12], 1);
  EXPECT_EQ(Codes()[12], 9);
  EXPECT_EQ(Codes()[21], 9) << "trial 2's first pointing";
  EXPECT_EQ(Codes()[22], 3);
  EXPECT_EQ(Codes()[23], 6);
  EXPECT_EQ(Categories()[24], 2);
}

TEST_F(VssRun, SpaceCutsTheWaitsShortButOnlyANewPressEndsTheAnswer) {
  m_t.m_task.w.TaskVersion = 1;
  uint32_t firstLit = 0;
  m_t.m_display.m_onPresent = [&](const Frame& f) {
    for (const DrawnPolygon& p : f.polygons) {
      if (firstLit == 0 && p.points.size() == 21 && p.points[1].x - p.points[0].x == -9) firstLit = f.at;
    }
  };
  m_testee.Start({Plan{{6, 5, 4}, 200, kScanSpace}});
  // Space held from the lead-in on, well into the answer.
  m_t.m_host.m_keys.push_back({kScanSpace, 700, 1100});
  ASSERT_TRUE(m_t.RunPart(0, true));
  // Started at 300 (the operator's Space), beep until 600: the lead-in of
  // 1000 ms and the 750 ms before the first circle are cut at 700.
  EXPECT_GE(firstLit, 700u);
  EXPECT_LT(firstLit, 710u);
  ASSERT_EQ(Entries(), 12) << "the held Space did not end the answer";
}

TEST_F(VssRun, ARunBeingEndedStopsWithoutADialog) {
  m_testee.Start(TestPlans());
  m_t.m_host.m_interrupted = true;
  m_t.m_display.BreakSetState(kBreakStop);
  EXPECT_FALSE(m_t.RunPart(0));
  EXPECT_EQ(Entries(), 0);
  EXPECT_EQ(m_t.m_display.m_breakOpened, 0);
}

TEST_F(VssRun, TheDemonstrationShowsTheWarmUpAndStoresNothing) {
  m_testee.Start({Plan{{4, 5, 6, 2}, 200, kScanEscape}});
  EXPECT_FALSE(m_t.Demonstrate(0));
  EXPECT_EQ(m_testee.PhasesSeen(), 1);
  ASSERT_EQ(m_testee.m_starts.size(), 1u);
  EXPECT_EQ(m_testee.m_starts[0].x, kCx - 80);
  EXPECT_EQ(Entries(), 0);
  EXPECT_EQ(m_t.m_display.m_breakOpened, 0);
}

}  // namespace

}  // namespace test

}  // namespace qel
