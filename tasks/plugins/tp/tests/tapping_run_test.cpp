// One self-timed part (the self-timed run command) on the virtual clock: when recording
// starts and ends, how many entries are kept, the beeps, the counters and
// every way a part stops early.
//
// The clock of a part: the wait for Space reads it at 1 and times out at
// 2002 (a poll every 2 ms), the start beep plays 2002-2202 and its gap ends
// at 2302, polling for the first tap starts at 2304 (the reference of the
// first entry is 2303). The part ends at the first clock reading after its
// end; the two stop beeps start then and 300 ms later.
#include <algorithm>

#include "tasks/plugins/tp/tests/TappingHarness.h"

namespace qel {

namespace {

using K = KeySource;

class TappingRun : public TappingTest {
 protected:
  bool TextShown(const std::string& call) const {
    const auto& calls = m_display->Surface(kSurfaceBack).Calls();
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }
  int TextCount() const {
    const auto& calls = m_display->Surface(kSurfaceBack).Calls();
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("TextOut", 0) == 0; }));
  }
};

TEST_F(TappingRun, ATestPartRecordsFromThreeUntilThirteenSecondsAfterTheFirstTap) {
  // First tap at 4000: recording 7000-17000. The release at 7000 is inside
  // but would open the recording with a release; the press at 7005 is the
  // first entry, timed from that release. The release at 17000 is the last.
  ASSERT_TRUE(RunPart(0, {{K::kLeftCtrl, 4000, 4010},
                          {K::kLeftCtrl, 6990, 7000},
                          {K::kLeftCtrl, 7005, 17000},
                          {K::kLeftCtrl, 17001, 17100}}));
  ASSERT_EQ(Entries(0), 2u);
  EXPECT_EQ(m_runData->category[0][0], 5);
  EXPECT_EQ(m_runData->reactionTime[0][0], 5);
  EXPECT_EQ(m_runData->category[0][1], 4);
  EXPECT_EQ(m_runData->reactionTime[0][1], 9995);
  ASSERT_EQ(m_host.m_tones.size(), 3u);
  EXPECT_EQ(m_host.m_tones[0].frequency, 1000);
  EXPECT_EQ(m_host.m_tones[0].start, 2002u);
  EXPECT_EQ(m_host.m_tones[1].frequency, 1000);
  EXPECT_EQ(m_host.m_tones[1].start, 17001u);
  EXPECT_EQ(m_host.m_tones[2].frequency, 900);
  EXPECT_EQ(m_host.m_tones[2].start, 17301u);
  EXPECT_EQ(m_host.breakFlag, 0);
}

// (Fast patterns run in Alt and Sync, where no counters are drawn.)
TEST_F(TappingRun, ATenSecondPartKeepsAtMost1001Entries) {
  // Left Ctrl changes every 3 ms from 3000: 3334 changes fall in 6000-16000.
  m_host.Reset({});
  m_host.m_pattern = [](KeySource s, uint32_t t) { return s == K::kLeftCtrl && t >= 3000 && (t / 3) % 2 == 0; };
  ASSERT_TRUE(Setup(2));
  ASSERT_TRUE(m_task->RunWholeTask(m_runData.get()));
  ASSERT_EQ(Entries(2), 1001u);
  EXPECT_EQ(m_runData->category[2][0], 5);  // 6000 is a press
  for (int i = 0; i < 1001; ++i) ASSERT_EQ(m_runData->reactionTime[2][i], 3) << i;
  EXPECT_EQ(m_runData->category[2][1000], 5);  // 9000, the 1001st change
  EXPECT_EQ(m_host.m_tones.back().start, 16301u);
}

TEST_F(TappingRun, LongPartsAreCutToThirtySeconds) {
  m_task->TaskPartTrials[3] = 45;
  m_host.Reset({});
  m_host.m_pattern = [](KeySource s, uint32_t t) { return s == K::kRightCtrl && t >= 3000 && (t / 3) % 2 == 0; };
  ASSERT_TRUE(Setup(3));
  ASSERT_TRUE(m_task->RunWholeTask(m_runData.get()));
  // 6000 + 30000 = 36000 is the end; one entry per 10 ms and the last one.
  EXPECT_EQ(m_host.m_tones[1].start, 36001u);
  EXPECT_EQ(Entries(3), 3001u);
}

