// Trial timing on the virtual clock: intervals, warnings, signal durations,
// response windows and the base from which the next interval counts.
#include <gtest/gtest.h>

#include "engine/run/tests/RunTestRig.h"

namespace qel {

using namespace test;

namespace {

std::vector<uint32_t> CallTimes(const PluginScript& s, uint32_t command) {
  std::vector<uint32_t> times;
  for (const PluginCall& c : s.Calls(command)) times.push_back(c.at);
  return times;
}

std::vector<uint32_t> Gaps(const std::vector<uint32_t>& times) {
  std::vector<uint32_t> gaps;
  for (size_t i = 1; i < times.size(); ++i) gaps.push_back(times[i] - times[i - 1]);
  return gaps;
}

}  // namespace

// The events-interval type decides where the next interval starts: at the
// signal, at the response or deadline, at the release or deadline.
struct ControlCase {
  const char* name;
  uint32_t control;
  int32_t rt;            // -1: no response
  uint32_t expectedGap;  // onset to onset
};

class EventsIntervalTest : public testing::TestWithParam<ControlCase> {};

TEST_P(EventsIntervalTest, NextOnsetCountsFromTheRightMoment) {
  const ControlCase& c = GetParam();
  RunRig rig;
  rig.Words().TaskControl = c.control;
  rig.Words().TaskSDLow = rig.Words().TaskSDHigh = 700;  // on through the response
  rig.Words().TaskVRHigh = 800;
  rig.m_script.otherTrials = TrialScript{c.rt, 200, 1};
  rig.SetTrials({"T1", "T1", "T1", "T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());

  const std::vector<uint32_t> onsets = CallTimes(rig.m_script, kCmdShowSignal);
  ASSERT_EQ(onsets.size(), 4u);
  for (uint32_t gap : Gaps(onsets)) EXPECT_EQ(gap, c.expectedGap) << c.name;
  // The first trial: part start (start delay 500 counts only with a warning),
  // then one interval.
  EXPECT_EQ(onsets[0] - rig.EventTimes(kRunEventPartStart)[0], 1000u);
}

INSTANTIATE_TEST_SUITE_P(
    Control, EventsIntervalTest,
    testing::Values(ControlCase{"event rate", kEventsRate, 300, 1000},
                    ControlCase{"post response", kEventsPostResponse, 300, 300 + 1000},
                    ControlCase{"post release", kEventsPostKeyRelease, 300, 300 + 200 + 1000},
                    ControlCase{"event rate, no response", kEventsRate, -1, 1000},
                    ControlCase{"post response, no response: from the deadline", kEventsPostResponse, -1, 800 + 1000},
                    ControlCase{"post release, no response: from the deadline", kEventsPostKeyRelease, -1, 800 + 1000}),
    [](const testing::TestParamInfo<ControlCase>& info) { return "Control" + std::to_string(info.index); });

// Signal duration by type; the response window is 100..1500 after onset.
struct DurationCase {
  const char* name;
  uint32_t sdType, sdLow, sdHigh;
  uint32_t intLow;
  uint32_t minOn, maxOn;  // bounds of hide - show
};

class SignalDurationTest : public testing::TestWithParam<DurationCase> {};

TEST_P(SignalDurationTest, SignalIsHiddenAfterItsDuration) {
  const DurationCase& c = GetParam();
  RunRig rig;
  rig.Words().TaskSDType = c.sdType;
  rig.Words().TaskSDLow = c.sdLow;
  rig.Words().TaskSDHigh = c.sdHigh;
  rig.Words().TaskIntLow = rig.Words().TaskIntHigh = c.intLow;
  rig.Words().TaskControl = kEventsRate;
  rig.SetTrials(std::vector<std::string>(12, "N0"));
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());

  const std::vector<uint32_t> shows = CallTimes(rig.m_script, kCmdShowSignal);
  const std::vector<uint32_t> hides = CallTimes(rig.m_script, kCmdHideSignal);
  ASSERT_EQ(shows.size(), 12u);
  ASSERT_EQ(hides.size(), 12u) << "every signal is hidden exactly once";
  std::vector<uint32_t> durations;
  for (size_t i = 0; i < shows.size(); ++i) {
    durations.push_back(hides[i] - shows[i]);
    EXPECT_GE(durations.back(), c.minOn) << c.name;
    EXPECT_LE(durations.back(), c.maxOn) << c.name;
  }
  if (c.minOn != c.maxOn) {
    EXPECT_NE(std::count(durations.begin(), durations.end(), durations[0]), 12) << "random durations vary";
  }
  // Signal on at 128, off at 0, per trial; 0 first at the start.
  std::vector<uint8_t> expected{0};
  for (int i = 0; i < 12; ++i) {
    expected.push_back(128);
    expected.push_back(0);
  }
  EXPECT_EQ(rig.PortBytes(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    SDType, SignalDurationTest,
    testing::Values(
        DurationCase{"variable: until the window ends", kSignalDurationVariable, 200, 200, 3000, 1500, 1500},
        DurationCase{"fixed", kSignalDurationFixed, 250, 900, 3000, 250, 250},
        DurationCase{"random", kSignalDurationRandom, 100, 900, 3000, 100, 900},
        DurationCase{"irrelevant, interval shorter than the window", kSignalDurationIrrelevant, 0, 0, 800, 1500, 1500},
        DurationCase{"irrelevant, interval longer than the window", kSignalDurationIrrelevant, 0, 0, 2500, 1500, 1500}),
    [](const testing::TestParamInfo<DurationCase>& info) { return "SDType" + std::to_string(info.index); });

// Interval by type: variable and fixed take the low bound, random draws
// between the bounds.
struct IntervalCase {
  uint32_t intType, low, high;
  bool varies;
};

class IntervalTypeTest : public testing::TestWithParam<IntervalCase> {};

TEST_P(IntervalTypeTest, OnsetToOnsetFollowsTheIntervalType) {
  const IntervalCase& c = GetParam();
  RunRig rig;
  rig.Words().TaskIntType = c.intType;
  rig.Words().TaskIntLow = c.low;
  rig.Words().TaskIntHigh = c.high;
  rig.Words().TaskControl = kEventsRate;
  rig.Words().TaskVRHigh = 800;  // every trial ends before the next onset
  rig.SetTrials(std::vector<std::string>(15, "N0"));
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  const std::vector<uint32_t> gaps = Gaps(CallTimes(rig.m_script, kCmdShowSignal));
  ASSERT_EQ(gaps.size(), 14u);
  for (uint32_t g : gaps) {
    EXPECT_GE(g, c.low);
    EXPECT_LE(g, std::max(c.low, c.high));
  }
  const bool allEqual = std::count(gaps.begin(), gaps.end(), gaps[0]) == static_cast<long>(gaps.size());
  EXPECT_EQ(!allEqual, c.varies);
}

INSTANTIATE_TEST_SUITE_P(IntType, IntervalTypeTest,
                         testing::Values(IntervalCase{kIntervalVariable, 1200, 3000, false},
                                         IntervalCase{kIntervalFixed, 1700, 100, false},
                                         IntervalCase{kIntervalRandom, 1000, 3000, true},
                                         IntervalCase{kIntervalRandom, 1800, 1800, false},
                                         IntervalCase{kIntervalRandom, 2000, 1000, false}));

TEST(TrialTiming, RandomIntervalAndDurationAreIndependentDraws) {
  RunRig rig;
  rig.Words().TaskIntType = kIntervalRandom;
  rig.Words().TaskIntLow = 1000;
  rig.Words().TaskIntHigh = 1999;
  rig.Words().TaskSDType = kSignalDurationRandom;
  rig.Words().TaskSDLow = 100;
  rig.Words().TaskSDHigh = 899;
  rig.Words().TaskVRHigh = 900;
  rig.Words().TaskControl = kEventsRate;
  rig.SetTrials(std::vector<std::string>(10, "N0"));
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  const std::vector<uint32_t> shows = CallTimes(rig.m_script, kCmdShowSignal);
  const std::vector<uint32_t> hides = CallTimes(rig.m_script, kCmdHideSignal);
  ASSERT_EQ(shows.size(), 10u);
  int same = 0;
  for (size_t i = 1; i < shows.size(); ++i) {
    const uint32_t interval = shows[i] - shows[i - 1];
    const uint32_t duration = hides[i] - shows[i];
    // Seeding from the base time before each draw would make both the same
    // number: interval - 1000 == duration - 100.
    if (interval - 1000 == duration - 100) ++same;
  }
  EXPECT_LT(same, 3);
}

TEST(TrialTiming, WarningPrecedesTheSignalByTheWarningInterval) {
  RunRig rig;
  rig.Words().TaskFlags = kTaskFlagExtraWarning;
  rig.Words().TaskControl = kEventsRate;
  rig.Words().TaskVRHigh = 400;
  rig.m_script.startDelay = 500;
  rig.SetTrials({"N0", "N0", "N0"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());

  const std::vector<uint32_t> warnings = CallTimes(rig.m_script, kCmdShowWarning);
  const std::vector<uint32_t> shows = CallTimes(rig.m_script, kCmdShowSignal);
  ASSERT_EQ(warnings.size(), 3u);
  ASSERT_EQ(shows.size(), 3u);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(shows[i] - warnings[i], 500u);
  // The part starts W late; the warning comes W before the scheduled signal.
  const uint32_t partStart = rig.EventTimes(kRunEventPartStart)[0];
  EXPECT_EQ(shows[0], partStart + 500 + 1000);
  EXPECT_EQ(shows[1] - shows[0], 1000u);
}

TEST(TrialTiming, ResponseWindowOpensWithTheWarning) {
  RunRig rig;
  rig.Words().TaskFlags = kTaskFlagExtraWarning;
  rig.SetTrials({"T1"});
  ASSERT_TRUE(rig.Start());
  // Nothing is polled before the warning is on the screen.
  ASSERT_TRUE(rig.RunUntil([&] { return !rig.m_script.Calls(kCmdShowWarning).empty(); }));
  rig.Step(2);
  const uint32_t before = rig.m_script.polls.load();
  rig.Step(10);
  EXPECT_GT(rig.m_script.polls.load(), before);
  EXPECT_TRUE(rig.m_script.Calls(kCmdShowSignal).empty());
}

TEST(TrialTiming, ScheduleKeepsTimesAboveZeroAtTheStart) {
  RunRig rig;
  rig.Words().TaskFlags = kTaskFlagExtraWarning;
  rig.Words().TaskIntLow = rig.Words().TaskIntHigh = 100;
  rig.SetTrials({"N0"});
  ASSERT_TRUE(rig.Start());
  // W is 500 from construction: S = 100 is below it, so the warning comes at
  // S and the signal W later.
  rig.m_machine->ScheduleTrial(0);
  CRunMachine::TrialTimes t = rig.m_machine->GetTimes();
  EXPECT_EQ(t.warning, 100u);
  EXPECT_EQ(t.signalOn, 600u);
  EXPECT_EQ(t.validStart, 700u);
  EXPECT_EQ(t.deadline, 2100u);
  rig.m_machine->ScheduleTrial(1000);
  t = rig.m_machine->GetTimes();
  EXPECT_EQ(t.warning, 600u);
  EXPECT_EQ(t.signalOn, 1100u);
  EXPECT_EQ(t.signalOff, 1300u);
}

TEST(TrialTiming, ReleaseIsAwaitedBeforeTheNextTrial) {
  RunRig rig;
  rig.Words().TaskControl = kEventsRate;
  rig.Words().TaskSDLow = rig.Words().TaskSDHigh = 100;
  // Held far past the signal: the trial waits for the release.
  rig.m_script.trials = {TrialScript{300, 800, 1}, TrialScript{-1, 0, 0}};
  rig.SetTrials({"T1", "N0"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  const uint32_t onset = rig.m_script.Calls(kCmdShowSignal)[0].at;
  ASSERT_EQ(rig.Count(kRunEventRelease), 1);
  EXPECT_EQ(rig.EventTimes(kRunEventRelease)[0], onset + 300 + 800);
  EXPECT_GT(rig.EventTimes(kRunEventScore)[0], onset + 300 + 800);
  EXPECT_EQ(rig.Records()[0], (Record{kCatHit, 300, 1, kCatHit}));
}

TEST(TrialTiming, HeldResponseEndsTheTrialAtTheDeadline) {
  RunRig rig;
  rig.m_script.trials = {TrialScript{300, 100000, 1}};
  rig.SetTrials({"T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  const uint32_t onset = rig.m_script.Calls(kCmdShowSignal)[0].at;
  EXPECT_EQ(rig.Count(kRunEventRelease), 0);
  EXPECT_EQ(rig.EventTimes(kRunEventScore)[0], onset + 1500 + 2);
  EXPECT_EQ(rig.Records()[0], (Record{kCatHit, 300, 1, kCatHit}));
}

TEST(TrialTiming, IrrelevantDurationKeepsAHitHeldThroughTheDeadline) {
  RunRig rig;
  rig.Words().TaskSDType = kSignalDurationIrrelevant;
  rig.m_script.trials = {TrialScript{300, 100000, 0x41}};
  rig.SetTrials({"T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_EQ(rig.m_script.Calls(kCmdHideSignal).size(), 1u) << "hidden by the response only";
  EXPECT_EQ(rig.Records()[0], (Record{kCatHit, 300, 0x41, kCatHit}));
  EXPECT_EQ(rig.PortBytes(), (std::vector<uint8_t>{0, 128, 0x41}));
}

TEST(TrialTiming, SignalOffHandledAfterTheTrialEndedStillHidesIt) {
  RunRig rig;
  rig.Words().TaskSDType = kSignalDurationVariable;  // on until the window ends: off and deadline in one beat
  rig.SetTrials({"N1", "N1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_script.Calls(kCmdShowSignal).size() == 1; }));
  rig.Step(1499);
  // The UI thread falls behind: the trial ends before the off event is handled.
  rig.m_pumpEvents = false;
  rig.Step(2);
  EXPECT_EQ(rig.m_machine->GetPhase(), CRunMachine::Phase::kTrialEnded);
  rig.Pump();
  EXPECT_EQ(rig.m_script.Calls(kCmdHideSignal).size(), 1u);
  EXPECT_EQ(rig.PortBytes(), (std::vector<uint8_t>{0, 128, 0}));
}

TEST(TrialTiming, HeldResponseScoredAtTheDeadlineKeepsItsReactionTime) {
  RunRig rig;
  rig.m_script.trials = {TrialScript{300, 100000, 1}};
  rig.m_script.onTimeout = [] { return kNoResponseInWindow; };
  rig.SetTrials({"T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_EQ(rig.Records()[0], (Record{kCatHit, 300, 1, kCatHit}));
}

// Task words come unchecked from model files: a huge interval or window
// stays at the far end of the clock instead of wrapping round to a time
// that has passed already.
struct HugeWordCase {
  const char* name;
  uint32_t intLow, vrHigh, sdType;
  size_t signals;  // shown within the first 5 s (both trials when the interval is 1 s)
  Record first;    // the first trial's record, when a signal was shown
};

class HugeTaskWordsTest : public testing::TestWithParam<HugeWordCase> {};

TEST_P(HugeTaskWordsTest, TimesDoNotWrapRound) {
  const HugeWordCase& c = GetParam();
  RunRig rig;
  rig.Words().TaskIntLow = rig.Words().TaskIntHigh = c.intLow;
  rig.Words().TaskVRHigh = c.vrHigh;
  rig.Words().TaskSDType = c.sdType;
  rig.m_script.otherTrials = TrialScript{300, 50, 1};
  rig.SetTrials({"T1", "T1"});
  ASSERT_TRUE(rig.Start());
  rig.Step(5000);
  EXPECT_EQ(rig.m_script.Calls(kCmdShowSignal).size(), c.signals);
  if (c.signals == 0) {
    EXPECT_TRUE(rig.Records().empty());
    return;
  }
  ASSERT_FALSE(rig.Records().empty()) << "the response is scored, not cut off by a wrapped deadline";
  EXPECT_EQ(rig.Records()[0], c.first);
}

INSTANTIATE_TEST_SUITE_P(
    Words, HugeTaskWordsTest,
    testing::Values(
        HugeWordCase{"IntervalNeverComes", 0xFFFFFF00u, 1500, kSignalDurationFixed, 0, {}},
        HugeWordCase{"WindowWithoutEnd", 1000, 0xFFFFFFFFu, kSignalDurationFixed, 2, {kCatHit, 300, 1, kCatHit}},
        HugeWordCase{
            "VariableDurationWithoutEnd", 1000, 0xFFFFFFF0u, kSignalDurationVariable, 2, {kCatHit, 300, 1, kCatHit}}),
    [](const testing::TestParamInfo<HugeWordCase>& info) { return std::string(info.param.name); });

}  // namespace qel
