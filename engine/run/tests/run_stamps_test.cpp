// The machine with device stamps: a response's time is its press, the
// onset is the moment its frame reached the screen, and the reaction time
// is their difference in ns rounded once to whole ms.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/input/InputEventLog.h"
#include "engine/input/InputStateReplay.h"
#include "engine/run/RunPresentGate.h"
#include "engine/run/RunStamps.h"
#include "engine/run/RunTimes.h"
#include "engine/run/tests/RunTestRig.h"

namespace qel {

namespace test {

namespace {

constexpr int64_t kMs = 1'000'000;

// Events come into the log as the run clock passes them.
class FakeStamps final : public IRunStamps {
 public:
  int64_t NowNs() override { return m_clock ? m_clock->GetElapsedNs() : 0; }
  bool NextEvent(int64_t* runNs, bool* press) override {
    if (m_next >= m_events.size() || m_events[m_next].first > NowNs()) return false;
    *runNs = m_events[m_next].first;
    *press = m_events[m_next].second;
    ++m_next;
    return true;
  }
  bool LastFrameNs(int64_t* runNs) override {
    if (!m_hasFrame) return false;
    *runNs = NowNs() + m_frameOffsetNs;
    return true;
  }
  bool VoiceKeyTriggerNs(int64_t* runNs) override {
    if (m_triggerNs < 0) return false;
    *runNs = m_triggerNs;
    return true;
  }