TEST_F(TappingRun, APracticePartLastsFourSecondsFromTheFirstTap) {
  m_host.practiceFlag = 1;
  ASSERT_TRUE(RunPart(0, {{K::kLeftCtrl, 3000, 3100}, {K::kLeftCtrl, 6900, 7000}, {K::kLeftCtrl, 7001, 7050}}));
  ASSERT_EQ(Entries(0), 4u);
  // The first tap is the first entry, timed from the start of polling.
  EXPECT_EQ(m_runData->reactionTime[0][0], 697);
  EXPECT_EQ(m_runData->reactionTime[0][1], 100);
  EXPECT_EQ(m_runData->reactionTime[0][2], 3800);
  EXPECT_EQ(m_runData->reactionTime[0][3], 100);
  EXPECT_EQ(m_host.m_tones[1].start, 7001u);

  // A practice part has no norm window: statistics, no Z-scores.
  AddNorm("ZNlu_tp", 40, 8);
  AddNorm("ZTliu_tp", 200, 50);
  EXPECT_EQ(Compute(), 36);
  EXPECT_EQ(Value(0), 2);
  EXPECT_EQ(Value(1), 1);
  EXPECT_EQ(Value(2), 3900);
  EXPECT_FALSE(Valid(3));
  EXPECT_FALSE(Valid(4));
  EXPECT_FALSE(Valid(5));
}

TEST_F(TappingRun, ADemonstrationRunsAsAPracticePart) {
  m_host.Reset({{K::kRightCtrl, 3000, 3100}, {K::kRightCtrl, 6900, 7000}});
  ASSERT_TRUE(Setup(1));
  ASSERT_TRUE(m_task->RunSignals(m_runData.get()));  // "view task signals"
  EXPECT_EQ(m_host.m_tones.back().start, 7301u);
  EXPECT_EQ(Entries(1), 4u);
  // The practice setting ends with the demonstration: a test run's norm
  // window applies again.
  AddNorm("ZNru_tp", 40, 8);
  EXPECT_EQ(Compute(), 36);
  EXPECT_TRUE(Valid(10));
}

TEST_F(TappingRun, SpaceStartsThePartAtOnce) {
  ASSERT_TRUE(RunPart(0, {{K::kSpace, 1000, 1010}, {K::kLeftCtrl, 3000, 3100}, {K::kLeftCtrl, 6100, 6200}}));
  EXPECT_EQ(m_host.m_tones[0].start, 1001u);
  EXPECT_EQ(Entries(0), 2u);
}

struct EscapeCase {
  const char* when;
  uint32_t from;
  size_t tones;
};

class TappingEscape : public TappingRun, public ::testing::WithParamInterface<EscapeCase> {};

TEST_P(TappingEscape, StopsThePartWithTheBreakFlagAndNoEntries) {
  const EscapeCase& c = GetParam();
  m_task->trialCounts[2] = 99;
  EXPECT_FALSE(RunPart(2, Taps(K::kLeftCtrl, {3000, 6000, 6200, 6400}, 50) + Taps(K::kRightCtrl, {6100, 6300}, 50) +
                              std::vector<KeyPress>{{K::kEscape, c.from, c.from + 20}}));
  EXPECT_EQ(m_host.breakFlag, 1);
  EXPECT_EQ(Entries(2), 0u);
  EXPECT_EQ(m_host.m_tones.size(), c.tones);
  EXPECT_EQ(m_display->m_cursorShown, 1);  // the part ended
}

INSTANTIATE_TEST_SUITE_P(When, TappingEscape,
                         ::testing::Values(EscapeCase{"waiting for Space", 500, 0},
                                           EscapeCase{"waiting for the first tap", 2500, 1},
                                           EscapeCase{"in the lead-in", 4000, 1},
                                           EscapeCase{"while recording", 6350, 1}));

TEST_F(TappingRun, AZeroDurationEndsThePartWithoutBreak) {
  m_task->TaskPartTrials[0] = 0;
  m_task->trialCounts[0] = 5;
  EXPECT_FALSE(RunPart(0, Taps(K::kLeftCtrl, {3000, 6000}, 50)));
  EXPECT_EQ(m_host.breakFlag, 0);
  EXPECT_EQ(Entries(0), 0u);
  EXPECT_TRUE(m_host.m_tones.empty());
}

TEST_F(TappingRun, AFailedStartEndsThePartWithoutBreak) {
  m_host.display = nullptr;  // nothing to clear: the part cannot start
  m_task->trialCounts[0] = 5;
  EXPECT_FALSE(RunPart(0, Taps(K::kLeftCtrl, {3000, 6000}, 50)));
  EXPECT_EQ(m_host.breakFlag, 0);
  EXPECT_EQ(Entries(0), 0u);
  EXPECT_TRUE(m_host.m_tones.empty());
  EXPECT_EQ(m_host.m_now, 0u);
}

TEST_F(TappingRun, APartWithoutRunDataFails) {
  ASSERT_TRUE(Setup(0));
  m_task->trialCounts[0] = 5;
  EXPECT_FALSE(m_record->CallTaskEntry(kCmdRunSelfTimed, 0, 0, 0, nullptr));
  EXPECT_EQ(m_host.breakFlag, 0);
  EXPECT_EQ(Entries(0), 0u);
  EXPECT_TRUE(m_host.m_tones.empty());
}

TEST_F(TappingRun, OneHandPartsCountOnScreen) {
  ASSERT_TRUE(RunPart(0, Taps(K::kLeftCtrl, {3000, 6000, 6200}, 50)));
  // 320 x 240 display: the counter stands at the centre.
  EXPECT_TRUE(TextShown("TextOut 160 120 0"));
  EXPECT_TRUE(TextShown("TextOut 160 120 3"));
  EXPECT_FALSE(TextShown("TextOut 160 120 4"));
}

// Taps that begin and end between two looks (the tapping thread held up,
// keys injected together) are taken in one event per look: each counts, at
// its own time, where the key state alone would show none of them.
TEST_F(TappingRun, TapsBetweenTwoLooksEachCountAtTheirOwnTimes) {
  m_host.Reset({});
  m_host.m_events = {{K::kLeftCtrl, 3000, true},  {K::kLeftCtrl, 3050, false},  // the first tap
                     {K::kLeftCtrl, 6500, true},  {K::kLeftCtrl, 6500, false},  // two taps within one ms
                     {K::kLeftCtrl, 6500, true},  {K::kLeftCtrl, 6500, false},
                     {K::kLeftCtrl, 7000, true},  {K::kLeftCtrl, 7050, false}};
  ASSERT_TRUE(Setup(0));
  ASSERT_TRUE(m_task->RunWholeTask(m_runData.get()));
  EXPECT_TRUE(TextShown("TextOut 160 120 4")) << "all four taps counted";
  EXPECT_FALSE(TextShown("TextOut 160 120 5"));
  // Recording from 6000 (3 s after the first tap): six entries, each timed
  // from the one before.
  ASSERT_EQ(Entries(0), 6u);
  const int32_t times[6] = {6500 - 3050, 0, 0, 0, 500, 50};
  const int32_t left[6] = {2, 2, 3, 3, 4, 4};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(m_runData->reactionTime[0][i], times[i]) << "entry " << i;
    EXPECT_EQ(m_runData->responseCode[0][i], left[i]) << "entry " << i;
  }
}

TEST_F(TappingRun, AltCountsOnScreenOnlyWhenSwitchedOn) {
  ASSERT_TRUE(RunPart(2, Taps(K::kLeftCtrl, {3000, 6000}, 50) + Taps(K::kRightCtrl, {6100}, 50)));
  EXPECT_EQ(TextCount(), 0);
  EXPECT_EQ(m_runData->responseCode[2][0], 0);

  m_task->TaskParam[0] = 1;
  m_display = std::make_unique<FakeDisplay>(320, 240);
  m_host.display = m_display.get();
  ASSERT_TRUE(RunPart(2, Taps(K::kLeftCtrl, {3000, 6000}, 50) + Taps(K::kRightCtrl, {6100}, 50)));
  // Three first sizes (3 % of 240 = 7) left and right of the centre.
  EXPECT_TRUE(TextShown("TextOut 139 120 0"));
  EXPECT_TRUE(TextShown("TextOut 139 120 2"));
  EXPECT_TRUE(TextShown("TextOut 181 120 1"));
  EXPECT_EQ(m_runData->responseCode[2][0], 2);
  EXPECT_EQ(m_runData->taskCategory[2][2], 1);
}

}  // namespace

}  // namespace qel