  const CTimerMs* m_clock = nullptr;
  std::vector<std::pair<int64_t, bool>> m_events;  // run clock ns, press
  size_t m_next = 0;                               // the next event to take
  bool m_hasFrame = false;
  int64_t m_frameOffsetNs = 0;  // the frame stamp relative to the clock when it is asked for
  int64_t m_triggerNs = -1;      // the voice key's trigger, run clock ns; -1 none
};

struct StampCase {
  const char* name;
  int64_t pressNs;  // after the onset the plug-in saw; the plug-in's poll answers from 300 ms on
  bool hasFrame;
  int64_t frameOffsetNs;
  int32_t rt;  // recorded
};

class ResponseStampTest : public testing::TestWithParam<StampCase> {};

TEST_P(ResponseStampTest, ReactionTimeIsPressMinusShownOnsetRoundedOnce) {
  const StampCase& c = GetParam();
  FakeStamps stamps;
  RunRig rig(&stamps);
  stamps.m_clock = &rig.m_timer;
  stamps.m_hasFrame = c.hasFrame;
  stamps.m_frameOffsetNs = c.frameOffsetNs;
  rig.m_script.trials = {TrialScript{300, 50, 1}};
  rig.SetTrials({"T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] { return !rig.m_script.Calls(kCmdShowSignal).empty(); }));
  const int64_t onsetNs = int64_t{rig.m_script.Calls(kCmdShowSignal)[0].at} * kMs;
  stamps.m_events = {{onsetNs + c.pressNs, true}};
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_machine->GetTimes().response != 0; }));
  const int64_t expectedOnNs = onsetNs + (c.hasFrame && c.frameOffsetNs >= 0 ? c.frameOffsetNs : 0);
  EXPECT_EQ(rig.m_machine->GetTimes().signalOnNs, expectedOnNs);
  ASSERT_TRUE(rig.RunToEnd());
  ASSERT_EQ(rig.Records().size(), 1u);
  EXPECT_EQ(rig.Records()[0].rt, c.rt);
}

INSTANTIATE_TEST_SUITE_P(
    Stamps, ResponseStampTest,
    testing::Values(
        // The press the poll finds is stamped to the ns; the difference is rounded once.
        StampCase{"PressJustBeforeTheBeat", 299'600'000, false, 0, 300},
        StampCase{"PressEarlyInTheMillisecond", 299'400'000, false, 0, 299},
        StampCase{"HalfRoundsUp", 299'500'000, false, 0, 300},
        // A press taken in at a beat before is not this response's: the
        // response then keeps the beat's time.
        StampCase{"PressBeforeThePreviousBeat", 298'000'000, false, 0, 300},
        // The onset is the frame's stamp when it is of this frame ...
        StampCase{"OnsetFromTheFrameStamp", 299'600'000, true, 700'000, 299},
        // ... and the clock when the latest frame is older than the signal's Present.
        StampCase{"StaleFrameStampIgnored", 299'600'000, true, -5'000'000, 300}),
    [](const testing::TestParamInfo<StampCase>& info) { return std::string(info.param.name); });

// The device layer's log and one reader's replay of it, on the run clock:
// the beat takes the next event in, the plug-in's poll reads the replayed
// keys. Events are logged with run clock ns.
class LogStamps final : public IRunStamps {
 public:
  static constexpr uint8_t kResponseKey = 50;  // an X key code

  LogStamps() {
    m_log->Clear();
    const char keymap[InputStateReplay::kKeymapBytes] = {};
    const uint8_t mouse[InputStateReplay::kMouseButtons] = {};
    const uint8_t pads[InputStateReplay::kPads][InputStateReplay::kPadButtons] = {};
    m_replay.Begin(0, m_log->Generation(), keymap, mouse, pads);
  }
  int64_t NowNs() override { return m_clock ? m_clock->GetElapsedNs() : 0; }
  bool NextEvent(int64_t* runNs, bool* press) override {
    InputEventStamp e;
    if (m_replay.Next(*m_log, &e) != InputStateReplay::Step::kApplied) return false;
    *runNs = e.ns;
    *press = e.press;
    return true;
  }
  bool LastFrameNs(int64_t*) override { return false; }
  bool VoiceKeyTriggerNs(int64_t*) override { return false; }

  void Key(int64_t runNs, bool press) { m_log->Add(InputEventStamp{runNs, press, InputSource::kKey, kResponseKey}); }
  // The poll of a plug-in whose response key is kResponseKey.
  int32_t Poll() const { return (m_replay.Keymap()[kResponseKey / 8] >> (kResponseKey % 8)) & 1; }

  const CTimerMs* m_clock = nullptr;

 private:
  std::unique_ptr<InputEventLog> m_log = std::make_unique<InputEventLog>();
  InputStateReplay m_replay;
};

// Presses and releases that came between two beats (a beat held up, keys
// injected together) are each seen, at their own times.
class StalledBeatTest : public testing::Test {
 protected:
  void SetUp() override {
    m_stamps.m_clock = &m_rig.m_timer;
    m_rig.m_script.poll = [this] { return m_stamps.Poll(); };
    m_rig.SetTrials({"T1", "T1"});
    ASSERT_TRUE(m_rig.Start());
    ASSERT_TRUE(m_rig.RunUntil([&] { return !m_rig.m_script.Calls(kCmdShowSignal).empty(); }));
    m_onsetNs = m_rig.m_machine->GetTimes().signalOnNs;
    m_rig.Step(300);
  }

  LogStamps m_stamps;
  RunRig m_rig{&m_stamps};
  int64_t m_onsetNs = 0;
};

TEST_F(StalledBeatTest, APressAndItsReleaseWithinOneBeatGiveOneResponseAtThePress) {
  const int64_t beatNs = m_stamps.NowNs();
  const int64_t pressNs = beatNs + 200'000;
  const int64_t releaseNs = beatNs + 700'000;
  m_stamps.Key(pressNs, true);
  m_stamps.Key(releaseNs, false);
  m_rig.Step(1);  // the press: the response
  EXPECT_EQ(m_rig.m_machine->GetTimes().responseNs, pressNs);
  m_rig.Step(1);  // the release
  EXPECT_EQ(m_rig.Count(kRunEventRelease), 1);
  EXPECT_EQ(m_rig.m_machine->GetTimes().deadline, MsOfNs(releaseNs)) << "the release keeps its own time";
  ASSERT_TRUE(m_rig.RunToEnd());
  const std::vector<Record> records = m_rig.Records();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].category, kCatHit);
  EXPECT_EQ(records[0].rt, RoundedMs(pressNs - m_onsetNs));
  EXPECT_EQ(m_rig.Count(kRunEventResponse), 1) << "the second trial had no press";
}

TEST_F(StalledBeatTest, TwoTapsWithinOneBeatAreTakenOneByOne) {
  // The first tap is the trial's response and its release ends the trial;
  // the second tap comes after them and changes neither.
  const int64_t beatNs = m_stamps.NowNs();
  const int64_t pressNs = beatNs + 100'000;
  const int64_t releaseNs = beatNs + 300'000;
  m_stamps.Key(pressNs, true);
  m_stamps.Key(releaseNs, false);
  m_stamps.Key(beatNs + 500'000, true);
  m_stamps.Key(beatNs + 700'000, false);
  m_rig.Step(1);
  EXPECT_EQ(m_rig.m_machine->GetTimes().responseNs, pressNs);
  m_rig.Step(1);
  EXPECT_EQ(m_rig.m_machine->GetTimes().deadline, MsOfNs(releaseNs)) << "the first release, not the second";
  ASSERT_TRUE(m_rig.RunToEnd());
  ASSERT_EQ(m_rig.Records().size(), 2u);
  EXPECT_EQ(m_rig.Records()[0].rt, RoundedMs(pressNs - m_onsetNs));
  EXPECT_EQ(m_rig.Count(kRunEventResponse), 1);
  EXPECT_EQ(m_rig.Count(kRunEventRelease), 1);
}

// The gate's calls, with how many show-signal commands the plug-in had seen.
class RecordingGate final : public IRunPresentGate {
 public:
  void HoldUntil(int64_t runNs) override {
    m_calls.push_back("hold " + std::to_string(runNs) + " after " + std::to_string(Shows()) + " shows");
  }
  void Release() override { m_calls.push_back("release after " + std::to_string(Shows()) + " shows"); }
  int Shows() const { return m_script ? m_script->Count(kCmdShowSignal) : 0; }

  const PluginScript* m_script = nullptr;
  std::vector<std::string> m_calls;
};

// With a present gate the signal is asked for ahead of its planned onset,
// and the show-signal command runs with the gate held at that onset.
TEST(PresentGate, TheSignalIsDrawnAheadAndHeldUntilItsPlannedOnset) {
  RecordingGate gate;
  RunRig rig(nullptr, &gate);
  gate.m_script = &rig.m_script;
  rig.SetTrials({"T1"});
  ASSERT_TRUE(rig.Start());
  uint32_t planned = 0;
  ASSERT_TRUE(rig.RunUntil([&] {
    if (rig.m_script.Calls(kCmdShowSignal).empty()) {
      planned = rig.m_machine->GetTimes().signalOn;
      return false;
    }
    return true;
  }));
  ASSERT_GT(planned, CRunMachine::kSignalLeadMs);
  EXPECT_EQ(rig.EventTimes(kRunEventSignalOn), std::vector<uint32_t>{planned - CRunMachine::kSignalLeadMs});
  EXPECT_EQ(rig.m_script.Calls(kCmdShowSignal)[0].at, planned - CRunMachine::kSignalLeadMs);
  EXPECT_EQ(gate.m_calls, (std::vector<std::string>{"hold " + std::to_string(int64_t{planned} * kMs) + " after 0 shows",
                                                     "release after 1 shows"}));
}

TEST(PresentGate, WithoutAGateTheSignalIsAskedForAtItsOnset) {
  RunRig rig;
  rig.SetTrials({"T1"});
  ASSERT_TRUE(rig.Start());
  uint32_t planned = 0;
  ASSERT_TRUE(rig.RunUntil([&] {
    if (rig.m_script.Calls(kCmdShowSignal).empty()) {
      planned = rig.m_machine->GetTimes().signalOn;
      return false;
    }
    return true;
  }));
  EXPECT_EQ(rig.m_script.Calls(kCmdShowSignal)[0].at, planned);
}

struct VoiceCase {
  const char* name;
  int64_t triggerNs;  // after the onset; -1: the key gives none
  int32_t rt;         // recorded; the bits rise at the beat 251 ms after the onset
};

class VoiceTriggerTest : public testing::TestWithParam<VoiceCase> {};

// A voice key's response is timed by its trigger sample, not by the beat
// that saw its bits; a trigger from before the onset (the key's previous
// start) or none at all leaves the beat's time.
TEST_P(VoiceTriggerTest, ReactionTimeIsTheTriggerSampleMinusTheOnset) {
  const VoiceCase& c = GetParam();
  FakeStamps stamps;
  RunRig rig(&stamps);
  stamps.m_clock = &rig.m_timer;
  rig.Words().TaskFlags = kTaskFlagVoiceKey;
  rig.Words().TaskSSS = 100 | kSssVoiceKeyOption | (50u << kSssVoiceKeyShift);
  rig.SetTrials({"T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] { return !rig.m_script.Calls(kCmdShowSignal).empty(); }));
  const int64_t onsetNs = rig.m_machine->GetTimes().signalOnNs;
  if (c.triggerNs != -1) stamps.m_triggerNs = onsetNs + c.triggerNs;
  rig.Step(250);
  rig.m_voiceKey.m_bits = 1;
  rig.Step(5);
  rig.m_voiceKey.m_bits = 0;
  ASSERT_TRUE(rig.RunToEnd());
  ASSERT_EQ(rig.Records().size(), 1u);
  EXPECT_EQ(rig.Records()[0].category, kCatHit);
  EXPECT_EQ(rig.Records()[0].rt, c.rt);
}

INSTANTIATE_TEST_SUITE_P(Stamps, VoiceTriggerTest,
                         testing::Values(VoiceCase{"TriggerSample", 243'400'000, 243},
                                         VoiceCase{"TriggerHalfRoundsUp", 243'500'000, 244},
                                         VoiceCase{"TriggerBeforeTheOnset", -2'000'000, 251},
                                         VoiceCase{"NoTrigger", -1, 251}),
                         [](const testing::TestParamInfo<VoiceCase>& info) { return std::string(info.param.name); });

TEST(RunTimes, RoundedMsRoundsHalvesAwayFromZero) {
  EXPECT_EQ(RoundedMs(0), 0);
  EXPECT_EQ(RoundedMs(499'999), 0);
  EXPECT_EQ(RoundedMs(500'000), 1);
  EXPECT_EQ(RoundedMs(-500'000), -1);
  EXPECT_EQ(RoundedMs(-499'999), 0);
  EXPECT_EQ(RoundedMs(int64_t{2'000'000'000} * kMs), 2'000'000'000);
  EXPECT_EQ(MsOfNs(-1), 0u);
  EXPECT_EQ(MsOfNs(1'999'999), 1u);
}

}  // namespace

}  // namespace test

}  // namespace qel
